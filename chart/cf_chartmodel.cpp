#include "chart/cf_chartmodel.h"

#include <algorithm>
#include <cmath>

#include "chart/cf_chartengine.h"

namespace {

constexpr const ZafIChar* kNumberFormat = cf_XYZ::kNumberFormat;
constexpr const ZafIChar* kGroupsName = u"Groups";
constexpr const ZafIChar* kDomainName = u"Domain";
constexpr const ZafIChar* kRangeName = u"Range";
constexpr const ZafIChar* kUnassignedLegend = u"Un-assigned Legend!";
constexpr cf_ChartModel::Palette kDefaultPalette = {12, 10, 9, 14, 11, 13, 4, 2, 1, 3, 5, 6, 8, 7, 15, 0};
constexpr std::size_t kInitialRoom = 16;
constexpr int32_t kSubTitle = 2;
constexpr int32_t kDefaultAxis = 2;
constexpr int32_t kPrimaryPass = 2;
constexpr int32_t kSecondaryPass = 3;

// Where an axis's title and tick labels stand about their anchors, and the title's rotation in degrees.
using Placing = void (cf_TextAttribs::*)();
struct AxisLook {
  Placing titleAcross, titleUpDown;
  int32_t titleAngle;
  Placing labelAcross, labelUpDown;
};
constexpr Placing kLeftOf = &cf_TextAttribs::SetRight;
constexpr Placing kRightOf = &cf_TextAttribs::SetLeft;
constexpr Placing kAbove = &cf_TextAttribs::SetBottom;
constexpr Placing kBelow = &cf_TextAttribs::SetTop;
constexpr Placing kCentreX = &cf_TextAttribs::SetCentreX;
constexpr Placing kCentreY = &cf_TextAttribs::SetCentreY;
constexpr std::array<AxisLook, cf_ChartModel::kAxisCount> kAxisLooks = {{
    {kLeftOf, kAbove, 0, kCentreX, kAbove},       // back-face X
    {kRightOf, kBelow, 0, kCentreX, kBelow},      // bottom-face X
    {kRightOf, kBelow, -90, kRightOf, kCentreY},  // back-face Y
    {kLeftOf, kAbove, 90, kLeftOf, kCentreY},     // left-face Y
    {kRightOf, kBelow, 0, kRightOf, kBelow},      // bottom-face Z
    {kLeftOf, kAbove, 0, kLeftOf, kAbove},        // left-face Z
    {kCentreX, kBelow, 0, kCentreX, kBelow},      // polar floor
}};

bool IsAxis(int32_t n) {
  return n >= 1 && n <= static_cast<int32_t>(cf_ChartModel::kAxisCount);
}

std::size_t AxisIndex(int32_t n) {
  return static_cast<std::size_t>((IsAxis(n) ? n : kDefaultAxis) - 1);
}

void SetColors(cf_DataGroup& group, bf_Color fore, bf_Color back) {
  group.DispAttribs().SetForeColor(fore);
  group.DispAttribs().SetBackColor(back);
}

// Colours 0 and 0; an axis named by its number also gets its placement and rotation.
void ApplyAxisDefaults(cf_DataGroup& group, int32_t n, bool isTitle) {
  SetColors(group, bf_Black, bf_Black);
  if (!IsAxis(n)) {
    return;
  }
  const AxisLook& look = kAxisLooks[static_cast<std::size_t>(n - 1)];
  cf_TextAttribs& text = group.TextAttribs();
  (text.*(isTitle ? look.titleAcross : look.labelAcross))();
  (text.*(isTitle ? look.titleUpDown : look.labelUpDown))();
  if (isTitle) {
    text.SetAngle(look.titleAngle);
  }
}

// Empties the group and names it; its point at (x, y, z) is where its text stands.
void Anchor(cf_DataGroup& group, const ZafIChar* text, double x, double y, double z) {
  group.Clear();
  for (int i = 0; i < 3; ++i) {
    group.AddPoint(x, y, z);
  }
  group.SetName(text);
}

// A group as it was made: no points, no name, default attributes and its first use still to come.
void Reset(cf_DataGroup& group) {
  group = cf_DataGroup();
  group.TextAttribs() = cf_TextAttribs();
}

void Empty(cf_DataGroup& group, const ZafIChar* name) {
  group.Clear();
  group.SetName(name);
}

}  // namespace

cf_ChartModel::cf_ChartModel(cf_ChartView* ownerView, int32_t mode)
    : owner(ownerView),
      domainMode(mode),
      palette(kDefaultPalette),
      groups(std::make_unique<cf_DataGroup>(kGroupsName)),
      domain(std::make_unique<cf_DataGroup>(kDomainName)),
      range(std::make_unique<cf_DataGroup>(kRangeName)) {
  series.reserve(kInitialRoom);
  legend.reserve(kInitialRoom);
  SelectSeries(1);
  changed = false;
}

cf_ChartModel::~cf_ChartModel() = default;

int cf_ChartModel::SetEngine(cf_ChartEngine* newEngine) {
  if (!newEngine) {
    return 0;
  }
  engine = newEngine;
  return 1;
}

// A group's changed flag marks its first use: the model sets it when it gives the group its defaults.
template <typename FirstUse>
cf_DataGroup& cf_ChartModel::Slot(GroupSlot& slot, FirstUse firstUse) {
  if (!slot) {
    slot = std::make_unique<cf_DataGroup>();
  }
  if (!slot->IsChanged()) {
    firstUse(*slot);
    slot->SetChanged();
  }
  return *slot;
}

cf_DataGroup& cf_ChartModel::SelectSeries(int32_t n) {
  n = std::max(n, 1);
  // Series 1 to lastSeries exist.
  while (static_cast<int32_t>(series.size()) < n) {
    series.push_back(std::make_unique<cf_DataGroup>());
    ++seriesCount;
  }
  currentSeries = n;
  cf_DataGroup& group = Slot(series[static_cast<std::size_t>(n - 1)], [&](cf_DataGroup& fresh) {
    SetColors(fresh, bf_Black, SeriesColor(n));
    fresh.DispAttribs().SetPrimarySwitch(SeriesPassFlag(kPrimaryPass));
    fresh.DispAttribs().SetSecondarySwitch(SeriesPassFlag(kSecondaryPass));
  });
  lastSeries = std::max(lastSeries, n);
  if (firstSeries == 0) {
    firstSeries = n;
  }
  return group;
}

double cf_ChartModel::NextPosition(int32_t count) const {
  return domainMode == kZeroBased ? count : count + 1;
}

cf_XYZ& cf_ChartModel::AddValue(double y, const ZafIChar* domainLabel, const ZafIChar* rangeLabel) {
  cf_DataGroup& current = *series[static_cast<std::size_t>(currentSeries - 1)];
  const int32_t count = current.Count();
  const double x = NextPosition(count);
  cf_XYZ& point = current.AddPoint(x, y, currentSeries);
  // The point keeps a copy of its label text, so that clearing a label group never leaves it pointing
  // at a deleted text.
  if (domainLabel) {
    domain->AddPoint(x, 0, 0).SetLabel(domainLabel);
    point.SetLabel(domainLabel);
  } else if (domain->Count() <= count) {
    domain->AddPoint(x, 0, 0).SetLabelToX();
  }
  if (rangeLabel) {
    range->AddPoint(x, y, 0).SetLabel(rangeLabel);
    point.SetLabel(rangeLabel);
  }
  changed = true;
  return point;
}

void cf_ChartModel::AddValues(int32_t n, const double* values, int32_t count) {
  cf_DataGroup& group = SelectSeries(n);
  if (count <= 0) {
    return;
  }
  const int32_t start = group.Count();
  const auto position = [&](std::size_t i) { return NextPosition(start + static_cast<int32_t>(i)); };
  group.AddPoints(
      count, position, [&](std::size_t i) { return values[i]; }, currentSeries);
  // AddValue gives the Domain group a point for each value from the first whose index it lacks.
  const int32_t firstNew = std::max(domain->Count() - start, 0);
  for (int32_t i = firstNew; i < count; ++i) {
    domain->AddPoint(NextPosition(start + i), 0, 0).SetLabelToX();
  }
  changed = true;
}

cf_XYZ& cf_ChartModel::AddXYValue(double x, double y, const ZafIChar* domainLabel,
                                  const ZafIChar* rangeLabel) {
  return AddXYZValue(x, y, currentSeries, domainLabel, rangeLabel);
}

cf_XYZ& cf_ChartModel::AddXYZValue(double x, double y, double z, const ZafIChar* domainLabel,
                                   const ZafIChar* rangeLabel) {
  domainMode = kOwnX;
  cf_XYZ& point = series[static_cast<std::size_t>(currentSeries - 1)]->AddPoint(x, y, z);
  if (domainLabel) {
    domain->AddPoint(x, 0, 0).SetLabel(domainLabel);
  }
  if (rangeLabel) {
    range->AddPoint(0, y, 0).SetLabel(rangeLabel);
  }
  changed = true;
  return point;
}

cf_XYZ& cf_ChartModel::AddDomainLabel(double x, const ZafIChar* text) {
  cf_XYZ& point = domain->AddPoint(x, 0, currentSeries);
  point.SetLabel(text);
  return point;
}

cf_XYZ& cf_ChartModel::AddDomainNumberLabel(double x, double value) {
  cf_XYZ& point = domain->AddPoint(x, 0, currentSeries);
  point.SetLabelNumber(value, kNumberFormat);
  return point;
}

cf_XYZ& cf_ChartModel::AddRangeLabel(double y, const ZafIChar* text) {
  cf_XYZ& point = range->AddPoint(0, y, currentSeries);
  point.SetLabel(text);
  return point;
}

cf_XYZ& cf_ChartModel::AddRangeNumberLabel(double y, double value) {
  cf_XYZ& point = range->AddPoint(0, y, currentSeries);
  point.SetLabelNumber(value, kNumberFormat);
  return point;
}

cf_XYZ& cf_ChartModel::AddGroupLabel(double z, const ZafIChar* text) {
  cf_XYZ& point = groups->AddPoint(groups->Count() + 1, 0, z);
  point.SetLabel(text);
  return point;
}

cf_XYZ& cf_ChartModel::AddGroupNumberLabel(double z, double value) {
  cf_XYZ& point = groups->AddPoint(groups->Count() + 1, 0, z);
  point.SetLabelNumber(value, kNumberFormat);
  return point;
}

int cf_ChartModel::SetDomainMode(int32_t mode, bool rebuild) {
  domainMode = mode;
  const int32_t count = domain->Count();
  Empty(*domain, kDomainName);
  if (mode == kOwnX) {
    const cf_DataGroup& first = Series(1);
    for (int32_t i = 1; i <= first.Count(); ++i) {
      const double x = first.GetPoint(i).X();
      domain->AddPoint(x, 0, 0).SetLabelToX();
    }
  } else {
    for (int32_t i = 1; i <= count; ++i) {
      const double x = mode == kZeroBased ? i - 1 : i;
      domain->AddPoint(x, 0, 0).SetLabelToX();
    }
  }
  if (!rebuild || !engine) {
    return 0;
  }
  RunEngine(true, true, true, true, true);
  return 1;
}

void cf_ChartModel::ResetLabelGroups() {
  Empty(*groups, kGroupsName);
  Empty(*domain, kDomainName);
  Empty(*range, kRangeName);
}

void cf_ChartModel::ClearData() {
  ResetLabelGroups();
  series.clear();
  seriesCount = lastSeries = firstSeries = currentSeries = 0;
  SelectSeries(1);
  changed = true;
}

template <typename Visit>
void cf_ChartModel::ForEachSeries(Visit visit) const {
  for (int32_t n = std::max(firstSeries, 1); n <= lastSeries; ++n) {
    visit(Series(n));
  }
}

double cf_ChartModel::DomainMax() const {
  double v = Series(1).MaxX();
  for (int32_t n = 2; n <= lastSeries; ++n) {
    const cf_DataGroup& group = Series(n);
    if (domainMode == kOwnX) {
      v = std::max(v, group.MaxX());
    } else {
      // The last position of a series of that many values.
      v = std::max(v, NextPosition(group.Count() - 1));
    }
  }
  if (fixedDomainMax.set && fixedDomainMax.value > v) {
    v = fixedDomainMax.value;
  }
  return v;
}

double cf_ChartModel::DomainMin() const {
  double v = domainMode == kZeroBased ? 0.0 : 1.0;
  if (domainMode == kOwnX) {
    v = Series(1).MinX();
    for (int32_t n = 2; n <= lastSeries; ++n) {
      v = std::min(v, Series(n).MinX());
    }
  }
  if (fixedDomainMin.set && fixedDomainMin.value < v) {
    v = fixedDomainMin.value;
  }
  return v;
}

double cf_ChartModel::MinDomainStep() const {
  double step = 1.0;
  if (domainMode == kOwnX) {
    ForEachSeries([&](const cf_DataGroup& group) { step = std::min(step, group.SmallestXGap()); });
  }
  return step;
}

double cf_ChartModel::FinishValueMax(double v) const {
  if (fixedValueMax.set && fixedValueMax.value > v) {
    v = fixedValueMax.value;
  }
  v += valueMaxMargin;
  return roundValueMax ? std::ceil(v) : v;
}

double cf_ChartModel::FinishValueMin(double v) const {
  if (fixedValueMin.set && fixedValueMin.value < v) {
    v = fixedValueMin.value;
  }
  v -= valueMinMargin;
  return roundValueMin ? std::floor(v) : v;
}

cf_Extent cf_ChartModel::SeriesExtent(double (cf_DataGroup::*maxOf)() const,
                                      double (cf_DataGroup::*minOf)() const) const {
  cf_Extent extent;
  bool first = true;
  ForEachSeries([&](const cf_DataGroup& group) {
    extent.max = first ? (group.*maxOf)() : std::max(extent.max, (group.*maxOf)());
    extent.min = first ? (group.*minOf)() : std::min(extent.min, (group.*minOf)());
    first = false;
  });
  return extent;
}

double cf_ChartModel::ValueMax() const {
  const cf_Extent values = SeriesExtent(&cf_DataGroup::MaxY, &cf_DataGroup::MinY);
  double v = std::max(range->MaxY(), values.max);
  if (v < 0 && (forceZero || -v <= (v - values.min) * zeroFactor)) {
    v = 0;
  }
  return FinishValueMax(v);
}

double cf_ChartModel::ValueMin() const {
  const cf_Extent values = SeriesExtent(&cf_DataGroup::MaxY, &cf_DataGroup::MinY);
  double v = values.min;
  if (v > 0 && (forceZero || (values.max - v) * zeroFactor >= v)) {
    v = 0;
  }
  return FinishValueMin(v);
}

double cf_ChartModel::StackedSum(bool positive) {
  int32_t longest = 0;
  ForEachSeries([&](const cf_DataGroup& group) { longest = std::max(longest, group.Count()); });
  std::vector<double> sums(static_cast<std::size_t>(longest), 0.0);
  for (int32_t n = std::max(firstSeries, 1); n <= lastSeries; ++n) {
    const cf_DataGroup& group = SelectSeries(n);
    for (int32_t p = 1; p <= group.Count(); ++p) {
      const double y = group.GetPoint(p).Y();
      if (positive ? y > 0 : y < 0) {
        sums[static_cast<std::size_t>(p - 1)] += y;
      }
    }
  }
  double v = positive ? range->MaxY() : range->MinY();
  for (double sum : sums) {
    v = positive ? std::max(v, sum) : std::min(v, sum);
  }
  return v;
}

double cf_ChartModel::StackedValueMax() {
  return FinishValueMax(StackedSum(true));
}

double cf_ChartModel::StackedValueMin() {
  return FinishValueMin(StackedSum(false));
}

double cf_ChartModel::SeriesMax() const {
  return domainMode == kOwnX ? SeriesExtent(&cf_DataGroup::MaxZ, &cf_DataGroup::MinZ).max : lastSeries;
}

double cf_ChartModel::SeriesMin() const {
  return domainMode == kOwnX ? SeriesExtent(&cf_DataGroup::MaxZ, &cf_DataGroup::MinZ).min : 0.0;
}

void cf_ChartModel::SetFixedDomainMax(double v) {
  fixedDomainMax = {v, true};
}

void cf_ChartModel::SetFixedDomainMin(double v) {
  fixedDomainMin = {v, true};
}

void cf_ChartModel::SetFixedValueMax(double v) {
  fixedValueMax = {v, true};
}

void cf_ChartModel::SetFixedValueMin(double v) {
  fixedValueMin = {v, true};
}

cf_DataGroup& cf_ChartModel::GetTitleGroup(int32_t which) {
  return Slot(which == kSubTitle ? subTitle : title,
              [](cf_DataGroup& fresh) { SetColors(fresh, bf_Black, bf_Black); });
}

void cf_ChartModel::SetTitle(const ZafIChar* text, int32_t which, double x, double y, double z) {
  Anchor(GetTitleGroup(which), text, x, y, z);
  changed = true;
}

void cf_ChartModel::ClearTitles() {
  for (GroupSlot* slot : {&title, &subTitle}) {
    if (*slot) {
      Reset(**slot);
    }
  }
}

cf_DataGroup& cf_ChartModel::GetAxisTitleGroup(int32_t n) {
  return Slot(axisTitles[AxisIndex(n)], [n](cf_DataGroup& fresh) { ApplyAxisDefaults(fresh, n, true); });
}

void cf_ChartModel::SetAxisTitle(const ZafIChar* text, int32_t n, double x, double y, double z) {
  Anchor(GetAxisTitleGroup(n), text, x, y, z);
  changed = true;
}

void cf_ChartModel::ClearAxisTitles() {
  for (GroupSlot& slot : axisTitles) {
    if (slot) {
      Reset(*slot);
    }
  }
}

cf_DataGroup& cf_ChartModel::GetAxisLabelGroup(int32_t n) {
  return Slot(axisLabels[AxisIndex(n)], [n](cf_DataGroup& fresh) { ApplyAxisDefaults(fresh, n, false); });
}

cf_DataGroup& cf_ChartModel::GetLegendEntry(int32_t n) {
  n = std::max(n, 1);
  while (LegendCount() < n) {
    legend.push_back(std::make_unique<cf_DataGroup>(kUnassignedLegend));
  }
  return Slot(legend[static_cast<std::size_t>(n - 1)], [&](cf_DataGroup& fresh) {
    cf_DispAttribs& attribs = fresh.DispAttribs();
    attribs.SetForeColor(bf_Black);
    attribs.SetBackColor(SeriesColor(n));
    attribs.SetStyle(SeriesStyle(1));
    attribs.SetPrimarySwitch(1);
    attribs.SetSecondarySwitch(1);
    attribs.SetWidth(legendWidth);
  });
}

cf_DataGroup& cf_ChartModel::AddLegendEntry(const ZafIChar* text, double x, double y, double z) {
  legend.push_back(std::make_unique<cf_DataGroup>());
  cf_DataGroup& entry = *legend.back();
  const bf_Color color = SeriesColor(LegendCount());
  SetColors(entry, bf_Black, color);
  entry.TextAttribs().SetLeft();
  entry.TextAttribs().SetForeColor(color);
  Anchor(entry, text, x, y, z);
  // Anchoring empties the group, which marks it used; the entry's defaults still wait for its first use.
  entry.SetChangedFlag(0);
  changed = true;
  return entry;
}

void cf_ChartModel::ClearLegend() {
  legend.clear();
  changed = true;
}

bf_Color cf_ChartModel::SeriesColor(int32_t n) const {
  return n < 1 ? bf_Black : palette[static_cast<std::size_t>(n - 1) % kPaletteSize];
}

void cf_ChartModel::SetSeriesColor(int32_t n, bf_Color color) {
  if (n > 0) {
    palette[static_cast<std::size_t>(n - 1) % kPaletteSize] = color;
  }
}

uint32_t cf_ChartModel::SeriesStyle(int32_t n) const {
  return n < 1 ? 0 : seriesStyles[static_cast<std::size_t>(n - 1) % seriesStyles.size()];
}

void cf_ChartModel::SetSeriesStyle(int32_t n, uint32_t code) {
  if (n > 0) {
    seriesStyles[static_cast<std::size_t>(n - 1) % seriesStyles.size()] = code;
  }
}

uint8_t cf_ChartModel::SeriesPassFlag(int32_t pass) const {
  if (pass == kPrimaryPass) {
    return seriesPrimaryFlag == 1 ? 1 : 0;
  }
  if (pass == kSecondaryPass) {
    return seriesSecondaryFlag == 1 ? 1 : 0;
  }
  return 0;
}

void cf_ChartModel::SetSeriesPassFlags(uint8_t primary, uint8_t secondary, bool applyToAll) {
  seriesPrimaryFlag = primary;
  seriesSecondaryFlag = secondary;
  if (!applyToAll) {
    return;
  }
  for (const GroupSlot& group : series) {
    group->DispAttribs().SetPrimarySwitch(primary);
    group->DispAttribs().SetSecondarySwitch(secondary);
  }
}

void cf_ChartModel::RunEngine(bool build, bool place, bool project, bool toScreen, bool fit) {
  if (build) {
    engine->BuildObjects(*this);
  }
  if (place) {
    engine->PlaceObjects();
  }
  if (project) {
    engine->ProjectObjects();
  }
  if (toScreen) {
    engine->ObjectsToScreen();
  }
  if (fit) {
    engine->FitObjects();
  }
}

void cf_ChartModel::Update(bool build, bool place, bool project, bool toScreen, bool fit) {
  if (!engine) {
    return;
  }
  const bool rebuild = build || changed;
  RunEngine(rebuild, rebuild || place, rebuild || project, rebuild || toScreen, rebuild || fit);
  if (rebuild) {
    changed = false;
  }
}
