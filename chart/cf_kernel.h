// The chart's projection: a plot box centred on the origin, seen at an elevation and azimuth with an
// optional perspective, fitted into the window less its margins. The geometry matrix takes box coordinates
// to projected ones (row vectors: [x y z 1] x G = [X Y depth W]); the projection matrix takes projected x
// and y to screen pixels (y down). Screen coordinates are truncated toward zero.
#ifndef CHART_CF_KERNEL_H
#define CHART_CF_KERNEL_H

#include <array>
#include <cstdint>

#include "chart/cf_2dpoint.h"
#include "chart/cf_2drect.h"

class bf_Display;

class cf_Kernel {
 public:
  using Matrix4x4 = std::array<std::array<double, 4>, 4>;
  using Matrix4x2 = std::array<std::array<double, 2>, 4>;
  using Corners = std::array<double, 8>;
  using FaceCorners = std::array<double, 4>;

  // A magnitude below this never divides.
  static constexpr double kZeroIfBelow = 0.001;
  // Screen coordinates are held to +-kScreenLimit, far beyond any display, so that sums of their squares
  // fit in 64 bits.
  static constexpr int32_t kScreenLimit = (1 << 30) - 1;

  // Box dimensions; rotation (20, -45), no perspective, margins left 10, right 10, top 15, bottom 10.
  cf_Kernel(double dx, double dy, double dz);

  // Each rebuilds the geometry matrix at once and marks the kernel changed.
  void SetBoxDims(double dx, double dy, double dz);
  // Elevation held to 0..90 and azimuth to -90..0 degrees.
  void SetRotation(double elevation, double azimuth);
  // At most 100; 0 is a parallel projection.
  void SetPerspective(double value);
  // Percent of the window; each only marks the projection matrix stale until the next FitToDisplay.
  void SetTopMargin(double percent);
  void SetBottomMargin(double percent);
  void SetLeftMargin(double percent);
  void SetRightMargin(double percent);
  // 0: one scale for x and y, the box keeps its aspect; otherwise each axis fills the plot rectangle.
  void SetStretch(uint8_t on);

  // A copy seen from the same elevation with azimuth 0: a level disc projects to an upright ellipse.
  cf_Kernel Levelled() const;
  // Rebuilds a stale geometry matrix and clears the changed flag.
  void Update();
  // Fits the projected box into the display's window less the margins.
  void FitToDisplay(const bf_Display& display);
  // Moves each side of the plot rectangle inwards by the pixels `by` holds for it (left, top, right,
  // bottom) and fits the box into what is left.
  void NarrowPlot(const cf_2DRect& by);
  // Projects n box points in place: x and y divided by W when |W| > kZeroIfBelow, depth never.
  void Project(double* x, double* y, double* z, int32_t n) const;
  // The same from one set of arrays into another.
  void Project(const double* bx, const double* by, const double* bz, double* x, double* y, double* z,
               int32_t n) const;
  // Screen points of n projected points.
  void ToScreen(const double* x, const double* y, cf_2DPoint* points, int32_t n) const;
  // Where a projected point falls on the screen before ToScreen rounds it to a pixel.
  struct ExactPoint {
    double x, y;
  };
  ExactPoint ToExactScreen(double x, double y) const {
    return {proj[0][0] * x + proj[3][0], proj[1][1] * y + proj[3][1]};
  }

  // Asked only while current; a stale matrix is reported to the log.
  const Matrix4x4& GeomMatrix() const;
  const Matrix4x2& ProjMatrix() const;

  double Elevation() const { return elevation; }
  double Azimuth() const { return azimuth; }
  double Roll() const { return roll; }
  double Perspective() const { return perspective; }
  double TopMargin() const { return topMargin; }
  double BottomMargin() const { return bottomMargin; }
  double LeftMargin() const { return leftMargin; }
  double RightMargin() const { return rightMargin; }
  uint8_t Stretch() const { return stretch; }
  bool IsChanged() const { return changed; }
  bool IsProjMatrixCurrent() const { return projMatrixCurrent; }
  double MinX() const { return -half[0]; }
  double MaxX() const { return half[0]; }
  double MinY() const { return -half[1]; }
  double MaxY() const { return half[1]; }
  double MinZ() const { return -half[2]; }
  double MaxZ() const { return half[2]; }
  double ExtentX() const { return 2 * half[0]; }
  double ExtentY() const { return 2 * half[1]; }
  double ExtentZ() const { return 2 * half[2]; }
  double EyeX() const { return eye[0]; }
  double EyeY() const { return eye[1]; }
  double EyeZ() const { return eye[2]; }
  void GetEyePoint(double& x, double& y, double& z) const;
  // Box corner 3 (-x, -y, -z) and corner 4 (-x, +y, +z).
  void GetMinCorner(double& x, double& y, double& z) const;
  void GetLeftTopFrontCorner(double& x, double& y, double& z) const;

  const cf_2DRect& WindowRect() const { return windowRect; }
  const cf_2DRect& PlotRect() const { return plotRect; }
  // Width and height only, from (0, 0).
  const cf_2DRect& LeftFaceRect() const { return leftFaceRect; }
  const cf_2DRect& BackFaceRect() const { return backFaceRect; }
  const cf_2DRect& FloorRect() const { return floorRect; }

  // Corners 0-3 lie on the floor (y = min): (-x, +z), (+x, +z), (+x, -z), (-x, -z); corners 4-7 are the
  // same above it.
  void GetBoxCorners(Corners& x, Corners& y, Corners& z) const;
  // Floor 0 1 2 3; back face 3 2 6 7; left face 0 3 7 4.
  void GetFloorCorners(FaceCorners& x, FaceCorners& y, FaceCorners& z) const;
  void GetBackFaceCorners(FaceCorners& x, FaceCorners& y, FaceCorners& z) const;
  void GetLeftFaceCorners(FaceCorners& x, FaceCorners& y, FaceCorners& z) const;
  const std::array<cf_2DPoint, 8>& ScreenCorners() const { return screenCorners; }

 private:
  using Face = std::array<int, 4>;

  void Rebuild();
  void BuildProjMatrix();
  // Fits the projected box into the plot rectangle.
  void FitToPlot();
  void GetCorner(std::size_t corner, double& x, double& y, double& z) const;
  void GetFaceCorners(const Face& face, FaceCorners& x, FaceCorners& y, FaceCorners& z) const;
  // (0, 0, W, H): the longer of each pair of opposite sides of the projected face, in pixels.
  cf_2DRect FaceExtent(const Face& face) const;

  bool changed = false;
  bool geomMatrixCurrent = false;
  bool projMatrixCurrent = false;
  double elevation = 0;
  double azimuth = 0;
  double roll = 0;
  double perspective = 0;
  double leftMargin = 10;
  double rightMargin = 10;
  double topMargin = 15;
  double bottomMargin = 10;
  uint8_t stretch = 0;
  cf_2DRect windowRect;
  cf_2DRect plotRect;
  cf_2DRect leftFaceRect;
  cf_2DRect backFaceRect;
  cf_2DRect floorRect;
  Matrix4x4 geom{};
  Matrix4x2 proj{};
  // Half the box dimensions.
  std::array<double, 3> half{};
  Corners boxX{}, boxY{}, boxZ{};
  Corners projX{}, projY{}, projZ{};
  std::array<cf_2DPoint, 8> screenCorners{};
  std::array<double, 3> eye{};
};

#endif
