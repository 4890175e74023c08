#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <functional>
#include <optional>

#include <string>

#include "native/host/x11host.h"
#include "native/native.h"
#include "native/user/nonclientlayout.h"

// Xlib's macros (None, True, False) come after every header of ours.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "native/tests/x11/x11testprogram.h"

namespace native::test {

namespace {

constexpr int kDesktopWidth = 640;
constexpr int kDesktopHeight = 480;
constexpr RECT kFrame{40, 30, 440, 330};  // where the program puts its frame
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

COLORREF colourOf(unsigned long pixel) {
  return RGB(static_cast<BYTE>(pixel >> 16), static_cast<BYTE>(pixel >> 8), static_cast<BYTE>(pixel));
}

// The share of a rectangle's pixels on the X window that have the colour, 0 to 1.
double shareOf(Display* display, Window window, const RECT& area, COLORREF colour) {
  XImage* image =
      XGetImage(display, window, area.left, area.top, static_cast<unsigned>(area.right - area.left),
                static_cast<unsigned>(area.bottom - area.top), AllPlanes, ZPixmap);
  if (image == nullptr) {
    return 0;
  }
  int matching = 0;
  for (int y = 0; y < area.bottom - area.top; ++y) {
    for (int x = 0; x < area.right - area.left; ++x) {
      matching += colourOf(XGetPixel(image, x, y)) == colour ? 1 : 0;
    }
  }
  XDestroyImage(image);
  return static_cast<double>(matching) / ((area.right - area.left) * (area.bottom - area.top));
}

// The share once the program's window shows it: the program says "ready" when its desktop is drawn, but the
// X server may map and fill the window a moment later on a busy machine, so the share is read again until it
// passes `wanted` or the wait is over.
double settledShareOf(Display* display, Window window, const RECT& area, COLORREF colour, double wanted) {
  double share = 0;
  for (int waited = 0; waited <= kX11WaitMs; waited += 20) {
    XSync(display, False);
    share = shareOf(display, window, area, colour);
    if (share > wanted) {
      break;
    }
    poll(nullptr, 0, 20);
  }
  return share;
}

// The whole check, run where DISPLAY names a display.
void checkOnDisplay(Display* display, Window window, X11TestProgram& program) {
  // The test's own window system stays headless: it only computes where the program's frame lies.
  setenv("KESTROVE_HEADLESS", "1", 1);
  NonClientLayout layout = NonClientLayout::compute(kFrameStyle, 0, kFrame, GetSystemMetrics(SM_CYMENU));
  RECT captionBand{layout.caption.left + 60, layout.caption.top + 1, layout.minimizeBox.left - 4,
                   layout.caption.top + 3};
  RECT barBand{layout.menuBar.left + 60, layout.menuBar.top + 2, layout.menuBar.right - 4,
               layout.menuBar.bottom - 2};
  RECT outside{kFrame.right + 10, kFrame.top, kDesktopWidth - 10, kDesktopHeight - 10};
  EXPECT_GT(settledShareOf(display, window, captionBand, GetSysColor(COLOR_ACTIVECAPTION), 0.9), 0.9);
  EXPECT_GT(settledShareOf(display, window, barBand, GetSysColor(COLOR_MENU), 0.9), 0.9);
  EXPECT_GT(settledShareOf(display, window, outside, GetSysColor(COLOR_BACKGROUND), 0.9), 0.9);

  // A key typed in the window.
  ClickAt(display, window, (layout.client.left + layout.client.right) / 2, layout.client.top + 50);
  TypeText(display, window, "a");
  std::string clickLine = "click " + std::to_string((layout.client.right - layout.client.left) / 2) + " 50";
  EXPECT_TRUE(program.expectLine(clickLine));
  EXPECT_TRUE(program.expectLine("key 65"));

  // With the program waiting, a key and a click reach the frame within 20 ms of being sent (the line ends
  // with the program's monotonic milliseconds, the same clock as the test's).
  struct Input {
    const char* name;
    std::function<void()> send;
    std::string line;
  } inputs[] = {
      {"a key", [&] { TypeText(display, window, "b"); }, "key 66"},
      {"a click", [&] { ClickAt(display, window, layout.client.left + 30, layout.client.top + 40); },
       "click 30 40"},
  };
  for (const Input& input : inputs) {
    SCOPED_TRACE(input.name);
    const long long sent = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now().time_since_epoch())
                               .count();
    input.send();
    const std::optional<std::string> line = program.expectLine(input.line);
    ASSERT_TRUE(line.has_value());
    EXPECT_LE(std::stoll(line->substr(line->rfind(' ') + 1)) - sent, 20) << *line;
  }

  // The menu: "File", then "New".
  int barMiddle = (layout.menuBar.top + layout.menuBar.bottom) / 2;
  ClickAt(display, window, layout.menuBar.left + 10, barMiddle);
  ClickAt(display, window, layout.menuBar.left + 20, layout.menuBar.bottom + 10);
  EXPECT_TRUE(program.expectLine("command 101"));
}

// A key the keymap gives an accented letter, a dead key and the letter after it, a key beyond 16 bits (as
// its two UTF-16 halves), and a key's third and fourth levels through AltGr type their characters: the
// program's next character lines.
void checkTyping(Display* display, Window window, X11TestProgram& program) {
  constexpr KeySym kRunner = 0x01000000 + 0x1F3C3;
  SpareKeys spare(display,
                  {{XK_udiaeresis}, {XK_dead_acute}, {kRunner}, {XK_l, XK_L, XK_lstroke, XK_Lstroke}});
  TypeKeysyms(display, window, {XK_udiaeresis, XK_dead_acute, XK_e, kRunner, XK_Lstroke, XK_lstroke});
  for (const char* wanted : {"char fc", "char e9", "char d83c", "char dfc3", "char 141", "char 142"}) {
    std::optional<std::string> line;
    do {
      line = program.readLine(kX11WaitMs);
    } while (line && line->rfind("char ", 0) != 0);
    EXPECT_EQ(line, std::optional<std::string>(wanted));
  }
}

}  // namespace

TEST(X11Host, KeysTypeTheCharactersTheKeymapGives) {
  RunOnVirtualDisplay([] {
    // Without a locale, as a virtual server started by a build machine may have it.
    setenv("LC_ALL", "C", 1);
    RunProgramSteps(KESTROVE_X11_SMOKE_APP, "640x480", &checkTyping);
  });
}

TEST(X11Host, ShowsTheDesktopAndTakesKeysAndClicks) {
  // The window's close button closes the frame, and with it the program.
  RunOnVirtualDisplay([] { RunProgramSteps(KESTROVE_X11_SMOKE_APP, "640x480", &checkOnDisplay); });
}

}  // namespace native::test
