#include "imaging/ui/yzstarts.h"

#include "devices/yhardware.h"
#include "model/ytime.h"
#include "native/native.h"

YZStarts::YZStarts(YHardwareView& view, int32_t width, int32_t height)
    : YZHardwareSelector(view, width, height, u"\\Strings\\Hardware\\Status\\NoStarts") {}

void YZStarts::Update() {
  int32_t shown = 0;
  int32_t beyond = 0;
  if (!itsHardware || !itsHardware->GetStartCount(shown, beyond)) {
    return;
  }
  if (shown == Extent().y && beyond == overflow) {
    return;
  }
  if (shown != Extent().y) {
    ChangeExtent({1, shown});
  }
  SetCurrentCell(CurrentCell());
  UpdateScroll();
  overflow = beyond;
  Redisplay();
  native::MessageBeep(0);
}

void YZStarts::CellText(KPoint cell, int32_t, KString& text, uint32_t&) {
  YTime start;
  if (itsHardware && itsHardware->GetStartTime(Extent().y + overflow - cell.y - 1, start)) {
    start.Format(text);
  }
}
