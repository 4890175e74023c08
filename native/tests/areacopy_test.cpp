#include <gtest/gtest.h>

#include <vector>

#include "native/testdriver.h"
#include "native/tests/pixelboard.h"

namespace native::test {

namespace {

constexpr int kWidth = 24;
constexpr int kHeight = 16;
// Three rectangles; rows 4 to 7 cross the first two, so a copy along those rows spans both.
constexpr RECT kClip[] = {{2, 2, 10, 8}, {10, 4, 20, 12}, {4, 12, 9, 15}};

bool inClip(int x, int y) {
  for (const RECT& rect : kClip) {
    if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) {
      return true;
    }
  }
  return false;
}

bool onBoard(int x, int y) {
  return x >= 0 && y >= 0 && x < kWidth && y < kHeight;
}

// Gives every pixel of the board its own colour; `tint` tells two boards apart.
void paintDistinct(PixelBoard& board, int tint) {
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      SetPixel(board.dc(), x, y, RGB(10 * x, 15 * y, tint + x + y));
    }
  }
}

void selectClip(HDC dc) {
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  for (const RECT& rect : kClip) {
    HRGN part = CreateRectRgnIndirect(&rect);
    CombineRgn(clip, clip, part, RGN_OR);
    DeleteObject(part);
  }
  SelectClipRgn(dc, clip);
  DeleteObject(clip);
}

}  // namespace

// Every destination pixel inside the box and the clip takes the colour its source pixel had before the copy
// (or is mixed with it, as the raster operation says), where that pixel lies on its bitmap and inside that
// context's clip; every other pixel keeps its colour.
TEST(AreaCopy, SourceCopyMatchesAPixelByPixelReference) {
  struct Operation {
    DWORD rop;
    COLORREF (*mix)(COLORREF source, COLORREF destination);
  } operations[] = {
      {SRCCOPY, [](COLORREF source, COLORREF) { return source; }},
      {SRCINVERT, [](COLORREF source, COLORREF destination) { return source ^ destination; }},
      {SRCAND, [](COLORREF source, COLORREF destination) { return source & destination; }},
  };
  struct Case {
    const char* name;
    int x, y, width, height, xSource, ySource;
    bool fromOtherBitmap;
  } cases[] = {
      {"down", 2, 5, 18, 10, 2, 2, false},
      {"up", 2, 2, 18, 10, 2, 5, false},
      {"right, across two clip rectangles", 6, 0, 16, 16, 2, 0, false},
      {"left, across two clip rectangles", 2, 0, 16, 16, 6, 0, false},
      {"down and left", 1, 3, 20, 12, 4, 0, false},
      {"up and right", 5, 0, 19, 13, 1, 3, false},
      {"box beyond the bitmap, source partly outside it", -3, -2, 30, 20, 0, 1, false},
      {"from another bitmap without a clip", 0, 0, kWidth, kHeight, 3, -2, true},
  };
  TestDriver driver;
  for (const Operation& operation : operations) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.name << ", rop " << std::hex << operation.rop);
      PixelBoard board(kWidth, kHeight);
      PixelBoard other(kWidth, kHeight);
      paintDistinct(board, 0);
      paintDistinct(other, 100);
      const PixelBoard& source = c.fromOtherBitmap ? other : board;
      const std::vector<COLORREF> sourceBefore = source.pixels();
      std::vector<COLORREF> expected = board.pixels();
      for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
          int sourceX = x + c.xSource - c.x;
          int sourceY = y + c.ySource - c.y;
          bool inBox = x >= c.x && x < c.x + c.width && y >= c.y && y < c.y + c.height;
          bool readable = onBoard(sourceX, sourceY) && (c.fromOtherBitmap || inClip(sourceX, sourceY));
          if (inBox && inClip(x, y) && readable) {
            COLORREF& pixel = expected[static_cast<std::size_t>(y * kWidth + x)];
            pixel = operation.mix(sourceBefore[static_cast<std::size_t>(sourceY * kWidth + sourceX)], pixel);
          }
        }
      }
      selectClip(board.dc());
      EXPECT_TRUE(
          BitBlt(board.dc(), c.x, c.y, c.width, c.height, source.dc(), c.xSource, c.ySource, operation.rop));
      // Pixels are read back without the clip.
      SelectClipRgn(board.dc(), nullptr);
      EXPECT_EQ(board.pixels(), expected);
    }
  }
}

}  // namespace native::test
