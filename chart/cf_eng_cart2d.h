// The flat cartesian engines, one per chart type: lines, points, areas, horizontal bars, columns and
// stacked columns. Each turns the model's series into drawable objects that share the series' display
// attributes; the rest of the pipeline is their base's.
#ifndef CHART_CF_ENG_CART2D_H
#define CHART_CF_ENG_CART2D_H

#include "chart/cf_eng_cartxyz.h"

class cf_DataGroup;

// Where a series' points go along x and z for the model's domain mode.
struct cf_DomainPlacement {
  // Any mode but own x and zero-based places as the counted mode does.
  explicit cf_DomainPlacement(int32_t domainMode);
  // Point j (from 1) of a series.
  double X(const cf_DataGroup& group, int32_t j) const;
  // The depth of series s.
  double Z(const cf_DataGroup& group, int32_t s) const;
  int32_t mode;
};

class cf_eng_Line2D : public cf_eng_CartXYZ {
 public:
  cf_eng_Line2D();
  void BuildObjects(cf_ChartModel& model) override;
};

class cf_eng_PointSer2D : public cf_eng_CartXYZ {
 public:
  cf_eng_PointSer2D();
  void BuildObjects(cf_ChartModel& model) override;
};

class cf_eng_Area2D : public cf_eng_CartXYZ {
 public:
  cf_eng_Area2D();
  void BuildObjects(cf_ChartModel& model) override;
};

class cf_eng_Col2D : public cf_eng_CartXYZ {
 public:
  cf_eng_Col2D();
  void BuildObjects(cf_ChartModel& model) override;
};

// Horizontal bars: the domain runs up the y axis and the values along x.
class cf_eng_Bar2D : public cf_eng_CartXYZ {
 public:
  cf_eng_Bar2D();
  void BuildObjects(cf_ChartModel& model) override;

 protected:
  void CreateAxes() override;
  void SetRanges(cf_ChartModel& model) override;
};

class cf_eng_Stack2D : public cf_eng_CartXYZ {
 public:
  cf_eng_Stack2D();
  void BuildObjects(cf_ChartModel& model) override;

 protected:
  void CreateAxes() override;
};

#endif
