#include "framework/win32/zafgdidisplay.h"

#include <gtest/gtest.h>

#include "framework/data/zafmousedata.h"
#include "framework/win32/zafcache.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafscreendisplay.h"
#include "native/native.h"
#include "native/testdriver.h"
#include "native/user/windowsystem.h"
#include "testing/zaftestapplication.h"

namespace {

constexpr native::COLORREF kWhite = native::RGB(255, 255, 255);
constexpr native::COLORREF kBlack = native::RGB(0, 0, 0);
constexpr int kLeft = 100;
constexpr int kTop = 80;

// A borderless window at (kLeft, kTop), so window pixel (x, y) is desktop pixel (kLeft + x, kTop + y),
// painted white before each drawing.
class ZafGdiDisplayTest : public testing::Test {
 protected:
  ZafGdiDisplayTest() {
    window = native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, nullptr,
                                    native::WS_POPUP | native::WS_VISIBLE, kLeft, kTop, 200, 100, nullptr,
                                    nullptr, nullptr, nullptr);
    driver.pumpUntilIdle();
  }
  ~ZafGdiDisplayTest() override { native::DestroyWindow(window); }

  // Begins drawing on the window in black on white, whole window as clip.
  void Begin() {
    screen.BeginDraw(nullptr, window, {0, 0, 199, 99, ZAF_PIXEL}, {0, 0, 199, 99, ZAF_PIXEL});
    screen.SetBackground(15);
    screen.Rectangle(0, 0, 199, 99, 0, true);
    screen.SetForeground(0);
  }
  // While a drawing is under way its device context is read (the desktop shows the window once the
  // drawing gives its device context back); afterwards the desktop.
  native::COLORREF At(int x, int y) {
    if (native::HDC dc = screen.DeviceContext()) {
      return native::GetPixel(dc, x, y);
    }
    return driver.pixel(kLeft + x, kTop + y);
  }
  // The x of every black pixel of a row between 0 and `end`.
  std::vector<int> BlackInRow(int y, int end) {
    std::vector<int> found;
    for (int x = 0; x <= end; ++x) {
      if (At(x, y) == kBlack) {
        found.push_back(x);
      }
    }
    return found;
  }
  int DarkPixels(int right, int bottom) {
    int count = 0;
    for (int y = 0; y <= bottom; ++y) {
      for (int x = 0; x <= right; ++x) {
        count += At(x, y) != kWhite ? 1 : 0;
      }
    }
    return count;
  }

  native::TestDriver driver{native::DesktopOptions{640, 480, 96}};
  ZafTestApplication application;
  ZafScreenDisplay screen;
  native::HWND window = nullptr;
};

std::vector<int> Range(int from, int to) {
  std::vector<int> values;
  for (int value = from; value <= to; ++value) {
    values.push_back(value);
  }
  return values;
}

}  // namespace

TEST_F(ZafGdiDisplayTest, OnePixelLinesIncludeTheirEndPoint) {
  Begin();
  screen.Line(0, 10, 10, 10, 1);
  screen.Line(20, 20, 20, 30, 1);
  screen.Line(40, 30, 30, 30, -1);
  screen.EndDraw();
  EXPECT_EQ(BlackInRow(10, 50), Range(0, 10));
  EXPECT_EQ(BlackInRow(30, 50), (std::vector<int>{20, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40}));
  EXPECT_EQ(At(20, 19), kWhite);
  EXPECT_EQ(At(20, 31), kWhite);
}

TEST_F(ZafGdiDisplayTest, DiagonalLineReachesItsEndPoint) {
  Begin();
  screen.Line(0, 0, 10, 10, 1);
  screen.Line(50, 0, 60, 5, 1);
  screen.EndDraw();
  EXPECT_EQ(At(10, 10), kBlack);
  EXPECT_EQ(At(11, 11), kWhite);
  EXPECT_EQ(At(60, 5), kBlack);
}

TEST_F(ZafGdiDisplayTest, RectanglesFillAndOutlineInclusiveEdges) {
  Begin();
  screen.Rectangle(10, 10, 19, 14, 1, false);
  screen.SetBackground(0);
  screen.Rectangle(30, 10, 34, 12, 0, true);
  screen.EndDraw();
  EXPECT_EQ(BlackInRow(10, 25), Range(10, 19));
  EXPECT_EQ(BlackInRow(12, 25), (std::vector<int>{10, 19}));
  EXPECT_EQ(BlackInRow(14, 25), Range(10, 19));
  EXPECT_EQ(At(10, 15), kWhite);
  EXPECT_EQ(BlackInRow(12, 40).size(), 2u + 5u);
  EXPECT_EQ(At(34, 12), kBlack);
  EXPECT_EQ(At(35, 12), kWhite);
  EXPECT_EQ(At(34, 13), kWhite);
}

TEST_F(ZafGdiDisplayTest, ScaleAndOriginMoveAndGrowTheDrawing) {
  Begin();
  screen.originX = 5;
  screen.originY = 7;
  screen.scaleNumerator = 2;
  screen.scaleDenominator = 1;
  screen.Line(0, 0, 10, 0, -1);
  screen.Line(0, 10, 10, 10, 1);
  screen.EndDraw();
  // (0..10) x 2 + 5, the end point included.
  EXPECT_EQ(BlackInRow(7, 40), Range(5, 25));
  // A width of 1 is scaled with the drawing: two rows thick around y = 10 x 2 + 7.
  int rows = 0;
  for (int y = 22; y <= 32; ++y) {
    rows += At(15, y) == kBlack ? 1 : 0;
  }
  EXPECT_EQ(rows, 2);
  // The outermost EndDraw returns to scale 1/1 at origin 0.
  EXPECT_EQ(screen.scaleNumerator, 1);
  EXPECT_EQ(screen.originX, 0);
}

TEST_F(ZafGdiDisplayTest, NestedDrawingSharesOneDeviceContext) {
  Begin();
  const native::HDC outer = screen.DeviceContext();
  ASSERT_NE(outer, nullptr);
  screen.BeginDraw(nullptr, window, {}, {0, 0, 199, 99, ZAF_PIXEL});
  EXPECT_EQ(screen.DeviceContext(), outer);
  screen.EndDraw();
  EXPECT_EQ(screen.DeviceContext(), outer);
  screen.EndDraw();
  EXPECT_EQ(screen.DeviceContext(), nullptr);
  EXPECT_EQ(screen.DeviceWindow(), nullptr);
}

// The inner pair gives the outer drawing back the clip it had, not the whole display less a pixel.
TEST_F(ZafGdiDisplayTest, InnerEndDrawRestoresTheOuterClip) {
  const ZafRegionStruct outerClip{10, 10, 59, 49, ZAF_PIXEL};
  screen.BeginDraw(nullptr, window, {}, outerClip);
  screen.BeginDraw(nullptr, window, {}, {20, 20, 29, 29, ZAF_PIXEL});
  EXPECT_EQ(screen.ClipRegion(), (ZafRegionStruct{20, 20, 30, 30, ZAF_PIXEL}));
  screen.EndDraw();
  EXPECT_EQ(screen.clipRegion, outerClip);
  EXPECT_EQ(screen.ClipRegion(), (ZafRegionStruct{10, 10, 60, 50, ZAF_PIXEL}));
  screen.SetBackground(0);
  screen.Rectangle(0, 0, 199, 99, 0, true);
  screen.EndDraw();
  EXPECT_EQ(At(9, 20), kWhite);
  EXPECT_EQ(At(10, 10), kBlack);
  EXPECT_EQ(At(59, 49), kBlack);
  EXPECT_EQ(At(60, 49), kWhite);
}

TEST_F(ZafGdiDisplayTest, DrawingReleasesEveryCachedObjectAndReusesThem) {
  for (int round = 0; round < 3; ++round) {
    Begin();
    screen.Line(0, 0, 10, 0, 1);
    screen.Line(0, 5, 10, 5, 3);
    screen.Rectangle(0, 10, 20, 20, 2, false);
    screen.EndDraw();
  }
  const int count = ZafGdiDisplay::Cache()->Count();
  Begin();
  screen.Line(0, 0, 10, 0, 1);
  screen.Line(0, 5, 10, 5, 3);
  screen.EndDraw();
  EXPECT_EQ(ZafGdiDisplay::Cache()->Count(), count);
  for (const auto& element : ZafGdiDisplay::Cache()->Elements()) {
    EXPECT_EQ(element.useCount, 0);
  }
}

TEST_F(ZafGdiDisplayTest, PaletteIndexesOutsideTheTableDrawInColourZero) {
  Begin();
  ZafPaletteStruct palette = ZafGdiDisplay::DefaultPalette();
  palette.colorForeground = 200;
  palette.lineStyle = 77;
  palette.fillPattern = 99;
  screen.SetPalette(palette);
  screen.Line(0, 0, 10, 0, 1);
  screen.EndDraw();
  EXPECT_EQ(At(5, 0), kBlack);
}

TEST_F(ZafGdiDisplayTest, HotKeyIsUnderlined) {
  Begin();
  screen.Text(0, 0, 60, 20, u"MMM", -1, 0, 0, -1, false);
  screen.EndDraw();
  const int plain = DarkPixels(60, 20);
  ASSERT_GT(plain, 0);
  Begin();
  screen.Text(0, 0, 60, 20, u"MMM", -1, 0, 0, 1, false);
  screen.EndDraw();
  EXPECT_GT(DarkPixels(60, 20), plain);
}

TEST_F(ZafGdiDisplayTest, ExclusiveOrTextDrawnTwiceLeavesNothing) {
  Begin();
  // White exclusive-or white text darkens the white window.
  screen.SetForeground(15);
  screen.SetMode(1);
  screen.Text(0, 0, 60, 20, u"Text", -1, 0, 0, -1, false);
  EXPECT_GT(DarkPixels(60, 20), 0);
  screen.Text(0, 0, 60, 20, u"Text", -1, 0, 0, -1, false);
  screen.EndDraw();
  EXPECT_EQ(DarkPixels(60, 20), 0);
}

TEST_F(ZafGdiDisplayTest, TextSizeOfNoTextIsEmpty) {
  EXPECT_EQ(screen.TextSize(u"", -1), (ZafRegionStruct{1, 1, 0, 0, ZAF_PIXEL}));
  EXPECT_EQ(screen.TextSize(nullptr, 5), (ZafRegionStruct{1, 1, 0, 0, ZAF_PIXEL}));
  const ZafRegionStruct two = screen.TextSize(u"ab", -1);
  const ZafRegionStruct one = screen.TextSize(u"abc", 1);
  EXPECT_GT(two.right, one.right);
  EXPECT_EQ(two.left, 1);
  // A length past the terminator stops at it.
  EXPECT_EQ(screen.TextSize(u"ab", 40), two);
}

TEST_F(ZafGdiDisplayTest, FocusRectangleDrawnTwiceIsGone) {
  Begin();
  const ZafRegionStruct focus{10, 10, 40, 20, ZAF_PIXEL};
  screen.FocusRectangle(&focus, nullptr);
  EXPECT_GT(DarkPixels(60, 30), 0);
  screen.FocusRectangle(nullptr, &focus);
  screen.EndDraw();
  EXPECT_EQ(DarkPixels(60, 30), 0);
}

TEST_F(ZafGdiDisplayTest, DeviceIndependentBitsOfBothDepthsLandTopDown) {
  struct Case {
    int32_t bitsPerPixel;
    std::vector<uint8_t> bits;  // 2 x 2, rows padded to 4 bytes: top row red, bottom row blue
  } cases[] = {
      {24, {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0}},
      {15, {0x00, 0x7C, 0x00, 0x7C, 0x1F, 0x00, 0x1F, 0x00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bitsPerPixel);
    Begin();
    screen.DeviceIndependentBits({0, 0, 3, 3, ZAF_PIXEL}, 2, 2, c.bits.data(), c.bitsPerPixel);
    screen.EndDraw();
    EXPECT_EQ(At(0, 0), native::RGB(255, 0, 0));
    EXPECT_EQ(At(3, 1), native::RGB(255, 0, 0));
    EXPECT_EQ(At(0, 3), native::RGB(0, 0, 255));
    EXPECT_EQ(At(4, 0), kWhite);
  }
}

TEST_F(ZafGdiDisplayTest, MouseImageIsCentredInA32By32Cursor) {
  std::vector<uint8_t> pixels(16 * 16, 0xFF);
  pixels[0] = 0;   // black at the top-left
  pixels[1] = 15;  // white next to it
  ZafMouseData mouse(16, 16, pixels.data(), true);
  mouse.SetHotSpot(3, 4);
  const native::HCURSOR cursor = screen.ConvertToOSMouse(&mouse);
  ASSERT_NE(cursor, nullptr);
  const native::CursorShape* shape = native::WindowSystem::get().cursors().find(cursor);
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->width, 32);
  EXPECT_EQ(shape->height, 32);
  EXPECT_EQ(shape->hotSpot.x, 11);
  EXPECT_EQ(shape->hotSpot.y, 12);
  const int rowBytes = native::CursorShape::bytesPerRow(32);
  const auto bit = [&](const std::vector<native::BYTE>& plane, int x, int y) {
    return (plane[static_cast<std::size_t>(y * rowBytes + x / 8)] >> (7 - x % 8)) & 1;
  };
  EXPECT_EQ(bit(shape->andPlane, 8, 8), 0);
  EXPECT_EQ(bit(shape->xorPlane, 8, 8), 0);
  EXPECT_EQ(bit(shape->andPlane, 9, 8), 0);
  EXPECT_EQ(bit(shape->xorPlane, 9, 8), 1);
  EXPECT_EQ(bit(shape->andPlane, 10, 8), 1);
  EXPECT_EQ(bit(shape->andPlane, 0, 0), 1);
  EXPECT_EQ(bit(shape->andPlane, 31, 31), 1);
  native::DestroyCursor(cursor);
}

TEST_F(ZafGdiDisplayTest, BitmapWithoutTransparencyHasNoMaskAndDrawsWhole) {
  const uint8_t pixels[] = {0, 12, 12, 0};
  ZafBitmapStruct bitmap;
  ZafBitmapStruct::Set(bitmap, 2, 2, pixels, true);
  Begin();
  screen.Bitmap(10, 10, bitmap);
  screen.EndDraw();
  EXPECT_NE(bitmap.bitmap, nullptr);
  EXPECT_EQ(bitmap.mask, nullptr);
  EXPECT_EQ(At(10, 10), kBlack);
  EXPECT_EQ(At(11, 10), native::RGB(255, 0, 0));
  EXPECT_EQ(At(10, 11), native::RGB(255, 0, 0));
  EXPECT_EQ(At(11, 11), kBlack);
  screen.DestroyOSBitmap(bitmap);
}

TEST_F(ZafGdiDisplayTest, TransparentPixelsKeepWhatIsUnderThem) {
  const uint8_t pixels[] = {255, 9, 9, 255};
  ZafBitmapStruct bitmap;
  ZafBitmapStruct::Set(bitmap, 2, 2, pixels, true);
  Begin();
  screen.SetBackground(10);
  screen.Rectangle(0, 0, 30, 30, 0, true);
  screen.Bitmap(10, 10, bitmap);
  screen.EndDraw();
  EXPECT_NE(bitmap.mask, nullptr);
  EXPECT_EQ(At(10, 10), native::RGB(0, 255, 0));
  EXPECT_EQ(At(11, 10), native::RGB(0, 0, 255));
  EXPECT_EQ(At(10, 11), native::RGB(0, 0, 255));
  EXPECT_EQ(At(11, 11), native::RGB(0, 255, 0));
  screen.DestroyOSBitmap(bitmap);
}

TEST_F(ZafGdiDisplayTest, BitmapAndIconRoundTripThroughNativeObjects) {
  const uint8_t pixels[] = {0, 1, 2, 255, 15, 16, 7, 255, 9, 255, 255, 4};
  ZafBitmapStruct bitmap;
  ZafBitmapStruct::Set(bitmap, 4, 3, pixels, true);
  EXPECT_EQ(screen.ConvertToZafBitmap(bitmap), ZAF_ERROR_NO_NATIVE_IMAGE);
  screen.ConvertToOSBitmap(bitmap);
  ASSERT_EQ(screen.ConvertToZafBitmap(bitmap), 0);
  EXPECT_FALSE(bitmap.staticPixels);
  EXPECT_EQ(std::vector<uint8_t>(bitmap.pixels, bitmap.pixels + 12),
            std::vector<uint8_t>(pixels, pixels + 12));
  screen.FreeBitmapPixels(bitmap);
  EXPECT_EQ(bitmap.pixels, nullptr);
  screen.DestroyOSBitmap(bitmap);
  EXPECT_EQ(bitmap.bitmap, nullptr);

  ZafIconStruct icon;
  icon.width = 4;
  icon.height = 3;
  icon.pixels = pixels;
  icon.staticPixels = true;
  EXPECT_EQ(screen.ConvertToZafIcon(icon), ZAF_ERROR_NO_NATIVE_IMAGE);
  screen.ConvertToOSIcon(icon);
  ASSERT_NE(icon.icon, nullptr);
  ASSERT_EQ(screen.ConvertToZafIcon(icon), 0);
  EXPECT_EQ(std::vector<uint8_t>(icon.pixels, icon.pixels + 12), std::vector<uint8_t>(pixels, pixels + 12));
  screen.FreeIconPixels(icon);
  screen.DestroyOSIcon(icon);
  EXPECT_EQ(icon.icon, nullptr);
}

TEST_F(ZafGdiDisplayTest, StaticHandlesOutliveDestroy) {
  const uint8_t pixels[] = {1, 255};
  ZafBitmapStruct bitmap;
  ZafBitmapStruct::Set(bitmap, 2, 1, pixels, true);
  screen.ConvertToOSBitmap(bitmap);
  const native::HBITMAP color = static_cast<native::HBITMAP>(bitmap.bitmap);
  bitmap.staticHandles = true;
  screen.DestroyOSBitmap(bitmap);
  EXPECT_EQ(bitmap.bitmap, nullptr);
  EXPECT_NE(native::GetObjectType(color), 0u);
  native::DeleteObject(color);
}

TEST_F(ZafGdiDisplayTest, IconInExclusiveOrModeDrawnTwiceLeavesNothing) {
  std::vector<uint8_t> pixels(16, 15);
  ZafIconStruct icon;
  icon.width = 4;
  icon.height = 4;
  icon.pixels = pixels.data();
  icon.staticPixels = true;
  Begin();
  screen.SetBackground(0);
  screen.Rectangle(0, 0, 30, 30, 0, true);
  screen.Icon(10, 10, icon);
  EXPECT_EQ(At(11, 11), kWhite);
  EXPECT_EQ(At(9, 11), kBlack);
  screen.SetBackground(15);
  screen.Rectangle(0, 0, 30, 30, 0, true);
  screen.SetMode(1);
  // White exclusive-or white is black; the second time it is white again.
  screen.Icon(10, 10, icon);
  EXPECT_EQ(At(11, 11), kBlack);
  EXPECT_EQ(At(14, 11), kWhite);
  screen.Icon(10, 10, icon);
  EXPECT_EQ(At(11, 11), kWhite);
  screen.EndDraw();
  screen.DestroyOSIcon(icon);
}

TEST_F(ZafGdiDisplayTest, PixelTakesTheForegroundForTheNativeColourIndex) {
  Begin();
  screen.Pixel(5, 5, 12, 0);
  screen.SetForeground(9);
  screen.Pixel(6, 5, ZAF_OS_COLOR_INDEX, 0);
  screen.Pixel(7, 5, 500, 0);
  screen.EndDraw();
  EXPECT_EQ(At(5, 5), native::RGB(255, 0, 0));
  EXPECT_EQ(At(6, 5), native::RGB(0, 0, 255));
  // 500 keeps its low byte (244), outside the table: colour 0.
  EXPECT_EQ(At(7, 5), kBlack);
}

TEST_F(ZafGdiDisplayTest, PolygonsCloseWhenAskedAndFill) {
  const int32_t open[] = {10, 10, 30, 10, 30, 30};
  const int32_t triangle[] = {50, 10, 70, 10, 50, 30};
  Begin();
  screen.Polygon(3, open, 1, false, false);
  screen.SetBackground(12);
  screen.Polygon(3, triangle, 1, true, true);
  screen.Polygon(0, triangle, 1, true, true);
  screen.Polygon(2, nullptr, 1, true, true);
  screen.EndDraw();
  EXPECT_EQ(At(20, 10), kBlack);
  EXPECT_EQ(At(30, 20), kBlack);
  // Not closed: no edge back to the start.
  EXPECT_EQ(At(20, 20), kWhite);
  EXPECT_EQ(At(54, 14), native::RGB(255, 0, 0));
  EXPECT_EQ(At(50, 20), kBlack);
  EXPECT_EQ(At(68, 28), kWhite);
}

TEST_F(ZafGdiDisplayTest, EllipsesArcsAndPies) {
  Begin();
  screen.SetBackground(12);
  // A whole turn between the angles is the whole ellipse.
  screen.Ellipse(10, 10, 40, 40, 90.0f, 450.0f, 1, true);
  // The upper right quarter as a pie.
  screen.Ellipse(60, 10, 90, 40, 0.0f, 90.0f, 1, true);
  screen.EndDraw();
  EXPECT_EQ(At(25, 25), native::RGB(255, 0, 0));
  EXPECT_EQ(At(18, 32), native::RGB(255, 0, 0));
  EXPECT_EQ(At(82, 18), native::RGB(255, 0, 0));
  EXPECT_EQ(At(68, 32), kWhite);
  EXPECT_EQ(At(68, 18), kWhite);
}

TEST_F(ZafGdiDisplayTest, CopyAreaMovesPixelsWithoutConversion) {
  Begin();
  screen.SetBackground(12);
  screen.Rectangle(0, 0, 3, 3, 0, true);
  screen.scaleNumerator = 3;
  screen.CopyArea({0, 0, 3, 3, ZAF_PIXEL}, 20, 20);
  screen.EndDraw();
  EXPECT_EQ(At(20, 20), native::RGB(255, 0, 0));
  EXPECT_EQ(At(23, 23), native::RGB(255, 0, 0));
  EXPECT_EQ(At(24, 23), kWhite);
}
