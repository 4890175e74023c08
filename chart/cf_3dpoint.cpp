#include "chart/cf_3dpoint.h"

#include <algorithm>
#include <cmath>

#include "chart/bf_display.h"
#include "chart/cf_kernel.h"

namespace {

// Share of the back face's smaller side per unit of relative marker size.
constexpr double kRelativeMarkerUnit = 0.005;

}  // namespace

void cf_3DPoint::FitToViewport(const cf_Kernel& kernel) {
  if (!relativeSizing) {
    return;
  }
  const cf_2DRect& face = kernel.BackFaceRect();
  const double smaller = std::min(face.Width(), face.Height());
  const double size = relativeMarkerSize * smaller * kRelativeMarkerUnit;
  markerSize =
      std::isfinite(size) && std::abs(size) < cf_Kernel::kScreenLimit ? static_cast<int32_t>(size) : 0;
  SetFitted(true);
}

void cf_3DPoint::Project(const cf_Kernel& kernel) {
  projected = box;
  if (!flat) {
    kernel.Project(&projected.x, &projected.y, &projected.z, 1);
  }
}

void cf_3DPoint::ToScreen(const cf_Kernel& kernel) {
  kernel.ToScreen(&projected.x, &projected.y, &screen, 1);
  SetFitted(true);
}

void cf_3DPoint::Scale(double sx, double sy, double sz) {
  box.x *= sx;
  box.y *= sy;
  box.z *= sz;
}

void cf_3DPoint::Translate(double dx, double dy, double dz) {
  box.x += dx;
  box.y += dy;
  box.z += dz;
}

void cf_3DPoint::DrawMarker(bf_Display& display, int32_t radius) {
  if (!Shown()) {
    return;
  }
  const bool pushedPen = HasDispAttribs() && PushPen(display);
  const bool pushedBrush = HasDispAttribs() && PushBrush(display);
  DrawMarkerAt(display, screen, radius, HasDispAttribs() ? DispAttribsOrNull()->ForeColor() : bf_Black);
  if (pushedBrush) {
    PopBrush(display);
  }
  if (pushedPen) {
    PopPen(display);
  }
}

void cf_3DPoint::DrawMarkerAt(bf_Display& display, const cf_2DPoint& centre, int32_t radius, bf_Color color) {
  display.DrawCircle(centre, radius);
  display.SetPixel(centre, color);
}

void cf_3DPoint::SetRelativeSizing(bool on) {
  relativeSizing = on;
  if (!on) {
    markerSize = kDefaultMarkerSize;
  }
}

void cf_3DPoint::SetRelativeMarkerSize(double share) {
  relativeMarkerSize = share;
  relativeSizing = true;
}
