// The language and locale code of the program ("de_DE.65001"): language, '_', country, '.', code page.
#ifndef TOOLKIT_KZLANGUAGECODE_H
#define TOOLKIT_KZLANGUAGECODE_H

#include <cstdint>

#include "foundation/kstring.h"

// `start` is what the user asked for (the "VESK_LANG" text, null when unset), trimmed. When it is empty,
// the primary language of `localeId` (its low 10 bits) names the language ("en" when unknown). Without a
// '_' the country is added from the three-letter abbreviation `country` ("US" when unknown); without a
// '.' the code page.
KString KZLanguageCode(const char* start, uint32_t localeId, const char* country, uint32_t codePage);

#endif
