#include "chart/cf_3dradialhedra.h"

#include <cmath>

#include "chart/bf_display.h"
#include "chart/cf_kernel.h"

namespace {

constexpr double kPercent = 0.01;

// Scales the point's box position about (tx, ty, tz).
void ScaleAbout(cf_3DPoint& point, double sx, double sy, double sz, double tx, double ty, double tz) {
  point.Translate(-tx, -ty, -tz);
  point.Scale(sx, sy, sz);
  point.Translate(tx, ty, tz);
}

}  // namespace

cf_3DRadialHedra::cf_3DRadialHedra(const cf_3DPoint& base, const cf_3DPoint& top, double radius,
                                   double startAngle, double endAngle, double thicknessPercent,
                                   double explodePercent, cf_DispAttribs* attribs)
    : cf_3DPolyHedra(attribs), empty(startAngle == endAngle) {
  SetCulling(1);
  SetOverlapPass(1);
  const double mid = startAngle + (endAngle - startAngle) * 0.5;
  const double shift = kPercent * explodePercent * radius;
  const double rim = radius + shift;
  const double y0 = base.GetBoxY();
  const double y1 = y0 + kPercent * thicknessPercent * (top.GetBoxY() - base.GetBoxY());
  const double ox = shift * std::cos(mid);
  const double oz = -shift * std::sin(mid);
  const auto onRim = [&](double angle, double y) {
    return cf_3DPoint(ox + rim * std::cos(angle), y, oz - rim * std::sin(angle));
  };
  for (const auto& [first, y] : {std::pair{kCentre0Level, y0}, std::pair{kCentre1Level, y1}}) {
    marks[first] = cf_3DPoint(ox, y, oz);
    marks[first + kCentre0 - kCentre0Level] = cf_3DPoint(ox, y, oz);
    marks[first + kLow0 - kCentre0Level] = cf_3DPoint(ox - rim, y, oz - rim);
    marks[first + kHigh0 - kCentre0Level] = cf_3DPoint(ox + rim, y, oz + rim);
    marks[first + kStart0 - kCentre0Level] = onRim(startAngle, y);
    marks[first + kMid0 - kCentre0Level] = onRim(mid, y);
    marks[first + kEnd0 - kCentre0Level] = onRim(endAngle, y);
  }
  const auto face = [&](Mark a, Mark b, Mark c, Mark d) {
    auto facet = std::make_unique<cf_3DFacet>(
        std::initializer_list<cf_3DPoint>{marks[a], marks[b], marks[c], marks[d]});
    cf_3DFacet* held = facet.get();
    AddFacet(std::move(facet));
    return held;
  };
  startSide = face(kCentre0, kStart0, kStart1, kCentre1);
  outerFirst = face(kStart0, kMid0, kMid1, kStart1);
  outerSecond = face(kMid0, kEnd0, kEnd1, kMid1);
  endSide = face(kCentre1, kEnd1, kEnd0, kCentre0);
  const std::pair<Mark, Mark> ends[kEdgeCount] = {
      {kCentre0, kStart0}, {kCentre0, kEnd0},   {kCentre0, kCentre1}, {kStart0, kStart1},
      {kEnd0, kEnd1},      {kCentre1, kStart1}, {kCentre1, kEnd1}};
  for (std::size_t e = 0; e < edges.size(); ++e) {
    edges[e].AddPoint(marks[ends[e].first]);
    edges[e].AddPoint(marks[ends[e].second]);
    edges[e].SetNoPen(1);
    edges[e].SetNoBrush(1);
  }
  SetReference(marks[kMid0].GetX(), marks[kMid0].GetY(), marks[kMid0].GetZ());
}

template <typename Visit>
void cf_3DRadialHedra::ForEachMark(Visit visit) {
  for (cf_3DPoint& mark : marks) {
    visit(mark);
  }
}

void cf_3DRadialHedra::Project(const cf_Kernel& kernel) {
  cf_3DPolyHedra::Project(kernel);
  const cf_Kernel levelled = kernel.Levelled();
  for (std::size_t m = 0; m < marks.size(); ++m) {
    const bool level =
        m == kCentre0Level || m == kLow0 || m == kHigh0 || m == kCentre1Level || m == kLow1 || m == kHigh1;
    marks[m].Project(level ? levelled : kernel);
  }
  for (cf_3DPolyLine& edge : edges) {
    edge.Project(kernel);
  }
}

void cf_3DRadialHedra::ComputeDepthKey(const cf_Kernel& kernel) {
  cf_3DPolyHedra::ComputeDepthKey(kernel);
  SetDepthKey(std::hypot(GetRefProjX(), GetRefProjZ()));
}

void cf_3DRadialHedra::ToScreen(const cf_Kernel& kernel) {
  cf_3DPolyHedra::ToScreen(kernel);
  ForEachMark([&](cf_3DPoint& mark) { mark.ToScreen(kernel); });
  for (cf_3DPolyLine& edge : edges) {
    edge.ToScreen(kernel);
  }
}

void cf_3DRadialHedra::Scale(double sx, double sy, double sz) {
  // The marks carry no translation of their own: they scale about the solid's, as its faces do.
  const double tx = members.translation[0], ty = members.translation[1], tz = members.translation[2];
  cf_3DPolyHedra::Scale(sx, sy, sz);
  ForEachMark([&](cf_3DPoint& mark) { ScaleAbout(mark, sx, sy, sz, tx, ty, tz); });
  for (cf_3DPolyLine& edge : edges) {
    edge.Scale(sx, sy, sz);
  }
}

void cf_3DRadialHedra::Translate(double dx, double dy, double dz) {
  cf_3DPolyHedra::Translate(dx, dy, dz);
  ForEachMark([&](cf_3DPoint& mark) { mark.Translate(dx, dy, dz); });
  for (cf_3DPolyLine& edge : edges) {
    edge.Translate(dx, dy, dz);
  }
}

cf_2DRect cf_3DRadialHedra::RimRect(Mark low, Mark high, Mark centre, Mark levelCentre) const {
  const int32_t dx = marks[centre].GetScreenX() - marks[levelCentre].GetScreenX();
  const int32_t dy = marks[centre].GetScreenY() - marks[levelCentre].GetScreenY();
  const cf_2DPoint a = marks[low].GetScreenPoint(), b = marks[high].GetScreenPoint();
  return {std::min(a.x, b.x) + dx, std::min(a.y, b.y) + dy, std::max(a.x, b.x) + dx, std::max(a.y, b.y) + dy};
}

void cf_3DRadialHedra::DrawEdge(bf_Display& display, Edge edge) const {
  const std::vector<cf_2DPoint>& points = edges[edge].ScreenPoints();
  display.DrawPolyline(points.data(), static_cast<int32_t>(points.size()));
}

bool cf_3DRadialHedra::DrawSilhouette(bf_Display& display, const cf_2DRect& baseRect,
                                      const cf_DispAttribs& attribs) {
  const double zStart = marks[kStart0].GetProjZ();
  const double zEnd = marks[kEnd0].GetProjZ();
  const double zCentre = marks[kCentre0].GetProjZ();
  int32_t x = 0;
  int32_t innerX = 0;
  if (zEnd < zCentre && zCentre < zStart) {
    x = baseRect.right;
    innerX = marks[kCentre1].GetScreenX();
  } else if (zStart < zCentre && zCentre < zEnd) {
    x = marks[kLow1].GetScreenX() + marks[kCentre0].GetScreenX() - marks[kCentre0Level].GetScreenX();
    innerX = marks[kCentre0].GetScreenX();
  } else {
    return false;
  }
  const int32_t top = marks[kCentre1].GetScreenY();
  const int32_t bottom = marks[kCentre0].GetScreenY();
  // Filled, so that the rim's side covers what lies behind it.
  const cf_2DPoint band[] = {{innerX, top}, {x, top}, {x, bottom}, {innerX, bottom}};
  display.PushPen(attribs.BackColor());
  display.DrawPolygon(band, 4);
  display.PopPen();
  const cf_2DPoint side[] = {{x, top}, {x, bottom}};
  display.DrawPolyline(side, 2);
  return true;
}

void cf_3DRadialHedra::DrawSecondary(bf_Display& display) {
  if (empty) {
    return;
  }
  cf_DispAttribs& attribs = *DispAttribs();
  PushPen(display);
  PushBrush(display);
  const cf_2DRect baseRect = RimRect(kLow0, kHigh0, kCentre0, kCentre0Level);
  display.DrawArc(baseRect, marks[kStart0].GetScreenPoint(), marks[kEnd0].GetScreenPoint());
  // The faces' outlines in their fill colour: the edges below draw only those that show.
  const bf_Color fore = attribs.ForeColor();
  attribs.SetForeColor(attribs.BackColor());
  members.DrawSecondary(display);
  attribs.SetForeColor(fore);
  if (outerFirst->IsFacing() || outerSecond->IsFacing()) {
    display.DrawPie(baseRect, marks[kStart0].GetScreenPoint(), marks[kEnd0].GetScreenPoint());
  }
  if (startSide->IsFacing()) {
    DrawEdge(display, kBaseStart);
  }
  if (endSide->IsFacing()) {
    DrawEdge(display, kBaseEnd);
  }
  const bool rimShown = DrawSilhouette(display, baseRect, attribs);
  DrawEdge(display, kCentreEdge);
  const cf_2DRect topRect = RimRect(kLow1, kHigh1, kCentre1, kCentre1Level);
  display.DrawArc(topRect, marks[kStart1].GetScreenPoint(), marks[kEnd1].GetScreenPoint());
  display.DrawPie(topRect, marks[kStart1].GetScreenPoint(), marks[kEnd1].GetScreenPoint());
  if (startSide->IsFacing() || (outerFirst->IsFacing() && !rimShown)) {
    DrawEdge(display, kStartRim);
  }
  if (endSide->IsFacing() || (outerSecond->IsFacing() && !rimShown)) {
    DrawEdge(display, kEndRim);
  }
  PopBrush(display);
  PopPen(display);
}
