#include <gtest/gtest.h>

#include <vector>

#include "framework/core/zafwindowobject.h"
#include "framework/win32/tests/zafpaintsurfacetest.h"
#include "framework/win32/zafgdidisplay.h"

namespace {

constexpr native::COLORREF kLight = native::RGB(255, 0, 0);
constexpr native::COLORREF kLightBackground = native::RGB(0, 255, 0);
constexpr native::COLORREF kDark = native::RGB(0, 0, 255);
constexpr native::COLORREF kDarkBackground = native::RGB(255, 255, 0);

// An object whose light and dark shadow entries are four distinct native colours.
class ShadowObject : public ZafWindowObject {
 public:
  ShadowObject() : ZafWindowObject(0, 0, 10, 1) {}
  ZafPaletteStruct LogicalPalette(uint16_t type, uint16_t) override {
    ZafPaletteStruct palette;
    palette.colorForeground = ZAF_OS_COLOR_INDEX;
    palette.colorBackground = ZAF_OS_COLOR_INDEX;
    palette.osForeground = type == ZAF_PM_LIGHT_SHADOW ? kLight : kDark;
    palette.osBackground = type == ZAF_PM_LIGHT_SHADOW ? kLightBackground : kDarkBackground;
    return palette;
  }
};

struct ExpectedPixel {
  int x;
  int y;
  native::COLORREF color;
};

struct ShadowCase {
  const char* name;
  ZafRegionStruct region;
  int32_t depth;
  ZafEventType drawType;
  ZafRegionStruct shrunk;
  int paintedPixels;
  std::vector<ExpectedPixel> pixels;
};

class ZafWindowObjectShadowTest : public ZafPaintSurfaceTest {
 protected:
  int PaintedPixels() {
    int count = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        count += At(x, y) != kWhite ? 1 : 0;
      }
    }
    return count;
  }

  ShadowObject object;
};

TEST_F(ZafWindowObjectShadowTest, RingsTakeTheirColoursByDepthAndShrinkTheRegion) {
  const ZafRegionStruct box{5, 5, 14, 14, ZAF_PIXEL};
  const ShadowCase cases[] = {
      {"sunken two rings",
       box,
       -2,
       RedisplayEvent,
       {7, 7, 12, 12, ZAF_PIXEL},
       36 + 28,
       {{5, 14, kLight},
        {14, 5, kLight},
        {14, 14, kLight},
        {10, 14, kLight},
        {5, 5, kDark},
        {10, 5, kDark},
        {5, 10, kDark},
        {6, 6, kDarkBackground},
        {10, 6, kDarkBackground},
        {6, 10, kDarkBackground},
        {13, 13, kLightBackground},
        {13, 6, kLightBackground},
        {6, 13, kLightBackground},
        {7, 7, kWhite},
        {12, 12, kWhite},
        {4, 4, kWhite},
        {15, 15, kWhite}}},
      {"sunken, region redisplay",
       box,
       -1,
       RedisplayRegionEvent,
       {6, 6, 13, 13, ZAF_PIXEL},
       36,
       {{5, 5, kDark}, {14, 14, kLight}, {6, 6, kWhite}}},
      {"depth 0: sunken outer ring around a raised one",
       box,
       0,
       RedisplayEvent,
       {7, 7, 12, 12, ZAF_PIXEL},
       36 + 28,
       {{5, 5, kDark}, {14, 14, kLight}, {6, 6, kLight}, {13, 13, kDark}, {7, 7, kWhite}}},
      {"raised one ring",
       box,
       1,
       RedisplayEvent,
       {6, 6, 13, 13, ZAF_PIXEL},
       36,
       {{5, 5, kLight}, {10, 5, kLight}, {14, 14, kDark}, {14, 5, kDark}, {6, 6, kWhite}}},
      {"raised three rings: the outer one in background colours",
       box,
       3,
       RedisplayEvent,
       {8, 8, 11, 11, ZAF_PIXEL},
       36 + 28 + 20,
       {{5, 5, kLightBackground},
        {14, 14, kDarkBackground},
        {6, 6, kLight},
        {13, 13, kDark},
        {7, 7, kLight},
        {12, 12, kDark},
        {8, 8, kWhite}}},
      {"other draw types draw nothing",
       box,
       -2,
       -16,
       {7, 7, 12, 12, ZAF_PIXEL},
       0,
       {{5, 5, kWhite}, {14, 14, kWhite}}},
      {"other draw types keep a depth 0 region", box, 0, 0, {5, 5, 14, 14, ZAF_PIXEL}, 0, {}},
      {"rings deeper than the object stay inside it",
       {5, 5, 6, 6, ZAF_PIXEL},
       -3,
       RedisplayEvent,
       {8, 8, 3, 3, ZAF_PIXEL},
       4,
       {{5, 5, kDark}, {6, 5, kLight}, {5, 6, kLight}, {6, 6, kLight}}},
  };
  for (const ShadowCase& test : cases) {
    SCOPED_TRACE(test.name);
    Begin();
    ZafRegionStruct region = test.region;
    object.DrawShadow(region, test.depth, test.drawType);
    EXPECT_EQ(region, test.shrunk);
    EXPECT_EQ(PaintedPixels(), test.paintedPixels);
    for (const ExpectedPixel& pixel : test.pixels) {
      EXPECT_EQ(At(pixel.x, pixel.y), pixel.color) << "at " << pixel.x << ", " << pixel.y;
    }
    screen.EndDraw();
  }
}

TEST_F(ZafWindowObjectShadowTest, ShadowReachesTheDesktop) {
  Begin();
  ZafRegionStruct region{0, 0, 9, 9, ZAF_PIXEL};
  object.DrawShadow(region, -2, RedisplayEvent);
  screen.EndDraw();
  EXPECT_EQ(driver.pixel(100, 80), kDark);
  EXPECT_EQ(driver.pixel(109, 89), kLight);
  EXPECT_EQ(driver.pixel(101, 81), kDarkBackground);
  EXPECT_EQ(driver.pixel(102, 82), kWhite);
}

}  // namespace
