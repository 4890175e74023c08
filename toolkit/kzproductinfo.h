// What the program says about itself where the toolkit shows it (the splash window): its version, edition,
// build date and notice line, and the display's font slot those texts are written in. The program fills
// it in at start.
#ifndef TOOLKIT_KZPRODUCTINFO_H
#define TOOLKIT_KZPRODUCTINFO_H

#include <cstdint>

#include "foundation/kstring.h"

struct KZProductInfo {
  KString version;
  KString edition;
  KString buildDate;
  KString notice;
  // Index 0-9 of the screen display's font table.
  int32_t splashFont = 1;
};

#endif
