// The 3-D cartesian engines: every series gets depth. Lines and points are the flat builds seen in the 3-D
// view; areas become sheets, bars, columns and stacks become solids, and ribbons become strips, the series
// standing one behind another two depth units apart.
#ifndef CHART_CF_ENG_CART3D_H
#define CHART_CF_ENG_CART3D_H

#include "chart/cf_eng_cart2d.h"

class cf_eng_PointSer3D : public cf_eng_PointSer2D {
 public:
  cf_eng_PointSer3D();
};

class cf_eng_Line3D : public cf_eng_Line2D {
 public:
  cf_eng_Line3D();
};

// One sheet per series: end walls, the top strips, strips along 0 under the parts below it, and a front face.
class cf_eng_Area3D : public cf_eng_Area2D {
 public:
  cf_eng_Area3D();
  void BuildObjects(cf_ChartModel& model) override;

 protected:
  void SetRanges(cf_ChartModel& model) override;
};

// One series of boxes per data series, the values along x and the domain up y.
class cf_eng_Bar3D : public cf_eng_CartXYZ {
 public:
  cf_eng_Bar3D();
  void BuildObjects(cf_ChartModel& model) override;

 protected:
  void CreateAxes() override;
  void SetRanges(cf_ChartModel& model) override;
};

// One series of upright boxes per data series.
class cf_eng_Col3D : public cf_eng_CartXYZ {
 public:
  cf_eng_Col3D();
  void BuildObjects(cf_ChartModel& model) override;

 protected:
  void SetRanges(cf_ChartModel& model) override;
};

// One series of stacked boxes per point index, all at one depth, the data series told apart by colour.
class cf_eng_Stack3D : public cf_eng_CartXYZ {
 public:
  cf_eng_Stack3D();
  void BuildObjects(cf_ChartModel& model) override;

 protected:
  void CreateAxes() override;
};

// One sheet of strips per series of two points or more, each as deep as a bar is wide.
class cf_eng_Ribbon3D : public cf_eng_CartXYZ {
 public:
  cf_eng_Ribbon3D();
  void BuildObjects(cf_ChartModel& model) override;

 protected:
  void SetRanges(cf_ChartModel& model) override;
};

// The ribbons seen from the front.
class cf_eng_Ribbon2D : public cf_eng_Ribbon3D {
 public:
  cf_eng_Ribbon2D();
};

#endif
