#include "app/qvzeventmdi.h"

#include "app/busypointer.h"
#include "app/downloadstop.h"
#include "app/eventlayout.h"
#include "app/eventpanetable.h"
#include "app/linkbusy.h"
#include "app/panewindowmakers.h"
#include "app/producttitle.h"
#include "app/programalert.h"
#include "app/qvzcontrol.h"
#include "app/yzapplication.h"
#include "devices/qvscoreboards.h"
#include "foundation/kx.h"
#include "framework/core/zafeventtypes.h"
#include "framework/core/zaficon.h"
#include "imaging/ui/yzhardwarebar.h"
#include "model/qvchart.h"
#include "model/qvevent.h"
#include "model/qveventschedule.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"
#include "model/yleg.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/windowapi.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzcontrol.h"
#include "toolkit/kzeditableselector.h"
#include "toolkit/kzeditableselectorstring.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzpulldownmenu.h"

namespace {

bool InRange(ZafEventType code, ZafEventType first, ZafEventType last) {
  return code >= first && code <= last;
}

// The results interface file of the event, when the settings ask for one; false when writing it failed. A
// document without a file has none (a false-start copy leaves a document never saved without one): its
// results have no name to go under, and the copy asked for does not wait for them.
bool WriteResultsInterface(QvEvent& event) {
  QvEventSchedule* schedule = QvEventSchedule::Registered();
  return event.FileName().IsEmpty() || schedule == nullptr || schedule->WriteQXF(event, 0);
}

// Tells that the results interface file failed: written but not taken by the database, with the link's
// error, or else `code`.
void ShowResultsInterfaceFailure(int32_t code) {
  QvEventSchedule* schedule = QvEventSchedule::Registered();
  if (const int32_t refused = schedule != nullptr ? schedule->TakeRefusedSend() : 0; refused != 0) {
    ShowNumberedError(kErrResultsNotTaken, refused);
  } else {
    ShowNumberedError(code);
  }
}

// The scoreboards' output task reads the event it was given: it must let go of it before it is deleted.
// Setting the event waits for a tick that runs.
void ForgetOnScoreboards(const QvEvent* event) {
  YZApplication* application = YZApplication::Current();
  QvScoreboards* scoreboards = application ? application->Scoreboards() : nullptr;
  if (scoreboards && scoreboards->GetCurrentEvent() == event) {
    scoreboards->SetCurrentEvent(nullptr);
  }
}

void RefreshHardwareBar() {
  if (auto* frame = dynamic_cast<QvZControl*>(KZApplication::mainFrame); frame && frame->HardwareBar()) {
    frame->HardwareBar()->RefreshControls();
  }
}

}  // namespace

QvZEventMDI::QvZEventMDI(std::unique_ptr<QvEvent> event)
    : KZMDIChild(0, 0, kWidth, kHeight), document(std::move(event)), geometry(new KZGeomMgr) {
  SetCoordinateType(ZAF_PIXEL);
  SetMaximized(true);
  panes = std::make_unique<EventPaneTable>(*this, *geometry);
  panes->Build(ReadEventLayout(&PaneWindowMakers::Has), this);
  document->View().SetOwner(this);
  currentLeg = document->Leg(0);
  ShowFileTitle();
  Add(geometry);
  // Making the chart a pane shows is no change of the user's.
  const bool modified = document->IsModified();
  panes->Layout([this](PaneKind kind) { return ModelFor(kind); });
  document->SetModified(modified);
}

QvZEventMDI::~QvZEventMDI() {
  panes->ReleaseViews();
  panes.reset();
  document->View().SetOwner(nullptr);
  ForgetOnScoreboards(document.get());
  document.reset();
}

void QvZEventMDI::SetupClass() {
  InstallBuiltInEventLayout();
}

PaneModel QvZEventMDI::ModelFor(PaneKind kind) const {
  PaneModel model;
  switch (kind) {
    case PaneKind::kSummary:
      model.eventView = &document->View();
      break;
    case PaneKind::kResults:
      model.resultsView = currentLeg ? currentLeg->Results().View(0) : nullptr;
      break;
    case PaneKind::kChart:
      if (currentLeg) {
        QvChart* chart = currentLeg->ChartCount() > 0 ? currentLeg->Chart(0) : currentLeg->NewChart();
        model.chartView = chart ? chart->GetLine(0, true) : nullptr;
      }
      break;
  }
  return model;
}

void QvZEventMDI::ShowFileTitle() {
  KString title;
  document->GetDocumentName(title);
  SetTitle(title.CStr());
}

PaneWindow* QvZEventMDI::CurrentWindow(PaneKind kind) const {
  return panes->Current(kind);
}

ZafEventType QvZEventMDI::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapEvent(event);
  if (InRange(code, FirstChartCommand, LastChartCommand)) {
    return PassToCurrent(PaneKind::kChart, event, code);
  }
  if (InRange(code, FirstResultsCommand, LastResultsCommand)) {
    return PassToCurrent(PaneKind::kResults, event, code);
  }
  switch (code) {
    case SaveCommand:
      Save(kSave);
      return code;
    case SaveAsCommand:
      Save(kSaveAs);
      return code;
    case SaveFalseStartCommand:
      Save(kSaveFalseStartCopy);
      return code;
    case SaveQxfCommand:
      SaveQxf();
      return code;
    case ChildCloseQueryEvent:
      return AskBeforeClosing(code, false);
    case QueryExitEvent:
      return AskBeforeClosing(code, true);
    case UpdateMenuEvent:
      UpdateMenu(event);
      return code;
    case IdleTickEvent:
      document->ServeRequests();
      return code;
    default:
      return KZMDIChild::Event(event);
  }
}

ZafEventType QvZEventMDI::PassToCurrent(PaneKind kind, const ZafEventRecord& event, ZafEventType code) {
  PaneWindow* window = panes->Current(kind);
  return window ? window->Window()->Event(event) : code;
}

void QvZEventMDI::UpdateMenu(const ZafEventRecord& event) {
  if (KZPullDownMenu* bar = KZApplication::mainMenuBar) {
    for (const ZafEventType command : {SaveCommand, SaveAsCommand, SaveFalseStartCommand, SaveQxfCommand}) {
      bar->EnableCommand(command, true);
    }
  }
  for (const PaneKind kind : {PaneKind::kSummary, PaneKind::kChart, PaneKind::kResults}) {
    if (PaneWindow* window = panes->Current(kind)) {
      window->Window()->Event(event);
    }
  }
}

bool QvZEventMDI::Save(int32_t mode) {
  BusyPointer busy;
  const int32_t result = document->Save(mode);
  if (result == 0) {
    ShowFileTitle();
    RefreshHardwareBar();
    // A false-start copy is a snapshot: the document's own file still lacks the changes.
    if (mode != kSaveFalseStartCopy) {
      document->SetModified(false);
    }
  } else if (result != QvEvent::kCancelled) {
    ShowNumberedError(result);
  }
  // The interface file follows a saved document only: after a cancelled or failed save there is no
  // document of that state for it to match.
  if (result == 0 && !WriteResultsInterface(*document)) {
    ShowResultsInterfaceFailure(kErrQxfWrite);
  }
  return result == 0;
}

void QvZEventMDI::SaveQxf() {
  if (const int32_t result = document->MakeCurrent(); result != 0) {
    ShowResultsInterfaceFailure(result);
  }
}

ZafEventType QvZEventMDI::AskBeforeClosing(ZafEventType code, bool exiting) {
  // The window whose operation on the control-unit link is still running stays, without a question. An
  // exit asked meanwhile stops a download at its next lane and is asked again once the operation ends.
  if (LinkBusyClaim::IsBusyFor(document.get())) {
    if (exiting) {
      DownloadStop::AskExit();
    }
    return 0;
  }
  // A further close or exit asked while this window's question is open adds nothing.
  if (asking) {
    return 0;
  }
  // A cell still being edited keeps its text, and the question must see it; the field also holds the
  // pointer and the focus, which must be the question's.
  if (KZEditableSelectorString* field = KZEditableSelectorString::Open()) {
    field->owner->StoreOpenEdit();
  }
  if (!document->IsModified()) {
    return code;
  }
  // Several windows may go by one name (two of one race, say): the question is asked in front of the
  // window it means, and names the document's whole file when it has one. The main window, minimised to
  // its icon, is restored first, as its icon's Restore does.
  ZafWindow* main = KZApplication::mainFrame;
  if (main && main->ScreenID() && native::IsIconic(main->ScreenID(2))) {
    native::SendMessage(main->ScreenID(2), native::WM_SYSCOMMAND, native::SC_RESTORE, 0);
  }
  Activate();
  KString text(u"'");
  if (document->FileName().IsEmpty()) {
    document->GetDocumentName(text);
  } else {
    text.Append(document->FileName());
  }
  text.Append(u"' ").Append(QvSettings::Text(exiting ? u"\\Strings\\Event\\Close\\ExitText"
                                                     : u"\\Strings\\Event\\Close\\CloseText"));
  KString title;
  if (exiting) {
    title = QvSettings::Text(u"\\Strings\\Event\\Close\\ExitTitle");
    title.AppendChar(u' ').Append(kProductName);
  } else {
    title = QvSettings::Text(u"\\Strings\\Event\\Close\\CloseTitle");
  }
  KZMessageWindow question(title.CStr(), text.CStr(), KZDialog::kYes | KZDialog::kNo | KZDialog::kCancel,
                           KZDialog::kYes, ZAF_ICON_QUESTION);
  asking = true;
  ZafEventType answer = 0;
  switch (question.Execute()) {
    case KZDialog::kYesResult:
      answer = Save(kSave) ? code : 0;
      break;
    case KZDialog::kNoResult:
      answer = code;
      break;
    default:
      // Cancel, Escape, the close box: unsaved work is never dropped without a No.
      break;
  }
  asking = false;
  return answer;
}

void QvZEventMDI::Relayout() {
  Event(ZafEventRecord(SizedEvent, 0));
}

void QvZEventMDI::EnlargeChart(PaneWindow* chartWindow) {
  if (panes->Enlarge(chartWindow)) {
    Relayout();
  }
}

void QvZEventMDI::RestoreChart(PaneWindow* chartWindow) {
  if (panes->Restore(chartWindow)) {
    Relayout();
  }
}

void QvZEventMDI::SetCurrentChart(PaneWindow* window) {
  panes->SetCurrent(PaneKind::kChart, window);
}

void QvZEventMDI::SetCurrentSummary(PaneWindow* window) {
  panes->SetCurrent(PaneKind::kSummary, window);
}

void QvZEventMDI::SetCurrentResults(PaneWindow* window) {
  panes->SetCurrent(PaneKind::kResults, window);
}

void QvZEventMDI::Activate() {
  KZMDIChild::Activate();
  if (PaneWindow* chart = panes->Current(PaneKind::kChart)) {
    SetCurrentChart(chart);
  }
}
