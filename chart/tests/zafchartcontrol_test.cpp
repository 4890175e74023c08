// The program's force-trace chart through the chart control on the headless desktop: what reaches the
// screen, and what a size change does.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_chartengine.h"
#include "chart/tests/forcetracechart.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafscreendisplay.h"
#include "native/native.h"
#include "native/testdriver.h"
#include "testing/zaftestapplication.h"

namespace {

class CountingChart : public ZafChartControl {
 public:
  CountingChart() : ZafChartControl(1, 1, 60, 20, cf_ChartEngine::kLine, cf_ChartEngine::k2D, 2) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    redisplays += event.type == RedisplayEvent ? 1 : 0;
    return ZafChartControl::Event(event);
  }
  int redisplays = 0;
};

class ForceTraceChartTest : public testing::Test {
 protected:
  ForceTraceChartTest() {
    ZafWindowObject::eventManager = &events;
    auto* window = new ZafWindow(1, 1, 70, 26);
    chart = new CountingChart;
    window->Add(chart);
    layout.Build(*chart);
    manager->Add(window);
    driver.pumpUntilIdle();
  }
  ~ForceTraceChartTest() override {
    manager.reset();
    ZafWindowObject::eventManager = nullptr;
  }

  // A point of the control's drawing area on the desktop.
  native::POINT OnDesktop(double x, double y) const {
    native::POINT point{static_cast<int>(x), static_cast<int>(y)};
    native::ClientToScreen(chart->ScreenID(), &point);
    return point;
  }
  // Whether the colour is at the point or one pixel around it.
  bool ColourNear(double x, double y, bf_Color colour) const {
    const native::POINT at = OnDesktop(x, y);
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (driver.pixel(at.x + dx, at.y + dy) == screen.ColorWord(colour, 0)) {
          return true;
        }
      }
    }
    return false;
  }
  const cf_2DRect& Plot() const { return chart->GetEngine()->GetKernel().PlotRect(); }
  double XOf(double sample) const {
    return Plot().left + sample * (Plot().right - Plot().left) / (layout.samples - 1);
  }
  double YOf(double value) const {
    return Plot().bottom - value * (Plot().bottom - Plot().top) / (ForceTraceChart::kScale * layout.lanes);
  }
  // The plot rectangle within the pane's margins in the control's window (narrower where the axes' texts
  // need the room).
  void ExpectPlotWithinMargins() const {
    const cf_2DRect& window = chart->GetEngine()->GetKernel().WindowRect();
    const double width = window.right - window.left;
    const double height = window.bottom - window.top;
    EXPECT_GE(Plot().left + 1, window.left + width * ForceTraceChart::kMarginLeft / 100);
    EXPECT_LE(Plot().right - 1, window.right - width * ForceTraceChart::kMarginRight / 100);
    EXPECT_GE(Plot().top + 1, window.top + height * ForceTraceChart::kMarginTop / 100);
    EXPECT_LE(Plot().bottom - 1, window.bottom - height * ForceTraceChart::kMarginBottom / 100);
  }
  // Corners of the face, lane baselines, both ends of every trace and the marker lines.
  void ExpectPicture() const {
    ExpectPlotWithinMargins();
    EXPECT_TRUE(ColourNear(Plot().left, Plot().top, bf_Black));
    EXPECT_TRUE(ColourNear(Plot().right, Plot().bottom, bf_Black));
    EXPECT_TRUE(ColourNear((Plot().left + Plot().right) / 2, Plot().top + 4, ForceTraceChart::kFaceColor));
    for (int32_t lane = 1; lane <= layout.lanes; ++lane) {
      SCOPED_TRACE(lane);
      EXPECT_TRUE(ColourNear(XOf(500), YOf(layout.Lift(lane)), bf_Black));
      const int32_t last = layout.samples - 1;
      EXPECT_TRUE(
          ColourNear(XOf(0), YOf(layout.Lift(lane) + layout.Value(lane, 0)), ForceTraceChart::kTraceColor));
      EXPECT_TRUE(ColourNear(XOf(last), YOf(layout.Lift(lane) + layout.Value(lane, last)),
                             ForceTraceChart::kTraceColor));
    }
    for (double marker : {ForceTraceChart::kSetAt, ForceTraceChart::kGunAt, ForceTraceChart::kLegalAt,
                          ForceTraceChart::kReactionAt}) {
      SCOPED_TRACE(marker);
      EXPECT_TRUE(ColourNear(XOf(marker), Plot().top + 4, bf_Black));
    }
    // An axis title moved clear of its numbers goes away from the plot, never onto it.
    for (uint32_t axis = 1; axis <= cf_ChartEngine::kAxisCount; ++axis) {
      EXPECT_FALSE(chart->GetEngine()->GetAxis(axis)->Title().DrawnTextRect().Overlaps(Plot())) << axis;
    }
  }

  native::TestDriver driver{native::DesktopOptions{1024, 768, 96}};
  ZafTestApplication application;
  ZafScreenDisplay screen;
  ZafEventManager events;
  std::unique_ptr<ZafWindowManager> manager = std::make_unique<ZafWindowManager>();
  ForceTraceChart layout;
  CountingChart* chart = nullptr;
};

TEST_F(ForceTraceChartTest, DrawsTheLanesMarkersAndPlotAndRedrawsThemAfterAResize) {
  ExpectPicture();
  const cf_2DRect before = Plot();

  chart->redisplays = 0;
  native::SetWindowPos(chart->ScreenID(), nullptr, 0, 0, 500, 300, native::SWP_NOMOVE | native::SWP_NOZORDER);
  driver.pumpUntilIdle();

  EXPECT_EQ(chart->redisplays, 1);
  EXPECT_NE(Plot(), before);
  EXPECT_EQ(chart->GetEngine()->GetKernel().WindowRect().right, 499);
  ExpectPicture();
}

// The event the user function last saw, and its answer.
ZafEventType userFunctionSaw = 0;
constexpr ZafLong kUserAnswer = 4321;
ZafLong RecordingUserFunction(ZafWindowObject*, ZafEventRecord& event, ZafLong) {
  userFunctionSaw = event.type;
  return kUserAnswer;
}

TEST_F(ForceTraceChartTest, EventsAndTypeChangesReachWhereTheyBelong) {
  struct Case {
    const char* name;
    std::function<std::string()> run;
    std::string expected;
  } cases[] = {
      {"another event is the window object's: a choice goes to the user function, with its answer",
       [this] {
         userFunctionSaw = 0;
         chart->SetUserFunction(RecordingUserFunction);
         const ZafEventType answer = chart->Event(ZafEventRecord(ChosenEvent, 0));
         chart->SetUserFunction(nullptr);
         return std::to_string(answer) + " " + std::to_string(userFunctionSaw);
       },
       "4321 1002"},
      {"another type without automatic update: the new engine, no redraw",
       [this] {
         chart->SetAutomaticUpdate(false);
         chart->redisplays = 0;
         chart->SetChartType(cf_ChartEngine::kBar);
         const std::string answer =
             std::to_string(chart->GetEngine()->ChartType()) + " " + std::to_string(chart->redisplays);
         chart->SetAutomaticUpdate(true);
         return answer;
       },
       "2 0"},
      {"another type with automatic update: the new engine, one redraw",
       [this] {
         chart->redisplays = 0;
         chart->SetChartType(cf_ChartEngine::kCol);
         return std::to_string(chart->GetEngine()->ChartType()) + " " + std::to_string(chart->redisplays);
       },
       "3 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.run(), c.expected);
  }
}

}  // namespace
