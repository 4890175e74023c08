#pragma once
// The program's name and version, and the title built from them that the main frame's caption, the results
// printout's footer and the exported chart's maker line show: "Kestrove Pellacorvine  v2.04".

#include "foundation/kstring.h"

inline constexpr char16_t kProductName[] = u"Kestrove Pellacorvine";
inline constexpr char16_t kProductVersion[] = u"2.04";

// The product name, two blanks, "v" and the version.
KString ProductTitle();
