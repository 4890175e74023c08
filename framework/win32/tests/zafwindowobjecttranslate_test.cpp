#include "framework/win32/zafwindowobjecttranslate.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "framework/core/zafwindow.h"
#include "framework/win32/tests/zafwin32testbed.h"
#include "framework/win32/zafcreatewindow.h"

namespace {

// Keeps a translated copy of every key message its window procedure hands it.
class KeyProbe : public ZafWindowObject {
 public:
  KeyProbe() : ZafWindowObject(0, 0, 10, 1) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == E_OSEVENT && ZafEventRecord::Category(event) == ZAF_CATEGORY_KEYBOARD) {
      ZafEventRecord translated = event;
      ConvertCoordinates(translated);
      keys.push_back(translated);
    }
    return static_cast<ZafEventType>(ZafCallClassProcedure(event.osEvent.hwnd, event.osEvent.message,
                                                           event.osEvent.wParam, event.osEvent.lParam));
  }
  void PutOn(native::HWND window, bool own) {
    ownNativeWindow = own;
    SetScreenID(window);
  }
  std::vector<ZafEventRecord> keys;
};

native::LPARAM Point(int x, int y) {
  return native::MAKELPARAM(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
}

class ZafWindowObjectTranslateTest : public ZafWin32Test {
 protected:
  // A 60 x 40 child of the host at (30, 20) of its client area, with the probe bound to it.
  ZafWindowObjectTranslateTest() {
    window = ZafCreateWindow(&probe, ZafMSWindowsApp::windowClassName, native::WS_CHILD | native::WS_VISIBLE,
                             nullptr, host);
    native::MoveWindow(window, 30, 20, 60, 40, native::TRUE);
    probe.PutOn(window, true);
    probe.SetRegion({30, 20, 89, 59, ZAF_PIXEL});
    driver.pumpUntilIdle();
  }
  ~ZafWindowObjectTranslateTest() override {
    native::DestroyWindow(window);
    probe.PutOn(nullptr, true);
  }

  ZafEventRecord Message(native::UINT message, native::WPARAM wParam, native::LPARAM lParam) const {
    return ZafNativeEvent(window, message, wParam, lParam);
  }
  native::POINT WindowCorner() const {
    native::RECT frame{};
    native::GetWindowRect(window, &frame);
    return {frame.left, frame.top};
  }

  KeyProbe probe;
  native::HWND window = nullptr;
};

TEST_F(ZafWindowObjectTranslateTest, KeysGiveTheirCodeModifiersAndCharacter) {
  struct Case {
    const char* name;
    std::vector<native::UINT> held;
    native::UINT key;
    int32_t modifiers;
    int32_t shiftState;
    ZafIChar character;
  };
  const Case cases[] = {
      {"plain letter", {}, 'A', 512, 0, u'a'},
      {"Shift", {native::VK_SHIFT}, 'A', 512 | 3, 3, u'A'},
      {"Ctrl gives the lower-case letter", {native::VK_CONTROL}, 'A', 512 | 4, 4, u'a'},
      {"Ctrl+Shift gives the upper-case letter",
       {native::VK_CONTROL, native::VK_SHIFT},
       'A',
       512 | 7,
       7,
       u'A'},
      {"Ctrl with a digit", {native::VK_CONTROL}, '1', 512 | 4, 4, u'1'},
      // F4's key code is the letter s: taken as the character, Ctrl+F4 would be the hot key Ctrl+S.
      {"Ctrl with a key of no character gives none", {native::VK_CONTROL}, native::VK_F4, 512 | 4, 4, 0},
      {"Alt", {native::VK_MENU}, 'A', 512 | 8, 8, u'a'},
      {"Insert held", {native::VK_INSERT}, 'B', 512, 128, u'b'},
      {"key of no character", {}, native::VK_F1, 512, 0, 0},
  };
  native::SetFocus(window);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    for (native::UINT key : test.held) {
      driver.keyDown(key);
    }
    driver.pressKey(test.key);
    for (native::UINT key : test.held) {
      driver.keyUp(key);
    }
    probe.keys.clear();
    driver.pumpUntilIdle();
    const ZafEventRecord* down = nullptr;
    const ZafEventRecord* up = nullptr;
    for (const ZafEventRecord& key : probe.keys) {
      if (key.value == static_cast<int32_t>(test.key)) {
        const bool pressed =
            key.osEvent.message == native::WM_KEYDOWN || key.osEvent.message == native::WM_SYSKEYDOWN;
        (pressed ? down : up) = &key;
      }
    }
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->modifiers, test.modifiers);
    EXPECT_EQ(down->Key().shiftState, test.shiftState);
    EXPECT_EQ(down->Key().value, test.character);
    EXPECT_EQ(down->referenceObject, &probe);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->modifiers & (512 | 1024), 1024);
  }
}

TEST_F(ZafWindowObjectTranslateTest, LockKeysAddTheirBitsToTheShiftStateOnly) {
  struct Case {
    native::UINT lock;
    int32_t bit;
    ZafIChar character;
  } cases[] = {
      {native::VK_CAPITAL, 64, u'A'},
      {native::VK_NUMLOCK, 32, u'a'},
  };
  native::SetFocus(window);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.bit);
    driver.pressKey(test.lock);
    driver.pressKey('A');
    driver.pressKey(test.lock);  // off again for the next case
    probe.keys.clear();
    driver.pumpUntilIdle();
    ASSERT_GE(probe.keys.size(), 4u);
    const ZafEventRecord& letter = probe.keys[2];
    ASSERT_EQ(letter.value, 'A');
    EXPECT_EQ(letter.Key().shiftState, test.bit);
    EXPECT_EQ(letter.Key().value, test.character);
    EXPECT_EQ(letter.modifiers, 512);
  }
}

// A layout with one dead key (the acute accent on the quote key) that combines with E, as the layouts of
// several languages have.
constexpr native::UINT kDeadKey = 0xDE;
constexpr native::WORD kAcute = 0x00B4;
bool accentPending = false;
int DeadKeyLayout(native::UINT key, native::UINT, const native::BYTE*, native::WORD* characters,
                  native::UINT) {
  if (key == kDeadKey) {
    characters[0] = kAcute;
    if (accentPending) {
      characters[1] = kAcute;
      accentPending = false;
      return 2;
    }
    accentPending = true;
    return -1;
  }
  if (key == 'E') {
    characters[0] = accentPending ? 0x00E9 : u'e';
    accentPending = false;
    return 1;
  }
  if (key == 'X') {  // a key that gives two characters
    characters[0] = u'x';
    characters[1] = u'y';
    return 2;
  }
  return 0;
}

TEST(ZafKeyCharacter, DeadKeyGivesItsCharacterAndDoesNotCombineWithTheNextKey) {
  std::array<native::BYTE, 256> state{};
  accentPending = false;
  EXPECT_EQ(ZafKeyCharacter(kDeadKey, state.data(), DeadKeyLayout, 0), kAcute);
  EXPECT_FALSE(accentPending);
  EXPECT_EQ(ZafKeyCharacter('E', state.data(), DeadKeyLayout, 0), u'e');
}

TEST(ZafKeyCharacter, LayoutAnswersPickTheCharacter) {
  std::array<native::BYTE, 256> state{};
  accentPending = false;
  EXPECT_EQ(ZafKeyCharacter('X', state.data(), DeadKeyLayout, 0), u'y');
  EXPECT_EQ(ZafKeyCharacter('Q', state.data(), DeadKeyLayout, 0), 0);
  EXPECT_EQ(ZafKeyCharacter(0x100 + 'X', state.data(), DeadKeyLayout, 0), 0);
  // What the host's keymap typed goes before the layout; a character beyond 16 bits is no key's.
  EXPECT_EQ(ZafKeyCharacter('Q', state.data(), DeadKeyLayout, U'\u00FC'), u'\u00FC');
  EXPECT_EQ(ZafKeyCharacter(native::VK_PACKET, state.data(), DeadKeyLayout, U'\U0001F3C3'), 0);
  // Ctrl does not ask the layout, nor take what was typed: a dead key cannot start.
  state[native::VK_CONTROL] = 0x80;
  EXPECT_EQ(ZafKeyCharacter(kDeadKey, state.data(), DeadKeyLayout, U'\u00B4'), 0x27);
  EXPECT_FALSE(accentPending);
  EXPECT_EQ(ZafKeyCharacter(0x100 + 'X', state.data(), DeadKeyLayout, 0), 0);
}

TEST(ZafKeyCharacter, UnderCtrlOnlyKeysWithACharacterGiveOneSoNoOtherMatchesAHotKey) {
  std::array<native::BYTE, 256> state{};
  state[native::VK_CONTROL] = 0x80;
  std::vector<native::UINT> withoutCharacter = {
      native::VK_LEFT, native::VK_UP,    native::VK_RIGHT, native::VK_DOWN,   native::VK_HOME,
      native::VK_END,  native::VK_PRIOR, native::VK_NEXT,  native::VK_INSERT, native::VK_DELETE,
  };
  for (native::UINT function = native::VK_F1; function <= native::VK_F12; ++function) {
    withoutCharacter.push_back(function);
  }
  for (native::UINT key : withoutCharacter) {
    SCOPED_TRACE(key);
    EXPECT_EQ(ZafKeyCharacter(key, state.data(), native::ToAscii, 0), 0);
  }
  EXPECT_EQ(ZafKeyCharacter('S', state.data(), native::ToAscii, 0), u's');
  EXPECT_EQ(ZafKeyCharacter('4', state.data(), native::ToAscii, 0), u'4');
  EXPECT_EQ(ZafKeyCharacter(native::VK_NUMPAD0 + 4, state.data(), native::ToAscii, 0), u'4');
}

TEST_F(ZafWindowObjectTranslateTest, MouseMessagesGiveRawCodesAndModifiers) {
  struct Case {
    native::UINT message;
    native::WPARAM wParam;
    int32_t code;
    int32_t modifiers;
  };
  const Case cases[] = {
      {native::WM_MOUSEMOVE, 0, 0, 0},
      {native::WM_MOUSEMOVE, native::MK_LBUTTON, 0x100, 0},
      {native::WM_MOUSEMOVE, native::MK_RBUTTON | native::MK_MBUTTON, 0x600, 0},
      {native::WM_LBUTTONDOWN, native::MK_LBUTTON, 0x1100, 0},
      {native::WM_LBUTTONUP, 0, 0x1000, 0},
      {native::WM_LBUTTONDBLCLK, native::MK_LBUTTON, 0x1100, 0x800},
      {native::WM_RBUTTONDOWN, 0, 0x2200, 0},
      {native::WM_RBUTTONUP, 0, 0x2000, 0},
      {native::WM_RBUTTONDBLCLK, 0, 0x2200, 0x800},
      {native::WM_MBUTTONDOWN, 0, 0x4400, 0},
      {native::WM_MBUTTONUP, 0, 0x4000, 0},
      {native::WM_MBUTTONDBLCLK, 0, 0x4400, 0x800},
      {native::WM_NCLBUTTONDOWN, 0, 0x1100, 0},
      {native::WM_NCLBUTTONDBLCLK, 0, 0x1100, 0x800},
      {native::WM_NCRBUTTONUP, 0, 0x2000, 0},
      {native::WM_NCMBUTTONDBLCLK, 0, 0x4400, 0x800},
      {native::WM_NCMOUSEMOVE, 0, 0, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << test.message);
    ZafEventRecord event = Message(test.message, test.wParam, Point(1, 1));
    EXPECT_EQ(probe.ConvertCoordinates(event), 1);
    EXPECT_EQ(event.value, test.code);
    EXPECT_EQ(event.modifiers, test.modifiers);
    EXPECT_EQ(event.referenceObject, &probe);
  }
}

TEST_F(ZafWindowObjectTranslateTest, MouseModifiersAndNonClientButtonsComeFromTheKeysHeldNow) {
  driver.keyDown(native::VK_SHIFT);
  driver.keyDown(native::VK_MENU);
  driver.mouseDown(native::TestDriver::Left);
  ZafEventRecord doubleClick = Message(native::WM_LBUTTONDBLCLK, 0, Point(1, 1));
  probe.ConvertCoordinates(doubleClick);
  EXPECT_EQ(doubleClick.modifiers, 0x800 | 3 | 8);
  ZafEventRecord move = Message(native::WM_NCMOUSEMOVE, 0, Point(1, 1));
  probe.ConvertCoordinates(move);
  EXPECT_EQ(move.value, 0x100);
  EXPECT_EQ(move.modifiers, 3 | 8);
}

TEST_F(ZafWindowObjectTranslateTest, SwappedButtonsExchangeLeftAndRightOfTheHeldState) {
  struct Case {
    native::TestDriver::Button physical;
    bool swapped;
    int32_t code;
  } cases[] = {
      {native::TestDriver::Left, false, 0x100},  {native::TestDriver::Left, true, 0x200},
      {native::TestDriver::Right, false, 0x200}, {native::TestDriver::Right, true, 0x100},
      {native::TestDriver::Middle, true, 0x400},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << test.physical << " swapped " << test.swapped);
    EXPECT_EQ(ZafHeldButtonsNow(test.swapped), 0);
    driver.mouseDown(test.physical);
    EXPECT_EQ(ZafHeldButtonsNow(test.swapped), test.code);
    driver.mouseUp(test.physical);
  }
}

TEST_F(ZafWindowObjectTranslateTest, PositionsBecomeRelativeToTheObject) {
  RecordingObject* owner = Loose();
  owner->SetScreenID(window);
  owner->SetRegion({30, 20, 89, 59, ZAF_PIXEL});
  KeyProbe inner;
  inner.SetParent(owner);
  inner.PutOn(window, false);
  inner.SetRegion({10, 5, 29, 14, ZAF_PIXEL});
  const native::POINT corner = WindowCorner();
  struct Case {
    const char* name;
    KeyProbe* object;
    native::UINT message;
    native::LPARAM lParam;
    ZafPositionStruct expected;
  };
  const Case cases[] = {
      {"own window, client point", &probe, native::WM_LBUTTONDOWN, Point(7, 9), {7, 9, ZAF_PIXEL}},
      {"own window, left of and above it", &probe, native::WM_MOUSEMOVE, Point(-3, -2), {-3, -2, ZAF_PIXEL}},
      {"own window, screen point",
       &probe,
       native::WM_NCLBUTTONDOWN,
       Point(corner.x + 4, corner.y + 6),
       {4, 6, ZAF_PIXEL}},
      {"drawn in the parent's window", &inner, native::WM_LBUTTONUP, Point(15, 8), {5, 3, ZAF_PIXEL}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ZafEventRecord event = Message(test.message, 0, test.lParam);
    test.object->ConvertCoordinates(event);
    EXPECT_EQ(event.Position(), test.expected);
  }
  inner.PutOn(nullptr, true);
}

TEST_F(ZafWindowObjectTranslateTest, WithoutAScreenIdThePositionStaysOnTheScreen) {
  KeyProbe unattached;
  ZafEventRecord event = Message(native::WM_LBUTTONDOWN, 0, Point(7, 9));
  unattached.ConvertCoordinates(event);
  native::POINT screen{7, 9};
  native::ClientToScreen(window, &screen);
  EXPECT_EQ(event.Position(), (ZafPositionStruct{screen.x, screen.y, ZAF_PIXEL}));
}

TEST_F(ZafWindowObjectTranslateTest, TranslatesOnlyWhatIsNotTranslatedForTheObject) {
  KeyProbe other;
  ZafEventRecord mouse = Message(native::WM_LBUTTONDOWN, 0, Point(7, 9));
  EXPECT_EQ(probe.ConvertCoordinates(mouse), 1);
  EXPECT_EQ(probe.ConvertCoordinates(mouse), 0);
  // Another object takes the position into its own coordinates.
  EXPECT_EQ(other.ConvertCoordinates(mouse), 1);
  EXPECT_EQ(mouse.referenceObject, &other);

  ZafEventRecord key = Message(native::WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(probe.ConvertCoordinates(key), 1);
  key.value = 0;
  EXPECT_EQ(other.ConvertCoordinates(key), 0);
  EXPECT_EQ(key.value, 0);

  struct Case {
    const char* name;
    ZafEventRecord event;
  } untouched[] = {
      {"framework key event", ZafEventRecord(E_KEY, 37)},
      {"framework mouse event", ZafEventRecord(E_MOUSE, 0x1100)},
      {"native message of no device", Message(native::WM_PAINT, 0, 0)},
  };
  for (Case& test : untouched) {
    SCOPED_TRACE(test.name);
    const int32_t value = test.event.value;
    EXPECT_EQ(probe.ConvertCoordinates(test.event), 0);
    EXPECT_EQ(test.event.value, value);
    EXPECT_EQ(test.event.referenceObject, nullptr);
  }
}

TEST_F(ZafWindowObjectTranslateTest, EventMapsSeeTheTranslatedCodeAndTheCallersRecordStays) {
  ZafWindow panel(0, 0, 10, 5);
  struct Case {
    native::UINT message;
    native::WPARAM wParam;
    ZafEventType object;
    ZafEventType window;
  } cases[] = {
      {native::WM_LBUTTONDOWN, native::MK_LBUTTON, 1003, 1003},
      {native::WM_LBUTTONDBLCLK, native::MK_LBUTTON, 1012, 1012},
      {native::WM_MOUSEMOVE, native::MK_LBUTTON, 1004, 1004},
      {native::WM_KEYDOWN, native::VK_ESCAPE, 1010, 1010},
      {native::WM_KEYDOWN, native::VK_TAB, E_OSEVENT, 1055},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << test.message << " " << test.wParam);
    const ZafEventRecord event = Message(test.message, test.wParam, Point(2, 2));
    EXPECT_EQ(probe.MapEvent(event), test.object);
    EXPECT_EQ(panel.MapEvent(event), test.window);
    EXPECT_EQ(event.value, 0);
    EXPECT_EQ(event.referenceObject, nullptr);
  }
}

}  // namespace
