#include "app/qvzcontrol.h"

#include <algorithm>

#include "app/framecommands.h"
#include "app/mainmenubar.h"
#include "app/producttitle.h"
#include "app/qvzeventmdi.h"
#include "app/qvzoptionsdialog.h"
#include "app/qvzstatusbar.h"
#include "devices/qvschedule.h"
#include "devices/qvscoreboards.h"
#include "devices/yhardware.h"
#include "framework/core/zafdisplay.h"
#include "imaging/ui/yzhardwarebar.h"
#include "imaging/ui/yzhardwaremdi.h"
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
  if (itsSchedule != nullptr) {
    itsSchedule->AskBeforeReplacing(&AgreesToReplaceTypedAthletes);
  }
  QvEvent::SetFileCheck(
      [this](const QvEvent& saving, const KString& path) { return MayWriteFile(saving, path); });
}

QvZControl::~QvZControl() {
  QvEvent::SetFileCheck({});
  if (itsSchedule != nullptr) {
    itsSchedule->AskBeforeReplacing({});
  }
  // The bars are deleted with the frame's children, after this.
  if (menuBar && menuBar->Parent() == this) {
    menuBar = nullptr;
  }
  if (statusBar && statusBar->Parent() == this) {
    statusBar = nullptr;
  }
}

YZHardwareMDI* QvZControl::OpenHardwareWindow() {
  hardwareWindow = new YZHardwareMDI(itsHardware->View());
  Add(hardwareWindow);
  return hardwareWindow;
}

ZafEventType QvZControl::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapEvent(event);
  if (code >= FirstHardwareBarCommand && code <= LastHardwareBarCommand) {
    return hardwareBar ? hardwareBar->Event(event) : 0;
  }
  switch (code) {
    case NewCommand:
      return hardwareBar ? hardwareBar->Event(ZafEventRecord(NewEventCommand, 0)) : 0;
    case OpenCommand:
      return hardwareBar ? hardwareBar->Event(ZafEventRecord(OpenEventCommand, 0)) : 0;
    case QueryExitEvent: {
      const ZafEventType answer = KZControl::Event(event);
      if (answer != 0) {
        Help(kHelpQuit);
      }
      return answer;
    }
    case UpdateMenuEvent:
      EnableMenuCommands();
      return KZControl::Event(event);
    case IdleTickEvent:
      IdleFanOut(event);
      return KZControl::Event(event);
    default:
      return ServeCommand(code, event);
  }
}

void QvZControl::IdleFanOut(const ZafEventRecord& event) {
  itsHardware->Idle();
  if (itsSchedule) {
    itsSchedule->Idle();
    scheduleWaiting.Follow(itsSchedule->NextWait());
  }
  if (ZafWindowObject* child = CurrentChild()) {
    child->Event(event);
  }
  hardwareBar->Event(event);
  QvScoreboards* scoreboards = Scoreboards();
  QvZEventMDI* window = CurrentEventWindow();
  if (scoreboards && window && !scoreboards->GetCurrentEvent()) {
    scoreboards->SetCurrentEvent(window->GetEvent());
    hardwareBar->RefreshControls();
  }
}

void QvZControl::EnableMenuCommands() {
  KZPullDownMenu* bar = KZApplication::mainMenuBar;
  if (!bar) {
    return;
  }
  for (const ZafEventType command :
       {UpdateFirmwareCommand, LoadAudioCommand, NewCommand, OpenCommand, SchedulePreviousCommand,
        ScheduleGotoCommand, ScheduleNextCommand, AboutCommand, HelpContentsCommand}) {
    bar->EnableCommand(command, true);
  }
  for (ZafEventType command = QvZOptionsDialog::kGeneralCommand; command <= QvZOptionsDialog::kResultsCommand;
       ++command) {
    bar->EnableCommand(command, true);
  }
  if (QvScoreboards* scoreboards = Scoreboards()) {
    for (const ZafEventType command :
         {ScoreboardInitializeCommand, ScoreboardRefreshCommand, ScoreboardTimeOfDayCommand,
          Scoreboard24HourCommand, ScoreboardEditMessageCommand, ScoreboardSendMessageCommand}) {
      bar->EnableCommand(command, true);
    }
    bar->CheckCommand(ScoreboardTimeOfDayCommand, scoreboards->GetFlag1());
    bar->CheckCommand(Scoreboard24HourCommand, scoreboards->GetFlag2());
  }
}
