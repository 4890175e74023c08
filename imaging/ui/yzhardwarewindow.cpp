#include "imaging/ui/yzhardwarewindow.h"

#include "imaging/ui/yzbitmapset.h"
#include "imaging/ui/yzhardwarepane.h"
#include "imaging/ui/yzhardwaretitle.h"
#include "toolkit/kzevents.h"

namespace {

YZBitmapSet bitmaps{u"GetInfo", u"AlignOn", u"AlignOff"};

// The framework's placement of an object in the area its earlier siblings leave.
constexpr int32_t kFillsTheRest = 2;

}  // namespace

YZHardwareWindow::YZHardwareWindow(YHardwareView* view)
    : KZWindow(0, 0, 0, 0), itsView(view), pane(new YZHardwarePane(view)) {
  Add(pane->Title());
  pane->SetPlacement(kFillsTheRest);
  Add(pane);
  if (itsView) {
    itsView->SetHardwareWindow(this);
  }
}

YZHardwareWindow::~YZHardwareWindow() {
  if (itsView && itsView->HardwareWindow() == this) {
    itsView->SetHardwareWindow(nullptr);
  }
}

void YZHardwareWindow::Register() {
  bitmaps.Load();
}

void YZHardwareWindow::Unregister() {
  bitmaps.Release();
}

ZafEventType YZHardwareWindow::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapEvent(event);
  if ((code >= kFirstCommand && code <= kLastCommand) || code == UpdateMenuEvent || code == IdleTickEvent ||
      code == kHardwareChanged) {
    return pane->Event(event);
  }
  return KZWindow::Event(event);
}

void YZHardwareWindow::HardwareNotification(int32_t code) {
  if (code == YHardwareView::kHardwareList) {
    pane->Refresh();
  }
}

void YZHardwareWindow::ViewDestroyed() {
  itsView = nullptr;
  pane->SetView(nullptr);
}
