#pragma once
// A frame with a menu bar for menu tests, and a script that drives an open menu: the menu loop sends
// WM_ENTERIDLE whenever it has no input, and each time the next step of the script runs. When the steps are
// used up the script posts Escape until the menu is gone, so a test never hangs on an open menu.

#include <functional>
#include <vector>

#include "native/testdriver.h"
#include "native/tests/messagespy.h"

namespace native::test {

// Commands of the scene's menus.
enum : WORD {
  kNew = 101,
  kOpen = 102,
  kExit = 103,
  kFileA = 111,
  kFileB = 112,
  kUndo = 201,
  kCopy = 202,
  kPaste = 203,
};

class MenuScene {
 public:
  // "&File": "&New", "&Open...\tCtrl+O", separator, "&Recent" (a cascade of "File &A", "File &B"), "E&xit".
  // "&Edit": "&Undo" (greyed), "&Copy" (checked), "&Paste".
  explicit MenuScene(DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE);

  TestDriver driver{DesktopOptions{800, 600, 96}};
  MessageSpy spy;
  HWND frame = nullptr;
  HMENU bar = nullptr;
  HMENU file = nullptr;
  HMENU recent = nullptr;
  HMENU edit = nullptr;

  // Steps run one per WM_ENTERIDLE; `extra` sees every message first (it may answer for the frame).
  std::vector<std::function<void()>> steps;
  std::function<void(UINT, WPARAM, LPARAM)> extra;
  // After each step a message is posted so that the loop comes back idle even when the step fed no input;
  // a test whose step makes another thread post turns this off, so the loop really waits.
  bool nudgeAfterStep = true;
  std::size_t stepsRun() const { return next_; }
  // The Escapes the script posted itself once the steps ran out.
  int closingEscapes() const { return escapes_; }

  // Screen centres of the bar's entries and of the entries of the open pop-up menus (front first).
  POINT barEntry(int position) const;
  std::vector<HWND> openPopups() const;
  POINT popupEntry(HWND popup, int position) const;
  void clickBar(int position);
  // WM_INITMENUPOPUP, WM_MENUSELECT and WM_COMMAND as the frame received them.
  std::vector<Logged> menuTraffic() const;

 private:
  std::size_t next_ = 0;
  int escapes_ = 0;
};

}  // namespace native::test
