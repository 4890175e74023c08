#include "chart/cf_3dgridtickseries.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/cf_chartengine.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_textselection.h"

namespace {

// Room from the start for a typical axis.
constexpr std::size_t kInitialRoom = 25;
// Far more items than any axis can show: a range or step out of all proportion stops here rather than
// filling memory.
constexpr std::size_t kMostItems = 10000;
constexpr double kTitleSizePercent = 5.0;
constexpr double kLabelSizePercent = 4.0;
constexpr double kPercent = 0.01;
constexpr const ZafIChar* kCategoryFormat = u"%g";
// Positions within this share of a step of the run's end count as the end, which gets its own item.
constexpr double kEndTolerance = 1e-9;

// A title keeps the gap between texts from the plot's border too.
constexpr int32_t kGap = cf_3DTextMarker::kTextGap;

// The plot with the gap a title keeps from its border on every side.
cf_2DRect PlotAndGap(const cf_2DRect& plot) {
  return {plot.left - kGap, plot.top - kGap, plot.right + kGap, plot.bottom + kGap};
}

// Whether `rect` lies whole in `region`, whose right and bottom are its last pixels (a text's are just past
// its own).
bool LiesWholeIn(const cf_2DRect& rect, const cf_2DRect& region) {
  return region.left <= rect.left && region.top <= rect.top && rect.right <= region.right + 1 &&
         rect.bottom <= region.bottom + 1;
}

// A point where the display would put it before its pixel is taken, by the kernel's mapping to the screen
// when there is one.
cf_Kernel::ExactPoint ExactScreenPoint(const cf_3DPoint& point, const cf_Kernel* kernel) {
  if (!kernel) {
    return {static_cast<double>(point.GetScreenX()), static_cast<double>(point.GetScreenY())};
  }
  return kernel->ToExactScreen(point.GetProjX(), point.GetProjY());
}

// How far `moved` must go to clear `fixed`, straight away from `plot`: up or down when its middle lies
// above or below the plot, otherwise left or right.
// Sums and differences of coordinates are taken in 64 bits and the offset held to 32 bits, so that
// rectangles anywhere in the coordinate range give an offset, however far apart they lie.
cf_2DPoint ClearingOffset(const cf_2DRect& moved, const cf_2DRect& fixed, const cf_2DRect& plot) {
  const auto middle = [](int32_t a, int32_t b) { return (int64_t{a} + b) / 2; };
  const auto gap = [](int32_t to, int32_t from) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{to} - from, INT32_MIN, INT32_MAX));
  };
  const int64_t middleY = middle(moved.top, moved.bottom);
  if (middleY > plot.bottom) {
    return {0, gap(fixed.bottom, moved.top)};
  }
  if (middleY < plot.top) {
    return {0, gap(fixed.top, moved.bottom)};
  }
  return middle(moved.left, moved.right) < middle(plot.left, plot.right)
             ? cf_2DPoint{gap(fixed.left, moved.right), 0}
             : cf_2DPoint{gap(fixed.right, moved.left), 0};
}

}  // namespace

bool cf_3DGridTickSeries::Counter::Next() {
  ++count;
  if (interval <= 0 || count < interval) {
    return false;
  }
  count = 0;
  return true;
}

void cf_3DGridTickSeries::Counters::Restart(bool afterZeroItem) {
  grid.Restart(afterZeroItem);
  label.Restart(afterZeroItem);
  major.Restart(afterZeroItem);
}

cf_3DGridTickSeries::cf_3DGridTickSeries(cf_ChartEngine* engine, uint32_t axis, uint32_t initialStyle)
    : itsEngine(engine), axisNumber(axis), style(initialStyle) {
  items.reserve(kInitialRoom);
  const bf_Color textColor = engine ? engine->AxisColor() : bf_Black;
  cf_TextAttribs* titleText = title.CreateTextAttribs();
  titleText->SetSizePercent(kTitleSizePercent);
  titleText->SetForeColor(textColor);
  cf_TextAttribs* labelText = CreateTextAttribs();
  labelText->SetSizePercent(kLabelSizePercent);
  labelText->SetForeColor(bf_Black);
  labelText->SetBackColor(textColor);
}

cf_3DGridTickSeries::~cf_3DGridTickSeries() = default;

void cf_3DGridTickSeries::Project(const cf_Kernel& kernel) {
  for (const auto& item : items) {
    item->Project(kernel);
  }
  title.Project(kernel);
}

void cf_3DGridTickSeries::ToScreen(const cf_Kernel& kernel) {
  for (const auto& item : items) {
    item->ToScreen(kernel);
  }
  title.ToScreen(kernel);
}

void cf_3DGridTickSeries::Scale(double sx, double sy, double sz) {
  const std::array<double, 3> moved = translation;
  Translate(-moved[0], -moved[1], -moved[2]);
  for (const auto& item : items) {
    item->Scale(sx, sy, sz);
  }
  title.Scale(sx, sy, sz);
  scaleFactor[0] *= sx;
  scaleFactor[1] *= sy;
  scaleFactor[2] *= sz;
  Translate(moved[0], moved[1], moved[2]);
}

void cf_3DGridTickSeries::Translate(double dx, double dy, double dz) {
  for (const auto& item : items) {
    item->Translate(dx, dy, dz);
  }
  title.Translate(dx, dy, dz);
  translation[0] += dx;
  translation[1] += dy;
  translation[2] += dz;
}

template <typename Visit>
void cf_3DGridTickSeries::ForEachItemAsDrawn(Visit visit) {
  cf_TextAttribs& labels = *TextAttribs();
  cf_TextAttribs above;
  cf_TextAttribs below;
  above.SetBottom();
  below.SetTop();
  const bool staggered = labels.LabelOptionA() || labels.LabelOptionB();
  bool nextAbove = true;
  for (const auto& item : items) {
    if (!staggered || !item->IsTextShown()) {
      visit(*item);
      continue;
    }
    item->SetTextAttribs(nextAbove ? &above : &below);
    item->SetTextSwitch(0);
    visit(*item);
    item->SetTextSwitch(1);
    item->SetTextAttribs(&labels);
    nextAbove = !nextAbove;
  }
}

void cf_3DGridTickSeries::DrawSecondary(bf_Display& display) {
  if (!IsVisible()) {
    return;
  }
  PushPen(display);
  PushBrush(display);
  {
    const cf_TextSelection selection(display, *TextAttribs());
    ForEachItemAsDrawn([&display](cf_3DTextMarker& item) { item.DrawSecondary(display); });
    title.DrawSecondary(display);
  }
  PopBrush(display);
  PopPen(display);
}

std::vector<int32_t> cf_3DGridTickSeries::GridLineColumns(bool titledOnly) const {
  std::vector<int32_t> columns;
  for (const auto& item : items) {
    const cf_2DPoint from = item->GetAnchorPoint().GetScreenPoint();
    if (item->GetFirstLeader() && from.x == item->GetBendPoint().GetScreenPoint().x &&
        (!titledOnly || item->TextDrawn())) {
      columns.push_back(from.x);
    }
  }
  // Lines drawn twice at one column are one line.
  std::sort(columns.begin(), columns.end());
  columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
  return columns;
}

bool cf_3DGridTickSeries::LinesRunOverPlot() const {
  return style == kGroupCategories && itsEngine && itsEngine->Dimension() == cf_ChartEngine::k2D;
}

void cf_3DGridTickSeries::PlaceLabels(bf_Display& display, const cf_2DRect& plot) {
  for (const auto& item : items) {
    item->SetTextLeftOut(false);
  }
  if (!IsVisible() || style != kGroupCategories) {
    return;
  }
  const cf_TextSelection selection(display, *TextAttribs());
  const std::vector<int32_t> lines = GridLineColumns(false);
  std::vector<cf_2DRect> taken;
  // The key title first, in the row nearest its line; the lines it cannot help standing over give their
  // titles up.
  for (const LabelPass pass : {kKeyLabel, kOtherLabels}) {
    const std::vector<int32_t> titled = GridLineColumns(true);
    ForEachItemAsDrawn([&](cf_3DTextMarker& item) {
      if ((&item == keyLabel) != (pass == kKeyLabel)) {
        return;
      }
      // A title over another line's title reads as that line's.
      const bool clear = item.PlaceTextOffLines(display, lines, titled);
      const cf_2DRect placed = item.NextTextRect(display);
      if (&item == keyLabel) {
        LeaveOutTitlesUnder(item, placed);
      } else if (!clear) {
        item.SetTextLeftOut(true);
      }
      // A text on the plot goes off it, off the lines, on the side its tick points to: on the other side
      // it would stand among the other axis's labels, a title far from the end of its line.
      if (item.TextDrawn() && LinesRunOverPlot() && placed.Overlaps(plot)) {
        item.SetTextOffset({item.TextOffset().x,
                            item.TextAboveAnchor() ? plot.top - placed.bottom : plot.bottom - placed.top});
      }
      item.PlaceTextClearOf(display, taken);
    });
  }
}

void cf_3DGridTickSeries::LeaveOutTitlesUnder(const cf_3DTextMarker& title, const cf_2DRect& placed) {
  for (const auto& item : items) {
    const int32_t column = item->GetAnchorPoint().GetScreenX();
    if (item.get() != &title && item->TextDrawn() && title.TextStandsOver(placed, column)) {
      item->SetTextLeftOut(true);
    }
  }
}

void cf_3DGridTickSeries::ThinLabels(bf_Display& display) {
  struct Label {
    cf_3DTextMarker* item;
    cf_2DRect rect;
    cf_Kernel::ExactPoint anchor;
  };
  const cf_Kernel* kernel =
      itsEngine && itsEngine->GetKernel().IsProjMatrixCurrent() ? &itsEngine->GetKernel() : nullptr;
  std::vector<Label> labels;
  ForEachItemAsDrawn([&](cf_3DTextMarker& item) {
    const cf_2DRect rect = item.NextTextRect(display);
    if (!rect.IsEmpty()) {
      labels.push_back({&item, rect, ExactScreenPoint(item.GetAnchorPoint(), kernel)});
    }
  });
  if (labels.empty()) {
    return;
  }
  // Along the display's width when the axis runs wider than high, else down its height: the labels' own
  // widths differ too much to tell.
  const auto [left, right] = std::minmax_element(
      labels.begin(), labels.end(), [](const Label& a, const Label& b) { return a.anchor.x < b.anchor.x; });
  const auto [top, bottom] = std::minmax_element(
      labels.begin(), labels.end(), [](const Label& a, const Label& b) { return a.anchor.y < b.anchor.y; });
  const bool across = right->anchor.x - left->anchor.x >= bottom->anchor.y - top->anchor.y;
  std::stable_sort(labels.begin(), labels.end(), [across](const Label& a, const Label& b) {
    return across ? a.anchor.x < b.anchor.x : a.anchor.y < b.anchor.y;
  });
  const auto key = std::find_if(labels.begin(), labels.end(),
                                [this](const Label& label) { return label.item == keyLabel; });
  const std::size_t anchor = key != labels.end() ? static_cast<std::size_t>(key - labels.begin()) : 0;
  const auto kept = [anchor](std::size_t i, std::size_t stride) {
    return (i > anchor ? i - anchor : anchor - i) % stride == 0;
  };
  const auto fits = [&](std::size_t stride) {
    const cf_2DRect* last = nullptr;
    for (std::size_t i = 0; i < labels.size(); ++i) {
      if (!kept(i, stride)) {
        continue;
      }
      if (last && cf_3DTextMarker::ReadAsOne(*last, labels[i].rect)) {
        return false;
      }
      last = &labels[i].rect;
    }
    return true;
  };
  // 1, 2, 5, 10, 20, 50 ...; a stride past the last label keeps the key one alone.
  std::size_t stride = 1;
  for (int32_t k = 0; stride < labels.size() && !fits(stride); ++k) {
    stride = k % 3 == 1 ? stride * 5 / 2 : stride * 2;
  }
  for (std::size_t i = 0; i < labels.size(); ++i) {
    labels[i].item->SetTextLeftOut(!kept(i, stride));
  }
}

void cf_3DGridTickSeries::LeaveOutLabelsPastTheNextItem(bf_Display& display) {
  const cf_TextAttribs& labels = *TextAttribs();
  if (!labels.IsBottom() && !labels.IsTop()) {
    return;
  }
  const bool above = labels.IsBottom();
  std::vector<int32_t> anchors;
  for (const auto& item : items) {
    anchors.push_back(item->GetAnchorPoint().GetScreenY());
  }
  for (const auto& item : items) {
    const cf_2DRect rect = item->NextTextRect(display);
    const int32_t own = item->GetAnchorPoint().GetScreenY();
    const bool past = std::any_of(anchors.begin(), anchors.end(), [&](int32_t next) {
      return above ? next < own && rect.top < next : next > own && rect.bottom > next;
    });
    if (!rect.IsEmpty() && item.get() != keyLabel && past) {
      item->SetTextLeftOut(true);
    }
  }
}

void cf_3DGridTickSeries::LeaveOutCrowdedLabels(bf_Display& display, const cf_2DRect& plot,
                                                const cf_2DRect& region, std::vector<cf_2DRect>& kept,
                                                LabelPass pass) {
  if (!IsVisible()) {
    return;
  }
  const cf_TextSelection selection(display, *TextAttribs());
  if (pass == kKeyLabel && style != kGroupCategories) {
    ThinLabels(display);
    LeaveOutLabelsPastTheNextItem(display);
  }
  bool keyLeftOut = false;
  ForEachItemAsDrawn([&](cf_3DTextMarker& item) {
    const cf_2DRect rect = item.NextTextRect(display);
    if (rect.IsEmpty() || (&item == keyLabel) != (pass == kKeyLabel)) {
      return;
    }
    if (!LiesWholeIn(rect, region) || (LinesRunOverPlot() && rect.Overlaps(plot)) ||
        std::any_of(kept.begin(), kept.end(),
                    [&rect](const cf_2DRect& other) { return cf_3DTextMarker::ReadAsOne(rect, other); })) {
      item.SetTextLeftOut(true);
      keyLeftOut = pass == kKeyLabel;
      return;
    }
    kept.push_back(rect);
  });
  // The others are counted from the key label, or give way to it.
  if (keyLeftOut) {
    for (const auto& item : items) {
      item->SetTextLeftOut(true);
    }
  }
}

cf_2DRect cf_3DGridTickSeries::LabelsRect(bf_Display& display) {
  cf_2DRect labels;
  if (IsVisible()) {
    const cf_TextSelection selection(display, *TextAttribs());
    for (const auto& item : items) {
      labels = labels.JoinedWith(item->NextTextRect(display));
    }
  }
  return labels;
}

cf_2DRect cf_3DGridTickSeries::PlaceTitleClearOf(bf_Display& display, const cf_2DRect& plot,
                                                 const std::vector<cf_2DRect>& taken) {
  title.SetTextLeftOut(false);
  title.SetTextOffset({});
  const cf_2DRect placed = title.NextTextRect(display);
  // The lines would cross a title on the plot, and one against its border reads as part of it.
  std::vector<cf_2DRect> clear = taken;
  clear.push_back(PlotAndGap(plot));
  cf_2DRect moved = placed;
  // Each move clears one rectangle and goes the same way, so no more moves than rectangles are needed.
  for (std::size_t moves = 0; moves < clear.size() && !moved.IsEmpty(); ++moves) {
    const auto hit = std::find_if(clear.begin(), clear.end(),
                                  [&moved](const cf_2DRect& rect) { return rect.Overlaps(moved); });
    if (hit == clear.end()) {
      break;
    }
    moved = moved.MovedBy(ClearingOffset(moved, *hit, plot));
  }
  title.SetTextOffset({moved.left - placed.left, moved.top - placed.top});
  return moved;
}

cf_2DRect cf_3DGridTickSeries::LeaveOutCrowdedTitle(bf_Display& display, const cf_2DRect& plot,
                                                    const cf_2DRect& region,
                                                    const std::vector<cf_2DRect>& titles) {
  // A hidden axis draws no title.
  const cf_2DRect placed = IsVisible() ? title.NextTextRect(display) : cf_2DRect{};
  if (placed.IsEmpty()) {
    return {};
  }
  if (!LiesWholeIn(placed, region) || PlotAndGap(plot).Overlaps(placed) ||
      std::any_of(titles.begin(), titles.end(),
                  [&placed](const cf_2DRect& other) { return cf_3DTextMarker::ReadAsOne(placed, other); })) {
    title.SetTextLeftOut(true);
    return {};
  }
  return placed;
}

int cf_3DGridTickSeries::Build(cf_ChartModel& model) {
  items.clear();
  keyLabel = nullptr;
  if (!IsVisible()) {
    return 0;
  }
  cf_DataGroup& labels = model.GetAxisLabelGroup(static_cast<int32_t>(axisNumber));
  SetDispAttribs(&labels.DispAttribs());
  SetTextAttribs(&labels.TextAttribs());
  LoadExtents();
  switch (style) {
    case kDomainCategories:
    case kRangeCategories:
    case kRangeRunningSums:
    case kGroupCategories:
      return BuildCategoryTicks(model);
    case kXValues:
      return BuildXTicks(model);
    case kYValues:
      return BuildYTicks(model);
    case kStackedValues:
      return BuildStackedTicks(model);
    case kNothing:
      return BuildNothing();
    default:
      return 0;
  }
}

void cf_3DGridTickSeries::LoadExtents() {
  if (!itsEngine) {
    return;
  }
  dataMin = {itsEngine->RangeMinX(), itsEngine->RangeMinY(), itsEngine->RangeMinZ()};
  dataSpan = {itsEngine->RangeMaxX() - dataMin[0], itsEngine->RangeMaxY() - dataMin[1],
              itsEngine->RangeMaxZ() - dataMin[2]};
  const cf_Kernel& kernel = itsEngine->GetKernel();
  boxSpan = {kernel.ExtentX(), kernel.ExtentY(), kernel.ExtentZ()};
}

double cf_3DGridTickSeries::Map(std::size_t axis, double value) const {
  // A span or scale too near 0 to divide by leaves its division out.
  double share = 1;
  if (std::abs(dataSpan[axis]) > cf_Kernel::kZeroIfBelow) {
    share = boxSpan[axis] / dataSpan[axis];
  }
  if (std::abs(scaleFactor[axis]) > cf_Kernel::kZeroIfBelow) {
    share /= scaleFactor[axis];
  }
  return (value - dataMin[axis]) * share;
}

cf_3DTextMarker* cf_3DGridTickSeries::AddItem(const cf_3DPoint& p0, const cf_3DPoint& p1,
                                              const cf_3DPoint& p2) {
  items.push_back(std::make_unique<cf_3DTextMarker>(p0, p1, p2));
  cf_3DTextMarker& item = *items.back();
  item.SetSecondLeader(!hideTicks);
  item.SetDispAttribs(DispAttribs());
  item.SetTextAttribs(TextAttribs());
  item.SetTextSwitch(1);
  item.Scale(scaleFactor[0], scaleFactor[1], scaleFactor[2]);
  item.Translate(translation[0], translation[1], translation[2]);
  item.SetTextAtBend(invertTicks);
  return &item;
}

bool cf_3DGridTickSeries::HasRoom() const {
  return items.size() < kMostItems;
}

cf_3DTextMarker* cf_3DGridTickSeries::MakeItem(double value, Counters& counters, bool labelForced,
                                               const ZafIChar* format, const cf_String* text) {
  const bool grid = counters.grid.Next();
  const bool label = counters.label.Next();
  const bool major = counters.major.Next();
  cf_3DTextMarker* item = CreateItem(value, !major);
  if (!item) {
    return nullptr;
  }
  if (text) {
    item->SetText(text->Text());
  } else {
    item->SetTextNumber(value, format);
  }
  item->SetTextShown(label || labelForced);
  item->SetFirstLeader(grid);
  return item;
}

void cf_3DGridTickSeries::AutoStep(double extent, bool atLeastOne) {
  if (divisions <= 0) {
    divisions = 0;
    tickStep = 0;
    return;
  }
  tickStep = extent / divisions;
  if (atLeastOne && tickStep < 1) {
    tickStep = 1;
  }
}

int cf_3DGridTickSeries::BuildXTicks(cf_ChartModel& model) {
  const int32_t mode = model.DomainMode();
  const bool ownX = mode == cf_ChartModel::kOwnX;
  double hi = model.DomainMax();
  if (itsEngine && itsEngine->IsBarType() && mode == cf_ChartModel::kZeroBased) {
    hi += 1;
  }
  if (autoStep) {
    AutoStep(model.DomainSpan() + (ownX ? model.MinDomainStep() : 1.0), !ownX);
  }
  return BuildValueTicks(model.DomainMin(), hi, mode);
}

int cf_3DGridTickSeries::BuildYTicks(cf_ChartModel& model) {
  if (autoStep) {
    AutoStep(model.ValueSpan(), false);
  }
  return BuildValueTicks(model.ValueMin(), model.ValueMax(), model.DomainMode());
}

int cf_3DGridTickSeries::BuildStackedTicks(cf_ChartModel& model) {
  if (autoStep) {
    AutoStep(model.StackedValueSpan(), false);
  }
  return BuildValueTicks(model.StackedValueMin(), model.StackedValueMax(), model.DomainMode());
}

int cf_3DGridTickSeries::BuildValueTicks(double lo, double hi, int32_t domainMode) {
  if (!(hi - lo > 0) || !(tickStep > 0)) {
    return 0;
  }
  Counters counters{{gridInterval}, {labelInterval}, {majorInterval}};
  const ZafIChar* format = TextAttribs()->Format().Text();
  // Counted positions start at 1, so only the other modes mark 0 first, as the first item both ways.
  const bool countsFromOne = domainMode != cf_ChartModel::kZeroBased && domainMode != cf_ChartModel::kOwnX;
  const bool zeroItem = !countsFromOne && lo <= 0 && 0 <= hi;
  if (zeroItem) {
    if (cf_3DTextMarker* item = CreateItem(0, false)) {
      item->SetTextNumber(0.0, format);
      item->SetTextShown(labelInterval > 0);
      item->SetFirstLeader(gridInterval > 0);
    }
  }
  if (hi > 0) {
    BuildRun(lo > 0 ? lo : 0, hi, zeroItem, endAtMax, labelAtMax, counters);
  }
  if (lo < 0) {
    BuildRun(hi <= 0 ? hi : 0, lo, zeroItem, endAtMin, labelAtMin, counters);
  }
  return 1;
}

void cf_3DGridTickSeries::BuildRun(double start, double end, bool startMade, bool endItem, bool endLabel,
                                   Counters& counters) {
  const ZafIChar* format = TextAttribs()->Format().Text();
  const double step = end > start ? tickStep : -tickStep;
  const double last = end - step * kEndTolerance;
  counters.Restart(startMade);
  if (!startMade) {
    MakeItem(start, counters, false, format, nullptr);
  }
  // Positions are counted from the start rather than summed, so that no rounding creeps along the run.
  for (int64_t k = 1; HasRoom(); ++k) {
    const double position = start + static_cast<double>(k) * step;
    if (step > 0 ? position >= last : position <= last) {
      break;
    }
    MakeItem(position, counters, false, format, nullptr);
  }
  if (endItem) {
    MakeItem(end, counters, endLabel, format, nullptr);
  }
}

int cf_3DGridTickSeries::BuildCategoryTicks(cf_ChartModel& model) {
  const cf_DataGroup& group = style == kDomainCategories  ? model.GetDomain()
                              : style == kGroupCategories ? model.GetGroups()
                                                          : model.GetRange();
  if (!(tickStep >= 1)) {
    return 0;
  }
  const int64_t step =
      tickStep < kMostItems ? static_cast<int64_t>(tickStep) : static_cast<int64_t>(kMostItems);
  Counters counters{{gridInterval}, {labelInterval}, {majorInterval}};
  counters.Restart(false);
  double runningSum = 0;
  for (int64_t i = 1; i <= group.Count() && HasRoom(); i += step) {
    const cf_XYZ& point = group.GetPoint(static_cast<int32_t>(i));
    runningSum += point.Y();
    double position = point.Y();
    if (style == kDomainCategories) {
      position = point.X();
    } else if (style == kGroupCategories) {
      position = point.Z();
    } else if (style == kRangeRunningSums) {
      position = runningSum;
    }
    cf_3DTextMarker* item =
        MakeItem(position, counters, false, kCategoryFormat, point.HasLabel() ? point.Label() : nullptr);
    if (item && point.IsKeyLabel() && !keyLabel) {
      keyLabel = item;
    }
  }
  return 1;
}

namespace {

// A negative setting is stored as 0 and reported.
template <typename Value>
bool StoreNotNegative(Value& stored, Value value) {
  const bool valid = value >= 0;
  stored = valid ? value : Value{};
  return valid;
}

}  // namespace

bool cf_3DGridTickSeries::SetTickCount(int32_t count) {
  autoStep = true;
  return StoreNotNegative(divisions, count);
}

bool cf_3DGridTickSeries::SetTickStep(double step) {
  autoStep = false;
  return StoreNotNegative(tickStep, step);
}

bool cf_3DGridTickSeries::SetTickLength(double percent) {
  const bool valid = StoreNotNegative(tickLength, percent);
  tickLength *= kPercent;
  return valid;
}

bool cf_3DGridTickSeries::SetMarkInterval(int32_t n) {
  const bool valid = StoreNotNegative(gridInterval, n);
  for (std::size_t k = 0; k < items.size(); ++k) {
    items[k]->SetFirstLeader(gridInterval > 0 && k % static_cast<std::size_t>(gridInterval) == 0);
  }
  return valid;
}

bool cf_3DGridTickSeries::SetLabelInterval(int32_t n) {
  const bool valid = StoreNotNegative(labelInterval, n);
  for (std::size_t k = 0; k < items.size(); ++k) {
    items[k]->SetTextShown(labelInterval > 0 && k % static_cast<std::size_t>(labelInterval) == 0);
  }
  if (labelInterval == 0) {
    labelAtMax = labelAtMin = false;
  }
  return valid;
}

bool cf_3DGridTickSeries::SetMinorCount(int32_t n) {
  return StoreNotNegative(majorInterval, n);
}

void cf_3DGridTickSeries::SetAllItemsFlag(bool hide) {
  hideTicks = hide;
  for (const auto& item : items) {
    item->SetSecondLeader(!hide);
  }
}

void cf_3DGridTickSeries::SetLabelColour(bf_Color color) {
  TextAttribs()->SetForeColor(color);
  title.TextAttribs()->SetForeColor(color);
}

void cf_3DGridTickSeries::PlaceTitle(double x, double y, double z) {
  if (itsEngine) {
    itsEngine->PlaceAtPercent(&title.GetTextPoint(), x, y, z, false);
  }
}

const cf_3DTextMarker* cf_3DGridTickSeries::GetItem(int32_t i) const {
  return i >= 1 && i <= GetItemCount() ? items[static_cast<std::size_t>(i - 1)].get() : nullptr;
}
