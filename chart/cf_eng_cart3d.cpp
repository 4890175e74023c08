#include "chart/cf_eng_cart3d.h"

#include <utility>

#include "chart/cf_3dphedraseries.h"
#include "chart/cf_3dsurface.h"

namespace {

using Range = std::pair<double, double>;

// The centre of series s in depth: series stand two units apart.
double DepthCentre(int32_t s) {
  return 2 * s - 1.5;
}

// The domain of bars and columns: half a step beyond the own x values, else 0 to one past the last.
Range SlotDomainRange(cf_ChartModel& model) {
  if (model.DomainMode() == cf_ChartModel::kOwnX) {
    const double half = model.MinDomainStep() / 2;
    return {model.DomainMin() - half, model.DomainMax() + half};
  }
  return {0, model.DomainMax() + 1};
}

// The depth of bars and columns: half a step beyond the series' own depths, else two units a series.
Range SlotDepthRange(cf_ChartModel& model) {
  if (model.DomainMode() == cf_ChartModel::kOwnX) {
    const double half = model.MinDomainStep() / 2;
    return {model.SeriesMin() - half, model.SeriesMax() + half};
  }
  return {0, 2 * model.SeriesMax() - 1};
}

// Areas and ribbons: the counted domain widened by one each side; two depth units a series.
void SheetRanges(cf_ChartModel& model, std::array<double, 3>& low, std::array<double, 3>& high) {
  const int32_t mode = cf_DomainPlacement(model.DomainMode()).mode;
  low = {model.DomainMin(), model.ValueMin(), model.SeriesMin()};
  high = {model.DomainMax(), model.ValueMax(), model.SeriesMax()};
  if (mode == cf_ChartModel::kCounted) {
    low[0] -= 1;
    high[0] += 1;
  }
  if (mode == cf_ChartModel::kOwnX) {
    low[2] -= model.MinDomainStep() / 2;
    high[2] += model.MinDomainStep() / 2;
  } else {
    low[2] = 0;
    high[2] = 2 * high[2] - (mode == cf_ChartModel::kCounted ? 0 : 1);
  }
}

// The depth centre of a sheet: its first point's own z, or its series' place.
double SheetDepth(const cf_DomainPlacement& placement, const cf_DataGroup& group, int32_t s) {
  return placement.mode == cf_ChartModel::kOwnX ? group.GetPoint(1).Z() : DepthCentre(s);
}

// A sheet in the series' attributes without culling; null for a series of fewer than two points.
std::unique_ptr<cf_3DSurface> Sheet(cf_DataGroup& group, uint8_t outline) {
  if (group.Count() < 2) {
    return nullptr;
  }
  auto sheet = std::make_unique<cf_3DSurface>(&group.DispAttribs());
  sheet->SetOutlineFacets(outline);
  sheet->SetCulling(0);
  return sheet;
}

// Bars (`horizontal`) or columns: a box from 0 to each value, centred on the point's domain position.
void BuildBoxes(cf_ChartEngine& engine, cf_ChartModel& model, bool horizontal) {
  const cf_DomainPlacement placement(model.DomainMode());
  const double half = model.MinDomainStep() * 0.5 * engine.BarWidth();
  for (int32_t s = model.FirstSeries(); s <= model.LastSeries(); ++s) {
    cf_DataGroup& group = model.SelectSeries(s);
    if (!group.HasPoints()) {
      continue;
    }
    auto series = std::make_unique<cf_3DPhedraSeries>(&group.DispAttribs());
    series->SetOverlapPass(1);
    series->SetDepthSort(1);
    series->SetCulling(1);
    for (int32_t j = 1; j <= group.Count(); ++j) {
      const cf_XYZ& point = group.GetPoint(j);
      const double low = std::min(0.0, point.Y());
      const double high = std::max(0.0, point.Y());
      double centre = j;
      if (placement.mode == cf_ChartModel::kOwnX) {
        centre = point.X();
      } else if (placement.mode == cf_ChartModel::kZeroBased) {
        centre = j - 0.5;
      }
      const double depth = placement.mode == cf_ChartModel::kOwnX ? point.Z() : DepthCentre(s);
      if (horizontal) {
        series->AddBar(low, high, centre - half, centre + half, depth - half, depth + half);
      } else {
        series->AddColumn(centre - half, centre + half, low, high, depth - half, depth + half);
      }
    }
    engine.AddSeriesObject(std::move(series));
  }
}

}  // namespace

cf_eng_PointSer3D::cf_eng_PointSer3D() {
  SetDimension(k3D);
}

cf_eng_Line3D::cf_eng_Line3D() {
  SetDimension(k3D);
}

// ---- Areas ----

cf_eng_Area3D::cf_eng_Area3D() {
  SetDimension(k3D);
}

void cf_eng_Area3D::SetRanges(cf_ChartModel& model) {
  SheetRanges(model, rangeMin, rangeMax);
}

void cf_eng_Area3D::BuildObjects(cf_ChartModel& model) {
  BuildFrame(model, [&] {
    const cf_DomainPlacement placement(model.DomainMode());
    const double half = model.MinDomainStep() * 0.5 * barWidth;
    model.SelectSeries(model.FirstSeries());
    for (int32_t s = model.FirstSeries(); s <= model.LastSeries(); ++s) {
      cf_DataGroup& group = model.SelectSeries(s);
      std::unique_ptr<cf_3DSurface> sheet = Sheet(group, 1);
      if (!sheet) {
        continue;
      }
      const int32_t n = group.Count();
      const double zc = SheetDepth(placement, group, s);
      const double z1 = zc - half, z2 = zc + half;
      const bool ownX = placement.mode == cf_ChartModel::kOwnX;
      const double x0 = ownX ? group.MinX() : placement.X(group, 1);
      const double xN = ownX ? group.MaxX() : placement.X(group, n);
      sheet->AddStrip(x0, x0, 0, group.GetPoint(1).Y(), z1, z2);
      for (int32_t j = 1; j < n; ++j) {
        const double xa = placement.X(group, j), ya = group.GetPoint(j).Y();
        const double xb = placement.X(group, j + 1), yb = group.GetPoint(j + 1).Y();
        sheet->AddStrip(xa, xb, ya, yb, z1, z2);
        if ((ya > 0 && yb < 0) || (ya < 0 && yb > 0)) {
          const double k = xb - xa > cf_Kernel::kZeroIfBelow ? (yb - ya) / (xb - xa) : 1;
          const double crossing = (k * xa - ya) / k;
          if (k > 0) {
            sheet->AddStrip(xa, crossing, 0, 0, z1, z2);
          } else {
            sheet->AddStrip(crossing, xb, 0, 0, z1, z2);
          }
        } else if (ya <= 0 && yb <= 0) {
          sheet->AddStrip(xa, xb, 0, 0, z1, z2);
        }
      }
      sheet->AddStrip(xN, xN, group.GetPoint(n).Y(), 0, z1, z2);
      auto front = std::make_unique<cf_3DFacet>(&group.DispAttribs());
      front->AddPoint(cf_3DPoint(xN, 0, z2));
      for (int32_t j = n; j >= 1; --j) {
        front->AddPoint(cf_3DPoint(placement.X(group, j), group.GetPoint(j).Y(), z2));
      }
      front->AddPoint(cf_3DPoint(x0, 0, z2));
      sheet->AddFacet(std::move(front));
      AddSeriesObject(std::move(sheet));
    }
  });
}

// ---- Bars and columns ----

cf_eng_Bar3D::cf_eng_Bar3D() : cf_eng_CartXYZ(kBar, k3D) {
  SetDimension(k3D);
  CreateAxes();
}

void cf_eng_Bar3D::CreateAxes() {
  ShowBarAxes();
}

void cf_eng_Bar3D::SetRanges(cf_ChartModel& model) {
  const Range domain = SlotDomainRange(model);
  const Range depth = SlotDepthRange(model);
  rangeMin = {model.ValueMin(), domain.first, depth.first};
  rangeMax = {model.ValueMax(), domain.second, depth.second};
}

void cf_eng_Bar3D::BuildObjects(cf_ChartModel& model) {
  BuildFrame(model, [&] { BuildBoxes(*this, model, true); });
}

cf_eng_Col3D::cf_eng_Col3D() : cf_eng_CartXYZ(kCol, k3D) {
  SetDimension(k3D);
  CreateAxes();
}

void cf_eng_Col3D::SetRanges(cf_ChartModel& model) {
  const Range domain = SlotDomainRange(model);
  const Range depth = SlotDepthRange(model);
  rangeMin = {domain.first, model.ValueMin(), depth.first};
  rangeMax = {domain.second, model.ValueMax(), depth.second};
}

void cf_eng_Col3D::BuildObjects(cf_ChartModel& model) {
  BuildFrame(model, [&] { BuildBoxes(*this, model, false); });
}

// ---- Stacks ----

cf_eng_Stack3D::cf_eng_Stack3D() : cf_eng_CartXYZ(kStack, k3D) {
  SetDimension(k3D);
  CreateAxes();
}

void cf_eng_Stack3D::CreateAxes() {
  ShowStackAxes();
}

void cf_eng_Stack3D::BuildObjects(cf_ChartModel& model) {
  BuildFrame(model, [&] {
    const double half = model.MinDomainStep() * 0.5 * barWidth;
    const cf_StackColumns columns(model);
    for (int32_t i = 1; i <= columns.count; ++i) {
      auto stack = std::make_unique<cf_3DPhedraSeries>();
      const double centre = columns.Centre(model, i);
      cf_StackColumns::Segments(model, i, [&](cf_DataGroup& group, double bottom, double top) {
        stack->SetDispAttribs(&group.DispAttribs());
        stack->AddStack(centre - half, centre + half, bottom, top, 0.5 - half, 0.5 + half);
      });
      AddSeriesObject(std::move(stack));
    }
    columns.AddEnd(*this);
  });
}

// ---- Ribbons ----

cf_eng_Ribbon3D::cf_eng_Ribbon3D() : cf_eng_CartXYZ(kRibbon, k3D) {
  SetDimension(k3D);
  CreateAxes();
}

void cf_eng_Ribbon3D::SetRanges(cf_ChartModel& model) {
  SheetRanges(model, rangeMin, rangeMax);
}

void cf_eng_Ribbon3D::BuildObjects(cf_ChartModel& model) {
  BuildFrame(model, [&] {
    const cf_DomainPlacement placement(model.DomainMode());
    model.SelectSeries(model.FirstSeries());
    const double half = model.MinDomainStep() * 0.5 * barWidth;
    for (int32_t s = model.FirstSeries(); s <= model.LastSeries(); ++s) {
      cf_DataGroup& group = model.SelectSeries(s);
      std::unique_ptr<cf_3DSurface> sheet = Sheet(group, 0);
      if (!sheet) {
        continue;
      }
      const double zc = SheetDepth(placement, group, s);
      for (int32_t j = 1; j < group.Count(); ++j) {
        sheet->AddStrip(placement.X(group, j), placement.X(group, j + 1), group.GetPoint(j).Y(),
                        group.GetPoint(j + 1).Y(), zc - half, zc + half);
      }
      AddSeriesObject(std::move(sheet));
    }
  });
}

cf_eng_Ribbon2D::cf_eng_Ribbon2D() {
  SetDimension(k2D);
}
