#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "framework/core/zafdevice.h"
#include "framework/core/zaftitle.h"
#include "framework/win32/tests/zafwindoweventstestbed.h"

namespace {

using WindowEventsTest = ZafWindowEventsTest;

// A window that records the codes handed to ScrollEvent.
class ScrollingWindow : public SpyWindow {
 public:
  ScrollingWindow() : SpyWindow(0, 0, 100, 100) {}
  ZafEventType ScrollEvent(const ZafEventRecord& event) override {
    scrolled.push_back(event.type);
    return SpyWindow::ScrollEvent(event);
  }
  std::vector<ZafEventType> scrolled;
};

// The help-tip device, logging the requests it is sent.
class TipDevice : public ZafDevice {
 public:
  TipDevice() : ZafDevice(E_HELP_TIPS, D_ON) {}
  int32_t Event(const ZafEventRecord& event) override {
    requests.push_back(event.type);
    return deviceState;
  }
  std::vector<int32_t> requests;
};

TEST_F(WindowEventsTest, TheCloseQueryRefusesOnlyForALockedWindow) {
  EXPECT_EQ(window->Event(ZafEventRecord(CloseQueryEvent, 0)), 0);
  window->SetLocked(true);
  EXPECT_EQ(window->Event(ZafEventRecord(CloseQueryEvent, 0)), -1);
}

TEST_F(WindowEventsTest, CloseGoesRoundTheQueueNamingTheRootWindowOnce) {
  auto* group = new SpyWindow(10, 10, 100, 60);
  window->Add(group);
  ZafEventRecord taken;
  while (events.TakeQueued(taken)) {
  }
  EXPECT_EQ(group->Event(ZafEventRecord(CloseEvent, 0)), CloseEvent);
  ASSERT_TRUE(events.TakeQueued(taken));
  EXPECT_EQ(taken.type, CloseEvent);
  EXPECT_EQ(taken.windowObject, window);
  EXPECT_EQ(taken.addressedObject, nullptr);
  // Handed back with its window named (as a grab would), it is not queued again.
  EXPECT_EQ(window->Event(taken), CloseEvent);
  EXPECT_FALSE(events.TakeQueued(taken));
}

TEST_F(WindowEventsTest, MaximizeMinimizeAndRestoreSetTheState) {
  struct Case {
    const char* name;
    bool maximized;
    bool minimized;
    ZafEventType code;
    bool expectMaximized;
    bool expectMinimized;
  };
  const Case cases[] = {
      {"maximize", false, false, MaximizeEvent, true, false},
      {"minimize", false, false, MinimizeEvent, false, true},
      {"minimize a maximized window", true, false, MinimizeEvent, false, true},
      {"restore a maximized window", true, false, RestoreEvent, false, false},
      {"restore a minimized window", false, true, RestoreEvent, false, false},
      {"restore a normal window", false, false, RestoreEvent, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window->SetMaximized(c.maximized);
    window->SetMinimized(c.minimized);
    EXPECT_EQ(window->Event(ZafEventRecord(static_cast<int32_t>(c.code), 0)), c.code);
    EXPECT_EQ(window->Maximized(), c.expectMaximized);
    EXPECT_EQ(window->Minimized(), c.expectMinimized);
    window->SetMaximized(false);
    window->SetMinimized(false);
  }
}

TEST_F(WindowEventsTest, AMaximizedWindowIsCreatedAtItsRestoreRegionAndThenMaximized) {
  window->restoreRegion = {50, 60, 249, 209, ZAF_PIXEL};
  window->SetMaximized(true);
  Show();
  EXPECT_TRUE(window->Maximized());
  EXPECT_TRUE(window->Visible());
  const native::HWND outer = window->ScreenID(2);
  EXPECT_TRUE(native::IsZoomed(outer));
  EXPECT_TRUE(native::IsWindowVisible(outer));
  window->SetMaximized(false);
  driver.pumpUntilIdle();
  const native::RECT normal = driver.screenRect(outer);
  EXPECT_EQ(normal.left, 50);
  EXPECT_EQ(normal.top, 60);
  EXPECT_EQ(normal.right - normal.left, 200);
  EXPECT_EQ(normal.bottom - normal.top, 150);
}

TEST_F(WindowEventsTest, AHiddenMinimizedWindowIsCreatedMinimizedAndStaysHidden) {
  window->SetMinimized(true);
  window->SetVisible(false);
  Show();
  EXPECT_TRUE(window->Minimized());
  EXPECT_FALSE(window->Visible());
  EXPECT_TRUE(native::IsIconic(window->ScreenID(2)));
  EXPECT_FALSE(native::IsWindowVisible(window->ScreenID(2)));
}

TEST_F(WindowEventsTest, AModalWindowDisablesTheOtherTopLevelWindows) {
  Show();
  manager->Add(new SpyWindow(300, 100, 100, 100));
  driver.pumpUntilIdle();
  EXPECT_TRUE(native::IsWindowEnabled(window->ScreenID(2))) << "only a modal window disables the others";
  auto* dialog = new SpyWindow(100, 100, 200, 100);
  dialog->SetModal(true);
  manager->Add(dialog);
  driver.pumpUntilIdle();
  EXPECT_FALSE(native::IsWindowEnabled(window->ScreenID(2)));
  EXPECT_TRUE(native::IsWindowEnabled(dialog->ScreenID(2)));
}

TEST_F(WindowEventsTest, AModalWindowMadeAnewDisablesOnlyTheWindowsBehindIt) {
  auto* plain = new SpyWindow(300, 100, 100, 100);
  manager->Add(plain);
  window->SetModal(true);
  Show();
  auto* dialog = new SpyWindow(100, 100, 200, 100);
  dialog->SetModal(true);
  manager->Add(dialog);
  driver.pumpUntilIdle();
  window->Add(new ZafTitle(u"Heats"));
  driver.pumpUntilIdle();
  ASSERT_EQ(driver.text(window->ScreenID(2)), u"Heats") << "the window was made anew";
  EXPECT_NE(native::IsWindowEnabled(dialog->ScreenID(2)), native::FALSE) << "the modal window in front";
  EXPECT_EQ(native::IsWindowEnabled(plain->ScreenID(2)), native::FALSE) << "the window behind both";
}

TEST_F(WindowEventsTest, AWindowThatGoesTakesTheHelpBarWithIt) {
  auto* tips = static_cast<TipDevice*>(events.Add(new TipDevice));
  EventObject* bar = Child(10, 10);
  Show();
  manager->helpTipObject = bar;
  manager->Subtract(window);
  EXPECT_EQ(manager->helpTipObject, nullptr);
  EXPECT_EQ(tips->requests, std::vector<int32_t>{HelpBarEvent});
  EXPECT_EQ(window->frameHandle, nullptr);
  EXPECT_EQ(window->ScreenID(), nullptr);
  EXPECT_EQ(bar->ScreenID(), nullptr);
  delete window;
  window = new SpyWindow(0, 0, 10, 10);
  shown = false;
}

TEST_F(WindowEventsTest, HotKeysAreOfferedRoundTheObjectsUntilOneTakesThem) {
  EventObject* field = Child(10, 10);
  field->replies[HotKeyEvent] = -1;
  CountingButton* button = Button(10, 50);
  button->SetHotKey(u'K', 0);
  Show();
  ZafEventRecord hotKey(HotKeyEvent, 0);
  hotKey.SetKey({0, u'K'});
  EXPECT_EQ(window->Event(hotKey), HotKeyEvent) << "a refusal passes the key on";
  EXPECT_EQ(button->chosen, 1);
  hotKey.SetKey({0, u'Q'});
  EXPECT_EQ(window->Event(hotKey), UnknownEventResult) << "the last object's answer";
}

TEST_F(WindowEventsTest, ASizeChangeFitsTheChildrenAndPlacesThemAgain) {
  EventObject* first = Child(10, 10);
  first->SetPlacement(2);
  EventObject* second = Child(60, 10);
  Show();
  first->SetRegion({10, 10, 49, 29, ZAF_PIXEL});
  first->received.clear();
  second->received.clear();
  EXPECT_EQ(window->Event(ZafEventRecord(SizedEvent, 0)), SizedEvent);
  EXPECT_EQ(first->Count(FitEvent), 1);
  EXPECT_EQ(second->Count(FitEvent), 1);
  const native::RECT client = driver.screenRect(window->ScreenID());
  const native::RECT filled = driver.screenRect(first->ScreenID());
  EXPECT_EQ(filled.right - filled.left, client.right - client.left) << "the fitted child was placed";
}

TEST_F(WindowEventsTest, AMoveOfAWindowWithoutItsOwnNativeWindowCarriesItsChildren) {
  auto* group = new SpyWindow(10, 10, 120, 80);
  group->SetOwnNativeWindow(false);
  window->Add(group);
  EventObject* placed = Child(5, 5, 20, 10, group);
  auto* drawn = new EventObject;
  drawn->SetOwnNativeWindow(false);
  group->Add(drawn);
  Show();
  drawn->received.clear();
  group->SetRegion({30, 40, 149, 119, ZAF_PIXEL});
  EXPECT_EQ(group->Event(ZafEventRecord(MovedEvent, 0)), MovedEvent);
  EXPECT_EQ(drawn->Count(MovedEvent), 1);
  native::POINT corner{0, 0};
  native::MapWindowPoints(placed->ScreenID(), window->ScreenID(), &corner, 1);
  EXPECT_EQ(corner.x, 35);
  EXPECT_EQ(corner.y, 45);

  // A window with a native window of its own carries its children along by itself.
  group->events.clear();
  group->events.clear();
  EXPECT_EQ(window->Event(ZafEventRecord(MovedEvent, 0)), MovedEvent);
  EXPECT_EQ(group->Count(MovedEvent), 0);
}

TEST_F(WindowEventsTest, ANewRegionForABarInTheFrameLaysTheFrameOutAgain) {
  // A tool bar: a support object with a native window of its own inside the frame.
  struct Bar : SpyWindow {
    Bar() : SpyWindow(0, 0, 300, 20) { supportObject = true; }
  };
  auto* bar = new Bar;
  window->Add(bar);
  Show();
  ASSERT_NE(bar->ScreenID(), nullptr);
  ZafEventRecord request(SetRegionEvent, 0, 0, 0, 299, 39, ZAF_PIXEL);
  EXPECT_EQ(bar->Event(request), SetRegionEvent);
  EXPECT_EQ(bar->Region().Height(), 40);
  const native::RECT placed = driver.screenRect(bar->ScreenID());
  EXPECT_EQ(placed.bottom - placed.top, 40) << "the frame placed the bar again";

  // A child window takes the region the window-object way.
  auto* group = new SpyWindow(10, 10, 50, 50);
  window->Add(group);
  ZafEventRecord move(SetRegionEvent, 0, 20, 30, 119, 89, ZAF_PIXEL);
  EXPECT_EQ(group->Event(move), SetRegionEvent);
  EXPECT_EQ(driver.screenRect(group->ScreenID()).right - driver.screenRect(group->ScreenID()).left, 100);
}

TEST_F(WindowEventsTest, ScrollEventsGoToScrollEvent) {
  auto* scrolling = new ScrollingWindow;
  const ZafEventType scrolls[] = {-3507, -3506, -307, -306, -305, -304, -301, -300};
  for (ZafEventType code : scrolls) {
    EXPECT_EQ(scrolling->Event(ZafEventRecord(static_cast<int32_t>(code), 0)), code);
  }
  EXPECT_EQ(scrolling->scrolled, std::vector<ZafEventType>(std::begin(scrolls), std::end(scrolls)));
  scrolling->scrolled.clear();
  scrolling->Event(ZafEventRecord(-302, 0));
  scrolling->Event(ZafEventRecord(-303, 0));
  EXPECT_TRUE(scrolling->scrolled.empty()) << "whole scroll records are no window's business";
  delete scrolling;
}

TEST_F(WindowEventsTest, WhatTheWindowDoesNotTakeGoesToTheCurrentChild) {
  EventObject* first = Child(10, 10);
  EventObject* current = Child(60, 10);
  Show();
  Focus(current);
  first->received.clear();
  current->received.clear();
  constexpr int32_t kUserEvent = 5000;
  current->replies[kUserEvent] = 42;
  EXPECT_EQ(window->Event(ZafEventRecord(kUserEvent, 0)), 42);
  EXPECT_EQ(current->Count(kUserEvent), 1);
  EXPECT_EQ(first->Count(kUserEvent), 0);

  EXPECT_EQ(window->Event(ZafEventRecord(DrawNowEvent, 0)), DrawNowEvent);
  EXPECT_EQ(first->Count(DrawNowEvent), 1) << "drawing at once is every child's";
  EXPECT_EQ(current->Count(DrawNowEvent), 1);
}

}  // namespace
