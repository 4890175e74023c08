// The base of the engines that plot series on x, y and z axes. It sets up their view, draws the objects
// of every list in the pass of the chart's dimension, builds the axes and range end points after the
// series, and measures the data's extents over the objects so that the data, not the box, fills the box.
#ifndef CHART_CF_ENG_CARTXYZ_H
#define CHART_CF_ENG_CARTXYZ_H

#include "chart/cf_chartengine.h"

class cf_eng_CartXYZ : public cf_ChartEngine {
 public:
  // No perspective, view (20, -30), a box as high as it is wide and half as deep.
  cf_eng_CartXYZ(int32_t chartType, int32_t dimension);

  void BuildObjects(cf_ChartModel& model) override;
  void DrawWalls(bf_Display& display) override;
  void DrawBackground(bf_Display& display) override;

 protected:
  // Bottom X with x values and left Y with y values, shown.
  void CreateAxes() override;
  void GetBoxExtents() override;
  // Shows axis n with the style and label and mark intervals.
  void ShowAxis(uint32_t n, uint32_t style, int32_t interval);
  // Horizontal bars: the left axis labels the domain and the bottom axis the values.
  void ShowBarAxes();
  // Stacked columns: the bottom axis labels the domain and the left axis the series' depths.
  void ShowStackAxes();
  // The base build, then `addSeries` for the model's series, then the axes and the range end points.
  template <typename AddSeries>
  void BuildFrame(cf_ChartModel& model, AddSeries addSeries) {
    cf_ChartEngine::BuildObjects(model);
    addSeries();
    BuildAxes(model);
    AddExtentPoints();
  }

 private:
  void DrawLists(bf_Display& display, bool primary);
};

#endif
