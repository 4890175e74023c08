// The projection kernel: its settings and their limits, the corners it fits into the window with and
// without stretch, the perspective division, and boxes or windows that leave nothing to divide by.

#include "chart/cf_kernel.h"

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "foundation/klog.h"

#include "chart/tests/charttestbed.h"

namespace {

TEST(cf_Kernel, HoldsItsSettingsToTheirRanges) {
  cf_Kernel kernel(100, 100, 100);
  EXPECT_EQ(kernel.Elevation(), 20);
  EXPECT_EQ(kernel.Azimuth(), -45);
  EXPECT_EQ(kernel.Perspective(), 0);
  EXPECT_EQ(kernel.GeomMatrix()[2][3], 0) << "no perspective: W is 1 everywhere";
  EXPECT_EQ(
      std::make_tuple(kernel.LeftMargin(), kernel.RightMargin(), kernel.TopMargin(), kernel.BottomMargin()),
      std::make_tuple(10.0, 10.0, 15.0, 10.0));
  struct Case {
    double elevation, azimuth, perspective;
    double storedElevation, storedAzimuth, storedPerspective;
  };
  const Case cases[] = {
      {95, 10, 250, 90, 0, 100},
      {-5, -120, -3, 0, -90, -3},
      {45, -30, 50, 45, -30, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.elevation << " " << c.azimuth << " " << c.perspective);
    kernel.SetRotation(c.elevation, c.azimuth);
    kernel.SetPerspective(c.perspective);
    EXPECT_EQ(kernel.Elevation(), c.storedElevation);
    EXPECT_EQ(kernel.Azimuth(), c.storedAzimuth);
    EXPECT_EQ(kernel.Roll(), 0);
    EXPECT_EQ(kernel.Perspective(), c.storedPerspective);
    EXPECT_TRUE(kernel.IsChanged());
    kernel.Update();
    EXPECT_FALSE(kernel.IsChanged());
  }
}

TEST_F(ChartDrawTest, KernelFitsTheBoxIntoThePlotRectangle) {
  // A 100 x 100 x 50 box seen from 20 degrees up and 30 to the left in a window at (10, 20) of 400 x 300:
  // less the margins the plot rectangle is (50, 65)-(370, 290). Without stretch one scale (1.5488) fits
  // the taller projection; with stretch x gets its own (1.7958).
  window.drawRegion = {10, 20, 410, 320, ZAF_PIXEL};
  struct Case {
    uint8_t stretch;
    std::size_t corner;
    cf_2DPoint screen;
  };
  const Case cases[] = {
      {0, 0, {110, 259}}, {0, 2, {309, 263}}, {0, 3, {154, 232}},
      {0, 5, {265, 122}}, {1, 3, {121, 232}}, {1, 5, {298, 122}},
  };
  cf_Kernel kernel(100, 100, 50);
  kernel.SetRotation(20, -30);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "stretch " << int{c.stretch} << " corner " << c.corner);
    kernel.SetStretch(c.stretch);
    EXPECT_FALSE(kernel.IsProjMatrixCurrent());
    kernel.FitToDisplay(context);
    EXPECT_TRUE(kernel.IsProjMatrixCurrent());
    EXPECT_EQ(kernel.PlotRect(), cf_2DRect(50, 65, 370, 290));
    EXPECT_EQ(kernel.ScreenCorners()[c.corner], c.screen);
  }
}

TEST(cf_Kernel, DividesByWOnlyWhenItIsNotNearZero) {
  // Looking straight at a box 20 deep with perspective 100: W = 1 - z.
  cf_Kernel kernel(100, 100, 20);
  kernel.SetRotation(0, 0);
  kernel.SetPerspective(100);
  struct Case {
    double z;
    double x, y;
  };
  const Case cases[] = {
      {0.5, 20, 8},     // W 0.5
      {-1, 5, 2},       // W 2
      {1, 10, 4},       // W 0: not divided
      {0.9995, 10, 4},  // W 0.0005: not divided
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.z);
    double x = 10, y = 4, z = c.z;
    kernel.Project(&x, &y, &z, 1);
    EXPECT_NEAR(x, c.x, 1e-9);
    EXPECT_NEAR(y, c.y, 1e-9);
    EXPECT_NEAR(z, c.z, 1e-9) << "depth is never divided";
  }
}

TEST_F(ChartDrawTest, KernelTruncatesScreenCoordinatesTowardZero) {
  // One pixel per unit with the projected origin at the window's origin, y pointing down.
  const cf_Kernel kernel = StraightOn(100, 100, 100, {-50, -50, 50, 50, ZAF_PIXEL});
  struct Case {
    double x, y;
    cf_2DPoint screen;
  };
  const Case cases[] = {
      {-0.7, 0.7, {0, 0}},
      {0.7, -0.7, {0, 0}},
      {1.5, -1.5, {1, 1}},
      {-1.5, 1.5, {-1, -1}},
      {1e300, -1e300, {cf_Kernel::kScreenLimit, cf_Kernel::kScreenLimit}},
      {std::nan(""), 2.5, {0, -2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << " " << c.y);
    cf_2DPoint screen;
    kernel.ToScreen(&c.x, &c.y, &screen, 1);
    EXPECT_EQ(screen, c.screen);
  }
}

TEST_F(ChartDrawTest, KernelSurvivesBoxesAndWindowsWithoutExtent) {
  struct Case {
    const char* name;
    double dy;
    double leftMargin, rightMargin;
    uint8_t stretch;
    int32_t spreadX;
  };
  // The plot rectangle is (40, 45)-(360, 270), centred on y 157.5, unless the margins leave no width. Seen
  // straight on, a flat box (dy 0) has no height to fit: it keeps the scale of its width and lies on the
  // centre line.
  const Case cases[] = {
      {"flat box", 0, 10, 10, 0, 320},
      {"flat box stretched", 0, 10, 10, 1, 320},
      {"margins over 100 percent", 100, 60, 60, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_Kernel kernel(100, c.dy, 100);
    kernel.SetRotation(0, 0);
    kernel.SetLeftMargin(c.leftMargin);
    kernel.SetRightMargin(c.rightMargin);
    kernel.SetStretch(c.stretch);
    kernel.FitToDisplay(context);
    const auto& corners = kernel.ScreenCorners();
    EXPECT_EQ(corners[5].x - corners[4].x, c.spreadX);
    EXPECT_EQ(corners[0].y, 157);
    EXPECT_EQ(corners[4].y, 157);
  }
}

TEST_F(ChartDrawTest, KernelMeasuresLargeFacesWithoutOverflow) {
  // A 100,000-pixel face: the squares of its sides no longer fit in 32 bits.
  const cf_Kernel kernel = StraightOn(100, 100, 100, {0, 0, 100000, 100000, ZAF_PIXEL});
  EXPECT_EQ(kernel.BackFaceRect(), cf_2DRect(0, 0, 100000, 100000));
  EXPECT_EQ(kernel.LeftFaceRect(), cf_2DRect(0, 0, 0, 100000)) << "seen edge-on";
  EXPECT_EQ(kernel.FloorRect(), cf_2DRect(0, 0, 100000, 0));
}

TEST(cf_Kernel, ReportsAStaleProjectionMatrixToTheLog) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("chart_kernel_" + std::to_string(getpid()) + ".log");
  std::string logged;
  {
    KLog log(path.string());
    KLog::SetProgramLog(&log);
    cf_Kernel kernel(100, 100, 100);
    kernel.GeomMatrix();
    kernel.ProjMatrix();
    KLog::SetProgramLog(nullptr);
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    logged = text.str();
  }
  std::filesystem::remove(path);
  EXPECT_EQ(logged.find("bIsGeomMatrixCurrent_"), std::string::npos)
      << "the geometry is current from the start";
  EXPECT_NE(logged.find("bIsProjMatrixCurrent_ == TRUE, file C1_KERNL, line 1073"), std::string::npos)
      << logged;
}

}  // namespace
