#include "chart/cf_3dfacet.h"

namespace {

bool Overlap(double lowA, double highA, double lowB, double highB) {
  return lowA <= highB && lowB <= highA;
}

}  // namespace

cf_3DFacet::cf_3DFacet(std::initializer_list<cf_3DPoint> corners) {
  for (const cf_3DPoint& corner : corners) {
    AddPoint(corner);
  }
}

void cf_3DFacet::Project(const cf_Kernel& kernel) {
  cf_3DPolygon::Project(kernel);
  if (Culling()) {
    ComputeFacing();
  }
}

bool cf_3DFacet::ComputeFacing() {
  if (GetPointCount() < 3) {
    facing = false;
    return facing;
  }
  const cf_3DPoint p1 = GetPointCopy(1), p2 = GetPointCopy(2), p3 = GetPointCopy(3);
  const double turn = (p2.GetProjX() - p1.GetProjX()) * (p3.GetProjY() - p2.GetProjY()) -
                      (p2.GetProjY() - p1.GetProjY()) * (p3.GetProjX() - p2.GetProjX());
  facing = turn > 0;
  return facing;
}

void cf_3DFacet::DrawPrimary(bf_Display& display) {
  if (Culling() && !facing) {
    return;
  }
  cf_3DPolygon::DrawPrimary(display);
}

double cf_3DFacet::PlaneAt(double x, double y, double z) const {
  const cf_3DPoint p1 = GetPointCopy(1), p2 = GetPointCopy(2), p3 = GetPointCopy(3);
  const double x1 = p1.GetProjX(), y1 = p1.GetProjY(), z1 = p1.GetProjZ();
  const double x2 = p2.GetProjX(), y2 = p2.GetProjY(), z2 = p2.GetProjZ();
  const double x3 = p3.GetProjX(), y3 = p3.GetProjY(), z3 = p3.GetProjZ();
  const double a = y1 * (z2 - z3) + y2 * (z3 - z1) + y3 * (z1 - z2);
  const double b = z1 * (x2 - x3) + z2 * (x3 - x1) + z3 * (x1 - x2);
  const double c = x1 * (y2 - y3) + x2 * (y3 - y1) + x3 * (y1 - y2);
  const double d = -(x1 * (y2 * z3 - y3 * z2) + x2 * (y3 * z1 - y1 * z3) + x3 * (y1 * z2 - y2 * z1));
  return a * x + b * y + c * z + d;
}

bool cf_3DFacet::MustFollow(const cf_3DFacet& other) const {
  if (GetPointCount() < 3 || other.GetPointCount() < 3) {
    return false;
  }
  if (!Overlap(GetProjMinX(), GetProjMaxX(), other.GetProjMinX(), other.GetProjMaxX()) ||
      !Overlap(GetProjMinY(), GetProjMaxY(), other.GetProjMinY(), other.GetProjMaxY())) {
    return false;
  }
  const double f = other.PlaneAt(GetProjMidX(), GetProjMidY(), GetProjMidZ());
  if (-kCoplanarBand < f && f < kCoplanarBand) {
    return false;
  }
  if (other.IsFacing() ? f <= 0 : f >= 0) {
    return false;
  }
  const double g = PlaneAt(other.GetProjMidX(), other.GetProjMidY(), other.GetProjMidZ());
  if (IsFacing() ? g >= 0 : g <= 0) {
    return false;
  }
  return Overlap(GetScreenMinX(), GetScreenMaxX(), other.GetScreenMinX(), other.GetScreenMaxX()) &&
         Overlap(GetScreenMinY(), GetScreenMaxY(), other.GetScreenMinY(), other.GetScreenMaxY());
}

std::array<std::unique_ptr<cf_3DFacet>, 6> cf_3DFacet::BoxFaces(double x1, double x2, double y1, double y2,
                                                                double z1, double z2) {
  using P = cf_3DPoint;
  return {std::make_unique<cf_3DFacet>(
              std::initializer_list<P>{{x1, y1, z2}, {x1, y1, z1}, {x2, y1, z1}, {x2, y1, z2}}),
          std::make_unique<cf_3DFacet>(
              std::initializer_list<P>{{x1, y1, z1}, {x1, y2, z1}, {x2, y2, z1}, {x2, y1, z1}}),
          std::make_unique<cf_3DFacet>(
              std::initializer_list<P>{{x1, y1, z2}, {x1, y2, z2}, {x1, y2, z1}, {x1, y1, z1}}),
          std::make_unique<cf_3DFacet>(
              std::initializer_list<P>{{x2, y1, z1}, {x2, y2, z1}, {x2, y2, z2}, {x2, y1, z2}}),
          std::make_unique<cf_3DFacet>(
              std::initializer_list<P>{{x2, y1, z2}, {x2, y2, z2}, {x1, y2, z2}, {x1, y1, z2}}),
          std::make_unique<cf_3DFacet>(
              std::initializer_list<P>{{x2, y2, z1}, {x1, y2, z1}, {x1, y2, z2}, {x2, y2, z2}})};
}
