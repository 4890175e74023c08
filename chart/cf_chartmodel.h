// The data of one chart apart from any way of drawing it: the series (each a data group of points with
// x = position, y = value, z = series number), the "Groups", "Domain" and "Range" label groups, titles,
// axis titles and tick-label attributes, the legend, the series palette and styles, and the settings from
// which the axes' value ranges are computed. The model never draws: Update tells the attached engine to
// rebuild. Series and legend entries are numbered from 1.
#ifndef CHART_CF_CHARTMODEL_H
#define CHART_CF_CHARTMODEL_H

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/bf_color.h"
#include "chart/cf_datagroup.h"
#include "chart/cf_extent.h"

class cf_ChartEngine;
class cf_ChartView;

class cf_ChartModel {
 public:
  // Domain modes: the n-th value of a series at x = n, at x = n - 1, or at an x the caller gives. Any mode
  // but the last two counts from 1.
  static constexpr int32_t kCounted = 1;
  static constexpr int32_t kZeroBased = 2;
  static constexpr int32_t kOwnX = 3;
  static constexpr std::size_t kPaletteSize = 16;
  static constexpr std::size_t kAxisCount = 7;
  using Palette = std::array<bf_Color, kPaletteSize>;

  // One empty series, current, first and last 1.
  cf_ChartModel(cf_ChartView* owner, int32_t domainMode);
  cf_ChartModel(const cf_ChartModel&) = delete;
  cf_ChartModel& operator=(const cf_ChartModel&) = delete;
  ~cf_ChartModel();

  cf_ChartView* Owner() const { return owner; }
  cf_ChartEngine* GetEngine() const { return engine; }
  // Null changes nothing and answers 0.
  int SetEngine(cf_ChartEngine* newEngine);

  // ---- Series and values ----
  // Series max(n, 1), made with every missing series below it; it becomes the current series.
  cf_DataGroup& SelectSeries(int32_t n);
  int32_t CurrentSeries() const { return currentSeries; }
  int32_t SeriesCount() const { return seriesCount; }
  int32_t FirstSeries() const { return firstSeries; }
  int32_t LastSeries() const { return lastSeries; }
  // Appends a value to the current series at the position the domain mode gives; either label may be null.
  cf_XYZ& AddValue(double y, const ZafIChar* domainLabel, const ZafIChar* rangeLabel);
  // Makes series n current and appends the values in order, as AddValue without labels does for each.
  void AddValues(int32_t n, const double* values, int32_t count);
  cf_XYZ& AddXYValue(double x, double y, const ZafIChar* domainLabel, const ZafIChar* rangeLabel);
  // Switches to own-x mode.
  cf_XYZ& AddXYZValue(double x, double y, double z, const ZafIChar* domainLabel, const ZafIChar* rangeLabel);

  // ---- Label groups ----
  cf_DataGroup& GetGroups() { return *groups; }
  cf_DataGroup& GetDomain() { return *domain; }
  cf_DataGroup& GetRange() { return *range; }
  cf_XYZ& AddDomainLabel(double x, const ZafIChar* text);
  cf_XYZ& AddDomainNumberLabel(double x, double value);
  cf_XYZ& AddRangeLabel(double y, const ZafIChar* text);
  cf_XYZ& AddRangeNumberLabel(double y, double value);
  cf_XYZ& AddGroupLabel(double z, const ZafIChar* text);
  cf_XYZ& AddGroupNumberLabel(double z, double value);

  int32_t DomainMode() const { return domainMode; }
  // Refills the Domain group for the mode; with rebuild and an engine, runs the engine's whole pipeline and
  // answers 1.
  int SetDomainMode(int32_t mode, bool rebuild);
  // Empties the label groups and deletes the series, leaving one empty series; titles, axes, legend,
  // palette and range settings stay.
  void ClearData();

  // ---- Computed ranges ----
  double DomainMin() const;
  double DomainMax() const;
  double DomainSpan() const { return DomainMax() - DomainMin(); }
  double MinDomainStep() const;
  double ValueMin() const;
  double ValueMax() const;
  double ValueSpan() const { return ValueMax() - ValueMin(); }
  // Sums by point index over the series, positive values up and negative ones down. Both select each
  // series in turn, so the last series is current afterwards.
  double StackedValueMin();
  double StackedValueMax();
  double StackedValueSpan() { return StackedValueMax() - StackedValueMin(); }
  double SeriesMin() const;
  double SeriesMax() const;
  double SeriesSpan() const { return SeriesMax() - SeriesMin(); }

  // ---- Range settings ----
  // A computed maximum never falls below a fixed one, a computed minimum never exceeds one.
  void SetFixedDomainMax(double v);
  void SetFixedDomainMin(double v);
  void SetFixedValueMax(double v);
  void SetFixedValueMin(double v);
  double FixedDomainMax() const { return fixedDomainMax.value; }
  double FixedDomainMin() const { return fixedDomainMin.value; }
  double FixedValueMax() const { return fixedValueMax.value; }
  double FixedValueMin() const { return fixedValueMin.value; }
  void SetValueMaxFixed(bool on) { fixedValueMax.set = on; }
  void SetValueMinFixed(bool on) { fixedValueMin.set = on; }
  bool IsValueMaxFixed() const { return fixedValueMax.set; }
  bool IsValueMinFixed() const { return fixedValueMin.set; }
  // Added to the computed maximum (taken off the minimum), which is then rounded outwards when asked.
  void SetValueMaxMargin(double v) { valueMaxMargin = v; }
  void SetValueMinMargin(double v) { valueMinMargin = v; }
  void SetRoundValueMax(bool on) { roundValueMax = on; }
  void SetRoundValueMin(bool on) { roundValueMin = on; }
  double ValueMaxMargin() const { return valueMaxMargin; }
  double ValueMinMargin() const { return valueMinMargin; }
  bool RoundValueMax() const { return roundValueMax; }
  bool RoundValueMin() const { return roundValueMin; }
  // The value range always reaches 0.
  void SetForceZero(bool on) { forceZero = on; }
  bool ForceZero() const { return forceZero; }
  // The value range reaches 0 when the data's span times this factor reaches 0 from the data.
  void SetZeroFactor(double factor) { zeroFactor = factor; }
  double ZeroFactor() const { return zeroFactor; }

  // ---- Titles and axes ----
  // 2 the sub-title, anything else the title; made on first use.
  cf_DataGroup& GetTitleGroup(int32_t which);
  // Names the group with the text and anchors it at (x, y, z).
  void SetTitle(const ZafIChar* text, int32_t which, double x, double y, double z);
  // The titles start afresh; texts and attributes shared with drawn markers stay valid, and empty.
  void ClearTitles();
  // Axis 1 back-face X, 2 bottom-face X, 3 back-face Y, 4 left-face Y, 5 bottom-face Z, 6 left-face Z,
  // 7 polar floor; any other number is axis 2.
  cf_DataGroup& GetAxisTitleGroup(int32_t n);
  void SetAxisTitle(const ZafIChar* text, int32_t n, double x, double y, double z);
  void ClearAxisTitles();
  // The attributes of axis n's tick labels; the group holds no points.
  cf_DataGroup& GetAxisLabelGroup(int32_t n);

  // ---- Legend ----
  // Entry max(n, 1), made with every missing entry below it.
  cf_DataGroup& GetLegendEntry(int32_t n);
  cf_DataGroup& AddLegendEntry(const ZafIChar* text, double x, double y, double z);
  int32_t LegendCount() const { return static_cast<int32_t>(legend.size()); }
  // Marks the model changed, so that the next update rebuilds the markers that showed the entries.
  void ClearLegend();

  // ---- Colours, styles and draw passes ----
  // Colour 0 below series 1; the palette repeats every 16 series.
  bf_Color SeriesColor(int32_t n) const;
  void SetSeriesColor(int32_t n, bf_Color color);
  void SetPalette(const Palette& colors) { palette = colors; }
  // Style 0 below series 1; the styles repeat every 3 series.
  uint32_t SeriesStyle(int32_t n) const;
  void SetSeriesStyle(int32_t n, uint32_t code);
  void SetSeriesStyles(uint32_t a, uint32_t b, uint32_t c) { seriesStyles = {a, b, c}; }
  uint32_t LegendWidth() const { return legendWidth; }
  void SetLegendWidth(uint32_t width) { legendWidth = width; }
  // Pass 2 the primary flag, pass 3 the secondary flag, any other 0.
  uint8_t SeriesPassFlag(int32_t pass) const;
  void SetSeriesPassFlags(uint8_t primary, uint8_t secondary, bool applyToAll);

  bool IsChanged() const { return changed; }
  // Rebuilds the engine's objects when asked or when the data changed, then runs each later stage when
  // rebuilt or asked. Nothing without an engine.
  void Update(bool build, bool place, bool project, bool toScreen, bool fit);

 private:
  struct FixedLimit {
    double value = 0;
    bool set = false;
  };
  using GroupSlot = std::unique_ptr<cf_DataGroup>;

  // The series groups from firstSeries to lastSeries.
  template <typename Visit>
  void ForEachSeries(Visit visit) const;
  // The largest maximum and the smallest minimum of an axis over the series.
  cf_Extent SeriesExtent(double (cf_DataGroup::*maxOf)() const, double (cf_DataGroup::*minOf)() const) const;
  const cf_DataGroup& Series(int32_t n) const { return *series[static_cast<std::size_t>(n - 1)]; }
  // The position AddValue gives the next value of a series holding `count` values.
  double NextPosition(int32_t count) const;
  double FinishValueMax(double v) const;
  double FinishValueMin(double v) const;
  double StackedSum(bool positive);
  void ResetLabelGroups();
  // The group in the slot, made when missing; a fresh group gets the defaults of `firstUse`.
  template <typename FirstUse>
  static cf_DataGroup& Slot(GroupSlot& slot, FirstUse firstUse);
  void RunEngine(bool build, bool place, bool project, bool toScreen, bool fit);

  cf_ChartView* owner;
  cf_ChartEngine* engine = nullptr;
  int32_t domainMode;
  Palette palette{};
  std::array<uint32_t, 3> seriesStyles{0, 1, 1};
  uint32_t legendWidth = 1;
  uint8_t seriesPrimaryFlag = 0;
  uint8_t seriesSecondaryFlag = 0;
  FixedLimit fixedDomainMax;
  FixedLimit fixedDomainMin;
  bool forceZero = false;
  double zeroFactor = 1.0;
  double valueMinMargin = 0;
  bool roundValueMin = false;
  double valueMaxMargin = 0;
  bool roundValueMax = false;
  FixedLimit fixedValueMax;
  FixedLimit fixedValueMin;
  int32_t seriesCount = 0;
  int32_t lastSeries = 0;
  int32_t firstSeries = 0;
  int32_t currentSeries = 0;
  bool changed = false;
  // Series n at index n - 1.
  std::vector<GroupSlot> series;
  GroupSlot groups;
  GroupSlot domain;
  GroupSlot range;
  GroupSlot title;
  GroupSlot subTitle;
  std::array<GroupSlot, kAxisCount> axisTitles;
  std::array<GroupSlot, kAxisCount> axisLabels;
  // Entry n at index n - 1.
  std::vector<GroupSlot> legend;
};

#endif
