#include <gtest/gtest.h>

#include "native/testdriver.h"
#include "native/tests/pixelboard.h"

namespace native::test {

namespace {

using Picture = std::vector<std::string>;

}  // namespace

TEST(Drawing, LinesLeaveOutTheirEndPixel) {
  TestDriver driver;
  struct Case {
    const char* name;
    POINT from;
    POINT to;
    Picture expected;
  };
  const Case cases[] = {
      {"rightwards", {0, 1}, {4, 1}, {".....", "####.", ".....", ".....", "....."}},
      {"leftwards", {4, 1}, {0, 1}, {".....", ".####", ".....", ".....", "....."}},
      {"downwards", {2, 0}, {2, 4}, {"..#..", "..#..", "..#..", "..#..", "....."}},
      {"diagonal", {0, 0}, {4, 4}, {"#....", ".#...", "..#..", "...#.", "....."}},
      {"a single point draws nothing", {2, 2}, {2, 2}, {".....", ".....", ".....", ".....", "....."}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    PixelBoard board(5, 5);
    MoveToEx(board.dc(), test.from.x, test.from.y, nullptr);
    LineTo(board.dc(), test.to.x, test.to.y);
    EXPECT_EQ(board.picture(), test.expected);
    POINT position{};
    MoveToEx(board.dc(), 0, 0, &position);
    EXPECT_EQ(position.x, test.to.x) << "the end point becomes the current position";
    EXPECT_EQ(position.y, test.to.y);
  }
}

TEST(Drawing, LinesFarOffTheSurfaceDrawOnlyTheirVisiblePixels) {
  TestDriver driver;
  PixelBoard board(5, 5);
  MoveToEx(board.dc(), -1000000000, 2, nullptr);
  LineTo(board.dc(), 1000000000, 2);
  MoveToEx(board.dc(), 1, -2000000000, nullptr);
  LineTo(board.dc(), 1, 2000000000);
  EXPECT_EQ(board.picture(), (Picture{".#...", ".#...", "#####", ".#...", ".#..."}));
  // A clipped slanted line keeps the pixels it has unclipped.
  PixelBoard whole(9, 9);
  PixelBoard part(9, 9);
  HRGN clip = CreateRectRgn(3, 0, 9, 9);
  SelectClipRgn(part.dc(), clip);
  DeleteObject(clip);
  for (HDC dc : {whole.dc(), part.dc()}) {
    MoveToEx(dc, 0, 1, nullptr);
    LineTo(dc, 9, 6);
  }
  for (int y = 0; y < 9; ++y) {
    EXPECT_EQ(part.picture()[y].substr(3), whole.picture()[y].substr(3)) << "row " << y;
  }
}

TEST(Drawing, LinesThroughAClipOfSeveralRectanglesKeepTheirUnclippedPixels) {
  TestDriver driver;
  struct Case {
    const char* name;
    POINT from;
    POINT to;
    int penStyle;
    int mix;
  };
  const Case cases[] = {
      {"shallow, rightwards and down into the hole", {-8, 0}, {28, 12}, PS_SOLID, R2_XORPEN},
      {"shallow, leftwards and up", {25, 18}, {-3, 4}, PS_SOLID, R2_XORPEN},
      {"steep, downwards and right into the hole", {1, -3}, {10, 24}, PS_SOLID, R2_XORPEN},
      {"steep, upwards and left", {13, 23}, {2, -2}, PS_SOLID, R2_COPYPEN},
      {"diagonal through the hole", {-2, -2}, {22, 22}, PS_SOLID, R2_XORPEN},
      {"level across the hole", {-5, 9}, {30, 9}, PS_SOLID, R2_COPYPEN},
      {"dotted across the hole", {-4, 7}, {25, 12}, PS_DOT, R2_COPYPEN},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    PixelBoard whole(20, 20);
    PixelBoard part(20, 20);
    // The board less a hole in the middle and a notch on the left: several rectangles.
    HRGN clip = CreateRectRgn(0, 0, 20, 20);
    for (const RECT& cut : {RECT{6, 5, 14, 13}, RECT{0, 15, 3, 17}}) {
      HRGN piece = CreateRectRgnIndirect(&cut);
      CombineRgn(clip, clip, piece, RGN_DIFF);
      DeleteObject(piece);
    }
    SelectClipRgn(part.dc(), clip);
    for (HDC dc : {whole.dc(), part.dc()}) {
      // Mixed by XOR, a pixel drawn twice shows as one never drawn.
      HPEN pen = CreatePen(test.penStyle, 0, RGB(0, 0, 255));
      HGDIOBJ previous = SelectObject(dc, pen);
      SetROP2(dc, test.mix);
      MoveToEx(dc, test.from.x, test.from.y, nullptr);
      LineTo(dc, test.to.x, test.to.y);
      DeleteObject(SelectObject(dc, previous));
    }
    SelectClipRgn(part.dc(), nullptr);  // GetPixel answers no colour outside the clip
    Picture unclipped = whole.picture();
    Picture clipped = part.picture();
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        char expected = PtInRegion(clip, x, y) ? unclipped[y][x] : '.';
        EXPECT_EQ(clipped[y][x], expected) << "at " << x << ", " << y;
      }
    }
    DeleteObject(clip);
  }
}

TEST(Drawing, PolylineJoinsSegmentsAndLeavesOutOnlyTheLastPoint) {
  TestDriver driver;
  PixelBoard board(5, 5);
  POINT points[] = {{0, 0}, {3, 0}, {3, 3}};
  ASSERT_TRUE(Polyline(board.dc(), points, 3));
  EXPECT_EQ(board.picture(), (Picture{"####.", "...#.", "...#.", ".....", "....."}));
  EXPECT_FALSE(Polyline(board.dc(), points, 1)) << "one point is no line";
}

TEST(Drawing, RectangleAndFillRectStopBeforeTheRightAndBottomEdges) {
  TestDriver driver;
  struct Case {
    const char* name;
    int pen;
    int brush;
    Picture expected;
  };
  const Case cases[] = {
      {"pen and brush", BLACK_PEN, BLACK_BRUSH, {"......", ".####.", ".####.", ".####.", "......", "......"}},
      {"outline only", BLACK_PEN, NULL_BRUSH, {"......", ".####.", ".#..#.", ".####.", "......", "......"}},
      {"no pen fills one short",
       NULL_PEN,
       BLACK_BRUSH,
       {"......", ".###..", ".###..", "......", "......", "......"}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    PixelBoard board(6, 6);
    SelectObject(board.dc(), GetStockObject(test.pen));
    SelectObject(board.dc(), GetStockObject(test.brush));
    Rectangle(board.dc(), 1, 1, 5, 4);
    EXPECT_EQ(board.picture(), test.expected);
  }
  PixelBoard board(6, 6);
  RECT rect{1, 1, 5, 4};
  EXPECT_EQ(FillRect(board.dc(), &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 1);
  EXPECT_EQ(board.picture(), (Picture{"......", ".####.", ".####.", ".####.", "......", "......"}));
  RECT background{0, 0, 6, 6};
  FillRect(board.dc(), &background, reinterpret_cast<HBRUSH>(COLOR_WINDOWTEXT + 1));
  EXPECT_EQ(board.at(5, 5), GetSysColor(COLOR_WINDOWTEXT)) << "a system colour plus one names its brush";
}

TEST(Drawing, FocusRectangleDrawnTwiceLeavesThePixelsAsTheyWere) {
  TestDriver driver;
  PixelBoard board(9, 7, RGB(10, 200, 30));
  RECT stripe{0, 2, 9, 4};
  FillRect(board.dc(), &stripe, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  std::vector<COLORREF> before = board.pixels();
  for (RECT rect : {RECT{1, 1, 8, 6}, RECT{0, 0, 9, 1}, RECT{2, 0, 3, 7}, RECT{0, 0, 9, 7}}) {
    DrawFocusRect(board.dc(), &rect);
    EXPECT_NE(board.pixels(), before) << "the first drawing shows";
    DrawFocusRect(board.dc(), &rect);
    EXPECT_EQ(board.pixels(), before) << "the second takes it away, corners included";
  }
}

TEST(Drawing, XorPenDrawnTwiceRestoresAndNotInverts) {
  TestDriver driver;
  PixelBoard board(6, 6, RGB(0x12, 0x34, 0x56));
  std::vector<COLORREF> before = board.pixels();
  HPEN pen = CreatePen(PS_SOLID, 0, RGB(0xFF, 0x0F, 0xF0));
  HGDIOBJ previous = SelectObject(board.dc(), pen);
  SetROP2(board.dc(), R2_XORPEN);
  POINT points[] = {{0, 0}, {5, 5}, {0, 5}, {5, 0}};
  Polyline(board.dc(), points, 4);
  EXPECT_EQ(board.at(0, 0), RGB(0x12 ^ 0xFF, 0x34 ^ 0x0F, 0x56 ^ 0xF0));
  Polyline(board.dc(), points, 4);
  EXPECT_EQ(board.pixels(), before);
  SetROP2(board.dc(), R2_NOT);
  MoveToEx(board.dc(), 0, 3, nullptr);
  LineTo(board.dc(), 6, 3);
  EXPECT_EQ(board.at(2, 3), RGB(0xFF - 0x12, 0xFF - 0x34, 0xFF - 0x56));
  SelectObject(board.dc(), previous);
  EXPECT_TRUE(DeleteObject(pen));
}

TEST(Drawing, DottedPenLeavesGapsThatOpaqueModeFills) {
  TestDriver driver;
  PixelBoard board(12, 2);
  HPEN pen = CreatePen(PS_DOT, 0, RGB(0, 0, 0));
  HGDIOBJ previous = SelectObject(board.dc(), pen);
  SetBkMode(board.dc(), TRANSPARENT);
  MoveToEx(board.dc(), 0, 0, nullptr);
  LineTo(board.dc(), 12, 0);
  SetBkMode(board.dc(), OPAQUE);
  SetBkColor(board.dc(), RGB(255, 0, 0));
  MoveToEx(board.dc(), 0, 1, nullptr);
  LineTo(board.dc(), 12, 1);
  EXPECT_EQ(board.picture()[0], "###...###...");
  EXPECT_EQ(board.picture()[1], "############");
  EXPECT_EQ(board.at(4, 1), RGB(255, 0, 0));
  SelectObject(board.dc(), previous);
  DeleteObject(pen);
}

TEST(Drawing, PatternBrushTakesTextAndBackgroundColours) {
  TestDriver driver;
  // A checkerboard of rows 0x55 and 0xAA, each row a 16-bit word.
  const BYTE rows[16] = {0x55, 0x55, 0xAA, 0xAA, 0x55, 0x55, 0xAA, 0xAA,
                         0x55, 0x55, 0xAA, 0xAA, 0x55, 0x55, 0xAA, 0xAA};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH brush = CreatePatternBrush(pattern);
  PixelBoard board(4, 2);
  SetTextColor(board.dc(), RGB(200, 0, 0));
  SetBkColor(board.dc(), RGB(0, 0, 200));
  RECT rect{0, 0, 4, 2};
  FillRect(board.dc(), &rect, brush);
  // Row 0x55 = 01010101: the first pixel is a clear bit (text colour), the second a set bit (background).
  EXPECT_EQ(board.at(0, 0), RGB(200, 0, 0));
  EXPECT_EQ(board.at(1, 0), RGB(0, 0, 200));
  EXPECT_EQ(board.at(0, 1), RGB(0, 0, 200));
  DeleteObject(brush);
  DeleteObject(pattern);
}

TEST(Drawing, PatBltAppliesTheBrushThroughTheRasterOperation) {
  TestDriver driver;
  PixelBoard board(4, 1, RGB(0x0F, 0xF0, 0x33));
  SelectObject(board.dc(), GetStockObject(WHITE_BRUSH));
  struct Case {
    DWORD rop;
    COLORREF expected;
  };
  const Case cases[] = {
      {PATINVERT, RGB(0xF0, 0x0F, 0xCC)}, {DSTINVERT, RGB(0x0F, 0xF0, 0x33)}, {BLACKNESS, RGB(0, 0, 0)},
      {WHITENESS, RGB(255, 255, 255)},    {PATCOPY, RGB(255, 255, 255)},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.rop);
    PatBlt(board.dc(), 0, 0, 4, 1, test.rop);
    EXPECT_EQ(board.at(3, 0), test.expected);
  }
}

TEST(Drawing, SetPixelAnswersTheColourAndClippedPixelsStayUntouched) {
  TestDriver driver;
  PixelBoard board(4, 4);
  EXPECT_EQ(SetPixel(board.dc(), 1, 1, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(board.at(1, 1), RGB(1, 2, 3));
  EXPECT_EQ(SetPixel(board.dc(), 9, 9, RGB(1, 2, 3)), static_cast<COLORREF>(-1));
  EXPECT_EQ(GetPixel(board.dc(), -1, 0), CLR_INVALID);
  HRGN clip = CreateRectRgn(2, 2, 4, 4);
  EXPECT_EQ(SelectClipRgn(board.dc(), clip), SIMPLEREGION);
  DeleteObject(clip);  // the context keeps its own copy
  RECT all{0, 0, 4, 4};
  FillRect(board.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectClipRgn(board.dc(), nullptr);
  EXPECT_EQ(board.picture(), (Picture{"....", ".#..", "..##", "..##"}));
  RECT box{};
  IntersectClipRect(board.dc(), 1, 0, 3, 4);
  EXPECT_EQ(GetClipBox(board.dc(), &box), SIMPLEREGION);
  EXPECT_TRUE(EqualRect(&box, &(const RECT&)RECT{1, 0, 3, 4}));
}

TEST(Drawing, SaveAndRestoreBringBackStateAndObjectsStayWhileSelected) {
  TestDriver driver;
  PixelBoard board(4, 4);
  HPEN pen = CreatePen(PS_SOLID, 0, RGB(255, 0, 0));
  int level = SaveDC(board.dc());
  EXPECT_EQ(level, 1);
  SelectObject(board.dc(), pen);
  SetTextColor(board.dc(), RGB(9, 9, 9));
  SetViewportOrgEx(board.dc(), 2, 2, nullptr);
  EXPECT_FALSE(DeleteObject(pen)) << "a selected pen is not deleted";
  EXPECT_EQ(SaveDC(board.dc()), 2);
  EXPECT_TRUE(RestoreDC(board.dc(), -1));
  EXPECT_EQ(GetTextColor(board.dc()), RGB(9, 9, 9)) << "-1 goes back to the latest save only";
  EXPECT_TRUE(RestoreDC(board.dc(), 1));
  EXPECT_EQ(GetTextColor(board.dc()), RGB(0, 0, 0));
  EXPECT_EQ(GetCurrentObject(board.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
  POINT origin{};
  GetViewportOrgEx(board.dc(), &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_FALSE(RestoreDC(board.dc(), -1)) << "nothing left to restore";
  EXPECT_TRUE(DeleteObject(pen)) << "released by the restore";
  EXPECT_FALSE(DeleteObject(GetStockObject(BLACK_PEN))) << "stock objects stay";
}

TEST(Drawing, AnisotropicMappingScalesAndOffsetsCoordinates) {
  TestDriver driver;
  PixelBoard board(10, 10);
  EXPECT_EQ(SetMapMode(board.dc(), MM_ANISOTROPIC), MM_TEXT);
  SetWindowExtEx(board.dc(), 100, 100, nullptr);
  SetViewportExtEx(board.dc(), 10, 10, nullptr);
  SetViewportOrgEx(board.dc(), 1, 1, nullptr);
  RECT rect{0, 0, 40, 20};
  FillRect(board.dc(), &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  POINT point{30, 30};
  LPtoDP(board.dc(), &point, 1);
  EXPECT_EQ(point.x, 4);
  DPtoLP(board.dc(), &point, 1);
  EXPECT_EQ(point.x, 30);
  EXPECT_FALSE(SetWindowExtEx(board.dc(), 0, 5, nullptr)) << "a zero extent would divide by zero";
  // Read back one to one.
  SetMapMode(board.dc(), MM_TEXT);
  SetViewportOrgEx(board.dc(), 0, 0, nullptr);
  RECT expected{1, 1, 5, 3};
  RECT ink = board.inkBounds();
  EXPECT_TRUE(EqualRect(&ink, &expected))
      << ink.left << "," << ink.top << "," << ink.right << "," << ink.bottom;
}

TEST(Drawing, EllipsesArcsAndPiesStayInsideTheirBox) {
  TestDriver driver;
  struct Case {
    const char* name;
    std::function<void(HDC)> draw;
    RECT box;
  };
  const Case cases[] = {
      {"ellipse", [](HDC dc) { Ellipse(dc, 2, 3, 18, 13); }, {2, 3, 18, 13}},
      // From the right-hand point anticlockwise to the top: the upper-right quarter.
      {"arc", [](HDC dc) { Arc(dc, 0, 0, 20, 20, 20, 10, 10, 0); }, {10, 0, 20, 11}},
      // The two radii meet at the centre, which lies between pixels.
      {"pie", [](HDC dc) { Pie(dc, 0, 0, 20, 20, 20, 10, 10, 0); }, {9, 0, 20, 11}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    PixelBoard board(20, 20);
    test.draw(board.dc());
    RECT ink = board.inkBounds();
    RECT inside{};
    IntersectRect(&inside, &ink, &test.box);
    EXPECT_TRUE(EqualRect(&inside, &ink))
        << ink.left << "," << ink.top << "," << ink.right << "," << ink.bottom;
    EXPECT_GE(ink.right - ink.left, test.box.right - test.box.left - 2) << "and reach across it";
  }
}

TEST(Drawing, PolygonFillsItsInsideAndOutlinesItsEdges) {
  TestDriver driver;
  PixelBoard board(6, 6);
  SelectObject(board.dc(), GetStockObject(BLACK_BRUSH));
  SelectObject(board.dc(), GetStockObject(NULL_PEN));
  POINT square[] = {{1, 1}, {4, 1}, {4, 4}, {1, 4}};
  Polygon(board.dc(), square, 4);
  EXPECT_EQ(board.at(2, 2), RGB(0, 0, 0));
  EXPECT_EQ(board.at(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(board.at(5, 5), RGB(255, 255, 255));
}

}  // namespace native::test
