// The drawing context: angles of pie and arc points, the attribute stacks and what each drawing operation
// asks of the display.

#include <functional>

#include "chart/tests/charttestbed.h"

namespace {

using Calls = std::vector<std::string>;

TEST(bf_Display, PointAngleCountsCounterClockwiseFromTheRight) {
  struct Case {
    int32_t x, y;
    double degrees;
  };
  // About the centre (100, 100), screen y growing downwards.
  const Case cases[] = {
      {100, 40, 90},    // straight above
      {100, 160, 270},  // straight below
      {160, 100, 0},    // right
      {40, 100, 180},   // left
      {101, 0, 90},     // one pixel right and far above: straight above, not about 89
      {99, 200, 270},   // one pixel left and far below
      {99, 100, 180},   // one pixel left on the level
      {101, 100, 0},    // one pixel right on the level
      {110, 90, 45},   {90, 90, 135}, {90, 110, 225}, {110, 110, 315}, {102, 0, 88.854237161},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    EXPECT_NEAR(bf_Display::PointAngle(100, 100, c.x, c.y), c.degrees, 1e-6);
  }
}

TEST_F(ChartDrawTest, PopReselectsWhatLiesBelowAndTheEndRestoresTheFont) {
  display.SetFont(2);
  const DrawState before = State();
  {
    bf_Display inner(display, &window);
    inner.PushPenObject(bf_Pen(4, 1, 3));
    inner.PushBrushObject(bf_Brush(9, 2));
    inner.PushFont(bf_Font(uint8_t{5}));
    inner.PushFont(bf_Font());
    EXPECT_EQ(display.palette.colorForeground, 4);
    EXPECT_EQ(display.palette.lineStyle, 1);
    EXPECT_EQ(inner.LineWidth(), 3u);
    EXPECT_EQ(display.palette.colorBackground, 9);
    EXPECT_EQ(display.palette.fillPattern, 2);
    EXPECT_EQ(display.palette.font, 5) << "a font without an index selects nothing";

    EXPECT_EQ(inner.PopPen(), bf_Pen(4, 1, 3));
    EXPECT_EQ(inner.PopBrush(), bf_Brush(9, 2));
    inner.PopFont();
    inner.PopFont();
    EXPECT_EQ(display.palette.colorForeground, 0);
    EXPECT_EQ(display.palette.colorBackground, 15);
    EXPECT_EQ(inner.LineWidth(), 1u) << "outlines are one pixel wide again";
    EXPECT_EQ(display.palette.font, 5) << "popping a font leaves the display's font";
  }
  EXPECT_EQ(State(), before);

  bf_Display empty(display, &window);
  empty.PopPen();
  empty.PopBrush();
  EXPECT_EQ(empty.PopPen(), std::nullopt);
  EXPECT_EQ(empty.PopBrush(), std::nullopt);
}

TEST_F(ChartDrawTest, DrawingOperationsMakeTheseDisplayCalls) {
  const cf_2DPoint three[] = {{1, 2}, {30, 40}, {5, 60}};
  struct Case {
    const char* name;
    std::function<void()> draw;
    Calls expected;
  };
  const Case cases[] = {
      {"no point", [&] { context.DrawPolyline(three, 0); }, {}},
      {"one point", [&] { context.DrawPolyline(three, 1); }, {}},
      {"polyline in one call", [&] { context.DrawPolyline(three, 3); }, {"Polygon 3 1 2 30 40 5 60 1 0 0"}},
      {"two-point polygon", [&] { context.DrawPolygon(three, 2); }, {}},
      {"polygon", [&] { context.DrawPolygon(three, 3); }, {"Polygon 3 1 2 30 40 5 60 1 1 0"}},
      {"frame",
       [&] {
         context.DrawFrame({1, 2, 30, 40});
       },
       {"Line 1 2 30 2 1", "Line 30 2 30 40 1", "Line 30 40 1 40 1", "Line 1 40 1 2 1"}},
      {"rectangle",
       [&] {
         context.DrawRectangle({1, 2, 30, 40});
       },
       {"Rectangle 1 2 30 40 1 0"}},
      {"circle",
       [&] {
         context.DrawCircle({50, 60}, 7);
       },
       {"Ellipse 43 53 57 67 0 360 1 1"}},
      {"ellipse",
       [&] {
         context.DrawEllipse({10, 20}, {30, 50});
       },
       {"Ellipse 10 20 30 50 0 360 1 1"}},
      {"pie ending at 0 ends at 360",
       [&] {
         context.DrawPie({0, 0, 100, 100}, {50, 0}, {100, 50});
       },
       {"Ellipse 0 0 100 100 90 360 1 1"}},
      {"arc",
       [&] {
         context.DrawArc({0, 0, 100, 100}, {0, 50}, {50, 100});
       },
       {"Ellipse 0 0 100 100 180 270 1 0"}},
      {"text",
       [&] {
         context.DrawText({3, 4}, cf_String(u"Gun"));
       },
       {"Text 3 4 \"Gun\" -1 0"}},
      {"pixel in the default colour",
       [&] {
         EXPECT_EQ(context.SetPixel({3, 4}, 12), 12);
       },
       {"Pixel 3 4 -3 -3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t mark = Mark();
    c.draw();
    EXPECT_EQ(CallsSince(mark), c.expected);
  }
}

TEST_F(ChartDrawTest, OutlinesTakeTheSelectedPensWidth) {
  const cf_2DPoint two[] = {{0, 0}, {9, 9}};
  context.PushPenObject(bf_Pen(2, 0, 4));
  const std::size_t mark = Mark();
  context.DrawPolyline(two, 2);
  context.PopPen();
  context.DrawPolyline(two, 2);
  EXPECT_EQ(CallsSince(mark), (Calls{"Polygon 2 0 0 9 9 4 0 0", "SetForeground 0", "SetLineStyle 0",
                                     "Polygon 2 0 0 9 9 1 0 0"}));
}

TEST_F(ChartDrawTest, TextExtentIsTheMeasuredSizeFromTheOrigin) {
  // The recording display measures 8 x 24 pixels a character.
  EXPECT_EQ(context.TextExtent(cf_String(u"Power")), cf_2DRect(0, 0, 40, 24));
  EXPECT_EQ(context.GetDrawRegion(), cf_2DRect(0, 0, 400, 300));
}

}  // namespace
