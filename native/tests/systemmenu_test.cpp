#include <gtest/gtest.h>

#include <string>

#include "native/tests/menuscene.h"
#include "native/user/menubar.h"
#include "native/user/menulayout.h"
#include "native/user/menutable.h"
#include "native/user/nonclientlayout.h"
#include "native/user/windowsystem.h"

namespace native::test {

namespace {

const std::vector<UINT> kStandardCommands = {SC_RESTORE,  SC_MOVE, SC_SIZE, SC_MINIMIZE,
                                             SC_MAXIMIZE, 0,       SC_CLOSE};

std::vector<UINT> idsOf(HMENU menu) {
  std::vector<UINT> ids;
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    ids.push_back(GetMenuItemID(menu, position));
  }
  return ids;
}

std::u16string closeTextOf(HMENU menu) {
  return WindowSystem::get().menus().find(menu)->items.back().text;
}

POINT systemBoxOf(HWND window) {
  RECT screen{};
  GetWindowRect(window, &screen);
  auto style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
  auto exStyle = static_cast<DWORD>(GetWindowLong(window, GWL_EXSTYLE));
  RECT box = NonClientLayout::compute(style, exStyle, screen).systemBox;
  return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

std::vector<WPARAM> systemCommandsOf(const MessageSpy& spy) {
  std::vector<WPARAM> commands;
  for (const Logged& entry : spy.only({WM_SYSCOMMAND})) {
    // The presses that open menus are system commands too; only the choices count here.
    if ((entry.wParam & 0xFFF0) != SC_MOUSEMENU && (entry.wParam & 0xFFF0) != SC_KEYMENU) {
      commands.push_back(entry.wParam);
    }
  }
  return commands;
}

// The state of a standard entry as the open system menu showed it.
struct Shown {
  HMENU menu = nullptr;
  UINT close = 0;
  UINT move = 0;
  UINT size = 0;
  UINT restore = 0;
};

}  // namespace

TEST(SystemMenu, OwnCopyCanBeEmptiedAndRevertRestoresTheStandardOne) {
  MenuScene scene;
  HMENU own = GetSystemMenu(scene.frame, FALSE);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(GetSystemMenu(scene.frame, FALSE), own);
  EXPECT_EQ(idsOf(own), kStandardCommands);
  int deleted = 0;
  while (DeleteMenu(own, 0, MF_BYPOSITION) != FALSE) {
    ++deleted;
  }
  EXPECT_EQ(deleted, 7);
  EXPECT_EQ(GetMenuItemCount(own), 0);
  EXPECT_EQ(GetSystemMenu(scene.frame, TRUE), nullptr);
  EXPECT_EQ(IsMenu(own), FALSE);
  HMENU fresh = GetSystemMenu(scene.frame, FALSE);
  EXPECT_EQ(idsOf(fresh), kStandardCommands);
  EXPECT_EQ(GetSystemMenu(nullptr, FALSE), nullptr);
  // Close names the key that closes the window: Alt+F4 would close the frame, not its document.
  HWND document = CreateWindowEx(WS_EX_MDICHILD, scene.spy.className(), u"Document", WS_CHILD | WS_VISIBLE, 0,
                                 0, 200, 100, scene.frame, nullptr, nullptr, nullptr);
  EXPECT_EQ(closeTextOf(fresh), u"&Close\tAlt+F4");
  EXPECT_EQ(closeTextOf(GetSystemMenu(document, FALSE)), u"&Close\tCtrl+F4");
}

TEST(SystemMenu, CopiesOfDestroyedWindowsGoWithThem) {
  MenuScene scene;
  HWND other = scene.spy.createTopLevel(RECT{10, 10, 200, 200});
  HMENU copy = GetSystemMenu(other, FALSE);
  DestroyWindow(other);
  GetSystemMenu(scene.frame, FALSE);
  EXPECT_EQ(IsMenu(copy), FALSE);
}

TEST(SystemMenu, InitMenuPopupGreysWhatTheFrameCannotDo) {
  struct Case {
    const char* name;
    bool documentInTheBar;  // a document window's menu, shown as the frame's first bar entry
  };
  const Case cases[] = {
      {"the frame's own, from its system box", false},
      {"a document's, from the frame's bar", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MenuScene scene;
    HWND window = scene.frame;
    if (c.documentInTheBar) {
      window = scene.spy.createChild(
          scene.frame, RECT{0, 0, 200, 100},
          WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
          7);
      InsertMenu(scene.bar, 0, MF_BYPOSITION | MF_POPUP,
                 reinterpret_cast<UINT_PTR>(GetSystemMenu(window, FALSE)), u"-");
      DrawMenuBar(scene.frame);
      scene.driver.pumpUntilIdle();
      scene.spy.clear();
    }
    Shown shown;
    // As the frame procedure does: no closing or moving while locked.
    scene.extra = [&](UINT message, WPARAM wParam, LPARAM lParam) {
      if (message == WM_INITMENUPOPUP && HIWORD(static_cast<std::uintptr_t>(lParam)) != 0) {
        for (WPARAM command : {SC_CLOSE, SC_MOVE}) {
          EnableMenuItem(reinterpret_cast<HMENU>(wParam), static_cast<UINT>(command),
                         MF_BYCOMMAND | MF_GRAYED);
        }
      }
    };
    scene.steps = {
        [&] {
          HWND popup = scene.openPopups().at(0);
          shown.menu = GetSystemMenu(window, FALSE);
          POINT close = scene.popupEntry(popup, 6);
          scene.driver.click(close.x, close.y);  // greyed: nothing happens
        },
        [&] {
          shown.close = GetMenuState(shown.menu, static_cast<UINT>(SC_CLOSE), MF_BYCOMMAND);
          shown.move = GetMenuState(shown.menu, static_cast<UINT>(SC_MOVE), MF_BYCOMMAND);
          shown.restore = GetMenuState(shown.menu, static_cast<UINT>(SC_RESTORE), MF_BYCOMMAND);
          shown.size = GetMenuState(shown.menu, static_cast<UINT>(SC_SIZE), MF_BYCOMMAND);
          POINT minimize = scene.popupEntry(scene.openPopups().at(0), 3);
          scene.driver.click(minimize.x, minimize.y);
        },
    };
    if (c.documentInTheBar) {
      scene.clickBar(0);
    } else {
      GetSystemMenu(scene.frame, FALSE);
      POINT box = systemBoxOf(scene.frame);
      scene.driver.click(box.x, box.y);
    }
    scene.driver.pumpUntilIdle();
    EXPECT_EQ(shown.close & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(shown.move & MF_GRAYED, MF_GRAYED) << "the window's own states came after the owner's";
    EXPECT_EQ(shown.restore & MF_GRAYED, MF_GRAYED);  // a normal window has nothing to restore
    EXPECT_EQ(shown.size & MF_GRAYED, 0u);
    std::vector<Logged> inits = scene.spy.only({WM_INITMENUPOPUP});
    ASSERT_EQ(inits.size(), 1u);
    EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(inits[0].lParam)), 1u);
    std::vector<Logged> selects = scene.spy.only({WM_MENUSELECT});
    ASSERT_GE(selects.size(), 1u);
    EXPECT_EQ(selects[c.documentInTheBar ? 1 : 0].wParam,
              MAKEWPARAM(SC_CLOSE, MF_GRAYED | MF_HILITE | MF_SYSMENU));
    EXPECT_EQ(systemCommandsOf(scene.spy), std::vector<WPARAM>{SC_MINIMIZE});
    EXPECT_NE(IsIconic(window), FALSE);
  }
}

TEST(SystemMenu, FixedFrameGreysSizeAndMaximize) {
  MenuScene scene(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
  Shown shown;
  UINT maximize = 0;
  scene.steps = {[&] {
    shown.menu = GetSystemMenu(scene.frame, FALSE);
    shown.size = GetMenuState(shown.menu, static_cast<UINT>(SC_SIZE), MF_BYCOMMAND);
    maximize = GetMenuState(shown.menu, static_cast<UINT>(SC_MAXIMIZE), MF_BYCOMMAND);
  }};
  GetSystemMenu(scene.frame, FALSE);
  POINT box = systemBoxOf(scene.frame);
  scene.driver.click(box.x, box.y);
  scene.driver.pumpUntilIdle();
  EXPECT_EQ(shown.size & MF_GRAYED, MF_GRAYED);
  EXPECT_EQ(maximize & MF_GRAYED, MF_GRAYED);
}

TEST(SystemMenu, KeyboardOpensItAndCommandsReachTheFrame) {
  struct Case {
    const char* name;
    std::vector<UINT> keys;  // after Alt+Space
    WPARAM expected;         // 0: none
    bool closed;
  };
  const Case cases[] = {
      {"close by mnemonic", {'C'}, SC_CLOSE, true},
      // Move is highlighted first: the greyed Restore is passed.
      {"maximize by arrows", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, SC_MAXIMIZE, false},
      {"escape chooses nothing", {VK_ESCAPE}, 0, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    MenuScene scene;
    scene.steps = {[&] {
      for (UINT key : test.keys) {
        scene.driver.pressKey(key);
      }
    }};
    scene.driver.keyDown(VK_MENU);
    scene.driver.pressKey(VK_SPACE);
    scene.driver.keyUp(VK_MENU);
    scene.driver.pumpUntilIdle();
    std::vector<WPARAM> expected;
    if (test.expected != 0) {
      expected.push_back(test.expected);
    }
    EXPECT_EQ(systemCommandsOf(scene.spy), expected);
    EXPECT_EQ(IsWindow(scene.frame) == FALSE, test.closed);
  }
}

TEST(SystemMenu, DocumentSystemMenuInTheBarSendsCommandsToTheDocument) {
  MenuScene scene;
  // A maximised document window shows its system menu as the bar's first entry.
  HWND document = scene.spy.createChild(scene.frame, RECT{0, 0, 200, 100},
                                        WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 7);
  HMENU documentMenu = GetSystemMenu(document, FALSE);
  ASSERT_NE(
      InsertMenu(scene.bar, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(documentMenu), u"-"),
      FALSE);
  DrawMenuBar(scene.frame);
  scene.driver.pumpUntilIdle();
  // The entry shows the document's icon in place of its text.
  RECT entry = MenuBar::screenEntries(scene.frame).at(0);
  EXPECT_EQ(entry.right - entry.left, GetSystemMetrics(SM_CXSMICON) + 2 * MenuLayout::kBarPadding);
  int iconPixels = 0;
  for (int x = entry.left; x < entry.right; ++x) {
    for (int y = entry.top; y < entry.bottom; ++y) {
      iconPixels += scene.driver.pixel(x, y) != GetSysColor(COLOR_MENU) ? 1 : 0;
    }
  }
  EXPECT_GT(iconPixels, GetSystemMetrics(SM_CXSMICON));
  scene.steps = {[&] {
    POINT close = scene.popupEntry(scene.openPopups().at(0), 6);
    scene.driver.click(close.x, close.y);
  }};
  scene.clickBar(0);
  std::vector<Logged> inits = scene.spy.only({WM_INITMENUPOPUP});
  ASSERT_EQ(inits.size(), 1u);
  EXPECT_EQ(inits[0].lParam, MAKELPARAM(0, 1));
  std::vector<Logged> selects = scene.spy.only({WM_MENUSELECT});
  ASSERT_GE(selects.size(), 2u);
  EXPECT_EQ(selects[1], (Logged{scene.frame, WM_MENUSELECT, MAKEWPARAM(SC_CLOSE, MF_HILITE | MF_SYSMENU),
                                reinterpret_cast<LPARAM>(documentMenu)}));
  std::vector<Logged> commands = scene.spy.only({WM_SYSCOMMAND, WM_COMMAND});
  ASSERT_FALSE(commands.empty());
  EXPECT_EQ(commands.back(), (Logged{document, WM_SYSCOMMAND, SC_CLOSE, 0}));
  EXPECT_EQ(IsWindow(document), FALSE);
  EXPECT_NE(IsWindow(scene.frame), FALSE);
}

TEST(SystemMenu, ADocumentWindowsOwnBoxShowsItsMenuWhoseCloseClosesOnlyIt) {
  MenuScene scene;
  HWND document = CreateWindowEx(WS_EX_MDICHILD, scene.spy.className(), u"Document",
                                 WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 20, 20, 200, 100,
                                 scene.frame, nullptr, nullptr, nullptr);
  std::u16string shownClose;
  scene.extra = [&](UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITMENUPOPUP) {
      shownClose = closeTextOf(reinterpret_cast<HMENU>(wParam));
    }
  };
  scene.steps = {[&] { scene.driver.pressKey('C'); }};
  POINT box = systemBoxOf(document);
  scene.driver.click(box.x, box.y);
  scene.driver.pumpUntilIdle();
  EXPECT_EQ(shownClose, u"&Close\tCtrl+F4");
  EXPECT_EQ(IsWindow(document), FALSE);
  EXPECT_NE(IsWindow(scene.frame), FALSE);
}

// A double click on a window's icon closes the window as its system menu's Close does; one click opens the
// menu, and a second click after the double-click time (500 ms) only closes it. The icons: the frame's, a
// document window's own, and a maximised document window's, shown as the frame's first bar entry.
TEST(SystemMenu, DoubleClickOnTheIconChoosesClose) {
  enum class Icon { Frame, Document, DocumentInTheBar };
  struct Case {
    const char* name;
    Icon icon;
    std::uint64_t secondClickAfterMs;  // 0: no second click
    bool closeGreyed;
    bool closes;
  };
  const Case cases[] = {
      {"the frame's, one click", Icon::Frame, 0, false, false},
      {"the frame's, a user's double click", Icon::Frame, 150, false, true},
      {"the frame's, a second click after the double-click time", Icon::Frame, 501, false, false},
      {"the frame's, Close greyed by its owner", Icon::Frame, 150, true, false},
      {"a document's own, a user's double click", Icon::Document, 150, false, true},
      {"a maximised document's in the bar, one click", Icon::DocumentInTheBar, 0, false, false},
      {"a maximised document's in the bar, a user's double click", Icon::DocumentInTheBar, 150, false, true},
      {"a maximised document's in the bar, a second click after the double-click time",
       Icon::DocumentInTheBar, 501, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MenuScene scene;
    HWND window = scene.frame;
    POINT icon{};
    if (c.icon == Icon::Frame) {
      icon = systemBoxOf(window);
    } else {
      window = CreateWindowEx(WS_EX_MDICHILD, scene.spy.className(), u"Document",
                              WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 20, 20, 200, 100, scene.frame,
                              nullptr, nullptr, nullptr);
      icon = systemBoxOf(window);
    }
    if (c.icon == Icon::DocumentInTheBar) {
      InsertMenu(scene.bar, 0, MF_BYPOSITION | MF_POPUP,
                 reinterpret_cast<UINT_PTR>(GetSystemMenu(window, FALSE)), u"-");
      DrawMenuBar(scene.frame);
      icon = scene.barEntry(0);
    }
    scene.driver.pumpUntilIdle();
    scene.spy.clear();
    scene.extra = [&](UINT message, WPARAM wParam, LPARAM lParam) {
      if (c.closeGreyed && message == WM_INITMENUPOPUP && HIWORD(static_cast<std::uintptr_t>(lParam)) != 0) {
        EnableMenuItem(reinterpret_cast<HMENU>(wParam), static_cast<UINT>(SC_CLOSE),
                       MF_BYCOMMAND | MF_GRAYED);
      }
    };
    std::size_t menusOpen = 0;
    scene.steps = {[&] {
      menusOpen = scene.openPopups().size();
      if (c.secondClickAfterMs != 0) {
        scene.driver.advanceClock(c.secondClickAfterMs);
        scene.driver.click(icon.x + 1, icon.y);
      }
    }};
    scene.driver.click(icon.x, icon.y);
    scene.driver.pumpUntilIdle();
    EXPECT_EQ(menusOpen, 1u) << "the first click opens the system menu";
    const std::vector<Logged> closed =
        c.closes ? std::vector<Logged>{{window, WM_CLOSE, 0, 0}} : std::vector<Logged>{};
    EXPECT_EQ(scene.spy.only({WM_CLOSE}), closed);
    EXPECT_EQ(IsWindow(window) == FALSE, c.closes);
    EXPECT_EQ(IsWindow(scene.frame) == FALSE, c.closes && window == scene.frame);
    EXPECT_TRUE(scene.openPopups().empty());
  }
}

TEST(SystemMenu, AltF4GivesClose) {
  MenuScene scene;
  scene.driver.keyDown(VK_MENU);
  scene.driver.pressKey(VK_F4);
  scene.driver.keyUp(VK_MENU);
  scene.driver.pumpUntilIdle();
  EXPECT_EQ(systemCommandsOf(scene.spy), std::vector<WPARAM>{SC_CLOSE});
  EXPECT_EQ(IsWindow(scene.frame), FALSE);
  EXPECT_EQ(scene.stepsRun(), 0u);
}

TEST(TrackPopupMenu, ChoiceIsPostedBeforeItReturns) {
  MenuScene scene;
  HMENU context = CreatePopupMenu();
  AppendMenu(context, MF_STRING, 501, u"&First");
  AppendMenu(context, MF_STRING, 502, u"&Second");
  RECT shownAt{};
  scene.steps = {[&] {
    HWND popup = scene.openPopups().at(0);
    GetWindowRect(popup, &shownAt);
    POINT second = scene.popupEntry(popup, 1);
    scene.driver.mouseMove(second.x, second.y);
    scene.driver.mouseDown(TestDriver::Right);
    scene.driver.mouseUp(TestDriver::Right);
  }};
  ASSERT_NE(TrackPopupMenu(context, TPM_RIGHTBUTTON, 300, 200, 0, scene.frame, nullptr), FALSE);
  EXPECT_EQ(shownAt.left, 300);
  EXPECT_EQ(shownAt.top, 200);
  MSG waiting{};
  ASSERT_NE(PeekMessage(&waiting, scene.frame, WM_COMMAND, WM_COMMAND, PM_REMOVE), FALSE);
  EXPECT_EQ(waiting.wParam, MAKEWPARAM(502, 0));
  EXPECT_EQ(waiting.lParam, 0);
  EXPECT_EQ(scene.spy.only({WM_INITMENUPOPUP}).at(0),
            (Logged{scene.frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(context), 0}));
  EXPECT_TRUE(scene.openPopups().empty());
  DestroyMenu(context);
}

TEST(TrackPopupMenu, RightButtonChoosesOnlyWhenAsked) {
  MenuScene scene;
  HMENU context = CreatePopupMenu();
  AppendMenu(context, MF_STRING, 501, u"&First");
  scene.steps = {[&] {
    POINT first = scene.popupEntry(scene.openPopups().at(0), 0);
    scene.driver.mouseMove(first.x, first.y);
    scene.driver.mouseDown(TestDriver::Right);
    scene.driver.mouseUp(TestDriver::Right);
  }};
  TrackPopupMenu(context, TPM_LEFTBUTTON, 300, 200, 0, scene.frame, nullptr);
  MSG waiting{};
  EXPECT_EQ(PeekMessage(&waiting, scene.frame, WM_COMMAND, WM_COMMAND, PM_REMOVE), FALSE);
  DestroyMenu(context);
}

TEST(TrackPopupMenu, StaysOnTheDesktopNearItsEdges) {
  MenuScene scene;
  HMENU context = CreatePopupMenu();
  AppendMenu(context, MF_STRING, 501, u"&First");
  AppendMenu(context, MF_STRING, 502, u"&Second");
  RECT shownAt{};
  scene.steps = {[&] { GetWindowRect(scene.openPopups().at(0), &shownAt); }};
  TrackPopupMenu(context, 0, 795, 595, 0, scene.frame, nullptr);
  EXPECT_LE(shownAt.right, 800);
  EXPECT_EQ(shownAt.bottom, 595);  // above the point when it does not fit below
  DestroyMenu(context);
}

TEST(TrackPopupMenu, RefusesBadArguments) {
  MenuScene scene;
  HMENU context = CreatePopupMenu();
  EXPECT_EQ(TrackPopupMenu(nullptr, 0, 10, 10, 0, scene.frame, nullptr), FALSE);
  EXPECT_EQ(TrackPopupMenu(context, 0, 10, 10, 0, nullptr, nullptr), FALSE);
  EXPECT_EQ(scene.stepsRun(), 0u);
  DestroyMenu(context);
}

}  // namespace native::test
