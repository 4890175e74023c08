#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "native/host/x11host.h"
#include "native/native.h"
#include "native/user/nonclientlayout.h"

// Xlib's macros (None, True, False) come after every header of ours.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace native::test {

namespace {

constexpr int kWaitMs = 10000;  // for the program to start, draw, and answer one input
// For the program to end once its frame is closed: input is handled as it arrives, never left until the next
// timer, so the close takes a moment even on a busy machine.
constexpr int kEndMs = 3000;
constexpr int kDesktopWidth = 640;
constexpr int kDesktopHeight = 480;
constexpr RECT kFrame{40, 30, 440, 330};  // where the program puts its frame
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

using Clock = std::chrono::steady_clock;

// Milliseconds left until `deadline`, none below zero.
int msUntil(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

bool onPath(const char* program) {
  std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// The smoke program, started with its standard output on a pipe; stopped when the test ends.
class SmokeProgram {
 public:
  SmokeProgram() {
    int fds[2];
    if (pipe(fds) != 0) {
      return;
    }
    pid_ = fork();
    if (pid_ == 0) {
      dup2(fds[1], STDOUT_FILENO);
      close(fds[0]);
      close(fds[1]);
      setenv("KESTROVE_DESKTOP_SIZE", "640x480", 1);
      unsetenv("KESTROVE_HEADLESS");
      execl(KESTROVE_X11_SMOKE_APP, KESTROVE_X11_SMOKE_APP, static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    output_ = fds[0];
  }
  ~SmokeProgram() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    if (output_ >= 0) {
      close(output_);
    }
  }
  SmokeProgram(const SmokeProgram&) = delete;
  SmokeProgram& operator=(const SmokeProgram&) = delete;

  bool started() const { return pid_ > 0 && output_ >= 0; }

  // The next line of output, waiting at most `timeoutMs`; none on time-out or end of output.
  std::optional<std::string> readLine(int timeoutMs) {
    Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      std::size_t end = buffer_.find('\n');
      if (end != std::string::npos) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return line;
      }
      pollfd ready{output_, POLLIN, 0};
      if (poll(&ready, 1, msUntil(deadline)) <= 0) {
        return std::nullopt;
      }
      std::array<char, 256> chunk{};
      ssize_t count = read(output_, chunk.data(), chunk.size());
      if (count <= 0) {
        ended_ = true;
        return std::nullopt;
      }
      buffer_.append(chunk.data(), static_cast<std::size_t>(count));
    }
  }

  // The exit status when the program ends by itself (its output ends with it) within `limitMs`.
  std::optional<int> exitStatusWithin(int limitMs) {
    Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    while (!ended_ && msUntil(deadline) > 0) {
      readLine(msUntil(deadline));
    }
    if (!ended_) {
      return std::nullopt;
    }
    int status = 0;
    if (waitpid(pid_, &status, 0) != pid_) {
      return std::nullopt;
    }
    exited_ = true;
    return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
  }

 private:
  pid_t pid_ = -1;
  int output_ = -1;
  bool exited_ = false;
  bool ended_ = false;  // the output reached its end
  std::string buffer_;
};

Window findWindowNamed(Display* display, const char* name) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  Window found = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0) {
    for (unsigned int i = 0; i < count && found == 0; ++i) {
      char* title = nullptr;
      if (XFetchName(display, children[i], &title) != 0 && title != nullptr) {
        found = std::strcmp(title, name) == 0 ? children[i] : 0;
        XFree(title);
      }
    }
    XFree(children);
  }
  return found;
}

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
  for (int waited = 0; waited <= kWaitMs; waited += 20) {
    XSync(display, False);
    share = shareOf(display, window, area, colour);
    if (share > wanted) {
      break;
    }
    poll(nullptr, 0, 20);
  }
  return share;
}

void clickAt(Display* display, Window window, int x, int y) {
  int rootX = 0;
  int rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
  XTestFakeButtonEvent(display, Button1, True, CurrentTime);
  XTestFakeButtonEvent(display, Button1, False, CurrentTime);
  XFlush(display);
}

// Waits for the line, skipping others; false when it does not come.
bool expectLine(SmokeProgram& program, const std::string& wanted) {
  while (auto line = program.readLine(kWaitMs)) {
    if (*line == wanted) {
      return true;
    }
  }
  return false;
}

// The whole check, run where DISPLAY names a display.
void checkOnDisplay() {
  // The test's own window system stays headless: it only computes where the program's frame lies.
  setenv("KESTROVE_HEADLESS", "1", 1);
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr) << "the display does not open";
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor) == 0) {
    XCloseDisplay(display);
    GTEST_SKIP() << "the X server has no XTest extension";
  }
  SmokeProgram program;
  ASSERT_TRUE(program.started());
  ASSERT_TRUE(expectLine(program, "ready"));
  Window window = findWindowNamed(display, X11Host::kTitle);
  ASSERT_NE(window, 0u) << "no X window titled " << X11Host::kTitle;

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
  clickAt(display, window, (layout.client.left + layout.client.right) / 2, layout.client.top + 50);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  KeyCode a = XKeysymToKeycode(display, XK_a);
  XTestFakeKeyEvent(display, a, True, CurrentTime);
  XTestFakeKeyEvent(display, a, False, CurrentTime);
  XFlush(display);
  std::string clickLine = "click " + std::to_string((layout.client.right - layout.client.left) / 2) + " 50";
  EXPECT_TRUE(expectLine(program, clickLine));
  EXPECT_TRUE(expectLine(program, "key 65"));

  // The menu: "File", then "New".
  int barMiddle = (layout.menuBar.top + layout.menuBar.bottom) / 2;
  clickAt(display, window, layout.menuBar.left + 10, barMiddle);
  clickAt(display, window, layout.menuBar.left + 20, layout.menuBar.bottom + 10);
  EXPECT_TRUE(expectLine(program, "command 101"));

  // The window's close button closes the frame, and with it the program.
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = window;
  close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  close.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &close);
  XFlush(display);
  EXPECT_EQ(program.exitStatusWithin(kEndMs), std::optional<int>(0))
      << "the close did not end the program within " << kEndMs << " ms";
  XCloseDisplay(display);
}

}  // namespace

TEST(X11Host, ShowsTheDesktopAndTakesKeysAndClicks) {
  // The check runs on a virtual X server of its own, never on the display of whoever runs the tests.
  if (std::getenv("KESTROVE_X11_SMOKE_INNER") != nullptr) {
    const char* display = std::getenv("DISPLAY");
    ASSERT_TRUE(display != nullptr && *display != 0) << "xvfb-run gave no DISPLAY";
    checkOnDisplay();
    return;
  }
  for (const char* tool : {"xvfb-run", "Xvfb", "xauth", "timeout"}) {
    if (!onPath(tool)) {
      GTEST_SKIP() << tool << " is not installed (Debian packages xvfb and xauth)";
    }
  }
  // This test again, on a virtual X server; the time-out keeps a hung server from hanging the test.
  std::string self = std::string(program_invocation_name);
  std::string command = "KESTROVE_X11_SMOKE_INNER=1 timeout 120 xvfb-run -a -s '-screen 0 800x600x24' '" +
                        self + "' --gtest_filter=X11Host.ShowsTheDesktopAndTakesKeysAndClicks 2>&1";
  FILE* run = popen(command.c_str(), "r");
  ASSERT_NE(run, nullptr);
  std::string output;
  std::array<char, 512> chunk{};
  while (std::fgets(chunk.data(), static_cast<int>(chunk.size()), run) != nullptr) {
    output += chunk.data();
  }
  int status = pclose(run);
  if (output.find("[  SKIPPED ]") != std::string::npos) {
    GTEST_SKIP() << output;
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
}

}  // namespace native::test
