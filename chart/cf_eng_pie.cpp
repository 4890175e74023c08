#include "chart/cf_eng_pie.h"

#include <cmath>

#include "chart/bf_display.h"
#include "chart/cf_3dphedraseries.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_datagroup.h"
#include "chart/cf_dispattribs.h"

namespace {

constexpr double kPi = 3.141592653;
constexpr double kPercent = 0.01;
constexpr double kExplodePercent = 10.0;
constexpr double kFullThickness = 100.0;

// The slice ending at each boundary in turn: the last one's (from the last boundary, which lies where the
// first slice starts) first, then the others in order.
template <typename Slice>
void ForEachSlice(std::size_t n, Slice slice) {
  slice(n, 1);
  for (std::size_t k = 1; k < n; ++k) {
    slice(k, k + 1);
  }
}

double Angle(double share) {
  return share * 2 * kPi * kPercent;
}

// Puts every boundary point at box height `y`, moving them together by the first one's offset.
void Level(const std::vector<cf_PieBoundary>& boundaries, double y) {
  if (boundaries.size() < 2) {
    return;
  }
  const double dy = y - boundaries.front().point->GetBoxY();
  for (const cf_PieBoundary& boundary : boundaries) {
    boundary.point->Translate(0, dy, 0);
  }
}

}  // namespace

void cf_PieTop::Place(const cf_Kernel& kernel, double x, double y, double z, double boxHeight) {
  height = boxHeight * thickness;
  disc.Place(kernel, x, y + height, z);
}

// ---- The flat pie ----

cf_eng_Pie2D::cf_eng_Pie2D() : cf_eng_Polar(kPie, k2D) {
  ShowBackWall(false);
  ShowFloor(false);
  ShowLeftWall(false);
  SetDimension(k2D);
}

void cf_eng_Pie2D::SetSliceEdges(uint8_t radial, uint8_t rim) {
  radialLines = radial;
  rimArc = rim;
}

std::vector<double> cf_eng_Pie2D::CumulativeShares(cf_ChartModel& model) {
  double total = 0;
  for (int32_t s = model.FirstSeries(); s <= model.LastSeries(); ++s) {
    total += model.SelectSeries(s).SumAbsY();
  }
  std::vector<double> shares;
  double share = 0;
  for (int32_t s = model.FirstSeries(); s <= model.LastSeries(); ++s) {
    const double value = model.SelectSeries(s).SumAbsY();
    share = std::abs(total) > cf_Kernel::kZeroIfBelow ? share + value * 100 / total : 0;
    shares.push_back(share);
  }
  return shares;
}

cf_3DPoint cf_eng_Pie2D::OnRim(double radius, double share, double y) {
  const double angle = Angle(share);
  return cf_3DPoint(radius * std::cos(angle), y, -radius * std::sin(angle));
}

template <typename Add>
void cf_eng_Pie2D::AddBoundaries(cf_ChartModel& model, double radius, double y,
                                 std::vector<cf_PieBoundary>& list, Add add) {
  const std::vector<double> shares = CumulativeShares(model);
  for (std::size_t i = 0; i < shares.size(); ++i) {
    auto point = std::make_unique<cf_3DPoint>(OnRim(radius, shares[i], y));
    point->SetDispAttribs(&model.SelectSeries(model.FirstSeries() + static_cast<int32_t>(i)).DispAttribs());
    list.push_back({point.get(), shares[i]});
    add(std::move(point));
  }
}

void cf_eng_Pie2D::BuildObjects(cf_ChartModel& model) {
  floorBoundaries.clear();
  cf_ChartEngine::BuildObjects(model);
  AddBoundaries(model, Radius(), 0, floorBoundaries,
                [&](std::unique_ptr<cf_3DPoint> point) { AddExtraObject(std::move(point)); });
}

void cf_eng_Pie2D::RescaleWalls() {
  cf_eng_Polar::RescaleWalls();
  Level(floorBoundaries, kernel->MinY());
}

bool cf_eng_Pie2D::IsEmptySlice(const std::vector<cf_PieBoundary>& boundaries, std::size_t to) {
  const double start = to == 1 ? 0 : boundaries[to - 2].share;
  return !(boundaries[to - 1].share - start > 0);
}

void cf_eng_Pie2D::DrawSlice(const cf_2DRect& rect, std::size_t from, std::size_t to, bf_Display& display) {
  if (IsEmptySlice(floorBoundaries, to)) {
    return;
  }
  const cf_2DPoint centre = Floor().centre.GetScreenPoint();
  const cf_2DPoint start = floorBoundaries[from - 1].point->GetScreenPoint();
  const cf_2DPoint end = floorBoundaries[to - 1].point->GetScreenPoint();
  const cf_DispAttribs& attribs = *floorBoundaries[to - 1].point->DispAttribs();
  attribs.PushPen(display);
  attribs.PushBrush(display);
  display.DrawPie(rect, start, end);
  attribs.PopBrush(display);
  attribs.PopPen(display);
  display.PushPen(bf_Black);
  if (rimArc) {
    display.DrawArc(rect, start, end);
  }
  if (radialLines) {
    const cf_2DPoint toEnd[] = {centre, end};
    const cf_2DPoint toStart[] = {centre, start};
    display.DrawPolyline(toEnd, 2);
    display.DrawPolyline(toStart, 2);
  }
  display.PopPen();
}

void cf_eng_Pie2D::DrawFloor(bf_Display& display) {
  cf_eng_Polar::DrawBackground(display);
  const cf_2DRect rect = Floor().ScreenRect();
  const std::size_t n = floorBoundaries.size();
  if (n >= 2) {
    ForEachSlice(n,
                 [&](std::size_t from, std::size_t to) { cf_eng_Pie2D::DrawSlice(rect, from, to, display); });
    return;
  }
  cf_DispAttribs plain;
  const cf_DispAttribs& attribs = n == 1 ? *floorBoundaries.front().point->DispAttribs() : plain;
  attribs.PushPen(display);
  attribs.PushBrush(display);
  display.DrawEllipse({rect.left, rect.top}, {rect.right, rect.bottom});
  attribs.PopBrush(display);
  attribs.PopPen(display);
}

void cf_eng_Pie2D::DrawBackground(bf_Display& display) {
  DrawFloor(display);
  DrawOverlays(display);
}

// ---- Pies with height ----

cf_eng_ThickPie::cf_eng_ThickPie() {
  dimension = k3D;
  SetThickness(kFullThickness);
}

void cf_eng_ThickPie::SetThickness(double percent) {
  top.thickness = kPercent * percent;
  RescaleWalls();
}

void cf_eng_ThickPie::RescaleWalls() {
  cf_eng_Pie2D::RescaleWalls();
  top.Place(*kernel, boxMin[0], boxMin[1], boxMin[2], boxSize[1]);
}

void cf_eng_ThickPie::ProjectObjects() {
  cf_eng_Pie2D::ProjectObjects();
  top.disc.Project(*kernel);
}

void cf_eng_ThickPie::ObjectsToScreen() {
  cf_eng_Pie2D::ObjectsToScreen();
  if (kernel->IsProjMatrixCurrent()) {
    top.disc.ToScreen(*kernel);
  }
}

// ---- The raised pie ----

cf_eng_Pie3D::cf_eng_Pie3D() {
  SetDimension(k3D);
}

void cf_eng_Pie3D::BuildObjects(cf_ChartModel& model) {
  topBoundaries.clear();
  cf_eng_Pie2D::BuildObjects(model);
  AddBoundaries(model, Radius(), top.height, topBoundaries,
                [&](std::unique_ptr<cf_3DPoint> point) { AddSeriesObject(std::move(point)); });
}

void cf_eng_Pie3D::RescaleWalls() {
  cf_eng_ThickPie::RescaleWalls();
  Level(topBoundaries, kernel->MinY() + top.height);
}

void cf_eng_Pie3D::DrawBackground(bf_Display& display) {
  DrawFloor(display);
  DrawBand(display, top.disc.ScreenRect());
  DrawOverlays(display);
}

void cf_eng_Pie3D::DrawBand(bf_Display& display, const cf_2DRect& rect) {
  const std::size_t n = topBoundaries.size();
  if (n >= 2) {
    ForEachSlice(n, [&](std::size_t from, std::size_t to) { DrawSlice(rect, from, to, display); });
    return;
  }
  // A whole cylinder: in black and white without series, else in the one series' colours.
  bf_Color fore = bf_Black;
  bf_Color back = bf_White;
  if (n == 1) {
    const cf_DispAttribs& attribs = *topBoundaries.front().point->DispAttribs();
    fore = attribs.ForeColor();
    back = attribs.BackColor();
  }
  const cf_PolarDisc& floor = Floor();
  const cf_2DPoint band[] = {floor.level[cf_PolarDisc::kLeft].GetScreenPoint(),
                             top.disc.level[cf_PolarDisc::kLeft].GetScreenPoint(),
                             top.disc.level[cf_PolarDisc::kRight].GetScreenPoint(),
                             floor.level[cf_PolarDisc::kRight].GetScreenPoint()};
  display.PushPen(back);
  display.PushBrush(back);
  display.DrawPolygon(band, 4);
  display.PopPen();
  display.PushPen(fore);
  display.DrawPolyline(band, 2);
  display.DrawPolyline(band + 2, 2);
  display.DrawEllipse({rect.left, rect.top}, {rect.right, rect.bottom});
  display.PopPen();
  display.PopBrush();
}

void cf_eng_Pie3D::DrawSide(bf_Display& display, cf_DispAttribs& attribs, const cf_2DRect& rect,
                            const std::array<cf_2DPoint, 4>& corners, bool arc) {
  const bf_Color fore = attribs.ForeColor();
  attribs.SetForeColor(attribs.BackColor());
  attribs.PushPen(display);
  attribs.PushBrush(display);
  display.DrawPolygon(corners.data(), 4);
  attribs.PopBrush(display);
  attribs.PopPen(display);
  attribs.SetForeColor(fore);
  attribs.PushPen(display);
  display.DrawPolyline(corners.data(), 2);
  display.DrawPolyline(corners.data() + 2, 2);
  if (arc) {
    display.DrawArc(rect, corners[0], corners[3]);
  }
  attribs.PopPen(display);
}

void cf_eng_Pie3D::DrawSlice(const cf_2DRect& rect, std::size_t from, std::size_t to, bf_Display& display) {
  if (topBoundaries.size() != floorBoundaries.size() || IsEmptySlice(topBoundaries, to)) {
    return;
  }
  using Side = cf_PolarDisc::Side;
  const cf_3DPoint& a = *topBoundaries[from - 1].point;
  const cf_3DPoint& b = *topBoundaries[to - 1].point;
  const double zRef = top.disc.level[Side::kRight].GetProjZ();
  const double za = a.GetProjZ();
  const double zb = b.GetProjZ();
  const cf_PolarDisc& floor = Floor();
  const cf_2DPoint floorRight = floor.level[Side::kRight].GetScreenPoint();
  const cf_2DPoint floorLeft = floor.level[Side::kLeft].GetScreenPoint();
  const cf_2DPoint topRight = top.disc.level[Side::kRight].GetScreenPoint();
  const cf_2DPoint topLeft = top.disc.level[Side::kLeft].GetScreenPoint();
  std::array<cf_2DPoint, 4> side = {floorBoundaries[from - 1].point->GetScreenPoint(), a.GetScreenPoint(),
                                    b.GetScreenPoint(), floorBoundaries[to - 1].point->GetScreenPoint()};
  cf_DispAttribs& attribs = *floorBoundaries[to - 1].point->DispAttribs();
  // Only the part of the side that faces the viewer: the slice's front rim, cut at the pie's left or
  // right extreme where it turns away.
  if (za > zRef && zb < zRef) {
    side[2] = topRight;
    side[3] = floorRight;
    DrawSide(display, attribs, rect, side, true);
  } else if (za < zRef && zb > zRef) {
    side[0] = floorLeft;
    side[1] = topLeft;
    DrawSide(display, attribs, rect, side, true);
  } else if (za >= zRef && zb >= zRef) {
    if (b.GetProjX() <= a.GetProjX()) {
      DrawSide(display, attribs, rect, {side[0], side[1], topRight, floorRight}, false);
      side[0] = floorLeft;
      side[1] = topLeft;
    }
    DrawSide(display, attribs, rect, side, true);
  }
  attribs.PushPen(display);
  attribs.PushBrush(display);
  display.DrawPie(rect, a.GetScreenPoint(), b.GetScreenPoint());
  attribs.PopBrush(display);
  attribs.PopPen(display);
}

// ---- The exploded pie ----

cf_eng_XPie2D3D::cf_eng_XPie2D3D() {
  chartType = kXPie;
  ShowFloor(true);
  SetDimension(k3D);
}

void cf_eng_XPie2D3D::BuildObjects(cf_ChartModel& model) {
  cf_eng_Pie2D::BuildObjects(model);
  // The wedges stand on the floor: the series is moved onto it with the other objects.
  const cf_3DPoint base(0, 0, 0);
  const cf_3DPoint summit(0, top.height, 0);
  auto wedges = std::make_unique<cf_3DPhedraSeries>();
  double start = 0;
  int32_t s = model.FirstSeries();
  for (double share : CumulativeShares(model)) {
    wedges->AddWedge(base, summit, Radius(), Angle(start), Angle(share), kFullThickness, kExplodePercent,
                     &model.SelectSeries(s++).DispAttribs());
    start = share;
  }
  AddSeriesObject(std::move(wedges));
}

void cf_eng_XPie2D3D::DrawBackground(bf_Display& display) {
  for (const std::unique_ptr<cf_Virt3DObj>& object : SeriesObjects()) {
    object->DrawSecondary(display);
  }
  DrawOverlays(display);
}
