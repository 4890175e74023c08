// The outer frame's messages and the window's state setters: closing through the queue, the system menu's
// entry states and commands, moves and sizes of the frame, maximizing and minimizing, re-creating a
// maximized window, disabling, the selection mode and mouse positions on a framed window.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/win32/tests/zafwindowframetestbed.h"
#include "framework/win32/zafwindowprocedure.h"

namespace {

using WindowFrameProcedureTest = ZafWindowFrameTest;

NoticeWindow* FramedWindow() {
  auto* window = new NoticeWindow(40, 30, 200, 120);
  window->AddStandardFrame(u"Start list");
  return window;
}

TEST_F(WindowFrameProcedureTest, CloseIsQueuedForTheWindowManagerAndNothingCloses) {
  NoticeWindow* window = Shown(FramedWindow());
  ZafEventRecord discard;
  while (events.TakeQueued(discard)) {
  }
  const native::HWND frame = window->ScreenID(2);
  EXPECT_EQ(native::SendMessage(frame, native::WM_CLOSE, 0, 0), 0);
  EXPECT_NE(native::IsWindow(frame), native::FALSE) << "the frame stays until the window manager closes it";
  std::vector<ZafEventRecord> queued;
  for (ZafEventRecord record; events.TakeQueued(record);) {
    queued.push_back(record);
  }
  ASSERT_EQ(queued.size(), 1u);
  EXPECT_EQ(queued[0].type, CloseEvent);
  EXPECT_EQ(queued[0].windowObject, window);
}

TEST_F(WindowFrameProcedureTest, SystemMenuGreysWhatTheWindowForbids) {
  struct Case {
    const char* name;
    bool sizeable;
    bool movable;
    bool locked;
    // The window system greyed Maximize, Size and Move before asking, as it does for a maximised window.
    bool maximised;
    bool sizeGreyed;  // Maximize and Size
    bool moveGreyed;
  };
  const Case cases[] = {
      {"everything allowed", true, true, false, false, false, false},
      {"not sizeable", false, true, false, false, true, false},
      {"not movable", true, false, false, false, false, true},
      {"locked", true, true, true, false, false, false},
      {"maximised: what the window allows stays grey", true, true, false, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NoticeWindow* window = FramedWindow();
    window->SetSizeable(c.sizeable);
    window->SetMovable(c.movable);
    window->SetLocked(c.locked);
    Shown(window);
    const native::HWND frame = window->ScreenID(2);
    const native::HMENU menu = native::GetSystemMenu(frame, native::FALSE);
    ASSERT_NE(menu, nullptr);
    if (c.maximised) {
      for (native::WPARAM command : {native::SC_MAXIMIZE, native::SC_SIZE, native::SC_MOVE}) {
        native::EnableMenuItem(menu, static_cast<native::UINT>(command),
                               native::MF_BYCOMMAND | native::MF_GRAYED);
      }
    }
    native::SendMessage(frame, native::WM_INITMENUPOPUP, reinterpret_cast<native::WPARAM>(menu),
                        native::MAKELPARAM(0, 1));
    auto greyed = [menu](native::WPARAM command) {
      return (native::GetMenuState(menu, static_cast<native::UINT>(command), native::MF_BYCOMMAND) &
              native::MF_GRAYED) != 0;
    };
    EXPECT_EQ(greyed(native::SC_MAXIMIZE), c.sizeGreyed);
    EXPECT_EQ(greyed(native::SC_SIZE), c.sizeGreyed);
    EXPECT_EQ(greyed(native::SC_MOVE), c.moveGreyed);
    EXPECT_EQ(greyed(native::SC_CLOSE), c.locked);
    manager->Subtract(window);
    delete window;
  }
}

TEST_F(WindowFrameProcedureTest, SystemCommandsSetTheStateSaveTheRestoreRegionAndTellTheWindow) {
  NoticeWindow* window = Shown(FramedWindow());
  const native::HWND frame = window->ScreenID(2);
  const ZafRegionStruct normal = window->Region();
  struct Step {
    const char* name;
    native::WPARAM command;
    bool maximized;
    bool minimized;
    ZafEventType notice;
  };
  const Step steps[] = {
      {"maximize", native::SC_MAXIMIZE, true, false, MaximizedEvent},
      {"minimize from maximized", native::SC_MINIMIZE, false, true, MinimizedEvent},
      {"restore comes back maximized", native::SC_RESTORE, true, false, RestoredEvent},
      {"restore to normal", native::SC_RESTORE, false, false, RestoredEvent},
      {"minimize", native::SC_MINIMIZE, false, true, MinimizedEvent},
      {"restore again", native::SC_RESTORE, false, false, RestoredEvent},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    window->received.clear();
    native::SendMessage(frame, native::WM_SYSCOMMAND, step.command, 0);
    driver.pumpUntilIdle();
    EXPECT_EQ(window->Maximized(), step.maximized);
    EXPECT_EQ(window->Minimized(), step.minimized);
    EXPECT_EQ(native::IsZoomed(frame) != native::FALSE, step.maximized);
    EXPECT_EQ(native::IsIconic(frame) != native::FALSE, step.minimized);
    EXPECT_EQ(window->Count(step.notice), 1);
    EXPECT_TRUE(window->restoreRegion == normal) << "only the normal region is kept for restoring";
  }
  EXPECT_TRUE(window->Region() == normal) << "restored to where it was";
}

TEST_F(WindowFrameProcedureTest, MovingAndSizingTheFrameFollowsIntoTheRegionAndTheClientWindow) {
  NoticeWindow* window = Shown(FramedWindow());
  const native::HWND frame = window->ScreenID(2);
  const ZafRegionStruct before = window->Region();
  window->received.clear();
  native::MoveWindow(frame, 100, 90, 260, 180, native::TRUE);
  driver.pumpUntilIdle();
  const ZafRegionStruct after = window->Region();
  EXPECT_EQ(after.left, 100);
  EXPECT_EQ(after.top, 90);
  EXPECT_EQ(after.Width(), 260);
  EXPECT_EQ(after.Height(), 180);
  ASSERT_GE(window->Count(MovedEvent), 1);
  EXPECT_TRUE(window->lastMovedFrom == before) << "the move carries the region the window had";
  const native::SIZE frameClient = ClientSizeOf(frame);
  const native::SIZE client = ClientSizeOf(window->ScreenID());
  EXPECT_EQ(client.cx, frameClient.cx) << "the client window fills the frame's client area";
  EXPECT_EQ(client.cy, frameClient.cy);
}

TEST_F(WindowFrameProcedureTest, MaximizedWindowCreatedAgainStartsAtItsRestoreRegion) {
  NoticeWindow* window = Shown(FramedWindow());
  const ZafRegionStruct normal = window->Region();
  window->SetMaximized(true);
  driver.pumpUntilIdle();
  ASSERT_NE(native::IsZoomed(window->ScreenID(2)), native::FALSE);
  EXPECT_TRUE(window->restoreRegion == normal);
  manager->Subtract(window);
  EXPECT_EQ(window->ScreenID(), nullptr);
  EXPECT_EQ(window->frameHandle, nullptr);
  EXPECT_TRUE(window->Maximized()) << "the state outlives the native window";

  Shown(window);
  const native::HWND frame = window->ScreenID(2);
  ASSERT_NE(frame, nullptr);
  EXPECT_NE(native::IsZoomed(frame), native::FALSE) << "shown maximized";
  window->SetMaximized(false);
  driver.pumpUntilIdle();
  const native::RECT outer = ScreenRectOf(frame);
  EXPECT_EQ(outer.left, normal.left) << "restoring goes back to the restore region";
  EXPECT_EQ(outer.top, normal.top);
  EXPECT_EQ(outer.right - outer.left, normal.Width());
}

TEST_F(WindowFrameProcedureTest, MaximizedAndMinimizedExcludeEachOtherAndDriveTheFrame) {
  NoticeWindow* window = Shown(FramedWindow());
  const native::HWND frame = window->ScreenID(2);
  struct Step {
    const char* name;
    bool maximize;
    bool flag;
    bool zoomed;
    bool iconic;
  };
  const Step steps[] = {
      {"maximize", true, true, true, false},
      {"minimize clears maximized", false, true, false, true},
      {"restore from minimized comes back maximized", false, false, true, false},
      {"restore from maximized", true, false, false, false},
      {"minimize", false, true, false, true},
      {"restore from minimized", false, false, false, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    if (step.maximize) {
      window->SetMaximized(step.flag);
    } else {
      window->SetMinimized(step.flag);
    }
    driver.pumpUntilIdle();
    EXPECT_EQ(window->Maximized(), step.zoomed);
    EXPECT_EQ(window->Minimized(), step.iconic);
    EXPECT_EQ(native::IsZoomed(frame) != native::FALSE, step.zoomed);
    EXPECT_EQ(native::IsIconic(frame) != native::FALSE, step.iconic);
  }
}

TEST_F(WindowFrameProcedureTest, DisablingAWindowCarriesOverToItsObjects) {
  NoticeWindow* window = FramedWindow();
  auto* ownWindow = window->Add(new ZafWindowObject(1, 1, 50, 10));
  auto* drawnInside = window->Add(new ZafWindowObject(1, 20, 50, 10));
  drawnInside->SetOwnNativeWindow(false);
  Shown(window);
  ASSERT_NE(ownWindow->ScreenID(), nullptr);

  window->SetDisabled(true);
  EXPECT_EQ(native::IsWindowEnabled(window->ScreenID(2)), native::FALSE);
  EXPECT_EQ(native::IsWindowEnabled(ownWindow->ScreenID()), native::FALSE);
  EXPECT_FALSE(ownWindow->Disabled()) << "a native window follows without changing the object's flag";
  EXPECT_TRUE(drawnInside->Disabled()) << "an object drawn in the window takes the window's state";

  window->SetDisabled(false);
  EXPECT_NE(native::IsWindowEnabled(window->ScreenID(2)), native::FALSE);
  EXPECT_NE(native::IsWindowEnabled(ownWindow->ScreenID()), native::FALSE);
  EXPECT_FALSE(drawnInside->Disabled());
}

TEST_F(WindowFrameProcedureTest, SingleSelectionKeepsOneSelectedChildAndIsFixedOnceCreated) {
  struct Case {
    const char* name;
    int current;
    int kept;
  };
  const Case cases[] = {
      {"the current child when it is selected", 2, 2},
      {"else the first selected child", 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* window = new NoticeWindow(0, 0, 100, 50);
    ASSERT_EQ(window->SetSelectMultiple(true), 1u);
    std::vector<ZafWindowObject*> children;
    for (int i = 0; i < 3; ++i) {
      children.push_back(window->Add(new ZafWindowObject(0, i, 10, 1)));
    }
    children[1]->SetSelected(true);
    children[2]->SetSelected(true);
    window->SetCurrent(children[c.current]);
    EXPECT_EQ(window->SetSelectMultiple(false), 0u);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(children[i]->Selected(), i == c.kept) << "child " << i;
    }
    Shown(window);
    EXPECT_EQ(window->SetSelectMultiple(true), 0u) << "the native window keeps its mode";
    manager->Subtract(window);
    delete window;
  }
}

TEST_F(WindowFrameProcedureTest, MousePositionsOnAFramedWindowAreTakenFromItsClientWindow) {
  NoticeWindow* window = Shown(FramedWindow());
  ZafEventRecord press =
      ZafNativeEvent(window->ScreenID(), native::WM_LBUTTONDOWN, 0, native::MAKELPARAM(5, 7));
  ASSERT_EQ(window->ConvertCoordinates(press), 1);
  EXPECT_EQ(press.Position().column, 5);
  EXPECT_EQ(press.Position().line, 7);
  EXPECT_EQ(press.referenceObject, window);
  EXPECT_EQ(window->ConvertCoordinates(press), 1);
  EXPECT_EQ(press.Position().column, 5) << "a converted position is not shifted twice";

  ZafEventRecord frameMove =
      ZafNativeEvent(window->ScreenID(2), native::WM_NCMOUSEMOVE, 0, native::MAKELPARAM(50, 40));
  EXPECT_EQ(window->ConvertCoordinates(frameMove), 0) << "only client mouse messages are converted";
}

}  // namespace

namespace {

bool Holds(const std::vector<native::UINT>& messages, native::UINT message) {
  return std::find(messages.begin(), messages.end(), message) != messages.end();
}

TEST_F(WindowFrameProcedureTest, FrameHandsCommandsAndMenuSelectionsToTheirObjects) {
  auto* window = new NoticeWindow(40, 30, 200, 120);
  auto* systemButton = new SupportStandIn(ZAF_NUMID_SYSTEM);
  auto* menu = new SupportStandIn(ZAF_NUMID_PULL_DOWN_MENU);
  auto* entry = new SupportStandIn(0x0042);
  window->Add(new SupportStandIn(ZAF_NUMID_TITLE));
  window->Add(systemButton);
  window->Add(menu);
  window->Add(entry);
  Shown(window);
  const native::HWND frame = window->ScreenID(2);
  struct Case {
    const char* name;
    native::UINT message;
    native::WPARAM wParam;
    const std::vector<native::UINT>* receiver;
  };
  const Case cases[] = {
      {"a command goes on to the client window", native::WM_COMMAND, native::MAKEWPARAM(77, 0),
       &window->nativeMessages},
      {"a system-menu entry of the program goes to its object", native::WM_SYSCOMMAND, 0x0042,
       &entry->nativeMessages},
      {"a highlighted system-menu entry goes to the system button", native::WM_MENUSELECT,
       native::MAKEWPARAM(native::SC_MOVE, native::MF_HILITE | native::MF_SYSMENU),
       &systemButton->nativeMessages},
      {"a highlighted bar entry goes to the pull-down menu", native::WM_MENUSELECT,
       native::MAKEWPARAM(5, native::MF_HILITE), &menu->nativeMessages},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (auto* list : {&window->nativeMessages, &entry->nativeMessages, &systemButton->nativeMessages,
                       &menu->nativeMessages}) {
      list->clear();
    }
    native::SendMessage(frame, c.message, c.wParam, 0);
    EXPECT_TRUE(Holds(*c.receiver, c.message));
    for (auto* other : {&window->nativeMessages, &entry->nativeMessages, &systemButton->nativeMessages,
                        &menu->nativeMessages}) {
      if (other != c.receiver) {
        EXPECT_FALSE(Holds(*other, c.message));
      }
    }
  }
}

}  // namespace

namespace {

TEST_F(WindowFrameProcedureTest, ActivatingTheFrameFocusesTheCurrentChildAndUnfocusingGivesUpActivation) {
  NoticeWindow* window = FramedWindow();
  auto* skipped = window->Add(new ZafWindowObject(1, 1, 50, 10));
  auto* first = window->Add(new ZafWindowObject(1, 20, 50, 10));
  skipped->SetNonCurrent(true);
  Shown(window);
  NoticeWindow* other = Shown(FramedWindow());
  native::SetActiveWindow(other->ScreenID(2));
  driver.pumpUntilIdle();
  window->SetCurrent(nullptr);

  native::SetActiveWindow(window->ScreenID(2));
  driver.pumpUntilIdle();
  EXPECT_EQ(window->CurrentChild(), first) << "the first child that may be current";
  EXPECT_EQ(native::GetFocus(), first->ScreenID());
  EXPECT_TRUE(first->Focus());

  window->SetFocus(false);
  driver.pumpUntilIdle();
  EXPECT_NE(native::GetActiveWindow(), window->ScreenID(2));
}

}  // namespace

namespace {

TEST_F(WindowFrameProcedureTest, ClickOnTheFrameOfAWindowWithoutTheFocusAsksForTheFocus) {
  NoticeWindow* window = Shown(FramedWindow());
  NoticeWindow* other = Shown(FramedWindow());
  native::SetActiveWindow(other->ScreenID(2));
  driver.pumpUntilIdle();
  ASSERT_FALSE(window->Focus());
  window->received.clear();
  EXPECT_EQ(native::SendMessage(window->ScreenID(2), native::WM_MOUSEACTIVATE,
                                reinterpret_cast<native::WPARAM>(window->ScreenID(2)), 0),
            native::MA_ACTIVATE);
  EXPECT_EQ(window->Count(FocusRequestEvent), 1);
  EXPECT_EQ(native::SendMessage(window->ScreenID(2), native::WM_QUERYDRAGICON, 0, 0), 0);
}

}  // namespace
