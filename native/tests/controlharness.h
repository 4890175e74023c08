#pragma once
// A headless desktop with one frameless parent window at the desktop's origin (so client, window and desktop
// coordinates agree) whose messages a spy records, for scenario tests of the standard controls.

#include <string>
#include <vector>

#include "native/controls/controlconstants.h"
#include "native/controls/standardcontrols.h"
#include "native/native.h"
#include "native/testdriver.h"
#include "native/tests/messagespy.h"

namespace native::test {

class ControlHarness {
 public:
  ControlHarness();

  TestDriver driver{DesktopOptions{400, 300, 96}};
  MessageSpy spy;
  HWND parent = nullptr;

  // A visible child control of the parent, id 7 unless given.
  HWND create(LPCWSTR className, DWORD style, const RECT& rect, LPCWSTR text = u"", int id = 7);
  // The centre of a control on the desktop.
  POINT centre(HWND control) const;
  void click(HWND control);
  void pump() { driver.pumpUntilIdle(); }

  // The notification codes (HIWORD of WM_COMMAND's wParam) the parent received from `control`.
  std::vector<WORD> notifications(HWND control) const;
  // The (code, signed position) pairs of WM_HSCROLL or WM_VSCROLL the parent received from `control`.
  std::vector<std::pair<WORD, int>> scrolls(HWND control) const;
  std::u16string text(HWND control) const { return driver.text(control); }
};

}  // namespace native::test
