// A small program for the X11 smoke test: a frame with a menu bar. It reports on its standard output, one
// line each, what reaches the frame: "ready" once it runs, "key <virtual key>", "char <UTF-16 unit in hex>",
// "click <x> <y>" (client coordinates), "command <id>". Typing "w" shows the wait pointer until the pointer
// moves.

#include "native/native.h"
#include "native/tests/x11/x11testapp.h"

namespace {

using namespace native;
using native::test::Report;

LRESULT frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      Report("key %ld\n", static_cast<long>(wParam));
      return 0;
    case WM_CHAR:
      if (wParam == u'w') {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
      }
      Report("char %lx\n", static_cast<unsigned long>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      Report("click %ld %ld\n", static_cast<long>(GET_X_LPARAM(lParam)),
             static_cast<long>(GET_Y_LPARAM(lParam)));
      return 0;
    case WM_COMMAND:
      Report("command %ld\n", static_cast<long>(LOWORD(wParam)));
      return 0;
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

bool addMenu(HWND frame) {
  HMENU file = CreatePopupMenu();
  AppendMenu(file, MF_STRING, 101, u"&New");
  AppendMenu(file, MF_STRING, 102, u"E&xit");
  HMENU bar = CreateMenu();
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), u"&File");
  return SetMenu(frame, bar) != FALSE;
}

void reportReady() {
  Report("ready\n");
}

}  // namespace

int main() {
  return native::test::RunTestFrame({u"Smoke", RECT{40, 30, 440, 330}, frameProcedure, addMenu, reportReady});
}
