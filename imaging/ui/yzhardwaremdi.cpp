#include "imaging/ui/yzhardwaremdi.h"

#include "devices/yhardwareview.h"
#include "imaging/ui/yzalignwindow.h"
#include "imaging/ui/yzhardwarepane.h"
#include "imaging/ui/yzhardwarewindow.h"
#include "model/qvsettings.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzgeomflags.h"
#include "toolkit/kzgeommgr.h"
#include "toolkit/kzgeomrc.h"

YZHardwareMDI::YZHardwareMDI(YHardwareView& view)
    : KZMDIChild(0, 0, 0, 0),
      hardwareWindow(new YZHardwareWindow(&view)),
      alignWindow(new YZAlignWindow(&view)) {
  SetRegion({0, 0, kWidth - 1, kHeight - 1, ZAF_PIXEL});
  SetTitle(QvSettings::Text(u"\\Strings\\Hardware\\Title").CStr());
  hardwareWindow->Pane()->SetAlignWindow(alignWindow);
  auto* layout = new KZGeomMgr;
  Add(layout);
  Add(hardwareWindow);
  Add(alignWindow);
  // The list hangs from the top left, reaches the whole width less a pixel and leaves room below it.
  layout->AddConstraint(new KZGeomRC(hardwareWindow, KZGEOM_BOTTOM | KZGEOM_STRETCH, 28, -2));
  layout->AddConstraint(new KZGeomRC(hardwareWindow, KZGEOM_RIGHT | KZGEOM_STRETCH, 100, -1));
  layout->AddConstraint(new KZGeomRC(hardwareWindow, KZGEOM_TOP, 0, 0));
  layout->AddConstraint(new KZGeomRC(hardwareWindow, KZGEOM_LEFT, 0, 0));
}

ZafEventType YZHardwareMDI::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapEvent(event);
  if ((code >= kFirstListCommand && code <= kLastListCommand) || code == YZHardwareWindow::kHardwareChanged) {
    return hardwareWindow->Event(event);
  }
  if (code >= kFirstAlignCommand && code <= kLastAlignCommand) {
    return alignWindow->Event(event);
  }
  if (code >= kFirstRemoteCommand && code <= kLastRemoteCommand) {
    return code;
  }
  if (code == UpdateMenuEvent || code == IdleTickEvent) {
    hardwareWindow->Event(event);
    alignWindow->Event(event);
    return code;
  }
  if (code == kCloseQuery) {
    return 0;
  }
  return KZMDIChild::Event(event);
}
