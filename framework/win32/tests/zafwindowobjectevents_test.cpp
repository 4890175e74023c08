#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/zafhelpstub.h"
#include "framework/win32/tests/zafeventobjecttest.h"
#include "framework/win32/zafwindowprocedure.h"

namespace {

using ZafWindowObjectEventsTest = ZafEventObjectTest;

// The class procedure's own answer to a message, for comparing with what the object answers.
ZafEventType ClassAnswer(native::HWND window, native::UINT message, native::WPARAM wParam = 0,
                         native::LPARAM lParam = 0) {
  return static_cast<ZafEventType>(ZafCallClassProcedure(window, message, wParam, lParam));
}

// Whether a left-button release with both parameters 0 waits in the queue for the window.
bool ReleasePosted(native::HWND window) {
  native::MSG message{};
  while (
      native::PeekMessage(&message, window, native::WM_LBUTTONUP, native::WM_LBUTTONUP, native::PM_REMOVE)) {
    if (message.wParam == 0 && message.lParam == 0) {
      return true;
    }
  }
  return false;
}

TEST_F(ZafWindowObjectEventsTest, PaintDrawsTheObjectOverTheUpdateArea) {
  // Away from the host's origin: the object paints in its own window's client coordinates.
  const native::HWND window = Place(object, 40, 30, 30, 20);
  screen.BeginDraw(nullptr, window, {0, 0, 29, 19, ZAF_PIXEL}, {0, 0, 29, 19, ZAF_PIXEL});
  screen.SetBackground(15);
  screen.Rectangle(0, 0, 29, 19, 0, true);
  screen.EndDraw();
  const native::RECT part{5, 4, 15, 12};
  native::InvalidateRect(window, &part, native::FALSE);
  driver.pumpUntilIdle();
  ASSERT_EQ(object.draws.size(), 1u);
  EXPECT_EQ(object.draws[0].drawType, RedisplayEvent);
  // The paint rectangle as an inclusive pixel region.
  EXPECT_EQ(object.draws[0].region, (ZafRegionStruct{5, 4, 14, 11, ZAF_PIXEL}));
  const native::POINT inside = ScreenPoint(window, 10, 8);
  const native::POINT outside = ScreenPoint(window, 20, 8);
  EXPECT_EQ(driver.pixel(inside.x, inside.y), EventObject::kFace);
  // Only the update area is painted.
  EXPECT_EQ(driver.pixel(outside.x, outside.y), native::RGB(255, 255, 255));
  // The update area is validated: nothing more to paint.
  EXPECT_EQ(native::GetUpdateRect(window, nullptr, native::FALSE), native::FALSE);
}

TEST_F(ZafWindowObjectEventsTest, FixedAnswersLeaveTheClassProcedureOut) {
  const native::HWND window = Place(object, 0, 0);
  struct Case {
    native::UINT message;
    native::LPARAM lParam;
    ZafEventType expected;
  };
  const Case cases[] = {
      {native::WM_ERASEBKGND, 0, 1},
      {native::WM_QUERYNEWPALETTE, 0, 0},
      {native::WM_PALETTECHANGED, 0, 0},
      {native::WM_SYSKEYDOWN, 0, UnknownEventResult},
      {native::WM_SYSKEYUP, 0, UnknownEventResult},
      {native::WM_KEYUP, 0, UnknownEventResult},
      // A menu or accelerator command.
      {native::WM_COMMAND, 0, static_cast<ZafEventType>(native::WM_COMMAND)},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << test.message);
    EXPECT_EQ(object.NativeEvent(ZafNativeEvent(window, test.message, 0, test.lParam)), test.expected);
  }
}

TEST_F(ZafWindowObjectEventsTest, ControlCommandGoesToTheClassProcedure) {
  const native::HWND window = Place(object, 0, 0);
  const native::HWND control = native::CreateWindowEx(0, u"BUTTON", u"OK", native::WS_CHILD, 0, 0, 20, 10,
                                                      window, nullptr, nullptr, nullptr);
  const auto lParam = reinterpret_cast<native::LPARAM>(control);
  EXPECT_EQ(object.NativeEvent(ZafNativeEvent(window, native::WM_COMMAND, 1, lParam)),
            ClassAnswer(window, native::WM_COMMAND, 1, lParam));
}

TEST_F(ZafWindowObjectEventsTest, SetFocusRunsTheFocusProtocolOnce) {
  const native::HWND window = Place(object, 0, 0);
  native::SetFocus(window);
  EXPECT_TRUE(object.Focus());
  EXPECT_EQ(object.Count(FocusGainedEvent), 1);
  EXPECT_EQ(manager->focusObject, &object);
  EXPECT_FALSE(ReleasePosted(window));

  // Already current: only the class procedure's answer.
  object.received.clear();
  EXPECT_EQ(object.NativeEvent(ZafNativeEvent(window, native::WM_SETFOCUS)),
            ClassAnswer(window, native::WM_SETFOCUS));
  EXPECT_EQ(object.Count(FocusGainedEvent), 0);
  EXPECT_FALSE(ReleasePosted(window));
}

// A parent that refuses every focus change below it.
class RefusingParent : public ZafWindowObject {
 public:
  RefusingParent() : ZafWindowObject(0, 0, 1, 1) {}
  ZafWindowObject* NotifyFocus(ZafWindowObject*, bool) override { return this; }
};

TEST_F(ZafWindowObjectEventsTest, SetFocusRefusedAnswersZeroAndLeavesTheFocusFlag) {
  const native::HWND window = Place(object, 0, 0);
  RefusingParent parent;
  object.SetParent(&parent);
  EXPECT_EQ(object.NativeEvent(ZafNativeEvent(window, native::WM_SETFOCUS)), 0);
  EXPECT_FALSE(object.Focus());
  EXPECT_EQ(object.Count(FocusGainedEvent), 0);
  EXPECT_FALSE(ReleasePosted(window));
  object.SetParent(nullptr);
}

TEST_F(ZafWindowObjectEventsTest, SetFocusPassedOnToAChildWindowIsLeftThere) {
  const native::HWND window = Place(object, 0, 0);
  const native::HWND child = native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, nullptr,
                                                    native::WS_CHILD | native::WS_VISIBLE, 0, 0, 10, 10,
                                                    window, nullptr, nullptr, nullptr);
  object.onEvent = [child](const ZafEventRecord& event) {
    if (event.type == FocusGainedEvent) {
      native::SetFocus(child);
    }
  };
  native::SetFocus(window);
  EXPECT_TRUE(object.Focus());
  EXPECT_EQ(native::GetFocus(), child);
  EXPECT_FALSE(ReleasePosted(window));
}

TEST_F(ZafWindowObjectEventsTest, SetFocusTakenElsewhereIsTakenBackWithAPostedRelease) {
  const native::HWND window = Place(object, 0, 0);
  const native::HWND elsewhere = Place(other, 100, 0);
  bool once = true;
  object.onEvent = [&](const ZafEventRecord& event) {
    if (event.type == FocusGainedEvent && once) {
      once = false;
      native::SetFocus(elsewhere);
    }
  };
  native::SetFocus(window);
  EXPECT_EQ(native::GetFocus(), window);
  EXPECT_TRUE(ReleasePosted(window));
}

TEST_F(ZafWindowObjectEventsTest, SetCursorShowsTheArrowOverNonCurrentChildren) {
  const native::HWND window = Place(object, 0, 0);
  RefusingParent parent;
  struct Case {
    const char* name;
    bool editMode;
    bool nonCurrent;
    bool withParent;
    native::WPARAM cursorWindow;
    bool classAnswers;
    int32_t image;
  };
  const auto own = reinterpret_cast<native::WPARAM>(window);
  const Case cases[] = {
      {"edit mode over its own window", true, false, true, own, false, DM_CROSS_HAIRS},
      {"edit mode over another window", true, false, false, 0, true, DM_CROSS_HAIRS},
      {"non-current child", false, true, true, own, false, DM_VIEW},
      {"non-current top-level object", false, true, false, own, true, DM_CROSS_HAIRS},
      {"current child", false, false, true, own, true, DM_CROSS_HAIRS},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    object.SetEdit(test.editMode);
    object.SetNonCurrent(test.nonCurrent);
    object.SetParent(test.withParent ? &parent : nullptr);
    events.SendToDevice(E_MOUSE_DEVICE, DM_CROSS_HAIRS);
    const ZafEventType expected =
        test.classAnswers ? ClassAnswer(window, native::WM_SETCURSOR, test.cursorWindow) : 1;
    EXPECT_EQ(object.NativeEvent(ZafNativeEvent(window, native::WM_SETCURSOR, test.cursorWindow)), expected);
    EXPECT_EQ(mouse->Image(), test.image);
  }
  object.SetParent(nullptr);
}

TEST_F(ZafWindowObjectEventsTest, MouseActivateAsksForTheFocusUnlessTheRootIsCurrent) {
  const native::HWND window = Place(object, 0, 0);
  EventObject root;
  object.SetParent(&root);
  struct Case {
    const char* name;
    bool rootCurrent;
    bool disabled;
    bool nonCurrent;
    ZafWindowObject* requester;
  };
  const Case cases[] = {
      {"plain object", false, false, false, &object},
      {"disabled object", false, true, false, &root},
      {"non-current object", false, false, true, &root},
      {"current root", true, false, false, nullptr},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    root.SetFocusFlag(test.rootCurrent);
    object.SetDisabled(test.disabled);
    object.SetNonCurrent(test.nonCurrent);
    const ZafEventType answer = object.NativeEvent(ZafNativeEvent(window, native::WM_MOUSEACTIVATE));
    ZafEventRecord queued;
    if (test.requester) {
      EXPECT_EQ(answer, static_cast<ZafEventType>(native::MA_ACTIVATE));
      ASSERT_TRUE(events.TakeQueued(queued));
      EXPECT_EQ(queued.type, FocusRequestEvent);
      EXPECT_EQ(queued.windowObject, test.requester);
    } else {
      EXPECT_EQ(answer, ClassAnswer(window, native::WM_MOUSEACTIVATE));
    }
    EXPECT_FALSE(events.TakeQueued(queued));
  }
  object.SetParent(nullptr);
}

TEST_F(ZafWindowObjectEventsTest, WindowPositionChangeBecomesTheRegionAndIsReported) {
  const native::HWND window = Place(object, 10, 10, 60, 40);
  EXPECT_EQ(object.Region(), (ZafRegionStruct{10, 10, 69, 49, ZAF_PIXEL}));
  struct Case {
    const char* name;
    int x, y, width, height;
    std::vector<ZafEventType> reported;
    ZafRegionStruct region;
  };
  const Case cases[] = {
      {"moved", 20, 15, 60, 40, {MovedEvent}, {20, 15, 79, 54, ZAF_PIXEL}},
      {"sized", 20, 15, 70, 30, {SizedEvent}, {20, 15, 89, 44, ZAF_PIXEL}},
      {"moved and sized", 0, 0, 10, 10, {MovedEvent, SizedEvent}, {0, 0, 9, 9, ZAF_PIXEL}},
      {"unchanged", 0, 0, 10, 10, {}, {0, 0, 9, 9, ZAF_PIXEL}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const ZafRegionStruct before = object.Region();
    object.received.clear();
    native::MoveWindow(window, test.x, test.y, test.width, test.height, native::TRUE);
    std::vector<ZafEventType> reported;
    for (const ZafEventRecord& event : object.received) {
      reported.push_back(event.type);
      // Each report carries the region the object had.
      EXPECT_EQ(event.Region(), before);
    }
    EXPECT_EQ(reported, test.reported);
    EXPECT_EQ(object.Region(), test.region);
    EXPECT_EQ(object.LastNativeRegion(), test.region);
  }
}

TEST_F(ZafWindowObjectEventsTest, ZOrderOnlyChangeLeavesTheRegionAndSendsNothing) {
  const native::HWND window = Place(object, 10, 10);
  Place(other, 30, 30);
  const ZafRegionStruct before = object.Region();
  native::SetWindowPos(window, native::HWND_TOP, 0, 0, 0, 0, native::SWP_NOMOVE | native::SWP_NOSIZE);
  native::WINDOWPOS position{window, native::HWND_TOP, 99, 99, 5, 5, native::SWP_NOMOVE | native::SWP_NOSIZE};
  object.NativeEvent(
      ZafNativeEvent(window, native::WM_WINDOWPOSCHANGED, 0, reinterpret_cast<native::LPARAM>(&position)));
  EXPECT_EQ(object.Region(), before);
  EXPECT_TRUE(object.received.empty());
}

TEST_F(ZafWindowObjectEventsTest, MessagesWithoutTheirRecordAreLeftToTheClassProcedure) {
  const native::HWND window = Place(object, 10, 10);
  const ZafRegionStruct before = object.Region();
  for (native::UINT message : {native::WM_WINDOWPOSCHANGED, native::WM_DRAWITEM}) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << message);
    EXPECT_EQ(object.NativeEvent(ZafNativeEvent(window, message)), ClassAnswer(window, message));
  }
  EXPECT_EQ(object.Region(), before);
  EXPECT_TRUE(object.received.empty());
  EXPECT_TRUE(object.draws.empty());
}

TEST_F(ZafWindowObjectEventsTest, DrawItemDrawsInTheItemsStateAndRestoresTheFlags) {
  const native::HWND window = Place(object, 0, 0);
  struct Case {
    const char* name;
    native::UINT type;
    native::UINT action;
    native::UINT state;
    bool disabled;
    std::vector<ZafEventType> drawTypes;
    bool focus;
    bool selected;
  };
  const Case cases[] = {
      {"whole item",
       native::ODT_LISTBOX,
       native::ODA_DRAWENTIRE,
       native::ODS_SELECTED,
       false,
       {RedisplayEvent},
       false,
       true},
      {"focus gained",
       native::ODT_LISTBOX,
       native::ODA_FOCUS,
       native::ODS_FOCUS,
       false,
       {FocusGainedEvent},
       true,
       false},
      {"focus lost", native::ODT_LISTBOX, native::ODA_FOCUS, 0, false, {FocusLostEvent}, false, false},
      {"selection",
       native::ODT_LISTBOX,
       native::ODA_SELECT,
       native::ODS_SELECTED,
       false,
       {ChosenEvent},
       false,
       true},
      {"focus and selection",
       native::ODT_LISTBOX,
       native::ODA_FOCUS | native::ODA_SELECT,
       native::ODS_FOCUS | native::ODS_SELECTED,
       false,
       {FocusGainedEvent, ChosenEvent},
       true,
       true},
      // A button keeps its own selected (toggle) state, and so does a disabled item.
      {"pressed button",
       native::ODT_BUTTON,
       native::ODA_DRAWENTIRE,
       native::ODS_SELECTED,
       false,
       {RedisplayEvent},
       false,
       false},
      {"disabled item",
       native::ODT_LISTBOX,
       native::ODA_DRAWENTIRE,
       native::ODS_SELECTED,
       true,
       {RedisplayEvent},
       false,
       false},
  };
  const native::HDC context = native::GetDC(window);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    object.SetDisabled(test.disabled);
    object.SetFocusFlag(false);
    object.SetSelectedFlag(false);
    object.draws.clear();
    native::DRAWITEMSTRUCT item{};
    item.CtlType = test.type;
    item.itemAction = test.action;
    item.itemState = test.state;
    item.hwndItem = window;
    item.hDC = context;
    item.rcItem = {0, 0, 60, 40};
    EXPECT_EQ(object.NativeEvent(
                  ZafNativeEvent(window, native::WM_DRAWITEM, 0, reinterpret_cast<native::LPARAM>(&item))),
              static_cast<ZafEventType>(native::WM_DRAWITEM));
    std::vector<ZafEventType> drawTypes;
    for (const EventObject::DrawCall& call : object.draws) {
      drawTypes.push_back(call.drawType);
      EXPECT_EQ(call.focus, test.focus);
      EXPECT_EQ(call.selected, test.selected);
    }
    EXPECT_EQ(drawTypes, test.drawTypes);
    EXPECT_FALSE(object.Focus());
    EXPECT_FALSE(object.Selected());
  }
  native::ReleaseDC(window, context);
}

TEST_F(ZafWindowObjectEventsTest, ControlColorSetsTheTextAndBackgroundOfEveryControlKind) {
  const native::HWND window = Place(object, 0, 0);
  const native::HDC context = native::GetDC(window);
  ZafPaletteStruct background;
  background.colorBackground = ZAF_OS_COLOR_INDEX;
  background.osBackground = EventObject::kFace;
  for (native::UINT message = native::WM_CTLCOLORMSGBOX; message <= native::WM_CTLCOLORSTATIC; ++message) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << message);
    native::SetTextColor(context, native::RGB(1, 2, 3));
    native::SetBkColor(context, native::RGB(4, 5, 6));
    const ZafEventType answer =
        object.NativeEvent(ZafNativeEvent(window, message, reinterpret_cast<native::WPARAM>(context)));
    EXPECT_EQ(native::GetTextColor(context), EventObject::kInk);
    EXPECT_EQ(native::GetBkColor(context), EventObject::kFace);
    // The brush is the cache's for the background entry, and its use was given back at once.
    const native::HBRUSH brush = screen.GetBrush(background);
    EXPECT_EQ(answer, static_cast<ZafEventType>(reinterpret_cast<intptr_t>(brush)));
    EXPECT_EQ(ZafGdiDisplay::ReleaseCachedObject(brush), 0);
  }
  native::ReleaseDC(window, context);
}

// The brush is a native handle, which may need more than 32 bits; the window procedure must hand it to the
// control whole.
TEST_F(ZafWindowObjectEventsTest, ControlColorBrushReachesTheControlWhole) {
  // Brushes made and deleted again age the slots that the next drawing objects take.
  for (int round = 0; round < 300; ++round) {
    std::vector<native::HBRUSH> brushes;
    for (int i = 0; i < 16; ++i) {
      brushes.push_back(native::CreateSolidBrush(native::RGB(0, 0, 0)));
    }
    for (native::HBRUSH brush : brushes) {
      native::DeleteObject(brush);
    }
  }
  const native::HWND window = Place(object, 0, 0);
  const native::HDC context = native::GetDC(window);
  const auto answer = static_cast<uintptr_t>(
      native::SendMessage(window, native::WM_CTLCOLORSTATIC, reinterpret_cast<native::WPARAM>(context), 0));
  ZafPaletteStruct background;
  background.colorBackground = ZAF_OS_COLOR_INDEX;
  background.osBackground = EventObject::kFace;
  const native::HBRUSH brush = screen.GetBrush(background);
  ZafGdiDisplay::ReleaseCachedObject(brush);
  ASSERT_GT(reinterpret_cast<uintptr_t>(brush), uintptr_t{0xFFFFFFFF});
  EXPECT_EQ(answer, reinterpret_cast<uintptr_t>(brush));
  native::ReleaseDC(window, context);
}

// A help system that records what it is asked to show.
class RecordingHelp : public ZafHelpStub {
 public:
  void DisplayHelp(const ZafIChar* context) override { shown.emplace_back(context); }
  std::vector<std::u16string> shown;
};

TEST_F(ZafWindowObjectEventsTest, HelpKeyShowsTheObjectsContextOrLeavesItToTheParent) {
  const native::HWND window = Place(object, 0, 0);
  RecordingHelp help;
  ZafHelpStub::SetHelpSystem(&help);
  EventObject parent;
  struct Case {
    const char* name;
    bool withParent;
    const ZafIChar* context;
    ZafEventType expected;
    std::vector<std::u16string> shown;
  };
  const Case cases[] = {
      {"child without context", true, nullptr, UnknownEventResult, {}},
      {"child with context", true, u"start", static_cast<ZafEventType>(native::WM_KEYDOWN), {u"start"}},
      {"top-level object without context",
       false,
       nullptr,
       static_cast<ZafEventType>(native::WM_KEYDOWN),
       {u""}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    help.shown.clear();
    object.SetParent(test.withParent ? &parent : nullptr);
    object.SetHelpContext(test.context);
    EXPECT_EQ(object.NativeEvent(ZafNativeEvent(window, native::WM_KEYDOWN, native::VK_F1)), test.expected);
    EXPECT_EQ(help.shown, test.shown);
  }
  object.SetParent(nullptr);
  ZafHelpStub::SetHelpSystem(nullptr);
}

TEST_F(ZafWindowObjectEventsTest, OtherKeysAreTranslatedAndLeftUnknown) {
  const native::HWND window = Place(object, 0, 0);
  driver.keyDown('A');
  EXPECT_EQ(object.NativeEvent(ZafNativeEvent(window, native::WM_KEYDOWN, 'A')), UnknownEventResult);
  native::MSG character{};
  EXPECT_NE(native::PeekMessage(&character, nullptr, native::WM_CHAR, native::WM_CHAR, native::PM_REMOVE),
            native::FALSE);
  driver.keyUp('A');
}

TEST_F(ZafWindowObjectEventsTest, NonClientDestroyPutsTheClassProcedureBack) {
  const native::HWND window = Place(object, 0, 0);
  ASSERT_EQ(native::GetWindowLong(window, native::GWL_WNDPROC),
            reinterpret_cast<native::LONG_PTR>(&ZafWindowProcedure));
  object.NativeEvent(ZafNativeEvent(window, native::WM_NCDESTROY));
  EXPECT_EQ(native::GetWindowLong(window, native::GWL_WNDPROC),
            static_cast<native::LONG_PTR>(native::GetClassLong(window, native::GCL_WNDPROC)));
}

TEST_F(ZafWindowObjectEventsTest, NonClientMoveEndsTheTip) {
  const native::HWND window = Place(object, 0, 0);
  MoveTo(window, 5, 5);
  ASSERT_EQ(manager->tipObject, &object);
  object.received.clear();
  object.NativeEvent(ZafNativeEvent(window, native::WM_NCMOUSEMOVE));
  EXPECT_EQ(manager->tipObject, nullptr);
  EXPECT_EQ(object.Count(TipLeaveEvent), 1);
}

TEST_F(ZafWindowObjectEventsTest, DoubleClicksOfNonCurrentObjectsAreSwallowed) {
  const native::HWND window = Place(object, 0, 0);
  for (native::UINT message :
       {native::WM_LBUTTONDBLCLK, native::WM_RBUTTONDBLCLK, native::WM_MBUTTONDBLCLK}) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << message);
    object.SetNonCurrent(true);
    EXPECT_EQ(object.NativeEvent(ZafNativeEvent(window, message)), static_cast<ZafEventType>(message));
    object.SetNonCurrent(false);
    EXPECT_EQ(object.NativeEvent(ZafNativeEvent(window, message)), ClassAnswer(window, message));
  }
}

}  // namespace
