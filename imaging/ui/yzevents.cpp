#include "imaging/ui/yzevents.h"

#include <algorithm>

#include "devices/yhardware.h"

namespace {

// The widest status text is followed by this many pixels.
constexpr int32_t kStatusGap = 2;

}  // namespace

YZEvents::YZEvents(YHardwareView& view, int32_t width, int32_t height)
    : YZHardwareSelector(view, width, height, u"\\Strings\\Hardware\\Status\\NoEvents") {
  for (const char16_t* key :
       {u"\\Strings\\Event\\ListCodes\\Armed", u"\\Strings\\Event\\ListCodes\\Capturing",
        u"\\Strings\\Event\\ListCodes\\Scoreboard"}) {
    statusWidth = std::max(statusWidth, TextWidth(QvSettings::Text(key).CStr()));
  }
  statusWidth += kStatusGap;
}

void YZEvents::Refresh() {
  const int32_t armed = itsHardware ? static_cast<int32_t>(itsHardware->ArmedEvents().size()) : 0;
  ChangeExtent({1, armed});
  KZTBSelector::Refresh();
}

int32_t YZEvents::ColumnCount(KPoint) {
  return kColumns;
}

void YZEvents::ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode) {
  const int32_t rowLeft = rect.left;
  rect.left = rowLeft + column * statusWidth;
  if (column < kColumns - 1) {
    rect.right = rect.left + statusWidth - 1;
  }
  // The list sets no column positions of its own, so the base only applies the inner margins.
  KZTBSelector::ColumnRegion(cell, column, rect, mode);
}
