#include "toolkit/kzwindow.h"

#include "toolkit/kzmousetable.h"

KZWindow::KZWindow(int32_t left, int32_t top, int32_t width, int32_t height)
    : ZafWindow(left, top, width, height), KZWindowLeech(this) {}

KZWindow::~KZWindow() = default;

ZafEventType KZWindow::Event(const ZafEventRecord& event) {
  if (const ZafEventType taken = KZWindowLeech::Event(event)) {
    return taken;
  }
  const ZafEventType code = MapMouseEvent(event);
  const ZafEventType answer = ZafWindow::Event(event);
  if (code == MovedEvent || code == SizedEvent) {
    GeometryChanged();
  }
  return answer;
}

ZafEventType KZWindow::MapMouseEvent(const ZafEventRecord& event) {
  return KZMapMouseState(*this, event, ZafWindow::MapEvent(event));
}
