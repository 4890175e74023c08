#include "chart/cf_3dboxhedra.h"

#include <cmath>

cf_3DBoxHedra::cf_3DBoxHedra(double x1, double x2, double y1, double y2, double z1, double z2,
                             cf_DispAttribs* attribs)
    : cf_3DPolyHedra(attribs) {
  for (std::unique_ptr<cf_3DFacet>& face : cf_3DFacet::BoxFaces(x1, x2, y1, y2, z1, z2)) {
    AddFacet(std::move(face));
  }
}

cf_3DBarHedra::cf_3DBarHedra(double x1, double x2, double y1, double y2, double z1, double z2,
                             cf_DispAttribs* attribs)
    : cf_3DBoxHedra(x1, x2, y1, y2, z1, z2, attribs) {
  SetReference(0, (y1 + y2) / 2, (z1 + z2) / 2);
}

void cf_3DBarHedra::ComputeDepthKey(const cf_Kernel& kernel) {
  cf_3DPolyHedra::ComputeDepthKey(kernel);
  SetDepthKey(std::abs(GetRefProjY()));
}

cf_3DColumnHedra::cf_3DColumnHedra(double x1, double x2, double y1, double y2, double z1, double z2,
                                   cf_DispAttribs* attribs)
    : cf_3DBoxHedra(x1, x2, y1, y2, z1, z2, attribs) {
  SetReference((x1 + x2) / 2, 0, (z1 + z2) / 2);
}

void cf_3DColumnHedra::ComputeDepthKey(const cf_Kernel& kernel) {
  cf_3DPolyHedra::ComputeDepthKey(kernel);
  SetDepthKey(std::abs(GetRefProjX()));
}

cf_3DStackHedra::cf_3DStackHedra(double x1, double x2, double y1, double y2, double z1, double z2,
                                 cf_DispAttribs* attribs)
    : cf_3DBoxHedra(x1, x2, y1, y2, z1, z2, attribs) {
  SetReference((x1 + x2) / 2, (y1 + y2) / 2, (z1 + z2) / 2);
}

void cf_3DStackHedra::ComputeDepthKey(const cf_Kernel& kernel) {
  cf_3DPolyHedra::ComputeDepthKey(kernel);
  SetDepthKey(std::abs(GetRefProjY()));
}
