#include "app/qvzresultspane.h"

#include "app/linkbusy.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzresultstitle.h"
#include "app/qvzresultswindow.h"
#include "framework/core/zafscrollbar.h"
#include "imaging/ui/yzhardwarebar.h"
#include "imaging/ui/yzprinter.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/qvresultsview.h"
#include "model/qvsettings.h"
#include "model/yleg.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzeditableselectorstring.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpopupmenu.h"
#include "toolkit/kzpulldownmenu.h"

namespace {

constexpr int32_t kReactionTimeColumn = 7;
constexpr int32_t kPowerColumn = 8;

// The athlete field each edited column writes; -1 for the columns that store nothing.
constexpr int32_t kColumnFields[QvZResultsPane::kColumnCount] = {-1, -1, 4, 1, 0, 2, 5, -1, -1};

bool ShownInRed(const QvResult& result) {
  if (QvSettings::Bool(u"\\Event\\Results\\ShowAllFSInRed", false)) {
    return result.IsFalseStart();
  }
  return result.IsFalseStart() && result.IsFalseStartCharged();
}

void SetLogicalColour(uint8_t& colour, uint32_t& osColour, uint8_t logical) {
  colour = logical;
  osColour = ZAF_OS_COLOR_NOT_SET;
}

}  // namespace

KString QvZResultsPane::StatusText(int32_t status) {
  QvResult result;
  result.SetStatus(status);
  KString text;
  result.GetPlaceText(text, nullptr);
  return text;
}

QvZResultsPane::QvZResultsPane(QvZResultsWindow* window, QvResultsView* view)
    : KZEditableSelector(0, 0, 0, 0), itsWindow(window) {
  SetCoordinateType(ZAF_PIXEL);
  SetColumnCount(kColumnCount);
  title = new QvZResultsTitle(this, nullptr);
  Add(title);
  header = title;
  Add(new ZafScrollBar(ZAF_VERTICAL_SCROLL));
  SetView(view);
}

QvZResultsPane::~QvZResultsPane() {
  SetView(nullptr);
  header = nullptr;
}

void QvZResultsPane::SetView(QvResultsView* view) {
  if (view == itsView) {
    return;
  }
  title->SetView(nullptr);
  itsView = nullptr;
  itsResults = nullptr;
  if (view != nullptr) {
    itsView = view;
    itsResults = view->GetResults();
    // A document read from a file shows its false starts at once.
    itsResults->MarkFalseStarts();
    title->SetView(view);
  }
  ChangeExtent({1, itsResults != nullptr ? itsResults->Count(itsView) : 0});
  if (itsView != nullptr) {
    KZEditableSelector::SetPosition(itsView->GetRange1());
    KZEditableSelector::SetCurrentCell(itsView->GetRange2());
  }
  if (screenID) {
    Refresh();
  }
}

QvResult* QvZResultsPane::ResultAt(int32_t row) const {
  return itsResults != nullptr && row >= 0 ? itsResults->GetNth(row, itsView) : nullptr;
}

QvEvent* QvZResultsPane::GetEvent() const {
  return itsResults != nullptr ? itsResults->GetEvent() : nullptr;
}

YLeg* QvZResultsPane::Leg() const {
  return itsView != nullptr ? QvEvent::FromView(itsView) : nullptr;
}

// ---- Cells ----

void QvZResultsPane::LayOutColumns() {
  if (itsView == nullptr) {
    return;
  }
  title->LayOutColumns(false);
  for (int32_t column = 0; column < kColumnCount; ++column) {
    SetColumnPosition(column, itsView->ColumnStart(column));
  }
}

int32_t QvZResultsPane::ColumnCount(KPoint) {
  return kColumnCount;
}

void QvZResultsPane::CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags) {
  const QvResult* result = ResultAt(cell.y);
  if (result == nullptr) {
    return;
  }
  switch (column) {
    case kLaneColumn:
      text = result->AthleteField3();
      textFlags |= kTextCentred;
      break;
    case kStatusColumn:
      result->GetPlaceText(text, itsView);
      textFlags |= kTextCentred;
      break;
    case kReactionTimeColumn:
      if (result->GetReactionTime().ToMilliseconds() == YTime::kNoMilliseconds) {
        text = QvSettings::Text(u"\\Strings\\Event\\Results\\Time\\NoTime", u"No Time");
      } else {
        result->GetReactionTime().Format(text);
      }
      textFlags |= kTextRight;
      break;
    case kPowerColumn:
      result->GetPowerText(text);
      textFlags |= kTextRight;
      break;
    default:
      if (column >= 0 && column < kColumnCount) {
        text = result->AthleteField(kColumnFields[column]);
      }
      break;
  }
}

ZafPaletteStruct QvZResultsPane::ColumnPalette(KPoint cell, int32_t column, uint16_t type, uint16_t state) {
  ZafPaletteStruct palette = KZEditableSelector::ColumnPalette(cell, column, type, state);
  if (const QvResult* result = ResultAt(cell.y)) {
    if (ShownInRed(*result)) {
      SetLogicalColour(palette.colorForeground, palette.osForeground, kFalseStartColour);
    } else if (result->IsStatus7()) {
      SetLogicalColour(palette.colorBackground, palette.osBackground, kLaneNotUsedColour);
    }
  }
  return palette;
}

ZafPaletteStruct QvZResultsPane::CellPalette(KPoint cell, uint16_t type, uint16_t state) {
  ZafPaletteStruct palette = KZEditableSelector::CellPalette(cell, type, state);
  const QvResult* result = ResultAt(cell.y);
  if (type == ZAF_PM_BACKGROUND && result != nullptr && !ShownInRed(*result) && result->IsStatus7()) {
    SetLogicalColour(palette.colorForeground, palette.osForeground, kLaneNotUsedColour);
    SetLogicalColour(palette.colorBackground, palette.osBackground, kLaneNotUsedColour);
  }
  return palette;
}

ZafEventType QvZResultsPane::Draw(const ZafEventRecord& event, ZafEventType drawType) {
  LayOutColumns();
  return KZEditableSelector::Draw(event, drawType);
}

// ---- Position ----

bool QvZResultsPane::SetCurrentCell(KPoint cell) {
  const bool changed = KZEditableSelector::SetCurrentCell(cell);
  if (itsView != nullptr) {
    itsView->SetRange2(CurrentCell());
  }
  return changed;
}

bool QvZResultsPane::SetPosition(KPoint position) {
  // Only a move asked for is kept in the view (and so in the document): the same position asked again,
  // as the scroller does to fit it to a new size or row count, leaves the view where the user left it.
  const bool asked = position != Position();
  const bool changed = KZEditableSelector::SetPosition(position);
  if (itsView != nullptr && asked) {
    itsView->SetRange1(Position());
  }
  return changed;
}

void QvZResultsPane::Refresh() {
  ChangeExtent({1, itsResults != nullptr ? itsResults->Count(itsView) : 0});
  KZEditableSelector::Refresh();
}

// ---- Editing ----

bool QvZResultsPane::EditCell(KPoint pixel, int32_t how) {
  LayOutColumns();
  int32_t column = -1;
  CellFromPoint(pixel, &column);
  if (how == kEditByPress && column >= kFirstEditColumn && column <= kLastPressEditColumn) {
    if (!KZEditableSelector::EditCell(pixel, how)) {
      return false;
    }
    editedResult = ResultAt(CurrentCell().y);
    return true;
  }
  if (ResultAt(CurrentCell().y) == nullptr) {
    return false;
  }
  ShowStatusMenu(ToScreenPoint(pixel));
  // The press is taken: its release went to the menu, so no drag may start.
  return true;
}

bool QvZResultsPane::CanEditCell(KPoint cell, int32_t column) {
  return ResultAt(cell.y) != nullptr && column >= kFirstEditColumn && column <= kLastEditColumn;
}

bool QvZResultsPane::ColumnVisible(KPoint cell, int32_t column) {
  KRect area = CellRegion(cell);
  ColumnRegion(cell, column, area, kColumnEditor);
  return area.Area() > 0;
}

int32_t QvZResultsPane::NextEditColumn(KPoint cell, int32_t from) {
  for (int32_t column = from < kFirstEditColumn ? kFirstEditColumn : from + 1; column <= kLastEditColumn;
       ++column) {
    if (ColumnVisible(cell, column)) {
      return column;
    }
  }
  return kStopEditing;
}

int32_t QvZResultsPane::PrevEditColumn(KPoint cell, int32_t from) {
  for (int32_t column = (from < 0 || from > kLastEditColumn) ? kLastEditColumn : from - 1;
       column >= kFirstEditColumn; --column) {
    if (ColumnVisible(cell, column)) {
      return column;
    }
  }
  return kStopEditing;
}

void QvZResultsPane::StoreEdit(int32_t column, KZEditableSelectorString& editor, ZafEventType) {
  QvResult* result = editedResult != nullptr ? editedResult : ResultAt(CurrentCell().y);
  if (result == nullptr || column < 0 || column >= kColumnCount || kColumnFields[column] < 0) {
    return;
  }
  result->SetAthleteField(kColumnFields[column], KString(editor.Text()));
}

bool QvZResultsPane::EditClosed() {
  const QvResult* result = editedResult;
  editedResult = nullptr;
  return result != nullptr && itsResults != nullptr &&
         itsResults->IterateSorted(result, itsView) != CurrentCell().y;
}

// ---- The status menu ----

void QvZResultsPane::ShowStatusMenu(KPoint screen) {
  {
    KZPopUpMenu menu(screen);
    for (int32_t status = 0; status < kMenuStatusCount; ++status) {
      menu.Add(new KZPopUpItem(kFirstStatusCommand + status, StatusText(status).CStr(), ZAF_ITEM_ORDINARY));
    }
    if (const QvResult* result = ResultAt(CurrentCell().y)) {
      SetItemChecked(menu, result->Status(), true, false);
    }
    menu.Popup();
  }
  // The chart pane goes back to the lane of the current row.
  if (itsWindow != nullptr) {
    itsWindow->SetAllTraces(false);
    itsWindow->ShowAllChartsButton(true);
  }
  if (YLeg* leg = Leg()) {
    leg->RequestTime(CurrentCell().y);
  }
}

void QvZResultsPane::SetCurrentStatus(int32_t status) {
  if (QvResult* result = ResultAt(CurrentCell().y)) {
    result->SetStatus(status);
    if (ScreenID()) {
      Redisplay();
    }
  }
  SendLaneStates();
}

void QvZResultsPane::ShowAllCharts() {
  QvZControl::ShowAllCharts();
  if (itsWindow != nullptr) {
    itsWindow->SetAllTraces(true);
    itsWindow->ShowAllChartsButton(false);
  }
  if (YLeg* leg = Leg()) {
    leg->Notify();
  }
  if (itsWindow != nullptr) {
    itsWindow->UpdateTitle(true);
  }
}

void QvZResultsPane::ScheduleStep(int32_t direction) {
  // While an operation on the link runs, its results must not be replaced under it.
  if (LinkBusyClaim::LinkIsBusy()) {
    return;
  }
  auto* frame = dynamic_cast<QvZControl*>(KZApplication::mainFrame);
  QvZEventMDI* window = nullptr;
  for (ZafWindowObject* parent = Parent(); parent != nullptr && window == nullptr;
       parent = parent->Parent()) {
    window = dynamic_cast<QvZEventMDI*>(parent);
  }
  if (frame == nullptr || window == nullptr) {
    return;
  }
  QvZControl::RacePlaced road = QvZControl::RacePlaced::kNowhere;
  QvZEventMDI* placed = frame->ScheduleGoto(direction, window, 0, &road);
  // Another race opens in a window of its own, as File > Next event opens it; this pane's window may be
  // closed by now, so nothing of it is touched.
  if (road == QvZControl::RacePlaced::kNewWindow) {
    YZHardwareBar::AnnounceEvent(*placed->GetEvent(), true);
    return;
  }
  if (road != QvZControl::RacePlaced::kIntoWindow) {
    return;
  }
  QvEvent* event = window->GetEvent();
  event->SetModified(true);
  // The race placed gives up and gives back lanes: the unit is told their states, then the title.
  SendLaneStates();
  SendTitle(event->GetTitle());
}

void QvZResultsPane::UpdateMenu() {
  KZPullDownMenu* menu = KZApplication::mainMenuBar;
  if (menu == nullptr) {
    return;
  }
  if (CurrentCell().y >= 0) {
    for (const ZafEventType command : {kAddReactionTimesCommand, kDownloadTraceCommand, kPrinterSetupCommand,
                                       kPrintCommand, kOverlayModeCommand}) {
      menu->EnableCommand(command, true);
    }
  }
  if (itsWindow != nullptr && !itsWindow->AllTraces()) {
    menu->EnableCommand(kShowAllChartsCommand, true);
  }
}

ZafEventType QvZResultsPane::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapEvent(event);
  if (code >= kFirstStatusCommand && code < kFirstStatusCommand + kMenuStatusCount) {
    SetCurrentStatus(static_cast<int32_t>(code - kFirstStatusCommand));
    return code;
  }
  switch (code) {
    case kAddReactionTimesCommand:
      Download(true, false);
      return code;
    case kDownloadTraceCommand:
      Download(false, true);
      return code;
    case kPrinterSetupCommand:
      if (YZPrinter* printer = Printer()) {
        printer->PrintSetup();
      }
      return code;
    case kPrintCommand:
      Print();
      return code;
    case kShowAllChartsCommand:
      ShowAllCharts();
      return code;
    case kSchedulePreviousCommand:
    case kScheduleChooseCommand:
    case kScheduleNextCommand:
      ScheduleStep(static_cast<int32_t>(code - kScheduleChooseCommand));
      return code;
    case UpdateMenuEvent:
      UpdateMenu();
      return code;
    default:
      return KZEditableSelector::Event(event);
  }
}
