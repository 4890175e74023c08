// A small program for the X11 tests of the desktop's size, the shared clipboard and the bell: a frame that
// holds a text field. It reports on its standard output, one line each: "ready <desktop width> <desktop
// height>" once it runs; on the key V it pastes over the whole field and reports "field <the field's text>";
// on C it puts kCopiedText in the field, copies all of it and reports "copied"; on B it beeps and reports
// "beeped".

#include <string>

#include "native/native.h"
#include "native/tests/x11/x11testapp.h"
#include "native/user/localtext.h"

namespace {

using namespace native;
using native::test::Report;

// Text with a character outside the 16-bit range, so that copying takes a surrogate pair to UTF-8.
constexpr const char16_t* kCopiedText = u"Zeit 10,52 s – Läufer Ø 🏃";
constexpr const char16_t* kFirstText = u"Lauf 1";

HWND gField = nullptr;

std::string fieldText() {
  std::u16string text(static_cast<std::size_t>(SendMessage(gField, WM_GETTEXTLENGTH, 0, 0)) + 1, u'\0');
  LRESULT length = SendMessage(gField, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return utf8FromUtf16(text);
}

void onKey(WPARAM key) {
  switch (key) {
    case 'V':
      SendMessage(gField, EM_SETSEL, 0, -1);
      SendMessage(gField, WM_PASTE, 0, 0);
      Report("field %s\n", fieldText().c_str());
      break;
    case 'C':
      SendMessage(gField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kCopiedText));
      SendMessage(gField, EM_SETSEL, 0, -1);
      SendMessage(gField, WM_COPY, 0, 0);
      Report("copied\n");
      break;
    case 'B':
      MessageBeep(0);
      Report("beeped\n");
      break;
    default:
      break;
  }
}

LRESULT frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) {
    onKey(wParam);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

bool addField(HWND frame) {
  gField = CreateWindowEx(0, u"EDIT", kFirstText, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10,
                          360, 24, frame, nullptr, nullptr, nullptr);
  // The frame keeps the keys, so that V, C and B are commands rather than typing.
  SetFocus(frame);
  return gField != nullptr;
}

void reportReady() {
  Report("ready %d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

}  // namespace

int main() {
  return native::test::RunTestFrame(
      {u"Desktop", RECT{20, 20, 420, 220}, frameProcedure, addField, reportReady});
}
