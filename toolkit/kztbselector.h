// A selector list on a tool bar: where a row is neither current nor greyed it shows the bar's own
// background rather than the list's window colour.
#ifndef TOOLKIT_KZTBSELECTOR_H
#define TOOLKIT_KZTBSELECTOR_H

#include <cstdint>

#include "toolkit/kzselector.h"

class KZTBSelector : public KZSelector {
 public:
  KZTBSelector(int32_t width, int32_t height);
  ~KZTBSelector() override;

  // The selector's colours; unselected, the text background and the row colours stay unset.
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
};

#endif
