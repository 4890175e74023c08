#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafclassid.h"
#include "framework/win32/tests/zafeventobjecttest.h"
#include "framework/win32/zafwindowprocedure.h"

namespace {

// A top-level window that keeps the native key messages handed to its Event and answers them itself.
class KeyWindow : public ZafWindow {
 public:
  KeyWindow(const ZafIChar* name, bool isTemporary) : ZafWindow(0, 0, 20, 5) {
    SetStringID(name);
    SetTemporary(isTemporary);
    SetDestroyable(false);
  }
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == E_OSEVENT &&
        (event.osEvent.message == native::WM_KEYDOWN || event.osEvent.message == native::WM_KEYUP)) {
      keys.push_back(event.osEvent.message);
      return kKeyAnswer;
    }
    return ZafWindow::Event(event);
  }
  static constexpr ZafEventType kKeyAnswer = 77;
  std::vector<native::UINT> keys;
};

// Stands in for a multiple-document frame: only its class answer differs.
class MdiStandIn : public KeyWindow {
 public:
  MdiStandIn() : KeyWindow(u"mdi", false) {}
  bool IsA(ZafClassID id) const override { return id == ID_ZAF_MDI_WINDOW || KeyWindow::IsA(id); }
};

int exitAnswer = 0;
int exitCalls = 0;
ZafEventType AskToExit(ZafDisplay*, ZafEventManager*, ZafWindowManager*) {
  ++exitCalls;
  return exitAnswer;
}

class WindowManagerNativeTest : public ZafEventObjectTest {
 protected:
  WindowManagerNativeTest() {
    events.nativeInput = 1;
    objectWindow = Place(object, 10, 10);
    otherWindow = Place(other, 150, 10);
    object.onEvent = [this](const ZafEventRecord& event) { Note(event); };
  }
  // The top-level windows leave the window manager while they still exist.
  ~WindowManagerNativeTest() override {
    while (ZafWindow* window = manager->FrontWindow()) {
      manager->Subtract(window);
    }
    ZafWindowManager::droppedComboBox = nullptr;
    // The object's window goes after this fixture's part does.
    object.onEvent = nullptr;
  }

  // Keeps the native messages of interest that reach the object's window.
  void Note(const ZafEventRecord& event) {
    if (event.type != E_OSEVENT) {
      return;
    }
    const native::UINT message = event.osEvent.message;
    if (message == native::WM_KEYDOWN || message == native::WM_KEYUP || message == native::WM_CHAR ||
        message == native::WM_TIMER) {
      objectMessages.push_back(message);
    }
  }

  // The event loop: every waiting event and native message goes to the window manager, as the program's
  // loop hands them; answers the answers. A quit message ends the loop like the program's.
  std::vector<ZafEventType> Loop() {
    std::vector<ZafEventType> answers;
    ZafEventRecord event;
    for (int limit = 1000; limit > 0 && events.Get(event, Q_NO_BLOCK) == Q_EVENT_TAKEN; --limit) {
      answers.push_back(manager->Event(event));
      if (event.type == E_OSEVENT && event.osEvent.message == native::WM_QUIT) {
        break;
      }
    }
    return answers;
  }

  KeyWindow* AddWindow(const ZafIChar* name, bool isTemporary = false) {
    owned.push_back(std::make_unique<KeyWindow>(name, isTemporary));
    manager->Add(owned.back().get());
    driver.pumpUntilIdle();
    return owned.back().get();
  }

  std::u16string Names() const {
    std::u16string names;
    for (ZafElement* element = manager->First(); element; element = element->Next()) {
      names += element->StringID();
      names += u' ';
    }
    return names;
  }

  native::HWND objectWindow = nullptr;
  native::HWND otherWindow = nullptr;
  std::vector<native::UINT> objectMessages;
  std::vector<std::unique_ptr<KeyWindow>> owned;
};

TEST_F(WindowManagerNativeTest, QuitMessageEndsTheLoopOnlyWhenTheExitFunctionAllows) {
  struct Case {
    const char* name;
    bool withFunction;
    int answer;
    ZafEventType expected;
  } cases[] = {
      {"no exit function", false, 0, ExitEvent},
      {"exit function allows", true, 0, ExitEvent},
      {"exit function refuses", true, 5, 0},
  };
  KeyWindow* window = AddWindow(u"main");
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Loop();
    exitCalls = 0;
    exitAnswer = test.answer;
    manager->SetExitFunction(test.withFunction ? AskToExit : nullptr);
    EXPECT_EQ(manager->Event(ZafEventRecord(ExitEvent, 0)), 0) << "the quit message is only posted";
    EXPECT_EQ(exitCalls, 0);
    const std::vector<ZafEventType> answers = Loop();
    ASSERT_FALSE(answers.empty());
    EXPECT_EQ(answers.back(), test.expected);
    EXPECT_EQ(exitCalls, test.withFunction ? 1 : 0);
    EXPECT_EQ(Names(), u"main ") << "no window closes";
    EXPECT_NE(native::IsWindow(window->ScreenID()), native::FALSE);
  }
}

TEST_F(WindowManagerNativeTest, EscapeCancelsADragAndNeitherItsRepeatsNorItsReleaseReachAWindow) {
  object.SetShiftDrag(true);
  Press(objectWindow, 20, 20);
  MoveTo(objectWindow, 30, 20);
  KeyWindow* popUp = AddWindow(u"pop-up", true);
  ASSERT_EQ(manager->dragObject, &object);
  native::SetFocus(objectWindow);
  Loop();
  events.SendToDevice(E_MOUSE_DEVICE, DM_CROSS_HAIRS);
  objectMessages.clear();

  driver.keyDown(native::VK_ESCAPE);
  EXPECT_EQ(Loop(), std::vector<ZafEventType>{0});
  EXPECT_EQ(manager->dragObject, nullptr);
  EXPECT_EQ(mouse->Image(), DM_VIEW);
  driver.keyDown(native::VK_ESCAPE);
  EXPECT_EQ(Loop(), std::vector<ZafEventType>{0}) << "the key held down repeats";
  driver.keyUp(native::VK_ESCAPE);
  EXPECT_EQ(Loop(), std::vector<ZafEventType>{0});
  EXPECT_TRUE(objectMessages.empty());
  EXPECT_TRUE(popUp->keys.empty());
  EXPECT_EQ(Names(), u"pop-up ") << "the pop-up the drag ran in stays open";
  Release();

  // The next Escape is the user's again: it reaches the pop-up and its release closes it.
  driver.keyDown(native::VK_ESCAPE);
  Loop();
  driver.keyUp(native::VK_ESCAPE);
  Loop();
  EXPECT_EQ(popUp->keys, std::vector<native::UINT>{native::WM_KEYDOWN});
  EXPECT_EQ(Names(), u"");
}

TEST_F(WindowManagerNativeTest, OtherKeysDuringADragBecomeAMouseMoveWithTheNewKeyState) {
  object.SetShiftDrag(true);
  Press(objectWindow, 20, 20);
  MoveTo(objectWindow, 30, 20);
  ASSERT_EQ(manager->dragObject, &object);
  native::SetFocus(objectWindow);
  Loop();
  object.received.clear();
  objectMessages.clear();

  driver.keyDown(native::VK_SHIFT);
  Loop();
  EXPECT_TRUE(objectMessages.empty()) << "the key reaches no window";
  EXPECT_EQ(manager->dragObject, &object);
  EXPECT_EQ(object.DragCodes(), std::vector<ZafEventType>{DragMoveEvent}) << "offered again, moving now";
  driver.keyUp(native::VK_SHIFT);
  Loop();
  Release();
}

TEST_F(WindowManagerNativeTest, EscapeGoesToTheFrontWindowAndItsReleaseClosesATemporaryOne) {
  struct Case {
    const char* name;
    bool temporaryFront;
    native::UINT message;
    std::vector<ZafEventType> answers;
    std::vector<native::UINT> frontKeys;
    std::u16string left;
  } cases[] = {
      {"pressed over a window",
       false,
       native::WM_KEYDOWN,
       {KeyWindow::kKeyAnswer},
       {native::WM_KEYDOWN},
       u"front back "},
      {"released over a window",
       false,
       native::WM_KEYUP,
       {KeyWindow::kKeyAnswer},
       {native::WM_KEYUP},
       u"front back "},
      {"pressed over a pop-up",
       true,
       native::WM_KEYDOWN,
       {KeyWindow::kKeyAnswer},
       {native::WM_KEYDOWN},
       u"front back "},
      {"released over a pop-up", true, native::WM_KEYUP, {0}, {}, u"back "},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    while (ZafWindow* window = manager->FrontWindow()) {
      manager->Subtract(window);
    }
    AddWindow(u"back");
    KeyWindow* front = AddWindow(u"front", test.temporaryFront);
    native::SetFocus(objectWindow);
    Loop();
    objectMessages.clear();
    if (test.message == native::WM_KEYDOWN) {
      driver.keyDown(native::VK_ESCAPE);
    } else {
      driver.keyUp(native::VK_ESCAPE);
    }
    EXPECT_EQ(Loop(), test.answers);
    EXPECT_EQ(front->keys, test.frontKeys);
    EXPECT_EQ(Names(), test.left) << "only the pop-up closes";
    EXPECT_TRUE(objectMessages.empty()) << "the focus window never sees Escape";
  }
}

TEST_F(WindowManagerNativeTest, OtherKeysAndEscapeUnderAMultipleDocumentFrameAreDispatched) {
  owned.push_back(std::make_unique<MdiStandIn>());
  KeyWindow* frame = owned.back().get();
  manager->Add(frame);
  native::SetFocus(objectWindow);
  Loop();
  objectMessages.clear();
  driver.pressKey(native::VK_ESCAPE);
  driver.pressKey('A');
  Loop();
  EXPECT_TRUE(frame->keys.empty());
  EXPECT_EQ(objectMessages,
            (std::vector<native::UINT>{native::WM_KEYDOWN, native::WM_CHAR, native::WM_KEYUP,
                                       native::WM_KEYDOWN, native::WM_CHAR, native::WM_KEYUP}));
}

TEST_F(WindowManagerNativeTest, KeysOfWindowsWithoutAnObjectAreTranslatedOnlyThere) {
  const native::HWND edit =
      native::CreateWindowEx(0, native::kEditClass, u"", native::WS_CHILD | native::WS_VISIBLE, 10, 100, 100,
                             20, host, nullptr, nullptr, nullptr);
  native::SetFocus(edit);
  ASSERT_TRUE(driver.typeText(u"ab"));
  Loop();
  EXPECT_EQ(driver.text(edit), u"ab") << "a native control gets its characters";

  native::SetFocus(objectWindow);
  Loop();
  objectMessages.clear();
  driver.pressKey('C');
  Loop();
  EXPECT_EQ(objectMessages,
            (std::vector<native::UINT>{native::WM_KEYDOWN, native::WM_CHAR, native::WM_KEYUP}))
      << "a framework window translates its keys once, itself";
  native::DestroyWindow(edit);
}

TEST_F(WindowManagerNativeTest, PressOutsideAnOpenDropDownListClosesItBeforeItIsDispatched) {
  const native::HWND combo = native::CreateWindowEx(
      0, native::kComboBoxClass, u"", native::WS_CHILD | native::WS_VISIBLE | native::CBS_DROPDOWNLIST, 10,
      100, 100, 120, host, nullptr, nullptr, nullptr);
  for (const ZafIChar* entry : {u"one", u"two", u"three"}) {
    native::SendMessage(combo, native::CB_ADDSTRING, 0, reinterpret_cast<native::LPARAM>(entry));
  }
  const native::RECT comboRect = driver.screenRect(combo);
  bool droppedWhenPressed = true;
  object.onEvent = [&](const ZafEventRecord& event) {
    if (event.type == E_OSEVENT && event.osEvent.message == native::WM_LBUTTONDOWN) {
      droppedWhenPressed = native::SendMessage(combo, native::CB_GETDROPPEDSTATE, 0, 0) != 0;
    }
  };
  struct Case {
    const char* name;
    native::HWND window;
    native::UINT message;
    native::POINT point;  // client coordinates for WM_LBUTTONDOWN, screen ones for WM_NCLBUTTONDOWN
    bool staysOpen;
  };
  const Case cases[] = {
      {"on the list", host, native::WM_NCLBUTTONDOWN, {comboRect.left + 5, comboRect.bottom + 8}, true},
      {"on the combo box", host, native::WM_NCLBUTTONDOWN, {comboRect.left + 5, comboRect.top + 3}, true},
      {"on another window's client area", objectWindow, native::WM_LBUTTONDOWN, {5, 5}, false},
      {"on another window's frame", host, native::WM_NCLBUTTONDOWN, {12, 12}, false},
      {"on the bare desktop", host, native::WM_NCLBUTTONDOWN, {600, 400}, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    native::SendMessage(combo, native::CB_SHOWDROPDOWN, native::TRUE, 0);
    ASSERT_NE(native::SendMessage(combo, native::CB_GETDROPPEDSTATE, 0, 0), 0);
    ASSERT_NE(native::GetTopWindow(nullptr), combo) << "the dropped list is the top-most window";
    ZafWindowManager::droppedComboBox = combo;
    droppedWhenPressed = true;
    manager->Event(ZafNativeEvent(test.window, test.message, static_cast<native::WPARAM>(native::HTNOWHERE),
                                  native::MAKELPARAM(test.point.x, test.point.y)));
    EXPECT_EQ(native::SendMessage(combo, native::CB_GETDROPPEDSTATE, 0, 0) != 0, test.staysOpen);
    if (test.window == objectWindow) {
      EXPECT_FALSE(droppedWhenPressed) << "closed before the press was dispatched";
    }
  }
  native::SendMessage(combo, native::CB_SHOWDROPDOWN, native::FALSE, 0);
  native::DestroyWindow(combo);
  ZafWindowManager::droppedComboBox = combo;
  manager->Event(ZafNativeEvent(objectWindow, native::WM_LBUTTONDOWN, 0, native::MAKELPARAM(5, 5)));
  EXPECT_EQ(ZafWindowManager::droppedComboBox, nullptr) << "a combo box that went holds nothing open";
}

TEST_F(WindowManagerNativeTest, TipTimerRunsWhileThePointerStaysOnTheTipObject) {
  const native::HWND inner = native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, nullptr,
                                                    native::WS_CHILD | native::WS_VISIBLE, 30, 20, 20, 10,
                                                    objectWindow, nullptr, nullptr, nullptr);
  struct Case {
    const char* name;
    native::POINT pointer;
    bool captured;
    bool staysOn;
  };
  const Case cases[] = {
      {"over its window", ScreenPoint(objectWindow, 5, 5), false, true},
      {"over a child window of it", ScreenPoint(inner, 5, 5), false, true},
      {"elsewhere while its window holds the mouse", {600, 400}, true, true},
      {"over the bare desktop", {600, 400}, false, false},
      {"over a window of no object", ScreenPoint(host, 5, 5), false, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    MoveTo(objectWindow, 5, 5);
    ASSERT_EQ(manager->tipObject, &object);
    const native::UINT_PTR timer = ZafWindowObjectDrag::tipTimer;
    ASSERT_NE(timer, 0u);
    object.received.clear();
    if (test.captured) {
      native::SetCapture(objectWindow);
    }
    // Straight to the desktop, so that no other window's mouse handling takes the tip object first.
    native::SetCursorPos(test.pointer.x, test.pointer.y);
    Loop();
    driver.advanceClock(ZafWindowObjectDrag::kTipTimerPeriod);
    Loop();
    if (test.captured) {
      native::ReleaseCapture();
    }
    EXPECT_EQ(manager->tipObject, test.staysOn ? &object : nullptr);
    EXPECT_EQ(object.Count(TipLeaveEvent), test.staysOn ? 0 : 1);
    EXPECT_EQ(ZafWindowObjectDrag::tipTimer, test.staysOn ? timer : 0u);
    if (!test.staysOn) {
      EXPECT_EQ(native::KillTimer(nullptr, timer), native::FALSE) << "the timer was killed";
    }
  }
  native::DestroyWindow(inner);
}

TEST_F(WindowManagerNativeTest, TipTimerWithoutATipObjectStopsAndOtherTimersAreDispatched) {
  MoveTo(objectWindow, 5, 5);
  const native::UINT_PTR timer = ZafWindowObjectDrag::tipTimer;
  ASSERT_NE(timer, 0u);
  manager->tipObject = nullptr;
  native::SetTimer(objectWindow, 9, 1000, nullptr);
  objectMessages.clear();
  driver.advanceClock(1000);
  Loop();
  EXPECT_EQ(ZafWindowObjectDrag::tipTimer, 0u);
  EXPECT_EQ(native::KillTimer(nullptr, timer), native::FALSE);
  EXPECT_EQ(objectMessages, std::vector<native::UINT>{native::WM_TIMER});
  native::KillTimer(objectWindow, 9);
}

TEST_F(WindowManagerNativeTest, TipObjectWithoutANativeWindowHasLeftAtTheNextTick) {
  MoveTo(objectWindow, 5, 5);
  ASSERT_NE(ZafWindowObjectDrag::tipTimer, 0u);
  EventObject windowless;
  manager->tipObject = &windowless;
  native::SetCursorPos(600, 400);
  Loop();
  driver.advanceClock(ZafWindowObjectDrag::kTipTimerPeriod);
  Loop();
  EXPECT_EQ(manager->tipObject, nullptr);
  EXPECT_EQ(windowless.Count(TipLeaveEvent), 1);
  EXPECT_EQ(ZafWindowObjectDrag::tipTimer, 0u);
}

TEST_F(WindowManagerNativeTest, RemovingAModalWindowEnablesTheWindowsBehindItUpToTheNextModalOne) {
  // Front first: modal, free, disabled by the program, second modal, beyond.
  KeyWindow* beyond = AddWindow(u"beyond");
  KeyWindow* secondModal = owned.emplace_back(std::make_unique<KeyWindow>(u"modal2", false)).get();
  secondModal->SetModal(true);
  manager->Add(secondModal);
  KeyWindow* programDisabled = AddWindow(u"disabled");
  programDisabled->SetDisabled(true);
  KeyWindow* free = AddWindow(u"free");
  KeyWindow* modal = owned.emplace_back(std::make_unique<KeyWindow>(u"modal", false)).get();
  modal->SetModal(true);
  manager->Add(modal);
  driver.pumpUntilIdle();
  for (KeyWindow* window : {beyond, secondModal, programDisabled, free}) {
    native::EnableWindow(window->ScreenID(2), native::FALSE);
  }
  manager->Subtract(modal);
  struct Expected {
    const char* name;
    KeyWindow* window;
    bool enabled;
  } expected[] = {{"free", free, true},
                  {"disabled by the program", programDisabled, false},
                  {"the next modal one", secondModal, true},
                  {"beyond the next modal one", beyond, false}};
  for (const Expected& entry : expected) {
    SCOPED_TRACE(entry.name);
    EXPECT_EQ(native::IsWindowEnabled(entry.window->ScreenID(2)) != native::FALSE, entry.enabled);
  }
}

TEST_F(WindowManagerNativeTest, ConversionsStartAtTheScreensOrigin) {
  struct Case {
    const char* name;
    ZafRegionStruct region;
  } cases[] = {
      {"pixels", {100, 50, 399, 249, ZAF_PIXEL}},
      {"cells", {3, 2, 12, 6, ZAF_CELL}},
      {"points", {72, 36, 143, 107, ZAF_POINTS}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ZafWindowObject window(0, 0, 1, 1);
    window.SetRegion(test.region);
    const ZafRegionStruct pixels = test.region.Converted(ZAF_PIXEL, &screen);
    EXPECT_EQ(manager->RegionToNative(&window), pixels);
    EXPECT_EQ(manager->RegionFromNative(&window, pixels), pixels);
    EXPECT_EQ(manager->PositionToNative(&window), (ZafPositionStruct{pixels.left, pixels.top, ZAF_PIXEL}));
    const ZafPositionStruct corner{pixels.right, pixels.bottom, ZAF_PIXEL};
    EXPECT_EQ(manager->PositionFromNative(&window, corner), corner);
  }
}

TEST_F(WindowManagerNativeTest, SystemDefaultColoursAreWindowTextOnTheButtonFaceForEveryType) {
  const uint32_t text = native::GetSysColor(native::COLOR_WINDOWTEXT);
  const uint32_t face = native::GetSysColor(native::COLOR_BTNFACE);
  ASSERT_NE(text, face);
  struct Case {
    const char* name;
    uint8_t foregroundByte;
    uint8_t backgroundByte;
    uint32_t filledForeground;
    uint32_t expectedForeground;
    uint32_t expectedBackground;
  } cases[] = {
      {"both ask", ZAF_COLOR_SYSTEM, ZAF_COLOR_SYSTEM, ZAF_OS_COLOR_NOT_SET, text, face},
      {"foreground filled already", ZAF_COLOR_SYSTEM, ZAF_COLOR_SYSTEM, 0x123456, 0x123456, face},
      {"colour bytes of the table", 3, 4, ZAF_OS_COLOR_NOT_SET, ZAF_OS_COLOR_NOT_SET, ZAF_OS_COLOR_NOT_SET},
  };
  for (uint16_t type : {ZAF_PM_TEXT, ZAF_PM_BACKGROUND, ZAF_PM_LIGHT_SHADOW, ZAF_PM_DARK_SHADOW}) {
    for (const Case& test : cases) {
      SCOPED_TRACE(std::string(test.name) + ", type " + std::to_string(type));
      ZafPaletteStruct palette;
      palette.colorForeground = test.foregroundByte;
      palette.colorBackground = test.backgroundByte;
      palette.osForeground = test.filledForeground;
      manager->SetDisplayColors(palette, type, ZAF_PM_DISABLED);
      EXPECT_EQ(palette.osForeground, test.expectedForeground);
      EXPECT_EQ(palette.osBackground, test.expectedBackground);
    }
  }
}

}  // namespace
