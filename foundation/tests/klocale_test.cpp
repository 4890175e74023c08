#include "foundation/klocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

namespace {

// Compares a KString with an expected UTF-8 text, printing both on failure.
::testing::AssertionResult TextIs(const KString& actual, const char* expectedUtf8) {
  if (actual == KString::FromUtf8(expectedUtf8)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "got \"" << actual.ToUtf8() << "\", want \"" << expectedUtf8 << "\"";
}

KLocale German() {
  std::optional<KLocale> locale = KLocale::Named("de_DE.UTF-8");
  if (!locale) {
    ADD_FAILURE() << "de_DE.UTF-8 is not installed (scripts/setup generates it)";
    return *KLocale::Named("C");
  }
  return *locale;
}

TEST(KLocale, CAndPosixGiveFixedEnglishValues) {
  for (const char* name : {"C", "POSIX"}) {
    SCOPED_TRACE(name);
    std::optional<KLocale> locale = KLocale::Named(name);
    ASSERT_TRUE(locale.has_value());
    EXPECT_TRUE(TextIs(locale->decimalSeparator, "."));
    EXPECT_TRUE(TextIs(locale->thousandsSeparator, ","));
    EXPECT_TRUE(TextIs(locale->grouping, "3;0"));
    EXPECT_TRUE(TextIs(locale->currencySymbol, "$"));
    EXPECT_EQ(locale->currencyPosition, 0);
    EXPECT_EQ(locale->currencyDigits, 2);
    EXPECT_EQ(locale->negativeCurrency, 0);
    EXPECT_TRUE(TextIs(locale->shortDate, "M/d/yyyy"));
    EXPECT_TRUE(TextIs(locale->dateSeparator, "/"));
    EXPECT_TRUE(TextIs(locale->timeFormat, "h:mm:ss tt"));
    EXPECT_TRUE(TextIs(locale->timeSeparator, ":"));
    EXPECT_FALSE(locale->hours24);
    EXPECT_TRUE(TextIs(locale->amText, "AM"));
    EXPECT_TRUE(TextIs(locale->pmText, "PM"));
    EXPECT_TRUE(TextIs(locale->monthNames[0], "January"));
    EXPECT_TRUE(TextIs(locale->monthAbbreviations[11], "Dec"));
    EXPECT_TRUE(TextIs(locale->dayNames[0], "Sunday"));
    EXPECT_TRUE(TextIs(locale->dayAbbreviations[6], "Sat"));
  }
}

TEST(KLocale, GermanValuesComeFromTheSystemLocale) {
  KLocale locale = German();
  EXPECT_TRUE(TextIs(locale.decimalSeparator, ","));
  EXPECT_TRUE(TextIs(locale.thousandsSeparator, "."));
  EXPECT_TRUE(TextIs(locale.grouping, "3;3;0"));
  EXPECT_TRUE(TextIs(locale.currencySymbol, "€"));
  EXPECT_EQ(locale.currencyPosition, 3);  // "1 €"
  EXPECT_EQ(locale.currencyDigits, 2);
  EXPECT_EQ(locale.negativeCurrency, 8);  // "-1 €"
  EXPECT_TRUE(TextIs(locale.shortDate, "dd.MM.yyyy"));
  EXPECT_TRUE(TextIs(locale.dateSeparator, "."));
  EXPECT_TRUE(TextIs(locale.timeFormat, "HH:mm:ss"));
  EXPECT_TRUE(locale.hours24);
  EXPECT_TRUE(TextIs(locale.monthNames[2], "März"));
  EXPECT_TRUE(TextIs(locale.dayNames[0], "Sonntag"));
}

TEST(KLocale, ReadingANamedLocaleLeavesTheProcessLocaleAlone) {
  std::string before = std::setlocale(LC_ALL, nullptr);
  German();
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
}

TEST(KLocale, ProcessLocaleFollowsSetlocale) {
  std::string before = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_TIME, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  }
  KLocale mixed = KLocale::Process();
  std::setlocale(LC_ALL, before.c_str());
  // Only the time category was German; numbers keep the fixed English values.
  EXPECT_TRUE(TextIs(mixed.shortDate, "dd.MM.yyyy"));
  EXPECT_TRUE(TextIs(mixed.decimalSeparator, "."));
  EXPECT_TRUE(TextIs(KLocale::Process().shortDate, "M/d/yyyy"));
}

TEST(KLocale, UnknownLocaleIsNone) {
  EXPECT_FALSE(KLocale::Named("xx_NOWHERE.UTF-8").has_value());
}

}  // namespace
