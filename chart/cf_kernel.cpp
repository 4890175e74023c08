#include "chart/cf_kernel.h"

#include <algorithm>
#include <cmath>

#include "chart/bf_display.h"
#include "chart/cf_assert.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292;
constexpr const char* kSource = "C1_KERNL";

// Sign of each corner's x, y and z half dimension.
constexpr std::array<std::array<int, 3>, 8> kCornerSigns{{
    {-1, -1, +1},
    {+1, -1, +1},
    {+1, -1, -1},
    {-1, -1, -1},
    {-1, +1, +1},
    {+1, +1, +1},
    {+1, +1, -1},
    {-1, +1, -1},
}};

constexpr std::array<int, 4> kFloor{0, 1, 2, 3};
constexpr std::array<int, 4> kBackFace{3, 2, 6, 7};
constexpr std::array<int, 4> kLeftFace{0, 3, 7, 4};

// Truncation toward zero, held to the screen limit; not-a-number gives 0.
int32_t ScreenCoordinate(double value) {
  if (!(value == value)) {
    return 0;
  }
  const double limit = cf_Kernel::kScreenLimit;
  return static_cast<int32_t>(std::clamp(value, -limit, limit));
}

int64_t SideLength(const cf_2DPoint& a, const cf_2DPoint& b) {
  const int64_t dx = static_cast<int64_t>(b.x) - a.x;
  const int64_t dy = static_cast<int64_t>(b.y) - a.y;
  return static_cast<int64_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

}  // namespace

cf_Kernel::cf_Kernel(double dx, double dy, double dz) {
  SetBoxDims(dx, dy, dz);
  SetRotation(20, -45);
  SetPerspective(0);
  Rebuild();
}

void cf_Kernel::SetBoxDims(double dx, double dy, double dz) {
  half = {0.5 * dx, 0.5 * dy, 0.5 * dz};
  for (std::size_t i = 0; i < kCornerSigns.size(); ++i) {
    boxX[i] = kCornerSigns[i][0] * half[0];
    boxY[i] = kCornerSigns[i][1] * half[1];
    boxZ[i] = kCornerSigns[i][2] * half[2];
  }
  changed = true;
  geomMatrixCurrent = false;
  Rebuild();
}

void cf_Kernel::SetRotation(double newElevation, double newAzimuth) {
  elevation = std::clamp(newElevation, 0.0, 90.0);
  azimuth = std::clamp(newAzimuth, -90.0, 0.0);
  roll = 0;
  changed = true;
  geomMatrixCurrent = false;
  Rebuild();
}

void cf_Kernel::SetPerspective(double value) {
  perspective = std::min(value, 100.0);
  changed = true;
  geomMatrixCurrent = false;
  Rebuild();
}

void cf_Kernel::SetTopMargin(double percent) {
  topMargin = percent;
  projMatrixCurrent = false;
}

void cf_Kernel::SetBottomMargin(double percent) {
  bottomMargin = percent;
  projMatrixCurrent = false;
}

void cf_Kernel::SetLeftMargin(double percent) {
  leftMargin = percent;
  projMatrixCurrent = false;
}

void cf_Kernel::SetRightMargin(double percent) {
  rightMargin = percent;
  projMatrixCurrent = false;
}

void cf_Kernel::SetStretch(uint8_t on) {
  stretch = on;
  projMatrixCurrent = false;
}

void cf_Kernel::Update() {
  if (!geomMatrixCurrent) {
    Rebuild();
  }
  changed = false;
}

cf_Kernel cf_Kernel::Levelled() const {
  cf_Kernel levelled(*this);
  levelled.SetRotation(elevation, 0);
  return levelled;
}

void cf_Kernel::Rebuild() {
  const double c1 = std::cos(elevation * kRadiansPerDegree);
  const double c2 = std::cos(azimuth * kRadiansPerDegree);
  const double c3 = std::cos(roll * kRadiansPerDegree);
  const double s1 = std::sin(elevation * kRadiansPerDegree);
  const double s2 = std::sin(azimuth * kRadiansPerDegree);
  const double s3 = std::sin(roll * kRadiansPerDegree);
  // The nearest corner's depth sets the perspective's strength.
  double nearest = 0;
  for (std::size_t i = 0; i < boxX.size(); ++i) {
    const double depth = -s2 * c1 * boxX[i] + s1 * boxY[i] + c2 * c1 * boxZ[i];
    if (i == 0 || depth > nearest) {
      nearest = depth;
    }
  }
  const double strength = std::abs(nearest) * 10;
  const double p = strength < kZeroIfBelow ? 0.0 : perspective / strength;
  geom = {{
      {c2 * c3 - s1 * s2 * s3, c2 * s3 + s1 * s2 * c3, -c1 * s2, p * c1 * s2},
      {-c1 * s3, c1 * c3, s1, -p * s1},
      {s2 * c3 + s1 * c2 * s3, s2 * s3 - s1 * c2 * c3, c1 * c2, -p * c1 * c2},
      {0, 0, 0, 1},
  }};
  projX = boxX;
  projY = boxY;
  projZ = boxZ;
  Project(projX.data(), projY.data(), projZ.data(), static_cast<int32_t>(projX.size()));
  eye = {0, 0, 2 * (half[0] + half[1] + half[2])};
  Project(&eye[0], &eye[1], &eye[2], 1);
  geomMatrixCurrent = true;
}

void cf_Kernel::Project(double* x, double* y, double* z, int32_t n) const {
  Project(x, y, z, x, y, z, n);
}

void cf_Kernel::Project(const double* boxX, const double* boxY, const double* boxZ, double* x, double* y,
                        double* z, int32_t n) const {
  const Matrix4x4& g = geom;
  // Without perspective W is 1 for every finite point and not a number for any other, so no point is
  // divided: the plain products give the same positions, in a loop the compiler can vectorise.
  if (g[0][3] == 0 && g[1][3] == 0 && g[2][3] == 0 && g[3][3] == 1) {
    for (int32_t i = 0; i < n; ++i) {
      const double bx = boxX[i];
      const double by = boxY[i];
      const double bz = boxZ[i];
      x[i] = g[0][0] * bx + g[1][0] * by + g[2][0] * bz;
      y[i] = g[0][1] * bx + g[1][1] * by + g[2][1] * bz;
      z[i] = g[0][2] * bx + g[1][2] * by + g[2][2] * bz;
    }
    return;
  }
  for (int32_t i = 0; i < n; ++i) {
    const double bx = boxX[i];
    const double by = boxY[i];
    const double bz = boxZ[i];
    const double px = g[0][0] * bx + g[1][0] * by + g[2][0] * bz;
    const double py = g[0][1] * bx + g[1][1] * by + g[2][1] * bz;
    const double w = g[0][3] * bx + g[1][3] * by + g[2][3] * bz + g[3][3];
    z[i] = g[0][2] * bx + g[1][2] * by + g[2][2] * bz;
    if (std::abs(w) > kZeroIfBelow) {
      x[i] = px / w;
      y[i] = py / w;
    } else {
      x[i] = px;
      y[i] = py;
    }
  }
}

void cf_Kernel::ToScreen(const double* x, const double* y, cf_2DPoint* points, int32_t n) const {
  for (int32_t i = 0; i < n; ++i) {
    const ExactPoint exact = ToExactScreen(x[i], y[i]);
    points[i] = {ScreenCoordinate(exact.x), ScreenCoordinate(exact.y)};
  }
}

void cf_Kernel::FitToDisplay(const bf_Display& display) {
  windowRect = display.GetDrawRegion();
  const double w = windowRect.Width();
  const double h = windowRect.Height();
  plotRect = {windowRect.left + ScreenCoordinate(w * leftMargin * 0.01),
              windowRect.top + ScreenCoordinate(h * topMargin * 0.01),
              windowRect.right - ScreenCoordinate(w * rightMargin * 0.01),
              windowRect.bottom - ScreenCoordinate(h * bottomMargin * 0.01)};
  FitToPlot();
}

void cf_Kernel::NarrowPlot(const cf_2DRect& by) {
  plotRect = {plotRect.left + by.left, plotRect.top + by.top, plotRect.right - by.right,
              plotRect.bottom - by.bottom};
  FitToPlot();
}

void cf_Kernel::FitToPlot() {
  BuildProjMatrix();
  backFaceRect = FaceExtent(kBackFace);
  leftFaceRect = FaceExtent(kLeftFace);
  floorRect = FaceExtent(kFloor);
  projMatrixCurrent = true;
}

void cf_Kernel::BuildProjMatrix() {
  const auto [minX, maxX] = std::minmax_element(projX.begin(), projX.end());
  const auto [minY, maxY] = std::minmax_element(projY.begin(), projY.end());
  const double spanX = std::abs(*maxX - *minX);
  const double spanY = std::abs(*maxY - *minY);
  const double w = std::max(0, plotRect.Width());
  const double h = std::max(0, plotRect.Height());
  // A flat box has no span along an axis: that axis gets no scale of its own and does not limit the other.
  const bool fitsX = spanX >= kZeroIfBelow;
  const bool fitsY = spanY >= kZeroIfBelow;
  double scaleX = fitsX ? w / spanX : 0.0;
  double scaleY = fitsY ? h / spanY : 0.0;
  if (!stretch) {
    if (fitsX && fitsY) {
      scaleX = scaleY = std::min(scaleX, scaleY);
    } else {
      scaleX = scaleY = fitsX ? scaleX : scaleY;
    }
  }
  proj = {{{scaleX, 0}, {0, -scaleY}, {0, 0}, {plotRect.left + 0.5 * w, plotRect.top + 0.5 * h}}};
  ToScreen(projX.data(), projY.data(), screenCorners.data(), static_cast<int32_t>(screenCorners.size()));
}

cf_2DRect cf_Kernel::FaceExtent(const Face& face) const {
  std::array<cf_2DPoint, 4> q;
  for (std::size_t i = 0; i < q.size(); ++i) {
    q[i] = screenCorners[static_cast<std::size_t>(face[i])];
  }
  const int64_t width = std::max(SideLength(q[0], q[1]), SideLength(q[2], q[3]));
  const int64_t height = std::max(SideLength(q[0], q[3]), SideLength(q[1], q[2]));
  return {0, 0, static_cast<int32_t>(std::min<int64_t>(width, INT32_MAX)),
          static_cast<int32_t>(std::min<int64_t>(height, INT32_MAX))};
}

const cf_Kernel::Matrix4x4& cf_Kernel::GeomMatrix() const {
  cf_Assert(geomMatrixCurrent, "bIsGeomMatrixCurrent_ == TRUE", kSource, 1063);
  return geom;
}

const cf_Kernel::Matrix4x2& cf_Kernel::ProjMatrix() const {
  cf_Assert(projMatrixCurrent, "bIsProjMatrixCurrent_ == TRUE", kSource, 1073);
  return proj;
}

void cf_Kernel::GetEyePoint(double& x, double& y, double& z) const {
  x = eye[0];
  y = eye[1];
  z = eye[2];
}

void cf_Kernel::GetCorner(std::size_t corner, double& x, double& y, double& z) const {
  x = boxX[corner];
  y = boxY[corner];
  z = boxZ[corner];
}

void cf_Kernel::GetMinCorner(double& x, double& y, double& z) const {
  GetCorner(3, x, y, z);
}

void cf_Kernel::GetLeftTopFrontCorner(double& x, double& y, double& z) const {
  GetCorner(4, x, y, z);
}

void cf_Kernel::GetBoxCorners(Corners& x, Corners& y, Corners& z) const {
  x = boxX;
  y = boxY;
  z = boxZ;
}

void cf_Kernel::GetFaceCorners(const Face& face, FaceCorners& x, FaceCorners& y, FaceCorners& z) const {
  for (std::size_t i = 0; i < face.size(); ++i) {
    GetCorner(static_cast<std::size_t>(face[i]), x[i], y[i], z[i]);
  }
}

void cf_Kernel::GetFloorCorners(FaceCorners& x, FaceCorners& y, FaceCorners& z) const {
  GetFaceCorners(kFloor, x, y, z);
}

void cf_Kernel::GetBackFaceCorners(FaceCorners& x, FaceCorners& y, FaceCorners& z) const {
  GetFaceCorners(kBackFace, x, y, z);
}

void cf_Kernel::GetLeftFaceCorners(FaceCorners& x, FaceCorners& y, FaceCorners& z) const {
  GetFaceCorners(kLeftFace, x, y, z);
}
