// A bitmap read by name from the framework data file the application opened at start. The program keeps
// its named bitmaps for the whole run and hands them to buttons, which must not delete them.
#ifndef TOOLKIT_KZBITMAP_H
#define TOOLKIT_KZBITMAP_H

#include "framework/data/zafbitmapdata.h"

class KZBitmap : public ZafBitmapData {
 public:
  // Empty, with the error set, when there is no data file or no bitmap of that name.
  explicit KZBitmap(const ZafIChar* name);
};

#endif
