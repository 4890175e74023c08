// A small program for the X11 smoke test: a frame with a menu bar on the desktop, which the X11 host shows
// when DISPLAY is set. It reports on its standard output, one line each, what reaches the frame: "ready"
// once it runs, "key <virtual key>", "click <x> <y>" (client coordinates), "command <id>". It ends when the
// frame is closed (status 0), and on its own after a minute with status 3, so that it never outlives a broken
// test and a close that never arrived shows as a failure.

#include <cstdio>

#include "native/native.h"

namespace {

using namespace native;

constexpr UINT_PTR kReadyTimer = 1;
constexpr UINT_PTR kLifeTimer = 2;
constexpr UINT kLifeMs = 60000;
constexpr int kLifeOverStatus = 3;

// One line, flushed at once: the test reads it through a pipe.
template <typename... Values>
void report(const char* format, Values... values) {
  std::printf(format, values...);
  std::fflush(stdout);
}

LRESULT frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kReadyTimer) {
        KillTimer(window, kReadyTimer);
        report("ready\n");
      } else {
        PostQuitMessage(kLifeOverStatus);
      }
      return 0;
    case WM_KEYDOWN:
      report("key %ld\n", static_cast<long>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      report("click %ld %ld\n", static_cast<long>(GET_X_LPARAM(lParam)),
             static_cast<long>(GET_Y_LPARAM(lParam)));
      return 0;
    case WM_COMMAND:
      report("command %ld\n", static_cast<long>(LOWORD(wParam)));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

int main() {
  WNDCLASS description{};
  description.lpfnWndProc = frameProcedure;
  description.lpszClassName = u"SmokeFrame";
  description.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  if (RegisterClass(&description) == 0) {
    return 1;
  }
  HWND frame = CreateWindowEx(0, u"SmokeFrame", u"Smoke", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 400, 300,
                              nullptr, nullptr, nullptr, nullptr);
  HMENU file = CreatePopupMenu();
  AppendMenu(file, MF_STRING, 101, u"&New");
  AppendMenu(file, MF_STRING, 102, u"E&xit");
  HMENU bar = CreateMenu();
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), u"&File");
  if (frame == nullptr || SetMenu(frame, bar) == FALSE) {
    return 1;
  }
  SetTimer(frame, kReadyTimer, 1, nullptr);
  SetTimer(frame, kLifeTimer, kLifeMs, nullptr);
  MSG message{};
  while (GetMessage(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  return static_cast<int>(message.wParam);
}
