#include "framework/data/zafintegerdata.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zafstorage.h"

namespace {

TEST(ZafIntegerData, TextsGiveValuesWithinTheSignedRange) {
  const struct {
    const char16_t* text;
    const char16_t* format;
    int32_t value;
    ZafError error;
  } cases[] = {
      {u"42", nullptr, 42, 0},
      {u" -17", nullptr, -17, 0},
      {u"2147483647", nullptr, 2147483647, 0},
      {u"-2147483648", nullptr, std::numeric_limits<int32_t>::min(), 0},
      {u"2147483648", nullptr, 5, ZAF_ERROR_INVALID_NUMBER},
      {u"-99999999999", nullptr, 5, ZAF_ERROR_INVALID_NUMBER},
      {u"ff", u"%x", 255, 0},
      {u"0x7fffffff", u"%i", 2147483647, 0},
      {u"0x80000000", u"%i", 5, ZAF_ERROR_INVALID_NUMBER},
      {u"abc", nullptr, 5, ZAF_ERROR_INVALID_NUMBER},
      {u"", nullptr, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
    ZafIntegerData data(5);
    EXPECT_EQ(data.SetFormattedText(c.text, c.format), c.error);
    EXPECT_EQ(data.Value(), c.value);
  }
}

TEST(ZafIntegerData, ValuesPrintThroughTheirFormat) {
  const struct {
    int32_t value;
    const char16_t* format;
    const char16_t* text;
  } cases[] = {
      {-42, nullptr, u"-42"},
      {1234567, u"%,d", u"1,234,567"},
      {255, u"%04X", u"00FF"},
      {std::numeric_limits<int32_t>::min(), nullptr, u"-2147483648"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    ZafIntegerData data(c.value);
    ZafIChar buffer[32];
    EXPECT_GT(data.FormattedText(buffer, 31, c.format), 0);
    EXPECT_EQ(std::u16string(buffer), c.text);
  }
}

TEST(ZafIntegerData, ValueAndFormatRoundTripThroughStorage) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("integers").c_str(), ZAF_STORAGE_CREATE);
  ZafDataPersistence persistence(&storage);
  ZafIntegerData data(-123456);
  data.SetStringID(u"count");
  data.SetFormat(u"%x");
  ASSERT_EQ(data.Write(persistence), 0);
  persistence.PopLevel();
  ZafIntegerData back(u"count", persistence);
  EXPECT_EQ(back.Error(), 0);
  EXPECT_EQ(back.Value(), -123456);
  EXPECT_EQ(std::u16string(back.Format()), u"%x");
  EXPECT_TRUE(back.IsA(ID_ZAF_INTEGER_DATA));
  ZafIntegerData missing(u"other", persistence);
  EXPECT_NE(missing.Error(), 0);
  EXPECT_EQ(missing.Value(), 0);
}

}  // namespace
