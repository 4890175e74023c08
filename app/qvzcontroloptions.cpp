// The main frame's Options commands: the options dialog at the page of the command (or the raw settings
// editor), again until the chart's X range is usable, then every event window takes the settings.
#include "app/qvzcontrol.h"
#include "app/qvzoptionsdialog.h"
#include "app/settingwrites.h"
#include "app/yzapplication.h"
#include "devices/qvschedule.h"
#include "foundation/kregistry.h"
#include "model/qvsettings.h"
#include "native/user/keyboard.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzregistrydialog.h"

namespace {

// The X range the chart can show, in seconds.
constexpr double kEarliestX = -3.0;
constexpr double kLatestX = 2.0;

bool KeyHeld(native::UINT key) {
  return native::GetKeyState(static_cast<int>(key)) < 0;
}

}  // namespace

ZafEventType QvZControl::RunOptionsDialog(ZafEventType code) {
  if (code == QvZOptionsDialog::kGeneralCommand && KeyHeld(native::VK_CONTROL) && KeyHeld(native::VK_SHIFT)) {
    KZRegistryDialog editor(QvSettings::Root());
    return editor.Execute();
  }
  YZApplication* application = YZApplication::Current();
  QvZOptionsDialog::Services services;
  services.hardware = itsHardware;
  if (application) {
    services.files = application->Files();
    services.boards = application->Scoreboards();
  }
  QvZOptionsDialog dialog(static_cast<int32_t>(code - QvZOptionsDialog::kGeneralCommand), services);
  return dialog.Execute();
}

void QvZControl::RunOptions(ZafEventType code) {
  ZafEventType result = KZDialog::kCancelResult;
  for (;;) {
    result = RunOptionsDialog(code);
    if (itsSchedule) {
      itsSchedule->SetDataFiles();
    }
    if (result == KZDialog::kCancelResult) {
      break;
    }
    const double minimum = SettingWrites::ReadFloat(nullptr, u"\\Chart\\Axes\\MinX", kEarliestX);
    const double maximum = SettingWrites::ReadFloat(nullptr, u"\\Chart\\Axes\\MaxX", kLatestX);
    if (!(minimum < maximum)) {
      if (YZApplication* application = YZApplication::Current()) {
        application->Error(QvSettings::Text(u"\\Strings\\Options\\Chart\\InvalidRange"));
      }
      code = QvZOptionsDialog::kChartCommand;
    } else if (minimum >= kEarliestX && maximum <= kLatestX) {
      break;
    }
  }
  if (result != KZDialog::kCancelResult) {
    RedrawAllEvents();
  }
  ResetAllEvents();
  ClearAllEvents();
}
