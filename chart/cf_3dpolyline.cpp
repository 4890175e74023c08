#include "chart/cf_3dpolyline.h"

#include <algorithm>

#include "chart/bf_display.h"

void cf_3DPolyLine::DrawPrimary(bf_Display& display) {
  const cf_DispAttribs* attribs = DispAttribsOrNull();
  Draw(display, attribs && attribs->PrimarySwitch());
}

void cf_3DPolyLine::DrawSecondary(bf_Display& display) {
  const cf_DispAttribs* attribs = DispAttribsOrNull();
  Draw(display, attribs && attribs->SecondarySwitch());
}

void cf_3DPolyLine::Draw(bf_Display& display, bool markers) {
  DrawLine(display);
  if (markers) {
    DrawMarkers(display, *DispAttribsOrNull());
  }
}

void cf_3DPolyLine::DrawLine(bf_Display& display) {
  // The pen is built from the fore colour, so the back colour stands in for it while the line is drawn.
  cf_DispAttribs* attribs = DispAttribsOrNull();
  const bf_Color foreColor = attribs ? attribs->ForeColor() : bf_Black;
  if (attribs) {
    attribs->SetForeColor(attribs->BackColor());
  }
  PushPen(display);
  if (display.DrawsThinSolidLines()) {
    const std::vector<cf_2DPoint>& cut = ColumnRuns();
    display.DrawPolyline(cut.data(), static_cast<int32_t>(cut.size()));
  } else {
    display.DrawPolyline(ScreenPoints().data(), GetPointCount());
  }
  PopPen(display);
  if (attribs) {
    attribs->SetForeColor(foreColor);
  }
}

const std::vector<cf_2DPoint>& cf_3DPolyLine::ColumnRuns() {
  const std::vector<cf_2DPoint>& points = ScreenPoints();
  runs.clear();
  const auto keep = [&](const cf_2DPoint& point) {
    if (runs.empty() || runs.back() != point) {
      runs.push_back(point);
    }
  };
  std::size_t start = 0;
  while (start < points.size()) {
    std::size_t end = start + 1;
    std::size_t low = start;
    std::size_t high = start;
    while (end < points.size() && points[end].x == points[start].x) {
      low = points[end].y < points[low].y ? end : low;
      high = points[end].y > points[high].y ? end : high;
      ++end;
    }
    if (end == points.size()) {
      for (std::size_t i = start; i < end; ++i) {
        keep(points[i]);
      }
      break;
    }
    keep(points[start]);
    keep(points[std::min(low, high)]);
    keep(points[std::max(low, high)]);
    keep(points[end - 1]);
    start = end;
  }
  return runs;
}

void cf_3DPolyLine::DrawMarkers(bf_Display& display, cf_DispAttribs& attribs) {
  const uint32_t width = attribs.Width();
  attribs.SetWidth(1);
  PushBrush(display);
  PushPen(display);
  const std::vector<cf_2DPoint>& points = ScreenPoints();
  const std::vector<int32_t>& sizes = MarkerSizes();
  for (std::size_t i = 0; i < points.size(); ++i) {
    cf_3DPoint::DrawMarkerAt(display, points[i], sizes[i], bf_Black);
  }
  PopPen(display);
  PopBrush(display);
  attribs.SetWidth(width);
}
