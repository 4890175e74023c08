#include "chart/cf_3dsurface.h"

namespace {

void SetSheetSwitches(cf_3DSurface& sheet) {
  sheet.SetOverlapPass(1);
  sheet.SetDepthSort(0);
  sheet.SetCulling(0);
}

}  // namespace

cf_3DSurface::cf_3DSurface() {
  CreateDispAttribs();
  SetSheetSwitches(*this);
}

cf_3DSurface::cf_3DSurface(cf_DispAttribs* attribs) : cf_3DComposite(attribs) {
  SetSheetSwitches(*this);
}

void cf_3DSurface::Project(const cf_Kernel& kernel) {
  members.Project(kernel);
  if (DepthSort()) {
    SortByDepth();
  }
  if (OverlapPass()) {
    SortByOverlap();
  }
}

void cf_3DSurface::SortByDepth() {
  members.DepthSort(
      [](const cf_3DFacet& a, const cf_3DFacet& b) { return a.GetProjMinZ() < b.GetProjMinZ(); });
}

void cf_3DSurface::SortByOverlap() {
  members.OverlapPass([](const cf_3DFacet& a, const cf_3DFacet& b) { return a.MustFollow(b); });
}

void cf_3DSurface::AddStrip(double x1, double x2, double y1, double y2, double z1, double z2) {
  AddFacet(std::make_unique<cf_3DFacet>(
      std::initializer_list<cf_3DPoint>{{x1, y1, z2}, {x2, y2, z2}, {x2, y2, z1}, {x1, y1, z1}}));
}

void cf_3DSurface::AddBox(double x1, double x2, double y1, double y2, double z1, double z2) {
  for (std::unique_ptr<cf_3DFacet>& face : cf_3DFacet::BoxFaces(x1, x2, y1, y2, z1, z2)) {
    AddFacet(std::move(face));
  }
}

void cf_3DSurface::DrawPrimary(bf_Display& display) {
  if (outlineFacets || !HasDispAttribs()) {
    DrawSecondary(display);
    return;
  }
  cf_DispAttribs& attribs = *DispAttribs();
  const bf_Color fore = attribs.ForeColor();
  attribs.SetForeColor(attribs.BackColor());
  DrawSecondary(display);
  attribs.SetForeColor(fore);
}
