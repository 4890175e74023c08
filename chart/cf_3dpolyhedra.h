// A closed solid made of faces: the box of a bar, column or stack segment, or a pie wedge. At each
// projection it orders its faces for drawing (by depth, then by the pairwise face test) and takes a depth
// key from its reference point, by which a solid series orders whole solids.
#ifndef CHART_CF_3DPOLYHEDRA_H
#define CHART_CF_3DPOLYHEDRA_H

#include "chart/cf_3dfacet.h"
#include "chart/cf_3dpoint.h"
#include "chart/cf_objectset.h"

class cf_3DPolyHedra : public cf_3DComposite<cf_3DFacet> {
 public:
  // Its own display attributes; depth sort and culling on, overlap pass off.
  cf_3DPolyHedra();
  // Shares the attributes.
  explicit cf_3DPolyHedra(cf_DispAttribs* attribs);

  // The faces, the depth key, the projected extents, then the orderings that are on.
  void Project(const cf_Kernel& kernel) override;
  void ToScreen(const cf_Kernel& kernel) override;
  void Scale(double sx, double sy, double sz) override;
  void Translate(double dx, double dy, double dz) override;
  void DrawPrimary(bf_Display& display) override { DrawSecondary(display); }
  void DrawSecondary(bf_Display& display) override { DrawMembers(display); }

  // Appends the face and owns it; it joins the solid's attributes, switches and transformation.
  void AddFacet(std::unique_ptr<cf_3DFacet> facet) { Adopt(std::move(facet)); }
  // Projects the reference point and sets the depth key from it.
  virtual void ComputeDepthKey(const cf_Kernel& kernel);
  void ReferenceToScreen(const cf_Kernel& kernel) { reference.ToScreen(kernel); }

  double GetDepthKey() const { return depthKey; }
  const cf_3DPoint& Reference() const { return reference; }
  double GetRefProjX() const { return reference.GetProjX(); }
  double GetRefProjY() const { return reference.GetProjY(); }
  double GetRefProjZ() const { return reference.GetProjZ(); }

 protected:
  void SetReference(double x, double y, double z) { reference.Set(x, y, z); }
  void SetDepthKey(double key) { depthKey = key; }

 private:
  cf_3DPoint reference;
  double depthKey = 0;
};

#endif
