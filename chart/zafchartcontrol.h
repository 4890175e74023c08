// A chart in a framework window: it owns the chart's view, rebuilds and draws it on every redraw through
// the framework's screen display, and re-fits it when its size changes. The rest passes requests on to
// the view. Presses and releases of the mouse buttons on the chart go on to the window that holds it.
#ifndef CHART_ZAFCHARTCONTROL_H
#define CHART_ZAFCHARTCONTROL_H

#include <memory>

#include "chart/cf_chartview.h"
#include "chart/zafchartstub.h"

class ZafChartControl : public ZafChartStub {
 public:
  // Region in cells; the chart type, its dimension and the model's domain mode.
  ZafChartControl(int32_t left, int32_t top, int32_t width, int32_t height, int32_t chartType,
                  int32_t dimension, int32_t domainMode);
  ~ZafChartControl() override;

  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  // The view holds the chart type.
  int32_t SetChartKind(int32_t) override { return 1; }
  // Rebuilds the chart unless it is built.
  void PrepareChart();

  cf_ChartView* GetChartView() const { return view.get(); }
  cf_ChartEngine* GetEngine() const { return view->GetEngine(); }
  cf_ChartModel* GetModel() const { return view->GetModel(); }

  // Each redisplays the control when its automatic update is on.
  ZafEventType SetChartType(int32_t type);
  ZafEventType SetDimension(int32_t dimension);
  ZafEventType SetDomainMode(int32_t mode);

  cf_XYZ& AddValue(int32_t series, double value) { return view->AddValue(series, value); }
  cf_XYZ* AddLabel(const ZafIChar* text, int32_t kind, double position) {
    return view->AddLabel(text, kind, position);
  }
  cf_XYZ& AddNumberLabel(double number, int32_t kind, double position) {
    return view->AddNumberLabel(number, kind, position);
  }
  // The same two under the names the program's chart pane knows them by.
  cf_XYZ* SetDomainLabel(const ZafIChar* text, int32_t kind, double position) {
    return AddLabel(text, kind, position);
  }
  cf_XYZ& SetDomainValueLabel(double number, int32_t kind, double position) {
    return AddNumberLabel(number, kind, position);
  }
  cf_DispAttribs& GetSeriesAttribs(int32_t series) { return view->GetSeriesAttribs(series); }
  cf_DispAttribs& GetAxisLabelAttribs(int32_t axis) { return view->GetAxisLabelAttribs(axis); }
  cf_TextAttribs& GetAxisLabelTextAttribs(int32_t axis) { return view->GetAxisLabelTextAttribs(axis); }
  void SetAxisTitle(const ZafIChar* text, int32_t axis, double x, double y, double z) {
    view->SetAxisTitle(text, axis, x, y, z);
  }
  cf_3DGridTickSeries& GetAxis(int32_t n) const { return view->GetAxis(n); }
  cf_3DGridTickSeries& ShowAxis(int32_t n, bool show);
  cf_3DGridTickSeries& SetAxisStyle(int32_t n, uint32_t style) { return view->SetAxisStyle(n, style); }
  cf_3DGridTickSeries& SetAxisTicks(int32_t n, double step, int32_t minorCount, double tickLength,
                                    uint32_t flags) {
    return view->SetAxisTicks(n, step, minorCount, tickLength, flags);
  }
  cf_3DGridTickSeries& SetAxisTickInterval(int32_t n, int32_t interval, uint32_t flags) {
    return view->SetAxisTickInterval(n, interval, flags);
  }
  cf_3DGridTickSeries& SetAxisLabelInterval(int32_t n, int32_t interval, uint32_t flags) {
    return view->SetAxisLabelInterval(n, interval, flags);
  }
  int SetValueRange(double min, double max) { return view->SetValueRange(min, max); }
  int SetMargins(double top, double bottom, double left, double right) {
    return view->SetMargins(top, bottom, left, right);
  }
  int SetStretch(uint8_t on) { return view->SetStretch(on); }
  // The stretch under the name the program's chart pane knows it by.
  int SetKernelOption(uint8_t on) { return SetStretch(on); }
  int SetBoxProportions(double heightPercent, double depthPercent) {
    return view->SetBoxProportions(heightPercent, depthPercent);
  }
  int ClearData(uint8_t update) { return view->ClearData(update); }
  int ClearAll(uint8_t update) { return view->ClearAll(update); }
  int ClearAxisTitles(uint8_t update) { return view->ClearAxisTitles(update); }
  int ClearLegend(uint8_t update) { return view->ClearLegend(update); }
  int ClearTitles(uint8_t update) { return view->ClearTitles(update); }
  cf_XYZ& AddXYValue(int32_t series, double x, double y) { return view->AddXYValue(series, x, y); }
  cf_XYZ& AddXYZValue(int32_t series, double x, double y, double z) {
    return view->AddXYZValue(series, x, y, z);
  }
  cf_DataGroup& AddLegendEntry(const ZafIChar* text, double x, double y, double z) {
    return view->AddLegendEntry(text, x, y, z);
  }
  int32_t GetChartType() const { return view->GetChartType(); }
  int32_t GetDimension() const { return view->GetDimension(); }
  int32_t GetDomainMode() const { return view->GetDomainMode(); }
  cf_DispAttribs& GetAxisTitleAttribs(int32_t axis) { return view->GetAxisTitleAttribs(axis); }
  cf_TextAttribs& GetAxisTitleTextAttribs(int32_t axis) { return view->GetAxisTitleTextAttribs(axis); }
  cf_DispAttribs& GetWallAttribs(int32_t n) { return view->GetWallAttribs(n); }
  cf_TextAttribs& GetSeriesTextAttribs(int32_t series) { return view->GetSeriesTextAttribs(series); }
  cf_DispAttribs& GetLegendAttribs(int32_t entry) { return view->GetLegendAttribs(entry); }
  cf_TextAttribs& GetLegendTextAttribs(int32_t entry) { return view->GetLegendTextAttribs(entry); }
  cf_DispAttribs& GetTitleAttribs(int32_t which) { return view->GetTitleAttribs(which); }
  cf_TextAttribs& GetTitleTextAttribs(int32_t which) { return view->GetTitleTextAttribs(which); }
  void SetTitle(const ZafIChar* text, int32_t which, double x, double y, double z) {
    view->SetTitle(text, which, x, y, z);
  }
  void SetTitleDefault(const ZafIChar* text, int32_t which) { view->SetTitleDefault(text, which); }
  void SetAxisTitleDefault(const ZafIChar* text, int32_t axis) { view->SetAxisTitleDefault(text, axis); }
  cf_3DGridTickSeries& SetAxis(int32_t n, uint32_t style, double step, int32_t labelInterval,
                               int32_t markInterval, int32_t minorCount, double tickLength, uint32_t flags) {
    return view->SetAxis(n, style, step, labelInterval, markInterval, minorCount, tickLength, flags);
  }
  cf_3DGridTickSeries& SetAxisTickCount(int32_t n, int32_t count, int32_t minorCount, double tickLength,
                                        uint32_t flags) {
    return view->SetAxisTickCount(n, count, minorCount, tickLength, flags);
  }
  double GetValueMin() const { return view->GetValueMin(); }
  double GetValueMax() const { return view->GetValueMax(); }
  int SetForceZero(uint8_t on) { return view->SetForceZero(on); }
  uint8_t GetForceZero() const { return view->GetForceZero(); }
  int SetZeroFactor(double factor) { return view->SetZeroFactor(factor); }
  double GetZeroFactor() const { return view->GetZeroFactor(); }
  int SetTopMargin(double percent) { return view->SetTopMargin(percent); }
  int SetBottomMargin(double percent) { return view->SetBottomMargin(percent); }
  int SetLeftMargin(double percent) { return view->SetLeftMargin(percent); }
  int SetRightMargin(double percent) { return view->SetRightMargin(percent); }
  int SetPlotSize(double heightPercent, double widthPercent) {
    return view->SetPlotSize(heightPercent, widthPercent);
  }
  int ApplyDimension(int32_t dimension) { return view->ApplyDimension(dimension); }
  int SetRotation(double elevation, double azimuth) { return view->SetRotation(elevation, azimuth); }

 private:
  ZafEventType RedisplayWhenAutomatic();

  std::unique_ptr<cf_ChartView> view;
};

#endif
