#include "framework/data/zafcodesetdata.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/data/zafutf8.h"

namespace {

TEST(ZafCodeSetData, ConvertsLatin1BothWays) {
  const ZafCodeSetData codeSet;
  std::unique_ptr<char[]> local(codeSet.ConvertToLocal(u"caf\u00E9", nullptr, true));
  EXPECT_EQ(std::string(local.get()), "caf\xE9");

  char buffer[8];
  EXPECT_EQ(codeSet.ConvertToLocal(u"ab", buffer, false), buffer);
  EXPECT_STREQ(buffer, "ab");

  std::unique_ptr<ZafIChar[]> wide(codeSet.ConvertToUnicode("caf\xE9", nullptr, false));
  EXPECT_EQ(std::u16string(wide.get()), u"caf\u00E9");
  EXPECT_EQ(codeSet.ConvertCharToUnicode('\xFF'), 0x00FF);

  char bytes[4] = {};
  EXPECT_EQ(codeSet.ConvertCharToLocal(0x010A, bytes), 1);
  EXPECT_EQ(bytes[0], '?');  // Latin-1 has no such letter, and its low byte would be a line feed
  local.reset(codeSet.ConvertToLocal(u"\u010A\U0001D11E.", nullptr, true));
  EXPECT_EQ(std::string(local.get()), "??.");
  EXPECT_EQ(codeSet.ConvertToLocal(nullptr, buffer, true), nullptr);
  EXPECT_EQ(codeSet.ConvertToUnicode(nullptr, nullptr, true), nullptr);
}

TEST(ZafUtf8, RoundTripsAndReplacesWhatIsNotValid) {
  const std::u16string text = u"a\u00E9\u20AC\U0001F600";
  const std::string utf8 = ZafToUtf8(text);
  EXPECT_EQ(utf8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(ZafFromUtf8(utf8), text);

  struct Case {
    std::string bytes;
    std::u16string expected;
  } cases[] = {
      {"\xFF", u"\uFFFD"},
      {"\xC3", u"\uFFFD"},                                // cut short
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"a\xE2\x82z", u"a\uFFFD\uFFFDz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.size());
    EXPECT_EQ(ZafFromUtf8(c.bytes), c.expected);
  }
  EXPECT_EQ(ZafToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(ZafToUtf8(u"\xDC00"), "\xEF\xBF\xBD");
}

}  // namespace
