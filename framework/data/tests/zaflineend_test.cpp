#include "framework/data/zaflineend.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ZafLineEnd, ConvertsEachFormInPlace) {
  struct Case {
    const char16_t* name;
    const char16_t* source;
    const char16_t* expected;
  } cases[] = {
      {u"CRLFToCR", u"a\r\nb\r\n\n", u"a\rb\r\n"},
      {u"CRLFToLF", u"a\r\nb\r\r\n", u"a\nb\r\n"},
      {u"CRToCRLF", u"a\rb\r\nc\r", u"a\r\nb\r\nc\r\n"},
      {u"LFToCRLF", u"\na\r\nb\n", u"\r\na\r\nb\r\n"},
  };
  for (const Case& c : cases) {
    const std::u16string name = c.name;
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    ZafIChar buffer[32] = {};
    std::char_traits<char16_t>::copy(buffer, c.source, std::char_traits<char16_t>::length(c.source));
    ZafIChar* result = name == u"CRLFToCR"   ? ZafCRLFToCR(buffer, nullptr)
                       : name == u"CRLFToLF" ? ZafCRLFToLF(buffer, nullptr)
                       : name == u"CRToCRLF" ? ZafCRToCRLF(buffer, nullptr, 32)
                                             : ZafLFToCRLF(buffer, nullptr, 32);
    ASSERT_EQ(result, buffer);
    EXPECT_EQ(std::u16string(buffer), c.expected);
  }
}

TEST(ZafLineEnd, GrowingConversionRefusesWhatDoesNotFitAndChangesNothing) {
  // "a\r" needs 4 characters as "a\r\n" with its terminator.
  ZafIChar buffer[4] = u"a\r";
  EXPECT_EQ(ZafCRToCRLF(buffer, nullptr, 3), nullptr);
  EXPECT_EQ(std::u16string(buffer), u"a\r");
  EXPECT_EQ(ZafCRToCRLF(buffer, nullptr, 4), buffer);
  EXPECT_EQ(std::u16string(buffer), u"a\r\n");
}

TEST(ZafLineEnd, NarrowFormsWriteToASeparateDestination) {
  char destination[16];
  EXPECT_EQ(ZafLFToCRLFNarrow("x\ny", destination, sizeof destination), destination);
  EXPECT_STREQ(destination, "x\r\ny");
  EXPECT_EQ(ZafCRLFToLFNarrow("x\r\ny", destination), destination);
  EXPECT_STREQ(destination, "x\ny");
  EXPECT_EQ(ZafCRToCRLFNarrow("\r", destination, 3), destination);
  EXPECT_STREQ(destination, "\r\n");
  EXPECT_EQ(ZafCRLFToCRNarrow(nullptr, destination), nullptr);
  EXPECT_EQ(ZafLFToCRLF(nullptr, nullptr, 10), nullptr);
}

}  // namespace
