// A series drawn as a closed shape through its points: outlined with the attributes' fore colour, style and
// width and filled with their back colour. Areas, bars and the plot box's walls are polygons.
#ifndef CHART_CF_3DPOLYGON_H
#define CHART_CF_3DPOLYGON_H

#include "chart/cf_3dpointseries.h"

class cf_3DPolygon : public cf_3DPointSeries {
 public:
  cf_3DPolygon() = default;
  explicit cf_3DPolygon(cf_DispAttribs* attribs) : cf_3DPointSeries(attribs) {}

  // Both passes draw the filled polygon.
  void DrawPrimary(bf_Display& display) override;
  void DrawSecondary(bf_Display& display) override { DrawPrimary(display); }
  // The closed outline without fill.
  virtual void DrawOutline(bf_Display& display);
};

#endif
