// A small program for the X11 test of click times: a frame that takes double clicks. Each press of the first
// button in its client area is reported, "click <x> <y>" or "double <x> <y>" (client coordinates), and then
// the program stops itself (SIGSTOP), as a program busy with the press, until the test lets it go on
// (SIGCONT). It reports "ready" once it runs.

#include <signal.h>

#include "native/native.h"
#include "native/tests/x11/x11testapp.h"

namespace {

using namespace native;
using native::test::Report;

LRESULT frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Report("%s %ld %ld\n", message == WM_LBUTTONDOWN ? "click" : "double",
             static_cast<long>(GET_X_LPARAM(lParam)), static_cast<long>(GET_Y_LPARAM(lParam)));
      raise(SIGSTOP);
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

bool buildNothing(HWND) {
  return true;
}

void reportReady() {
  Report("ready\n");
}

}  // namespace

int main() {
  return native::test::RunTestFrame(
      {u"Press stall", RECT{40, 30, 440, 330}, frameProcedure, buildNothing, reportReady, CS_DBLCLKS});
}
