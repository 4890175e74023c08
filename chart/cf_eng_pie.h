// The pie engines: one slice per data series, sized by the series' share of the sum of all magnitudes.
// The flat and the raised pie draw their slices straight on the drawing context from boundary points (one
// per series, where its slice ends, in its colours); the exploded pie builds a solid wedge per series.
#ifndef CHART_CF_ENG_PIE_H
#define CHART_CF_ENG_PIE_H

#include <vector>

#include "chart/cf_eng_polar.h"

class cf_DataGroup;

// Where one series' slice ends: a point on the rim in the series' colours, and the cumulative share.
struct cf_PieBoundary {
  cf_3DPoint* point;
  double share;
};

// The top of a pie with height: its thickness as a fraction of the box height, and the top disc.
struct cf_PieTop {
  // Puts the top disc over the floor centre (x, y, z) at the thickness times the box height.
  void Place(const cf_Kernel& kernel, double x, double y, double z, double boxHeight);

  double thickness = 1.0;
  double height = 0;
  cf_PolarDisc disc;
};

class cf_eng_Pie2D : public cf_eng_Polar {
 public:
  // Seen straight down, without walls.
  cf_eng_Pie2D();

  // A boundary point on the floor for each series.
  void BuildObjects(cf_ChartModel& model) override;
  // The floor ellipse, the slices on it, then the overlays.
  void DrawBackground(bf_Display& display) override;
  // Each slice's two radii and its rim arc in black, when on.
  void SetSliceEdges(uint8_t radialLines, uint8_t rimArc);

  const std::vector<cf_PieBoundary>& FloorBoundaries() const { return floorBoundaries; }
  // Each series' cumulative share in percent, in series order: all 0 when the magnitudes add up to
  // nothing.
  static std::vector<double> CumulativeShares(cf_ChartModel& model);
  // The radius of the pie in the box.
  double Radius() const { return kernel->MaxX() - 0.1; }
  // The point at the share's angle on a circle of the radius, at the height.
  static cf_3DPoint OnRim(double radius, double share, double y);

 protected:
  // Keeps the boundary points on the floor.
  void RescaleWalls() override;
  // The slice that ends at boundary `to` (from 1), from the boundary before it; an empty slice draws
  // nothing.
  virtual void DrawSlice(const cf_2DRect& rect, std::size_t from, std::size_t to, bf_Display& display);
  // The floor: the polar background and the slices.
  void DrawFloor(bf_Display& display);
  // Whether the slice between the two boundaries covers nothing.
  static bool IsEmptySlice(const std::vector<cf_PieBoundary>& boundaries, std::size_t to);
  // Adds a boundary point per series to the list, on the rim at the height, through `add`.
  template <typename Add>
  static void AddBoundaries(cf_ChartModel& model, double radius, double y, std::vector<cf_PieBoundary>& list,
                            Add add);

  std::vector<cf_PieBoundary> floorBoundaries;
  uint8_t radialLines = 0;
  uint8_t rimArc = 0;
};

// A pie with height: the top disc over the floor at a thickness of the box height.
class cf_eng_ThickPie : public cf_eng_Pie2D {
 public:
  // Full thickness.
  cf_eng_ThickPie();

  void ProjectObjects() override;
  void ObjectsToScreen() override;
  // In percent of the box height; takes effect at once.
  void SetThickness(double percent);
  double PieHeight() const { return top.height; }
  const cf_PolarDisc& Top() const { return top.disc; }

 protected:
  void RescaleWalls() override;

  cf_PieTop top;
};

class cf_eng_Pie3D : public cf_eng_ThickPie {
 public:
  cf_eng_Pie3D();

  // Also a boundary point on the top for each series.
  void BuildObjects(cf_ChartModel& model) override;
  // The floor, the band round the side and the slices on the top, then the overlays.
  void DrawBackground(bf_Display& display) override;
  const std::vector<cf_PieBoundary>& TopBoundaries() const { return topBoundaries; }

 protected:
  // Also keeps the top boundary points on the top.
  void RescaleWalls() override;
  void DrawSlice(const cf_2DRect& rect, std::size_t from, std::size_t to, bf_Display& display) override;

 private:
  void DrawBand(bf_Display& display, const cf_2DRect& rect);
  // The quadrilateral in the fill colour with its two upright edges and its arc in the outline colour.
  void DrawSide(bf_Display& display, cf_DispAttribs& attribs, const cf_2DRect& rect,
                const std::array<cf_2DPoint, 4>& corners, bool arc);

  std::vector<cf_PieBoundary> topBoundaries;
};

// Always seen in 3-D: a solid wedge per series, pushed out from the centre by a tenth of the radius.
class cf_eng_XPie2D3D : public cf_eng_ThickPie {
 public:
  cf_eng_XPie2D3D();

  void BuildObjects(cf_ChartModel& model) override;
  // The wedges in their order, then the overlays.
  void DrawBackground(bf_Display& display) override;
};

#endif
