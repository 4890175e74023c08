#include "chart/cf_3dphedraseries.h"

#include "chart/cf_3dboxhedra.h"
#include "chart/cf_3dradialhedra.h"

namespace {

void SetSwitches(cf_Virt3DObj& object, uint8_t overlap, uint8_t depth, uint8_t culling) {
  object.SetOverlapPass(overlap);
  object.SetDepthSort(depth);
  object.SetCulling(culling);
}

}  // namespace

cf_3DPhedraSeries::cf_3DPhedraSeries() {
  CreateDispAttribs();
  SetSwitches(*this, 0, 1, 1);
}

cf_3DPhedraSeries::cf_3DPhedraSeries(cf_DispAttribs* attribs) : cf_3DComposite(attribs) {
  SetSwitches(*this, 0, 1, 1);
}

void cf_3DPhedraSeries::Project(const cf_Kernel& kernel) {
  members.Project(kernel);
  if (DepthSort()) {
    members.DepthSort([](const cf_3DPolyHedra& a, const cf_3DPolyHedra& b) {
      return a.GetRefProjZ() < b.GetRefProjZ() ||
             (a.GetRefProjZ() == b.GetRefProjZ() && a.GetDepthKey() > b.GetDepthKey());
    });
  }
  if (OverlapPass()) {
    members.OverlapPass([](const cf_3DPolyHedra& a, const cf_3DPolyHedra& b) {
      return a.Count() > 0 && b.Count() > 0 && a.Last()->MustFollow(*b.Last());
    });
  }
}

template <typename Box>
void cf_3DPhedraSeries::AddBox(double x1, double x2, double y1, double y2, double z1, double z2) {
  auto solid = std::make_unique<Box>(x1, x2, y1, y2, z1, z2, DispAttribsOrNull());
  solid->SetNoPen(1);
  solid->SetNoBrush(1);
  SetSwitches(*solid, 0, 1, 1);
  AddSolid(std::move(solid));
}

void cf_3DPhedraSeries::AddBar(double x1, double x2, double y1, double y2, double z1, double z2) {
  AddBox<cf_3DBarHedra>(x1, x2, y1, y2, z1, z2);
}

void cf_3DPhedraSeries::AddColumn(double x1, double x2, double y1, double y2, double z1, double z2) {
  AddBox<cf_3DColumnHedra>(x1, x2, y1, y2, z1, z2);
}

void cf_3DPhedraSeries::AddStack(double x1, double x2, double y1, double y2, double z1, double z2) {
  AddBox<cf_3DStackHedra>(x1, x2, y1, y2, z1, z2);
}

void cf_3DPhedraSeries::AddWedge(const cf_3DPoint& base, const cf_3DPoint& top, double radius,
                                 double startAngle, double endAngle, double thicknessPercent,
                                 double explodePercent, cf_DispAttribs* attribs) {
  auto wedge = std::make_unique<cf_3DRadialHedra>(base, top, radius, startAngle, endAngle, thicknessPercent,
                                                  explodePercent, attribs);
  cf_3DRadialHedra& added = *wedge;
  AddSolid(std::move(wedge));
  SetSwitches(added, 1, 0, 1);
}
