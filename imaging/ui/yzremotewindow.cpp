#include "imaging/ui/yzremotewindow.h"

#include "imaging/ui/yzremotepane.h"
#include "toolkit/kzevents.h"

YZRemoteWindow::YZRemoteWindow(int32_t value, YHardwareView* view)
    : KZWindow(0, 0, 14, 9), value(value), pane(new YZRemotePane(view)) {
  Add(pane);
}

void YZRemoteWindow::SetView(YHardwareView* view) {
  pane->SetView(view);
}

void YZRemoteWindow::SetValue(int32_t id) {
  pane->SetTarget(id);
}

ZafEventType YZRemoteWindow::Event(const ZafEventRecord& event) {
  if (MapEvent(event) == UpdateMenuEvent) {
    return pane->Event(event);
  }
  return KZWindow::Event(event);
}
