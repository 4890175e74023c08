// A window's native windows: one window or an outer frame with a client window, the frame styles its
// support objects stand for, the client area left by bars and placed children, and frames made again when
// support objects come and go.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/core/zafpulldownitem.h"
#include "framework/core/zafpulldownmenu.h"
#include "framework/core/zafscrollbar.h"
#include "framework/core/zaftitle.h"
#include "framework/win32/tests/zafwindowframetestbed.h"

namespace {

using WindowFrameNativeTest = ZafWindowFrameTest;

TEST_F(WindowFrameNativeTest, TopLevelWindowHasAClientOfItsRegionsSizeInsideALargerFrame) {
  auto* window = new NoticeWindow(50, 40, 300, 200);
  window->AddStandardFrame(u"Heats");
  Shown(window);
  const native::HWND frame = window->frameHandle;
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(window->ScreenID(), nullptr);
  EXPECT_NE(window->ScreenID(), frame);
  EXPECT_EQ(window->ScreenID(2), frame);
  EXPECT_EQ(window->ScreenID(0), window->ScreenID());
  EXPECT_EQ(native::GetParent(window->ScreenID()), frame) << "the client window sits in the frame";

  const native::SIZE client = ClientSizeOf(window->ScreenID());
  EXPECT_EQ(client.cx, 300);
  EXPECT_EQ(client.cy, 200);
  const native::RECT outer = ScreenRectOf(frame);
  EXPECT_GT(outer.right - outer.left, 300);
  EXPECT_GT(outer.bottom - outer.top, 200);
  EXPECT_EQ(outer.left, 50);
  EXPECT_EQ(outer.top, 40);
  const ZafRegionStruct region = window->Region();
  EXPECT_EQ(region.left, outer.left);
  EXPECT_EQ(region.top, outer.top);
  EXPECT_EQ(region.Width(), outer.right - outer.left) << "the region describes the outer frame";
  EXPECT_EQ(region.Height(), outer.bottom - outer.top);
  EXPECT_FALSE(window->sizeIsClient) << "the client size is reached once";
}

TEST_F(WindowFrameNativeTest, FrameStylesFollowTheSupportObjects) {
  struct Case {
    const char* name;
    std::vector<ZafNumberID> parts;
    bool sizeable;
    int32_t platform;
    native::DWORD frameSet;
    native::DWORD frameClear;
    native::DWORD extendedSet;
    native::DWORD clientSet;
  };
  const native::DWORD none = 0;
  const Case cases[] = {
      {"no parts: a pop-up",
       {},
       true,
       ZafMSWindowsApp::WindowsNT,
       native::WS_POPUP,
       native::WS_CAPTION | native::WS_THICKFRAME,
       none,
       none},
      {"sizeable border",
       {ZAF_NUMID_BORDER},
       true,
       ZafMSWindowsApp::WindowsNT,
       native::WS_THICKFRAME,
       native::WS_BORDER,
       none,
       none},
      {"fixed border on NT",
       {ZAF_NUMID_BORDER},
       false,
       ZafMSWindowsApp::WindowsNT,
       none,
       native::WS_THICKFRAME | native::WS_BORDER,
       native::WS_EX_DLGMODALFRAME,
       none},
      {"fixed border on 95",
       {ZAF_NUMID_BORDER},
       false,
       ZafMSWindowsApp::Windows95,
       none,
       native::WS_THICKFRAME,
       native::WS_EX_DLGMODALFRAME,
       none},
      {"fixed border on Win32s",
       {ZAF_NUMID_BORDER},
       false,
       ZafMSWindowsApp::Win32s,
       native::WS_BORDER,
       native::WS_THICKFRAME,
       none,
       none},
      {"fixed border, platform unknown",
       {ZAF_NUMID_BORDER},
       false,
       0,
       native::WS_BORDER,
       native::WS_THICKFRAME,
       none,
       none},
      {"title",
       {ZAF_NUMID_TITLE},
       true,
       ZafMSWindowsApp::WindowsNT,
       native::WS_CAPTION,
       native::WS_POPUP,
       none,
       none},
      {"system button",
       {ZAF_NUMID_TITLE, ZAF_NUMID_SYSTEM},
       true,
       ZafMSWindowsApp::WindowsNT,
       native::WS_SYSMENU,
       none,
       none,
       none},
      {"maximize button",
       {ZAF_NUMID_TITLE, ZAF_NUMID_MAXIMIZE},
       true,
       ZafMSWindowsApp::WindowsNT,
       native::WS_MAXIMIZEBOX,
       none,
       none,
       none},
      {"maximize button, not sizeable",
       {ZAF_NUMID_TITLE, ZAF_NUMID_MAXIMIZE},
       false,
       ZafMSWindowsApp::WindowsNT,
       none,
       native::WS_MAXIMIZEBOX,
       none,
       none},
      {"minimize button",
       {ZAF_NUMID_TITLE, ZAF_NUMID_MINIMIZE},
       false,
       ZafMSWindowsApp::WindowsNT,
       native::WS_MINIMIZEBOX,
       none,
       none,
       none},
      {"scroll bars go on the client",
       {ZAF_NUMID_HZ_SCROLL, ZAF_NUMID_VT_SCROLL},
       true,
       ZafMSWindowsApp::WindowsNT,
       none,
       native::WS_HSCROLL | native::WS_VSCROLL,
       none,
       native::WS_HSCROLL | native::WS_VSCROLL},
  };
  const ZafMSWindowsApp::SystemDecision saved = ZafMSWindowsApp::system;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafMSWindowsApp::system.platform = c.platform;
    auto* window = new NoticeWindow(10, 10, 120, 80);
    window->SetSizeable(c.sizeable);
    for (ZafNumberID id : c.parts) {
      window->Add(new SupportStandIn(id));
    }
    Shown(window);
    ASSERT_NE(window->frameHandle, nullptr);
    const native::DWORD frame = StyleOf(window->frameHandle);
    EXPECT_EQ(frame & c.frameSet, c.frameSet);
    EXPECT_EQ(frame & c.frameClear, none);
    EXPECT_EQ(ExtendedStyleOf(window->frameHandle) & c.extendedSet, c.extendedSet);
    const native::DWORD client = StyleOf(window->ScreenID());
    EXPECT_EQ(client & (native::WS_CHILD | native::WS_VISIBLE), native::WS_CHILD | native::WS_VISIBLE);
    EXPECT_EQ(client & c.clientSet, c.clientSet);
    EXPECT_EQ(ExtendedStyleOf(window->ScreenID()) & native::WS_EX_NOPARENTNOTIFY,
              native::WS_EX_NOPARENTNOTIFY);
    manager->Subtract(window);
    delete window;
  }
  ZafMSWindowsApp::system = saved;
}

TEST_F(WindowFrameNativeTest, ChildWindowWithFramePartsOnlyIsOneNativeWindow) {
  auto* parent = Shown(new NoticeWindow(10, 10, 300, 200));
  auto* child = new NoticeWindow(5, 5, 100, 60);
  for (ZafNumberID id : {ZAF_NUMID_BORDER, ZAF_NUMID_TITLE, ZAF_NUMID_SYSTEM}) {
    child->Add(new SupportStandIn(id));
  }
  parent->Add(child);
  driver.pumpUntilIdle();
  ASSERT_NE(child->ScreenID(), nullptr);
  EXPECT_EQ(child->frameHandle, nullptr);
  EXPECT_EQ(child->ScreenID(2), child->ScreenID());
  const native::DWORD style = StyleOf(child->ScreenID());
  const native::DWORD wanted =
      native::WS_CHILD | native::WS_CAPTION | native::WS_SYSMENU | native::WS_THICKFRAME;
  EXPECT_EQ(style & wanted, wanted);
  EXPECT_EQ(native::GetParent(child->ScreenID()), parent->ScreenID())
      << "placed in the parent's client window";
}

TEST_F(WindowFrameNativeTest, BarAddedToACreatedChildWindowGetsAFrameWithTheClientBelowIt) {
  auto* parent = Shown(new NoticeWindow(10, 10, 300, 200));
  auto* child = new NoticeWindow(5, 5, 100, 60);
  child->Add(new SupportStandIn(ZAF_NUMID_BORDER));
  parent->Add(child);
  driver.pumpUntilIdle();
  ASSERT_EQ(child->frameHandle, nullptr);

  SupportStandIn* bar = SupportStandIn::Bar(20);
  child->Add(bar);
  driver.pumpUntilIdle();
  const native::HWND frame = child->frameHandle;
  ASSERT_NE(frame, nullptr) << "a bar needs a frame to sit in";
  ASSERT_NE(bar->ScreenID(), nullptr);
  EXPECT_EQ(native::GetParent(frame), parent->ScreenID());
  EXPECT_EQ(native::GetParent(bar->ScreenID()), frame);
  EXPECT_EQ(native::GetParent(child->ScreenID()), frame);
  EXPECT_NE(StyleOf(frame) & native::WS_THICKFRAME, 0u) << "the frame parts stay styles of the frame";

  const native::SIZE frameClient = ClientSizeOf(frame);
  const native::RECT barRect = RectInside(bar->ScreenID(), frame);
  const native::RECT clientRect = RectInside(child->ScreenID(), frame);
  EXPECT_EQ(barRect.top, 0);
  EXPECT_EQ(barRect.bottom, 20);
  EXPECT_EQ(clientRect.top, 20) << "the client window starts below the bar";
  EXPECT_EQ(clientRect.left, 0);
  EXPECT_EQ(clientRect.right, frameClient.cx);
  EXPECT_EQ(clientRect.bottom, frameClient.cy);
  EXPECT_NE(native::IsWindowVisible(bar->ScreenID()), native::FALSE) << "shown once the frame made room";

  child->Subtract(bar);
  driver.pumpUntilIdle();
  EXPECT_EQ(bar->ScreenID(), nullptr);
  EXPECT_EQ(RectInside(child->ScreenID(), frame).top, 0) << "the client takes the bar's room back";
  delete bar;
}

TEST_F(WindowFrameNativeTest, FramePartAddedToAShownWindowMakesTheFrameAnew) {
  auto* window = Shown(new NoticeWindow(10, 10, 200, 100));
  ASSERT_NE(StyleOf(window->ScreenID(2)) & native::WS_POPUP, 0u);
  const native::RECT before = ScreenRectOf(window->ScreenID(2));
  window->Add(new ZafTitle(u"Lanes"));
  driver.pumpUntilIdle();
  ASSERT_NE(window->ScreenID(2), nullptr);
  EXPECT_EQ(StyleOf(window->ScreenID(2)) & native::WS_CAPTION, native::WS_CAPTION);
  EXPECT_EQ(StyleOf(window->ScreenID(2)) & native::WS_POPUP, 0u);
  EXPECT_EQ(driver.text(window->ScreenID(2)), u"Lanes");
  const native::RECT after = ScreenRectOf(window->ScreenID(2));
  EXPECT_EQ(after.left, before.left) << "the new frame takes the region the old one had";
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  EXPECT_LT(ClientSizeOf(window->ScreenID()).cy, 100) << "the caption takes its share";
}

TEST_F(WindowFrameNativeTest, ClientRegionIsWhatThePlacedObjectsBeforeLeave) {
  NoticeWindow window(0, 0, 100, 80);
  auto placed = [&window](int32_t placement, ZafRegionStruct area) {
    auto* object = new ZafWindowObject(0, 0, 1, 1);
    object->SetPlacement(placement);
    object->SetRegion(area);
    window.Add(object);
    return object;
  };
  ZafWindowObject* top = placed(2, {0, 0, 99, 9, ZAF_PIXEL});
  ZafWindowObject* left = placed(2, {0, 10, 19, 79, ZAF_PIXEL});
  ZafWindowObject* free = placed(0, {30, 30, 39, 39, ZAF_PIXEL});
  ZafWindowObject* last = placed(2, {0, 0, 0, 0, ZAF_PIXEL});
  window.Add(new SupportStandIn(ZAF_NUMID_TITLE));

  struct Case {
    const char* name;
    const ZafWindowObject* object;
    ZafRegionStruct expected;
  };
  const Case cases[] = {
      {"the first placed child gets everything", top, {0, 0, 99, 79, ZAF_PIXEL}},
      {"below the top bar", left, {0, 10, 99, 79, ZAF_PIXEL}},
      {"a child not placed gets the client region", free, {0, 0, 99, 79, ZAF_PIXEL}},
      {"right of the left bar, below the top one", last, {20, 10, 99, 79, ZAF_PIXEL}},
      {"frame parts take nothing from the window's own area", nullptr, {0, 0, 99, 79, ZAF_PIXEL}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ZafRegionStruct area = window.ClientRegion(c.object);
    EXPECT_EQ(area.left, c.expected.left);
    EXPECT_EQ(area.top, c.expected.top);
    EXPECT_EQ(area.right, c.expected.right);
    EXPECT_EQ(area.bottom, c.expected.bottom);
    EXPECT_EQ(area.coordinateType, ZAF_PIXEL);
  }
}

// A window's own scroll bars sit inside its client window (or its one window): the client region its
// children and drawing use is what they leave, counted from the client window's corner.
TEST_F(WindowFrameNativeTest, ClientRegionLeavesOutTheWindowsOwnScrollBars) {
  struct Kind {
    const char* name;
    bool child;
    // A bar with a window of its own above the client window, in pixels (0: none).
    int32_t topBar;
  };
  const Kind kinds[] = {
      {"framed top-level window", false, 0},
      {"framed window with a bar above its client window", false, 20},
      {"plain child window", true, 0},
  };
  struct Bars {
    bool vertical;
    bool horizontal;
  };
  const Bars bars[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  // Every window is 200 x 100 pixels outside, without a border.
  const auto show = [this](const Kind& kind, const Bars& with) {
    auto* window = new NoticeWindow(0, 0, 10, 10);
    window->SetRegion({5, 5, 204, 104, ZAF_PIXEL});
    if (kind.topBar > 0) {
      window->Add(SupportStandIn::Bar(kind.topBar));
    }
    if (with.vertical) {
      window->Add(new ZafScrollBar(ZAF_VERTICAL_SCROLL));
    }
    if (with.horizontal) {
      window->Add(new ZafScrollBar(ZAF_HORIZONTAL_SCROLL));
    }
    if (!kind.child) {
      return Shown(window);
    }
    Shown(new NoticeWindow(0, 0, 400, 300))->Add(window);
    driver.pumpUntilIdle();
    return window;
  };
  const int32_t barWidth = native::GetSystemMetrics(native::SM_CXVSCROLL);
  const int32_t barHeight = native::GetSystemMetrics(native::SM_CYHSCROLL);
  for (const Kind& kind : kinds) {
    for (const Bars& with : bars) {
      SCOPED_TRACE(testing::Message() << kind.name << ", vertical bar " << with.vertical
                                      << ", horizontal bar " << with.horizontal);
      NoticeWindow* window = show(kind, with);
      const ZafRegionStruct client = window->ClientRegion();
      EXPECT_EQ(client.left, 0);
      EXPECT_EQ(client.top, 0);
      EXPECT_EQ(client.right, 199 - (with.vertical ? barWidth : 0));
      EXPECT_EQ(client.bottom, 99 - kind.topBar - (with.horizontal ? barHeight : 0));
      EXPECT_EQ(client.coordinateType, ZAF_PIXEL);
      ZafWindowObject* root = window->RootObject();
      manager->Subtract(root);
      delete root;
    }
  }
}

TEST_F(WindowFrameNativeTest, SetRegionMakesTheRegionTheOuterSize) {
  auto* window = new NoticeWindow(0, 0, 10, 10);
  window->AddStandardFrame(u"Outer");
  window->SetRegion({30, 20, 229, 169, ZAF_PIXEL});
  EXPECT_FALSE(window->sizeIsClient);
  Shown(window);
  const native::RECT outer = ScreenRectOf(window->ScreenID(2));
  EXPECT_EQ(outer.left, 30);
  EXPECT_EQ(outer.top, 20);
  EXPECT_EQ(outer.right, 230);
  EXPECT_EQ(outer.bottom, 170);
  EXPECT_LT(ClientSizeOf(window->ScreenID()).cx, 200) << "the frame takes its share of the region";
}

}  // namespace

namespace {

TEST_F(WindowFrameNativeTest, OwnedWindowIsOwnedByItsOwnersFrame) {
  auto* owner = Shown(new NoticeWindow(10, 10, 200, 100));
  auto* owned = new NoticeWindow(40, 40, 100, 50);
  owned->AddStandardFrame(u"Owned");
  owned->SetOwner(owner);
  Shown(owned);
  ASSERT_NE(owned->ScreenID(2), nullptr);
  EXPECT_EQ(native::GetWindow(owned->ScreenID(2), native::GW_OWNER), owner->ScreenID(2));
  EXPECT_EQ(StyleOf(owned->ScreenID(2)) & native::WS_CHILD, 0u);
}

TEST_F(WindowFrameNativeTest, OwnedWindowsAreMadeAgainWithTheirOwner) {
  auto* owner = Shown(new NoticeWindow(10, 10, 200, 100));
  auto* owned = new NoticeWindow(40, 40, 100, 50);
  owned->SetOwner(owner);
  owned->SetModal(true);
  Shown(owned);
  auto* ownedByOwned = new NoticeWindow(60, 60, 50, 30);
  ownedByOwned->SetOwner(owned);
  Shown(ownedByOwned);
  ASSERT_FALSE(native::IsWindowEnabled(owner->ScreenID(2))) << "behind the modal window it owns";

  owner->Add(new ZafTitle(u"Heats"));
  driver.pumpUntilIdle();
  struct Expected {
    const char* name;
    NoticeWindow* window;
    NoticeWindow* owner;
    bool enabled;
  };
  const Expected windows[] = {
      {"owner", owner, nullptr, false},
      {"owned", owned, owner, true},
      {"owned by the owned one", ownedByOwned, owned, true},
  };
  for (const Expected& expected : windows) {
    SCOPED_TRACE(expected.name);
    NoticeWindow* window = expected.window;
    ASSERT_NE(native::IsWindow(window->ScreenID()), native::FALSE) << "no stale screen ID";
    EXPECT_EQ(native::GetWindowLong(window->ScreenID(), native::GWL_USERDATA),
              reinterpret_cast<native::LONG_PTR>(static_cast<ZafWindowObject*>(window)));
    EXPECT_EQ(native::GetWindow(window->ScreenID(2), native::GW_OWNER),
              expected.owner ? expected.owner->ScreenID(2) : nullptr);
    EXPECT_NE(native::IsWindowVisible(window->ScreenID(2)), native::FALSE);
    EXPECT_EQ(native::IsWindowEnabled(window->ScreenID(2)) != native::FALSE, expected.enabled);
  }
  EXPECT_EQ(driver.text(owner->ScreenID(2)), u"Heats");
}

TEST_F(WindowFrameNativeTest, TemporaryWindowsOfAWindowMadeAnewAreClosedFirst) {
  auto* owner = Shown(new NoticeWindow(10, 10, 200, 100));
  for (bool destroyable : {true, false}) {
    SCOPED_TRACE(destroyable);
    auto* popUp = new NoticeWindow(40, 40, 100, 50);
    popUp->SetOwner(owner);
    popUp->SetTemporary(true);
    popUp->SetDestroyable(destroyable);
    Shown(popUp);
    owner->Add(new ZafTitle(destroyable ? u"Heats" : u"Final"));
    driver.pumpUntilIdle();
    EXPECT_EQ(manager->Count(), 1) << "closed (and deleted when destroyable), not made again";
    EXPECT_EQ(manager->FrontWindow(), owner);
    if (!destroyable) {
      EXPECT_EQ(popUp->ScreenID(), nullptr) << "a kept pop-up is taken down, not left showing";
      delete popUp;
    }
  }
}

TEST_F(WindowFrameNativeTest, WindowMadeAnewStaysBehindTheModalWindowInFront) {
  auto* behind = Shown(new NoticeWindow(10, 10, 200, 100));
  auto* modal = new NoticeWindow(40, 40, 100, 50);
  modal->SetModal(true);
  Shown(modal);
  ASSERT_FALSE(native::IsWindowEnabled(behind->ScreenID(2)));
  behind->Add(new ZafTitle(u"Heats"));
  driver.pumpUntilIdle();
  EXPECT_EQ(manager->FrontWindow(), modal);
  EXPECT_FALSE(native::IsWindowEnabled(behind->ScreenID(2))) << "still behind a modal window";
  EXPECT_TRUE(native::IsWindowEnabled(modal->ScreenID(2)));
}

TEST_F(WindowFrameNativeTest, PaletteChangeOfAHiddenWindowLeavesItPaintingOnceShown) {
  struct Case {
    const char* name;
    bool visible;
    bool automaticUpdate;
    bool paints;
  };
  const Case cases[] = {
      {"shown", true, true, true},
      {"hidden", false, true, true},
      {"without automatic update", true, false, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    auto* window = Shown(new NoticeWindow(10, 10, 200, 100));
    window->SetVisible(test.visible);
    window->SetAutomaticUpdate(test.automaticUpdate);
    driver.pumpUntilIdle();
    window->UpdatePalettes(ZAF_PM_BACKGROUND, ZAF_PM_ACTIVE);
    window->SetVisible(true);
    driver.pumpUntilIdle();
    window->nativeMessages.clear();
    native::InvalidateRect(window->ScreenID(), nullptr, native::TRUE);
    driver.pumpUntilIdle();
    const auto& seen = window->nativeMessages;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), native::WM_PAINT) > 0, test.paints);
    manager->Subtract(window);
    delete window;
  }
}

TEST_F(WindowFrameNativeTest, MoveAndSizeReportTheRegionBeforeTheChange) {
  struct Case {
    const char* name;
    bool byProgram;
  };
  const Case cases[] = {{"moved on the screen", false}, {"moved by the program", true}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    auto* window = Shown(new NoticeWindow(10, 10, 200, 100));
    window->AddStandardFrame(u"Heats");
    driver.pumpUntilIdle();
    const ZafRegionStruct before = window->Region();
    const ZafRegionStruct after{30, 40, 30 + before.Width() + 19, 40 + before.Height() + 9, ZAF_PIXEL};
    window->received.clear();
    if (test.byProgram) {
      window->SetRegion(after);
      window->UpdateNative();
    } else {
      native::MoveWindow(window->ScreenID(2), after.left, after.top, after.Width(), after.Height(),
                         native::TRUE);
    }
    driver.pumpUntilIdle();
    EXPECT_EQ(window->Count(MovedEvent), 1);
    EXPECT_EQ(window->Count(SizedEvent), 1);
    EXPECT_EQ(window->lastMovedFrom, before);
    EXPECT_EQ(window->lastSizedFrom, before);
    EXPECT_EQ(window->Region(), after);
    manager->Subtract(window);
    delete window;
  }
}

TEST_F(WindowFrameNativeTest, PaletteChangeRedisplaysOnlyACreatedWindow) {
  auto* window = new NoticeWindow(10, 10, 200, 100);
  window->UpdatePalettes(ZAF_PM_BACKGROUND, ZAF_PM_ACTIVE);
  EXPECT_EQ(window->Count(RedisplayEvent), 0) << "nothing to redisplay before the window exists";
  Shown(window);
  window->received.clear();
  window->UpdatePalettes(ZAF_PM_BACKGROUND, ZAF_PM_ACTIVE);
  EXPECT_EQ(window->Count(RedisplayEvent), 1);
}

}  // namespace

namespace {

TEST_F(WindowFrameNativeTest, MenuBarTakesItsRoomFromTheFrameNotFromTheClient) {
  auto* window = new NoticeWindow(50, 40, 300, 200);
  auto* bar = new ZafPullDownMenu();
  bar->Add(new ZafPullDownItem(u"File"));
  window->AddStandardFrame(u"Heats", bar);
  Shown(window);
  ASSERT_NE(native::GetMenu(window->ScreenID(2)), nullptr);
  const native::SIZE frameClient = ClientSizeOf(window->ScreenID(2));
  const native::SIZE client = ClientSizeOf(window->ScreenID());
  EXPECT_EQ(client.cx, frameClient.cx);
  EXPECT_EQ(client.cy, frameClient.cy) << "the client window never reaches under the frame";
  EXPECT_EQ(client.cx, 300);
  EXPECT_EQ(client.cy, 200) << "the bar is there before the frame is sized for the client";
}

}  // namespace

namespace {

TEST_F(WindowFrameNativeTest, NativeWindowHandedToTheWindowIsNeverMadeAnew) {
  const native::HWND handed =
      native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, u"", native::WS_OVERLAPPEDWINDOW, 10, 10,
                             200, 100, nullptr, nullptr, nullptr, nullptr);
  ZafWindow window(0, 0, 20, 5);
  window.SetScreenID(handed);
  window.Add(new ZafTitle(u"Borrowed"));
  EXPECT_NE(native::IsWindow(handed), native::FALSE) << "the window was not the frame's to destroy";
  EXPECT_EQ(window.ScreenID(), handed);
  EXPECT_EQ(driver.text(handed), u"Borrowed") << "the title only takes its place in it";
  window.SetScreenID(nullptr);
  native::DestroyWindow(handed);
}

}  // namespace
