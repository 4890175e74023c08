#include "chart/cf_3dpolygon.h"

#include <vector>

#include "chart/bf_display.h"

void cf_3DPolygon::DrawPrimary(bf_Display& display) {
  PushPen(display);
  PushBrush(display);
  display.DrawPolygon(ScreenPoints().data(), GetPointCount());
  PopBrush(display);
  PopPen(display);
}

void cf_3DPolygon::DrawOutline(bf_Display& display) {
  const std::vector<cf_2DPoint>& points = ScreenPoints();
  if (points.empty()) {
    return;
  }
  std::vector<cf_2DPoint> closed(points);
  closed.push_back(points.front());
  PushPen(display);
  display.DrawPolyline(closed.data(), static_cast<int32_t>(closed.size()));
  PopPen(display);
}
