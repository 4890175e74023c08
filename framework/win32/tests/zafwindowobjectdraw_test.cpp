#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/core/zafwindowobject.h"
#include "framework/win32/tests/zafwin32testbed.h"
#include "framework/win32/zafscreendisplay.h"
#include "testing/testpictures.h"

namespace {

constexpr native::COLORREF kWhite = native::RGB(255, 255, 255);
constexpr native::COLORREF kFace = native::RGB(0, 128, 0);
constexpr native::COLORREF kLight = native::RGB(255, 0, 0);
constexpr native::COLORREF kDark = native::RGB(0, 0, 255);
constexpr int kLeft = 100;
constexpr int kTop = 80;

// An object in pixels, drawn at its region in the window it is given, whose background and shadow entries
// are distinct native colours.
class PaintedObject : public ZafWindowObject {
 public:
  explicit PaintedObject(const ZafRegionStruct& area) : ZafWindowObject(0, 0, 1, 1) {
    SetRegion(area);
    ownNativeWindow = false;
  }
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

// Draws objects on a 40 x 40 white pop-up through the shared display and reads the desktop back.
class ZafWindowObjectDrawTest : public ZafWin32Test {
 protected:
  ZafWindowObjectDrawTest() {
    window = native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, nullptr,
                                    native::WS_POPUP | native::WS_VISIBLE, kLeft, kTop, 40, 40, nullptr,
                                    nullptr, nullptr, nullptr);
    driver.pumpUntilIdle();
    ZafWindowObject::display = &screen;
    Clear();
  }
  ~ZafWindowObjectDrawTest() override {
    ZafWindowObject::display = nullptr;
    native::DestroyWindow(window);
  }
  void Clear() {
    screen.BeginDraw(nullptr, window, {0, 0, 39, 39, ZAF_PIXEL}, {0, 0, 39, 39, ZAF_PIXEL});
    screen.SetBackground(15);
    screen.Rectangle(0, 0, 39, 39, 0, true);
    screen.EndDraw();
  }
  native::COLORREF At(int x, int y) const { return driver.pixel(kLeft + x, kTop + y); }
  ZafEventType DrawObject(PaintedObject& object, ZafEventType drawType) {
    object.SetScreenID(window);
    ZafEventRecord event;
    event.type = drawType;
    return object.Draw(event, drawType);
  }

  ZafScreenDisplay screen;
  native::HWND window = nullptr;
};

TEST_F(ZafWindowObjectDrawTest, DrawPaintsBorderThenBackgroundInsideIt) {
  PaintedObject object({5, 5, 14, 14, ZAF_PIXEL});
  object.SetBordered(true);
  EXPECT_EQ(DrawObject(object, RedisplayEvent), RedisplayEvent);
  // Two sunken rings: dark above and to the left, light below and to the right.
  EXPECT_EQ(At(5, 5), kDark);
  EXPECT_EQ(At(6, 6), kDark);
  EXPECT_EQ(At(14, 14), kLight);
  EXPECT_EQ(At(13, 13), kLight);
  // The background fills what the border left, and nothing outside the object is touched.
  EXPECT_EQ(At(7, 7), kFace);
  EXPECT_EQ(At(12, 12), kFace);
  EXPECT_EQ(At(4, 4), kWhite);
  EXPECT_EQ(At(15, 15), kWhite);
}

TEST_F(ZafWindowObjectDrawTest, DrawTypesDecideWhatIsPainted) {
  struct Case {
    ZafEventType drawType;
    bool focus;
    native::COLORREF corner;  // the object's top-left pixel
    bool focusMarkOnEdge;     // some pixel of the outline is neither white nor the face
  };
  const Case cases[] = {{RedisplayEvent, false, kFace, false},
                        {RedisplayEvent, true, kFace, true},
                        {DrawNowEvent, false, kFace, false},
                        {FocusGainedEvent, false, kWhite, true},
                        {0, false, kWhite, false}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.drawType);
    Clear();
    PaintedObject object({5, 5, 14, 14, ZAF_PIXEL});
    object.SetFocus(test.focus);
    EXPECT_EQ(DrawObject(object, test.drawType), test.drawType);
    bool marked = false;
    for (int i = 5; i <= 14; ++i) {
      for (const native::COLORREF color : {At(i, 5), At(5, i), At(i, 14), At(14, i)}) {
        marked = marked || (color != kWhite && color != kFace);
      }
    }
    EXPECT_EQ(marked, test.focusMarkOnEdge);
    if (!test.focusMarkOnEdge) {
      EXPECT_EQ(At(5, 5), test.corner);
    }
    EXPECT_EQ(At(10, 10), test.corner);
    EXPECT_EQ(At(4, 10), kWhite);
  }
}

TEST_F(ZafWindowObjectDrawTest, NestedDrawingKeepsTheContextUntilTheOutermostEnd) {
  for (const bool editMode : {false, true}) {
    SCOPED_TRACE(editMode);
    PaintedObject object({5, 5, 14, 14, ZAF_PIXEL});
    object.SetEditMode(editMode);
    object.SetScreenID(window);
    const ZafRegionStruct outer = object.BeginDraw();
    EXPECT_EQ(outer, ZafRegionStruct(5, 5, 14, 14, ZAF_PIXEL));
    EXPECT_NE(screen.DeviceContext(), nullptr);
    object.BeginDraw();
    object.EndDraw();
    EXPECT_NE(screen.DeviceContext(), nullptr);
    object.EndDraw();
    EXPECT_EQ(screen.DeviceContext(), nullptr);
  }
}

TEST_F(ZafWindowObjectDrawTest, SnapshotOfDecoratedObjects) {
  PaintedObject plain({2, 2, 11, 11, ZAF_PIXEL});
  PaintedObject bordered({14, 2, 27, 15, ZAF_PIXEL});
  bordered.SetBordered(true);
  PaintedObject focused({2, 18, 20, 37, ZAF_PIXEL});
  focused.SetBordered(true);
  focused.SetFocus(true);
  for (PaintedObject* object : {&plain, &bordered, &focused}) {
    DrawObject(*object, RedisplayEvent);
  }
  const std::string path = TestPicturePath("window_objects.png");
  ASSERT_TRUE(driver.snapshot(path));
  EXPECT_GT(std::filesystem::file_size(path), 0u);
  EXPECT_EQ(At(2, 2), kFace);
  EXPECT_EQ(At(14, 2), kDark);
  EXPECT_EQ(At(27, 15), kLight);
  EXPECT_EQ(At(2, 18), kDark);
  EXPECT_EQ(At(30, 30), kWhite);
}

}  // namespace
