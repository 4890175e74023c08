#include "app/qvzresultswindow.h"

#include <array>

#include "app/panewindowmakers.h"
#include "app/qvzresultspane.h"
#include "app/windowfill.h"
#include "foundation/kdatetime.h"
#include "foundation/kmessage.h"
#include "imaging/ui/classbitmaps.h"
#include "model/qvevent.h"
#include "model/qvnotification.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"
#include "toolkit/kzbitmap.h"
#include "toolkit/kzevents.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kztbspace.h"
#include "toolkit/kztoolbar.h"

namespace {

// The tool bar's bitmaps, loaded in the order the buttons first use them.
enum Bitmap : int32_t {
  kAddReactionTimesBitmap,
  kDownloadDataBitmap,
  kScheduleBackwardBitmap,
  kScheduleGotoBitmap,
  kScheduleForwardBitmap,
  kShowAllTracesBitmap,
  kPrintBitmap,
  kBitmapCount
};

constexpr const ZafIChar* kBitmapNames[kBitmapCount] = {u"AddReactionTimes",
                                                        u"DownloadData",
                                                        u"ScheduleBackward_Small",
                                                        u"ScheduleGoto_Small",
                                                        u"ScheduleForward_Small",
                                                        u"ShowAllTraces",
                                                        u"Print"};

std::array<KZBitmap*, kBitmapCount> bitmaps{};

constexpr int32_t kSpaceWidth = 4;

KZTBButton* NewButton(ZafEventType command, Bitmap bitmap) {
  return new KZTBButton(command, bitmaps[bitmap], 0, 0);
}

}  // namespace

QvZResultsWindow::QvZResultsWindow(QvResultsView* view) : KZWindow(0, 0, 0, 0) {
  SetCoordinateType(ZAF_PIXEL);
  SetBordered(true);
  toolBar = new KZToolBar(ZAF_DOCK_TOP, -1);
  toolBar->SetBordered(false);
  addReactionTimesButton = NewButton(QvZResultsPane::kAddReactionTimesCommand, kAddReactionTimesBitmap);
  showAllChartsButton = NewButton(QvZResultsPane::kShowAllChartsCommand, kShowAllTracesBitmap);
  for (ZafWindowObject* item : std::initializer_list<ZafWindowObject*>{
           addReactionTimesButton, NewButton(QvZResultsPane::kDownloadTraceCommand, kDownloadDataBitmap),
           NewButton(QvZResultsPane::kSchedulePreviousCommand, kScheduleBackwardBitmap),
           NewButton(QvZResultsPane::kScheduleChooseCommand, kScheduleGotoBitmap),
           NewButton(QvZResultsPane::kScheduleNextCommand, kScheduleForwardBitmap),
           NewButton(QvZResultsPane::kPrintCommand, kPrintBitmap), new KZTBSpace(kSpaceWidth),
           new KZTBSpace(kSpaceWidth), new KZTBSpace(kSpaceWidth), showAllChartsButton}) {
    toolBar->Add(item);
  }
  pane = new QvZResultsPane(this, nullptr);
  Add(toolBar);
  Add(pane);
  // The table fills what the tool bar leaves of the window.
  FillWithObject(*this, pane);
  showAllChartsButton->SetVisible(false);
  SetEvent(view);
}

QvZResultsWindow::~QvZResultsWindow() {
  SetEvent(nullptr);
}

void QvZResultsWindow::CreateBitmaps() {
  LoadClassBitmaps(bitmaps, kBitmapNames);
}

void QvZResultsWindow::DestroyBitmaps() {
  ReleaseClassBitmaps(bitmaps);
}

void QvZResultsWindow::SetupClass() {
  CreateBitmaps();
  QvZResultsPane::RegisterPrintDefaults();
  PaneWindowMakers::Register(PaneKind::kResults, [](QvZEventMDI*) { return new QvZResultsWindow(nullptr); });
}

void QvZResultsWindow::CleanupClass() {
  PaneWindowMakers::Register(PaneKind::kResults, {});
  QvZResultsPane::UnregisterPrintDefaults();
  DestroyBitmaps();
}

void QvZResultsWindow::SetEvent(QvResultsView* view) {
  if (view == itsView) {
    return;
  }
  if (itsView != nullptr) {
    itsView->SetMode(nullptr);
    pane->SetView(nullptr);
    itsView = nullptr;
    itsResults = nullptr;
  }
  if (view != nullptr) {
    itsView = view;
    itsResults = view->GetResults();
    itsView->SetMode(this);
    pane->SetView(view);
  }
  UpdateTitle(true);
}

void QvZResultsWindow::UpdateTitle(bool redraw) {
  if (redraw && pane->ScreenID()) {
    pane->Refresh();
  }
  if (itsView == nullptr || itsResults == nullptr || itsResults->Count(itsView) < 1) {
    return;
  }
  const QvEvent* event = itsResults->GetEvent();
  if (event == nullptr) {
    return;
  }
  KString text = QvSettings::Text(u"\\Strings\\Event\\Results\\Start", u"Start: ");
  text.AppendChar(u' ');
  event->InfoBlock().AppendTime(text);
  text.AppendChar(u' ');
  event->InfoBlock().AppendDate(text);
  toolBar->SetText(text);
}

void QvZResultsWindow::Notify(QvResult& result) {
  if (itsResults == nullptr) {
    return;
  }
  const int32_t row = itsResults->IterateSorted(&result, itsView);
  if (row < 0) {
    return;
  }
  pane->SetCurrentCell({0, row});
  if (pane->ScreenID()) {
    pane->MakeVisible({0, row}, true, false);
    pane->Refresh();
  }
}

void QvZResultsWindow::RunSensorCommandA() {
  const QvEvent* event = itsResults != nullptr ? itsResults->GetEvent() : nullptr;
  pane->SendTitle(event != nullptr ? event->GetTitle() : KString());
}

void QvZResultsWindow::RunSensorCommandB() {
  pane->SendLaneStates();
}

void QvZResultsWindow::ShowAllChartsButton(bool visible) {
  showAllChartsButton->SetVisible(visible);
}

void QvZResultsWindow::Notify(const KMessage& message) {
  switch (message.code & KMessage::kWhatMask) {
    case kQvLegCommandA:
      RunSensorCommandA();
      break;
    case kQvLegCommandB:
      RunSensorCommandB();
      break;
    case kQvLegRedraw:
    case kQvResultAdded:
      if (pane->ScreenID()) {
        pane->Refresh();
      }
      break;
    default:
      break;
  }
}

ZafEventType QvZResultsWindow::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  if ((code >= kFirstCommand && code <= kLastCommand) || code == UpdateMenuEvent) {
    return pane->Event(event);
  }
  return KZWindow::Event(event);
}
