// The axis-aligned box solids of the 3-D bar, column and stacked charts, each built from two opposite
// corners. They differ in the point by which a series orders them and in their depth key.
#ifndef CHART_CF_3DBOXHEDRA_H
#define CHART_CF_3DBOXHEDRA_H

#include "chart/cf_3dpolyhedra.h"

// The six faces of the box, from the corners (x1, y1, z1) and (x2, y2, z2).
class cf_3DBoxHedra : public cf_3DPolyHedra {
 public:
  cf_3DBoxHedra(double x1, double x2, double y1, double y2, double z1, double z2, cf_DispAttribs* attribs);
};

// A horizontal bar: ordered by the middle of its height and depth; key |projected y|.
class cf_3DBarHedra : public cf_3DBoxHedra {
 public:
  cf_3DBarHedra(double x1, double x2, double y1, double y2, double z1, double z2, cf_DispAttribs* attribs);
  void ComputeDepthKey(const cf_Kernel& kernel) override;
};

// A column: ordered by the middle of its width and depth; key |projected x|.
class cf_3DColumnHedra : public cf_3DBoxHedra {
 public:
  cf_3DColumnHedra(double x1, double x2, double y1, double y2, double z1, double z2, cf_DispAttribs* attribs);
  void ComputeDepthKey(const cf_Kernel& kernel) override;
};

// A stack segment: ordered by its centre; key |projected y|.
class cf_3DStackHedra : public cf_3DBoxHedra {
 public:
  cf_3DStackHedra(double x1, double x2, double y1, double y2, double z1, double z2, cf_DispAttribs* attribs);
  void ComputeDepthKey(const cf_Kernel& kernel) override;
};

#endif
