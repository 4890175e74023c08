// Drawing the chart's objects on the recording display: the colour roles of lines, markers and fills, the
// one display call per trace, and the drawing state that every draw leaves as it found it.

#include "chart/cf_3dpolyline.h"

#include <functional>
#include <memory>

#include "chart/cf_3dbitmap.h"
#include "chart/cf_3dpolygon.h"
#include "chart/tests/charttestbed.h"

namespace {

using Calls = std::vector<std::string>;

class ChartObjectDrawTest : public ChartDrawTest {
 protected:
  ChartObjectDrawTest() {
    attribs.SetForeColor(4);
    attribs.SetBackColor(9);
    attribs.SetStyle(1);
    attribs.SetWidth(3);
    attribs.SetPrimarySwitch(1);
  }

  // Box point (x, y) lands on screen point (50 + x, 50 - y).
  template <typename Series>
  Series& Mapped(Series& series, std::initializer_list<cf_2DPoint> points) {
    for (const cf_2DPoint& point : points) {
      series.AddPoint(cf_3DPoint(point.x, point.y, 0));
    }
    series.Project(kernel);
    series.ToScreen(kernel);
    return series;
  }

  cf_Kernel kernel = StraightOn(100, 100, 100, {0, 0, 100, 100, ZAF_PIXEL});
  cf_DispAttribs attribs;
};

TEST_F(ChartObjectDrawTest, ObjectsDrawInTheirColourRolesAndRestoreTheState) {
  const Calls lineIn9 = {"SetForeground 9", "SetLineStyle 1", "Polygon 2 50 50 60 30 3 0 0",
                         "SetForeground 0", "SetLineStyle 0"};
  Calls lineWithMarkers = lineIn9;
  lineWithMarkers.insert(
      lineWithMarkers.end(),
      {"SetBackground 9", "SetFillPattern 0", "SetForeground 4", "SetLineStyle 1",
       "Ellipse 45 45 55 55 0 360 1 1", "Pixel 50 50 -3 -3", "Ellipse 55 25 65 35 0 360 1 1",
       "Pixel 60 30 -3 -3", "SetForeground 0", "SetLineStyle 0", "SetBackground 15", "SetFillPattern 0"});
  const Calls filledTriangle = {"SetForeground 4",
                                "SetLineStyle 1",
                                "SetBackground 9",
                                "SetFillPattern 0",
                                "Polygon 3 50 50 60 30 40 30 3 1 0",
                                "SetBackground 15",
                                "SetFillPattern 0",
                                "SetForeground 0",
                                "SetLineStyle 0"};
  const Calls triangleOutline = {"SetForeground 4", "SetLineStyle 1",
                                 "Polygon 4 50 50 60 30 40 30 50 50 3 0 0", "SetForeground 0",
                                 "SetLineStyle 0"};

  cf_3DPolyLine line(&attribs);
  Mapped(line, {{0, 0}, {10, 20}});
  cf_3DPolyLine plainLine;
  Mapped(plainLine, {{0, 0}, {10, 20}});
  cf_3DPolyLine keepingLine(&attribs);
  Mapped(keepingLine, {{0, 0}, {10, 20}}).SetKeepDisplayState(1);
  cf_3DPolygon triangle(&attribs);
  Mapped(triangle, {{0, 0}, {10, 20}, {-10, 20}});
  cf_3DPolygon segment(&attribs);
  Mapped(segment, {{0, 0}, {10, 20}});
  cf_3DPointSeries scatter;
  Mapped(scatter, {{0, 0}});
  cf_3DPoint point(0, 0, 0);
  point.DispAttribs()->SetBackColor(9);
  point.ToScreen(kernel);
  cf_3DBitmap picture(&kernel);
  cf_3DBitmap namedPicture(&kernel);
  namedPicture.SetFile(u"start.bmp");

  struct Case {
    const char* name;
    std::function<void()> draw;
    Calls expected;
  };
  const Case cases[] = {
      {"line with markers in the primary pass", [&] { line.DrawPrimary(context); }, lineWithMarkers},
      {"line without markers in the secondary pass", [&] { line.DrawSecondary(context); }, lineIn9},
      {"line without attributes",
       [&] { plainLine.DrawPrimary(context); },
       {"SetForeground 0", "SetLineStyle 0", "Polygon 2 50 50 60 30 1 0 0", "SetForeground 0",
        "SetLineStyle 0"}},
      {"line keeping the display's state",
       [&] { keepingLine.DrawPrimary(context); },
       {"Polygon 2 50 50 60 30 1 0 0", "Ellipse 45 45 55 55 0 360 1 1", "Pixel 50 50 -3 -3",
        "Ellipse 55 25 65 35 0 360 1 1", "Pixel 60 30 -3 -3"}},
      {"filled polygon", [&] { triangle.DrawSecondary(context); }, filledTriangle},
      {"polygon outline", [&] { triangle.DrawOutline(context); }, triangleOutline},
      {"two-point polygon",
       [&] { segment.DrawPrimary(context); },
       {"SetForeground 4", "SetLineStyle 1", "SetBackground 9", "SetFillPattern 0", "SetBackground 15",
        "SetFillPattern 0", "SetForeground 0", "SetLineStyle 0"}},
      {"scatter series",
       [&] { scatter.DrawPrimary(context); },
       {"SetForeground 0", "SetLineStyle 0", "SetBackground 15", "SetFillPattern 0",
        "Ellipse 45 45 55 55 0 360 1 1", "Pixel 50 50 -3 -3", "SetBackground 15", "SetFillPattern 0",
        "SetForeground 0", "SetLineStyle 0"}},
      {"point with its own attributes",
       [&] { point.DrawPrimary(context); },
       {"SetForeground 0", "SetLineStyle 0", "SetBackground 9", "SetFillPattern 0",
        "Ellipse 45 45 55 55 0 360 1 1", "Pixel 50 50 -3 -3", "SetBackground 15", "SetFillPattern 0",
        "SetForeground 0", "SetLineStyle 0"}},
      {"picture without a file", [&] { picture.DrawSecondary(context); }, {}},
      {"picture outlines the left face, seen edge-on",
       [&] { namedPicture.DrawSecondary(context); },
       {"SetForeground 0", "SetLineStyle 0", "Polygon 5 0 100 0 100 0 0 0 0 0 100 1 0 0", "SetForeground 0",
        "SetLineStyle 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DrawState before = State();
    const std::size_t mark = Mark();
    c.draw();
    EXPECT_EQ(CallsSince(mark), c.expected);
    EXPECT_EQ(State(), before);
    EXPECT_EQ(attribs.ForeColor(), 4);
    EXPECT_EQ(attribs.Width(), 3u);
  }
}

TEST_F(ChartObjectDrawTest, ATraceIsOneDisplayCall) {
  constexpr int32_t kSamples = 5000;
  cf_3DPolyLine trace(&attribs);
  cf_3DPoint sample;
  for (int32_t i = 0; i < kSamples; ++i) {
    sample.Set(i % 100 - 50, (i * 7) % 100 - 50, 0);
    trace.AddPoint(sample);
  }
  trace.Project(kernel);
  trace.ToScreen(kernel);
  const std::size_t mark = Mark();
  trace.DrawSecondary(context);
  const Calls calls = CallsSince(mark);
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[2].rfind("Polygon 5000 0 100 1 93 2 86 ", 0), 0u) << calls[2].substr(0, 40);
}

}  // namespace
