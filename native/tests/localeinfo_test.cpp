#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <clocale>
#include <optional>
#include <string>
#include <vector>

#include "native/shell/localeapi.h"
#include "native/shell/localeidentifier.h"
#include "native/shell/localeinfo.h"

namespace native::test {

namespace {

constexpr const char* kGerman = "de_DE.UTF-8";

struct Expected {
  LCTYPE type;
  const char* text;
};

// Every kind of information the framework's locale defaults and the language choice ask for.
const std::vector<LCTYPE> kAskedTypes = {
    LOCALE_SDECIMAL,        LOCALE_SMONDECIMALSEP,  LOCALE_STHOUSAND,       LOCALE_SMONTHOUSANDSEP,
    LOCALE_SCURRENCY,       LOCALE_SGROUPING,       LOCALE_SMONGROUPING,    LOCALE_SINTLSYMBOL,
    LOCALE_IPOSSYMPRECEDES, LOCALE_INEGSYMPRECEDES, LOCALE_ICURRDIGITS,     LOCALE_IINTLCURRDIGITS,
    LOCALE_SPOSITIVESIGN,   LOCALE_IPOSSIGNPOSN,    LOCALE_IPOSSEPBYSPACE,  LOCALE_SNEGATIVESIGN,
    LOCALE_INEGSIGNPOSN,    LOCALE_INEGSEPBYSPACE,  LOCALE_SDATE,           LOCALE_SSHORTDATE,
    LOCALE_ITIME,           LOCALE_STIME,           LOCALE_SABBREVCTRYNAME,
};

void expectAnswers(const LocaleInfo& info, const std::vector<Expected>& expected) {
  for (const Expected& row : expected) {
    SCOPED_TRACE(row.type);
    std::optional<KString> text = info.text(row.type);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->ToUtf8(), row.text);
  }
}

// Switches the process locale for one test and puts the old one back.
class ProcessLocale {
 public:
  explicit ProcessLocale(const char* name) : previous_(std::setlocale(LC_ALL, nullptr)) {
    switched_ = std::setlocale(LC_ALL, name) != nullptr;
  }
  ~ProcessLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
  bool switched() const { return switched_; }

 private:
  std::string previous_;
  bool switched_ = false;
};

std::u16string wideAnswer(LCTYPE type) {
  char16_t buffer[64] = {};
  int written = GetLocaleInfoW(0, type, buffer, 64);
  return written > 0 ? std::u16string(buffer, static_cast<std::size_t>(written - 1)) : u"(none)";
}

}  // namespace

TEST(LocaleInfo, CLocaleAnswersAsUnitedStatesEnglish) {
  std::optional<LocaleInfo> info = LocaleInfo::Named("C");
  ASSERT_TRUE(info.has_value());
  expectAnswers(
      *info, {{LOCALE_SDECIMAL, "."},        {LOCALE_SMONDECIMALSEP, "."},    {LOCALE_STHOUSAND, ","},
              {LOCALE_SMONTHOUSANDSEP, ","}, {LOCALE_SCURRENCY, "$"},         {LOCALE_SGROUPING, "3;0"},
              {LOCALE_SMONGROUPING, "3;0"},  {LOCALE_SINTLSYMBOL, "USD"},     {LOCALE_IPOSSYMPRECEDES, "1"},
              {LOCALE_INEGSYMPRECEDES, "1"}, {LOCALE_ICURRDIGITS, "2"},       {LOCALE_IINTLCURRDIGITS, "2"},
              {LOCALE_SPOSITIVESIGN, ""},    {LOCALE_IPOSSIGNPOSN, "3"},      {LOCALE_IPOSSEPBYSPACE, "0"},
              {LOCALE_SNEGATIVESIGN, "-"},   {LOCALE_INEGSIGNPOSN, "0"},      {LOCALE_INEGSEPBYSPACE, "0"},
              {LOCALE_SDATE, "/"},           {LOCALE_SSHORTDATE, "M/d/yyyy"}, {LOCALE_ITIME, "0"},
              {LOCALE_STIME, ":"},           {LOCALE_SABBREVCTRYNAME, "USA"}});
  EXPECT_EQ(info->identifier(), 0x0409u);
}

TEST(LocaleInfo, GermanLocaleAnswersItsOwnConventions) {
  std::optional<LocaleInfo> info = LocaleInfo::Named(kGerman);
  if (!info.has_value()) {
    GTEST_SKIP() << kGerman << " is not installed (scripts/setup generates it)";
  }
  expectAnswers(*info, {{LOCALE_SDECIMAL, ","},
                        {LOCALE_STHOUSAND, "."},
                        {LOCALE_SCURRENCY, "\u20ac"},
                        {LOCALE_SINTLSYMBOL, "EUR"},
                        {LOCALE_SDATE, "."},
                        {LOCALE_SSHORTDATE, "dd.MM.yyyy"},
                        {LOCALE_STIME, ":"},
                        {LOCALE_ITIME, "1"},
                        {LOCALE_IPOSSYMPRECEDES, "0"},
                        {LOCALE_IPOSSEPBYSPACE, "1"},
                        {LOCALE_SNEGATIVESIGN, "-"},
                        {LOCALE_SABBREVCTRYNAME, "DEU"}});
  EXPECT_EQ(info->identifier(), 0x0407u);
}

TEST(LocaleInfo, EveryAskedKindHasAnAnswerInBothLocales) {
  for (const char* name : {"C", kGerman}) {
    std::optional<LocaleInfo> info = LocaleInfo::Named(name);
    if (!info.has_value()) {
      continue;
    }
    for (LCTYPE type : kAskedTypes) {
      SCOPED_TRACE(std::string(name) + " type " + std::to_string(type));
      EXPECT_TRUE(info->text(type).has_value());
    }
  }
}

TEST(LocaleInfo, UnknownKindHasNoAnswer) {
  std::optional<LocaleInfo> info = LocaleInfo::Named("C");
  ASSERT_TRUE(info.has_value());
  EXPECT_FALSE(info->text(0x9999).has_value());
  EXPECT_EQ(GetLocaleInfoW(0, 0x9999, nullptr, 0), 0);
}

TEST(LocaleInfo, MissingLocaleIsNone) {
  EXPECT_FALSE(LocaleInfo::Named("xx_QQ.UTF-8").has_value());
}

TEST(LocaleApi, CallsFollowTheProcessLocale) {
  struct Case {
    const char* locale;
    LCID identifier;
    std::u16string decimal;
    std::string country;
  };
  const Case cases[] = {{"C", 0x0409, u".", "USA"}, {kGerman, 0x0407, u",", "DEU"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale);
    ProcessLocale scope(c.locale);
    if (!scope.switched()) {
      continue;
    }
    EXPECT_EQ(GetUserDefaultLCID(), c.identifier);
    EXPECT_EQ(wideAnswer(LOCALE_SDECIMAL), c.decimal);
    char country[16] = {};
    ASSERT_EQ(GetLocaleInfoA(GetUserDefaultLCID(), 7, country, 15), 4);
    EXPECT_EQ(std::string(country), c.country);
  }
  EXPECT_EQ(GetACP(), 65001u);
}

TEST(LocaleApi, BufferSizesFollowTheCopyRules) {
  ProcessLocale scope("C");
  ASSERT_TRUE(scope.switched());
  EXPECT_EQ(GetLocaleInfoW(0, LOCALE_SSHORTDATE, nullptr, 0), 9);  // "M/d/yyyy" and its 0
  char16_t small[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(GetLocaleInfoW(0, LOCALE_SSHORTDATE, small, 4), 0);
  EXPECT_EQ(small[0], u'x');  // nothing written when it does not fit
  char16_t exact[9] = {};
  EXPECT_EQ(GetLocaleInfoW(0, LOCALE_SSHORTDATE, exact, 9), 9);
  EXPECT_EQ(std::u16string(exact), u"M/d/yyyy");
  EXPECT_EQ(GetLocaleInfoW(0, LOCALE_SSHORTDATE, exact, -1), 0);
}

TEST(LocaleIdentifier, LanguageAndCountryPairs) {
  struct Case {
    const char* language;
    const char* country;
    DWORD identifier;
  };
  const Case cases[] = {
      {"de", "DE", 0x0407}, {"DE", "de", 0x0407}, {"de", "AT", 0x0C07}, {"de", "CH", 0x0807},
      {"en", "US", 0x0409}, {"en", "GB", 0x0809}, {"fr", "CA", 0x0C0C}, {"pt", "BR", 0x0416},
      {"pt", "PT", 0x0816}, {"hr", "HR", 0x041A}, {"nb", "NO", 0x0414}, {"de", "", 0x0407},
      {"xx", "YY", 0x0409}, {"", "", 0x0409},     {"d", "DE", 0x0409},  {"deu", "DE", 0x0409},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.language) + "_" + c.country);
    EXPECT_EQ(localeIdentifier(c.language, c.country), c.identifier);
  }
}

TEST(LocaleApi, ProfileAnswersTheDefaultCutToTheBuffer) {
  char16_t buffer[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(GetProfileStringW(u"Intl", u"sDecimal", u"12345", buffer, 4), 3u);
  EXPECT_EQ(std::u16string(buffer), u"123");
  EXPECT_EQ(GetProfileStringW(u"Intl", u"sDecimal", nullptr, buffer, 4), 0u);
  EXPECT_EQ(buffer[0], u'\0');
  EXPECT_EQ(GetProfileIntW(u"Intl", u"iTime", -1), static_cast<UINT>(-1));
}

TEST(LocaleApi, ModuleFileNameIsTheRunningProgram) {
  char path[PATH_MAX] = {};
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  ASSERT_GT(length, 0);
  KString expected = KString::FromUtf8(std::string(path, static_cast<std::size_t>(length)));
  char16_t buffer[PATH_MAX] = {};
  DWORD written = GetModuleFileNameW(nullptr, buffer, PATH_MAX);
  EXPECT_EQ(std::u16string(buffer, written), std::u16string(expected.Data(), expected.Length()));
  char16_t cut[5] = {};
  EXPECT_EQ(GetModuleFileNameW(nullptr, cut, 5), 4u);
  EXPECT_EQ(std::u16string(cut), std::u16string(expected.Data(), 4));
}

}  // namespace native::test
