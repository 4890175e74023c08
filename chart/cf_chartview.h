// The chart's public face: one model and the engine that draws it, made by chart type and dimension.
// Requests go on to the model, the engine, its kernel or one of its axis series; the view adds the
// ownership of both, a flag that says whether the engine's objects match the model, and the default
// places of titles. Series, axes and titles are numbered from 1.
#ifndef CHART_CF_CHARTVIEW_H
#define CHART_CF_CHARTVIEW_H

#include <cstdint>
#include <memory>

#include "chart/bf_color.h"
#include "framework/data/zaftypes.h"

class bf_Display;
class cf_3DGridTickSeries;
class cf_ChartEngine;
class cf_ChartModel;
class cf_DataGroup;
class cf_DispAttribs;
class cf_TextAttribs;
class cf_XYZ;

class cf_ChartView {
 public:
  // Label kinds: domain (the x axis), range (the y axis), groups (lines across the plot).
  static constexpr int32_t kDomainLabel = 1;
  static constexpr int32_t kRangeLabel = 2;
  static constexpr int32_t kGroupLabel = 4;

  cf_ChartView(int32_t chartType, int32_t dimension, int32_t domainMode);
  cf_ChartView(const cf_ChartView&) = delete;
  cf_ChartView& operator=(const cf_ChartView&) = delete;
  virtual ~cf_ChartView();

  // ---- Drawing ----
  // Fits the projection to the display and maps the objects to the screen.
  void Layout(bf_Display& display);
  // Layout, then a full rebuild.
  void Prepare(bf_Display& display);
  int Draw(bf_Display& display);
  bool IsDrawn() const { return drawn; }

  // ---- Engine and model ----
  cf_ChartEngine* GetEngine() const { return engine.get(); }
  cf_ChartModel* GetModel() const { return model.get(); }
  // Takes the engine (null changes nothing and answers 0) and builds its objects.
  int SetEngine(std::unique_ptr<cf_ChartEngine> newEngine);
  // The factory: the engine for the type and dimension; an unknown pair gives the point-series engine.
  // The old engine goes.
  int SetChartType(int32_t type, int32_t dimension);
  int SetChartType(int32_t type);
  int32_t GetChartType() const;
  int SetDimension(int32_t dimension);
  int32_t GetDimension() const;
  int SetDomainMode(int32_t mode);
  int32_t GetDomainMode() const;

  // ---- Data ----
  cf_XYZ& AddValue(int32_t series, double value);
  cf_XYZ& AddXYValue(int32_t series, double x, double y);
  cf_XYZ& AddXYZValue(int32_t series, double x, double y, double z);
  // Kind 1 or 5 a domain label, 2 or 6 a range label, 4 or 8 a group label; null for any other kind.
  cf_XYZ* AddLabel(const ZafIChar* text, int32_t kind, double position);
  // Kind 1 a domain label, 6 a range label, any other a group label, showing the number.
  cf_XYZ& AddNumberLabel(double number, int32_t kind, double position);

  // ---- Titles ----
  void SetTitle(const ZafIChar* text, int32_t which, double x, double y, double z);
  void SetTitleDefault(const ZafIChar* text, int32_t which);
  void SetAxisTitle(const ZafIChar* text, int32_t axis, double x, double y, double z);
  void SetAxisTitleDefault(const ZafIChar* text, int32_t axis);
  cf_DataGroup& AddLegendEntry(const ZafIChar* text, double x, double y, double z);

  // ---- Attributes ----
  cf_DispAttribs& GetSeriesAttribs(int32_t series);
  cf_TextAttribs& GetSeriesTextAttribs(int32_t series);
  cf_DispAttribs& GetAxisLabelAttribs(int32_t axis);
  cf_TextAttribs& GetAxisLabelTextAttribs(int32_t axis);
  cf_DispAttribs& GetAxisTitleAttribs(int32_t axis);
  cf_TextAttribs& GetAxisTitleTextAttribs(int32_t axis);
  cf_DispAttribs& GetWallAttribs(int32_t n);
  cf_DispAttribs& GetLegendAttribs(int32_t entry);
  cf_TextAttribs& GetLegendTextAttribs(int32_t entry);
  cf_DispAttribs& GetTitleAttribs(int32_t which);
  cf_TextAttribs& GetTitleTextAttribs(int32_t which);

  // ---- Axes ----
  // Axis n, or the bottom X axis for a number outside 1..7. Every setter shows the axis first. Flags: bit
  // 0 hides the ticks, bit 1 turns them inwards, bit 2 staggers the labels.
  cf_3DGridTickSeries& GetAxis(int32_t n) const;
  cf_3DGridTickSeries& SetAxis(int32_t n, uint32_t style, double step, int32_t labelInterval,
                               int32_t markInterval, int32_t minorCount, double tickLength, uint32_t flags);
  cf_3DGridTickSeries& SetAxisStyle(int32_t n, uint32_t style);
  cf_3DGridTickSeries& SetAxisTickCount(int32_t n, int32_t count, int32_t minorCount, double tickLength,
                                        uint32_t flags);
  cf_3DGridTickSeries& SetAxisTicks(int32_t n, double step, int32_t minorCount, double tickLength,
                                    uint32_t flags);
  cf_3DGridTickSeries& SetAxisTickInterval(int32_t n, int32_t interval, uint32_t flags);
  cf_3DGridTickSeries& SetAxisLabelInterval(int32_t n, int32_t interval, uint32_t flags);

  // ---- Ranges ----
  // Fixes the value range (and stops widening it to 0); answers 1 when the data's range reaches a limit.
  int SetValueRange(double min, double max);
  double GetValueMin() const;
  double GetValueMax() const;
  // Fixes the domain range; answers 1 when the data's range reaches a limit.
  int SetDomainRange(double min, double max);
  double GetDomainMin() const;
  double GetDomainMax() const;
  // Each answers 0 when the value range spanned 0 before the change, else 1.
  int SetZeroFactor(double factor);
  int SetForceZero(uint8_t on);
  double GetZeroFactor() const;
  uint8_t GetForceZero() const;

  // ---- Kernel and engine ----
  int SetMargins(double top, double bottom, double left, double right);
  int SetPlotSize(double heightPercent, double widthPercent);
  int SetTopMargin(double percent);
  int SetBottomMargin(double percent);
  int SetLeftMargin(double percent);
  int SetRightMargin(double percent);
  // The kernel's margins, in percent.
  double GetTopMargin() const;
  double GetBottomMargin() const;
  double GetLeftMargin() const;
  double GetRightMargin() const;
  int SetStretch(uint8_t on);
  uint8_t GetStretch() const;
  double GetElevation() const;
  double GetAzimuth() const;
  int ApplyDimension(int32_t dimension);
  int SetPerspective(double percent);
  // The kernel's perspective 1, 0.5 and 0; each answers 1.
  int SetPerspectiveFull();
  int SetPerspectiveHalf();
  int SetPerspectiveNone();
  int SetRotation(double elevation, double azimuth);
  int SetBoxProportions(double heightPercent, double depthPercent);
  int SetBoxHeight(double heightPercent);
  double GetBoxHeightPercent() const;
  double GetBoxDepthPercent() const;
  // Sets the width and rebuilds the objects.
  int SetBarWidth(double percent);
  double GetBarWidth() const;
  void ShowBitmap(uint8_t on);
  uint8_t IsBitmapShown() const;
  void SetDrawPlotFrame(uint8_t on);
  uint8_t DrawPlotFrame() const;
  void SetAxisColor(bf_Color color);

  // ---- Clearing ----
  // Each answers, with update 1, after the model's update; otherwise update - 1.
  int ClearAll(uint8_t update);
  int ClearData(uint8_t update);
  int ClearLegend(uint8_t update);
  int ClearAxisTitles(uint8_t update);
  int ClearTitles(uint8_t update);

 private:
  std::unique_ptr<cf_ChartEngine> MakeEngine(int32_t type, int32_t dimension);
  cf_3DGridTickSeries& ShownAxis(int32_t n) const;
  template <typename Clear>
  int ClearWith(uint8_t update, Clear clear);
  // 0 when the value range spans 0, else 1.
  int ValueRangeMissesZero() const;

  std::unique_ptr<cf_ChartModel> model;
  std::unique_ptr<cf_ChartEngine> engine;
  bool drawn = false;
};

#endif
