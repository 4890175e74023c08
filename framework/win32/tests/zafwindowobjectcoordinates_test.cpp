#include <gtest/gtest.h>

#include "framework/core/zafwindowmanager.h"
#include "framework/win32/tests/zafwin32testbed.h"
#include "framework/win32/zafscreendisplay.h"

namespace {

// A tree of objects over two nested native windows, both with a border so their client areas start
// inside their frames:
//   top    own window `host` (a top-level frame), no parent
//   panel  own window `panelWindow`, a child of `host` placed at (-5, 12)
//   group  drawn in panelWindow at (4, 6)
//   inner  drawn in panelWindow at (-3, 8) inside group
//   leaf   at (2, -1) inside inner
class ZafWindowObjectCoordinatesTest : public ZafWin32Test {
 protected:
  ZafWindowObjectCoordinatesTest() {
    panelWindow = native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, u"",
                                         native::WS_CHILD | native::WS_VISIBLE | native::WS_BORDER, -5, 12,
                                         120, 90, host, nullptr, nullptr, nullptr);
    Place(top, nullptr, true, host, {0, 0, 289, 179, ZAF_PIXEL});
    Place(panel, top, true, panelWindow, {-5, 12, 114, 101, ZAF_PIXEL});
    Place(group, panel, false, panelWindow, {4, 6, 63, 45, ZAF_PIXEL});
    Place(inner, group, false, panelWindow, {-3, 8, 26, 27, ZAF_PIXEL});
    Place(leaf, inner, false, panelWindow, {2, -1, 11, 4, ZAF_PIXEL});
  }

  static void Place(RecordingObject* object, RecordingObject* parentObject, bool own, native::HWND window,
                    const ZafRegionStruct& region) {
    object->SetParent(parentObject);
    object->SetOwnNative(own);
    object->SetScreenID(window);
    object->SetRegion(region);
  }

  static native::POINT ClientToScreen(native::HWND window, int32_t x, int32_t y) {
    native::POINT point{x, y};
    native::ClientToScreen(window, &point);
    return point;
  }

  native::HWND panelWindow = nullptr;
  RecordingObject* top = Loose();
  RecordingObject* panel = Loose();
  RecordingObject* group = Loose();
  RecordingObject* inner = Loose();
  RecordingObject* leaf = Loose();
};

TEST_F(ZafWindowObjectCoordinatesTest, PositionToNativeAddsAncestorsUpToTheFirstOwnWindow) {
  struct Case {
    const char* name;
    RecordingObject* from;
    RecordingObject* object;
    int32_t column;
    int32_t line;
  };
  const Case cases[] = {
      // leaf (2, -1) + inner (-3, 8) + group (4, 6); panel has its own window and is not added.
      {"leaf through inner", inner, leaf, 3, 13},
      {"inner through group", group, inner, 1, 14},
      {"group in its own-window parent", panel, group, 4, 6},
      {"panel in the top window", top, panel, -5, 12},
      // Called on the object itself, as the edge test of a press does.
      {"leaf on itself", leaf, leaf, 5, 12},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.name);
    const ZafPositionStruct result = entry.from->PositionToNative(entry.object);
    EXPECT_EQ(result.column, entry.column);
    EXPECT_EQ(result.line, entry.line);
    EXPECT_EQ(result.coordinateType, ZAF_PIXEL);
  }
}

TEST_F(ZafWindowObjectCoordinatesTest, PositionFromNativeUndoesPositionToNative) {
  const ZafPositionStruct positions[] = {
      {0, 0, ZAF_PIXEL}, {-40, -7, ZAF_PIXEL}, {17, -3, ZAF_PIXEL}, {1000, 2000, ZAF_PIXEL}};
  for (const ZafPositionStruct& position : positions) {
    SCOPED_TRACE(testing::Message() << position.column << "," << position.line);
    const ZafPositionStruct native = inner->PositionToNative(leaf, &position);
    EXPECT_EQ(native.column, position.column + 1);
    EXPECT_EQ(native.line, position.line + 14);
    const ZafPositionStruct back = inner->PositionFromNative(leaf, native);
    EXPECT_EQ(back.column, position.column);
    EXPECT_EQ(back.line, position.line);
  }
}

TEST_F(ZafWindowObjectCoordinatesTest, RegionToNativeDefaultsToTheObjectAndKeepsItsSize) {
  const ZafRegionStruct native = inner->RegionToNative(leaf);
  EXPECT_EQ(native.left, 3);
  EXPECT_EQ(native.top, 13);
  EXPECT_EQ(native.Width(), leaf->Region().Width());
  EXPECT_EQ(native.Height(), leaf->Region().Height());
  EXPECT_EQ(native.coordinateType, ZAF_PIXEL);
}

TEST_F(ZafWindowObjectCoordinatesTest, RegionFromNativeRoundTripsNegativeRegions) {
  const ZafRegionStruct regions[] = {
      {-20, -30, -11, -21, ZAF_PIXEL}, {0, 0, 0, 0, ZAF_PIXEL}, {-1, 5, 40, 6, ZAF_PIXEL}};
  for (const ZafRegionStruct& region : regions) {
    SCOPED_TRACE(testing::Message() << region.left << "," << region.top);
    const ZafRegionStruct native = inner->RegionToNative(leaf, &region);
    EXPECT_EQ(native.left, region.left + 1);
    EXPECT_EQ(native.bottom, region.bottom + 14);
    const ZafRegionStruct back = inner->RegionFromNative(leaf, native);
    EXPECT_EQ(back.left, region.left);
    EXPECT_EQ(back.top, region.top);
    EXPECT_EQ(back.right, region.right);
    EXPECT_EQ(back.bottom, region.bottom);
  }
}

TEST_F(ZafWindowObjectCoordinatesTest, PositionToScreenGoesThroughTheNestedFrames) {
  // The frames are real: each client area starts inside its window rectangle.
  native::RECT panelRect{};
  native::GetWindowRect(panelWindow, &panelRect);
  const native::POINT panelClient = ClientToScreen(panelWindow, 0, 0);
  ASSERT_GT(panelClient.x, panelRect.left);
  const native::POINT hostClient = ClientToScreen(host, 0, 0);
  native::RECT hostRect{};
  native::GetWindowRect(host, &hostRect);
  ASSERT_GT(hostClient.y, hostRect.top);

  // An object drawn in its parent: native (3, 13) in panelWindow's client area.
  const ZafPositionStruct leafCorner = leaf->PositionToScreen({2, -1, ZAF_PIXEL});
  const native::POINT expected = ClientToScreen(panelWindow, 3, 13);
  EXPECT_EQ(leafCorner.column, expected.x);
  EXPECT_EQ(leafCorner.line, expected.y);
  EXPECT_EQ(leafCorner.coordinateType, ZAF_PIXEL);

  // An object with its own window: its region corner is where its window rectangle starts on the screen,
  // even though it lies left of its parent's client area.
  const ZafPositionStruct panelCorner = panel->PositionToScreen({-5, 12, ZAF_PIXEL});
  EXPECT_EQ(panelCorner.column, panelRect.left);
  EXPECT_EQ(panelCorner.line, panelRect.top);
  EXPECT_LT(panelCorner.column, hostClient.x);
}

TEST_F(ZafWindowObjectCoordinatesTest, PositionFromScreenInvertsPositionToScreen) {
  const ZafPositionStruct positions[] = {{0, 0, ZAF_PIXEL}, {-30, -25, ZAF_PIXEL}, {50, 7, ZAF_PIXEL}};
  RecordingObject* const objects[] = {leaf, inner, group, panel};
  for (RecordingObject* object : objects) {
    for (const ZafPositionStruct& position : positions) {
      SCOPED_TRACE(testing::Message() << "object " << object->Region().left << " position " << position.column
                                      << "," << position.line);
      const ZafPositionStruct screen = object->PositionToScreen(position);
      const ZafPositionStruct back = object->PositionFromScreen(screen.column, screen.line);
      EXPECT_EQ(back.column, position.column);
      EXPECT_EQ(back.line, position.line);
    }
  }
}

TEST_F(ZafWindowObjectCoordinatesTest, ScreenPointLeftOfTheWindowGivesNegativeCoordinates) {
  const native::POINT origin = ClientToScreen(panelWindow, 0, 0);
  // Ten pixels left of and above panelWindow's client area, seen from inside inner at native (1, 14).
  const ZafPositionStruct position = leaf->PositionFromScreen(origin.x - 10, origin.y - 10);
  EXPECT_EQ(position.column, -11);
  EXPECT_EQ(position.line, -24);
}

TEST_F(ZafWindowObjectCoordinatesTest, RegionsInOtherUnitsArriveInPixels) {
  // At 96 pixels per inch three points are four pixels.
  ZafScreenDisplay screen;
  inner->SetRegion({-6, 6, 30, 30, ZAF_POINTS});
  leaf->SetRegion({3, 3, 11, 5, ZAF_POINTS});
  // leaf (4, 4) + inner (-8, 8) + group (4, 6).
  const ZafRegionStruct native = inner->RegionToNative(leaf);
  EXPECT_EQ(native.left, 0);
  EXPECT_EQ(native.top, 18);
  EXPECT_EQ(native.Width(), leaf->Region().Converted(ZAF_PIXEL).Width());
  EXPECT_EQ(native.Height(), leaf->Region().Converted(ZAF_PIXEL).Height());
  EXPECT_EQ(native.coordinateType, ZAF_PIXEL);
  const ZafRegionStruct back = inner->RegionFromNative(leaf, native);
  EXPECT_EQ(back.left, 4);
  EXPECT_EQ(back.top, 4);
  EXPECT_EQ(back.coordinateType, ZAF_PIXEL);
}

TEST_F(ZafWindowObjectCoordinatesTest, TopLevelObjectUsesScreenCoordinatesWithOrWithoutManager) {
  ASSERT_EQ(ZafWindowObject::windowManager, nullptr);
  for (const bool withManager : {false, true}) {
    SCOPED_TRACE(withManager ? "with a window manager" : "without a window manager");
    std::unique_ptr<ZafWindowManager> manager = withManager ? std::make_unique<ZafWindowManager>() : nullptr;
    const ZafPositionStruct screen = top->PositionToScreen({-7, 9, ZAF_PIXEL});
    EXPECT_EQ(screen.column, -7);
    EXPECT_EQ(screen.line, 9);
    const ZafPositionStruct back = top->PositionFromScreen(-7, 9);
    EXPECT_EQ(back.column, -7);
    EXPECT_EQ(back.line, 9);
  }
}

}  // namespace
