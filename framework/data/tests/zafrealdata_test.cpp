#include "framework/data/zafrealdata.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zafi18ndata.h"
#include "framework/data/zaflocaledata.h"
#include "framework/data/zafprintf.h"
#include "framework/data/zafrealconversion.h"
#include "framework/data/zafscanf.h"
#include "framework/data/zafstorage.h"

namespace {

std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

std::u16string Print(const char16_t* format, double value) {
  ZafIChar buffer[128];
  ZafSPrintf(buffer, format, value);
  return buffer;
}

TEST(ZafRealPrintf, DigitsRoundingAndNotation) {
  struct Case {
    const char16_t* format;
    double value;
    const char16_t* expected;
  } cases[] = {
      {u"%f", 3.25, u"3.250000"},
      {u"%.2f", 1.005, u"1.00"},  // the double just below 1.005 gives the digits 1.00499...
      {u"%.1f", 0.15, u"0.2"},    // digit by digit: 0.15 * 10 is 1.5, so the next digit is 5
      {u"%.2f", 9.996, u"10.00"},
      {u"%.0f", 2.5, u"3"},
      {u"%#.0f", 2.0, u"2."},
      {u"%.3f", 0.0, u"0.000"},
      {u"%e", 12345.678, u"1.234568e+04"},
      {u"%.2E", 0.000123, u"1.23E-04"},
      {u"%e", 0.0, u"0.000000e+00"},
      {u"%.0e", 9.5, u"1e+01"},
      {u"%e", 1e300, u"1.000000e+300"},
      {u"%g", 0.00001, u"1e-05"},
      {u"%g", 0.0001, u"0.0001"},
      {u"%g", 123456.0, u"123456"},
      {u"%g", 1234567.0, u"1.23457e+06"},
      {u"%g", 0.5, u"0.5"},
      {u"%g", 0.0, u"0"},
      {u"%g", 100.0, u"100"},
      {u"%#g", 1.5, u"1.50000"},
      {u"%G", 1e-10, u"1E-10"},
      {u"%.0g", 7.0, u"7"},
      {u"%.3g", 0.0012345, u"0.00123"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.format) + " " + std::to_string(c.value));
    EXPECT_EQ(Print(c.format, c.value), c.expected);
  }
}

TEST(ZafRealPrintf, PrecisionAboveTwentyFourPrintsZeros) {
  const std::u16string text = Print(u"%.30f", 1.0 / 3.0);
  ASSERT_EQ(text.size(), 32u);
  EXPECT_EQ(text.substr(0, 18), u"0.3333333333333333");
  EXPECT_EQ(text.substr(26), u"000000");
  const std::u16string scientific = Print(u"%.26e", 1.0 / 3.0);
  EXPECT_EQ(scientific.substr(scientific.size() - 6), u"00e-01");
}

TEST(ZafRealPrintf, SignsWidthsAndSpecialValues) {
  struct Case {
    const char16_t* format;
    double value;
    const char16_t* expected;
  } cases[] = {
      {u"%+.1f", 2.5, u"+2.5"},           {u"%.1f", -2.5, u"-2.5"},
      {u"%08.2f", -3.5, u"-0003.50"},     {u"[%-8.2f]", -3.5, u"[-3.50   ]"},
      {u"[%8.2f]", -3.5, u"[   -3.50]"},  {u"%$.2f", 1234.5, u"$1234.50"},
      {u"%$.2f", -2.0, u"-$2.00"},        {u"%@$.2f", -2.0, u"($2.00)"},
      {u"%f", std::nan(""), u"NaN"},      {u"[%6f]", std::nan(""), u"[   NaN]"},
      {u"%f", INFINITY, u"+Inf"},         {u"%e", -INFINITY, u"-Inf"},
      {u"[%-6g]", INFINITY, u"[+Inf  ]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.format));
    EXPECT_EQ(Print(c.format, c.value), c.expected);
  }
}

// A platform filler that the locale tests install.
int ParenthesesLocale(ZafLocaleStruct& locale) {
  locale.negSignPosition = ZAF_SIGN_PARENTHESES;
  return 1;
}

int GermanStyleLocale(ZafLocaleStruct& locale) {
  locale.decimalSeparator.Set(u",");
  locale.negSignPosition = ZAF_SIGN_LAST;
  locale.posSignPosition = ZAF_SIGN_LAST;
  return 1;
}

class ZafRealLocaleTest : public ::testing::Test {
 protected:
  void Use(ZafLocaleData::SystemDefaultsLoader loader) {
    ZafLocaleData::SetSystemDefaultsLoader(loader);
    ZafI18nData::SetLanguage(nullptr);
  }
  void TearDown() override { Use(nullptr); }
};

TEST_F(ZafRealLocaleTest, SignPositionZeroUsesParentheses) {
  Use(ParenthesesLocale);
  EXPECT_EQ(Print(u"%.1f", -2.5), u"(2.5)");
  EXPECT_EQ(Print(u"%.1f", 2.5), u"2.5");
  EXPECT_EQ(Print(u"[%8.1f]", -2.5), u"[   (2.5)]");
}

TEST_F(ZafRealLocaleTest, DecimalPointAndSignsFollowTheLocale) {
  Use(GermanStyleLocale);
  EXPECT_EQ(Print(u"%.2f", -1.5), u"1,50-");
  EXPECT_EQ(Print(u"%+.1f", 1.5), u"1,5+");
  double value = 0;
  EXPECT_EQ(ZafSScanf(u"1,25", u"%lf", &value), 1);
  EXPECT_EQ(value, 1.25);
  EXPECT_EQ(ZafSScanf(u"1.25", u"%lf", &value), 0) << "'.' is no decimal point here";
  Use(nullptr);
  EXPECT_EQ(Print(u"%.2f", -1.5), u"-1.50");
}

TEST(ZafRealScanf, ReadsNumbersUpToWhatEndsThem) {
  struct Case {
    const char16_t* text;
    const char16_t* format;
    int assigned;
    double value;
    int consumed;  // -1: not asked
  } cases[] = {
      {u"3.25", u"%lf%n", 1, 3.25, 4},    {u"  -1.5e3", u"%lf%n", 1, -1500.0, 8},
      {u"+2", u"%lf", 1, 2.0, -1},        {u"-.5", u"%lf", 1, -0.5, -1},
      {u"2e", u"%lf%n", 1, 2.0, 1},  // the exponent letter goes back
      {u"2e+x", u"%lf", 0, 0.0, -1},      {u"1.5x", u"%lf", 0, 0.0, -1},
      {u"1.5,2", u"%lf,", 1, 1.5, -1},    {u"1.5 2", u"%lf", 1, 1.5, -1},
      {u".", u"%lf", 0, 0.0, -1},         {u"abc", u"%lf", 0, 0.0, -1},
      {u"12345", u"%3lf%n", 1, 123.0, 3}, {u"1.2.3", u"%lf", 0, 0.0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    double value = 0.0;
    int32_t consumed = -1;
    EXPECT_EQ(ZafSScanf(c.text, c.format, &value, &consumed), c.assigned);
    EXPECT_EQ(value, c.value);
    if (c.consumed >= 0) {
      EXPECT_EQ(consumed, c.consumed);
    }
  }
  float single = 0;
  EXPECT_EQ(ZafSScanf(u"0.5", u"%f", &single), 1);
  EXPECT_EQ(single, 0.5f);
  double upper = 0;
  EXPECT_EQ(ZafSScanf(u"0.75", u"%E", &upper), 1) << "'E' and 'F' store doubles";
  EXPECT_EQ(upper, 0.75);
  double second = 0;
  EXPECT_EQ(ZafSScanf(u"1 2", u"%*lf%lf", &second), 1);
  EXPECT_EQ(second, 2.0);
  double tail = 0;
  EXPECT_EQ(ZafSScanf(u"12345", u"%3lf%lf", &upper, &tail), 2);
  EXPECT_EQ(tail, 45.0);
}

class ChangeCount {
 public:
  explicit ChangeCount(ZafData& data) {
    changes = 0;
    data.Add(
        &observer, [](ZafElement*, ZafUpdateType) -> ZafLong { return ++changes; }, ZAF_UPDATE_ALL);
  }
  static inline int changes = 0;
  ZafElement observer;
};

TEST(ZafRealData, TextFormattingAndArithmetic) {
  ZafRealData data;
  ChangeCount count(data);
  EXPECT_EQ(data.SetFormattedText(u"12.5"), ZAF_ERROR_NONE);
  EXPECT_EQ(data.Value(), 12.5);
  EXPECT_EQ(ChangeCount::changes, 1);
  EXPECT_EQ(data.SetFormattedText(u"twelve"), ZAF_ERROR_INVALID_NUMBER);
  EXPECT_EQ(data.Value(), 12.5) << "a text without a number keeps the value";
  EXPECT_EQ(data.SetFormattedText(u"<7.25>", u"<%lf>"), ZAF_ERROR_NONE);
  EXPECT_EQ(data.Value(), 7.25);
  EXPECT_EQ(data.SetFormattedText(u""), ZAF_ERROR_NONE);
  EXPECT_EQ(data.Value(), 0.0);
  EXPECT_EQ(ChangeCount::changes, 4) << "one notification per change";

  data = 2.0;
  data += 3.0;
  data *= 4.0;
  data -= 0.5;
  data /= 2.0;
  EXPECT_EQ(data.Value(), 9.75);
  EXPECT_EQ(data++, 9.75);
  EXPECT_EQ((++data).Value(), 11.75);
  EXPECT_EQ(data--, 11.75);
  EXPECT_EQ((--data).Value(), 9.75);
  EXPECT_EQ(ChangeCount::changes, 13);

  ZafIChar buffer[32];
  EXPECT_EQ(data.FormattedText(buffer, 31), 4);
  EXPECT_EQ(std::u16string(buffer), u"9.75") << "the locale's output format";
  data.SetFormat(u"%.1f units");
  data.FormattedText(buffer, 31);
  EXPECT_EQ(std::u16string(buffer), u"9.8 units");
  EXPECT_EQ(data.FormattedText(buffer, 3, u"%.3f"), 0) << "does not fit";

  ZafRealData parsed(u"  -4.5", nullptr);
  EXPECT_EQ(parsed.Value(), -4.5);
  EXPECT_EQ(parsed.Error(), ZAF_ERROR_NONE);
}

TEST(ZafRealData, ValuesRoundTripThroughStorageExactly) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("reals").c_str(), ZAF_STORAGE_CREATE);
  const double values[] = {1e-7,
                           0.1,
                           -2.5e300,
                           123456789.123456789,
                           0.0,
                           std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::max(),
                           -INFINITY,
                           std::nan("")};
  for (std::size_t index = 0; index < std::size(values); ++index) {
    SCOPED_TRACE(index);
    const std::u16string name = u"value" + std::u16string(1, static_cast<char16_t>(u'a' + index));
    ZafDataPersistence persistence(&storage);
    ZafRealData data(values[index]);
    data.SetStringID(name.c_str());
    EXPECT_EQ(data.Write(persistence), 0);
    persistence.PopLevel();
    ZafRealData back(name.c_str(), persistence);
    EXPECT_EQ(back.Error(), 0);
    if (std::isnan(values[index])) {
      EXPECT_TRUE(std::isnan(back.Value()));
    } else {
      const double read = back.Value();
      EXPECT_EQ(std::memcmp(&values[index], &read, sizeof(double)), 0) << read;
    }
  }
}

TEST(ZafRealData, StoredTextIsCheckedWhenRead) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("texts").c_str(), ZAF_STORAGE_CREATE);
  struct Case {
    const char16_t* text;
    ZafError error;
    double value;
  } cases[] = {
      {u"3.141593", ZAF_ERROR_NONE, 3.141593},  // six decimals, as older files hold
      {u"abc", ZAF_ERROR_READ, 0.0},
      {u"1.5junk", ZAF_ERROR_READ, 0.0},
      {nullptr, ZAF_ERROR_READ, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? Narrow(c.text) : "null");
    ZafFile* file = storage.Open(u"stored", ZAF_STORAGE_OBJECT_CREATE | ZAF_FILE_READWRITE, u"ZafRealData",
                                 ID_ZAF_REAL_DATA);
    file->WriteString(u"");  // the format record: no format,
    file->WriteUInt16(0);    // no input formats
    file->WriteString(c.text);
    storage.Close(file);
    ZafDataPersistence persistence(&storage);
    ZafRealData back(u"stored", persistence);
    EXPECT_EQ(back.Error(), c.error);
    EXPECT_EQ(back.Value(), c.value);
  }
}

}  // namespace
