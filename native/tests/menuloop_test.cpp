#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "native/tests/menuscene.h"
#include "native/user/menubar.h"
#include "native/user/menuloop.h"
#include "native/user/windowsystem.h"

namespace native::test {

namespace {

Logged menuSelect(HWND frame, WORD idOrPosition, UINT flags, HMENU menu) {
  return Logged{frame, WM_MENUSELECT, MAKEWPARAM(idOrPosition, flags), reinterpret_cast<LPARAM>(menu)};
}
Logged menuClosed(HWND frame) {
  return Logged{frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0};
}
Logged initPopup(HWND frame, HMENU menu, WORD position, bool system = false) {
  return Logged{frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                MAKELPARAM(position, system ? 1 : 0)};
}
Logged command(HWND frame, WORD id) {
  return Logged{frame, WM_COMMAND, MAKEWPARAM(id, 0), 0};
}

std::vector<WPARAM> commandsOf(const MessageSpy& spy) {
  std::vector<WPARAM> commands;
  for (const Logged& entry : spy.only({WM_COMMAND})) {
    commands.push_back(entry.wParam);
  }
  return commands;
}

}  // namespace

TEST(MenuLoop, MouseChoicePostsCommandAfterSelectionTraffic) {
  MenuScene scene;
  scene.steps = {[&] {
    HWND popup = scene.openPopups().at(0);
    POINT open = scene.popupEntry(popup, 1);
    scene.driver.click(open.x, open.y);
  }};
  scene.clickBar(0);
  HWND f = scene.frame;
  std::vector<Logged> expected = {
      menuSelect(f, 0, MF_POPUP | MF_HILITE, scene.bar),
      initPopup(f, scene.file, 0),
      menuSelect(f, kOpen, MF_HILITE, scene.file),
      menuClosed(f),
      command(f, kOpen),
  };
  EXPECT_EQ(scene.menuTraffic(), expected);
  EXPECT_TRUE(scene.openPopups().empty());
  EXPECT_EQ(MenuLoop::running(), nullptr);
}

TEST(MenuLoop, CascadeOpensBesideItsEntryAndChooses) {
  MenuScene scene;
  RECT fileRect{};
  RECT cascadeRect{};
  scene.steps = {
      [&] {
        HWND popup = scene.openPopups().at(0);
        GetWindowRect(popup, &fileRect);
        POINT recent = scene.popupEntry(popup, 3);
        scene.driver.mouseMove(recent.x, recent.y);
      },
      [&] {
        std::vector<HWND> popups = scene.openPopups();
        ASSERT_EQ(popups.size(), 2u);
        GetWindowRect(popups[0], &cascadeRect);
        // The cascade is in front of its parent, and found under the pointer like any window.
        POINT middle{(cascadeRect.left + cascadeRect.right) / 2, (cascadeRect.top + cascadeRect.bottom) / 2};
        EXPECT_EQ(scene.driver.windowAt(middle.x, middle.y), popups[0]);
        POINT fileB = scene.popupEntry(popups[0], 1);
        scene.driver.click(fileB.x, fileB.y);
      },
  };
  scene.clickBar(0);
  EXPECT_EQ(cascadeRect.left, fileRect.right);
  HWND f = scene.frame;
  std::vector<Logged> expected = {
      menuSelect(f, 0, MF_POPUP | MF_HILITE, scene.bar),
      initPopup(f, scene.file, 0),
      menuSelect(f, 3, MF_POPUP | MF_HILITE, scene.file),
      initPopup(f, scene.recent, 3),
      menuSelect(f, kFileB, MF_HILITE, scene.recent),
      menuClosed(f),
      command(f, kFileB),
  };
  EXPECT_EQ(scene.menuTraffic(), expected);
}

TEST(MenuLoop, DraggingFromTheBarChoosesOnRelease) {
  MenuScene scene;
  POINT edit = scene.barEntry(1);
  scene.driver.mouseMove(edit.x, edit.y);
  scene.driver.mouseDown();
  scene.steps = {[&] {
    POINT paste = scene.popupEntry(scene.openPopups().at(0), 2);
    scene.driver.mouseMove(paste.x, paste.y);
    scene.driver.mouseUp();
  }};
  scene.driver.pumpUntilIdle();
  EXPECT_EQ(commandsOf(scene.spy), std::vector<WPARAM>{MAKEWPARAM(kPaste, 0)});
}

TEST(MenuLoop, HoveringAcrossTheBarSwitchesPullDowns) {
  MenuScene scene;
  scene.steps = {[&] {
    POINT edit = scene.barEntry(1);
    scene.driver.mouseMove(edit.x, edit.y);
  }};
  scene.clickBar(0);
  std::vector<Logged> inits = scene.spy.only({WM_INITMENUPOPUP});
  ASSERT_EQ(inits.size(), 2u);
  EXPECT_EQ(inits[1], initPopup(scene.frame, scene.edit, 1));
  EXPECT_TRUE(commandsOf(scene.spy).empty());
}

TEST(MenuLoop, GreyedEntryCannotBeChosen) {
  MenuScene scene;
  bool stillOpen = false;
  scene.steps = {
      [&] {
        POINT undo = scene.popupEntry(scene.openPopups().at(0), 0);
        scene.driver.click(undo.x, undo.y);
      },
      [&] { stillOpen = scene.openPopups().size() == 1; },
  };
  scene.clickBar(1);
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(commandsOf(scene.spy).empty());
  std::vector<Logged> selects = scene.spy.only({WM_MENUSELECT});
  ASSERT_GE(selects.size(), 2u);
  EXPECT_EQ(selects[1], menuSelect(scene.frame, kUndo, MF_GRAYED | MF_HILITE, scene.edit));
}

TEST(MenuLoop, PressOutsideClosesWithoutCommand) {
  MenuScene scene;
  scene.steps = {[&] { scene.driver.click(700, 500); }};
  scene.clickBar(0);
  EXPECT_EQ(scene.stepsRun(), 1u);
  EXPECT_TRUE(scene.openPopups().empty());
  EXPECT_TRUE(commandsOf(scene.spy).empty());
  EXPECT_EQ(scene.spy.only({WM_MENUSELECT}).back(), menuClosed(scene.frame));
}

TEST(MenuLoop, PressingTheOpenBarEntryAgainCloses) {
  MenuScene scene;
  scene.steps = {[&] {
    POINT file = scene.barEntry(0);
    scene.driver.click(file.x, file.y);
  }};
  scene.clickBar(0);
  EXPECT_EQ(scene.stepsRun(), 1u);
  EXPECT_TRUE(scene.openPopups().empty());
  EXPECT_EQ(MenuLoop::running(), nullptr);
}

TEST(MenuLoop, KeyboardWalksTheBarAndChooses) {
  struct Case {
    const char* name;
    std::vector<UINT> keys;  // after Alt has entered the bar
    WORD expected;           // 0: no command
    int closingEscapes;      // the Escapes the script still had to post to close what was left open
  };
  const Case cases[] = {
      {"right, down, down, enter", {VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}, kPaste, 0},
      {"down opens File, up wraps to Exit", {VK_DOWN, VK_UP, VK_RETURN}, kExit, 0},
      {"arrows skip the separator to open the cascade", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 0, 3},
      {"right into the cascade", {VK_DOWN, VK_UP, VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN}, kFileB, 0},
      {"left backs out of the cascade",
       {VK_DOWN, VK_UP, VK_UP, VK_RIGHT, VK_LEFT, VK_UP, VK_RETURN},
       kOpen,
       0},
      {"left from a pull-down passes the frame's system menu to the last bar entry",
       {VK_DOWN, VK_LEFT, VK_LEFT, VK_UP, VK_RETURN},
       kPaste,
       0},
      {"right from File to Edit passes the greyed entry", {VK_DOWN, VK_RIGHT, VK_RETURN}, kCopy, 0},
      // Alt's release after it closed the menu enters the bar no more.
      {"Alt leaves the bar for good", {VK_DOWN, VK_MENU}, 0, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    MenuScene scene;
    scene.steps = {[&] {
      for (UINT key : test.keys) {
        scene.driver.pressKey(key);
      }
    }};
    scene.driver.pressKey(VK_MENU);
    scene.driver.pumpUntilIdle();
    std::vector<WPARAM> expected;
    if (test.expected != 0) {
      expected.push_back(MAKEWPARAM(test.expected, 0));
    }
    EXPECT_EQ(commandsOf(scene.spy), expected);
    EXPECT_EQ(scene.closingEscapes(), test.closingEscapes);
    EXPECT_EQ(MenuLoop::running(), nullptr);
  }
}

TEST(MenuLoop, AltEntersTheBarOnlyWhenPressedAlone) {
  using Keys = std::function<void(MenuScene&)>;
  const auto holdingAlt = [](Keys whileHeld) {
    return [whileHeld](MenuScene& scene) {
      scene.driver.keyDown(VK_MENU);
      whileHeld(scene);
      scene.driver.keyUp(VK_MENU);
    };
  };
  struct Case {
    const char* name;
    Keys keys;
    bool entersBar;
  };
  const Case cases[] = {
      {"Alt+2 taken by the program's hot key", holdingAlt([](MenuScene& s) { s.driver.pressKey('2'); }),
       false},
      {"a pointer press", holdingAlt([](MenuScene& s) { s.driver.click(300, 250); }), false},
      {"Alt alone", holdingAlt([](MenuScene&) {}), true},
      {"Alt alone with auto-repeat", holdingAlt([](MenuScene& s) { s.driver.keyDown(VK_MENU); }), true},
      {"left Alt alone, as the X host names it", [](MenuScene& s) { s.driver.pressKey(VK_LMENU); }, true},
      {"right Alt alone, as the X host names it", [](MenuScene& s) { s.driver.pressKey(VK_RMENU); }, true},
      {"Alt's auto-repeat after another key",
       [](MenuScene& s) {
         s.driver.keyDown(VK_LMENU);
         s.driver.pressKey('X');
         s.driver.keyDown(VK_LMENU);
         s.driver.keyUp(VK_LMENU);
       },
       false},
      {"a key pressed before Alt let go while Alt is alone: Alt's own release enters",
       [](MenuScene& s) {
         s.driver.keyDown('X');
         s.driver.keyDown(VK_LMENU);
         s.driver.keyUp('X');
         s.driver.pumpUntilIdle();
         EXPECT_TRUE(s.menuTraffic().empty()) << "the other key's release enters nothing";
         s.driver.keyUp(VK_LMENU);
       },
       true},
      {"the other Alt key pressed while one is held",
       [](MenuScene& s) {
         s.driver.keyDown(VK_LMENU);
         s.driver.keyDown(VK_RMENU);
         s.driver.keyUp(VK_LMENU);
         s.driver.keyUp(VK_RMENU);
       },
       false},
      {"let go because the focus went to another program",
       [](MenuScene& s) {
         s.driver.keyDown(VK_MENU);
         WindowSystem::get().desktop().releaseHeldKeys();
       },
       false},
      {"held over a menu the program opens and closes",
       [](MenuScene& s) {
         s.driver.keyDown(VK_MENU);
         s.driver.pumpUntilIdle();
         TrackPopupMenu(s.edit, 0, 300, 250, 0, s.frame, nullptr);
         s.spy.clear();
         s.driver.keyUp(VK_MENU);
       },
       false},
      {"a release whose press went to another program",
       [](MenuScene& s) {
         // Alt alone, let go while the frame was disabled: its release entered nothing.
         EnableWindow(s.frame, FALSE);
         s.driver.pressKey(VK_MENU);
         s.driver.pumpUntilIdle();
         EnableWindow(s.frame, TRUE);
         s.driver.keyUp(VK_MENU);
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MenuScene scene;
    c.keys(scene);
    // The program's loop takes its hot key before translating and dispatching what it takes.
    MSG message{};
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message != WM_SYSKEYDOWN || message.wParam != '2') {
        TranslateMessage(&message);
        DispatchMessage(&message);
      }
    }
    EXPECT_EQ(scene.menuTraffic().empty(), !c.entersBar);
  }
}

TEST(MenuLoop, AltLetterAndMnemonicsChoose) {
  MenuScene scene;
  scene.steps = {[&] {
    scene.driver.pressKey('R');  // opens the cascade with its first entry highlighted
    scene.driver.pressKey('B');
  }};
  scene.driver.keyDown(VK_MENU);
  scene.driver.pressKey('F');
  scene.driver.keyUp(VK_MENU);
  scene.driver.pumpUntilIdle();
  HWND f = scene.frame;
  std::vector<Logged> expected = {
      menuSelect(f, 0, MF_POPUP | MF_HILITE, scene.bar),
      initPopup(f, scene.file, 0),
      menuSelect(f, kNew, MF_HILITE, scene.file),
      menuSelect(f, 3, MF_POPUP | MF_HILITE, scene.file),
      initPopup(f, scene.recent, 3),
      menuSelect(f, kFileA, MF_HILITE, scene.recent),
      menuSelect(f, kFileB, MF_HILITE, scene.recent),
      menuClosed(f),
      command(f, kFileB),
  };
  EXPECT_EQ(scene.menuTraffic(), expected);
}

TEST(MenuLoop, AltLetterOpensItsPullDownWithThePointerRestingOnTheBar) {
  MenuScene scene;
  POINT edit = scene.barEntry(1);
  // The X host reports the pointer, unmoved, with every key.
  scene.driver.mouseMove(edit.x, edit.y);
  scene.driver.keyDown(VK_MENU);
  scene.driver.mouseMove(edit.x, edit.y);
  scene.driver.keyDown('F');
  scene.driver.mouseMove(edit.x, edit.y);
  scene.driver.keyUp('F');
  scene.driver.mouseMove(edit.x, edit.y);
  scene.driver.keyUp(VK_MENU);
  scene.driver.pumpUntilIdle();
  EXPECT_EQ(scene.spy.only({WM_INITMENUPOPUP}), std::vector<Logged>{initPopup(scene.frame, scene.file, 0)});
}

TEST(MenuLoop, SharedLettersHighlightInTurnAndOneLetterChooses) {
  constexpr WORD kOptions = 104;
  constexpr WORD kPasteSpecial = 204;
  constexpr WORD kFont = 301;
  struct Case {
    const char* name;
    UINT altLetter;
    std::vector<UINT> keys;  // after Alt and the letter
    WORD expected;
  };
  const Case cases[] = {
      {"Alt+F highlights File, F again Format, Return opens it", 'F', {'F', VK_RETURN, VK_RETURN}, kFont},
      {"down opens the highlighted File", 'F', {VK_DOWN, VK_RETURN}, kNew},
      {"O after New highlights Open, O again Options", 'F', {VK_DOWN, 'O', 'O', VK_RETURN}, kOptions},
      {"the search wraps round", 'F', {VK_DOWN, VK_DOWN, VK_DOWN, 'O', VK_RETURN}, kOpen},
      {"a greyed entry does not share its letter", 'E', {'P'}, kPaste},
      {"one letter chooses", 'E', {'C'}, kCopy},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    MenuScene scene;
    // File: New, Open, Options, ...; Edit: Undo, Copy, Paste special (greyed), Paste; the bar: File, Edit,
    // Format.
    InsertMenu(scene.file, 2, MF_BYPOSITION | MF_STRING, kOptions, u"&Options...");
    InsertMenu(scene.edit, 2, MF_BYPOSITION | MF_STRING | MF_GRAYED, kPasteSpecial, u"&Paste special...");
    HMENU format = CreatePopupMenu();
    AppendMenu(format, MF_STRING, kFont, u"&Font...");
    AppendMenu(scene.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(format), u"&Format");
    DrawMenuBar(scene.frame);
    scene.steps = {[&] {
      for (UINT key : test.keys) {
        scene.driver.pressKey(key);
      }
    }};
    scene.driver.keyDown(VK_MENU);
    scene.driver.pressKey(test.altLetter);
    scene.driver.keyUp(VK_MENU);
    scene.driver.pumpUntilIdle();
    EXPECT_EQ(commandsOf(scene.spy), std::vector<WPARAM>{MAKEWPARAM(test.expected, 0)});
  }
}

TEST(MenuLoop, UnknownMnemonicBeepsAndOpensNothing) {
  MenuScene scene;
  unsigned beeps = scene.driver.beepCount();
  scene.driver.keyDown(VK_MENU);
  scene.driver.pressKey('Q');
  scene.driver.keyUp(VK_MENU);
  scene.driver.pumpUntilIdle();
  EXPECT_EQ(scene.driver.beepCount(), beeps + 1);
  EXPECT_TRUE(scene.menuTraffic().empty());
  EXPECT_EQ(scene.stepsRun(), 0u);
}

TEST(MenuLoop, EscapeFromTheKeyboardClosesOneLevelAtATime) {
  MenuScene scene;
  int highlightedAfterFirstEscape = -2;
  std::size_t popupsAfterFirstEscape = 99;
  scene.steps = {
      [&] { scene.driver.pressKey(VK_ESCAPE); },
      [&] {
        highlightedAfterFirstEscape = MenuLoop::running()->highlightedBarEntry(scene.frame);
        popupsAfterFirstEscape = scene.openPopups().size();
        scene.driver.pressKey(VK_ESCAPE);
      },
  };
  scene.driver.keyDown(VK_MENU);
  scene.driver.pressKey('E');
  scene.driver.keyUp(VK_MENU);
  scene.driver.pumpUntilIdle();
  EXPECT_EQ(highlightedAfterFirstEscape, 1);
  EXPECT_EQ(popupsAfterFirstEscape, 0u);
  EXPECT_EQ(scene.stepsRun(), 2u);
  EXPECT_EQ(MenuLoop::running(), nullptr);
  EXPECT_TRUE(commandsOf(scene.spy).empty());
}

TEST(MenuLoop, EscapePostedFromAnotherThreadClosesAnOpenPullDown) {
  struct Case {
    const char* name;
    bool byKey;      // opened with Alt+F rather than a click
    bool toThread;   // the watchdog's post; to the frame, it is read as a typed Escape
    bool closesAll;  // the one Escape ends the menu, bar highlight included; else only the pull-down
  };
  const Case cases[] = {
      {"clicked open, posted to the GUI thread", false, true, true},
      {"clicked open, posted to the frame", false, false, true},
      {"Alt+F, posted to the GUI thread", true, true, true},
      {"Alt+F, posted to the frame: File stays highlighted", true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MenuScene scene;
    scene.nudgeAfterStep = false;
    std::thread watchdog;
    DWORD guiThread = GetCurrentThreadId();
    scene.steps = {[&] {
      HWND frame = scene.frame;
      // The GUI thread goes on to wait for input; the post wakes it.
      watchdog = std::thread([=] {
        if (c.toThread) {
          PostThreadMessage(guiThread, WM_KEYDOWN, VK_ESCAPE, 0);
        } else {
          PostMessage(frame, WM_KEYDOWN, VK_ESCAPE, 0);
        }
      });
    }};
    if (c.byKey) {
      scene.driver.keyDown(VK_MENU);
      scene.driver.pressKey('F');
      scene.driver.keyUp(VK_MENU);
      scene.driver.pumpUntilIdle();
    } else {
      scene.clickBar(0);
    }
    watchdog.join();
    EXPECT_EQ(scene.stepsRun(), 1u);
    // A menu the one Escape left open needed the scene's own Escape to close.
    EXPECT_EQ(scene.closingEscapes(), c.closesAll ? 0 : 1);
    EXPECT_TRUE(scene.openPopups().empty());
    EXPECT_EQ(MenuLoop::running(), nullptr);
    EXPECT_EQ(scene.spy.only({WM_MENUSELECT}).back(), menuClosed(scene.frame));
    // The next key is the window's again.
    scene.spy.clear();
    scene.driver.pressKey('A');
    scene.driver.pumpUntilIdle();
    ASSERT_EQ(scene.spy.only({WM_KEYDOWN}).size(), 1u);
    EXPECT_EQ(scene.spy.only({WM_KEYDOWN})[0].wParam, WPARAM{'A'});
  }
}

TEST(MenuLoop, QuitWhileOpenEndsTheMenuAndStaysForTheProgramLoop) {
  MenuScene scene;
  scene.steps = {[] { PostQuitMessage(3); }};
  scene.clickBar(0);
  EXPECT_TRUE(scene.openPopups().empty());
  MSG message{};
  ASSERT_NE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE), FALSE);
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 3u);
}

TEST(MenuLoop, OwnerDestroyedWhileOpenEndsTheMenu) {
  MenuScene scene;
  scene.steps = {[&] { DestroyWindow(scene.frame); }};
  scene.clickBar(0);
  EXPECT_FALSE(IsWindow(scene.frame));
  EXPECT_EQ(MenuLoop::running(), nullptr);
  EXPECT_TRUE(scene.driver.topLevelWindows().empty());
}

TEST(MenuLoop, MenuEmptiedWhileOpeningIsShownEmpty) {
  MenuScene scene;
  scene.extra = [&](UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITMENUPOPUP) {
      auto menu = reinterpret_cast<HMENU>(wParam);
      while (DeleteMenu(menu, 0, MF_BYPOSITION) != FALSE) {
      }
    }
  };
  std::size_t popups = 0;
  scene.steps = {[&] {
    popups = scene.openPopups().size();
    scene.driver.pressKey(VK_DOWN);
    scene.driver.pressKey(VK_RETURN);
  }};
  scene.clickBar(0);
  EXPECT_EQ(popups, 1u);
  EXPECT_EQ(GetMenuItemCount(scene.file), 0);
  EXPECT_TRUE(commandsOf(scene.spy).empty());
}

TEST(MenuLoop, OpenMenuIsDrawnWithHighlightAndCheckMark) {
  MenuScene scene;
  COLORREF barHighlight = 0;
  int checkPixelsOnCopy = 0;
  int checkPixelsOnPaste = 0;
  COLORREF selectedBackground = 0;
  scene.steps = {
      [&] {
        POINT paste = scene.popupEntry(scene.openPopups().at(0), 2);
        scene.driver.mouseMove(paste.x, paste.y);
      },
      [&] {
        HWND popup = scene.openPopups().at(0);
        RECT edit = MenuBar::screenEntries(scene.frame).at(1);
        barHighlight = scene.driver.pixel(edit.left + 2, edit.top + 2);
        POINT copy = scene.popupEntry(popup, 1);
        POINT paste = scene.popupEntry(popup, 2);
        RECT client{};
        GetWindowRect(popup, &client);
        for (int x = client.left + 1; x < client.left + 18; ++x) {
          for (int dy = -6; dy <= 6; ++dy) {
            checkPixelsOnCopy += scene.driver.pixel(x, copy.y + dy) == GetSysColor(COLOR_MENUTEXT) ? 1 : 0;
            checkPixelsOnPaste +=
                scene.driver.pixel(x, paste.y + dy) == GetSysColor(COLOR_HIGHLIGHTTEXT) ? 1 : 0;
          }
        }
        selectedBackground = scene.driver.pixel(client.left + 3, paste.y);
      },
  };
  scene.clickBar(1);
  EXPECT_EQ(barHighlight, GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_GT(checkPixelsOnCopy, 6);
  EXPECT_EQ(checkPixelsOnPaste, 0);
  EXPECT_EQ(selectedBackground, GetSysColor(COLOR_HIGHLIGHT));
  // Closed, the bar shows no highlight.
  RECT edit = MenuBar::screenEntries(scene.frame).at(1);
  EXPECT_EQ(scene.driver.pixel(edit.left + 2, edit.top + 2), GetSysColor(COLOR_MENU));
}

}  // namespace native::test
