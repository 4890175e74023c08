#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/win32/tests/zafeventobjecttest.h"

namespace {

// A source that drags its text, on the host beside a target that accepts drops.
class ZafWindowObjectDragTest : public ZafEventObjectTest {
 protected:
  ZafWindowObjectDragTest() {
    source.SetShiftDrag(true);
    source.SetCtrlDrag(true);
    source.text = u"Start";
    target.SetAcceptDrop(true);
    sourceWindow = Place(source, 10, 10);
    targetWindow = Place(target, 150, 10);
  }
  void Forget() {
    source.received.clear();
    target.received.clear();
  }
  // Presses on the source and moves far enough to start dragging it.
  void StartDrag() {
    Press(sourceWindow, 20, 20);
    MoveTo(sourceWindow, 30, 20);
    ASSERT_EQ(manager->dragObject, &source);
  }
  void ResetImage() { events.SendToDevice(E_MOUSE_DEVICE, DM_CROSS_HAIRS); }

  EventObject& source = object;
  EventObject& target = other;
  native::HWND sourceWindow = nullptr;
  native::HWND targetWindow = nullptr;
};

TEST_F(ZafWindowObjectDragTest, DragStartsOnceThePointerIsFourPixelsAway) {
  struct Case {
    int dx;
    int dy;
    bool starts;
  };
  const Case cases[] = {{3, 0, false}, {0, 3, false}, {3, 3, false}, {-3, -3, false}, {4, 0, true},
                        {0, 4, true},  {-4, 0, true}, {0, -4, true}, {4, 4, true}};
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << "moved by " << test.dx << ", " << test.dy);
    Press(sourceWindow, 20, 20);
    EXPECT_EQ(native::GetCapture(), sourceWindow);
    Forget();
    MoveTo(sourceWindow, 20 + test.dx, 20 + test.dy);
    EXPECT_EQ(source.Count(DragBeginEvent), test.starts ? 1 : 0);
    EXPECT_EQ(manager->dragObject, test.starts ? &source : nullptr);
    if (test.starts) {
      EXPECT_EQ(source.Last(DragBeginEvent)->Position(),
                (ZafPositionStruct{20 + test.dx, 20 + test.dy, ZAF_PIXEL}));
    }
    Release();
    EXPECT_EQ(manager->dragObject, nullptr);
    EXPECT_EQ(native::GetCapture(), nullptr);
    // The release disarms: moving on starts nothing.
    MoveTo(sourceWindow, 40, 30);
    EXPECT_EQ(source.Count(DragBeginEvent), test.starts ? 1 : 0);
  }
}

TEST_F(ZafWindowObjectDragTest, PressOnAnObjectThatCannotBeDraggedArmsNothing) {
  Press(targetWindow, 20, 20);
  EXPECT_EQ(native::GetCapture(), nullptr);
  MoveTo(targetWindow, 40, 30);
  EXPECT_EQ(target.Count(DragBeginEvent), 0);
  EXPECT_EQ(manager->dragObject, nullptr);
  Release();
}

TEST_F(ZafWindowObjectDragTest, TipObjectFollowsThePointerAndTheTimerStartsOnce) {
  MoveTo(sourceWindow, 5, 5);
  EXPECT_EQ(manager->tipObject, &source);
  EXPECT_EQ(source.Count(TipEnterEvent), 1);
  const native::UINT_PTR timer = ZafWindowObjectDrag::tipTimer;
  EXPECT_NE(timer, 0u);
  MoveTo(sourceWindow, 8, 8);
  EXPECT_EQ(source.Count(TipEnterEvent), 1);
  MoveTo(targetWindow, 5, 5);
  EXPECT_EQ(manager->tipObject, &target);
  EXPECT_EQ(source.Count(TipLeaveEvent), 1);
  EXPECT_EQ(target.Count(TipEnterEvent), 1);
  EXPECT_EQ(ZafWindowObjectDrag::tipTimer, timer);
}

TEST_F(ZafWindowObjectDragTest, NoDropImageWhereNothingTakesTheDrag) {
  // A top-level window of the framework's class that no object holds, and one whose user data holds
  // something else than an object.
  const native::HWND plain = native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, nullptr,
                                                    native::WS_POPUP | native::WS_VISIBLE, 400, 300, 50, 50,
                                                    nullptr, nullptr, nullptr, nullptr);
  int foreignState = 7;
  const native::HWND foreign = native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, nullptr,
                                                      native::WS_POPUP | native::WS_VISIBLE, 500, 300, 50, 50,
                                                      nullptr, nullptr, nullptr, nullptr);
  native::SetWindowLong(foreign, native::GWL_USERDATA, reinterpret_cast<native::LONG_PTR>(&foreignState));
  target.SetAcceptDrop(false);
  driver.pumpUntilIdle();
  StartDrag();
  struct Case {
    const char* name;
    native::POINT point;
  };
  const Case cases[] = {{"bare desktop", {620, 20}},
                        {"plain native window", {420, 320}},
                        {"window with other user data", {520, 320}},
                        {"object that takes no drops", ScreenPoint(targetWindow, 10, 10)}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ResetImage();
    Forget();
    driver.mouseMove(test.point.x, test.point.y);
    driver.pumpUntilIdle();
    EXPECT_EQ(mouse->Image(), DM_CANCEL);
    EXPECT_TRUE(target.DragCodes().empty());
    EXPECT_TRUE(source.DragCodes().empty());
  }
  Release();
  EXPECT_EQ(foreignState, 7);
  native::DestroyWindow(plain);
  native::DestroyWindow(foreign);
}

TEST_F(ZafWindowObjectDragTest, SourceThatTakesNoDropsStillAnswersItsOwnDragOver) {
  struct Case {
    bool shiftDrag;
    bool ctrlDrag;
    int32_t image;
  };
  const Case cases[] = {{true, true, DM_DRAG_MOVE}, {false, true, DM_DRAG_COPY}};
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << "shift " << test.shiftDrag << " ctrl " << test.ctrlDrag);
    source.SetShiftDrag(test.shiftDrag);
    source.SetCtrlDrag(test.ctrlDrag);
    StartDrag();
    ResetImage();
    Forget();
    MoveTo(sourceWindow, 40, 25);
    EXPECT_EQ(source.DragCodes(), (std::vector<ZafEventType>{DragOverEvent}));
    EXPECT_EQ(mouse->Image(), test.image);
    Release();
  }
}

TEST_F(ZafWindowObjectDragTest, OverTheTargetThePositionIsInItsClientCoordinates) {
  StartDrag();
  ResetImage();
  MoveTo(targetWindow, 12, 7);
  ASSERT_EQ(target.DragCodes(), (std::vector<ZafEventType>{DragOverEvent}));
  EXPECT_EQ(target.Last(DragOverEvent)->Position(), (ZafPositionStruct{12, 7, ZAF_PIXEL}));
  EXPECT_EQ(mouse->Image(), DM_DRAG_MOVE);
  Release();
}

TEST_F(ZafWindowObjectDragTest, TargetRefusingTheDragShowsTheNoDropImage) {
  target.replies[DragOverEvent] = -1;
  StartDrag();
  ResetImage();
  MoveTo(targetWindow, 12, 7);
  EXPECT_EQ(target.Count(DragOverEvent), 1);
  EXPECT_EQ(mouse->Image(), DM_CANCEL);
  Release();
}

TEST_F(ZafWindowObjectDragTest, KeysAndTheSourcesFlagsChooseTheEvents) {
  struct Case {
    const char* name;
    bool shift;
    bool control;
    bool shiftDrag;
    bool ctrlDrag;
    bool shiftCtrlDrag;
    ZafEventType over;
    ZafEventType drop;
  };
  const Case cases[] = {
      {"shift and ctrl", true, true, false, false, true, DragMoveCopyEvent, DropMoveCopyEvent},
      {"shift and ctrl, not allowed", true, true, true, true, false, DragOverEvent, DroppedEvent},
      {"ctrl", false, true, false, true, false, DragCopyEvent, DropCopyEvent},
      {"ctrl, not allowed", false, true, true, false, false, DragOverEvent, DroppedEvent},
      {"shift", true, false, true, false, false, DragMoveEvent, DropMoveEvent},
      {"shift, not allowed", true, false, false, true, false, DragOverEvent, DroppedEvent},
      {"no keys", false, false, true, true, true, DragOverEvent, DroppedEvent},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    source.SetShiftDrag(test.shiftDrag);
    source.SetCtrlDrag(test.ctrlDrag);
    source.SetShiftCtrlDrag(test.shiftCtrlDrag);
    // The target only records what it is offered.
    target.replies = {{test.over, test.over}, {test.drop, test.drop}};
    StartDrag();
    if (test.shift) {
      driver.keyDown(native::VK_SHIFT);
    }
    if (test.control) {
      driver.keyDown(native::VK_CONTROL);
    }
    Forget();
    MoveTo(targetWindow, 10, 10);
    Release();
    EXPECT_EQ(target.DragCodes(), (std::vector<ZafEventType>{test.over, test.drop}));
    if (test.shift) {
      driver.keyUp(native::VK_SHIFT);
    }
    if (test.control) {
      driver.keyUp(native::VK_CONTROL);
    }
    driver.pumpUntilIdle();
  }
}

TEST_F(ZafWindowObjectDragTest, DropMovesOrCopiesTheText) {
  struct Case {
    const char* name;
    native::UINT key;
    bool targetDisabled;
    std::u16string targetText;
    std::u16string sourceText;
  };
  const Case cases[] = {
      {"move with shift", native::VK_SHIFT, false, u"Start", u""},
      {"copy with ctrl", native::VK_CONTROL, false, u"Start", u"Start"},
      // Without keys the source's Shift-drag flag makes it a move.
      {"no keys", 0, false, u"Start", u""},
      {"disabled target", native::VK_SHIFT, true, u"Old", u"Start"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    source.text = u"Start";
    target.text = u"Old";
    target.SetDisabled(test.targetDisabled);
    StartDrag();
    if (test.key) {
      driver.keyDown(test.key);
    }
    MoveTo(targetWindow, 10, 10);
    Release();
    if (test.key) {
      driver.keyUp(test.key);
    }
    driver.pumpUntilIdle();
    EXPECT_EQ(target.text, test.targetText);
    EXPECT_EQ(source.text, test.sourceText);
    EXPECT_EQ(manager->dragObject, nullptr);
  }
}

TEST_F(ZafWindowObjectDragTest, DropOnItselfChangesNothing) {
  StartDrag();
  driver.keyDown(native::VK_SHIFT);
  MoveTo(sourceWindow, 40, 30);
  Release();
  driver.keyUp(native::VK_SHIFT);
  EXPECT_EQ(source.text, u"Start");
  EXPECT_EQ(source.Count(DropMoveEvent), 1);
  EXPECT_EQ(manager->dragObject, nullptr);
}

// The release that a focus change posts lands at the window's corner (0, 0); here that corner lies under
// an accepting object, so a drop there would be seen.
class ZafFocusReleaseTest : public ZafEventObjectTest {
 protected:
  ZafFocusReleaseTest() {
    target.SetAcceptDrop(true);
    targetWindow = Place(target, 0, 0, 20, 20);
    source.SetShiftDrag(true);
    source.text = u"Start";
    // New child windows go behind their siblings: the target stays on top of the source's corner.
    sourceWindow = Place(source, 10, 10);
    const native::HWND elsewhere = targetWindow;
    source.onEvent = [this, elsewhere](const ZafEventRecord& event) {
      if (event.type == FocusGainedEvent && stealFocus) {
        stealFocus = false;
        native::SetFocus(elsewhere);
      }
    };
  }
  // Gives the source the focus in a way that makes it post its release.
  void FocusSource() {
    stealFocus = true;
    source.SetFocusFlag(false);
    native::SetFocus(sourceWindow);
    ASSERT_FALSE(stealFocus);
    driver.pumpUntilIdle();
  }

  EventObject& source = object;
  EventObject& target = other;
  native::HWND sourceWindow = nullptr;
  native::HWND targetWindow = nullptr;
  bool stealFocus = false;
};

TEST_F(ZafFocusReleaseTest, PostedReleaseNeitherDropsNorEndsARunningDrag) {
  ASSERT_EQ(native::WindowFromPoint(ScreenPoint(sourceWindow, 0, 0)), targetWindow);
  Press(sourceWindow, 30, 20);
  MoveTo(sourceWindow, 40, 20);
  ASSERT_EQ(manager->dragObject, &source);
  target.received.clear();
  FocusSource();
  EXPECT_TRUE(target.DragCodes().empty());
  EXPECT_EQ(target.text, u"");
  EXPECT_EQ(manager->dragObject, &source);
  EXPECT_EQ(native::GetCapture(), sourceWindow);
  // The real release still ends the drag, with its drop where the pointer is.
  MoveTo(targetWindow, 5, 5);
  Release();
  EXPECT_EQ(target.text, u"Start");
  EXPECT_EQ(manager->dragObject, nullptr);
  EXPECT_EQ(native::GetCapture(), nullptr);
}

TEST_F(ZafFocusReleaseTest, PostedReleaseLeavesThePressArmed) {
  Press(sourceWindow, 30, 20);
  FocusSource();
  MoveTo(sourceWindow, 34, 20);
  EXPECT_EQ(source.Count(DragBeginEvent), 1);
  Release();
}

using ZafDragDropEventTest = ZafEventObjectTest;

TEST_F(ZafDragDropEventTest, ObjectOutsideTheDragServesOnlyItsStart) {
  EventObject dragged;
  manager->dragObject = &dragged;
  for (ZafEventType code = FirstDragDropEvent; code <= LastDragDropEvent; ++code) {
    SCOPED_TRACE(code);
    if (code == DragBeginEvent) {
      continue;
    }
    EXPECT_EQ(object.DragDropEvent(ZafEventRecord(code, 0)), -1);
  }
  EXPECT_EQ(manager->dragObject, &dragged);
  EXPECT_EQ(object.DragDropEvent(ZafEventRecord(DragBeginEvent, 0)), DragBeginEvent);
  EXPECT_EQ(manager->dragObject, &object);
}

TEST_F(ZafDragDropEventTest, AncestorOfTheDraggedObjectServesItsDrag) {
  EventObject child;
  child.SetParent(&object);
  child.SetCtrlDrag(true);
  manager->dragObject = &child;
  struct Case {
    ZafEventType code;
    ZafEventType expected;
    int32_t image;
  };
  const Case cases[] = {
      {DragOverEvent, DragCopyEvent, DM_DRAG_COPY}, {DragMoveEvent, DragMoveEvent, DM_DRAG_MOVE},
      {DragCopyEvent, DragCopyEvent, DM_DRAG_COPY}, {DragMoveCopyEvent, -1, DM_CROSS_HAIRS},
      {DropMoveCopyEvent, -1, DM_CROSS_HAIRS},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.code);
    events.SendToDevice(E_MOUSE_DEVICE, DM_CROSS_HAIRS);
    EXPECT_EQ(object.DragDropEvent(ZafEventRecord(test.code, 0)), test.expected);
    EXPECT_EQ(mouse->Image(), test.image);
  }
  EXPECT_EQ(object.DragDropEvent(ZafEventRecord(DragEndEvent, 0)), DragEndEvent);
  EXPECT_EQ(manager->dragObject, nullptr);
}

TEST_F(ZafDragDropEventTest, DropWithoutDragFlagsIsRefused) {
  EventObject dragged;
  dragged.text = u"Start";
  object.SetAcceptDrop(true);
  manager->dragObject = &dragged;
  EXPECT_EQ(object.DragDropEvent(ZafEventRecord(DroppedEvent, 0)), -1);
  EXPECT_EQ(object.DragDropEvent(ZafEventRecord(DragOverEvent, 0)), -1);
  EXPECT_EQ(object.text, u"");
  // An empty text is not dropped, but the drop is still served.
  dragged.text.clear();
  object.text = u"Kept";
  EXPECT_EQ(object.DragDropEvent(ZafEventRecord(DropCopyEvent, 0)), DropCopyEvent);
  EXPECT_EQ(object.text, u"Kept");
}

}  // namespace
