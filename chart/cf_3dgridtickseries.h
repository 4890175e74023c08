// One axis of the plot box: a row of tick items along one edge of one face, each an optional grid line
// across the face, an optional tick mark beyond the edge and an optional label, plus the axis title. The
// engine owns one series per axis and rebuilds its items from the model on every build. Items are text
// markers in the box's own coordinates (each from 0 to the box's span): the anchor to the bend is the grid
// line, the bend to the text point the tick, and the label stands at the tick's end (at the box's edge
// when ticks point inwards).
#ifndef CHART_CF_3DGRIDTICKSERIES_H
#define CHART_CF_3DGRIDTICKSERIES_H

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/cf_3dtextmarker.h"
#include "chart/cf_virt3dobj.h"

class cf_ChartEngine;
class cf_ChartModel;
class cf_DataGroup;

class cf_3DGridTickSeries : public cf_Virt3DObj {
 public:
  // What the axis shows.
  enum Style : uint32_t {
    kNone = 0,
    kDomainCategories = 1,
    kRangeCategories = 2,
    kRangeRunningSums = 3,
    kGroupCategories = 4,
    kXValues = 5,
    kYValues = 6,
    kStackedValues = 7,
    kNothing = 9,
  };

  cf_3DGridTickSeries(cf_ChartEngine* engine, uint32_t axisNumber, uint32_t style);
  ~cf_3DGridTickSeries() override;

  // Each applied to every item and to the title.
  void Project(const cf_Kernel& kernel) override;
  void ToScreen(const cf_Kernel& kernel) override;
  // About the series' accumulated translation; the items made later are scaled alike.
  void Scale(double sx, double sy, double sz) override;
  void Translate(double dx, double dy, double dz) override;
  void DrawPrimary(bf_Display& display) override { DrawSecondary(display); }
  // The items with the series' attributes selected, staggered labels alternately above and below their
  // anchors, then the title; nothing while hidden.
  void DrawSecondary(bf_Display& display) override;

  // The item of a face for value v (in data units along the face's axis), a minor one with half a tick.
  virtual cf_3DTextMarker* CreateItem(double value, bool minor) = 0;
  virtual int BuildNothing() { return 0; }
  virtual int BuildCategoryTicks(cf_ChartModel& model);
  virtual int BuildXTicks(cf_ChartModel& model);
  virtual int BuildYTicks(cf_ChartModel& model);
  virtual int BuildStackedTicks(cf_ChartModel& model);

  // Deletes the items and, when shown, makes them anew from the model with the attributes of the model's
  // tick-label group of this axis. Answers 0 when nothing was built.
  int Build(cf_ChartModel& model);

  uint32_t AxisNumber() const { return axisNumber; }
  uint32_t GetStyle() const { return style; }
  void SetStyle(uint32_t code) { style = code; }
  bool IsVisible() const { return Shown() != 0; }
  void Show() { SetShown(1); }
  void Hide() { SetShown(0); }

  // The setters of counts, steps, intervals and lengths store a negative value as 0 and then answer false.
  // Divisions of the value range; switches the automatic step on.
  bool SetTickCount(int32_t divisions);
  int32_t GetTickCount() const { return divisions; }
  // Switches the automatic step off.
  bool SetTickStep(double step);
  double GetTickStep() const { return tickStep; }
  bool IsAutoStep() const { return autoStep; }
  // Percent of the box's cross dimension.
  bool SetTickLength(double percent);
  double GetTickLength() const { return tickLength; }
  // The first item and every Nth after it draw their grid lines (0: none); existing items follow at once.
  bool SetMarkInterval(int32_t n);
  int32_t GetMarkInterval() const { return gridInterval; }
  // Likewise for labels; 0 also stops forcing labels on the end items.
  bool SetLabelInterval(int32_t n);
  int32_t GetLabelInterval() const { return labelInterval; }
  // Every Nth item has a full tick, the others half a tick (0: all half); from the next build on.
  bool SetMinorCount(int32_t n);
  int32_t GetMinorCount() const { return majorInterval; }
  // Hides or shows the ticks of the existing items and of those made later.
  void SetAllItemsFlag(bool hide);
  bool GetAllItemsFlag() const { return hideTicks; }
  // Ticks of items made from now on point into the box, and their labels stay on the box's edge.
  void SetInvertTicks(bool on) { invertTicks = on; }
  bool GetInvertTicks() const { return invertTicks; }
  // Value axes end with items exactly at the range's ends, whose labels may be forced on.
  void SetEndItemAtMax(bool on) { endAtMax = on; }
  void SetEndItemAtMin(bool on) { endAtMin = on; }
  void SetLabelAtMax(bool on) { labelAtMax = on; }
  void SetLabelAtMin(bool on) { labelAtMin = on; }
  bool GetEndItemAtMax() const { return endAtMax; }
  bool GetEndItemAtMin() const { return endAtMin; }
  bool GetLabelAtMax() const { return labelAtMax; }
  bool GetLabelAtMin() const { return labelAtMin; }
  // The text colour of the labels and of the title.
  void SetLabelColour(bf_Color color);

  // The smallest rectangle holding the shown labels, display pixels; empty while the axis is hidden.
  cf_2DRect LabelsRect(bf_Display& display);
  // Lets every label in again and places the labels of group categories (the lines the program marks,
  // as near each other as it likes): each off the other items' grid lines, or where lines stand close on
  // both sides off those with a label (left out where it cannot be), in a flat chart off the plot where
  // the lines run (on the side the ticks point to, never among the other axis's labels), then further
  // out, past each earlier one it would read as one with. The key title (the label its point marks as the
  // key one) is placed first, and the lines it stands over give their titles up. Display pixels.
  void PlaceLabels(bf_Display& display, const cf_2DRect& plot);
  // Which labels a call of LeaveOutCrowdedLabels decides: first the key one of each axis, then the others.
  enum LabelPass { kKeyLabel, kOtherLabels };
  // Leaves out the labels that would not read. With kKeyLabel, the labels along a value or category axis
  // are first thinned to every 2nd, 5th, 10th, 20th... so that no two kept ones touch, counted from the
  // key label (so a marked point such as the gun, or the first lane, stays; from the first label when none
  // is drawn), each kept label stays within its own item's step (LeaveOutLabelsPastTheNextItem), and
  // the key label, or the key title of group categories, is decided; where it is left
  // out, so is every label of the axis. With kOtherLabels the others are decided. A group category's label
  // that its placing left on a flat chart's `plot`, where the lines run, is left out. Any label is left
  // out where it would read as one with one of `kept` (labels and titles drawn before it) or not lie whole
  // in `region`. The labels drawn are added to `kept`. Display pixels.
  void LeaveOutCrowdedLabels(bf_Display& display, const cf_2DRect& plot, const cf_2DRect& region,
                             std::vector<cf_2DRect>& kept, LabelPass pass);
  // Lets the title in again and moves it straight away from the plot rectangle `plot` until it overlaps
  // none of `taken` (labels and titles placed before it) and keeps a gap from the plot, and answers where
  // it stands (display pixels; empty without a text).
  cf_2DRect PlaceTitleClearOf(bf_Display& display, const cf_2DRect& plot,
                              const std::vector<cf_2DRect>& taken);
  // Leaves the placed title out where it would not lie whole in `region`, would come within the gap of
  // `plot`, as when the plot could not give it room, or would touch one of `titles` (those drawn before
  // it), and answers where it is drawn (display pixels; empty when it is not).
  cf_2DRect LeaveOutCrowdedTitle(bf_Display& display, const cf_2DRect& plot, const cf_2DRect& region,
                                 const std::vector<cf_2DRect>& titles);

  cf_3DTextMarker& Title() { return title; }
  // Puts the title's text at (x, y, z) percent of the box.
  void PlaceTitle(double x, double y, double z);
  int32_t GetItemCount() const { return static_cast<int32_t>(items.size()); }
  // Item i from 1; null outside 1..count.
  const cf_3DTextMarker* GetItem(int32_t i) const;

 protected:
  cf_ChartEngine* Engine() const { return itsEngine; }
  // The value mapped into the box along an axis.
  double Map(std::size_t axis, double value) const;
  double BoxSpan(std::size_t axis) const { return boxSpan[axis]; }
  double TickLength() const { return tickLength; }
  bool InvertsTicks() const { return invertTicks; }
  // Appends an item over the three points with the series' attributes, lined up with the items before it.
  cf_3DTextMarker* AddItem(const cf_3DPoint& p0, const cf_3DPoint& p1, const cf_3DPoint& p2);

 private:
  // Counts items towards an interval: the item that reaches it gets the flag.
  struct Counter {
    int32_t interval = 0;
    int32_t count = 0;
    void Restart(bool afterZeroItem) { count = afterZeroItem ? 0 : interval; }
    bool Next();
  };
  struct Counters {
    Counter grid, label, major;
    void Restart(bool afterZeroItem);
  };

  // `visit(item)` for each item in order with the attributes it draws its label with: a staggered label
  // takes the default font and colours, alternately above and below its anchor.
  template <typename Visit>
  void ForEachItemAsDrawn(Visit visit);
  // Every `stride`th of the labels met along the axis, counted both ways from the key label (from the
  // first when the key label is not drawn).
  void ThinLabels(bf_Display& display);
  // A label standing above (or below) its anchor that reaches past the next item's anchor that way would
  // read as that item's: it is left out, unless it is the key label.
  void LeaveOutLabelsPastTheNextItem(bf_Display& display);
  // Leaves out the titles of the lines that `title`, placed at `placed`, stands over.
  void LeaveOutTitlesUnder(const cf_3DTextMarker& title, const cf_2DRect& placed);
  // Group categories mark lines across a flat plot.
  bool LinesRunOverPlot() const;
  // The columns of the grid lines drawn, or of those with a label, display pixels, left to right.
  std::vector<int32_t> GridLineColumns(bool titledOnly) const;
  void LoadExtents();
  // Recomputes the step from the division count over the extent; a count of 0 or less gives no ticks.
  void AutoStep(double extent, bool atLeastOne);
  int BuildValueTicks(double lo, double hi, int32_t domainMode);
  // One direction of a value run from `start` to `end`, ending with the end item when asked.
  void BuildRun(double start, double end, bool startMade, bool endItem, bool endLabel, Counters& counters);
  // An item whose grid line, label and tick length follow the counters; its label is the text, or the
  // value in the format. Null when the face makes none.
  cf_3DTextMarker* MakeItem(double value, Counters& counters, bool labelForced, const ZafIChar* format,
                            const cf_String* text);
  bool HasRoom() const;

  cf_ChartEngine* itsEngine;
  uint32_t axisNumber;
  uint32_t style;
  std::array<double, 3> dataMin{};
  std::array<double, 3> dataSpan{};
  std::array<double, 3> boxSpan{};
  std::vector<std::unique_ptr<cf_3DTextMarker>> items;
  cf_3DTextMarker title;
  std::array<double, 3> translation{};
  std::array<double, 3> scaleFactor{1, 1, 1};
  double tickLength = 0.03;
  bool autoStep = true;
  int32_t divisions = 10;
  double tickStep = 1.0;
  int32_t gridInterval = 0;
  int32_t labelInterval = 1;
  int32_t majorInterval = 1;
  bool endAtMax = true;
  bool labelAtMax = true;
  bool endAtMin = true;
  bool labelAtMin = true;
  bool hideTicks = false;
  bool invertTicks = false;
  // The label decided first: the item of the first category point that the caller marked as the key
  // label; null when the last build made none.
  const cf_3DTextMarker* keyLabel = nullptr;
};

#endif
