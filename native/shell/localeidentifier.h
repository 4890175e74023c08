#pragma once
// Locale identifiers (LCIDs): the 16-bit language identifier of a language and country, as the program's
// language table expects them (primary language in the low 10 bits, sub-language above it).

#include <string_view>

#include "native/user/nativetypes.h"

namespace native {

inline constexpr DWORD kLocaleUnitedStatesEnglish = 0x0409;

// The identifier for an ISO 639 language code ("de") and ISO 3166 two-letter country code ("AT"), both
// matched without regard to case. A country the table does not pair with the language takes the language's
// default sub-language; an unknown language gives United States English.
DWORD localeIdentifier(std::string_view language, std::string_view country);

}  // namespace native
