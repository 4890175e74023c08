#include "chart/cf_eng_cart2d.h"

#include <algorithm>

#include "chart/cf_3dpoint.h"
#include "chart/cf_3dpolygon.h"
#include "chart/cf_3dpolyline.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_datagroup.h"

namespace {

// Adds one object per series that has points, each point at its domain position, its value and the
// series' depth, with `extra(group, placement, object, atStart)` adding points before and after them.
template <typename Object, typename Extra>
void AddSeriesObjects(cf_ChartEngine& engine, cf_ChartModel& model, Extra extra) {
  const cf_DomainPlacement placement(model.DomainMode());
  for (int32_t s = model.FirstSeries(); s <= model.LastSeries(); ++s) {
    cf_DataGroup& group = model.SelectSeries(s);
    if (!group.HasPoints()) {
      continue;
    }
    auto object = std::make_unique<Object>(&group.DispAttribs());
    const double z = placement.Z(group, s);
    object->Reserve(group.Count() + 2);
    extra(group, placement, z, *object, true);
    const std::vector<cf_XYZ>& points = group.Points();
    const bool ownX = placement.mode == cf_ChartModel::kOwnX;
    const double firstX = placement.X(group, 1);
    const auto x = [&](std::size_t i) { return ownX ? points[i].X() : firstX + static_cast<double>(i); };
    object->AddPoints(
        group.Count(), x, [&](std::size_t i) { return points[i].Y(); }, z);
    extra(group, placement, z, *object, false);
    engine.AddSeriesObject(std::move(object));
  }
}

void NoExtra(const cf_DataGroup&, const cf_DomainPlacement&, double, cf_3DPointSeries&, bool) {}

int32_t LongestCount(cf_ChartModel& model) {
  int32_t longest = 0;
  for (int32_t s = model.FirstSeries(); s <= model.LastSeries(); ++s) {
    longest = std::max(longest, model.SelectSeries(s).Count());
  }
  return longest;
}

// A polygon on four corners of (domain from, domain to) x (value from, value to), the domain along x
// unless `horizontal`.
std::unique_ptr<cf_3DPolygon> Slot(cf_DataGroup& group, double d0, double d1, double v0, double v1,
                                   bool horizontal) {
  auto polygon = std::make_unique<cf_3DPolygon>(&group.DispAttribs());
  const double corners[4][2] = {{d0, v0}, {d0, v1}, {d1, v1}, {d1, v0}};
  for (const auto& [d, v] : corners) {
    polygon->AddPoint(horizontal ? cf_3DPoint(v, d, 0) : cf_3DPoint(d, v, 0));
  }
  return polygon;
}

// Bars and columns: the series of one index side by side within its slot.
void BuildSlots(cf_ChartEngine& engine, cf_ChartModel& model, bool horizontal) {
  const int32_t mode = cf_DomainPlacement(model.DomainMode()).mode;
  const int32_t first = model.FirstSeries();
  const int32_t last = model.LastSeries();
  const int32_t slots =
      mode == cf_ChartModel::kOwnX ? 1 : last - first + (mode == cf_ChartModel::kZeroBased ? 1 : 2);
  const double width = model.MinDomainStep() / slots;
  const double half = width * 0.5 * engine.BarWidth();
  const int32_t longest = LongestCount(model);
  for (int32_t i = 1; i <= longest; ++i) {
    for (int32_t s = first; s <= last; ++s) {
      cf_DataGroup& group = model.SelectSeries(s);
      const cf_XYZ& point = group.GetPoint(i);
      double centre = (i - 0.5) + s * width;
      if (mode == cf_ChartModel::kOwnX) {
        centre = point.X();
      } else if (mode == cf_ChartModel::kZeroBased) {
        centre = (i - 1) + (s - 1) * width + half;
      }
      engine.AddSeriesObject(Slot(group, centre - half, centre + half, 0, point.Y(), horizontal));
    }
  }
}

}  // namespace

cf_DomainPlacement::cf_DomainPlacement(int32_t domainMode)
    : mode(domainMode == cf_ChartModel::kZeroBased || domainMode == cf_ChartModel::kOwnX
               ? domainMode
               : cf_ChartModel::kCounted) {}

double cf_DomainPlacement::X(const cf_DataGroup& group, int32_t j) const {
  switch (mode) {
    case cf_ChartModel::kOwnX:
      return group.GetPoint(j).X();
    case cf_ChartModel::kZeroBased:
      return j - 1;
    default:
      return j;
  }
}

double cf_DomainPlacement::Z(const cf_DataGroup& group, int32_t s) const {
  return mode == cf_ChartModel::kOwnX ? group.MinZ() : s - 1;
}

cf_StackColumns::cf_StackColumns(cf_ChartModel& model)
    : mode(cf_DomainPlacement(model.DomainMode()).mode),
      count(LongestCount(model)),
      longestSeries(model.FirstSeries()) {
  for (int32_t s = model.FirstSeries(); s <= model.LastSeries(); ++s) {
    if (model.SelectSeries(s).Count() == count) {
      longestSeries = s;
      break;
    }
  }
}

double cf_StackColumns::Centre(cf_ChartModel& model, int32_t i) const {
  if (mode == cf_ChartModel::kOwnX) {
    return model.SelectSeries(longestSeries).GetPoint(i).X();
  }
  return mode == cf_ChartModel::kZeroBased ? i - 0.5 : i;
}

void cf_StackColumns::AddEnd(cf_ChartEngine& engine) const {
  if (mode == cf_ChartModel::kCounted) {
    auto end = std::make_unique<cf_3DPoint>(count + 1, 0, 0);
    end->SetShown(0);
    engine.AddExtraObject(std::move(end));
  }
}

// ---- Lines and points ----

cf_eng_Line2D::cf_eng_Line2D() : cf_eng_CartXYZ(kLine, k2D) {
  SetDimension(k2D);
  CreateAxes();
}

void cf_eng_Line2D::BuildObjects(cf_ChartModel& model) {
  BuildFrame(model, [&] { AddSeriesObjects<cf_3DPolyLine>(*this, model, NoExtra); });
}

cf_eng_PointSer2D::cf_eng_PointSer2D() : cf_eng_CartXYZ(kPointSer, k2D) {
  SetDimension(k2D);
  CreateAxes();
}

void cf_eng_PointSer2D::BuildObjects(cf_ChartModel& model) {
  BuildFrame(model, [&] { AddSeriesObjects<cf_3DPointSeries>(*this, model, NoExtra); });
}

// ---- Areas ----

cf_eng_Area2D::cf_eng_Area2D() : cf_eng_CartXYZ(kArea, k2D) {
  SetDimension(k2D);
  CreateAxes();
}

void cf_eng_Area2D::BuildObjects(cf_ChartModel& model) {
  // The shape closes along y = 0 from the first position to the last.
  auto closing = [](const cf_DataGroup& group, const cf_DomainPlacement& placement, double z,
                    cf_3DPointSeries& object, bool atStart) {
    double x = atStart ? 1 : group.Count();
    if (placement.mode == cf_ChartModel::kOwnX) {
      x = atStart ? group.MinX() : group.MaxX();
    } else if (placement.mode == cf_ChartModel::kZeroBased) {
      x -= 1;
    }
    object.AddPoint(cf_3DPoint(x, 0, z));
  };
  BuildFrame(model, [&] { AddSeriesObjects<cf_3DPolygon>(*this, model, closing); });
}

// ---- Bars and columns ----

cf_eng_Col2D::cf_eng_Col2D() : cf_eng_CartXYZ(kCol, k2D) {
  SetDimension(k2D);
  CreateAxes();
}

void cf_eng_Col2D::BuildObjects(cf_ChartModel& model) {
  BuildFrame(model, [&] { BuildSlots(*this, model, false); });
}

cf_eng_Bar2D::cf_eng_Bar2D() : cf_eng_CartXYZ(kBar, k2D) {
  SetDimension(k2D);
  CreateAxes();
}

void cf_eng_Bar2D::BuildObjects(cf_ChartModel& model) {
  BuildFrame(model, [&] { BuildSlots(*this, model, true); });
}

void cf_eng_Bar2D::CreateAxes() {
  ShowBarAxes();
}

void cf_eng_Bar2D::SetRanges(cf_ChartModel& model) {
  rangeMin = {model.ValueMin(), model.DomainMin(), 0};
  rangeMax = {model.ValueMax(), model.DomainMax(), 2 * model.SeriesMax() - 1};
  if (model.DomainMode() == cf_ChartModel::kOwnX) {
    rangeMin[1] -= model.MinDomainStep() / 2;
    rangeMax[1] += model.MinDomainStep() / 2;
  } else {
    rangeMin[1] = 0;
    rangeMax[1] += 1;
  }
}

// ---- Stacked columns ----

cf_eng_Stack2D::cf_eng_Stack2D() : cf_eng_CartXYZ(kStack, k2D) {
  SetDimension(k2D);
  CreateAxes();
}

void cf_eng_Stack2D::CreateAxes() {
  ShowStackAxes();
}

void cf_eng_Stack2D::BuildObjects(cf_ChartModel& model) {
  BuildFrame(model, [&] {
    const double half = model.MinDomainStep() * 0.5 * barWidth;
    const cf_StackColumns columns(model);
    for (int32_t i = 1; i <= columns.count; ++i) {
      const double centre = columns.Centre(model, i);
      cf_StackColumns::Segments(model, i, [&](cf_DataGroup& group, double bottom, double top) {
        AddSeriesObject(Slot(group, centre - half, centre + half, bottom, top, false));
      });
    }
    columns.AddEnd(*this);
  });
}
