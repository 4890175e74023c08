#include "toolkit/kztbstring.h"

#include "toolkit/kztoolbar.h"

KZTBString::KZTBString(int maxLength, int32_t width) : KZString(0, 0, 1, maxLength) {
  // The field's one line of cells, in pixels, gives its height.
  ZafRegionStruct line = Region();
  ConvertRegion(line, ZAF_PIXEL);
  KZPlaceToolItem(*this, width, line.Height());
}

KZTBString::~KZTBString() = default;
