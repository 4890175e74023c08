#include "framework/win32/zafmnemonictext.h"

#include <gtest/gtest.h>

#include <string>

TEST(ZafMnemonicText, DoublesMarksAndMarksTheHotKey) {
  struct Case {
    const char16_t* text;
    int32_t hotKeyIndex;
    const char16_t* expected;
  } cases[] = {
      {u"A&B", 0, u"&A&&B"}, {u"AB", 5, u"AB"}, {u"AB", -1, u"AB"}, {u"AB", 2, u"AB"},
      {u"AB", 1, u"A&B"},    {u"&", 0, u"&&&"}, {u"", 0, u""},      {u"a&&b", 3, u"a&&&&&b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(
        testing::Message() << "index " << c.hotKeyIndex << " of "
                           << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
    const auto result = ZafMnemonicText(c.text, c.hotKeyIndex);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(std::u16string(result.get()), std::u16string(c.expected));
  }
}

TEST(ZafMnemonicText, NullTextGivesNull) {
  EXPECT_EQ(ZafMnemonicText(nullptr, 0), nullptr);
}
