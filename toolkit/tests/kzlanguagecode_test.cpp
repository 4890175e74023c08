#include "toolkit/kzlanguagecode.h"

#include <gtest/gtest.h>

TEST(KZLanguageCode, CompletesTheUsersChoiceFromTheLocale) {
  struct Case {
    const char* start;
    uint32_t localeId;
    const char* country;
    uint32_t codePage;
    const char* code;
  } cases[] = {
      {"fr_CA", 0x0409, "USA", 65001, "fr_CA.65001"},
      {"  de \t", 0x0C07, "AUT", 1252, "de_AT.1252"},
      {"de_DE.1252", 0x0409, "USA", 65001, "de_DE.1252"},
      {"it_IT", 0x0409, "ita", 850, "it_IT.850"},
      {nullptr, 0x0410, "ita", 850, "it_IT.850"},
      {nullptr, 0x0407, "DEU", 1252, "de_DE.1252"},
      {"", 0x041A, "HRV", 1250, "hr_HR.1250"},
      {nullptr, 0x040D, "ISR", 1255, "iw_IL.1255"},
      {nullptr, 0x0418, "ROM", 1250, "ro_RO.1250"},
      {nullptr, 0x0423, "BYS", 1251, "be_BY.1251"},
      {nullptr, 0x0465, "XYZ", 65001, "en_US.65001"},
      {nullptr, 0x0409, "", 65001, "en_US.65001"},
      {nullptr, 0x0409, "USAX", 65001, "en_US.65001"},
      {nullptr, 0x0809, "GBR", 65001, "en_GB.65001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(KZLanguageCode(c.start, c.localeId, c.country, c.codePage).ToUtf8(), c.code);
  }
}
