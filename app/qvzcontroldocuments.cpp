// The main frame's event documents: new, opened and scheduled events each in a window of their own, the
// single-event rule, the default lanes, and the notifications to every event window.
#include <memory>

#include "app/defaultlanes.h"
#include "app/programalert.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzscheduledialog.h"
#include "app/yzapplication.h"
#include "devices/qvschedule.h"
#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "framework/core/zaficon.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/qvresultsview.h"
#include "model/qvsettings.h"
#include "model/yleg.h"
#include "toolkit/kzmessagewindow.h"

namespace {

// The open dialog offers event files first; a choice of the next filter takes the file in as a new
// document.
constexpr const char16_t* kOpenFilter = u"qve";
constexpr int32_t kOpenAsNewChoice = 1;
// Added to every save the frame asks for: a new name is asked for when the document has none.
constexpr int32_t kFrameSaveFlags = 0x10;

YLeg* FirstLeg(QvEvent& event) {
  return event.GetLegCount() > 0 ? event.Leg(0) : nullptr;
}

}  // namespace

QvZEventMDI* QvZControl::ShowInNewWindow(std::unique_ptr<QvEvent> event) {
  auto* window = new QvZEventMDI(std::move(event));
  Add(window);
  return window;
}

QvZEventMDI* QvZControl::NewEvent() {
  if (!CloseForSingleEvent()) {
    return nullptr;
  }
  auto event = std::make_unique<QvEvent>();
  if (const int32_t result = event->NewFromSchedule(1, 0); result != 0) {
    ShowNumberedError(result);
    return nullptr;
  }
  AddDefaultLanes(*event, true);
  QvZEventMDI* window = ShowInNewWindow(std::move(event));
  // The lanes a new event starts with are not the user's change.
  window->GetEvent()->SetModified(false);
  return window;
}

void QvZControl::AddDefaultLanes(QvEvent& event, bool statusCheck) {
  if (event.GetLegCount() == 0) {
    return;
  }
  QvResults& results = event.Leg(event.GetLegCount() - 1)->Results();
  const bool switches = statusCheck && !event.TakesOnlyItsRacesLanes();
  const int32_t count = DefaultLaneCount();
  for (int32_t lane = 1; lane <= count; ++lane) {
    KString text;
    text.AppendInt(lane);
    if (results.FindByField(QvResult::kLaneField, text) != nullptr) {
      continue;
    }
    QvResult* result = results.NewResult();
    if (result == nullptr) {
      return;
    }
    // A lane marked in use keeps the status it was made with under the check.
    if (!switches || !QvResultsView::IsSpecialLengthSet(lane - 1)) {
      result->SetStatus(QvResult::kLaneNotUsed);
    }
    result->SetAthleteField(QvResult::kLaneField, text);
  }
}

QvZEventMDI* QvZControl::WindowHoldingFile(const KString& path, const QvEvent* except) const {
  for (QvZEventMDI* window = FindEventWindow(nullptr); window; window = FindEventWindow(window)) {
    if (window->GetEvent() != except && window->GetEvent()->GetFileName(path)) {
      return window;
    }
  }
  return nullptr;
}

QvZEventMDI* QvZControl::BringForwardWindowOf(const KString& path) {
  QvZEventMDI* window = WindowHoldingFile(path, nullptr);
  if (window != nullptr) {
    window->Activate();
  }
  return window;
}

QvZEventMDI* QvZControl::OpenEventFile(const KString* name) {
  // A file named by another program that a window shows already comes forward before the single-event
  // rule would close that very window and open the file again.
  if (name != nullptr) {
    if (QvZEventMDI* window = BringForwardWindowOf(*name)) {
      return window;
    }
  }
  KString path;
  int32_t mode = QvEvent::kOpenFile;
  if (name != nullptr) {
    path = *name;
  } else {
    KFile file(QvEvent::GetDirectory());
    const int32_t choice = KOpenFileDialog(file, kOpenFilter);
    if (choice < 0) {
      return nullptr;
    }
    path = file.Name();
    QvEvent::SetDirectory(path);
    if (choice == kOpenAsNewChoice) {
      mode = QvEvent::kOpenAsNew;
    }
  }
  if (QvZEventMDI* window = BringForwardWindowOf(path)) {
    return window;
  }
  // The file is read before the single-event rule closes the current window: a file that cannot be opened
  // leaves that window as it was.
  auto event = std::make_unique<QvEvent>();
  if (const int32_t result = event->Open(mode, path); result != 0) {
    ShowNumberedError(result);
    return nullptr;
  }
  // A document opened with corrected false-start marks stays changed, so that closing asks to save them; the
  // window's panes change nothing the user made.
  const bool corrected = event->IsModified();
  if (!CloseForSingleEvent()) {
    return nullptr;
  }
  QvZEventMDI* window = ShowInNewWindow(std::move(event));
  QvEvent& opened = *window->GetEvent();
  opened.SetModified(mode == QvEvent::kOpenAsNew ? SaveEvent(opened, QvEvent::kSaveFile) != 0 : corrected);
  return window;
}

QvZEventMDI* QvZControl::ScheduleGoto(int32_t direction, QvZEventMDI* window, int32_t flag,
                                      RacePlaced* placed) {
  const auto tell = [placed](RacePlaced road) {
    if (placed != nullptr) {
      *placed = road;
    }
  };
  tell(RacePlaced::kNowhere);
  if (itsSchedule == nullptr) {
    return nullptr;
  }
  QvEvent* given = window ? window->GetEvent() : nullptr;
  const bool wasModified = given && given->IsModified();
  const bool holdsRace = given != nullptr && given->HasEventRoundHeat();
  const QvScheduleItem previousRace = itsSchedule->Current();
  std::unique_ptr<QvEvent> created;
  try {
    QvScheduleItem race;
    if (direction == 0) {
      QvZScheduleDialog dialog(*itsSchedule);
      // A cancelled dialog asked for no race; a failed Load Schedule in it was told already.
      if (dialog.Execute() != KZDialog::kOkResult) {
        return nullptr;
      }
      race = QvScheduleItem(dialog.EventText(), dialog.RoundText(), dialog.HeatText(), KString());
    } else {
      // A window's step goes on from the race the window holds, the main tool bar's (and that of a window
      // that holds none) from the schedule's current race.
      const QvScheduleItem* next =
          itsSchedule->Neighbour(direction, holdsRace ? QvSchedule::RaceOf(*given) : previousRace);
      if (next == nullptr) {
        return nullptr;
      }
      race = *next;
    }
    if (holdsRace) {
      // The window's own race changes nothing in it, so nothing the user corrected is read over; the
      // schedule goes on from it.
      if (!QvSchedule::HoldsOtherRace(*given, race)) {
        itsSchedule->SetCurrent(race);
        tell(RacePlaced::kWindowsOwn);
        return window;
      }
      // Another race goes to a document of its own, as the main tool bar's steps take it: the window's
      // race keeps its times, its file and its unsaved changes, which the single-event rule asks about.
      window = nullptr;
      given = nullptr;
    }
    QvEvent* event = itsSchedule->ReadEventEntries(given, flag, race.GetEventText(), race.GetRoundText(),
                                                   race.GetHeatText(), 0);
    // A race the database link gave no answer about stays unopened; the same step asks again.
    if (event == nullptr && itsSchedule->LinkError() != 0) {
      ShowNumberedError(itsSchedule->LinkError());
    }
    if (window != nullptr) {
      given->SetModified(wasModified);
      if (event == nullptr) {
        return nullptr;
      }
      window->ShowFileTitle();
      tell(RacePlaced::kIntoWindow);
      return window;
    }
    if (event == nullptr) {
      return nullptr;
    }
    created.reset(event);
    // The new event is made before the single-event rule closes the current window; when that window stays
    // the schedule stays at its race.
    if (!CloseForSingleEvent()) {
      itsSchedule->SetCurrent(previousRace);
      return nullptr;
    }
    AddDefaultLanes(*created, false);
    QvZEventMDI* made = ShowInNewWindow(std::move(created));
    made->GetEvent()->SetModified(false);
    tell(RacePlaced::kNewWindow);
    return made;
  } catch (...) {
    // Whatever went wrong, no half-made window or event stays behind.
    return nullptr;
  }
}

bool QvZControl::AgreesToReplaceTypedAthletes() {
  return KZMessageWindow::Ask(
      QvSettings::Text(u"\\Strings\\Event\\Results\\ReplaceAthletesTitle", u"Start List").CStr(),
      QvSettings::Text(u"\\Strings\\Event\\Results\\ReplaceAthletesText",
                       u"Some lanes hold names or other athlete details that differ from the start list of "
                       u"this race. Replace them with those of the start list?")
          .CStr(),
      KZDialog::kYes | KZDialog::kNo, KZDialog::kNo, ZAF_ICON_QUESTION);
}

bool QvZControl::SingleEventOn() {
  return QvSettings::Int(u"\\Event\\SingleEvent", 0, QvSettings::kSwitch) != 0;
}

bool QvZControl::CloseForSingleEvent() {
  if (!SingleEventOn()) {
    return true;
  }
  while (QvZEventMDI* window = FindEventWindow(nullptr)) {
    if (window->Event(ZafEventRecord(ChildCloseQueryEvent, 0)) == 0) {
      return false;
    }
    DeleteChild(window);
    if (FindEventWindow(nullptr) == window) {
      return false;
    }
  }
  return true;
}

int32_t QvZControl::SaveEvent(QvEvent& event, int32_t flags) {
  return event.Save(flags | kFrameSaveFlags);
}

bool QvZControl::MayWriteFile(const QvEvent& saving, const KString& path) const {
  QvZEventMDI* holder = WindowHoldingFile(path, &saving);
  if (holder == nullptr) {
    return true;
  }
  KString text(u"'");
  text.Append(path).Append(u"' ").Append(QvSettings::Text(u"\\Strings\\Event\\Save\\HeldText"));
  text.Append(u" '").Append(holder->Text()).Append(u"'.");
  if (YZApplication* application = YZApplication::Current()) {
    application->Error(text);
  }
  return false;
}

QvZEventMDI* QvZControl::FindEventWindow(ZafWindowObject* after) const {
  for (KZMDIChild* child = FindMDIChild(after); child; child = FindMDIChild(child)) {
    if (auto* window = dynamic_cast<QvZEventMDI*>(child)) {
      return window;
    }
  }
  return nullptr;
}

QvZEventMDI* QvZControl::CurrentEventWindow() const {
  return dynamic_cast<QvZEventMDI*>(CurrentMDIChild());
}

void QvZControl::SendToFirstLegs(void (YLeg::*send)()) {
  for (QvZEventMDI* window = FindEventWindow(nullptr); window; window = FindEventWindow(window)) {
    if (YLeg* leg = FirstLeg(*window->GetEvent())) {
      (leg->*send)();
    }
  }
}

void QvZControl::RedrawAllEvents() {
  SendToFirstLegs(&YLeg::Notify);
}

void QvZControl::ResetAllEvents() {
  SendToFirstLegs(&YLeg::RequestReset);
}

void QvZControl::ClearAllEvents() {
  SendToFirstLegs(&YLeg::RequestClear);
}

QvEvent* QvZControl::NewEventDocument() {
  QvZEventMDI* window = NewEvent();
  return window ? window->GetEvent() : nullptr;
}

QvEvent* QvZControl::OpenEventDocument() {
  QvZEventMDI* window = OpenEventFile(nullptr);
  return window ? window->GetEvent() : nullptr;
}

QvEvent* QvZControl::ScheduleStep(int32_t direction) {
  QvZEventMDI* window = ScheduleGoto(direction, nullptr, 0);
  return window ? window->GetEvent() : nullptr;
}
