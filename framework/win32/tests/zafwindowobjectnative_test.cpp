#include <gtest/gtest.h>

#include <algorithm>

#include "framework/core/zafwindowmanager.h"
#include "framework/win32/tests/zafwindowobjectnativetestbed.h"
#include "native/user/paintapi.h"
#include "native/user/windowpos.h"

namespace {

using ZafWindowObjectNativeTest = ZafNativeObjectTest;

native::DWORD StyleOf(native::HWND window) {
  return static_cast<native::DWORD>(native::GetWindowLong(window, native::GWL_STYLE));
}

native::DWORD ExtendedStyleOf(native::HWND window) {
  return static_cast<native::DWORD>(native::GetWindowLong(window, native::GWL_EXSTYLE));
}

// The window's rectangle in the host's client coordinates.
native::RECT PlacementOf(native::HWND window, native::HWND host) {
  native::RECT rect{};
  native::GetWindowRect(window, &rect);
  native::MapWindowPoints(nullptr, host, &rect);
  return rect;
}

native::RECT UpdateOf(native::HWND window) {
  native::RECT rect{0, 0, 0, 0};
  if (!native::GetUpdateRect(window, &rect, native::FALSE)) {
    return {0, 0, 0, 0};
  }
  return rect;
}

TEST_F(ZafWindowObjectNativeTest, CreatedWindowStyleFollowsVisibilityDisablingAndBorder) {
  struct Case {
    const char* name;
    bool visible;
    bool disabled;
    bool parentDisabled;
    bool editMode;
    bool bordered;
    bool nativeDrawing;
    bool newShell;
    native::DWORD style;
    native::DWORD extendedStyle;
  };
  const native::DWORD child = native::WS_CHILD | native::WS_CLIPSIBLINGS;
  const Case cases[] = {
      {"plain", true, false, false, false, false, true, true, child | native::WS_VISIBLE, 0},
      {"hidden", false, false, false, false, false, true, true, child, 0},
      {"disabled", true, true, false, false, false, true, true,
       child | native::WS_VISIBLE | native::WS_DISABLED, 0},
      {"parent disabled", true, false, true, false, false, true, true,
       child | native::WS_VISIBLE | native::WS_DISABLED, 0},
      {"disabled in edit mode", true, true, false, true, false, true, true, child | native::WS_VISIBLE, 0},
      {"bordered, new shell", true, false, false, false, true, true, true, child | native::WS_VISIBLE,
       native::WS_EX_CLIENTEDGE},
      {"bordered, old shell", true, false, false, false, true, true, false,
       child | native::WS_VISIBLE | native::WS_BORDER, 0},
      {"bordered, drawn by the framework", true, false, false, false, true, false, true,
       child | native::WS_VISIBLE, 0},
  };
  const native::DWORD looked = native::WS_CHILD | native::WS_POPUP | native::WS_CLIPSIBLINGS |
                               native::WS_VISIBLE | native::WS_DISABLED | native::WS_BORDER;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    SystemDecisionScope system;
    ZafMSWindowsApp::system.newShell = test.newShell;
    NativeProbe probe;
    probe.SetParent(root.get());
    probe.SetVisible(test.visible);
    probe.SetDisabled(test.disabled);
    probe.SetEdit(test.editMode);
    probe.SetBordered(test.bordered);
    probe.SetNativeDrawing(test.nativeDrawing);
    root->SetDisabled(test.parentDisabled);
    probe.CreateNative();
    root->SetDisabled(false);
    const native::HWND window = probe.ScreenID();
    ASSERT_NE(native::IsWindow(window), native::FALSE);
    EXPECT_EQ(native::GetParent(window), host);
    EXPECT_EQ(StyleOf(window) & looked, test.style);
    EXPECT_EQ(ExtendedStyleOf(window) & native::WS_EX_CLIENTEDGE, test.extendedStyle);
    EXPECT_EQ(native::GetWindowLong(window, native::GWL_USERDATA),
              reinterpret_cast<native::LONG_PTR>(&probe));
    native::DestroyWindow(window);
    probe.SetParent(nullptr);
  }
}

TEST_F(ZafWindowObjectNativeTest, ObjectWithoutAParentGetsAPopUpOfItsOwn) {
  NativeProbe probe;
  probe.CreateNative();
  const native::HWND window = probe.ScreenID();
  ASSERT_NE(native::IsWindow(window), native::FALSE);
  EXPECT_EQ(StyleOf(window) & (native::WS_CHILD | native::WS_POPUP), native::WS_POPUP);
  native::DestroyWindow(window);
}

TEST_F(ZafWindowObjectNativeTest, CreateEventPlacesTheWindowAndShowsItOnlyWhenVisible) {
  for (bool visible : {true, false}) {
    SCOPED_TRACE(visible);
    NativeProbe* probe = Created([visible](NativeProbe& object) { object.SetVisible(visible); });
    const native::HWND window = probe->ScreenID();
    ASSERT_NE(native::IsWindow(window), native::FALSE);
    EXPECT_EQ(native::GetParent(window), host);
    EXPECT_EQ(probe->Visible(), visible);
    EXPECT_EQ(native::IsWindowVisible(window) != native::FALSE, visible);
    EXPECT_EQ(probe->Region().coordinateType, ZAF_PIXEL);
    EXPECT_EQ(PlacementOf(window, host), AreaOf(*probe));
    EXPECT_EQ(probe->LastNativeRegion(), probe->Region());
  }
}

TEST_F(ZafWindowObjectNativeTest, AttachingSharesTheParentsWindowOrKeepsTheOneItHas) {
  NativeProbe* shared = Created([](NativeProbe& object) { object.SetOwnNativeWindow(false); });
  EXPECT_EQ(shared->ScreenID(), host);
  NativeProbe* own = Created();
  const native::HWND window = own->ScreenID();
  own->AttachNative();
  EXPECT_EQ(own->ScreenID(), window) << "attached once, never again";
  for (int32_t part : {0, 1, 2}) {
    EXPECT_EQ(own->ScreenID(part), window);
  }
}

TEST_F(ZafWindowObjectNativeTest, GivingUpTheWindowDestroysAnOwnWindowOrRepaintsTheParentsArea) {
  NativeProbe* own = Created();
  NativeProbe* shared = Created([](NativeProbe& object) { object.SetOwnNativeWindow(false); });
  const native::HWND window = own->ScreenID();
  EXPECT_EQ(own->Event(ZafEventRecord(DestroyEvent, 0)), DestroyEvent);
  EXPECT_EQ(native::IsWindow(window), native::FALSE);
  EXPECT_EQ(own->ScreenID(), nullptr);
  EXPECT_TRUE(own->Received(NativeGoneEvent));
  EXPECT_EQ(HostUpdate(), AreaOf(*own)) << "the area the window covered is shown again";

  Settle();
  shared->events.clear();
  shared->Event(ZafEventRecord(DestroyEvent, 0));
  EXPECT_EQ(shared->ScreenID(), nullptr);
  EXPECT_NE(native::IsWindow(host), native::FALSE);
  EXPECT_EQ(HostUpdate(), AreaOf(*shared));
  EXPECT_FALSE(shared->Received(RedisplayEvent)) << "the base handler repaints, not a derived one";
}

TEST_F(ZafWindowObjectNativeTest, GivingUpTheWindowOfTheCurrentObjectLetsTheFocusGoFirst) {
  ZafWindowManager manager;
  NativeProbe* probe = Created();
  probe->SetFocusFlag(true);
  manager.focusObject = probe;
  probe->events.clear();
  probe->Event(ZafEventRecord(DestroyEvent, 0));
  EXPECT_EQ(manager.focusObject, nullptr);
  EXPECT_FALSE(probe->Focus());
  EXPECT_EQ(probe->events,
            (std::vector<ZafEventType>{DestroyEvent, FocusLoseEvent, FocusLostEvent, NativeGoneEvent}));
}

TEST_F(ZafWindowObjectNativeTest, RedisplayMarksTheObjectsAreaOrDrawsAtOnce) {
  enum class Marked { Nothing, Whole, Part };
  struct Case {
    const char* name;
    bool own;
    bool nativeDrawing;
    ZafEventType type;
    Marked marked;
    std::vector<ZafEventType> draws;
  };
  // The part a region event names, relative to the object's top-left corner, and what it marks.
  const ZafRegionStruct part{1, 1, 3, 2, ZAF_PIXEL};
  const native::RECT partMarked{1, 1, 4, 3};
  const Case cases[] = {
      {"redisplay, own window", true, true, RedisplayEvent, Marked::Whole, {}},
      {"redisplay, drawn in the parent", false, true, RedisplayEvent, Marked::Whole, {}},
      {"region, own window", true, true, RedisplayRegionEvent, Marked::Part, {}},
      {"region, drawn in the parent", false, true, RedisplayRegionEvent, Marked::Part, {}},
      {"draw now, drawn in the parent", false, true, DrawNowEvent, Marked::Nothing, {DrawNowEvent}},
      {"draw now, own window drawn by the framework",
       true,
       false,
       DrawNowEvent,
       Marked::Nothing,
       {DrawNowEvent}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    NativeProbe* probe = Created([&test](NativeProbe& object) {
      object.SetOwnNativeWindow(test.own);
      object.SetNativeDrawing(test.nativeDrawing);
    });
    const native::HWND window = probe->ScreenID();
    native::ValidateRect(window, nullptr);
    ZafEventRecord event(test.type, 0);
    event.SetRegion(part);
    EXPECT_EQ(probe->Event(event), test.type);
    EXPECT_EQ(probe->draws, test.draws);
    // Relative to the object's own window, or to the object's place in the parent's.
    const ZafRegionStruct region = probe->Region();
    const native::RECT whole{0, 0, region.Width(), region.Height()};
    native::RECT expected{0, 0, 0, 0};
    if (test.marked != Marked::Nothing) {
      expected = test.marked == Marked::Whole ? whole : partMarked;
      if (!test.own) {
        expected = {region.left + expected.left, region.top + expected.top, region.left + expected.right,
                    region.top + expected.bottom};
      }
    }
    EXPECT_EQ(UpdateOf(window), expected);
    root->Subtract(probe);
    delete probe;
    Settle();
  }
}

TEST_F(ZafWindowObjectNativeTest, DrawNowOfANativeWindowRepaintsItThroughTheWindowSystem) {
  NativeProbe* probe = Created();
  probe->messages.clear();
  probe->events.clear();
  probe->Event(ZafEventRecord(DrawNowEvent, 0));
  EXPECT_EQ(probe->events, (std::vector<ZafEventType>{DrawNowEvent, RedisplayEvent}));
  const std::vector<native::UINT> messages = probe->MessageNumbers();
  EXPECT_NE(std::find(messages.begin(), messages.end(), native::WM_PAINT), messages.end());
  EXPECT_TRUE(probe->draws.empty());
  EXPECT_EQ(UpdateOf(probe->ScreenID()), (native::RECT{0, 0, 0, 0}));
}

TEST_F(ZafWindowObjectNativeTest, NothingIsRepaintedWithoutAutomaticUpdateUpTheTree) {
  NativeProbe* probe = Created([](NativeProbe& object) { object.SetOwnNativeWindow(false); });
  root->SetAutomaticUpdate(false);
  probe->Event(ZafEventRecord(RedisplayEvent, 0));
  probe->Event(ZafEventRecord(DrawNowEvent, 0));
  root->SetAutomaticUpdate(true);
  native::ValidateRect(host, nullptr);
  EXPECT_TRUE(probe->draws.empty());
  probe->Event(ZafEventRecord(RedisplayEvent, 0));
  EXPECT_EQ(HostUpdate(), AreaOf(*probe));
}

TEST_F(ZafWindowObjectNativeTest, SwitchingTheOwnWindowRemakesItAndRepaintsTheArea) {
  NativeProbe* probe = Created();
  const native::HWND first = probe->ScreenID();

  EXPECT_FALSE(probe->SetOwnNativeWindow(false));
  EXPECT_EQ(native::IsWindow(first), native::FALSE);
  EXPECT_EQ(probe->ScreenID(), host);
  EXPECT_EQ(HostUpdate(), AreaOf(*probe));
  native::UpdateWindow(host);
  EXPECT_EQ(HostUpdate(), (native::RECT{0, 0, 0, 0})) << "the host draws again";

  Settle();
  EXPECT_TRUE(probe->SetOwnNativeWindow(true));
  const native::HWND second = probe->ScreenID();
  ASSERT_NE(native::IsWindow(second), native::FALSE);
  EXPECT_NE(second, host);
  EXPECT_EQ(native::GetParent(second), host);
  EXPECT_NE(native::IsWindowVisible(second), native::FALSE);
  EXPECT_EQ(PlacementOf(second, host), AreaOf(*probe)) << "placed again although the region is unchanged";
  EXPECT_EQ(HostUpdate(), AreaOf(*probe));
}

TEST_F(ZafWindowObjectNativeTest, SwitchingTheOwnWindowLeavesAParentWithoutAutomaticUpdateUndrawn) {
  NativeProbe* probe = Created();
  root->SetAutomaticUpdate(false);
  probe->SetOwnNativeWindow(false);
  native::RedrawWindow(host, nullptr, nullptr, native::RDW_INVALIDATE);
  native::UpdateWindow(host);
  EXPECT_NE(HostUpdate(), (native::RECT{0, 0, 0, 0})) << "the host's redraw stays off";
  root->SetAutomaticUpdate(true);
}

TEST_F(ZafWindowObjectNativeTest, SwitchingTheOwnWindowBeforeCreationOnlyStoresTheFlag) {
  NativeProbe probe;
  EXPECT_FALSE(probe.SetOwnNativeWindow(false));
  EXPECT_EQ(probe.ScreenID(), nullptr);
  EXPECT_TRUE(probe.SetOwnNativeWindow(true));
  EXPECT_EQ(probe.ScreenID(), nullptr);
  EXPECT_TRUE(probe.events.empty());
}

}  // namespace
