// The base of the pie engines: the plot box becomes a flat disc seen from above at an angle. The box has a
// square floor, its origin is the centre of the floor, and the engine knows where the floor disc's rim lies
// on the screen, so that it can draw the floor ellipse. It scales no objects: the pies place their own.
#ifndef CHART_CF_ENG_POLAR_H
#define CHART_CF_ENG_POLAR_H

#include <array>

#include "chart/cf_3dpoint.h"
#include "chart/cf_chartengine.h"

// A level disc about the box's vertical axis: its centre and its rim to the right, left, front and back,
// projected in the chart's view and also seen level (azimuth 0), where the rim is an upright ellipse.
struct cf_PolarDisc {
  enum Side { kRight, kLeft, kFront, kBack };
  // The centre at (x, y, z), the rim at the kernel's box extents in x and z.
  void Place(const cf_Kernel& kernel, double x, double y, double z);
  void Project(const cf_Kernel& kernel);
  void ToScreen(const cf_Kernel& kernel);
  // The disc's ellipse on the screen: from the least of the level rim points to the greatest of them and of
  // the right and front rim points.
  cf_2DRect ScreenRect() const;

  cf_3DPoint centre;
  std::array<cf_3DPoint, 4> rim;
  std::array<cf_3DPoint, 4> level;
};

class cf_eng_Polar : public cf_ChartEngine {
 public:
  // Elevation 30, azimuth 0, no perspective, a box 5 percent as high as it is wide and as deep as wide.
  cf_eng_Polar(int32_t chartType, int32_t dimension);

  void ProjectObjects() override;
  void ObjectsToScreen() override;
  void DrawWalls(bf_Display& display) override { DrawBackground(display); }
  // The walls, the floor ellipse and the axes.
  void DrawBackground(bf_Display& display) override;
  // Seen straight down in 2-D.
  int ApplyDimension(int32_t d) override;

  const cf_PolarDisc& Floor() const { return floorDisc; }

 protected:
  // Keeps the floor square and the rim on it.
  void RescaleWalls() override;
  // The box minimum is the centre of the floor; no object moves.
  void SyncBoxDims() override;
  void ScaleAndTranslateObjects() override {}
  // The axis objects, then the overlays.
  void DrawAxes(bf_Display& display);
  void DrawOverlays(bf_Display& display);

 private:
  cf_PolarDisc floorDisc;
};

#endif
