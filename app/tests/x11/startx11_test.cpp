// The built program started on a virtual X server, as a user starts it: after the splash its main frame's
// caption and menu bar show on the X window exactly as the program object draws them headless, and File >
// Exit from the keyboard ends it with the configuration written.
#include <gtest/gtest.h>
#include <poll.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/qvzcontrol.h"
#include "app/tests/programtest.h"
#include "native/user/menuapi.h"
#include "native/user/metrics.h"
#include "native/user/nonclientlayout.h"
#include "native/user/styles.h"
#include "native/user/windowapi.h"

// Xlib's macros (None, True, False) come after every header of ours.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "app/tests/x11/programonx11.h"

namespace {

constexpr const char* kDesktopSize = "640x480";

// Rows of the desktop's pixels, 0x00RRGGBB, top first.
using Pixels = std::vector<std::vector<unsigned long>>;

// The check runs on the virtual display, outside the test's own members, so what it uses is public.
class StartX11Test : public ProgramTest {
 public:
  using ProgramTest::FileExists;
  using ProgramTest::FilePath;

  StartX11Test() : ProgramTest(native::DesktopOptions{640, 480, 96}) {}

  // The caption and menu-bar rows of the started program's frame, drawn headless; the run leaves the
  // program's folder as it found it.
  void DrawHeadless() {
    Then([this] {
      const native::HWND window = program->Frame()->ScreenID(2);
      const native::RECT outer = driver.screenRect(window);
      const int menuHeight = native::GetMenu(window) ? native::GetSystemMetrics(native::SM_CYMENU) : 0;
      const native::NonClientLayout layout = native::NonClientLayout::compute(
          static_cast<native::DWORD>(native::GetWindowLong(window, native::GWL_STYLE)),
          static_cast<native::DWORD>(native::GetWindowLong(window, native::GWL_EXSTYLE)), outer, menuHeight);
      captionBand = {layout.caption.left + 60, layout.caption.top + 1, layout.minimizeBox.left - 4,
                     layout.caption.top + 3};
      rows = {layout.caption.left, layout.caption.top, layout.caption.right,
              layout.menuBar.bottom > layout.caption.bottom ? layout.menuBar.bottom : layout.caption.bottom};
      for (int y = rows.top; y < rows.bottom; ++y) {
        std::vector<unsigned long>& row = headless.emplace_back();
        for (int x = rows.left; x < rows.right; ++x) {
          const native::COLORREF colour = driver.pixel(x, y);
          row.push_back((native::GetRValue(colour) << 16) | (native::GetGValue(colour) << 8) |
                        native::GetBValue(colour));
        }
      }
    });
    ExitProgram();
    ASSERT_EQ(Run(), 0);
    program.reset();
    std::filesystem::remove(FilePath("kestrove.cfg"));
    std::filesystem::remove(FilePath("kestrove.log"));
  }

  native::RECT captionBand{};
  native::RECT rows{};
  Pixels headless;
};

StartX11Test* current = nullptr;

Pixels Read(Display* display, Window window, const native::RECT& area) {
  Pixels pixels;
  XImage* image =
      XGetImage(display, window, area.left, area.top, static_cast<unsigned>(area.right - area.left),
                static_cast<unsigned>(area.bottom - area.top), AllPlanes, ZPixmap);
  if (image == nullptr) {
    return pixels;
  }
  for (int y = 0; y < area.bottom - area.top; ++y) {
    std::vector<unsigned long>& row = pixels.emplace_back();
    for (int x = 0; x < area.right - area.left; ++x) {
      row.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
    }
  }
  XDestroyImage(image);
  return pixels;
}

double ShareOf(const Pixels& pixels, unsigned long colour) {
  size_t matching = 0;
  size_t all = 0;
  for (const auto& row : pixels) {
    for (unsigned long pixel : row) {
      matching += pixel == colour ? 1 : 0;
      ++all;
    }
  }
  return all ? static_cast<double>(matching) / static_cast<double>(all) : 0;
}

// The X window's rows once they equal the headless ones, or as they are when the wait is over: the splash
// stays three seconds, and the X server may show the frame a moment after it is drawn.
Pixels SettledRows(Display* display, Window window, const Pixels& wanted, const native::RECT& area) {
  Pixels shown;
  for (int waited = 0; waited <= 2 * native::test::kX11WaitMs; waited += 50) {
    XSync(display, False);
    shown = Read(display, window, area);
    if (shown == wanted) {
      break;
    }
    poll(nullptr, 0, 50);
  }
  return shown;
}

void PressKeys(Display* display, Window window, std::initializer_list<KeySym> keys) {
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  for (KeySym key : keys) {
    const KeyCode code = XKeysymToKeycode(display, key);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
  }
  XFlush(display);
}

void CheckOnDisplay() {
  StartX11Test& test = *current;
  test.DrawHeadless();
  ASSERT_FALSE(test.headless.empty());
  ProgramOnX11 started(test.FilePath("kestrove"), kDesktopSize);
  if (!started.Running()) {
    return;
  }
  Display* display = started.display;
  const Window window = started.window;
  const Pixels shown = SettledRows(display, window, test.headless, test.rows);
  EXPECT_TRUE(shown == test.headless) << "the caption and menu bar differ from the headless drawing";
  const native::COLORREF active = native::GetSysColor(native::COLOR_ACTIVECAPTION);
  EXPECT_GT(ShareOf(Read(display, window, test.captionBand), (native::GetRValue(active) << 16) |
                                                                 (native::GetGValue(active) << 8) |
                                                                 native::GetBValue(active)),
            0.9);

  // File > Exit: Alt+F opens the menu, its last item is Exit.
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  const KeyCode alt = XKeysymToKeycode(display, XK_Alt_L);
  XTestFakeKeyEvent(display, alt, True, CurrentTime);
  PressKeys(display, window, {XK_f});
  XTestFakeKeyEvent(display, alt, False, CurrentTime);
  PressKeys(display, window, {XK_Up, XK_Return});
  EXPECT_EQ(started.program->exitStatusWithin(native::test::kX11WaitMs), std::optional<int>(0));
  EXPECT_TRUE(test.FileExists("kestrove.cfg"));
}

TEST_F(StartX11Test, AfterTheSplashTheFrameShowsAsDrawnHeadlessAndFileExitEndsTheProgram) {
  current = this;
  native::test::RunOnVirtualDisplay(&CheckOnDisplay);
  current = nullptr;
}

}  // namespace
