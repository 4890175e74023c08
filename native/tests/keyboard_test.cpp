#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "native/testdriver.h"
#include "native/tests/messagespy.h"
#include "native/user/windowsystem.h"

namespace native::test {

namespace {

// A window procedure in the manner of the framework: it translates the key messages it receives itself.
struct TranslatingWindow {
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 100, 100});

  TranslatingWindow() {
    spy.handler = [](HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
      if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        MSG rebuilt{handle, message, wParam, lParam, 0, POINT{}};
        TranslateMessage(&rebuilt);
      }
      return DefWindowProc(handle, message, wParam, lParam);
    };
  }

  std::u16string characters(UINT kind) const {
    std::u16string text;
    for (const Logged& entry : spy.only({kind})) {
      text.push_back(static_cast<char16_t>(entry.wParam));
    }
    return text;
  }
};

// Feeds the keys without the driver's loop translating them: only the window does.
void pumpWithoutTranslating() {
  MSG message{};
  while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessage(&message);
  }
}

}  // namespace

TEST(Keyboard, KeysBecomeCharactersFromTheStateOfTheMoment) {
  struct Case {
    const char* name;
    std::vector<std::pair<UINT, bool>> keys;  // key, down
    std::u16string expected;
    bool shiftHeld = false;  // Shift still down at the end, as taken and as the host has it
  };
  auto press = [](UINT key) { return std::vector<std::pair<UINT, bool>>{{key, true}, {key, false}}; };
  auto with = [](UINT modifier, std::vector<std::pair<UINT, bool>> keys) {
    keys.insert(keys.begin(), {modifier, true});
    keys.push_back({modifier, false});
    return keys;
  };
  auto capsLockThen = [&](std::vector<std::pair<UINT, bool>> keys) {
    auto caps = press(VK_CAPITAL);
    keys.insert(keys.begin(), caps.begin(), caps.end());
    return keys;
  };
  const Case cases[] = {
      {"letter", press('A'), u"a"},
      {"shifted letter", with(VK_SHIFT, press('A')), u"A"},
      {"right shift letter", with(VK_RSHIFT, press('A')), u"A"},
      {"both shifts, the left let go",
       {{VK_LSHIFT, true}, {VK_RSHIFT, true}, {VK_LSHIFT, false}, {'A', true}, {'A', false}},
       u"A",
       true},
      {"caps lock letter", capsLockThen(press('A')), u"A"},
      {"caps lock and shift", capsLockThen(with(VK_SHIFT, press('A'))), u"a"},
      {"digit", press('1'), u"1"},
      {"shifted digit", with(VK_SHIFT, press('1')), u"!"},
      {"caps lock leaves digits", capsLockThen(press('1')), u"1"},
      {"control letter", with(VK_CONTROL, press('A')), u"\x01"},
      {"punctuation", with(VK_SHIFT, press(VK_OEM_2)), u"?"},
      {"return and backspace",
       [&] {
         auto keys = press(VK_RETURN);
         auto back = press(VK_BACK);
         keys.insert(keys.end(), back.begin(), back.end());
         return keys;
       }(),
       u"\r\b"},
      {"keys without characters", press(VK_F1), u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDriver driver;
    TranslatingWindow target;
    for (auto [key, down] : c.keys) {
      down ? driver.keyDown(key) : driver.keyUp(key);
    }
    pumpWithoutTranslating();
    EXPECT_EQ(target.characters(WM_CHAR), c.expected);
    EXPECT_EQ(GetKeyState(VK_SHIFT) < 0, c.shiftHeld);
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT) < 0, c.shiftHeld);
  }
}

TEST(Keyboard, CharacterFollowsItsKeyAheadOfLaterMessages) {
  TestDriver driver;
  TranslatingWindow target;
  driver.pressKey('X');
  PostMessage(target.window, WM_USER, 0, 0);
  pumpWithoutTranslating();
  EXPECT_EQ(target.spy.numbersOf({WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_USER}),
            (std::vector<UINT>{WM_USER, WM_KEYDOWN, WM_CHAR, WM_KEYUP}))
      << "posted messages come before input; the character comes right after its key";
}

TEST(Keyboard, KeyMessagesCarryThePreviousStateAndTransition) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 100, 100});
  spy.clear();
  driver.keyDown('Q');
  driver.keyDown('Q');  // auto-repeat
  driver.keyUp('Q');
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.only({WM_KEYDOWN, WM_KEYUP}), (std::vector<Logged>{
                                                  {window, WM_KEYDOWN, 'Q', 0x00000001},
                                                  {window, WM_KEYDOWN, 'Q', 0x40000001},
                                                  {window, WM_KEYUP, 'Q', static_cast<LPARAM>(0xC0000001u)},
                                              }));
}

// Each key counts once in the key state, when the program takes its message, and its message says it was
// down before only when it was: a look that leaves the message queued applies nothing, a key that a
// window Move by keys eats is let go all the same, and a key typed twice while the program is busy is two
// presses, not a repeat.
TEST(Keyboard, EachKeyCountsOnceInTheKeyStateAndRepeatsOnlyWhileHeld) {
  struct Case {
    const char* name;
    std::function<void(TestDriver&, HWND)> act;
    UINT key;
    SHORT state;                // GetKeyState of the key afterwards
    std::vector<LPARAM> downs;  // the key's WM_KEYDOWN messages the window received
  };
  const Case cases[] = {
      {"a look at the queue without taking",
       [](TestDriver& driver, HWND) {
         driver.pressKey(VK_CAPITAL);
         MSG message{};
         for (int look = 0; look < 2; ++look) {
           EXPECT_TRUE(PeekMessage(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
         }
       },
       VK_CAPITAL,
       0,
       {}},
      {"a key let go while Move by keys has the keys",
       [](TestDriver& driver, HWND window) {
         driver.keyDown('A');
         driver.pumpUntilIdle();
         PostMessage(window, WM_SYSCOMMAND, SC_MOVE, 0);
         driver.pumpUntilIdle();
         driver.keyUp('A');
         driver.pressKey(VK_RETURN);
         driver.pumpUntilIdle();
       },
       'A',
       1,
       {0x00000001}},
      {"a key pressed again while its release waits unread",
       [](TestDriver& driver, HWND) {
         driver.keyDown('Q');
         driver.pumpUntilIdle();
         driver.keyUp('Q');
         driver.keyDown('Q');
         MSG press{};
         EXPECT_TRUE(PeekMessage(&press, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
         driver.pumpUntilIdle();
       },
       'Q',
       -32768,
       {0x00000001, 0x00000001}},
      {"a key typed twice while the program is busy",
       [](TestDriver& driver, HWND) {
         driver.pressKey('Q');
         driver.pressKey('Q');
         driver.pumpUntilIdle();
       },
       'Q',
       0,
       {0x00000001, 0x00000001}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDriver driver;
    MessageSpy spy;
    HWND window = spy.createTopLevel(RECT{100, 100, 400, 300});
    driver.pumpUntilIdle();
    spy.clear();
    c.act(driver, window);
    EXPECT_EQ(GetKeyState(static_cast<int>(c.key)), c.state);
    std::vector<LPARAM> downs;
    for (const Logged& entry : spy.only({WM_KEYDOWN})) {
      if (entry.wParam == c.key) {
        downs.push_back(entry.lParam);
      }
    }
    EXPECT_EQ(downs, c.downs);
  }
}

TEST(Keyboard, AltMakesSystemKeysAndSystemCharacters) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 100, 100});
  spy.clear();
  driver.keyDown(VK_MENU);
  driver.pressKey('F');
  driver.keyUp(VK_MENU);
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.only({WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR, WM_KEYDOWN, WM_KEYUP, WM_CHAR}),
            (std::vector<Logged>{
                {window, WM_SYSKEYDOWN, VK_MENU, 0x20000001},
                {window, WM_SYSKEYDOWN, 'F', 0x20000001},
                {window, WM_SYSCHAR, 'f', 0x20000001},
                {window, WM_SYSKEYUP, 'F', static_cast<LPARAM>(0xE0000001u)},
                {window, WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(0xC0000001u)},
            }));
}

TEST(Keyboard, WithoutFocusTheActiveWindowGetsSystemKeys) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 100, 100});
  SetFocus(nullptr);
  spy.clear();
  driver.pressKey('Z');
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.numbersOf({WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYDOWN}),
            (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYUP}));
  EXPECT_EQ(spy.log().front().window, window);
}

TEST(Keyboard, KeyStateFollowsTheMessagesTakenWhileAsyncStateFollowsTheHost) {
  TestDriver driver;
  MessageSpy spy;
  spy.createTopLevel(RECT{0, 0, 100, 100});
  driver.keyDown(VK_SHIFT);
  EXPECT_EQ(GetAsyncKeyState(VK_SHIFT) & 0x8000, 0x8000);
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0) << "not yet taken from the queue";
  driver.pumpUntilIdle();
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  driver.pressKey(VK_CAPITAL);
  driver.pumpUntilIdle();
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 1) << "up, toggled";
  BYTE state[256];
  ASSERT_TRUE(GetKeyboardState(state));
  EXPECT_EQ(state[VK_SHIFT], 0x81);
  EXPECT_EQ(state[VK_CAPITAL], 0x01);
  driver.keyUp(VK_LSHIFT);
  driver.pumpUntilIdle();
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0) << "the left shift key counts as shift";
  // A look for paints turns Ctrl+S into messages ahead of their taking: S is still read with Ctrl held.
  driver.keyDown(VK_RCONTROL);
  driver.pressKey('S');
  driver.keyUp(VK_RCONTROL);
  MSG message{};
  EXPECT_FALSE(PeekMessage(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
  std::vector<bool> controlHeld;
  while (PeekMessage(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    controlHeld.push_back(GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_RCONTROL) < 0);
  }
  EXPECT_EQ(controlHeld, (std::vector<bool>{true, true, true, false}));
}

TEST(Keyboard, LosingTheFocusLetsGoOfEachHeldSideOnce) {
  struct Case {
    const char* name;
    std::vector<UINT> held;  // as the X host names them
    int releasesEach;        // key-ups of Shift, of Ctrl and of Alt
  };
  const Case cases[] = {
      {"the left keys", {VK_LSHIFT, VK_LCONTROL, VK_LMENU}, 1},
      {"the right keys", {VK_RSHIFT, VK_RCONTROL, VK_RMENU}, 1},
      {"both sides", {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU}, 2},
      {"the generic codes count as the left keys",
       {VK_SHIFT, VK_RSHIFT, VK_CONTROL, VK_RCONTROL, VK_MENU, VK_RMENU},
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDriver driver;
    MessageSpy spy;
    spy.createTopLevel(RECT{0, 0, 100, 100});
    for (UINT key : c.held) {
      driver.keyDown(key);
    }
    driver.pumpUntilIdle();
    spy.clear();
    WindowSystem::get().desktop().releaseHeldKeys();
    WindowSystem::get().desktop().releaseHeldKeys();  // the next focus change finds nothing held
    driver.pumpUntilIdle();
    std::vector<Logged> ups = spy.only({WM_KEYUP, WM_SYSKEYUP});
    for (UINT generic : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
      SCOPED_TRACE(generic);
      EXPECT_EQ(std::count_if(ups.begin(), ups.end(), [&](const Logged& up) { return up.wParam == generic; }),
                c.releasesEach);
      EXPECT_EQ(GetKeyState(static_cast<int>(generic)) & 0x8000, 0);
      EXPECT_EQ(GetAsyncKeyState(static_cast<int>(generic)) & 0x8000, 0);
    }
  }
}

TEST(Keyboard, TypeTextUsesTheKeysOfEachCharacter) {
  TestDriver driver;
  TranslatingWindow target;
  driver.pressKey(VK_CAPITAL);
  EXPECT_TRUE(driver.typeText(u"Hi, 4!"));
  EXPECT_FALSE(driver.typeText(u"\u00e9")) << "no key on the US layout";
  pumpWithoutTranslating();
  EXPECT_EQ(target.characters(WM_CHAR), u"Hi, 4!");
}

TEST(Keyboard, VirtualKeysMapToTheirUnshiftedCharacters) {
  struct Case {
    UINT key;
    UINT mapType;
    UINT expected;
  };
  const Case cases[] = {
      {'A', MAPVK_VK_TO_CHAR, 'A'},      {'5', MAPVK_VK_TO_CHAR, '5'},
      {VK_OEM_2, MAPVK_VK_TO_CHAR, '/'}, {VK_NUMPAD0 + 3, MAPVK_VK_TO_CHAR, '3'},
      {VK_ADD, MAPVK_VK_TO_CHAR, '+'},   {VK_F1, MAPVK_VK_TO_CHAR, 0},
      {VK_SHIFT, MAPVK_VK_TO_CHAR, 0},   {'A', 0, 0},
      {0x1FF, MAPVK_VK_TO_CHAR, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(MapVirtualKey(c.key, c.mapType), c.expected);
  }
}

TEST(Keyboard, ToAsciiReadsTheGivenState) {
  BYTE state[256] = {};
  WORD character = 0;
  EXPECT_EQ(ToAscii('B', 0, state, &character, 0), 1);
  EXPECT_EQ(character, 'b');
  state[VK_CONTROL] = 0x80;
  state[VK_MENU] = 0x80;
  EXPECT_EQ(ToAscii('B', 0, state, &character, 0), 0) << "Ctrl+Alt gives nothing on the US layout";
  state[VK_MENU] = 0;
  EXPECT_EQ(ToAscii(VK_OEM_4, 0, state, &character, 0), 1);
  EXPECT_EQ(character, 0x1B);
  EXPECT_EQ(ToAscii('B', 0, nullptr, &character, 0), 0);
  EXPECT_EQ(ToAscii(0x100, 0, state, &character, 0), 0);
}

}  // namespace native::test

namespace native::test {

TEST(Keyboard, DisabledWindowReadsNoKeysEvenWhenActive) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 100, 100});
  EnableWindow(window, FALSE);
  ASSERT_EQ(GetActiveWindow(), window);
  spy.clear();
  driver.pressKey('K');
  driver.pumpUntilIdle();
  EXPECT_TRUE(spy.only({WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP}).empty());
}

}  // namespace native::test
