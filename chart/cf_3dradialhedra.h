// The solid wedge of an exploded pie: a slice of a flat cylinder between two angles, pushed out from the
// centre along its middle angle. Its faces decide which of its edges show; the round parts are drawn as
// elliptic arcs and sectors in rectangles projected from a level view, so that the rim stays an upright
// ellipse whatever the azimuth.
#ifndef CHART_CF_3DRADIALHEDRA_H
#define CHART_CF_3DRADIALHEDRA_H

#include <array>

#include "chart/cf_3dpolyhedra.h"
#include "chart/cf_3dpolyline.h"

class cf_3DRadialHedra : public cf_3DPolyHedra {
 public:
  // Only the box heights of the base and top points count. Angles in radians from +x towards -z; the
  // thickness in percent of the height between the two points; the explosion in percent of the radius.
  cf_3DRadialHedra(const cf_3DPoint& base, const cf_3DPoint& top, double radius, double startAngle,
                   double endAngle, double thicknessPercent, double explodePercent, cf_DispAttribs* attribs);

  void Project(const cf_Kernel& kernel) override;
  void ToScreen(const cf_Kernel& kernel) override;
  void Scale(double sx, double sy, double sz) override;
  void Translate(double dx, double dy, double dz) override;
  // An empty wedge (equal angles) draws nothing.
  void DrawSecondary(bf_Display& display) override;
  // By the distance of its middle rim point from the projected y axis.
  void ComputeDepthKey(const cf_Kernel& kernel) override;

  // The marker points: base and top level (0 and 1) of the centre, its level copy, the corners of the rim
  // circle's square, and the rim at the start, middle and end angles.
  enum Mark {
    kCentre0Level,
    kCentre0,
    kLow0,
    kHigh0,
    kStart0,
    kMid0,
    kEnd0,
    kCentre1Level,
    kCentre1,
    kLow1,
    kHigh1,
    kStart1,
    kMid1,
    kEnd1,
    kMarkCount
  };
  const cf_3DPoint& GetMark(Mark mark) const { return marks[mark]; }
  bool IsEmpty() const { return empty; }

 private:
  enum Edge { kBaseStart, kBaseEnd, kCentreEdge, kStartRim, kEndRim, kTopStart, kTopEnd, kEdgeCount };

  // The rectangle of the level's rim ellipse on the screen.
  cf_2DRect RimRect(Mark low, Mark high, Mark centre, Mark levelCentre) const;
  void DrawEdge(bf_Display& display, Edge edge) const;
  // The band between the rim's outermost screen x and the centre, in the fill colour; answers whether the
  // rim's side showed.
  bool DrawSilhouette(bf_Display& display, const cf_2DRect& baseRect, const cf_DispAttribs& attribs);
  template <typename Visit>
  void ForEachMark(Visit visit);

  std::array<cf_3DPoint, kMarkCount> marks;
  std::array<cf_3DPolyLine, kEdgeCount> edges;
  cf_3DFacet* startSide = nullptr;
  cf_3DFacet* outerFirst = nullptr;
  cf_3DFacet* outerSecond = nullptr;
  cf_3DFacet* endSide = nullptr;
  bool empty = false;
};

#endif
