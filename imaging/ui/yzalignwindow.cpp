#include "imaging/ui/yzalignwindow.h"

#include "imaging/ui/yzalignpane.h"
#include "toolkit/kzevents.h"

YZAlignWindow::YZAlignWindow(YHardwareView* view)
    : KZWindow(0, 0, 0, 0), itsView(view), pane(new YZAlignPane(view)) {
  Add(pane);
  if (itsView) {
    itsView->SetAlignWindow(this);
  }
}

YZAlignWindow::~YZAlignWindow() {
  if (itsView && itsView->AlignWindow() == this) {
    itsView->SetAlignWindow(nullptr);
  }
}

void YZAlignWindow::SetValue(int32_t newRow) {
  row = newRow;
  pane->SetInterface(newRow);
}

ZafEventType YZAlignWindow::Event(const ZafEventRecord& event) {
  if (MapEvent(event) == IdleTickEvent) {
    return IdleTickEvent;
  }
  return KZWindow::Event(event);
}

void YZAlignWindow::HardwareNotification(int32_t) {
  pane->Update();
}
