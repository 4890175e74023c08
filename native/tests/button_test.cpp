#include <gtest/gtest.h>

#include "native/tests/controlharness.h"

namespace native::test {

namespace {

constexpr RECT kButtonRect{20, 20, 120, 50};

LRESULT pushedBit(HWND button) {
  return SendMessage(button, BM_GETSTATE, 0, 0) & BST_PUSHED;
}

}  // namespace

TEST(ButtonControl, MousePushesWhileInsideAndClicksOnReleaseInside) {
  ControlHarness h;
  HWND button = h.create(kButtonClass, BS_PUSHBUTTON, kButtonRect, u"OK");
  h.driver.mouseMove(50, 30);
  h.driver.mouseDown();
  h.pump();
  EXPECT_EQ(pushedBit(button), BST_PUSHED) << "pushed before the release is processed";
  EXPECT_EQ(GetCapture(), button);
  h.driver.mouseMove(200, 200);
  h.pump();
  EXPECT_EQ(pushedBit(button), 0) << "outside, the button springs back";
  h.driver.mouseMove(60, 40);
  h.pump();
  EXPECT_EQ(pushedBit(button), BST_PUSHED);
  h.driver.mouseUp();
  h.pump();
  EXPECT_EQ(pushedBit(button), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(h.notifications(button), std::vector<WORD>{BN_CLICKED});
  std::vector<Logged> commands = h.spy.only({WM_COMMAND});
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(LOWORD(commands[0].wParam), 7) << "the control's id";
}

TEST(ButtonControl, ReleaseOutsideDoesNotClick) {
  ControlHarness h;
  HWND button = h.create(kButtonClass, BS_PUSHBUTTON, kButtonRect, u"OK");
  h.driver.mouseMove(50, 30);
  h.driver.mouseDown();
  h.driver.mouseMove(300, 250);
  h.driver.mouseUp();
  h.pump();
  EXPECT_TRUE(h.notifications(button).empty());
  EXPECT_EQ(pushedBit(button), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(ButtonControl, SpacePushesOnPressAndClicksOnRelease) {
  ControlHarness h;
  HWND button = h.create(kButtonClass, BS_DEFPUSHBUTTON, kButtonRect, u"OK");
  SetFocus(button);
  EXPECT_EQ(SendMessage(button, BM_GETSTATE, 0, 0) & BST_FOCUS, BST_FOCUS);
  h.driver.keyDown(VK_SPACE);
  h.pump();
  EXPECT_EQ(pushedBit(button), BST_PUSHED);
  EXPECT_TRUE(h.notifications(button).empty()) << "nothing is chosen until Space is let go";
  h.driver.keyUp(VK_SPACE);
  h.pump();
  EXPECT_EQ(pushedBit(button), 0);
  EXPECT_EQ(h.notifications(button), std::vector<WORD>{BN_CLICKED});
}

TEST(ButtonControl, FocusLostWhileSpaceIsHeldCancelsTheClick) {
  ControlHarness h;
  HWND button = h.create(kButtonClass, BS_PUSHBUTTON, kButtonRect, u"OK");
  SetFocus(button);
  h.driver.keyDown(VK_SPACE);
  h.pump();
  SetFocus(h.parent);
  h.driver.keyUp(VK_SPACE);
  h.pump();
  EXPECT_EQ(pushedBit(button), 0);
  EXPECT_TRUE(h.notifications(button).empty());
}

TEST(ButtonControl, OnlyAutomaticTypesChangeTheirOwnCheck) {
  struct Case {
    const char* name;
    DWORD type;
    LRESULT checkAfterClick;
  };
  const Case cases[] = {
      {"check box", BS_CHECKBOX, BST_UNCHECKED},
      {"automatic check box", BS_AUTOCHECKBOX, BST_CHECKED},
      {"radio button", BS_RADIOBUTTON, BST_UNCHECKED},
      {"automatic radio button", BS_AUTORADIOBUTTON, BST_CHECKED},
      {"push button", BS_PUSHBUTTON, BST_UNCHECKED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ControlHarness h;
    HWND button = h.create(kButtonClass, c.type, kButtonRect, u"Option");
    h.click(button);
    EXPECT_EQ(SendMessage(button, BM_GETCHECK, 0, 0), c.checkAfterClick);
    EXPECT_EQ(h.notifications(button), std::vector<WORD>{BN_CLICKED});
  }
}

TEST(ButtonControl, SetCheckOnlyTakesOnCheckTypes) {
  ControlHarness h;
  HWND box = h.create(kButtonClass, BS_CHECKBOX, kButtonRect, u"Box");
  HWND push = h.create(kButtonClass, BS_PUSHBUTTON, RECT{20, 60, 120, 90}, u"Push", 8);
  SendMessage(box, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(push, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessage(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessage(push, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(h.notifications(box).empty()) << "setting the check is not a click";
}

TEST(ButtonControl, AutomaticRadioButtonUnchecksTheOthersOfItsGroupOnly) {
  ControlHarness h;
  // Groups follow GW_HWNDNEXT order, which is the order the buttons are made in: A, B, then C.
  HWND first = h.create(kButtonClass, BS_AUTORADIOBUTTON | WS_GROUP, RECT{10, 10, 100, 30}, u"A", 1);
  HWND second = h.create(kButtonClass, BS_AUTORADIOBUTTON, RECT{10, 40, 100, 60}, u"B", 2);
  HWND otherGroup = h.create(kButtonClass, BS_AUTORADIOBUTTON | WS_GROUP, RECT{10, 70, 100, 90}, u"C", 3);
  SendMessage(first, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(otherGroup, BM_SETCHECK, BST_CHECKED, 0);
  h.click(second);
  EXPECT_EQ(SendMessage(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessage(second, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessage(otherGroup, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(ButtonControl, SetStyleChangesTheTypeAtRunTime) {
  ControlHarness h;
  HWND button = h.create(kButtonClass, BS_PUSHBUTTON, kButtonRect, u"Flip");
  SendMessage(button, BM_SETSTYLE, BS_AUTOCHECKBOX, TRUE);
  EXPECT_EQ(GetWindowLong(button, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG_PTR>(BS_AUTOCHECKBOX));
  EXPECT_NE(GetWindowLong(button, GWL_STYLE) & WS_CHILD, 0) << "the window's own style bits stay";
  h.click(button);
  EXPECT_EQ(SendMessage(button, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(ButtonControl, ClickMessageAndStateMessageDoNotNeedTheMouse) {
  ControlHarness h;
  HWND button = h.create(kButtonClass, BS_PUSHBUTTON, kButtonRect, u"OK");
  SendMessage(button, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(pushedBit(button), BST_PUSHED);
  SendMessage(button, BM_SETSTATE, FALSE, 0);
  SendMessage(button, BM_CLICK, 0, 0);
  EXPECT_EQ(h.notifications(button), std::vector<WORD>{BN_CLICKED});
  EnableWindow(button, FALSE);
  SendMessage(button, BM_CLICK, 0, 0);
  h.click(button);
  EXPECT_EQ(h.notifications(button).size(), 1u) << "a disabled button does not click";
}

TEST(ButtonControl, OwnerDrawnButtonAsksTheParentToDrawEachChange) {
  ControlHarness h;
  struct Drawn {
    UINT type;
    UINT action;
    UINT state;
    HWND item;
    RECT rect;
  };
  std::vector<Drawn> drawn;
  h.spy.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_DRAWITEM) {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      drawn.push_back(Drawn{item->CtlType, item->itemAction, item->itemState, item->hwndItem, item->rcItem});
      return TRUE;
    }
    return DefWindowProc(window, message, wParam, lParam);
  };
  HWND button = h.create(kButtonClass, BS_OWNERDRAW, kButtonRect, u"Own");
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().type, ODT_BUTTON);
  EXPECT_EQ(drawn.back().action, ODA_DRAWENTIRE);
  EXPECT_EQ(drawn.back().item, button);
  EXPECT_EQ(drawn.back().rect.right, 100);
  EXPECT_EQ(drawn.back().rect.bottom, 30);

  struct Step {
    const char* name;
    std::function<void()> act;
    UINT action;
    UINT state;
  };
  const Step steps[] = {
      {"focus", [&] { SetFocus(button); }, ODA_FOCUS, ODS_FOCUS},
      {"press", [&] { h.driver.mouseMove(50, 30), h.driver.mouseDown(); }, ODA_SELECT,
       ODS_SELECTED | ODS_FOCUS},
      {"release", [&] { h.driver.mouseUp(); }, ODA_SELECT, ODS_FOCUS},
      {"focus leaves", [&] { SetFocus(h.parent); }, ODA_FOCUS, 0},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    drawn.clear();
    step.act();
    h.pump();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front().action, step.action);
    EXPECT_EQ(drawn.front().state, step.state);
  }
}

TEST(ButtonControl, ParentColoursAreAskedForAndPainted) {
  ControlHarness h;
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  std::vector<LPARAM> askedFor;
  h.spy.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_CTLCOLORBTN) {
      askedFor.push_back(lParam);
      return reinterpret_cast<LRESULT>(red);
    }
    return DefWindowProc(window, message, wParam, lParam);
  };
  HWND box = h.create(kButtonClass, BS_CHECKBOX, kButtonRect, u"");
  ASSERT_FALSE(askedFor.empty());
  EXPECT_EQ(askedFor.front(), handleParam(box));
  EXPECT_EQ(h.driver.pixel(kButtonRect.right - 5, kButtonRect.top + 3), RGB(255, 0, 0));
  h.spy.handler = nullptr;
  InvalidateRect(box, nullptr, TRUE);
  h.pump();
  EXPECT_EQ(h.driver.pixel(kButtonRect.right - 5, kButtonRect.top + 3), GetSysColor(COLOR_BTNFACE))
      << "left to default processing, the face colour";
  DestroyWindow(box);
  DeleteObject(red);
}

TEST(ButtonControl, TimerSetOnTheButtonReachesItsProcedure) {
  ControlHarness h;
  HWND button = h.create(kButtonClass, BS_PUSHBUTTON, kButtonRect, u"Repeat");
  static std::vector<UINT_PTR> ticks;
  static WNDPROC classProcedure = nullptr;
  ticks.clear();
  classProcedure = reinterpret_cast<WNDPROC>(GetClassLong(button, GCL_WNDPROC));
  SetWindowLong(button, GWL_WNDPROC,
                reinterpret_cast<LONG_PTR>(+[](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
                  if (message == WM_TIMER) {
                    ticks.push_back(wParam);
                  }
                  return CallWindowProc(classProcedure, window, message, wParam, lParam);
                }));
  SetTimer(button, 1, 250, nullptr);
  h.driver.advanceClock(260);
  h.pump();
  EXPECT_EQ(ticks, std::vector<UINT_PTR>{1});
  KillTimer(button, 1);
}

}  // namespace native::test
