#include <gtest/gtest.h>

#include <vector>

#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowobject.h"
#include "framework/win32/tests/zafpaintsurfacetest.h"

namespace {

constexpr native::COLORREF kFace = native::RGB(0, 128, 0);
constexpr native::COLORREF kLight = native::RGB(255, 0, 0);
constexpr native::COLORREF kDark = native::RGB(0, 0, 255);

// An object whose background and shadow entries are distinct native colours.
class DecoratedObject : public ZafWindowObject {
 public:
  DecoratedObject() : ZafWindowObject(0, 0, 10, 1) {}
  ZafPaletteStruct LogicalPalette(uint16_t type, uint16_t) override {
    ZafPaletteStruct palette;
    palette.colorForeground = ZAF_OS_COLOR_INDEX;
    palette.colorBackground = ZAF_OS_COLOR_INDEX;
    const native::COLORREF color = type == ZAF_PM_LIGHT_SHADOW  ? kLight
                                   : type == ZAF_PM_DARK_SHADOW ? kDark
                                                                : kFace;
    palette.osForeground = color;
    palette.osBackground = color;
    return palette;
  }
};

struct ParentCall {
  ZafRegionStruct region;
  ZafEventType drawType;
};

// A parent that records what its children hand it instead of drawing.
class RecordingParent : public ZafWindow {
 public:
  RecordingParent() : ZafWindow(0, 0, 20, 10) {}
  ZafEventType DrawBorder(ZafRegionStruct& region, ZafEventType drawType) override {
    borders.push_back({region, drawType});
    return drawType;
  }
  ZafEventType DrawFocus(ZafRegionStruct& region, ZafEventType drawType) override {
    focusMarks.push_back({region, drawType});
    region = {};
    return drawType;
  }
  std::vector<ParentCall> borders;
  std::vector<ParentCall> focusMarks;
};

class ZafWindowObjectDecorationTest : public ZafPaintSurfaceTest {
 protected:
  // Counts the pixels that are no longer white, inside and outside `area`.
  void CountPainted(const ZafRegionStruct& area, int& inside, int& outside) {
    inside = 0;
    outside = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        if (At(x, y) == kWhite) {
          continue;
        }
        const bool in = x >= area.left && x <= area.right && y >= area.top && y <= area.bottom;
        (in ? inside : outside) += 1;
      }
    }
  }
  // The pixels off the white background on the outline of `box`, and anywhere else.
  void CountOutline(const ZafRegionStruct& box, int& onOutline, int& elsewhere) {
    onOutline = 0;
    elsewhere = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        if (At(x, y) == kWhite) {
          continue;
        }
        const bool inBox = x >= box.left && x <= box.right && y >= box.top && y <= box.bottom;
        const bool onEdge = x == box.left || x == box.right || y == box.top || y == box.bottom;
        (inBox && onEdge ? onOutline : elsewhere) += 1;
      }
    }
  }

  DecoratedObject object;
};

const ZafRegionStruct kBox{5, 5, 14, 14, ZAF_PIXEL};

TEST_F(ZafWindowObjectDecorationTest, BackgroundFillsTheRegionForDrawingTypesOnly) {
  struct Case {
    ZafEventType drawType;
    bool filled;
  };
  const Case cases[] = {{RedisplayEvent, true},
                        {RedisplayRegionEvent, true},
                        {DrawNowEvent, true},
                        {ChosenEvent, true},
                        {FocusGainedEvent, false},
                        {FocusLostEvent, false},
                        {0, false}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.drawType);
    Begin();
    ZafRegionStruct region = kBox;
    EXPECT_EQ(object.DrawBackground(region, test.drawType), test.drawType);
    EXPECT_EQ(region, kBox);
    int inside = 0;
    int outside = 0;
    CountPainted(kBox, inside, outside);
    EXPECT_EQ(inside, test.filled ? 100 : 0);
    EXPECT_EQ(outside, 0);
    if (test.filled) {
      EXPECT_EQ(At(5, 5), kFace);
      EXPECT_EQ(At(14, 14), kFace);
    }
    screen.EndDraw();
  }
}

TEST_F(ZafWindowObjectDecorationTest, BorderIsTwoSunkenRingsThatShrinkTheRegion) {
  Begin();
  ZafRegionStruct region = kBox;
  EXPECT_EQ(object.DrawBorder(region, RedisplayEvent), RedisplayEvent);
  EXPECT_EQ(region, (ZafRegionStruct{7, 7, 12, 12, ZAF_PIXEL}));
  EXPECT_EQ(At(5, 5), kDark);
  EXPECT_EQ(At(14, 14), kLight);
  EXPECT_EQ(At(7, 7), kWhite);
  EXPECT_EQ(At(4, 4), kWhite);
  screen.EndDraw();
}

TEST_F(ZafWindowObjectDecorationTest, BorderGoesToTheParentWhenItDrawsBorders) {
  RecordingParent parent;
  auto* child = new DecoratedObject;
  parent.Add(child);
  EXPECT_TRUE(child->SetParentDrawBorder(true));
  Begin();
  ZafRegionStruct region = kBox;
  EXPECT_EQ(child->DrawBorder(region, RedisplayEvent), RedisplayEvent);
  ASSERT_EQ(parent.borders.size(), 1u);
  EXPECT_EQ(parent.borders[0].region, kBox);
  EXPECT_EQ(parent.borders[0].drawType, RedisplayEvent);
  int inside = 0;
  int outside = 0;
  CountPainted(kBox, inside, outside);
  EXPECT_EQ(inside + outside, 0);
  screen.EndDraw();
}

TEST_F(ZafWindowObjectDecorationTest, ParentlessObjectDrawsItsOwnBorderDespiteTheFlag) {
  EXPECT_TRUE(object.SetParentDrawBorder(true));
  Begin();
  ZafRegionStruct region = kBox;
  object.DrawBorder(region, RedisplayEvent);
  EXPECT_EQ(region, (ZafRegionStruct{7, 7, 12, 12, ZAF_PIXEL}));
  EXPECT_EQ(At(5, 5), kDark);
  screen.EndDraw();
}

TEST_F(ZafWindowObjectDecorationTest, FocusMarkIsDrawnOnFocusChangesAndRedisplaysOfTheCurrentObject) {
  struct Case {
    const char* name;
    ZafEventType drawType;
    bool current;
    bool drawn;
  };
  const Case cases[] = {
      {"focus gained", FocusGainedEvent, false, true},
      {"focus lost", FocusLostEvent, false, true},
      {"redisplay of the current object", RedisplayEvent, true, true},
      {"region redisplay of the current object", RedisplayRegionEvent, true, true},
      {"redisplay of another object", RedisplayEvent, false, false},
      {"region redisplay of another object", RedisplayRegionEvent, false, false},
      {"draw now", DrawNowEvent, true, false},
      {"chosen", ChosenEvent, true, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    object.SetFocus(test.current);
    Begin();
    ZafRegionStruct region = kBox;
    EXPECT_EQ(object.DrawFocus(region, test.drawType), test.drawType);
    EXPECT_EQ(region, (ZafRegionStruct{6, 6, 13, 13, ZAF_PIXEL}));
    int onOutline = 0;
    int elsewhere = 0;
    CountOutline(kBox, onOutline, elsewhere);
    EXPECT_EQ(onOutline > 0, test.drawn);
    EXPECT_EQ(elsewhere, 0);
    screen.EndDraw();
  }
}

TEST_F(ZafWindowObjectDecorationTest, FocusMarkDrawnTwiceIsRemoved) {
  Begin();
  ZafRegionStruct gained = kBox;
  object.DrawFocus(gained, FocusGainedEvent);
  int onOutline = 0;
  int elsewhere = 0;
  CountOutline(kBox, onOutline, elsewhere);
  EXPECT_GT(onOutline, 0);
  ZafRegionStruct lost = kBox;
  object.DrawFocus(lost, FocusLostEvent);
  CountOutline(kBox, onOutline, elsewhere);
  EXPECT_EQ(onOutline + elsewhere, 0);
  screen.EndDraw();
}

TEST_F(ZafWindowObjectDecorationTest, FocusMarkGoesToTheParentWhenItDrawsFocus) {
  struct Case {
    const char* name;
    ZafEventType drawType;
    bool current;
    ZafEventType handedOn;
  };
  const Case cases[] = {
      {"redisplay of a current child", RedisplayEvent, true, RedisplayEvent},
      {"redisplay of another child", RedisplayEvent, false, 0},
      {"region redisplay of another child", RedisplayRegionEvent, false, 0},
      {"focus gained", FocusGainedEvent, false, FocusGainedEvent},
      {"focus lost", FocusLostEvent, true, FocusLostEvent},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    RecordingParent parent;
    auto* child = new DecoratedObject;
    child->SetRegion(kBox);
    child->SetOwnNativeWindow(false);
    parent.Add(child);
    EXPECT_TRUE(child->SetParentDrawFocus(true));
    child->SetFocus(test.current);
    Begin();
    // The child draws inside its border; the parent marks the child's whole drawing region, and the
    // region the child is drawing in stays as it was.
    const ZafRegionStruct inside{kBox.left + 2, kBox.top + 2, kBox.right - 2, kBox.bottom - 2, ZAF_PIXEL};
    ZafRegionStruct region = inside;
    EXPECT_EQ(child->DrawFocus(region, test.drawType), test.drawType);
    EXPECT_EQ(region, inside);
    ASSERT_EQ(parent.focusMarks.size(), 1u);
    EXPECT_EQ(parent.focusMarks[0].region, kBox);
    EXPECT_EQ(parent.focusMarks[0].drawType, test.handedOn);
    int onOutline = 0;
    int elsewhere = 0;
    CountOutline(kBox, onOutline, elsewhere);
    EXPECT_EQ(onOutline + elsewhere, 0);
    screen.EndDraw();
  }
}

TEST_F(ZafWindowObjectDecorationTest, BackgroundReachesTheDesktop) {
  Begin();
  ZafRegionStruct region{0, 0, 9, 9, ZAF_PIXEL};
  object.DrawBackground(region, RedisplayEvent);
  screen.EndDraw();
  EXPECT_EQ(driver.pixel(100, 80), kFace);
  EXPECT_EQ(driver.pixel(109, 89), kFace);
  EXPECT_EQ(driver.pixel(110, 90), kWhite);
}

}  // namespace
