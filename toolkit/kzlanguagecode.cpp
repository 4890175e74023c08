#include "toolkit/kzlanguagecode.h"

#include <cctype>
#include <cstring>

namespace {

struct LanguageRow {
  uint32_t primaryLanguage;
  const char* code;
};

// Searched in order: 0x1A stands twice and the first row wins.
constexpr LanguageRow kLanguages[] = {
    {0x36, "af"}, {0x1C, "sq"}, {0x01, "ar"}, {0x2D, "eu"}, {0x23, "be"}, {0x02, "bg"}, {0x03, "ca"},
    {0x04, "zh"}, {0x1A, "hr"}, {0x05, "cs"}, {0x06, "da"}, {0x13, "nl"}, {0x09, "en"}, {0x25, "et"},
    {0x38, "fo"}, {0x0B, "fi"}, {0x0C, "fr"}, {0x07, "de"}, {0x08, "el"}, {0x0D, "iw"}, {0x39, "hi"},
    {0x0E, "hu"}, {0x0F, "is"}, {0x21, "in"}, {0x10, "it"}, {0x11, "ja"}, {0x12, "ko"}, {0x26, "lv"},
    {0x27, "lt"}, {0x2F, "mk"}, {0x3E, "ms"}, {0x14, "no"}, {0x15, "pl"}, {0x16, "pt"}, {0x18, "ro"},
    {0x19, "ru"}, {0x1A, "sr"}, {0x1B, "sk"}, {0x24, "sl"}, {0x0A, "es"}, {0x41, "sw"}, {0x1D, "sv"},
    {0x1E, "th"}, {0x1F, "tr"}, {0x22, "uk"}, {0x2A, "vi"},
};

struct CountryRow {
  const char* abbreviation;
  const char* code;
};

// ISO 3166-1 three-letter codes with their two-letter codes, and the older codes some systems still
// answer (ROM, ZAR, YUG, TMP, FXX, BYS).
constexpr CountryRow kCountries[] = {
    {"AFG", "AF"}, {"ALA", "AX"}, {"ALB", "AL"}, {"DZA", "DZ"}, {"ASM", "AS"}, {"AND", "AD"}, {"AGO", "AO"},
    {"AIA", "AI"}, {"ATA", "AQ"}, {"ATG", "AG"}, {"ARG", "AR"}, {"ARM", "AM"}, {"ABW", "AW"}, {"AUS", "AU"},
    {"AUT", "AT"}, {"AZE", "AZ"}, {"BHS", "BS"}, {"BHR", "BH"}, {"BGD", "BD"}, {"BRB", "BB"}, {"BLR", "BY"},
    {"BYS", "BY"}, {"BEL", "BE"}, {"BLZ", "BZ"}, {"BEN", "BJ"}, {"BMU", "BM"}, {"BTN", "BT"}, {"BOL", "BO"},
    {"BES", "BQ"}, {"BIH", "BA"}, {"BWA", "BW"}, {"BVT", "BV"}, {"BRA", "BR"}, {"IOT", "IO"}, {"BRN", "BN"},
    {"BGR", "BG"}, {"BFA", "BF"}, {"BDI", "BI"}, {"CPV", "CV"}, {"KHM", "KH"}, {"CMR", "CM"}, {"CAN", "CA"},
    {"CYM", "KY"}, {"CAF", "CF"}, {"TCD", "TD"}, {"CHL", "CL"}, {"CHN", "CN"}, {"CXR", "CX"}, {"CCK", "CC"},
    {"COL", "CO"}, {"COM", "KM"}, {"COG", "CG"}, {"COD", "CD"}, {"ZAR", "ZR"}, {"COK", "CK"}, {"CRI", "CR"},
    {"CIV", "CI"}, {"HRV", "HR"}, {"CUB", "CU"}, {"CUW", "CW"}, {"CYP", "CY"}, {"CZE", "CZ"}, {"DNK", "DK"},
    {"DJI", "DJ"}, {"DMA", "DM"}, {"DOM", "DO"}, {"ECU", "EC"}, {"EGY", "EG"}, {"SLV", "SV"}, {"GNQ", "GQ"},
    {"ERI", "ER"}, {"EST", "EE"}, {"SWZ", "SZ"}, {"ETH", "ET"}, {"FLK", "FK"}, {"FRO", "FO"}, {"FJI", "FJ"},
    {"FIN", "FI"}, {"FRA", "FR"}, {"FXX", "FX"}, {"GUF", "GF"}, {"PYF", "PF"}, {"ATF", "TF"}, {"GAB", "GA"},
    {"GMB", "GM"}, {"GEO", "GE"}, {"DEU", "DE"}, {"GHA", "GH"}, {"GIB", "GI"}, {"GRC", "GR"}, {"GRL", "GL"},
    {"GRD", "GD"}, {"GLP", "GP"}, {"GUM", "GU"}, {"GTM", "GT"}, {"GGY", "GG"}, {"GIN", "GN"}, {"GNB", "GW"},
    {"GUY", "GY"}, {"HTI", "HT"}, {"HMD", "HM"}, {"VAT", "VA"}, {"HND", "HN"}, {"HKG", "HK"}, {"HUN", "HU"},
    {"ISL", "IS"}, {"IND", "IN"}, {"IDN", "ID"}, {"IRN", "IR"}, {"IRQ", "IQ"}, {"IRL", "IE"}, {"IMN", "IM"},
    {"ISR", "IL"}, {"ITA", "IT"}, {"JAM", "JM"}, {"JPN", "JP"}, {"JEY", "JE"}, {"JOR", "JO"}, {"KAZ", "KZ"},
    {"KEN", "KE"}, {"KIR", "KI"}, {"PRK", "KP"}, {"KOR", "KR"}, {"KWT", "KW"}, {"KGZ", "KG"}, {"LAO", "LA"},
    {"LVA", "LV"}, {"LBN", "LB"}, {"LSO", "LS"}, {"LBR", "LR"}, {"LBY", "LY"}, {"LIE", "LI"}, {"LTU", "LT"},
    {"LUX", "LU"}, {"MAC", "MO"}, {"MDG", "MG"}, {"MWI", "MW"}, {"MYS", "MY"}, {"MDV", "MV"}, {"MLI", "ML"},
    {"MLT", "MT"}, {"MHL", "MH"}, {"MTQ", "MQ"}, {"MRT", "MR"}, {"MUS", "MU"}, {"MYT", "YT"}, {"MEX", "MX"},
    {"FSM", "FM"}, {"MDA", "MD"}, {"MCO", "MC"}, {"MNG", "MN"}, {"MNE", "ME"}, {"MSR", "MS"}, {"MAR", "MA"},
    {"MOZ", "MZ"}, {"MMR", "MM"}, {"NAM", "NA"}, {"NRU", "NR"}, {"NPL", "NP"}, {"NLD", "NL"}, {"NCL", "NC"},
    {"NZL", "NZ"}, {"NIC", "NI"}, {"NER", "NE"}, {"NGA", "NG"}, {"NIU", "NU"}, {"NFK", "NF"}, {"MKD", "MK"},
    {"MNP", "MP"}, {"NOR", "NO"}, {"OMN", "OM"}, {"PAK", "PK"}, {"PLW", "PW"}, {"PSE", "PS"}, {"PAN", "PA"},
    {"PNG", "PG"}, {"PRY", "PY"}, {"PER", "PE"}, {"PHL", "PH"}, {"PCN", "PN"}, {"POL", "PL"}, {"PRT", "PT"},
    {"PRI", "PR"}, {"QAT", "QA"}, {"REU", "RE"}, {"ROU", "RO"}, {"ROM", "RO"}, {"RUS", "RU"}, {"RWA", "RW"},
    {"BLM", "BL"}, {"SHN", "SH"}, {"KNA", "KN"}, {"LCA", "LC"}, {"MAF", "MF"}, {"SPM", "PM"}, {"VCT", "VC"},
    {"WSM", "WS"}, {"SMR", "SM"}, {"STP", "ST"}, {"SAU", "SA"}, {"SEN", "SN"}, {"SRB", "RS"}, {"SYC", "SC"},
    {"SLE", "SL"}, {"SGP", "SG"}, {"SXM", "SX"}, {"SVK", "SK"}, {"SVN", "SI"}, {"SLB", "SB"}, {"SOM", "SO"},
    {"ZAF", "ZA"}, {"SGS", "GS"}, {"SSD", "SS"}, {"ESP", "ES"}, {"LKA", "LK"}, {"SDN", "SD"}, {"SUR", "SR"},
    {"SJM", "SJ"}, {"SWE", "SE"}, {"CHE", "CH"}, {"SYR", "SY"}, {"TWN", "TW"}, {"TJK", "TJ"}, {"TZA", "TZ"},
    {"THA", "TH"}, {"TLS", "TL"}, {"TMP", "TP"}, {"TGO", "TG"}, {"TKL", "TK"}, {"TON", "TO"}, {"TTO", "TT"},
    {"TUN", "TN"}, {"TUR", "TR"}, {"TKM", "TM"}, {"TCA", "TC"}, {"TUV", "TV"}, {"UGA", "UG"}, {"UKR", "UA"},
    {"ARE", "AE"}, {"GBR", "GB"}, {"USA", "US"}, {"UMI", "UM"}, {"URY", "UY"}, {"UZB", "UZ"}, {"VUT", "VU"},
    {"VEN", "VE"}, {"VNM", "VN"}, {"VGB", "VG"}, {"VIR", "VI"}, {"WLF", "WF"}, {"ESH", "EH"}, {"YEM", "YE"},
    {"YUG", "YU"}, {"ZMB", "ZM"}, {"ZWE", "ZW"},
};

constexpr uint32_t kPrimaryLanguageMask = 0x3FF;

const char* LanguageOf(uint32_t localeId) {
  for (const LanguageRow& row : kLanguages) {
    if (row.primaryLanguage == (localeId & kPrimaryLanguageMask)) {
      return row.code;
    }
  }
  return "en";
}

const char* CountryOf(const char* abbreviation) {
  if (!abbreviation || std::strlen(abbreviation) != 3) {
    return "US";
  }
  char upper[4] = {};
  for (size_t at = 0; at < 3; ++at) {
    upper[at] = static_cast<char>(std::toupper(static_cast<unsigned char>(abbreviation[at])));
  }
  for (const CountryRow& row : kCountries) {
    if (std::strcmp(row.abbreviation, upper) == 0) {
      return row.code;
    }
  }
  return "US";
}

}  // namespace

KString KZLanguageCode(const char* start, uint32_t localeId, const char* country, uint32_t codePage) {
  KString code = KString::FromUtf8(start ? start : "");
  code.Trim();
  if (code.IsEmpty()) {
    code.AppendNarrow(LanguageOf(localeId));
  }
  if (code.Find(u'_') < 0) {
    code.AppendChar(u'_').AppendNarrow(CountryOf(country));
  }
  if (code.Find(u'.') < 0) {
    code.AppendChar(u'.').AppendInt(codePage);
  }
  return code;
}
