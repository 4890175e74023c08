// A sheet of faces that a 3-D area or ribbon chart builds for one data series: upright strips between
// consecutive points, extended in depth, with end walls and a front face where the engine adds them. It
// orders its own faces and draws their edges in the outline colour, or hides them in the fill colour.
#ifndef CHART_CF_3DSURFACE_H
#define CHART_CF_3DSURFACE_H

#include "chart/cf_3dfacet.h"
#include "chart/cf_objectset.h"

class cf_3DSurface : public cf_3DComposite<cf_3DFacet, false> {
 public:
  // Its own display attributes; overlap pass on, depth sort and culling off, edges outlined.
  cf_3DSurface();
  // Shares the attributes.
  explicit cf_3DSurface(cf_DispAttribs* attribs);

  void Project(const cf_Kernel& kernel) override;
  // Without outlines the faces' edges take the fill colour for the draw.
  void DrawPrimary(bf_Display& display) override;
  void DrawSecondary(bf_Display& display) override { DrawMembers(display); }

  // Appends the face and owns it; it joins the sheet's attributes, switches and transformation.
  void AddFacet(std::unique_ptr<cf_3DFacet> facet) { Adopt(std::move(facet)); }
  // The upright quadrilateral from (x1, y1) to (x2, y2), from depth z1 to z2.
  void AddStrip(double x1, double x2, double y1, double y2, double z1, double z2);
  // The six faces of the box with opposite corners (x1, y1, z1) and (x2, y2, z2).
  void AddBox(double x1, double x2, double y1, double y2, double z1, double z2);
  // Ascending by projected minimum z, equal keys keeping their order.
  void SortByDepth();
  // Corrects the order by the pairwise face test.
  void SortByOverlap();

  uint8_t OutlineFacets() const { return outlineFacets; }
  void SetOutlineFacets(uint8_t on) { outlineFacets = on; }
  // The projected extents over the faces (the inherited projected getters answer 0 for a sheet).
  double ProjMinX() const { return members.projected[0].min; }
  double ProjMaxX() const { return members.projected[0].max; }
  double ProjMidX() const { return members.projectedMid[0]; }
  double ProjMinY() const { return members.projected[1].min; }
  double ProjMaxY() const { return members.projected[1].max; }
  double ProjMidY() const { return members.projectedMid[1]; }
  double ProjMinZ() const { return members.projected[2].min; }
  double ProjMaxZ() const { return members.projected[2].max; }
  double ProjMidZ() const { return members.projectedMid[2]; }

 private:
  uint8_t outlineFacets = 1;
};

#endif
