#include "app/qvzchartpane.h"

#include <utility>

#include "app/busypointer.h"
#include "app/chartbitmapexport.h"
#include "app/chartprint.h"
#include "app/producttitle.h"
#include "app/qvzchartdatadialog.h"
#include "app/qvzchartwindow.h"
#include "app/qvzcontrol.h"
#include "app/windowfill.h"
#include "chart/cf_chartengine.h"
#include "chart/cf_chartmodel.h"
#include "chart/zafchartcontrol.h"
#include "framework/win32/zafgdidisplay.h"
#include "model/qvchartview.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpopupmenu.h"
#include "toolkit/kzpulldownmenu.h"

namespace {

ZafGdiDisplay* ScreenDisplay() {
  return dynamic_cast<ZafGdiDisplay*>(ZafWindowObject::display);
}

// The toolkit's mouse map gives the right button's release this code.
constexpr ZafEventType kRightReleasedEvent = 1008;

bool Developer() {
  return KZApplication::application != nullptr && KZApplication::application->FindArgument(u"-devel");
}

}  // namespace

QvZChartPane::QvZChartPane(QvZChartWindow* owner, QvChartView* view)
    : KZScroller(0, 0, 0, 0),
      itsOwner(owner),
      control(new ZafChartControl(0, 0, 10, 5, cf_ChartEngine::kLine, cf_ChartEngine::k2D,
                                  cf_ChartModel::kZeroBased)),
      load(control),
      labelFont(ScreenDisplay()) {
  SetCoordinateType(ZAF_PIXEL);
  Add(control);
  // The chart fills the pane.
  FillWithObject(*this, control);
  // Opening an event builds its charts; the open clears the mark again once the event is in.
  if (QvEvent* event = owner != nullptr ? owner->EventDocument() : nullptr) {
    event->SetModified(true);
  }
  printTitle = KString(kProductName);
  printTitle.AppendChar(u' ').Append(
      QvSettings::Text(u"\\Strings\\Event\\Chart\\Print\\Title", u"Chart Printout"));
  AttachView(view);
}

QvZChartPane::~QvZChartPane() = default;

void QvZChartPane::AttachView(QvChartView* view) {
  if (view == itsView) {
    return;
  }
  itsView = nullptr;
  itsChart = nullptr;
  if (view == nullptr) {
    return;
  }
  itsView = view;
  itsChart = view->GetChart();
  SetPosition(view->GetRange());
  if (ScreenID()) {
    Refresh();
  }
}

bool QvZChartPane::SetPosition(KPoint position) {
  const bool moved = KZScroller::SetPosition(position);
  if (itsView != nullptr) {
    itsView->SetRange(Position());
  }
  return moved;
}

ChartLoadOptions QvZChartPane::LoadOptions() const {
  ChartLoadOptions options;
  options.mode = QvZControl::ChartDisplayMode();
  options.developer = Developer();
  options.localAlgorithm = QvZControl::LocalAlgorithmLine();
  options.labelFont = labelFont.Slot();
  return options;
}

std::optional<ChartRows> QvZChartPane::Rows() const {
  return itsOwner != nullptr ? itsOwner->Rows() : std::nullopt;
}

std::optional<ChartRows> QvZChartPane::ShownRows() const {
  std::optional<ChartRows> rows = Rows();
  if (rows && !rows->allCharts) {
    rows->selectedRow = load.ShownRow();
  }
  return rows;
}

void QvZChartPane::LoadTraces(const KPoint& position, bool reload) {
  BusyPointer busy;
  const std::optional<ChartRows> rows = Rows();
  if (!rows) {
    return;
  }
  load.LoadTraces(*rows, position, reload, LoadOptions());
  if (reload && load.RangeTooSmall()) {
    const KString text = QvSettings::Text(u"\\Strings\\Chart\\DisplayRes");
    KZMessageWindow::Ask(text.CStr(), text.CStr(), KZDialog::kOk, KZDialog::kOk, 0);
  }
  if (control->ScreenID()) {
    control->Redisplay();
  }
}

void QvZChartPane::ApplySettings(bool single) {
  load.ApplySettings(single, labelFont.Slot());
  if (control->ScreenID()) {
    control->Redisplay();
  }
}

void QvZChartPane::Clear() {
  load.Clear(LoadOptions());
  if (ScreenID()) {
    Refresh();
  }
}

void QvZChartPane::ShowChartData() {
  const std::optional<ChartRows> rows = ShownRows();
  const int32_t row = rows ? rows->selectedRow : -1;
  const QvResult* result =
      row >= 0 && row < static_cast<int32_t>(rows->results.size()) ? rows->results[row] : nullptr;
  ChartTraces::Shared().Prepare(result, QvZControl::ChartDisplayMode(), ChartSettings::Read());
  QvZChartDataDialog dialog;
  dialog.Execute();
}

void QvZChartPane::UpdateMenu() {
  KZPullDownMenu* bar = KZApplication::mainMenuBar;
  const std::optional<ChartRows> rows = Rows();
  if (bar == nullptr || !rows || rows->selectedRow < 0) {
    return;
  }
  for (const ZafEventType command :
       {kExportBitmapCommand, kPrinterSetupCommand, kPrintCommand, kChartDataCommand}) {
    bar->EnableCommand(command, true);
  }
  if (!Developer() || rows->allCharts) {
    return;
  }
  for (ZafEventType command = kChartRawX; command <= kLocalAlgorithmLineCommand; ++command) {
    bar->EnableCommand(command, true);
  }
  bar->CheckCommand(kLocalAlgorithmLineCommand, QvZControl::LocalAlgorithmLine());
  bar->CheckCommand(QvZControl::ChartDisplayMode(), true);
}

void QvZChartPane::ShowPopup(const ZafEventRecord& click) {
  ZafEventRecord translated = click;
  if (translated.referenceObject != this) {
    ConvertCoordinates(translated);
  }
  const ZafPositionStruct at = translated.Position();
  KZPopUpMenu menu(ToScreenPoint({at.column, at.line}));
  menu.Add(new KZPopUpItem(kPopupOptionCommand, u"OPTION1", ZAF_ITEM_ORDINARY));
  menu.Popup();
}

ZafEventType QvZChartPane::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapMouseEvent(event);
  switch (code) {
    case LeftPressedEvent:
    case RightPressedEvent:
      // The menu takes this press's release.
      pressedHere = false;
      ShowPopup(event);
      return code;
    case ChosenByDoubleClickEvent:
      pressedHere = true;
      return code;
    case LeftReleasedEvent:
    case kRightReleasedEvent:
      // A release whose press began elsewhere (a double click on a caption that moved this pane under the
      // pointer) opens nothing.
      if (std::exchange(pressedHere, false)) {
        ShowPopup(event);
      }
      return code;
    case UpdateMenuEvent:
      UpdateMenu();
      return code;
    case kExportBitmapCommand:
      ChartBitmapExport::Export(*this);
      return code;
    case kPrinterSetupCommand:
      ChartPrint::Setup();
      return code;
    case kPrintCommand:
      ChartPrint::Print(*this);
      return code;
    default:
      return KZScroller::Event(event);
  }
}
