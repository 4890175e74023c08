// The base of every chart-type engine: the scene of one chart (the projection kernel, the plot box's three
// walls, the seven axis series, the titles and text markers, a background bitmap and the lists of drawn
// objects), the value ranges taken from the model and the coordinate extents mapped onto the box. A
// concrete engine turns the model's series into objects; the base places them in the box, projects them,
// maps them to the screen and draws them. Stale flags make each stage run only when its input changed.
#ifndef CHART_CF_CHARTENGINE_H
#define CHART_CF_CHARTENGINE_H

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/bf_color.h"
#include "chart/cf_2drect.h"
#include "chart/cf_3dpolygon.h"
#include "chart/cf_kernel.h"
#include "chart/cf_string.h"

class bf_Display;
class cf_3DBitmap;
class cf_3DGridTickSeries;
class cf_3DPoint;
class cf_3DTextMarkerSeries;
class cf_ChartModel;
class cf_DispAttribs;
class cf_TitleMarkerMgr;
class cf_Virt3DObj;

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

  // A kernel over a box of 100 x 100 x 100, the walls on its faces, the seven axis series (hidden, styled
  // by chart type), no objects yet.
  cf_ChartEngine(int32_t chartType, int32_t dimension);
  cf_ChartEngine(const cf_ChartEngine&) = delete;
  cf_ChartEngine& operator=(const cf_ChartEngine&) = delete;
  virtual ~cf_ChartEngine();

  // The pipeline: model to objects, data to box coordinates, box to projected coordinates, projected to
  // screen coordinates, and viewport-relative sizes.
  // The base build empties the series and extra lists, takes the ranges and extents and rebuilds the
  // titles and text markers; a concrete engine adds its objects after it.
  virtual void BuildObjects(cf_ChartModel& model);
  // Maps the data extents onto the box.
  virtual void PlaceObjects();
  virtual void ProjectObjects();
  // Fits the kernel to the display, each axis title clear of its labels, and the plot narrowed so that
  // every tick label and axis title lies inside the display's region; where it cannot give them room,
  // the titles and labels that would not read are left out.
  void FitToDisplay(bf_Display& display);
  // Nothing until the kernel has been fitted to a display.
  virtual void ObjectsToScreen();
  virtual void FitObjects();
  // Brings the projection and the screen positions up to date for the display, then draws the walls and
  // the objects.
  virtual void Draw(bf_Display& display);
  // The flat pass: the visible walls (outlined in outline mode).
  virtual void DrawWalls(bf_Display& display);
  // The 3-D pass: the walls, then the bitmap when it is shown and has a file.
  virtual void DrawBackground(bf_Display& display);
  // 1 the flat front view (the 3-D view is kept), 2 the kept 3-D view; answers 0 for anything else.
  virtual int ApplyDimension(int32_t d);

  // ---- Objects ----
  // Each moves the object by the box's minimum corner and appends it to its list, which owns it.
  void AddAxisObject(std::unique_ptr<cf_Virt3DObj> object);
  void AddExtraObject(std::unique_ptr<cf_Virt3DObj> object);
  void AddSeriesObject(std::unique_ptr<cf_Virt3DObj> object);
  void AddOverlayObject(std::unique_ptr<cf_Virt3DObj> object);
  using ObjectList = std::vector<std::unique_ptr<cf_Virt3DObj>>;
  const ObjectList& AxisObjects() const { return axisObjects; }
  const ObjectList& ExtraObjects() const { return extraObjects; }
  const ObjectList& SeriesObjects() const { return seriesObjects; }
  const ObjectList& OverlayObjects() const { return overlayObjects; }
  // Made over this engine on first use.
  cf_TitleMarkerMgr& GetTitleManager();
  cf_3DTextMarkerSeries& GetTextMarkers();

  // ---- View ----
  int SetDimension(int32_t d);
  // Elevation held to 0..90, azimuth to -90..0; answers 0 when a value was held.
  int SetViewAngles(double elevation, double azimuth);
  // Held to 0..100; answers 0 when it was held.
  int SetPerspective(double percent);
  int SetPerspectiveFull();
  int SetPerspectiveHalf();
  int SetPerspectiveNone();
  // Height and depth in percent of the box's width. A proportion at or below 0 would flatten the box to
  // nothing and is held at kMinBoxPercent (answering 0).
  int SetBoxProportions(double heightPercent, double depthPercent);
  int SetBoxHeight(double heightPercent) { return SetBoxProportions(heightPercent, BoxDepthPercent()); }
  double BoxHeightPercent() const { return heightFraction * 100; }
  double BoxDepthPercent() const { return depthFraction * 100; }
  // Held to 0..100; answers 0 when it was held.
  int SetBarWidth(double percent);
  double BarWidthPercent() const { return barWidth * 100; }
  double BarWidth() const { return barWidth; }
  static constexpr double kMinBoxPercent = 1;

  // ---- Walls and drawing switches ----
  // 1 the floor's, 2 the left wall's, any other the back wall's.
  cf_DispAttribs& GetWallAttribs(int32_t n);
  // The walls' fill colours, and the fore colour that all three share (the back wall's answers for them).
  void SetBackColor(bf_Color color);
  bf_Color BackColor() const;
  void SetLeftWallColor(bf_Color color);
  bf_Color LeftWallColor() const;
  void SetFloorColor(bf_Color color);
  bf_Color FloorColor() const;
  void SetWallForeColor(bf_Color color);
  bf_Color WallForeColor() const;
  void SetAxisColor(bf_Color color);
  void ShowBackWall(bool on) { showBackWall = on; }
  void ShowLeftWall(bool on) { showLeftWall = on; }
  void ShowFloor(bool on) { showFloor = on; }
  bool IsBackWallShown() const { return showBackWall; }
  bool IsLeftWallShown() const { return showLeftWall; }
  bool IsFloorShown() const { return showFloor; }
  void ShowBitmap(bool on) { showBitmap = on; }
  bool IsBitmapShown() const { return showBitmap; }
  cf_3DBitmap& GetBitmap() { return *bitmap; }
  // The file of the picture on the left face.
  void SetBitmapFile(const ZafIChar* name);
  const cf_String& BitmapFile() const;
  bool HasBitmapFile() const;
  void SetOutlineMode(bool on) { outlineMode = on; }
  bool OutlineMode() const { return outlineMode; }
  void SetDrawPlotFrame(bool on) { drawPlotFrame = on; }
  bool DrawPlotFrame() const { return drawPlotFrame; }

  // Puts another kernel under the scene; the bitmap follows it. The old kernel is deleted when `deleteOld`
  // is set and the engine owned it; an owned one kept becomes the caller's to delete (it holds it from
  // GetKernel), and the kernel given is never deleted as the old one. The engine owns the new kernel when
  // `owns` is set. A null kernel changes nothing and answers 0.
  int SetKernel(cf_Kernel* newKernel, bool deleteOld, bool owns);
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

  // Shows and styles the axes the engine's type draws; the base shows none.
  virtual void CreateAxes() {}
  // The value ranges of the axes by chart type, from the model.
  virtual void SetRanges(cf_ChartModel& model);
  // The coordinate extents that the place stage maps onto the box: the box itself.
  virtual void GetBoxExtents();
  // Generates the tick items of the visible axes.
  void BuildAxes(cf_ChartModel& model);
  // Two hidden points at the range's two corners, so that the box reaches the whole range.
  void AddExtentPoints();
  void MarkAllStale() { fitStale = projectStale = screenStale = true; }
  // Moves every placed object when the kernel's minimum corner moved.
  virtual void SyncBoxDims();
  // Scales the walls with the kernel's box.
  virtual void RescaleWalls();
  // Maps the data extents of the series and extra objects onto the box.
  virtual void ScaleAndTranslateObjects();

  // The kernel when the engine owns it (first, so that `kernel` can start from it); `kernel` is never null.
  std::unique_ptr<cf_Kernel> ownedKernel;
  cf_Kernel* kernel;
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
  double barWidth = 1.0;

 private:
  void MakeAxes();
  void MakeWalls();
  void AddTo(ObjectList& list, std::unique_ptr<cf_Virt3DObj> object);
  std::array<cf_3DPolygon*, 3> Walls() { return {&leftWall, &backWall, &floor}; }
  template <typename Visit>
  void ForEachObject(Visit visit);

  cf_3DPolygon backWall;
  cf_3DPolygon leftWall;
  cf_3DPolygon floor;
  std::unique_ptr<cf_DispAttribs> backWallAttribs;
  std::unique_ptr<cf_DispAttribs> leftWallAttribs;
  std::unique_ptr<cf_DispAttribs> floorAttribs;
  bool showBackWall = true;
  bool showLeftWall = true;
  bool showFloor = true;
  std::unique_ptr<cf_3DBitmap> bitmap;
  bool showBitmap = false;
  cf_TitleMarkerMgr* titleManager = nullptr;
  cf_3DTextMarkerSeries* textMarkers = nullptr;
  ObjectList axisObjects;
  ObjectList extraObjects;
  ObjectList seriesObjects;
  ObjectList overlayObjects;
  double heightFraction = 1.0;
  double depthFraction = 1.0;
  Triple scale{1, 1, 1};
  Triple offset{};
  bool drawnOnce = false;
  bool fitStale = true;
  bool projectStale = true;
  bool screenStale = true;
  // The plot rectangle the screen positions were last mapped into.
  cf_2DRect mappedPlotRect;
  bool outlineMode = false;
  bool drawPlotFrame = false;
  double savedElevation = 0;
  double savedAzimuth = 0;
  double savedPerspective = 0;
};

#endif
