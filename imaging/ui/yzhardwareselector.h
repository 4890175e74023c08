#pragma once
// What the capture side's tool-bar lists share: a tool-bar selector over the hardware manager's layout
// model, with a vertical scroll bar and a text shown while the list is empty.

#include <cstdint>

#include "devices/yhardwareview.h"
#include "foundation/kstring.h"
#include "framework/core/zafscrollbar.h"
#include "model/qvsettings.h"
#include "toolkit/kztbselector.h"

class YHardware;

class YZHardwareSelector : public KZTBSelector {
 public:
  YZHardwareSelector(YHardwareView& view, int32_t width, int32_t height, const char16_t* emptyKey)
      : KZTBSelector(width, height), itsHardware(view.Owner()), emptyText(QvSettings::Text(emptyKey)) {
    Add(new ZafScrollBar(ZAF_VERTICAL_SCROLL));
    SetEmptyText(&emptyText);
  }

 protected:
  YHardware* itsHardware;

 private:
  KString emptyText;
};
