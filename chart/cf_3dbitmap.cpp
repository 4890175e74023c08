#include "chart/cf_3dbitmap.h"

#include <array>

#include "chart/bf_display.h"
#include "chart/cf_kernel.h"

void cf_3DBitmap::DrawSecondary(bf_Display& display) {
  if (!HasFile() || !itsKernel) {
    return;
  }
  cf_Kernel::FaceCorners x;
  cf_Kernel::FaceCorners y;
  cf_Kernel::FaceCorners z;
  itsKernel->GetLeftFaceCorners(x, y, z);
  itsKernel->Project(x.data(), y.data(), z.data(), static_cast<int32_t>(x.size()));
  // The face's four corners and the first again close the outline.
  std::array<cf_2DPoint, 5> outline;
  itsKernel->ToScreen(x.data(), y.data(), outline.data(), static_cast<int32_t>(x.size()));
  outline[4] = outline[0];
  PushPen(display);
  display.DrawPolyline(outline.data(), static_cast<int32_t>(outline.size()));
  PopPen(display);
}
