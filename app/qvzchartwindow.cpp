#include "app/qvzchartwindow.h"

#include <array>

#include "app/chartprint.h"
#include "app/panewindowmakers.h"
#include "app/qvzchartpane.h"
#include "app/qvzeventmdi.h"
#include "app/windowfill.h"
#include "foundation/krbool.h"
#include "foundation/kregistry.h"
#include "imaging/ui/classbitmaps.h"
#include "model/qvchart.h"
#include "model/qvresult.h"
#include "model/qvsettings.h"
#include "toolkit/kzbitmap.h"
#include "toolkit/kzevents.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kztbspace.h"
#include "toolkit/kztoolbar.h"

namespace {

enum Bitmap : int32_t {
  kPrintBitmap,
  kMaximizeBitmap,
  kRestoreBitmap,
  kExportBitmap,
  kShowSetBitmap,
  kHideSetBitmap,
  kShowGunBitmap,
  kHideGunBitmap,
  kShowLegalBitmap,
  kHideLegalBitmap,
  kShowReactionBitmap,
  kHideReactionBitmap,
  kShowPowerBitmap,
  kHidePowerBitmap,
  kBitmapCount
};

constexpr const ZafIChar* kBitmapNames[kBitmapCount] = {
    u"Print",         u"MaximizeChart", u"RestoreChart",         u"ExportBitmap",
    u"ShowSetLine",   u"HideSetLine",   u"ShowGunLine",          u"HideGunLine",
    u"ShowLegalLine", u"HideLegalLine", u"ShowReactionTimeLine", u"HideReactionTimeLine",
    u"ShowPowerLine", u"HidePowerLine"};

std::array<KZBitmap*, kBitmapCount> bitmaps{};

// The five line switches in tool-bar order: the setting each shows, and its picture while shown.
struct LineSwitch {
  const char16_t* setting;
  Bitmap shown;
};
constexpr LineSwitch kLineSwitches[] = {{u"\\Chart\\Lines\\ShowSet", kShowSetBitmap},
                                        {u"\\Chart\\Lines\\ShowGun", kShowGunBitmap},
                                        {u"\\Chart\\Lines\\ShowLegal", kShowLegalBitmap},
                                        {u"\\Chart\\Lines\\ShowReaction", kShowReactionBitmap},
                                        {u"\\Chart\\Lines\\ShowPower", kShowPowerBitmap}};
constexpr int32_t kReactionSwitch = 3;
constexpr int32_t kPowerSwitch = 4;
constexpr int32_t kSpaceWidth = 4;

KZTBButton* NewButton(ZafEventType command, Bitmap bitmap) {
  return new KZTBButton(command, bitmaps[bitmap], 0, 0);
}

// A button of the tool-bar group "\Event\Chart\ToolBar\" is made unless its setting is 0.
KZTBButton* OptionalButton(const char16_t* setting, ZafEventType command, Bitmap bitmap) {
  return QvSettings::Int(setting, 1, QvSettings::kSwitch) != 0 ? NewButton(command, bitmap) : nullptr;
}

// The set time of the first result in the rows' order that has one.
const YTime* FirstSetTime(const ChartRows& rows) {
  for (const QvResult* result : rows.results) {
    const YTime& time = result->GetTime3();
    if (time.HasResolution() && time.ToMilliseconds() != YTime::kNoMilliseconds) {
      return &time;
    }
  }
  return nullptr;
}

}  // namespace

QvZChartWindow::QvZChartWindow(QvZEventMDI* owner, QvChartView* view)
    : KZWindow(0, 0, 0, 0), itsOwner(owner) {
  SetCoordinateType(ZAF_PIXEL);
  toolBar = new KZToolBar(ZAF_DOCK_TOP, -1);
  toolBar->SetBordered(false);
  printButton = OptionalButton(u"\\Event\\Chart\\ToolBar\\Print", QvZChartPane::kPrintCommand, kPrintBitmap);
  maximizeButton = OptionalButton(u"\\Event\\Chart\\ToolBar\\Maximize", kMaximizeCommand, kMaximizeBitmap);
  exportButton = OptionalButton(u"\\Event\\Chart\\ToolBar\\ExportBitmap", QvZChartPane::kExportBitmapCommand,
                                kExportBitmap);
  for (KZTBButton* button : {printButton, maximizeButton, exportButton}) {
    if (button != nullptr) {
      toolBar->Add(button);
    }
  }
  for (int32_t space = 0; space < 4; ++space) {
    toolBar->Add(new KZTBSpace(kSpaceWidth));
  }
  for (int32_t line = 0; line < 5; ++line) {
    lineButtons[line] = NewButton(kShowSetCommand + line, kLineSwitches[line].shown);
    toolBar->Add(lineButtons[line]);
  }
  pane = new QvZChartPane(this, nullptr);
  Add(toolBar);
  Add(pane);
  // The pane fills what the tool bar leaves of the window.
  FillWithObject(*this, pane);
  AttachView(view);
}

QvZChartWindow::~QvZChartWindow() {
  AttachView(nullptr);
}

void QvZChartWindow::SetupClass() {
  LoadClassBitmaps(bitmaps, kBitmapNames);
  PaneWindowMakers::Register(PaneKind::kChart,
                             [](QvZEventMDI* owner) { return new QvZChartWindow(owner, nullptr); });
}

void QvZChartWindow::CleanupClass() {
  PaneWindowMakers::Register(PaneKind::kChart, {});
  ChartPrint::ReleasePrinter();
  ReleaseClassBitmaps(bitmaps);
}

QvEvent* QvZChartWindow::EventDocument() const {
  return itsOwner != nullptr ? itsOwner->GetEvent() : nullptr;
}

std::optional<ChartRows> QvZChartWindow::Rows() const {
  return itsOwner != nullptr ? ReadChartRows(itsOwner->CurrentWindow(PaneKind::kResults)) : std::nullopt;
}

bool QvZChartWindow::SingleMode() const {
  const std::optional<ChartRows> rows = Rows();
  return rows && !rows->allCharts;
}

void QvZChartWindow::AttachView(QvChartView* view) {
  if (view == itsView) {
    return;
  }
  if (itsView != nullptr) {
    itsView->SetMode(nullptr);
    pane->AttachView(nullptr);
    itsChart = nullptr;
    itsView = nullptr;
  }
  if (view != nullptr) {
    itsView = view;
    itsChart = view->GetChart();
    itsView->SetMode(this);
    pane->AttachView(view);
    UpdateLineButtons(false);
  }
}

void QvZChartWindow::UpdateLineButtons(bool refresh) {
  if (refresh && pane->ScreenID()) {
    pane->Refresh();
  }
  if (maximizeButton != nullptr) {
    maximizeButton->SetBitmap(bitmaps[maximized ? kRestoreBitmap : kMaximizeBitmap]);
    maximizeButton->SetValue(maximized ? kRestoreCommand : kMaximizeCommand);
  }
  for (int32_t line = 0; line < 5; ++line) {
    const bool shown = QvSettings::Bool(kLineSwitches[line].setting, true);
    // Each hidden picture follows its shown one.
    lineButtons[line]->SetBitmap(bitmaps[kLineSwitches[line].shown + (shown ? 0 : 1)]);
  }
}

void QvZChartWindow::LegendText(const KPoint& position) {
  pane->LoadTraces(position, true);
  // The legend names the row the load has shown. Without a results window (a layout of charts only) it is
  // that of every lane, with no set time.
  const ChartRows rows = pane->ShownRows().value_or(ChartRows{});
  const bool single = !rows.allCharts;
  KString text;
  lineButtons[kReactionSwitch]->SetVisible(single);
  if (single) {
    text = rows.ShownLaneTitle();
  }
  text.Append(u"     (")
      .Append(QvSettings::Text(u"\\Strings\\Event\\Chart\\SetTime", u"Set Time"))
      .Append(u" = ");
  if (const YTime* setTime = FirstSetTime(rows)) {
    setTime->Format(text);
    text.AppendChar(u's');
  } else {
    text.Append(QvSettings::Text(u"\\Strings\\Event\\Chart\\NotAvailable", u"N/A"));
  }
  text.AppendChar(u')');
  toolBar->SetText(text);
  lineButtons[kPowerSwitch]->SetVisible(single);
}

void QvZChartWindow::ShowChartData() {
  pane->ShowChartData();
}

void QvZChartWindow::ClearChart() {
  lineButtons[0]->SetVisible(true);
  pane->Clear();
}

void QvZChartWindow::ApplySettings() {
  if (pane->Chart() != nullptr) {
    pane->ApplySettings(SingleMode());
  }
}

void QvZChartWindow::ToggleLine(ZafEventType command) {
  const char16_t* setting = kLineSwitches[command - kShowSetCommand].setting;
  if (KRBool* node = KRegistry::GetBool(QvSettings::Root(), KString::View(setting))) {
    node->Set(node->Value() == 0 ? 1 : 0);
  } else {
    // A tree without the node takes it, switched off from the built-in "on".
    QvSettings::Write(KString(setting).Append(u":Bool=0"));
  }
  UpdateLineButtons(false);
  pane->LoadTraces({-1, -1}, false);
}

void QvZChartWindow::ShowEnlarged(bool on) {
  if (itsOwner != nullptr) {
    if (on) {
      itsOwner->EnlargeChart(this);
    } else {
      itsOwner->RestoreChart(this);
    }
  }
  maximized = on;
  UpdateLineButtons(false);
  TakeFocus();
}

void QvZChartWindow::TakeFocus() {
  KZWindow::TakeFocus();
  if (itsOwner != nullptr) {
    itsOwner->SetCurrentChart(this);
  }
}

ZafEventType QvZChartWindow::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  if (code >= kShowSetCommand && code <= kShowPowerCommand) {
    ToggleLine(code);
    return code;
  }
  switch (code) {
    case UpdateMenuEvent:
    case QvZChartPane::kExportBitmapCommand:
    case QvZChartPane::kPrinterSetupCommand:
    case QvZChartPane::kPrintCommand:
      return pane->Event(event);
    case kMaximizeCommand:
      ShowEnlarged(true);
      return code;
    case kRestoreCommand:
      ShowEnlarged(false);
      return code;
    default:
      return KZWindow::Event(event);
  }
}
