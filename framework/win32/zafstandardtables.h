// The tables the screen and the printer display share: the 17 standard colours (nearest to the default
// palette), the solid and dotted pens, the solid and half-tone patterns, the copy and exclusive-or modes,
// and the starting palette.
#ifndef FRAMEWORK_WIN32_ZAFSTANDARDTABLES_H
#define FRAMEWORK_WIN32_ZAFSTANDARDTABLES_H

#include "framework/win32/zafgdidisplay.h"

// Fills the tables and rebuilds the logical palette; the display deletes fillPatterns[0] and [1].
void FillStandardTables(ZafGdiDisplay& display);

#endif
