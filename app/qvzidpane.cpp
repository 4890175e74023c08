#include "app/qvzidpane.h"

#include "framework/core/zafeventtypes.h"

QvZIdPane::QvZIdPane(QvZChartWindow* owner, int maxLength, int32_t width)
    : KZTBString(maxLength, width), itsOwner(owner) {}

QvZIdPane::~QvZIdPane() = default;

ZafEventType QvZIdPane::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapEvent(event);
  if (code == ChosenEvent) {
    return code;
  }
  return KZTBString::Event(event);
}
