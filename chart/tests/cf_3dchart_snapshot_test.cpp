// A 3-D bar chart and pies drawn through the chart control on the headless desktop: snapshots in the build
// tree, and the colours that must reach a few pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "chart/cf_3dphedraseries.h"
#include "chart/cf_chartengine.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_eng_pie.h"
#include "chart/zafchartcontrol.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafscreendisplay.h"
#include "native/native.h"
#include "native/testdriver.h"
#include "testing/testpictures.h"
#include "testing/zaftestapplication.h"

namespace {

constexpr bf_Color kColours[] = {12, 10, 9};

class ChartSnapshotTest : public testing::Test {
 protected:
  ChartSnapshotTest() { ZafWindowObject::eventManager = &events; }
  ~ChartSnapshotTest() override {
    manager.reset();
    ZafWindowObject::eventManager = nullptr;
  }

  // A chart of the type over series whose values are given, each series in its own colour.
  ZafChartControl& Show(int32_t type, int32_t dimension, const std::vector<std::vector<double>>& series) {
    auto* window = new ZafWindow(1, 1, 70, 26);
    chart = new ZafChartControl(1, 1, 60, 20, type, dimension, 1);
    window->Add(chart);
    for (std::size_t s = 0; s < series.size(); ++s) {
      for (double value : series[s]) {
        chart->AddValue(static_cast<int32_t>(s + 1), value);
      }
      cf_DispAttribs& attribs = chart->GetSeriesAttribs(static_cast<int32_t>(s + 1));
      attribs.SetForeColor(bf_Black);
      attribs.SetBackColor(kColours[s % 3]);
    }
    chart->GetModel()->Update(true, true, false, false, false);
    manager->Add(window);
    driver.pumpUntilIdle();
    return *chart;
  }
  native::COLORREF Pixel(const cf_2DPoint& point) const {
    native::POINT at{point.x, point.y};
    native::ClientToScreen(chart->ScreenID(), &at);
    return driver.pixel(at.x, at.y);
  }
  native::COLORREF Colour(bf_Color colour) const { return screen.ColorWord(colour, 0); }

  native::TestDriver driver{native::DesktopOptions{1024, 768, 96}};
  ZafTestApplication application;
  ZafScreenDisplay screen;
  ZafEventManager events;
  std::unique_ptr<ZafWindowManager> manager = std::make_unique<ZafWindowManager>();
  ZafChartControl* chart = nullptr;
};

TEST_F(ChartSnapshotTest, BarChartIn3D) {
  Show(cf_ChartEngine::kBar, cf_ChartEngine::k3D, {{3, 5, 2}, {4, 1, 6}});
  ASSERT_TRUE(driver.snapshot(chart->ScreenID(), TestPicturePath("bar3d.png")));
  // The front series' solids come last; the middle of each face that looks at the viewer in the last
  // solid shows that series' colour.
  const auto& front = dynamic_cast<const cf_3DPhedraSeries&>(*chart->GetEngine()->SeriesObjects().back());
  const cf_3DPolyHedra& last = *front.Last();
  int checked = 0;
  for (int32_t i = 1; i <= last.Count(); ++i) {
    const cf_3DFacet& face = *last.At(i);
    if (face.IsFacing() && face.GetScreenMaxX() - face.GetScreenMinX() > 6 &&
        face.GetScreenMaxY() - face.GetScreenMinY() > 6) {
      SCOPED_TRACE(i);
      const cf_2DPoint middle((face.GetScreenMinX() + face.GetScreenMaxX()) / 2,
                              (face.GetScreenMinY() + face.GetScreenMaxY()) / 2);
      EXPECT_EQ(Pixel(middle), Colour(kColours[1]));
      ++checked;
    }
  }
  EXPECT_GE(checked, 1);
}

TEST_F(ChartSnapshotTest, RaisedPie) {
  Show(cf_ChartEngine::kPie, cf_ChartEngine::k3D, {{1}, {1}, {2}});
  ASSERT_TRUE(driver.snapshot(chart->ScreenID(), TestPicturePath("pie3d.png")));
  const auto& pie = dynamic_cast<const cf_eng_Pie3D&>(*chart->GetEngine());
  const cf_2DRect top = pie.Top().ScreenRect();
  const cf_2DRect floor = pie.Floor().ScreenRect();
  ASSERT_GT(top.Width(), 100);
  ASSERT_GT(floor.bottom, top.bottom);
  // Halfway out from the centre at the middle of each slice, on the top; and the band below the front.
  struct Case {
    double angle;
    bf_Color colour;
  };
  const Case cases[] = {{45, kColours[0]}, {135, kColours[1]}, {270, kColours[2]}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    const double radians = c.angle * 3.141592653 / 180;
    const cf_2DPoint inside(
        static_cast<int32_t>((top.left + top.right) / 2 + top.Width() / 4 * std::cos(radians)),
        static_cast<int32_t>((top.top + top.bottom) / 2 - top.Height() / 4 * std::sin(radians)));
    EXPECT_EQ(Pixel(inside), Colour(c.colour));
  }
  EXPECT_EQ(Pixel({(top.left + top.right) / 2, (top.bottom + floor.bottom) / 2}), Colour(kColours[2]));
  EXPECT_EQ(Pixel({top.left + 2, top.top + 2}), Pixel({2, 2}));
}

TEST_F(ChartSnapshotTest, ExplodedPie) {
  Show(cf_ChartEngine::kXPie, cf_ChartEngine::k3D, {{1}, {1}, {2}});
  ASSERT_TRUE(driver.snapshot(chart->ScreenID(), TestPicturePath("xpie.png")));
  // The slices part: the floor's centre lies in the gap between the two back wedges.
  const cf_2DRect floor = dynamic_cast<const cf_eng_Pie2D&>(*chart->GetEngine()).Floor().ScreenRect();
  EXPECT_EQ(Pixel({(floor.left + floor.right) / 2, floor.top + floor.Height() / 4}), Pixel({2, 2}));
  EXPECT_EQ(Pixel({(floor.left + floor.right) / 2 + floor.Width() / 4, floor.top + floor.Height() / 4}),
            Colour(kColours[0]));
}

}  // namespace
