// The main frame's own menu commands other than the event documents': the scoreboards, the chart display,
// the uploads to the control unit, help and the about box.
#include "app/downloadstop.h"
#include "app/framecommands.h"
#include "app/linkbusy.h"
#include "app/producttitle.h"
#include "app/qvzchartpane.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzlocalalgorithmdialog.h"
#include "app/qvzoptionsdialog.h"
#include "app/qvzscoreboardmessagedialog.h"
#include "app/yzapplication.h"
#include "devices/qvblocksensors.h"
#include "devices/qvscoreboards.h"
#include "foundation/klog.h"
#include "framework/core/zaficon.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"
#include "model/yleg.h"
#include "native/shell/helpviewer.h"
#include "toolkit/kzmessagewindow.h"

namespace {

// A question's settings texts, with the English words for a language file that lacks them.
struct Question {
  const char16_t* titlePath;
  const char16_t* title;
  const char16_t* textPath;
  const char16_t* text;
};

constexpr Question kPowerQuestion{
    u"\\Strings\\Hardware\\UpdateFirmware\\PowerTitle", u"Update Firmware",
    u"\\Strings\\Hardware\\UpdateFirmware\\Power",
    u"Switch the control unit off and on again so that it starts its boot monitor, then press Ok."};
constexpr Question kMoreFirmwareQuestion{u"\\Strings\\Hardware\\UpdateFirmware\\DoMoreTitle",
                                         u"Update Firmware", u"\\Strings\\Hardware\\UpdateFirmware\\DoMore",
                                         u"Update the firmware of another control unit?"};
constexpr Question kMoreAudioQuestion{u"\\Strings\\Hardware\\LoadAudio\\DoMoreTitle", u"Load Audio",
                                      u"\\Strings\\Hardware\\LoadAudio\\DoMore",
                                      u"Load the sound into another control unit?"};

ZafEventType Ask(const Question& question, uint32_t buttons, uint32_t defaultButton) {
  const KString title = QvSettings::Text(question.titlePath, question.title);
  const KString text = QvSettings::Text(question.textPath, question.text);
  KZMessageWindow window(title.CStr(), text.CStr(), buttons, defaultButton, ZAF_ICON_QUESTION);
  return window.Execute();
}

}  // namespace

QvScoreboards* QvZControl::Scoreboards() {
  YZApplication* application = YZApplication::Current();
  return application ? application->Scoreboards() : nullptr;
}

ZafEventType QvZControl::ServeCommand(ZafEventType code, const ZafEventRecord& event) {
  switch (code) {
    case AboutCommand:
      About();
      return code;
    case HelpContentsCommand:
      Help(kHelpContents);
      return code;
    case ScoreboardTimeOfDayCommand:
    case Scoreboard24HourCommand:
    case ScoreboardEditMessageCommand:
    case ScoreboardSendMessageCommand:
      ServeScoreboardCommand(code);
      return code;
    case UpdateFirmwareCommand:
    case LoadAudioCommand:
      RunUploads(code == UpdateFirmwareCommand);
      return code;
    case QvZChartPane::kLocalAlgorithmSettingsCommand:
      if (QvZLocalAlgorithmDialog::Run()) {
        RedrawAllEvents();
      }
      return code;
    default:
      if (code >= QvZOptionsDialog::kGeneralCommand && code <= QvZOptionsDialog::kResultsCommand) {
        RunOptions(code);
        return code;
      }
      if (code == ChartShowDataCommand || code == ChartLocalAlgorithmLineCommand ||
          (code >= ChartFirstDisplayMode && code <= ChartLastDisplayMode)) {
        ServeChartCommand(code);
        return code;
      }
      return KZControl::Event(event);
  }
}

void QvZControl::ServeScoreboardCommand(ZafEventType code) {
  QvScoreboards* scoreboards = Scoreboards();
  if (!scoreboards) {
    return;
  }
  switch (code) {
    case ScoreboardTimeOfDayCommand:
      scoreboards->SetFlag1(!scoreboards->GetFlag1());
      break;
    case Scoreboard24HourCommand:
      scoreboards->SetFlag2(!scoreboards->GetFlag2());
      break;
    case ScoreboardEditMessageCommand: {
      QvZScoreboardMessageDialog dialog(*scoreboards);
      dialog.Execute();
      break;
    }
    default:
      scoreboards->RequestClear();
      break;
  }
}

void QvZControl::ServeChartCommand(ZafEventType code) {
  if (code == ChartShowDataCommand) {
    if (QvZEventMDI* window = CurrentEventWindow(); window && window->GetEvent()->GetLegCount() > 0) {
      window->GetEvent()->Leg(0)->Request27();
    }
    return;
  }
  if (code == ChartLocalAlgorithmLineCommand) {
    localAlgorithmLine = !localAlgorithmLine;
  } else {
    chartDisplayMode = code;
  }
  RedrawAllEvents();
}

void QvZControl::RunUploads(bool firmware) {
  QvBlockSensors* link = QvBlockSensors::Global();
  if (!link) {
    return;
  }
  // The link is one port: while another operation on it runs, the upload does nothing.
  const LinkBusyClaim claim(nullptr);
  if (!claim.Owned()) {
    return;
  }
  // An exit asked meanwhile ends the upload's wait and the passes; the claim's end asks it again.
  const DownloadStop::Operation upload(false);
  for (bool firstPass = true; !DownloadStop::Latched(); firstPass = false) {
    if (firmware) {
      Ask(kPowerQuestion, KZDialog::kOk, KZDialog::kOk);
      // An exit asked while the question showed sends nothing more to the unit.
      if (DownloadStop::Latched()) {
        return;
      }
    }
    if (!(firmware ? link->UpdateFirmware(firstPass) : link->LoadAudio(firstPass))) {
      return;
    }
    if (Ask(firmware ? kMoreFirmwareQuestion : kMoreAudioQuestion, KZDialog::kYes | KZDialog::kNo,
            KZDialog::kNo) == KZDialog::kNoResult) {
      return;
    }
  }
}

int32_t QvZControl::Help(int32_t mode) {
  if (mode != kHelpContents && mode != kHelpQuit) {
    return 0;
  }
  KString path;
  if (KZApplication::application) {
    KZApplication::application->ProgramFile().GetDirectory(path);
  }
  path.Append(kHelpFile);
  const int32_t answer = native::WinHelp(
      ScreenID(), path.CStr(), mode == kHelpContents ? native::HELP_CONTENTS : native::HELP_QUIT, 0);
  if (mode == kHelpContents && !answer) {
    // No help file comes with the program; the user may put one beside it.
    if (KLog* log = KLog::ProgramLog()) {
      KString line(u"QvZControl::Help: no help file or viewer for ");
      log->Warning(line.Append(path));
    }
    if (YZApplication* application = YZApplication::Current()) {
      application->Error(QvSettings::Text(u"\\Strings\\Alerts\\NoHelp").Append(u"\r\n").Append(path));
    }
  }
  return answer;
}

void QvZControl::About() {
  KString title = QvSettings::Text(u"\\Strings\\About\\Title");
  title.AppendChar(u' ').Append(kProductName);
  KString511 text;
  text.Append(u"\r\n")
      .Append(QvSettings::Text(u"\\Strings\\About\\Version"))
      .Append(u"  ")
      .Append(YZApplication::Version())
      .Append(u"\r\n")
      .Append(QvSettings::Text(u"\\Strings\\About\\Released"))
      .Append(u"  ")
      .Append(YZApplication::BuildDate())
      .Append(u"\r\n\r\n");
  KZMessageWindow dialog(title.CStr(), text.CStr(), KZDialog::kOk, KZDialog::kOk, 0);
  dialog.Execute();
}
