#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "native/controls/mdiarrangement.h"
#include "native/tests/mdiscene.h"
#include "native/user/menubar.h"
#include "native/user/menuloop.h"

namespace native::test {

namespace {

const RECT kFirst{10, 10, 210, 160};
const RECT kSecond{40, 40, 240, 190};
const RECT kThird{70, 70, 270, 220};

SIZE clientSize(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return SIZE{rect.right, rect.bottom};
}

std::vector<Logged> only(const std::vector<Logged>& log, std::initializer_list<UINT> messages) {
  std::vector<Logged> picked;
  for (const Logged& entry : log) {
    if (std::find(messages.begin(), messages.end(), entry.message) != messages.end()) {
      picked.push_back(entry);
    }
  }
  return picked;
}

// Walks a frame's open menu: the first time the menu waits, `walkStep` runs (keys go in); the next time the
// menu last highlighted in and the bar's highlighted entry are noted; then Escapes close the menu.
WNDPROC walkedFrameProcedure = nullptr;
std::function<void()> walkStep;
int walkIdles = 0;
HMENU walkMenu = nullptr;
HMENU walkLastMenu = nullptr;
int walkBarEntry = -2;

LRESULT walkedFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MENUSELECT && lParam != 0) {
    walkLastMenu = reinterpret_cast<HMENU>(lParam);
  } else if (message == WM_ENTERIDLE && ++walkIdles < 20) {
    if (walkIdles == 1) {
      walkStep();
      PostMessage(window, WM_NULL, 0, 0);  // back idle even when the step gave no input
    } else {
      if (walkIdles == 2) {
        walkMenu = walkLastMenu;
        walkBarEntry = MenuLoop::running()->highlightedBarEntry(window);
      }
      PostMessage(window, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  }
  return CallWindowProc(walkedFrameProcedure, window, message, wParam, lParam);
}

void walkFrame(HWND frame, std::function<void()> step) {
  if (reinterpret_cast<WNDPROC>(GetWindowLong(frame, GWL_WNDPROC)) != walkedFrame) {
    walkedFrameProcedure =
        reinterpret_cast<WNDPROC>(SetWindowLong(frame, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(walkedFrame)));
  }
  walkStep = std::move(step);
  walkIdles = 0;
  walkMenu = walkLastMenu = nullptr;
  walkBarEntry = -2;
}

}  // namespace

TEST(MdiClient, CreateReturnsTheChildActiveOnTopWithIdsFromTheFirst) {
  MdiScene scene;
  HWND first = scene.createChild(u"One", kFirst);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetParent(first), scene.client);
  EXPECT_EQ(GetWindowLong(first, GWL_ID), 0x1000);
  EXPECT_NE(GetWindowLong(first, GWL_EXSTYLE) & WS_EX_MDICHILD, 0);
  // The same request in the 8-bit form.
  MDICREATESTRUCTA narrow{
      "TestMdiChild", "Zwei \xC3\xBC", nullptr, 40, 40, 200, 150, MdiScene::kChildStyle, 0};
  auto second =
      reinterpret_cast<HWND>(SendMessageA(scene.client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&narrow)));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(scene.driver.text(second), u"Zwei \u00FC");
  EXPECT_EQ(GetWindowLong(second, GWL_ID), 0x1001);
  EXPECT_EQ(scene.active(), second);
  EXPECT_EQ(scene.order(), (std::vector<HWND>{second, first})) << "the active child is GW_CHILD";
  MDICREATESTRUCT unknown{u"NoSuchClass", u"x", nullptr, 0, 0, 10, 10, MdiScene::kChildStyle, 0};
  EXPECT_EQ(SendMessage(scene.client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&unknown)), 0);
  EXPECT_EQ(SendMessage(scene.client, WM_MDICREATE, 0, 0), 0) << "no record, no child";
  MDICREATESTRUCT nameless{nullptr, u"x", nullptr, 0, 0, 10, 10, MdiScene::kChildStyle, 0};
  EXPECT_EQ(SendMessage(scene.client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&nameless)), 0);
  EXPECT_EQ(scene.order().size(), 2u);
}

TEST(MdiClient, WithoutAllChildStylesChildrenGetTheStandardFrame) {
  MdiScene scene(SIZE{640, 480}, 0);
  HWND child = scene.createChild(u"Plain", kFirst, 0);
  DWORD style = static_cast<DWORD>(GetWindowLong(child, GWL_STYLE));
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_NE(style & WS_MAXIMIZEBOX, 0u);
  EXPECT_NE(IsWindowVisible(child), FALSE);
}

TEST(MdiClient, ActivationTellsTheLosingChildThenTheGainingOne) {
  MdiScene scene;
  HWND first = scene.createChild(u"One", kFirst);
  HWND second = scene.createChild(u"Two", kSecond);
  scene.log.clear();
  SendMessage(scene.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
  auto lost = reinterpret_cast<WPARAM>(second);
  auto gained = reinterpret_cast<LPARAM>(first);
  EXPECT_EQ(only(scene.log, {WM_NCACTIVATE, WM_MDIACTIVATE}),
            (std::vector<Logged>{{second, WM_NCACTIVATE, FALSE, 0},
                                 {second, WM_MDIACTIVATE, lost, gained},
                                 {first, WM_NCACTIVATE, TRUE, 0},
                                 {first, WM_MDIACTIVATE, lost, gained}}));
  EXPECT_EQ(scene.active(), first);
  EXPECT_EQ(scene.order().front(), first);
  scene.log.clear();
  SendMessage(scene.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
  EXPECT_TRUE(scene.log.empty()) << "activating the active child again says nothing";
}

TEST(MdiClient, AClickActivatesTheChildUnderIt) {
  MdiScene scene;
  HWND first = scene.createChild(u"One", kFirst);
  scene.createChild(u"Two", RECT{300, 10, 500, 160});
  POINT inside{50, 50};
  ClientToScreen(first, &inside);
  scene.driver.click(inside.x, inside.y);
  scene.driver.pumpUntilIdle();
  EXPECT_EQ(scene.active(), first);
  EXPECT_EQ(scene.order().front(), first);
}

TEST(MdiClient, MaximisedChildFillsTheClientAndLendsItsSystemMenuToTheBar) {
  MdiScene scene;
  HWND first = scene.createChild(u"One", kFirst);
  HWND second = scene.createChild(u"Two", kSecond);
  ASSERT_EQ(GetMenuItemCount(scene.bar), 1);
  SendMessage(scene.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0);
  scene.driver.pumpUntilIdle();
  bool maximized = false;
  EXPECT_EQ(scene.active(&maximized), second);
  EXPECT_TRUE(maximized);
  SIZE area = clientSize(scene.client);
  SIZE inside = clientSize(second);
  EXPECT_EQ(inside.cx, area.cx);
  EXPECT_EQ(inside.cy, area.cy);
  POINT origin{0, 0};
  MapWindowPoints(second, scene.client, &origin, 1);
  EXPECT_EQ(origin.x, 0) << "the caption and frame lie outside the client";
  EXPECT_EQ(origin.y, 0);
  // The system menu, "&File", then the minimise, restore and close boxes.
  ASSERT_EQ(GetMenuItemCount(scene.bar), 5);
  EXPECT_EQ(GetSubMenu(scene.bar, 0), GetSystemMenu(second, FALSE));
  EXPECT_EQ(GetMenuItemID(scene.bar, 2), static_cast<UINT>(SC_MINIMIZE));
  EXPECT_EQ(GetMenuItemID(scene.bar, 3), static_cast<UINT>(SC_RESTORE));
  EXPECT_EQ(GetMenuItemID(scene.bar, 4), static_cast<UINT>(SC_CLOSE));

  // Opened from the bar, the system menu shows what the maximised child can do: be restored, not moved.
  RECT systemEntry = MenuBar::screenEntries(scene.frame).at(0);
  scene.driver.click((systemEntry.left + systemEntry.right) / 2, (systemEntry.top + systemEntry.bottom) / 2);
  scene.driver.pressKey(VK_ESCAPE);
  scene.driver.pumpUntilIdle();
  HMENU shown = GetSystemMenu(second, FALSE);
  const auto greyed = [shown](WPARAM command) {
    return (GetMenuState(shown, static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED) != 0;
  };
  EXPECT_FALSE(greyed(SC_RESTORE));
  EXPECT_TRUE(greyed(SC_MOVE));
  EXPECT_TRUE(greyed(SC_SIZE));
  EXPECT_TRUE(greyed(SC_MAXIMIZE));
  EXPECT_FALSE(greyed(SC_MINIMIZE));

  // The maximised state goes with activation.
  SendMessage(scene.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
  EXPECT_NE(IsZoomed(first), FALSE);
  EXPECT_EQ(IsZoomed(second), FALSE);
  EXPECT_EQ(GetSubMenu(scene.bar, 0), GetSystemMenu(first, FALSE));
  ASSERT_EQ(GetMenuItemCount(scene.bar), 5);

  // The restore command of the bar's system menu reaches the child through the frame.
  SendMessage(scene.frame, WM_COMMAND, SC_RESTORE, 0);
  EXPECT_EQ(IsZoomed(first), FALSE);
  EXPECT_EQ(GetMenuItemCount(scene.bar), 1);
  EXPECT_EQ(GetMenuItemID(scene.bar, 0), 100u) << "the bar is as it was";
  EXPECT_EQ(scene.rectInClient(first).left, kFirst.left) << "back where it was";
}

// A box of the maximised document in the bar works as a button: it acts only when pressed and let go on
// itself, and no key presses it while it is held.
TEST(MdiClient, TheMaximisedChildsBoxesStandAtTheBarsRightEndAndWork) {
  // The bar's entries: the document's system menu, "&File", the minimise, restore and close boxes; and a
  // point below the bar, away from them.
  enum Place { kFile = 1, kMinimise = 2, kRestore = 3, kClose = 4, kAway = 5 };
  struct Case {
    const char* name;
    Place pressed;
    std::vector<Place> held;  // where the pointer goes with the button held, in turn
    UINT key;                 // pressed while the button is still on the pressed entry; 0 for none
    bool closes;
  };
  const Case cases[] = {
      {"pressed on Close, let go away", kClose, {kAway}, 0, false},
      {"pressed on Minimise, slid onto Close", kMinimise, {kRestore, kClose}, 0, false},
      {"pressed on File, slid along the bar onto Close", kFile, {kMinimise, kRestore, kClose}, 0, false},
      {"pressed on Close, Return while held, let go away", kClose, {kAway}, VK_RETURN, false},
      {"pressed on Close, Left while held, let go on it", kClose, {}, VK_LEFT, false},
      {"pressed on Close, let go on it", kClose, {}, 0, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    MdiScene scene;
    scene.createChild(u"One", kFirst);
    HWND second = scene.createChild(u"Two", kSecond);
    SendMessage(scene.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0);
    scene.driver.pumpUntilIdle();
    std::vector<RECT> entries = MenuBar::screenEntries(scene.frame);
    ASSERT_EQ(entries.size(), 5u);
    entries.push_back(RECT{0, 300, 200, 400});
    const auto middle = [&](Place place) {
      const RECT& entry = entries[place];
      return POINT{(entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2};
    };
    const RECT pressed = entries[test.pressed];
    const std::vector<COLORREF> raised = scene.driver.pixels(pressed);
    std::vector<COLORREF> shownHeld;
    walkFrame(scene.frame, [&] {
      shownHeld = scene.driver.pixels(pressed);
      if (test.key != 0) {
        scene.driver.pressKey(test.key);
      }
      for (Place place : test.held) {
        scene.driver.mouseMove(middle(place).x, middle(place).y);
      }
      scene.driver.mouseUp();
    });
    scene.log.clear();
    scene.driver.mouseMove(middle(test.pressed).x, middle(test.pressed).y);
    scene.driver.mouseDown();
    scene.driver.pumpUntilIdle();
    EXPECT_TRUE(shownHeld != raised) << "the pressed entry looks as it did";
    EXPECT_EQ(!IsWindow(second), test.closes);
    EXPECT_EQ(only(scene.log, {WM_SYSCOMMAND}).empty(), !test.closes);
    EXPECT_EQ(MenuLoop::running(), nullptr);
    if (!test.closes) {
      EXPECT_NE(IsZoomed(second), FALSE) << "the document stays as it was";
    }
  }
}

// With a document maximised the bar reads: its system menu, "&File", "&Help", its three boxes. From the
// bar's ends the arrows go to the frame's system menu; they never press a box.
TEST(MdiClient, TheBarsArrowsPassTheSystemMenusAndNeverPressTheMaximisedChildsBoxes) {
  enum Open { kFrameMenu, kChildMenu, kHelpMenu };
  struct Case {
    const char* name;
    std::vector<UINT> keys;  // after F10 has highlighted the bar's first entry
    Open open;
    int barEntry;
    int escapes;  // that end the menu: one closes the frame's menu and all, the bar's menus go back to it
  };
  const Case cases[] = {
      {"left from the document's icon, then down", {VK_LEFT, VK_DOWN}, kFrameMenu, -1, 1},
      {"right from open Help", {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RIGHT}, kFrameMenu, -1, 1},
      {"right from open Help, right", {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RIGHT, VK_RIGHT}, kChildMenu, 0, 2},
      {"left, left from the document's open system menu", {VK_DOWN, VK_LEFT, VK_LEFT}, kHelpMenu, 2, 2},
      {"right from Help, nothing open", {VK_RIGHT, VK_RIGHT, VK_RIGHT}, kFrameMenu, -1, 1},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    MdiScene scene;
    HMENU help = CreatePopupMenu();
    AppendMenu(help, MF_STRING, 701, u"&About");
    AppendMenu(scene.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), u"&Help");
    HWND child = scene.createChild(u"One", kFirst);
    SendMessage(scene.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    const HMENU menus[] = {GetSystemMenu(scene.frame, FALSE), GetSystemMenu(child, FALSE), help};
    walkFrame(scene.frame, [&] {
      for (UINT key : test.keys) {
        scene.driver.pressKey(key);
      }
    });
    scene.log.clear();
    scene.driver.pressKey(VK_F10);
    scene.driver.pumpUntilIdle();
    EXPECT_EQ(walkMenu, menus[test.open]);
    EXPECT_EQ(walkBarEntry, test.barEntry);
    EXPECT_EQ(walkIdles - 1, test.escapes);
    EXPECT_EQ(MenuLoop::running(), nullptr);
    EXPECT_NE(IsZoomed(child), FALSE);
    EXPECT_TRUE(only(scene.log, {WM_SYSCOMMAND, WM_CLOSE}).empty());
  }
}

TEST(MdiClient, ChildSystemCommandsMaximiseMinimiseRestoreAndClose) {
  MdiScene scene;
  HWND first = scene.createChild(u"One", kFirst);
  HWND second = scene.createChild(u"Two", kSecond);
  SendMessage(second, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_NE(IsZoomed(second), FALSE);
  EXPECT_EQ(GetMenuItemCount(scene.bar), 5);
  SendMessage(second, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  scene.driver.pumpUntilIdle();
  EXPECT_NE(IsIconic(second), FALSE);
  // The next document takes over, maximised as the minimised one was, with the keys and the bar.
  bool maximized = false;
  EXPECT_EQ(scene.active(&maximized), first);
  EXPECT_TRUE(maximized);
  EXPECT_EQ(GetFocus(), first);
  EXPECT_EQ(GetSubMenu(scene.bar, 0), GetSystemMenu(first, FALSE))
      << "the bar holds the new document's system menu";
  RECT icon = scene.rectInClient(second);
  EXPECT_EQ(icon.bottom, clientSize(scene.client).cy) << "minimised children sit at the bottom";
  EXPECT_EQ(icon.bottom - icon.top, GetSystemMetrics(SM_CYMINIMIZED));
  SendMessage(second, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(IsIconic(second), FALSE);
  SendMessage(second, WM_SYSCOMMAND, SC_CLOSE, 0);
  scene.driver.pumpUntilIdle();
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(scene.active(), first);
}

// Alt+- opens the active document's system menu: its own when restored, the one standing in the bar when
// maximised; a letter then chooses in it.
TEST(MdiClient, AltMinusOpensTheActiveDocumentsSystemMenu) {
  const struct {
    const char* name;
    bool maximised;
    UINT letter;
    bool iconic;  // after the letter, which leaves neither maximised
  } cases[] = {
      {"restored, Minimize", false, 'N', true},
      {"maximised, Restore", true, 'R', false},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    MdiScene scene;
    HWND document = scene.createChild(u"One", kFirst);
    if (test.maximised) {
      SendMessage(document, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    }
    scene.driver.pumpUntilIdle();
    scene.driver.keyDown(VK_MENU);
    scene.driver.pressKey(VK_OEM_MINUS);
    scene.driver.keyUp(VK_MENU);
    scene.driver.pressKey(test.letter);  // waiting in the menu it opens
    scene.driver.pumpUntilIdle();
    EXPECT_EQ(IsIconic(document) != FALSE, test.iconic);
    EXPECT_EQ(IsZoomed(document), FALSE);
  }
}

TEST(MdiClient, DestroyingTheMaximisedActiveChildPassesOnActivationAndTheBar) {
  MdiScene scene;
  HWND first = scene.createChild(u"One", kFirst);
  HWND second = scene.createChild(u"Two", kSecond);
  SendMessage(scene.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0);
  HMENU goneMenu = GetSystemMenu(second, FALSE);
  scene.log.clear();
  SendMessage(scene.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(second), 0);
  scene.driver.pumpUntilIdle();
  EXPECT_FALSE(IsWindow(second));
  EXPECT_FALSE(IsMenu(goneMenu));
  bool maximized = false;
  EXPECT_EQ(scene.active(&maximized), first);
  EXPECT_TRUE(maximized);
  ASSERT_EQ(GetMenuItemCount(scene.bar), 5);
  EXPECT_EQ(GetSubMenu(scene.bar, 0), GetSystemMenu(first, FALSE)) << "no trace of the destroyed menu";
  SendMessage(scene.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(first), 0);
  EXPECT_EQ(scene.active(), nullptr);
  EXPECT_EQ(GetMenuItemCount(scene.bar), 1);
  EXPECT_EQ(GetMenuItemID(scene.bar, 0), 100u);
}

TEST(MdiClient, NextWalksEveryChildAndPreviousGoesBack) {
  MdiScene scene;
  HWND a = scene.createChild(u"A", kFirst);
  HWND b = scene.createChild(u"B", kSecond);
  HWND c = scene.createChild(u"C", kThird);
  ASSERT_EQ(scene.order(), (std::vector<HWND>{c, b, a}));
  const struct {
    LPARAM previous;
    HWND active;
  } steps[] = {{0, b}, {0, a}, {0, c}, {1, a}, {1, b}};
  for (const auto& step : steps) {
    SendMessage(scene.client, WM_MDINEXT, 0, step.previous);
    EXPECT_EQ(scene.active(), step.active);
    EXPECT_EQ(scene.order().front(), step.active);
  }
}

TEST(MdiClient, TileBothWaysAndCascade) {
  MdiScene scene;
  HWND a = scene.createChild(u"A", kFirst);
  HWND b = scene.createChild(u"B", kSecond);
  HWND c = scene.createChild(u"C", kThird);
  SIZE area = clientSize(scene.client);
  SendMessage(scene.client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
  EXPECT_EQ(scene.rectInClient(c).top, 0) << "the front child first";
  EXPECT_EQ(scene.rectInClient(c).right - scene.rectInClient(c).left, area.cx);
  EXPECT_EQ(scene.rectInClient(b).top, scene.rectInClient(c).bottom);
  EXPECT_EQ(scene.rectInClient(a).bottom, area.cy);
  SendMessage(scene.client, WM_MDITILE, MDITILE_VERTICAL, 0);
  EXPECT_EQ(scene.rectInClient(c).left, 0);
  EXPECT_EQ(scene.rectInClient(c).bottom - scene.rectInClient(c).top, area.cy);
  EXPECT_EQ(scene.rectInClient(b).left, scene.rectInClient(c).right);
  EXPECT_EQ(scene.rectInClient(a).right, area.cx);
  SendMessage(scene.client, WM_MDICASCADE, 0, 0);
  RECT back = scene.rectInClient(a);
  RECT front = scene.rectInClient(c);
  EXPECT_EQ(back.left, 0);
  EXPECT_GT(front.left, scene.rectInClient(b).left);
  EXPECT_EQ(front.top - scene.rectInClient(b).top, scene.rectInClient(b).top - back.top) << "even steps";
  EXPECT_EQ(front.bottom, area.cy) << "the front child reaches the bottom";
  EXPECT_EQ(scene.active(), c) << "arranging changes no activation";
}

// Tiling and cascading leave free the rows of 24 pixels at the client's bottom that hold icons, while the
// documents keep half its height; an icon dragged above them is covered. A frame of 640 x 480 has a client
// of 632 x 434 (three icons a row), one of 800 x 600 a client of 792 x 554 (four a row), one 300 pixels wide
// a client 292 wide (one a row).
TEST(MdiClient, ArrangementsLeaveTheRowsOfIconsAtTheBottomFree) {
  const struct {
    const char* name;
    SIZE frame;
    int icons;
    UINT message;  // WM_MDITILE (horizontal) or WM_MDICASCADE; WM_NULL: vertical tiling
    LONG bottom;   // of the one document left open
    bool draggedToTop = false;  // the first icon dragged by its title to the client's top
  } cases[] = {
      {"one icon, tiled horizontally", {640, 480}, 1, WM_MDITILE, 410},
      {"eight icons in two rows, tiled vertically", {800, 600}, 8, WM_NULL, 506},
      {"three icons one a row in a narrow frame, cascaded", {300, 480}, 3, WM_MDICASCADE, 362},
      {"one icon dragged to the top, tiled horizontally", {640, 480}, 1, WM_MDITILE, 434, true},
      {"one icon dragged to the top, tiled vertically", {640, 480}, 1, WM_NULL, 434, true},
      {"one icon dragged to the top, cascaded", {640, 480}, 1, WM_MDICASCADE, 434, true},
      {"seventeen icons one a row, tiled horizontally", {300, 480}, 17, WM_MDITILE, 218},
      {"seventeen icons one a row, tiled vertically", {300, 480}, 17, WM_NULL, 218},
      {"seventeen icons one a row, cascaded", {300, 480}, 17, WM_MDICASCADE, 218},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    MdiScene scene(test.frame);
    std::vector<HWND> icons;
    for (int i = 0; i < test.icons; ++i) {
      icons.push_back(scene.createChild(u"Icon", kFirst));
      SendMessage(icons.back(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
    if (test.draggedToTop) {
      POINT from{36, 422};
      POINT to{36, 12};
      MapWindowPoints(scene.client, nullptr, &from, 1);
      MapWindowPoints(scene.client, nullptr, &to, 1);
      scene.driver.mouseMove(from.x, from.y);
      scene.driver.mouseDown();
      scene.driver.mouseMove(to.x, to.y);
      scene.driver.mouseUp();
      scene.driver.pumpUntilIdle();
      ASSERT_EQ(scene.rectInClient(icons.front()).top, 0);
    }
    HWND open = scene.createChild(u"Open", kSecond);
    bool vertical = test.message == WM_NULL;
    SendMessage(scene.client, vertical ? WM_MDITILE : test.message,
                vertical ? MDITILE_VERTICAL : MDITILE_HORIZONTAL, 0);
    EXPECT_EQ(scene.rectInClient(open).top, 0);
    EXPECT_EQ(scene.rectInClient(open).bottom, test.bottom);
  }
}

TEST(MdiClient, ArrangingIconsPutsThemInTheSlotsFromTheFirst) {
  MdiScene scene;
  HWND a = scene.createChild(u"A", kFirst);
  scene.createChild(u"B", kSecond);
  SendMessage(a, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  SIZE area = clientSize(scene.client);
  SetWindowPos(a, nullptr, 100, 100, 50, 20, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessage(scene.client, WM_MDIICONARRANGE, 0, 0);
  EXPECT_EQ(scene.rectInClient(a).left, 0);
  EXPECT_EQ(scene.rectInClient(a).bottom, area.cy);
}

// A document moved or sized by the mouse (its caption, a border), or by the arrow keys after Move or Size
// from its system menu (8 pixels a press, the first arrow of a direction picking the border; Enter keeps,
// Escape puts back), keeps the smallest frame, and its caption's full height and 72 pixels of its width
// inside the client (632 x 434 pixels): a document opened out past an edge ("out right") stops there when
// the border on the other side is dragged towards that edge.
TEST(MdiClient, NoMoveOrSizeLosesADocument) {
  const struct {
    const char* name;
    WPARAM command;  // SC_MOVE or SC_SIZE (SC_KEYMENU: Alt+- and M), then the keys and Enter; 0: a drag
    // VK_LBUTTON among the keys: a click on the client, away from the document.
    std::vector<UINT> keys;
    POINT grab;  // a drag from here in the document's window to there in the client
    POINT to;
    RECT kept;
    RECT start = kFirst;  // where the document was opened
  } cases[] = {
      {"the caption's lowest row dragged up past the top", 0, {}, {100, 21}, {110, -30}, {10, -4, 210, 146}},
      {"the caption's top row dragged past the bottom", 0, {}, {100, 4}, {110, 500}, {10, 411, 210, 561}},
      {"the caption's right end dragged past the left", 0, {}, {130, 10}, {-4, 20}, {-124, 10, 76, 160}},
      {"the left border dragged past the right border", 0, {}, {1, 75}, {400, 85}, {98, 10, 210, 160}},
      {"the top border dragged past the bottom border", 0, {}, {100, 1}, {110, 400}, {10, 133, 210, 160}},
      {"the top border dragged above the client", 0, {}, {100, 1}, {110, -40}, {10, -4, 210, 160}},
      {"the left border, out right", 0, {}, {1, 75}, {700, 85}, {556, 10, 820, 160}, {520, 10, 820, 160}},
      {"the right border, out left", 0, {}, {298, 75}, {-4, 85}, {-200, 10, 76, 160}, {-200, 10, 100, 160}},
      {"Move: left, left, down", SC_MOVE, {VK_LEFT, VK_LEFT, VK_DOWN}, {}, {}, {-6, 18, 194, 168}},
      {"Move: up past the top", SC_MOVE, {VK_UP, VK_UP, VK_UP}, {}, {}, {10, -4, 210, 146}},
      {"Move: right, a click, right", SC_MOVE, {VK_RIGHT, VK_LBUTTON, VK_RIGHT}, {}, {}, {18, 10, 218, 160}},
      {"Size: left, left, right", SC_SIZE, {VK_LEFT, VK_LEFT, VK_RIGHT}, {}, {}, {2, 10, 210, 160}},
      {"Size: down, right, right", SC_SIZE, {VK_DOWN, VK_RIGHT, VK_RIGHT}, {}, {}, {10, 10, 226, 168}},
      {"Size: up past the top", SC_SIZE, {VK_UP, VK_UP}, {}, {}, {10, -4, 210, 160}},
      {"Size: left, up, Escape", SC_SIZE, {VK_LEFT, VK_UP, VK_ESCAPE}, {}, {}, kFirst},
      {"Alt+-, M, right", SC_KEYMENU, {VK_RIGHT}, {}, {}, {18, 10, 218, 160}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    MdiScene scene;
    HWND document = scene.createChild(u"One", test.start);
    if (test.command == SC_KEYMENU) {
      scene.driver.keyDown(VK_MENU);
      scene.driver.pressKey(VK_OEM_MINUS);
      scene.driver.keyUp(VK_MENU);
      scene.driver.pressKey('M');  // waiting in the menu it opens
    } else if (test.command != 0) {
      PostMessage(document, WM_SYSCOMMAND, test.command, 0);  // as the menu does once it has closed
    } else {
      RECT window = scene.driver.screenRect(document);
      POINT to = test.to;
      MapWindowPoints(scene.client, nullptr, &to, 1);
      scene.driver.mouseMove(window.left + test.grab.x, window.top + test.grab.y);
      scene.driver.mouseDown();
      scene.driver.mouseMove(to.x, to.y);
      scene.driver.mouseUp();
    }
    scene.driver.pumpUntilIdle();
    for (UINT key : test.keys) {
      if (key == VK_LBUTTON) {
        POINT away{500, 400};
        MapWindowPoints(scene.client, nullptr, &away, 1);
        scene.driver.click(away.x, away.y);
      } else {
        scene.driver.pressKey(key);
      }
      scene.driver.pumpUntilIdle();
    }
    scene.driver.pressKey(VK_RETURN);  // keeps the place
    scene.driver.pressKey(VK_LEFT);    // the keys belong to the document again
    scene.driver.pumpUntilIdle();
    RECT place = scene.rectInClient(document);
    EXPECT_TRUE(EqualRect(&place, &test.kept))
        << place.left << ", " << place.top << ", " << place.right << ", " << place.bottom;
  }
}

// Minimised documents line up in slots of 160 x 24 pixels from the client's bottom-left corner, a further
// row above when a row is full; each keeps its slot, and so its row at the bottom, whatever the frame's size
// does. Another document keeps its place, or its caption within reach. The client is 792 x 554 pixels with
// the frame maximised on the 800 x 600 desktop and 632 x 434 with it restored.
TEST(MdiClient, IconsAndDocumentsKeepTheirPlacesAsTheFrameChanges) {
  MdiScene scene;
  const auto frameCommand = [&](WPARAM code) { SendMessage(scene.frame, WM_SYSCOMMAND, code, 0); };
  const auto dragRightBorder = [&](int from, int to) {
    scene.driver.mouseMove(from, 240);
    scene.driver.mouseDown();
    scene.driver.mouseMove(to, 240);
    scene.driver.mouseUp();
  };
  // An icon dragged by its title from one place to another in the client.
  const auto dragIcon = [&](POINT from, POINT to) {
    MapWindowPoints(scene.client, nullptr, &from, 1);
    MapWindowPoints(scene.client, nullptr, &to, 1);
    scene.driver.mouseMove(from.x + 36, from.y + 12);
    scene.driver.mouseDown();
    scene.driver.mouseMove(to.x + 36, to.y + 12);
    scene.driver.mouseUp();
  };
  frameCommand(SC_MAXIMIZE);
  std::vector<HWND> documents;
  for (LPCWSTR title : {u"One", u"Two", u"Three", u"Four"}) {
    documents.push_back(scene.createChild(title, kFirst));
  }
  SendMessage(scene.client, WM_MDICASCADE, 0, 0);
  HWND document = scene.createChild(u"Five", RECT{400, 250, 600, 400});
  std::vector<HWND> icons;  // in the order they were minimised
  const auto minimise = [&](HWND child) {
    SendMessage(child, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    icons.push_back(child);
  };
  minimise(documents[0]);
  minimise(documents[1]);
  const auto icon = [](LONG left, LONG top) { return RECT{left, top, left + 160, top + 24}; };
  const RECT opened{400, 250, 600, 400};
  const RECT pushedIn{216, 250, 416, 400};  // 72 pixels of its caption inside the narrow client
  const struct {
    const char* change;
    std::function<void()> make;
    std::vector<RECT> icons;
    RECT document;
  } steps[] = {
      {"the frame restored", [&] { frameCommand(SC_RESTORE); }, {icon(0, 410), icon(160, 410)}, opened},
      {"the frame maximised again",
       [&] { frameCommand(SC_MAXIMIZE); },
       {icon(0, 530), icon(160, 530)},
       opened},
      {"the frame minimised", [&] { frameCommand(SC_MINIMIZE); }, {icon(0, 530), icon(160, 530)}, opened},
      {"the frame back from its icon",
       [&] { frameCommand(SC_RESTORE); },
       {icon(0, 530), icon(160, 530)},
       opened},
      {"the frame restored and narrowed to 300 pixels",
       [&] {
         frameCommand(SC_RESTORE);
         dragRightBorder(638, 298);
       },
       {icon(0, 410), icon(0, 386)},
       pushedIn},
      {"a third document minimised there",
       [&] { minimise(documents[2]); },
       {icon(0, 410), icon(0, 386), icon(0, 362)},
       pushedIn},
      {"the frame widened again",
       [&] { dragRightBorder(298, 638); },
       {icon(0, 410), icon(160, 410), icon(320, 410)},
       pushedIn},
      {"the third icon dragged 80 pixels right, half onto the next slot, and a new document minimised",
       [&] {
         scene.driver.mouseMove(360, 464);
         scene.driver.mouseDown();
         scene.driver.mouseMove(440, 464);
         scene.driver.mouseUp();
         minimise(scene.createChild(u"Six", kFirst));
       },
       {icon(0, 410), icon(160, 410), icon(400, 410), icon(0, 386)},
       pushedIn},
      {"seven icons with the frame maximised",
       [&] {
         frameCommand(SC_MAXIMIZE);
         for (LPCWSTR title : {u"Seven", u"Eight", u"Nine"}) {
           minimise(scene.createChild(title, kFirst));
         }
       },
       {icon(0, 530), icon(160, 530), icon(400, 410), icon(480, 530), icon(320, 530), icon(0, 506),
        icon(160, 506)},
       pushedIn},
      {"the upper row's second icon dropped half onto the bottom row's last: it takes the free slot",
       [&] {
         dragIcon(POINT{160, 506}, POINT{500, 530});
       },
       {icon(0, 530), icon(160, 530), icon(400, 410), icon(480, 530), icon(320, 530), icon(0, 506),
        icon(160, 506)},
       pushedIn},
      {"that icon dragged to the bottom-right corner and the frame restored: both icons put elsewhere move",
       [&] {
         dragIcon(POINT{160, 506}, POINT{632, 480});
         frameCommand(SC_RESTORE);
       },
       {icon(0, 410), icon(160, 410), icon(0, 362), icon(0, 386), icon(320, 410), icon(160, 386),
        icon(320, 386)},
       pushedIn},
      {"two icons dragged up in the maximised frame, then restored: the one pushed in from the right "
       "edge, onto the other, which stays, takes a free slot",
       [&] {
         frameCommand(SC_MAXIMIZE);
         scene.driver.pumpUntilIdle();
         dragIcon(POINT{0, 506}, POINT{600, 200});
         dragIcon(POINT{160, 506}, POINT{400, 200});
         scene.driver.pumpUntilIdle();
         frameCommand(SC_RESTORE);
       },
       {icon(0, 410), icon(160, 410), icon(0, 362), icon(0, 386), icon(320, 410), icon(160, 386),
        icon(400, 200)},
       pushedIn},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.change);
    step.make();
    scene.driver.pumpUntilIdle();
    ASSERT_EQ(icons.size(), step.icons.size());
    for (std::size_t i = 0; i < icons.size(); ++i) {
      RECT place = scene.rectInClient(icons[i]);
      EXPECT_TRUE(EqualRect(&place, &step.icons[i])) << i << ": " << place.left << ", " << place.top;
    }
    RECT place = scene.rectInClient(document);
    EXPECT_TRUE(EqualRect(&place, &step.document)) << place.left << ", " << place.top;
  }
}

TEST(MdiClient, FrameSizeLaysOutTheClient) {
  MdiScene scene;
  SetWindowPos(scene.frame, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
  SIZE frameArea = clientSize(scene.frame);
  SIZE area = clientSize(scene.client);
  EXPECT_EQ(area.cx, frameArea.cx);
  EXPECT_EQ(area.cy, frameArea.cy);
}

TEST(MdiClient, CtrlF4ClosesAndCtrlF6GoesToTheNextChild) {
  MdiScene scene;
  HWND a = scene.createChild(u"A", kFirst);
  HWND b = scene.createChild(u"B", kSecond);
  SetFocus(b);
  scene.driver.keyDown(VK_CONTROL);
  scene.driver.pressKey(VK_F6);
  scene.pumpWithMdiKeys();
  EXPECT_EQ(scene.active(), a);
  scene.driver.pressKey(VK_F4);
  scene.pumpWithMdiKeys();
  scene.driver.keyUp(VK_CONTROL);
  scene.pumpWithMdiKeys();
  EXPECT_FALSE(IsWindow(a));
  EXPECT_EQ(scene.active(), b);
  EXPECT_FALSE(only(scene.log, {WM_CLOSE}).empty()) << "closing asks the child first";
  MSG plainF6{scene.frame, WM_KEYDOWN, VK_F6, 0, 0, {}};
  EXPECT_EQ(TranslateMDISysAccel(scene.client, &plainF6), FALSE) << "F6 without Ctrl is no MDI key";
}

TEST(MdiClient, WhileAChildIsMaximisedTheFramesCaptionNamesIt) {
  MdiScene scene;
  const auto caption = [](HWND window) {
    std::u16string text(64, u'\0');
    text.resize(static_cast<std::size_t>(
        SendMessage(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
  };
  const auto setText = [](HWND window, LPCWSTR text) {
    SendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  };
  setText(scene.frame, u"Frame");
  HWND first = scene.createChild(u"One", kFirst);
  HWND second = scene.createChild(u"Two", kSecond);
  std::vector<std::u16string> seen;
  for (const auto& step : std::vector<std::function<void()>>{
           [&] { SendMessage(scene.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0); },
           [&] { SendMessage(scene.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0); },
           [&] { setText(first, u"Uno"); }, [&] { setText(scene.frame, u"Main"); },
           [&] { SendMessage(scene.client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(first), 0); },
           [&] { SendMessage(scene.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(first), 0); },
           [&] { SendMessage(scene.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(first), 0); },
           [&] { SendMessage(scene.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(second), 0); }}) {
    step();
    seen.push_back(caption(scene.frame));
  }
  EXPECT_EQ(seen, (std::vector<std::u16string>{u"Frame - [Two]", u"Frame - [One]", u"Frame - [Uno]",
                                               u"Main - [Uno]", u"Main", u"Main - [Uno]", u"Main - [Two]",
                                               u"Main"}));
}

TEST(MdiArrangement, CascadeAndTileShareTheAreaOut) {
  const RECT area{0, 0, 300, 200};
  std::vector<RECT> cascade = MdiArrangement::cascade(area, 3, 20);
  ASSERT_EQ(cascade.size(), 3u);
  EXPECT_EQ(cascade[0].left, 40) << "the front one is furthest down";
  EXPECT_EQ(cascade[2].left, 0);
  EXPECT_EQ(cascade[0].right, 300);
  EXPECT_EQ(cascade[0].bottom, 200);
  std::vector<RECT> crowded = MdiArrangement::cascade(area, 20, 20);
  EXPECT_EQ(crowded[0].right - crowded[0].left, MdiArrangement::kMinimumSide)
      << "never smaller than the minimum";
  std::vector<RECT> strips = MdiArrangement::tile(area, 3, true);
  ASSERT_EQ(strips.size(), 3u);
  EXPECT_EQ(strips[0].bottom, 66);
  EXPECT_EQ(strips[2].bottom, 200) << "the last strip takes the remainder";
  std::vector<RECT> columns = MdiArrangement::tile(area, 7, false);
  EXPECT_EQ(columns[6].right, 300);
  EXPECT_TRUE(MdiArrangement::tile(area, 0, true).empty());
  EXPECT_TRUE(MdiArrangement::cascade(area, 0, 20).empty());
}

}  // namespace native::test
