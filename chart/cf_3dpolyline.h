// A series drawn as an open line through its points: the traces of line charts. The line is drawn in the
// attributes' back colour with their style and width, in one display call; markers, when the pass's switch
// is on, are outlined in the fore colour one pixel wide and filled with the back colour.
#ifndef CHART_CF_3DPOLYLINE_H
#define CHART_CF_3DPOLYLINE_H

#include "chart/cf_3dpointseries.h"

class cf_3DPolyLine : public cf_3DPointSeries {
 public:
  cf_3DPolyLine() = default;
  explicit cf_3DPolyLine(cf_DispAttribs* attribs) : cf_3DPointSeries(attribs) {}

  // The two passes differ only in the marker switch they read.
  void DrawPrimary(bf_Display& display) override;
  void DrawSecondary(bf_Display& display) override;

 private:
  void Draw(bf_Display& display, bool markers);
  void DrawLine(bf_Display& display);
  // The screen points with each run of points in one pixel column cut to its first point, its lowest and
  // highest points in the order they come, and its last point; the last run stays whole, since the
  // line's final pixel is left out only when nothing else draws it.
  const std::vector<cf_2DPoint>& ColumnRuns();

  std::vector<cf_2DPoint> runs;
  void DrawMarkers(bf_Display& display, cf_DispAttribs& attribs);
};

#endif
