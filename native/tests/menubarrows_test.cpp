#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "native/tests/mdiscene.h"
#include "native/user/menubar.h"
#include "native/user/menupopup.h"

namespace native::test {

namespace {

constexpr int kHelp = 6;  // the bar's last title while no document is maximised

WNDPROC sceneFrameProcedure = nullptr;
HMENU openedPopup = nullptr;

// The scene's frame, noting the pop-up menu it is asked to fill and closing the menu as soon as the loop
// waits for input.
LRESULT watchingFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITMENUPOPUP) {
    openedPopup = reinterpret_cast<HMENU>(wParam);
  } else if (message == WM_ENTERIDLE) {
    PostMessage(window, WM_KEYDOWN, VK_ESCAPE, 0);
  }
  return CallWindowProc(sceneFrameProcedure, window, message, wParam, lParam);
}

POINT centreOf(const RECT& rect) {
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

// A frame too narrow for its menu titles shows them in rows: every title and a maximised document's icon and
// boxes stay inside the frame and answer a click, and the client area starts below the last row, whether the
// rows came from a narrower frame, a document maximised or the bar's titles changed.
TEST(MenuBarRows, ATooNarrowBarWrapsIntoRowsAboveTheClientArea) {
  MdiScene scene(SIZE{390, 480});
  sceneFrameProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLong(scene.frame, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(watchingFrame)));
  HMENU help = CreatePopupMenu();
  AppendMenu(help, MF_STRING, 701, u"&About");
  for (LPCWSTR title : {u"&Results", u"&Chart", u"&Hardware", u"&Scoreboard", u"&Window"}) {
    AppendMenu(scene.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), title);
  }
  AppendMenu(scene.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), u"&Help");
  HWND document = scene.createChild(u"Event", RECT{10, 10, 300, 200});
  auto resize = [&](int width) { MoveWindow(scene.frame, 0, 0, width, 480, TRUE); };
  auto maximise = [&] { SendMessage(scene.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(document), 0); };
  auto restoreBox = [&] {
    // The second of the boxes at the bar's end.
    const std::vector<RECT> entries = MenuBar::screenEntries(scene.frame);
    POINT box = centreOf(entries.at(entries.size() - 2));
    scene.driver.click(box.x, box.y);
  };
  struct Step {
    const char* change;
    std::function<void()> make;
    int entries;    // the bar's entries: a maximised document adds its icon and three boxes
    int barHeight;  // the rows of 19 pixels they take
  };
  const Step steps[] = {
      {"the titles added", [&] { DrawMenuBar(scene.frame); }, 7, 38},
      {"the document maximised", maximise, 11, 38},
      {"the frame widened to 420 pixels", [&] { resize(420); }, 11, 38},
      {"the frame widened to 460 pixels", [&] { resize(460); }, 11, 38},
      {"the document restored by its box", restoreBox, 7, 19},
      {"the document maximised again", maximise, 11, 38},
      {"the frame narrowed to 200 pixels", [&] { resize(200); }, 11, 57},
      {"the frame widened to 640 pixels", [&] { resize(640); }, 11, 19},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.change);
    step.make();
    scene.driver.pumpUntilIdle();
    const RECT frame = scene.driver.screenRect(scene.frame);
    const RECT bar = MenuBar::screenRect(scene.frame);
    EXPECT_EQ(bar.bottom - bar.top, step.barHeight);
    const std::vector<RECT> entries = MenuBar::screenEntries(scene.frame);
    ASSERT_EQ(static_cast<int>(entries.size()), step.entries);
    for (const RECT& entry : entries) {
      RECT inside{};
      IntersectRect(&inside, &entry, &bar);
      EXPECT_TRUE(EqualRect(&inside, &entry)) << "an entry at " << entry.left << "," << entry.top;
    }
    EXPECT_LE(bar.right, frame.right - 4);
    if (step.entries == 11) {
      // The document's boxes stand together at the right end of a row.
      const RECT& minimize = entries[8];
      const RECT& close = entries[10];
      EXPECT_EQ(minimize.top, close.top);
      EXPECT_EQ(close.right - minimize.left, 54);
      EXPECT_EQ(close.right, bar.right);
    }
    // The client area, and the MDI client filling it, start below the last row.
    POINT clientOrigin{0, 0};
    ClientToScreen(scene.frame, &clientOrigin);
    EXPECT_EQ(clientOrigin.y, bar.bottom);
    RECT clientArea{};
    GetClientRect(scene.frame, &clientArea);
    RECT mdiClient = scene.driver.screenRect(scene.client);
    EXPECT_EQ(mdiClient.top, bar.bottom);
    EXPECT_EQ(mdiClient.bottom - mdiClient.top, clientArea.bottom);
    // What the desktop shows is what a full repaint draws.
    const std::vector<COLORREF> shown = scene.driver.pixels(frame);
    RedrawWindow(scene.frame, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(shown == scene.driver.pixels(frame)) << "pixels a full repaint changes";
    // A click on Help opens its menu.
    openedPopup = nullptr;
    const int helpAt = step.entries == 7 ? kHelp : kHelp + 1;
    POINT title = centreOf(entries.at(static_cast<std::size_t>(helpAt)));
    scene.driver.click(title.x, title.y);
    scene.driver.pumpUntilIdle();
    EXPECT_EQ(openedPopup, help);
  }
}

}  // namespace native::test
