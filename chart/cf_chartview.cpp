#include "chart/cf_chartview.h"

#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_eng_cart2d.h"
#include "chart/cf_eng_cart3d.h"
#include "chart/cf_eng_pie.h"

namespace {

constexpr uint32_t kHideTicks = 1;
constexpr uint32_t kInvertTicks = 2;
constexpr uint32_t kStaggerLabels = 4;

struct Position {
  double x, y, z;
};

Position AxisTitlePosition(int32_t axis) {
  switch (axis) {
    case 1:
      return {100, 120, -120};
    case 3:
      return {125, 100, -125};
    case 4:
      return {-125, -100, 125};
    case 5:
      return {110, -110, 0};
    case 6:
      return {-110, 110, 0};
    case 7:
      return {0, -120, 120};
    default:
      return {-100, -125, 125};
  }
}

constexpr int32_t kSubTitle = 2;

// The minor count, tick length and tick flags every tick setter sets.
void SetTicks(cf_3DGridTickSeries& axis, int32_t minorCount, double tickLength, uint32_t flags) {
  axis.SetMinorCount(minorCount);
  axis.SetTickLength(tickLength);
  axis.SetAllItemsFlag((flags & kHideTicks) != 0);
  axis.SetInvertTicks((flags & kInvertTicks) != 0);
}

// An interval setter hides the ticks when asked and never shows them.
void HideTicksWhenAsked(cf_3DGridTickSeries& axis, uint32_t flags) {
  if (flags & kHideTicks) {
    axis.SetAllItemsFlag(true);
  }
}

}  // namespace

cf_ChartView::cf_ChartView(int32_t chartType, int32_t dimension, int32_t domainMode)
    : model(std::make_unique<cf_ChartModel>(this, domainMode)) {
  SetChartType(chartType, dimension);
}

cf_ChartView::~cf_ChartView() {
  // The model points at the engine; it goes first.
  model.reset();
}

// ---- Drawing ----

void cf_ChartView::Layout(bf_Display& display) {
  engine->FitToDisplay(display);
  engine->ObjectsToScreen();
  engine->FitObjects();
}

void cf_ChartView::Prepare(bf_Display& display) {
  // The rebuild maps every object to the screen again, so the old objects are not mapped first.
  engine->GetKernel().FitToDisplay(display);
  model->Update(true, true, true, true, true);
  drawn = true;
}

int cf_ChartView::Draw(bf_Display& display) {
  if (model->IsChanged()) {
    model->Update(false, false, false, false, false);
  }
  engine->Draw(display);
  return 1;
}

// ---- Engine and model ----

std::unique_ptr<cf_ChartEngine> cf_ChartView::MakeEngine(int32_t type, int32_t dimension) {
  // The exploded pie is always seen in 3-D; any other type or dimension shows the points.
  using E = cf_ChartEngine;
  if (type == E::kXPie && (dimension == E::k2D || dimension == E::k3D)) {
    return std::make_unique<cf_eng_XPie2D3D>();
  }
  if (dimension == E::k2D) {
    switch (type) {
      case E::kArea:
        return std::make_unique<cf_eng_Area2D>();
      case E::kBar:
        return std::make_unique<cf_eng_Bar2D>();
      case E::kCol:
        return std::make_unique<cf_eng_Col2D>();
      case E::kLine:
        return std::make_unique<cf_eng_Line2D>();
      case E::kPie:
        return std::make_unique<cf_eng_Pie2D>();
      case E::kRibbon:
        return std::make_unique<cf_eng_Ribbon2D>();
      case E::kStack:
        return std::make_unique<cf_eng_Stack2D>();
      default:
        break;
    }
  } else if (dimension == E::k3D) {
    switch (type) {
      case E::kArea:
        return std::make_unique<cf_eng_Area3D>();
      case E::kBar:
        return std::make_unique<cf_eng_Bar3D>();
      case E::kCol:
        return std::make_unique<cf_eng_Col3D>();
      case E::kLine:
        return std::make_unique<cf_eng_Line3D>();
      case E::kPie:
        return std::make_unique<cf_eng_Pie3D>();
      case E::kPointSer:
        return std::make_unique<cf_eng_PointSer3D>();
      case E::kRibbon:
        return std::make_unique<cf_eng_Ribbon3D>();
      case E::kStack:
        return std::make_unique<cf_eng_Stack3D>();
      default:
        break;
    }
  }
  return std::make_unique<cf_eng_PointSer2D>();
}

int cf_ChartView::SetChartType(int32_t type, int32_t dimension) {
  std::unique_ptr<cf_ChartEngine> made = MakeEngine(type, dimension);
  model->SetEngine(made.get());
  engine = std::move(made);
  drawn = false;
  return 1;
}

int cf_ChartView::SetEngine(std::unique_ptr<cf_ChartEngine> newEngine) {
  if (!newEngine) {
    return 0;
  }
  model->SetEngine(newEngine.get());
  engine = std::move(newEngine);
  drawn = false;
  engine->BuildObjects(*model);
  return 1;
}

int cf_ChartView::SetChartType(int32_t type) {
  return SetChartType(type, engine->Dimension());
}
int32_t cf_ChartView::GetChartType() const {
  return engine->ChartType();
}
int cf_ChartView::SetDimension(int32_t dimension) {
  return SetChartType(engine->ChartType(), dimension);
}
int32_t cf_ChartView::GetDimension() const {
  return engine->Dimension();
}
int cf_ChartView::SetDomainMode(int32_t mode) {
  return model->SetDomainMode(mode, true);
}
int32_t cf_ChartView::GetDomainMode() const {
  return model->DomainMode();
}

// ---- Data ----

cf_XYZ& cf_ChartView::AddValue(int32_t series, double value) {
  if (series != model->CurrentSeries()) {
    model->SelectSeries(series);
  }
  return model->AddValue(value, nullptr, nullptr);
}

cf_XYZ& cf_ChartView::AddXYValue(int32_t series, double x, double y) {
  if (series != model->CurrentSeries()) {
    model->SelectSeries(series);
  }
  return model->AddXYValue(x, y, nullptr, nullptr);
}

cf_XYZ& cf_ChartView::AddXYZValue(int32_t series, double x, double y, double z) {
  if (series != model->CurrentSeries()) {
    model->SelectSeries(series);
  }
  return model->AddXYZValue(x, y, z, nullptr, nullptr);
}

cf_XYZ* cf_ChartView::AddLabel(const ZafIChar* text, int32_t kind, double position) {
  drawn = false;
  switch (kind) {
    case 1:
    case 5:
      return &model->AddDomainLabel(position, text);
    case 2:
    case 6:
      return &model->AddRangeLabel(position, text);
    case 4:
    case 8:
      return &model->AddGroupLabel(position, text);
    default:
      return nullptr;
  }
}

cf_XYZ& cf_ChartView::AddNumberLabel(double number, int32_t kind, double position) {
  drawn = false;
  switch (kind) {
    case 1:
      return model->AddDomainNumberLabel(position, number);
    case 6:
      return model->AddRangeNumberLabel(position, number);
    default:
      return model->AddGroupNumberLabel(position, number);
  }
}

// ---- Titles ----

void cf_ChartView::SetTitle(const ZafIChar* text, int32_t which, double x, double y, double z) {
  drawn = false;
  model->SetTitle(text, which, x, y, z);
}

void cf_ChartView::SetTitleDefault(const ZafIChar* text, int32_t which) {
  if (which == kSubTitle) {
    SetTitle(text, which, 0, 115, -115);
  } else {
    SetTitle(text, which, 0, 125, -125);
  }
}

void cf_ChartView::SetAxisTitle(const ZafIChar* text, int32_t axis, double x, double y, double z) {
  drawn = false;
  model->SetAxisTitle(text, axis, x, y, z);
}

void cf_ChartView::SetAxisTitleDefault(const ZafIChar* text, int32_t axis) {
  const Position at = AxisTitlePosition(axis);
  SetAxisTitle(text, axis, at.x, at.y, at.z);
}

cf_DataGroup& cf_ChartView::AddLegendEntry(const ZafIChar* text, double x, double y, double z) {
  drawn = false;
  return model->AddLegendEntry(text, x, y, z);
}

// ---- Attributes ----

cf_DispAttribs& cf_ChartView::GetSeriesAttribs(int32_t series) {
  return model->SelectSeries(series).DispAttribs();
}
cf_TextAttribs& cf_ChartView::GetSeriesTextAttribs(int32_t series) {
  return model->SelectSeries(series).TextAttribs();
}
cf_DispAttribs& cf_ChartView::GetAxisLabelAttribs(int32_t axis) {
  return model->GetAxisLabelGroup(axis).DispAttribs();
}
cf_TextAttribs& cf_ChartView::GetAxisLabelTextAttribs(int32_t axis) {
  return model->GetAxisLabelGroup(axis).TextAttribs();
}
cf_DispAttribs& cf_ChartView::GetAxisTitleAttribs(int32_t axis) {
  return model->GetAxisTitleGroup(axis).DispAttribs();
}
cf_TextAttribs& cf_ChartView::GetAxisTitleTextAttribs(int32_t axis) {
  return model->GetAxisTitleGroup(axis).TextAttribs();
}
cf_DispAttribs& cf_ChartView::GetWallAttribs(int32_t n) {
  return engine->GetWallAttribs(n);
}
cf_DispAttribs& cf_ChartView::GetLegendAttribs(int32_t entry) {
  return model->GetLegendEntry(entry).DispAttribs();
}
cf_TextAttribs& cf_ChartView::GetLegendTextAttribs(int32_t entry) {
  return model->GetLegendEntry(entry).TextAttribs();
}
cf_DispAttribs& cf_ChartView::GetTitleAttribs(int32_t which) {
  return model->GetTitleGroup(which).DispAttribs();
}
cf_TextAttribs& cf_ChartView::GetTitleTextAttribs(int32_t which) {
  return model->GetTitleGroup(which).TextAttribs();
}

// ---- Axes ----

cf_3DGridTickSeries& cf_ChartView::GetAxis(int32_t n) const {
  cf_3DGridTickSeries* axis = n >= 1 ? engine->GetAxis(static_cast<uint32_t>(n)) : nullptr;
  return axis ? *axis : *engine->GetAxis(2);
}

cf_3DGridTickSeries& cf_ChartView::ShownAxis(int32_t n) const {
  cf_3DGridTickSeries& axis = GetAxis(n);
  axis.Show();
  return axis;
}

cf_3DGridTickSeries& cf_ChartView::SetAxisStyle(int32_t n, uint32_t style) {
  cf_3DGridTickSeries& axis = ShownAxis(n);
  axis.SetStyle(style);
  return axis;
}

cf_3DGridTickSeries& cf_ChartView::SetAxis(int32_t n, uint32_t style, double step, int32_t labelInterval,
                                           int32_t markInterval, int32_t minorCount, double tickLength,
                                           uint32_t flags) {
  cf_3DGridTickSeries& axis = ShownAxis(n);
  axis.SetStyle(style);
  axis.SetTickStep(step);
  axis.SetLabelInterval(labelInterval);
  axis.SetMarkInterval(markInterval);
  SetTicks(axis, minorCount, tickLength, flags);
  if (flags & kStaggerLabels) {
    GetAxisLabelTextAttribs(n).SetLabelOptionB();
  }
  return axis;
}

cf_3DGridTickSeries& cf_ChartView::SetAxisTickCount(int32_t n, int32_t count, int32_t minorCount,
                                                    double tickLength, uint32_t flags) {
  cf_3DGridTickSeries& axis = ShownAxis(n);
  axis.SetTickCount(count);
  SetTicks(axis, minorCount, tickLength, flags);
  return axis;
}

cf_3DGridTickSeries& cf_ChartView::SetAxisTicks(int32_t n, double step, int32_t minorCount, double tickLength,
                                                uint32_t flags) {
  cf_3DGridTickSeries& axis = ShownAxis(n);
  axis.SetTickStep(step);
  SetTicks(axis, minorCount, tickLength, flags);
  return axis;
}

cf_3DGridTickSeries& cf_ChartView::SetAxisTickInterval(int32_t n, int32_t interval, uint32_t flags) {
  cf_3DGridTickSeries& axis = ShownAxis(n);
  axis.SetMarkInterval(interval);
  HideTicksWhenAsked(axis, flags);
  return axis;
}

cf_3DGridTickSeries& cf_ChartView::SetAxisLabelInterval(int32_t n, int32_t interval, uint32_t flags) {
  cf_3DGridTickSeries& axis = ShownAxis(n);
  axis.SetLabelInterval(interval);
  HideTicksWhenAsked(axis, flags);
  if (flags & kStaggerLabels) {
    GetAxisLabelTextAttribs(n).SetLabelOptionB();
  }
  return axis;
}

// ---- Ranges ----

int cf_ChartView::SetValueRange(double min, double max) {
  model->SetZeroFactor(0);
  model->SetFixedValueMin(min);
  model->SetFixedValueMax(max);
  return model->ValueMin() >= min || model->ValueMax() <= max ? 1 : 0;
}

double cf_ChartView::GetValueMin() const {
  return model->ValueMin();
}
double cf_ChartView::GetValueMax() const {
  return model->ValueMax();
}

int cf_ChartView::SetDomainRange(double min, double max) {
  model->SetFixedDomainMin(min);
  model->SetFixedDomainMax(max);
  return model->DomainMin() >= min || model->DomainMax() <= max ? 1 : 0;
}

double cf_ChartView::GetDomainMin() const {
  return model->DomainMin();
}
double cf_ChartView::GetDomainMax() const {
  return model->DomainMax();
}

int cf_ChartView::ValueRangeMissesZero() const {
  return model->ValueMin() <= 0 && model->ValueMax() >= 0 ? 0 : 1;
}

int cf_ChartView::SetZeroFactor(double factor) {
  const int result = ValueRangeMissesZero();
  model->SetZeroFactor(factor);
  return result;
}

int cf_ChartView::SetForceZero(uint8_t on) {
  const int result = ValueRangeMissesZero();
  model->SetForceZero(on != 0);
  return result;
}

double cf_ChartView::GetZeroFactor() const {
  return model->ZeroFactor();
}
uint8_t cf_ChartView::GetForceZero() const {
  return model->ForceZero() ? 1 : 0;
}

// ---- Kernel and engine ----

int cf_ChartView::SetMargins(double top, double bottom, double left, double right) {
  SetTopMargin(top);
  SetBottomMargin(bottom);
  SetLeftMargin(left);
  return SetRightMargin(right);
}

int cf_ChartView::SetPlotSize(double heightPercent, double widthPercent) {
  const double vertical = (100 - heightPercent) * 0.5;
  const double horizontal = (100 - widthPercent) * 0.5;
  return SetMargins(vertical, vertical, horizontal, horizontal);
}

int cf_ChartView::SetTopMargin(double percent) {
  engine->GetKernel().SetTopMargin(percent);
  return 1;
}

int cf_ChartView::SetBottomMargin(double percent) {
  engine->GetKernel().SetBottomMargin(percent);
  return 1;
}

int cf_ChartView::SetLeftMargin(double percent) {
  engine->GetKernel().SetLeftMargin(percent);
  return 1;
}

int cf_ChartView::SetRightMargin(double percent) {
  engine->GetKernel().SetRightMargin(percent);
  return 1;
}

double cf_ChartView::GetTopMargin() const {
  return engine->GetKernel().TopMargin();
}
double cf_ChartView::GetBottomMargin() const {
  return engine->GetKernel().BottomMargin();
}
double cf_ChartView::GetLeftMargin() const {
  return engine->GetKernel().LeftMargin();
}
double cf_ChartView::GetRightMargin() const {
  return engine->GetKernel().RightMargin();
}

int cf_ChartView::SetStretch(uint8_t on) {
  engine->GetKernel().SetStretch(on);
  return 1;
}

uint8_t cf_ChartView::GetStretch() const {
  return engine->GetKernel().Stretch();
}
double cf_ChartView::GetElevation() const {
  return engine->GetKernel().Elevation();
}
double cf_ChartView::GetAzimuth() const {
  return engine->GetKernel().Azimuth();
}

int cf_ChartView::ApplyDimension(int32_t dimension) {
  drawn = false;
  return engine->ApplyDimension(dimension);
}

int cf_ChartView::SetPerspective(double percent) {
  return engine->SetPerspective(percent);
}

int cf_ChartView::SetPerspectiveFull() {
  return engine->SetPerspectiveFull();
}
int cf_ChartView::SetPerspectiveHalf() {
  return engine->SetPerspectiveHalf();
}
int cf_ChartView::SetPerspectiveNone() {
  return engine->SetPerspectiveNone();
}

int cf_ChartView::SetRotation(double elevation, double azimuth) {
  drawn = false;
  return engine->SetViewAngles(elevation, azimuth);
}

int cf_ChartView::SetBoxProportions(double heightPercent, double depthPercent) {
  drawn = false;
  return engine->SetBoxProportions(heightPercent, depthPercent);
}

int cf_ChartView::SetBoxHeight(double heightPercent) {
  return engine->SetBoxHeight(heightPercent);
}
double cf_ChartView::GetBoxHeightPercent() const {
  return engine->BoxHeightPercent();
}
double cf_ChartView::GetBoxDepthPercent() const {
  return engine->BoxDepthPercent();
}

int cf_ChartView::SetBarWidth(double percent) {
  const int result = engine->SetBarWidth(percent);
  engine->BuildObjects(*model);
  return result;
}

double cf_ChartView::GetBarWidth() const {
  return engine->BarWidthPercent();
}
void cf_ChartView::ShowBitmap(uint8_t on) {
  engine->ShowBitmap(on != 0);
}
uint8_t cf_ChartView::IsBitmapShown() const {
  return engine->IsBitmapShown() ? 1 : 0;
}
void cf_ChartView::SetDrawPlotFrame(uint8_t on) {
  engine->SetDrawPlotFrame(on != 0);
}
uint8_t cf_ChartView::DrawPlotFrame() const {
  return engine->DrawPlotFrame() ? 1 : 0;
}
void cf_ChartView::SetAxisColor(bf_Color color) {
  engine->SetAxisColor(color);
}

// ---- Clearing ----

template <typename Clear>
int cf_ChartView::ClearWith(uint8_t update, Clear clear) {
  clear();
  if (update == 1) {
    model->Update(false, false, false, false, false);
    return 1;
  }
  return static_cast<uint8_t>(update - 1);
}

int cf_ChartView::ClearAll(uint8_t update) {
  return ClearWith(update, [&] {
    model->ClearData();
    model->ClearAxisTitles();
    model->ClearLegend();
    model->ClearTitles();
  });
}

int cf_ChartView::ClearData(uint8_t update) {
  return ClearWith(update, [&] { model->ClearData(); });
}

int cf_ChartView::ClearLegend(uint8_t update) {
  return ClearWith(update, [&] { model->ClearLegend(); });
}

int cf_ChartView::ClearAxisTitles(uint8_t update) {
  return ClearWith(update, [&] { model->ClearAxisTitles(); });
}

int cf_ChartView::ClearTitles(uint8_t update) {
  return ClearWith(update, [&] { model->ClearTitles(); });
}
