#include "app/qvzcontrol.h"

#include <algorithm>

#include "app/mainmenubar.h"
#include "app/producttitle.h"
#include "app/qvzstatusbar.h"
#include "devices/qvschedule.h"
#include "devices/yhardware.h"
#include "foundation/kregistry.h"
#include "framework/core/zafdisplay.h"
#include "imaging/ui/yzhardwarebar.h"
#include "model/qvsettings.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzpulldownmenu.h"

namespace {

// The frame's restored place and least size in pixels; it opens maximised.
constexpr int32_t kLeft = 10;
constexpr int32_t kTop = 10;
constexpr int32_t kMinimumWidth = 600;
constexpr int32_t kMinimumHeight = 320;

int32_t DisplayColumns() {
  return ZafWindowObject::display ? ZafWindowObject::display->columns : 0;
}
int32_t DisplayLines() {
  return ZafWindowObject::display ? ZafWindowObject::display->lines : 0;
}

bool HasArgument(const ZafIChar* option) {
  return KZApplication::application && KZApplication::application->FindArgument(option);
}

}  // namespace

QvZControl::QvZControl(YHardware& hardware, QvSchedule* schedule)
    : KZControl(kLeft, kTop, std::max(kMinimumWidth, DisplayColumns() * 3 / 4),
                std::max(kMinimumHeight, DisplayLines() * 3 / 5)),
      itsHardware(&hardware),
      itsSchedule(schedule) {
  SetCoordinateType(ZAF_PIXEL);
  SetMaximized(true);
  if (KRegistry* root = QvSettings::Root()) {
    singleEvent = KRegistry::GetInt(root, u"\\Event\\SingleEvent");
  }
  SetText(ProductTitle().CStr());

  const MainMenuOptions options{.developer = HasArgument(u"-devel"), .gunAudio = HasArgument(u"-gunaudio")};
  const MainMenuBar menus = BuildMainMenuBar(options);
  menuBar = menus.bar;
  windowMenu = menus.windowMenu;
  Add(menuBar);

  hardwareBar = new YZHardwareBar(this, hardware.View());
  Add(hardwareBar);

  statusBar = new QvZStatusBar;
  Add(statusBar);
  KZStatusBar::flyOverBar = statusBar;
}

QvZControl::~QvZControl() {
  // The bars are deleted with the frame's children, after this.
  if (menuBar && menuBar->Parent() == this) {
    menuBar = nullptr;
  }
  if (statusBar && statusBar->Parent() == this) {
    statusBar = nullptr;
  }
}

ZafEventType QvZControl::Event(const ZafEventRecord& event) {
  if (event.type != IdleTickEvent) {
    return KZControl::Event(event);
  }
  itsHardware->Idle();
  if (itsSchedule) {
    itsSchedule->Idle();
  }
  hardwareBar->Event(event);
  return KZControl::Event(event);
}
