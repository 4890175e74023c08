// The results pane's operations on the control unit: the download of the latest trial (reaction times,
// traces or both) and the two single requests (the title to show, the lane states). Each runs to its end
// on the GUI thread on the program's link port. Between its steps and while it waits for the unit it only
// paints, serves the links and reads the break key (and at a download's lane gaps an exit asked): keys
// and clicks made meanwhile stay queued, in their order, and the loop acts on them once the operation has
// ended and shown what it brought. The link-busy claim keeps the questions an operation asks from starting
// another operation on the port or closing the window whose operation is still running.
#include <chrono>
#include <functional>
#include <optional>

#include "app/busypointer.h"
#include "app/downloadstop.h"
#include "app/linkbusy.h"
#include "app/linkport.h"
#include "app/linkquestions.h"
#include "app/linkwaitservice.h"
#include "app/mainstatusbar.h"
#include "app/qvzresultspane.h"
#include "app/qvzresultswindow.h"
#include "app/yzapplication.h"
#include "devices/qvblocksensors.h"
#include "devices/qvpacket.h"
#include "devices/qvserialport.h"
#include "foundation/klog.h"
#include "foundation/kregistry.h"
#include "foundation/kserialport.h"
#include "foundation/kx.h"
#include "framework/core/zaficon.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/qvresultsview.h"
#include "model/qvsettings.h"
#include "model/yleg.h"
#include "model/ytime.h"
#include "native/user/keyboard.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzstatusbar.h"

namespace {

constexpr const char16_t* kEndlessText =
    u"Kestrove will now loop infinitely, retrieving data from the block sensor.  Press and hold <CTRL> + "
    u"<SHIFT> to abort";

// ---- what the user sees ----

void ShowMessage(const KString& text) {
  if (YZApplication* application = YZApplication::Current()) {
    application->Message(text);
  }
}

void ShowErrorText(const KString& text) {
  if (YZApplication* application = YZApplication::Current()) {
    application->Error(text);
  }
}

// The question about a request that failed: what it names, and whether it offers Ignore.
struct FailureQuestion {
  KString separator;
  KString detail;
  bool ignore;
};

// The probe and the trial header name the port.
FailureQuestion AboutThePort(const KString& portName) {
  return {KString(u": "), portName, false};
}

// A download's requests name their lane; the single request, which fetches every lane at once, the range
// "1-<lane count>". Ignore gives the lanes up.
FailureQuestion AboutTheLanes(const KString& lanes) {
  KString detail = QvSettings::Text(u"\\Strings\\Event\\Results\\Fields\\LaneNum", u"Lane");
  detail.AppendChar(u' ').Append(lanes);
  return {KString(u" "), detail, true};
}

// How a request to the unit ended for its operation: answered, or, after its question, its lanes ignored
// or the operation given up (Abort); a stop asked ends it unasked.
enum class RequestEnd { kAnswered, kIgnored, kAborted, kStopped };

// Makes one attempt of a request; `last` says that no attempt follows before the question.
using Attempt = std::function<bool(int32_t attempt, bool last)>;

// Tries a request `attempts` times in a row, then asks the question until an attempt is answered or the
// user gives up; Retry opens the port again first, since the unit may have been unplugged and plugged in
// again. A stop asked ends the attempts and asks nothing: once it is asked, the operation breaks off.
RequestEnd Persist(int32_t attempts, const Attempt& attempt, const FailureQuestion& question) {
  for (;;) {
    for (int32_t made = 0; made < attempts && !DownloadStop::Latched(); ++made) {
      if (attempt(made, made + 1 >= attempts)) {
        return RequestEnd::kAnswered;
      }
    }
    if (DownloadStop::Latched()) {
      return RequestEnd::kStopped;
    }
    const int32_t choice = AskLinkTimeout(question.separator, question.detail, question.ignore);
    if (choice != KZDialog::kRetryResult) {
      return choice == KZDialog::kIgnoreResult ? RequestEnd::kIgnored : RequestEnd::kAborted;
    }
    LinkPort::Reopen();
  }
}

bool AskOverwrite(const char16_t* titleKey, const char16_t* title, const char16_t* textKey,
                  const char16_t* text) {
  return KZMessageWindow::Ask(QvSettings::Text(titleKey, title).CStr(),
                              QvSettings::Text(textKey, text).CStr(), KZDialog::kYes | KZDialog::kNo,
                              KZDialog::kYes, ZAF_ICON_QUESTION);
}

// The question that names what a download would clear: results (reaction times and powers), traces or both.
bool AskOverwrite(bool results, bool traces) {
  if (results && traces) {
    return AskOverwrite(u"\\Strings\\Event\\Results\\OverDataTitle", u"Existing Results and Traces",
                        u"\\Strings\\Event\\Results\\OverDataText",
                        u"Results and Traces exist for this race.  Do you wish to overwrite them?");
  }
  if (results) {
    return AskOverwrite(u"\\Strings\\Event\\Results\\OverResTitle", u"Overwrite Existing Results",
                        u"\\Strings\\Event\\Results\\OverText",
                        u"Results exist for this race.  Do you wish to overwrite them?");
  }
  return AskOverwrite(u"\\Strings\\Event\\Results\\OverTrcTitle", u"Overwrite Existing Traces",
                      u"\\Strings\\Event\\Results\\OverTrcText",
                      u"Traces exist for this race.  Do you wish to overwrite them?");
}

void SetProgress(int32_t percent) {
  if (KZStatusBar* bar = MainStatusBar()) {
    bar->SetProgress(percent);
  }
}

// The break key stopped a download: said at once, the gauge gone, and drawn before the end steps run.
void SayBrokenOff() {
  if (KZStatusBar* bar = MainStatusBar()) {
    bar->Clear();
    bar->SetText(QvSettings::Text(u"\\Strings\\Alerts\\UserAborted", u"Operation aborted by user."));
  }
  ServeWhileLinkWaits();
}

bool CtrlAndShiftHeld() {
  return (native::GetAsyncKeyState(native::VK_CONTROL) & 0x8000) &&
         (native::GetAsyncKeyState(native::VK_SHIFT) & 0x8000);
}

// ---- the lanes ----

QvResult* FindLane(QvResults& results, int32_t lane) {
  KString text;
  return results.FindByField(QvResult::kLaneField, text.AppendInt(lane));
}

// ---- the port ----

// The port number of the first named serial port: 0 when it names none.
int32_t PortNumber(const KRGroup& entry) {
  int32_t number = 0;
  if (!KSerialPort::ParsePort(KRegistry::GetString(&entry, KString::View(u"SerialPort")), number)) {
    return 0;
  }
  return number;
}

bool PortSelected(const KRGroup* entry) {
  if (entry != nullptr && PortNumber(*entry) > 0) {
    return true;
  }
  ShowMessage(QvSettings::Text(u"\\Strings\\SerialPort\\NoComSelected", u"No COM port has been selected"));
  return false;
}

}  // namespace

struct QvZResultsPane::TrialHeader {
  int32_t busy = 0;
  int32_t laneCount = 0;
  int32_t clockWord = 0;
  int32_t offset = QvBlockSensors::kNone;
  int32_t setWord = QvBlockSensors::kNone;
  int32_t gunTimeWord = QvBlockSensors::kNone;
  int32_t version = QvBlockSensors::kTimesInHeaderVersion;
  // When the header was read: the moment of its clock word.
  std::chrono::system_clock::time_point read;
};

// The lanes a download writes, of the trial that the header's gun word names, or its set word when it has
// no gun. The first lane written (its data fetched, or cleared by Ignore) first clears every lane of the
// event that holds another trial's data, lanes beyond the trial's lane count and lanes not in use included,
// so that no lane is left with an earlier trial's times, trace or false start, and makes the trial the
// event's (its time, and the trial its lanes are read as), however the download then ends; a download that
// writes no lane changes none, the event's time included. Each lane written is marked as this trial's, its
// false-start marks cleared for the rule to set again.
class QvZResultsPane::TrialLanes {
 public:
  TrialLanes(QvResults& results, const TrialHeader& header)
      : results(results), header(header), gun(YTime::FromMilliseconds(header.gunTimeWord)) {}

  // What the lanes hold that a download would clear: another trial's data in any lane, which its first
  // lane written clears; and this trial's data that the command fetches again, reaction times for Add
  // Reaction Times and traces for Download Trace. A trial's results are the reaction times and powers.
  struct Held {
    bool results = false;
    bool traces = false;
    // This trial's reaction times: Download Trace writes the lanes' times too when there are none.
    bool ownTimes = false;
  };
  Held Scan(bool addReactionTimes, bool downloadTraces) const {
    Held held;
    for (const QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
         result = results.Iterate(result, nullptr)) {
      const bool times = result->GetReactionTime().HasResolution();
      const bool trace = result->TraceSampleCount() != 0;
      if (result->OfTrial(gun, header.setWord)) {
        held.ownTimes = held.ownTimes || times;
        held.results = held.results || (addReactionTimes && times);
        held.traces = held.traces || (downloadTraces && trace);
      } else {
        held.results = held.results || times || result->HasPower();
        held.traces = held.traces || trace;
      }
    }
    return held;
  }

  // Before the lane's data are written.
  void Write(QvResult& lane) {
    if (!written) {
      written = true;
      for (QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
           result = results.Iterate(result, nullptr)) {
        if (!result->OfTrial(gun, header.setWord)) {
          result->ClearTrialData();
        }
      }
      if (QvEvent* event = results.GetEvent()) {
        event->GetRunTime(header.clockWord, header.gunTimeWord, header.read);
      }
    }
    lane.SetGunTime(gun);
    // The set word names a trial without a gun; a trial with one is named by its gun.
    lane.SetTrialSetWord(gun.HasResolution() ? YTime::kNoMilliseconds : header.setWord);
    lane.SetFalseStart(false);
    lane.SetFalseStartCharged(false);
  }

 private:
  QvResults& results;
  const TrialHeader& header;
  const YTime gun;
  bool written = false;
};

// One operation on the link: it holds the link-busy claim for its whole length and, once the unit has
// answered, the port open with the busy pointer shown; its end clears the status bar, closes the port,
// paints what the operation changed and shows the default pointer, however the operation returns. Input
// held during the operation is acted on after that paint, over what the operation brought.
class QvZResultsPane::LinkOperation {
 public:
  LinkOperation(QvZResultsPane& pane, Purpose purpose) : claim(pane.GetEvent()) {
    if (claim.Owned()) {
      stop.emplace(purpose == Purpose::kDownload);
      opening = pane.OpenAndProbe(purpose, header, endless, answer);
    }
    if (Running()) {
      busy.emplace();
    }
  }
  ~LinkOperation() {
    if (Running()) {
      KZStatusBar* bar = MainStatusBar();
      if (bar != nullptr && !keepStatusBar) {
        bar->Clear();
      }
      LinkPort::Port().Close();
      PaintWhileLinkWaits();
    }
  }
  LinkOperation(const LinkOperation&) = delete;
  LinkOperation& operator=(const LinkOperation&) = delete;

  // Whether the operation goes on with the port open; else what it returns, and whether a stop asked
  // broke it off.
  bool Running() const { return opening == Opening::kRunning; }
  bool Answer() const { return answer; }
  bool BrokenOff() const { return opening == Opening::kBrokenOff; }
  // The end leaves the status bar as it is, with what the operation said last.
  void KeepStatusBar() { keepStatusBar = true; }

  TrialHeader header;
  bool endless = false;

 private:
  const LinkBusyClaim claim;
  // Ends after the destructor's steps, before the claim.
  std::optional<DownloadStop::Operation> stop;
  Opening opening = Opening::kEnded;
  bool answer = false;
  bool keepStatusBar = false;
  std::optional<BusyPointer> busy;
};

QvZResultsPane::Opening QvZResultsPane::OpenAndProbe(Purpose purpose, TrialHeader& header, bool& endless,
                                                     bool& answer) {
  answer = false;
  QvBlockSensors* link = QvBlockSensors::Global();
  const KRGroup* entry = QvSerialPort::GetNth(0);
  if (link == nullptr || entry == nullptr || !PortSelected(entry)) {
    return Opening::kEnded;
  }
  KSerialPort& port = LinkPort::Port();
  try {
    LinkPort::Open(KRegistry::GetString(entry, KString::View(u"SerialPort")));
  } catch (const KX& failure) {
    port.Close();
    // A download the user asked for says why nothing happened; the title and the lane states go out on
    // every new event and status change, so for them a log line is enough.
    if (purpose == Purpose::kDownload) {
      if (YZApplication* application = YZApplication::Current()) {
        application->ShowError(failure.Code(), -1);
      }
    } else if (KLog* log = KLog::ProgramLog()) {
      KString text(u"The control unit's port did not open: ");
      log->Warning(text.Append(KRegistry::GetString(entry, KString::View(u"SerialPort"))));
    }
    return Opening::kEnded;
  }
  answer = true;
  const FailureQuestion aboutThePort = AboutThePort(KRegistry::GetString(entry, KString::View(u"Name")));
  // Both ends close the port: the operation does not go on.
  const auto end = [&port](Opening opening) {
    port.Close();
    return opening;
  };
  int32_t word = 0;
  const RequestEnd probed = Persist(
      1,
      [&](int32_t, bool) {
        word = link->GetReplyWord(port);
        return word != 0;
      },
      aboutThePort);
  if (DownloadStop::Latched()) {
    return end(Opening::kBrokenOff);
  }
  if (probed == RequestEnd::kAnswered && purpose == Purpose::kDownload && CtrlAndShiftHeld()) {
    endless = true;
    ShowMessage(KString(kEndlessText));
  }
  if (word == QvPacket::kBlockSensorWord) {
    ShowErrorText(
        QvSettings::Text(u"\\Strings\\Alerts\\DeviceIsBS",
                         u"The Device you are currently communicating with is a Kestrove Block Sensor"));
  }
  if (word != QvPacket::kControlUnitWord) {
    return end(Opening::kEnded);
  }
  const RequestEnd read = Persist(
      1,
      [&](int32_t, bool) {
        return link->GetLastTrial(port, word, header.busy, header.laneCount, header.clockWord, header.offset,
                                  header.setWord, header.gunTimeWord, header.version);
      },
      aboutThePort);
  if (DownloadStop::Latched()) {
    return end(Opening::kBrokenOff);
  }
  if (read != RequestEnd::kAnswered) {
    return end(Opening::kEnded);
  }
  header.read = std::chrono::system_clock::now();
  if (header.busy != 0) {
    ShowMessage(QvSettings::Text(u"\\Strings\\Alerts\\DeviceBusy",
                                 u"The Block Sensor/Control Center is currently busy"));
    return end(Opening::kEnded);
  }
  return Opening::kRunning;
}

bool QvZResultsPane::Download(bool addReactionTimes, bool downloadTraces) {
  if (itsResults == nullptr) {
    return false;
  }
  LinkOperation operation(*this, Purpose::kDownload);
  if (!operation.Running()) {
    if (operation.BrokenOff()) {
      SayBrokenOff();
    }
    return operation.Answer();
  }
  const TrialHeader& header = operation.header;
  KSerialPort& port = LinkPort::Port();
  QvBlockSensors& link = *QvBlockSensors::Global();
  // Said once for the trial: its lanes come without reaction times.
  if (header.gunTimeWord == QvBlockSensors::kNone) {
    link.ReportMissingGun();
  }
  SetProgress(1);
  TrialLanes trial(*itsResults, header);
  const TrialLanes::Held held = trial.Scan(addReactionTimes, downloadTraces);
  // Declined: nothing is fetched and every lane, mark and the event stay as they were.
  if ((held.results || held.traces) && !AskOverwrite(held.results, held.traces)) {
    return true;
  }
  const bool wantTimes = addReactionTimes || (downloadTraces && !held.ownTimes);
  const bool wantTraces = downloadTraces;
  FetchEnd end = FetchEnd::kEnded;
  if (addReactionTimes && header.version >= QvBlockSensors::kTimesInHeaderVersion) {
    end = FetchHeaderTimes(link, port, header, trial);
  } else if (wantTimes || wantTraces) {
    end = FetchLanes(link, port, header, trial, wantTimes, wantTraces, operation.endless);
  }
  if (end == FetchEnd::kFailed) {
    return false;
  }
  const bool brokenOff = end == FetchEnd::kBrokenOff;
  if (brokenOff) {
    SayBrokenOff();
    operation.KeepStatusBar();
  }
  DownloadEnd(wantTraces, brokenOff);
  return true;
}

int32_t QvZResultsPane::ProgressStep(const TrialHeader& header) {
  // A trial of no lanes fetches nothing; there is no step to divide.
  return header.laneCount > 0 ? 100 / header.laneCount : 0;
}

QvZResultsPane::FetchEnd QvZResultsPane::FetchHeaderTimes(QvBlockSensors& link, KSerialPort& port,
                                                          const TrialHeader& header, TrialLanes& trial) {
  if (!PortSelected(QvSerialPort::GetNth(0))) {
    return FetchEnd::kFailed;
  }
  QvBlockSensors::HeaderWords words{};
  KString lanes(u"1-");
  lanes.AppendInt(header.laneCount);
  const RequestEnd read = Persist(
      QvBlockSensors::RetryCount(),
      [&](int32_t, bool last) { return link.GetTrialHeader(port, words, header.gunTimeWord, last); },
      AboutTheLanes(lanes));
  // Given up: no lane is written.
  if (read == RequestEnd::kStopped) {
    return FetchEnd::kBrokenOff;
  }
  if (read != RequestEnd::kAnswered) {
    return FetchEnd::kEnded;
  }
  bool brokenOff = DownloadStop::Asked();
  for (int32_t lane = 1; lane <= header.laneCount && !brokenOff; ++lane) {
    bool failed = false;
    QvResult* result = LaneToWrite(lane, failed);
    if (failed) {
      return FetchEnd::kFailed;
    }
    // The header holds lanes 1 to 10: the others come from their records, before the rule runs.
    if (result != nullptr && lane <= QvBlockSensors::kHeaderLanes) {
      trial.Write(*result);
      result->SetReactionTime(words[4 + lane]);
      result->SetTime3(header.offset);
    } else if (result != nullptr && !WriteLaneRecord(link, port, header, trial, *result, lane, true, false)) {
      return DownloadStop::Latched() ? FetchEnd::kBrokenOff : FetchEnd::kEnded;
    }
    brokenOff = LaneDone(result, true, lane, ProgressStep(header), lane < header.laneCount);
  }
  return brokenOff ? FetchEnd::kBrokenOff : FetchEnd::kEnded;
}

QvZResultsPane::FetchEnd QvZResultsPane::FetchLanes(QvBlockSensors& link, KSerialPort& port,
                                                    const TrialHeader& header, TrialLanes& trial,
                                                    bool wantTimes, bool wantTraces, bool endless) {
  if (!PortSelected(QvSerialPort::GetNth(0))) {
    return FetchEnd::kFailed;
  }
  bool brokenOff = false;
  bool aborted = false;
  for (bool passes = true; passes;) {
    brokenOff = DownloadStop::Asked();
    for (int32_t lane = 1; lane <= header.laneCount && !brokenOff && !aborted; ++lane) {
      bool failed = false;
      QvResult* result = LaneToWrite(lane, failed);
      if (failed) {
        return FetchEnd::kFailed;
      }
      aborted = result != nullptr &&
                !WriteLaneRecord(link, port, header, trial, *result, lane, wantTimes, wantTraces);
      if (aborted) {
        brokenOff = DownloadStop::Latched();
        break;
      }
      brokenOff = LaneDone(result, wantTimes, lane, ProgressStep(header), endless || lane < header.laneCount);
    }
    // A trial of no lanes has no pass to repeat.
    passes = endless && !brokenOff && !aborted && header.laneCount > 0 && !CtrlAndShiftHeld();
  }
  return brokenOff ? FetchEnd::kBrokenOff : FetchEnd::kEnded;
}

bool QvZResultsPane::WriteLaneRecord(QvBlockSensors& link, KSerialPort& port, const TrialHeader& header,
                                     TrialLanes& trial, QvResult& result, int32_t lane, bool wantTimes,
                                     bool wantTraces) {
  KString number;
  const RequestEnd fetched = Persist(
      QvBlockSensors::RetryCount(),
      [&](int32_t attempt, bool last) {
        return link.DownloadTrials(port, lane, 0, header.gunTimeWord, !wantTraces, last, attempt);
      },
      AboutTheLanes(number.AppendInt(lane)));
  if (fetched == RequestEnd::kStopped || fetched == RequestEnd::kAborted) {
    return false;
  }
  const bool ignored = fetched == RequestEnd::kIgnored;
  trial.Write(result);
  if (ignored) {
    if (wantTimes) {
      result.SetReactionTime(QvBlockSensors::kNone);
      result.SetTime2(QvBlockSensors::kNone);
      result.SetTime3(QvBlockSensors::kNone);
      result.SetPower(0);
    }
    return true;
  }
  if (wantTimes) {
    link.FillResult(result, true);
  }
  if (wantTraces) {
    link.FillResult(result, false);
  }
  result.SetTime3(header.offset);
  return true;
}

QvResult* QvZResultsPane::LaneToWrite(int32_t lane, bool& failed) {
  failed = false;
  QvResult* result = FindLane(*itsResults, lane);
  // A race has a row for each lane it has an athlete in (and for the default lanes, not in use where it has
  // none): a lane without a row is not the race's, whatever lanes the unit reports.
  const QvEvent* event = itsResults->GetEvent();
  if (result == nullptr && (event == nullptr || !event->TakesOnlyItsRacesLanes())) {
    result = itsResults->NewResult();
    if (result == nullptr) {
      failed = true;
      return nullptr;
    }
    KString text;
    result->SetAthleteField3(text.AppendInt(lane));
  }
  // A lane not in use has no competitor whose data the unit could give: nothing to fetch or write.
  return result != nullptr && !result->IsStatus7() ? result : nullptr;
}

bool QvZResultsPane::LaneDone(QvResult* result, bool wantTimes, int32_t lane, int32_t step,
                              bool lanesFollow) {
  if (wantTimes && result != nullptr) {
    itsResults->ForEach(*result);
  }
  SetProgress(lane * step);
  // The lane's row and the gauge drawn, the break key and an exit asked meanwhile taken; what else was
  // typed or clicked stays queued for after the download.
  ServeWhileLinkWaits();
  return lanesFollow && DownloadStop::Latched();
}

void QvZResultsPane::DownloadEnd(bool wantTraces, bool brokenOff) {
  if (!brokenOff) {
    SetProgress(100);
  }
  itsResults->MarkFalseStarts();
  if (itsWindow != nullptr) {
    itsWindow->UpdateTitle(true);
  } else {
    Refresh();
  }
  if (wantTraces) {
    KZStatusBar* bar = MainStatusBar();
    if (bar != nullptr && !brokenOff) {
      bar->SetText(QvSettings::Text(u"\\Strings\\Chart\\Plotting", u"Plotting..."));
    }
    if (itsWindow != nullptr) {
      itsWindow->SetAllTraces(true);
    }
    if (YLeg* leg = Leg()) {
      leg->Notify();
    }
  }
}

bool QvZResultsPane::SendTitle(const KString& text) {
  return RunSingleRequest(true, text);
}

bool QvZResultsPane::SendLaneStates() {
  return RunSingleRequest(false, KString());
}

bool QvZResultsPane::RunSingleRequest(bool sendTitle, const KString& text) {
  if (!sendTitle && itsResults == nullptr) {
    return false;
  }
  const LinkOperation operation(*this, Purpose::kSingleRequest);
  if (!operation.Running()) {
    return operation.Answer();
  }
  KSerialPort& port = LinkPort::Port();
  QvBlockSensors& link = *QvBlockSensors::Global();
  if (sendTitle) {
    link.SendText(port, text, true);
  } else {
    link.SendLaneStates(port, *itsResults, itsView, true);
  }
  return true;
}
