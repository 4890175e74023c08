#include "chart/cf_eng_polar.h"

#include "chart/bf_display.h"

namespace {

constexpr double kElevation = 30;
constexpr double kHeightPercent = 5;
constexpr double kDepthPercent = 100;

}  // namespace

void cf_PolarDisc::Place(const cf_Kernel& kernel, double x, double y, double z) {
  centre.Set(x, y, z);
  rim[kRight].Set(kernel.MaxX(), y, z);
  rim[kLeft].Set(kernel.MinX(), y, z);
  rim[kFront].Set(x, y, kernel.MaxZ());
  rim[kBack].Set(x, y, kernel.MinZ());
  level = rim;
}

void cf_PolarDisc::Project(const cf_Kernel& kernel) {
  centre.Project(kernel);
  for (cf_3DPoint& point : rim) {
    point.Project(kernel);
  }
  const cf_Kernel levelled = kernel.Levelled();
  for (cf_3DPoint& point : level) {
    point.Project(levelled);
  }
}

void cf_PolarDisc::ToScreen(const cf_Kernel& kernel) {
  for (cf_3DPoint& point : level) {
    point.ToScreen(kernel);
  }
  centre.ToScreen(kernel);
  for (cf_3DPoint& point : rim) {
    point.ToScreen(kernel);
  }
}

cf_2DRect cf_PolarDisc::ScreenRect() const {
  cf_2DPoint low = level[0].GetScreenPoint();
  cf_2DPoint high = low;
  for (const cf_3DPoint& point : level) {
    low = low.Min(point.GetScreenPoint());
    high = high.Max(point.GetScreenPoint());
  }
  high = high.Max(rim[kRight].GetScreenPoint()).Max(rim[kFront].GetScreenPoint());
  return {low, high};
}

cf_eng_Polar::cf_eng_Polar(int32_t chartType, int32_t dimension) : cf_ChartEngine(chartType, dimension) {
  SetViewAngles(kElevation, 0);
  SetPerspectiveNone();
  SetBoxProportions(kHeightPercent, kDepthPercent);
  SyncBoxDims();
}

void cf_eng_Polar::SyncBoxDims() {
  boxMin = {0, kernel->MinY(), 0};
}

void cf_eng_Polar::RescaleWalls() {
  cf_ChartEngine::RescaleWalls();
  if (boxSize[0] != boxSize[2]) {
    kernel->SetBoxDims(boxSize[0], boxSize[1], boxSize[0]);
    cf_ChartEngine::RescaleWalls();
  }
  floorDisc.Place(*kernel, boxMin[0], boxMin[1], boxMin[2]);
}

void cf_eng_Polar::ProjectObjects() {
  cf_ChartEngine::ProjectObjects();
  floorDisc.Project(*kernel);
}

void cf_eng_Polar::ObjectsToScreen() {
  cf_ChartEngine::ObjectsToScreen();
  if (kernel->IsProjMatrixCurrent()) {
    floorDisc.ToScreen(*kernel);
  }
}

int cf_eng_Polar::ApplyDimension(int32_t d) {
  const int applied = cf_ChartEngine::ApplyDimension(d);
  if (d == k2D) {
    kernel->SetRotation(90, 0);
  }
  return applied;
}

void cf_eng_Polar::DrawAxes(bf_Display& display) {
  for (const std::unique_ptr<cf_Virt3DObj>& object : AxisObjects()) {
    object->DrawSecondary(display);
  }
}

void cf_eng_Polar::DrawOverlays(bf_Display& display) {
  for (const std::unique_ptr<cf_Virt3DObj>& object : OverlayObjects()) {
    object->DrawSecondary(display);
  }
}

void cf_eng_Polar::DrawBackground(bf_Display& display) {
  cf_ChartEngine::DrawBackground(display);
  const cf_2DRect rect = floorDisc.ScreenRect();
  display.DrawEllipse({rect.left, rect.top}, {rect.right, rect.bottom});
  DrawAxes(display);
}
