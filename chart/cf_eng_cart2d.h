// The flat cartesian engines, one per chart type: lines, points, areas, horizontal bars, columns and
// stacked columns. Each turns the model's series into drawable objects that share the series' display
// attributes; the rest of the pipeline is their base's.
#ifndef CHART_CF_ENG_CART2D_H
#define CHART_CF_ENG_CART2D_H

#include <algorithm>

#include "chart/cf_chartmodel.h"
#include "chart/cf_datagroup.h"
#include "chart/cf_eng_cartxyz.h"

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

// The columns of a stacked chart: as many as the longest series has points, each centred on its domain
// position in the first series that long.
struct cf_StackColumns {
  explicit cf_StackColumns(cf_ChartModel& model);
  double Centre(cf_ChartModel& model, int32_t i) const;
  // In the counted mode a hidden point one column past the last, so that the box reaches it.
  void AddEnd(cf_ChartEngine& engine) const;
  // `add(group, bottom, top)` for each series in order with the segment its value at column i takes:
  // positive values stack upwards from 0 and negative ones downwards, each in series order.
  template <typename Add>
  static void Segments(cf_ChartModel& model, int32_t i, Add add) {
    double positiveTop = 0;
    double negativeTop = 0;
    for (int32_t s = model.FirstSeries(); s <= model.LastSeries(); ++s) {
      cf_DataGroup& group = model.SelectSeries(s);
      const double v = group.GetPoint(i).Y();
      double& top = v >= 0 ? positiveTop : negativeTop;
      add(group, std::min(top, top + v), std::max(top, top + v));
      top += v;
    }
  }
  int32_t mode;
  int32_t count = 0;
  int32_t longestSeries;
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
