#include "native/shell/localeidentifier.h"

#include <algorithm>
#include <cctype>

namespace native {

namespace {

struct Language {
  std::string_view code;
  DWORD primary;
};

// Primary language identifiers; the sub-language 1 is each language's default.
constexpr Language kLanguages[] = {
    {"af", 0x36}, {"ar", 0x01}, {"be", 0x23}, {"bg", 0x02}, {"ca", 0x03}, {"cs", 0x05}, {"da", 0x06},
    {"de", 0x07}, {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"et", 0x25}, {"eu", 0x2D}, {"fi", 0x0B},
    {"fo", 0x38}, {"fr", 0x0C}, {"he", 0x0D}, {"hi", 0x39}, {"hr", 0x1A}, {"hu", 0x0E}, {"id", 0x21},
    {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"lt", 0x27}, {"lv", 0x26}, {"mk", 0x2F},
    {"ms", 0x3E}, {"nb", 0x14}, {"nl", 0x13}, {"nn", 0x14}, {"no", 0x14}, {"pl", 0x15}, {"pt", 0x16},
    {"ro", 0x18}, {"ru", 0x19}, {"sk", 0x1B}, {"sl", 0x24}, {"sq", 0x1C}, {"sr", 0x1A}, {"sv", 0x1D},
    {"sw", 0x41}, {"th", 0x1E}, {"tr", 0x1F}, {"uk", 0x22}, {"vi", 0x2A}, {"zh", 0x04},
};

struct Regional {
  std::string_view language;
  std::string_view country;
  DWORD identifier;
};

// Countries whose identifier is not the language's default.
constexpr Regional kRegionals[] = {
    {"ar", "EG", 0x0C01}, {"de", "AT", 0x0C07}, {"de", "CH", 0x0807}, {"de", "LI", 0x1407},
    {"de", "LU", 0x1007}, {"en", "AU", 0x0C09}, {"en", "CA", 0x1009}, {"en", "GB", 0x0809},
    {"en", "IE", 0x1809}, {"en", "NZ", 0x1409}, {"en", "ZA", 0x1C09}, {"es", "AR", 0x2C0A},
    {"es", "CL", 0x340A}, {"es", "CO", 0x240A}, {"es", "ES", 0x0C0A}, {"es", "MX", 0x080A},
    {"fr", "BE", 0x080C}, {"fr", "CA", 0x0C0C}, {"fr", "CH", 0x100C}, {"fr", "LU", 0x140C},
    {"it", "CH", 0x0810}, {"nl", "BE", 0x0813}, {"nn", "NO", 0x0814}, {"pt", "PT", 0x0816},
    {"sr", "RS", 0x281A}, {"sv", "FI", 0x081D}, {"zh", "CN", 0x0804}, {"zh", "HK", 0x0C04},
    {"zh", "SG", 0x1004}, {"zh", "TW", 0x0404},
};

bool sameCode(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

DWORD localeIdentifier(std::string_view language, std::string_view country) {
  for (const Regional& regional : kRegionals) {
    if (sameCode(regional.language, language) && sameCode(regional.country, country)) {
      return regional.identifier;
    }
  }
  constexpr DWORD kDefaultSubLanguage = 1;
  for (const Language& entry : kLanguages) {
    if (sameCode(entry.code, language)) {
      return (kDefaultSubLanguage << 10) | entry.primary;
    }
  }
  return kLocaleUnitedStatesEnglish;
}

}  // namespace native
