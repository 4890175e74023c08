// The frame every chart-type engine shares: the projection kernel, the chart type and dimension, the value
// ranges taken from the model, the coordinate extents mapped onto the plot box, the box's minimum corner
// and size, the axis colour, and the placing of a point in percent of the box. The axis series, the title
// manager and the text markers read it while they build; the model drives its five pipeline stages.
#ifndef CHART_CF_CHARTENGINE_H
#define CHART_CF_CHARTENGINE_H

#include <array>
#include <cstdint>
#include <memory>

#include "chart/bf_color.h"
#include "chart/cf_kernel.h"

class cf_3DGridTickSeries;
class cf_3DPoint;
class cf_ChartModel;

class cf_ChartEngine {
 public:
  // Chart type codes; 0 is no type.
  static constexpr int32_t kArea = 1;
  static constexpr int32_t kBar = 2;  // horizontal bars
  static constexpr int32_t kCol = 3;  // columns
  static constexpr int32_t kLine = 4;
  static constexpr int32_t kPie = 5;
  static constexpr int32_t kPointSer = 6;
  static constexpr int32_t kRibbon = 7;
  static constexpr int32_t kStack = 8;
  static constexpr int32_t kXPie = 9;  // exploded pie
  // Dimension codes.
  static constexpr int32_t k2D = 1;
  static constexpr int32_t k3D = 2;
  // The seven axes, numbered as their grid and tick series number themselves.
  static constexpr std::size_t kAxisCount = 7;

  // Makes the kernel over a box of 100 x 100 x 100 and takes the box's minimum corner and size from it.
  cf_ChartEngine(int32_t chartType, int32_t dimension);
  cf_ChartEngine(const cf_ChartEngine&) = delete;
  cf_ChartEngine& operator=(const cf_ChartEngine&) = delete;
  virtual ~cf_ChartEngine();

  // The pipeline: model to objects, data to box coordinates, box to projected coordinates, projected to
  // screen coordinates, and viewport-relative sizes.
  virtual void BuildObjects(cf_ChartModel& model) = 0;
  virtual void PlaceObjects() = 0;
  virtual void ProjectObjects() = 0;
  virtual void ObjectsToScreen() = 0;
  virtual void FitObjects() = 0;

  cf_Kernel& GetKernel() { return *kernel; }
  const cf_Kernel& GetKernel() const { return *kernel; }
  int32_t ChartType() const { return chartType; }
  int32_t Dimension() const { return dimension; }
  // Bars, columns and stacks.
  bool IsBarType() const { return chartType == kBar || chartType == kCol || chartType == kStack; }
  bool IsPieType() const { return chartType == kPie || chartType == kXPie; }
  bool IsCartesianType() const;
  bf_Color AxisColor() const { return axisColor; }

  double RangeMinX() const { return rangeMin[0]; }
  double RangeMaxX() const { return rangeMax[0]; }
  double RangeMinY() const { return rangeMin[1]; }
  double RangeMaxY() const { return rangeMax[1]; }
  double RangeMinZ() const { return rangeMin[2]; }
  double RangeMaxZ() const { return rangeMax[2]; }
  double ExtentMinX() const { return extentMin[0]; }
  double ExtentMaxX() const { return extentMax[0]; }
  double ExtentMinY() const { return extentMin[1]; }
  double ExtentMaxY() const { return extentMax[1]; }
  double ExtentMinZ() const { return extentMin[2]; }
  double ExtentMaxZ() const { return extentMax[2]; }
  // The box's minimum corner; a polar engine keeps the centre of its floor here.
  double BoxMinX() const { return boxMin[0]; }
  double BoxMinY() const { return boxMin[1]; }
  double BoxMinZ() const { return boxMin[2]; }

  // Axis 1 back-face X, 2 bottom-face X, 3 back-face Y, 4 left-face Y, 5 bottom-face Z, 6 left-face Z,
  // 7 polar floor; null for any other number and before the engine made its axes.
  cf_3DGridTickSeries* GetAxis(uint32_t number) const;

  // Sets the point to (px, py, pz) percent of the box's maximum corner (so 0 is the box's centre and 100
  // its maximum corner), shifts it by minus the box's minimum corner when asked, and projects it. Answers
  // 0 without a point.
  int PlaceAtPercent(cf_3DPoint* point, double px, double py, double pz, bool translate) const;

 protected:
  using Triple = std::array<double, 3>;

  std::unique_ptr<cf_Kernel> kernel;
  int32_t chartType;
  int32_t dimension;
  bf_Color axisColor = bf_Black;
  Triple boxSize{};
  Triple boxMin{};
  Triple rangeMin{};
  Triple rangeMax{};
  Triple extentMin{};
  Triple extentMax{};
  // The engine's axis series by number less one; the engine that makes them owns them.
  std::array<cf_3DGridTickSeries*, kAxisCount> axes{};
};

#endif
