#include <gtest/gtest.h>

#include "native/testdriver.h"
#include "native/tests/messagespy.h"

namespace native::test {

namespace {
constexpr std::initializer_list<UINT> kFocusMessages = {WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP,
                                                        WM_KILLFOCUS, WM_SETFOCUS};

struct TwoFrames {
  MessageSpy spy;
  HWND a = spy.createTopLevel(RECT{0, 0, 200, 200});
  HWND a1 = spy.createChild(a, RECT{0, 0, 50, 50});
  HWND a2 = spy.createChild(a, RECT{60, 0, 110, 50});
  HWND b = spy.createTopLevel(RECT{300, 0, 500, 200});
  HWND b1 = spy.createChild(b, RECT{0, 0, 50, 50});
};
}  // namespace

TEST(Focus, ShowingATopLevelWindowActivatesAndFocusesIt) {
  TestDriver driver;
  TwoFrames frames;
  EXPECT_EQ(GetActiveWindow(), frames.b);
  EXPECT_EQ(GetFocus(), frames.b);
  EXPECT_EQ(driver.topLevelWindows(), (std::vector<HWND>{frames.b, frames.a}));
}

TEST(Focus, FocusingIntoAnotherTopLevelWindowActivatesItFirst) {
  TestDriver driver;
  TwoFrames frames;
  MessageSpy& spy = frames.spy;
  spy.clear();
  EXPECT_EQ(SetFocus(frames.a1), frames.b);
  EXPECT_EQ(spy.only(kFocusMessages), (std::vector<Logged>{
                                          {frames.b, WM_NCACTIVATE, FALSE, 0},
                                          {frames.b, WM_ACTIVATE, WA_INACTIVE, handleParam(frames.a)},
                                          {frames.a, WM_NCACTIVATE, TRUE, 0},
                                          {frames.a, WM_ACTIVATE, WA_ACTIVE, handleParam(frames.b)},
                                          {frames.b, WM_KILLFOCUS, handleWord(frames.a1), 0},
                                          {frames.a1, WM_SETFOCUS, handleWord(frames.b), 0},
                                      }));
  EXPECT_EQ(GetActiveWindow(), frames.a);
  EXPECT_EQ(GetFocus(), frames.a1);
  EXPECT_EQ(driver.topLevelWindows().front(), frames.a);
}

TEST(Focus, FocusWithinATopLevelWindowMovesWithoutActivation) {
  TestDriver driver;
  TwoFrames frames;
  SetFocus(frames.a1);
  frames.spy.clear();
  EXPECT_EQ(SetFocus(frames.a2), frames.a1);
  EXPECT_EQ(frames.spy.only(kFocusMessages), (std::vector<Logged>{
                                                 {frames.a1, WM_KILLFOCUS, handleWord(frames.a2), 0},
                                                 {frames.a2, WM_SETFOCUS, handleWord(frames.a1), 0},
                                             }));
  frames.spy.clear();
  EXPECT_EQ(SetFocus(frames.a2), frames.a2);
  EXPECT_TRUE(frames.spy.log().empty()) << "focusing the focus again sends nothing";
}

TEST(Focus, DeactivatingTheProgramTellsEveryTopLevelWindow) {
  TestDriver driver;
  TwoFrames frames;
  SetFocus(frames.a2);
  frames.spy.clear();
  EXPECT_EQ(SetActiveWindow(GetDesktopWindow()), frames.a);
  EXPECT_EQ(frames.spy.only(kFocusMessages), (std::vector<Logged>{
                                                 {frames.a, WM_NCACTIVATE, FALSE, 0},
                                                 {frames.a, WM_ACTIVATE, WA_INACTIVE, 0},
                                                 {frames.a, WM_ACTIVATEAPP, FALSE, 0},
                                                 {frames.b, WM_ACTIVATEAPP, FALSE, 0},
                                                 {frames.a2, WM_KILLFOCUS, 0, 0},
                                             }));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  frames.spy.clear();
  SetForegroundWindow(frames.b1);
  EXPECT_EQ(frames.spy.numbersOf({WM_ACTIVATEAPP}), (std::vector<UINT>{WM_ACTIVATEAPP, WM_ACTIVATEAPP}));
  EXPECT_EQ(GetActiveWindow(), frames.b);
  EXPECT_EQ(GetFocus(), frames.b) << "default activation focuses the window itself";
}

TEST(Focus, ActivationThatTakesNoFocusLeavesNoneBehind) {
  TestDriver driver;
  TwoFrames frames;
  SetFocus(frames.b1);
  // A frame procedure that answers WM_ACTIVATE itself and sets no focus.
  frames.spy.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    return message == WM_ACTIVATE ? 0 : DefWindowProc(window, message, wParam, lParam);
  };
  SetActiveWindow(frames.a);
  EXPECT_EQ(GetFocus(), nullptr) << "keys must not go on reaching the inactive window";
}

TEST(Focus, HidingDestroyingOrDisablingTheFocusMovesIt) {
  TestDriver driver;
  struct Case {
    const char* name;
    std::function<void(HWND)> action;
    bool focusToParent;
  };
  const Case cases[] = {
      {"hidden", [](HWND window) { ShowWindow(window, SW_HIDE); }, true},
      {"destroyed", [](HWND window) { DestroyWindow(window); }, true},
      {"disabled", [](HWND window) { EnableWindow(window, FALSE); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TwoFrames frames;
    SetFocus(frames.a1);
    frames.spy.clear();
    c.action(frames.a1);
    EXPECT_EQ(GetFocus(), c.focusToParent ? frames.a : nullptr);
    EXPECT_EQ(frames.spy.only({WM_KILLFOCUS}).size(), 1u);
    EXPECT_EQ(GetActiveWindow(), frames.a);
    DestroyWindow(frames.a);
    DestroyWindow(frames.b);
  }
}

TEST(Focus, DestroyingTheActiveWindowActivatesTheNextOne) {
  TestDriver driver;
  TwoFrames frames;
  HWND owned = frames.spy.createTopLevel(RECT{20, 20, 60, 60}, WS_POPUP | WS_VISIBLE, frames.a);
  SetActiveWindow(frames.b);
  SetActiveWindow(owned);
  DestroyWindow(owned);
  EXPECT_EQ(GetActiveWindow(), frames.a) << "the owner comes first";
  DestroyWindow(frames.a);
  EXPECT_EQ(GetActiveWindow(), frames.b);
  EXPECT_EQ(GetFocus(), frames.b);
  DestroyWindow(frames.b);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST(Focus, CaptureChangesAreAnnounced) {
  TestDriver driver;
  TwoFrames frames;
  EXPECT_EQ(SetCapture(frames.a1), nullptr);
  frames.spy.clear();
  EXPECT_EQ(SetCapture(frames.a2), frames.a1);
  EXPECT_EQ(GetCapture(), frames.a2);
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(frames.spy.only({WM_CAPTURECHANGED}),
            (std::vector<Logged>{
                {frames.a1, WM_CAPTURECHANGED, 0, handleParam(frames.a2)},
                {frames.a2, WM_CAPTURECHANGED, 0, 0},
            }));
  SetCapture(frames.b1);
  DestroyWindow(frames.b);
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace native::test

namespace native::test {

TEST(Focus, MinimisedActiveWindowHasNoFocusUntilRestored) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 200, 100});
  ShowWindow(window, SW_SHOWMINIMIZED);
  EXPECT_EQ(GetActiveWindow(), window);
  EXPECT_EQ(GetFocus(), nullptr);
  spy.clear();
  driver.pressKey('K');
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.numbersOf({WM_KEYDOWN, WM_SYSKEYDOWN}), (std::vector<UINT>{WM_SYSKEYDOWN}));
  ShowWindow(window, SW_RESTORE);
  EXPECT_EQ(GetFocus(), window) << "restored, the active window takes the focus back";
}

}  // namespace native::test
