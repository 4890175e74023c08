#include "chart/cf_3dpolyhedra.h"

#include <cmath>

namespace {

void SetSolidSwitches(cf_3DPolyHedra& solid) {
  solid.SetOverlapPass(0);
  solid.SetDepthSort(1);
  solid.SetCulling(1);
}

}  // namespace

cf_3DPolyHedra::cf_3DPolyHedra() {
  CreateDispAttribs();
  SetSolidSwitches(*this);
}

cf_3DPolyHedra::cf_3DPolyHedra(cf_DispAttribs* attribs) : cf_3DComposite(attribs) {
  SetSolidSwitches(*this);
}

void cf_3DPolyHedra::Project(const cf_Kernel& kernel) {
  members.Project(kernel);
  ComputeDepthKey(kernel);
  if (DepthSort()) {
    members.DepthSort(
        [](const cf_3DFacet& a, const cf_3DFacet& b) { return a.GetProjMinZ() < b.GetProjMinZ(); });
  }
  if (OverlapPass()) {
    members.OverlapPass([](const cf_3DFacet& a, const cf_3DFacet& b) { return a.MustFollow(b); });
  }
}

void cf_3DPolyHedra::ComputeDepthKey(const cf_Kernel& kernel) {
  reference.Project(kernel);
  const double px = reference.GetProjX();
  const double py = reference.GetProjY();
  if (reference.GetY() == 0) {
    depthKey = std::abs(px);
  } else if (reference.GetX() == 0) {
    depthKey = std::abs(py);
  } else {
    depthKey = std::sqrt(px * px + py * py);
  }
}

void cf_3DPolyHedra::ToScreen(const cf_Kernel& kernel) {
  members.ToScreen(kernel);
  ReferenceToScreen(kernel);
}

void cf_3DPolyHedra::Scale(double sx, double sy, double sz) {
  // About the solid's translation point, like its faces.
  const double tx = members.translation[0], ty = members.translation[1], tz = members.translation[2];
  reference.Translate(-tx, -ty, -tz);
  reference.Scale(sx, sy, sz);
  reference.Translate(tx, ty, tz);
  members.Scale(sx, sy, sz);
}

void cf_3DPolyHedra::Translate(double dx, double dy, double dz) {
  reference.Translate(dx, dy, dz);
  members.Translate(dx, dy, dz);
}
