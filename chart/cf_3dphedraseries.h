// The solids of one data series in a 3-D bar, column, stacked or exploded-pie chart, one per data point.
// It orders the solids for drawing the way a solid orders its faces: by the projected depth of their
// reference points, then, when asked, by the pairwise test on their last faces.
#ifndef CHART_CF_3DPHEDRASERIES_H
#define CHART_CF_3DPHEDRASERIES_H

#include "chart/cf_3dpolyhedra.h"
#include "chart/cf_objectset.h"

class cf_3DPhedraSeries : public cf_3DComposite<cf_3DPolyHedra> {
 public:
  // Its own display attributes; depth sort and culling on, overlap pass off.
  cf_3DPhedraSeries();
  // Shares the attributes.
  explicit cf_3DPhedraSeries(cf_DispAttribs* attribs);

  // The solids, the projected extents, then the orderings that are on: nearer reference points (smaller
  // projected z) first, ties by the larger depth key first.
  void Project(const cf_Kernel& kernel) override;
  void DrawPrimary(bf_Display& display) override { DrawSecondary(display); }
  void DrawSecondary(bf_Display& display) override { DrawMembers(display); }

  // Appends the solid and owns it; it joins the series' scale and translation.
  void AddSolid(std::unique_ptr<cf_3DPolyHedra> solid) { members.Add(std::move(solid)); }
  // Box solids from two opposite corners, in the series' attributes, drawn with their faces' pens.
  void AddBar(double x1, double x2, double y1, double y2, double z1, double z2);
  void AddColumn(double x1, double x2, double y1, double y2, double z1, double z2);
  void AddStack(double x1, double x2, double y1, double y2, double z1, double z2);
  // A pie wedge in the given attributes; see cf_3DRadialHedra.
  void AddWedge(const cf_3DPoint& base, const cf_3DPoint& top, double radius, double startAngle,
                double endAngle, double thicknessPercent, double explodePercent, cf_DispAttribs* attribs);

 private:
  template <typename Box>
  void AddBox(double x1, double x2, double y1, double y2, double z1, double z2);
};

#endif
