// One planar face of a solid or a sheet: a polygon whose corners lie in one plane, wound so that the face
// is seen from its front when its first three projected corners turn counter-clockwise on the projected
// plane. A back face is skipped while back-face culling is on. Two faces can be asked which of them must be
// drawn later, so that their owners can correct a drawing order taken from depth alone.
#ifndef CHART_CF_3DFACET_H
#define CHART_CF_3DFACET_H

#include <array>
#include <memory>

#include "chart/cf_3dpolygon.h"

class cf_3DFacet : public cf_3DPolygon {
 public:
  // Projected corners closer than this to another face's plane (in plane-function units) lie in it.
  static constexpr double kCoplanarBand = 5.0;

  cf_3DFacet() = default;
  explicit cf_3DFacet(cf_DispAttribs* attribs) : cf_3DPolygon(attribs) {}
  // The corners in order.
  cf_3DFacet(std::initializer_list<cf_3DPoint> corners);

  // Also decides the facing while culling is on.
  void Project(const cf_Kernel& kernel) override;
  // A back face draws nothing while culling is on.
  void DrawPrimary(bf_Display& display) override;
  void DrawSecondary(bf_Display& display) override { DrawPrimary(display); }

  bool IsFacing() const { return facing; }
  // From the projected corners 1 to 3; collinear corners, or fewer than three, do not face.
  bool ComputeFacing();
  // Whether this face, standing before the other in a drawing list, must be drawn after it: their projected
  // extents and their screen boxes overlap, they are not coplanar, and each lies on the other's far side as
  // seen from the viewer.
  bool MustFollow(const cf_3DFacet& other) const;

  // The six faces of the box with opposite corners (x1, y1, z1) and (x2, y2, z2), wound consistently
  // outwards: the planes y1, z1, x1, x2, z2, y2.
  static std::array<std::unique_ptr<cf_3DFacet>, 6> BoxFaces(double x1, double x2, double y1, double y2,
                                                             double z1, double z2);

 private:
  // The plane through the projected corners 1 to 3 evaluated at a projected point.
  double PlaneAt(double x, double y, double z) const;

  bool facing = true;
};

#endif
