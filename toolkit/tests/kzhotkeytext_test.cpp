#include "toolkit/kzhotkeytext.h"

#include <gtest/gtest.h>

TEST(KZHotKeyText, FirstMarkedCharacterIsTheMnemonic) {
  struct Case {
    const char16_t* label;
    const char16_t* text;
    char16_t key;
    int32_t position;
  } cases[] = {
      {u"&File", u"File", u'F', 0}, {u"Save && Exit", u"Save & Exit", 0, -1},
      {u"A&b&c", u"Abc", u'b', 1},  {u"End&", u"End", 0, -1},
      {u"&&&x", u"&x", u'x', 1},    {u"", u"", 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.position << " " << static_cast<int>(c.key));
    const KZHotKeyText parsed(c.label);
    EXPECT_EQ(parsed.text, c.text);
    EXPECT_EQ(parsed.key, c.key);
    EXPECT_EQ(parsed.keyPosition, c.position);
  }
}
