#pragma once
// An MDI frame with its client on a headless desktop, for MDI tests: the frame's procedure ends in
// DefFrameProc and the children's in DefMDIChildProc, and both log what the tests look at.

#include <string>
#include <vector>

#include "native/native.h"
#include "native/testdriver.h"
#include "native/tests/messagespy.h"

namespace native::test {

class MdiScene {
 public:
  // A frame at (0, 0) of the given size with a menu bar holding "&File", and its client.
  explicit MdiScene(SIZE frameSize = SIZE{640, 480}, DWORD clientStyle = MDIS_ALLCHILDSTYLES);
  ~MdiScene();

  TestDriver driver{DesktopOptions{800, 600, 96}};
  HWND frame = nullptr;
  HWND client = nullptr;
  HMENU bar = nullptr;
  // Messages the children received (WM_MDIACTIVATE, WM_NCACTIVATE, WM_CLOSE, WM_SYSCOMMAND), in order.
  std::vector<Logged> log;

  static constexpr DWORD kChildStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  static constexpr LPCWSTR kChildClass = u"TestMdiChild";

  HWND createChild(LPCWSTR title, const RECT& rect, DWORD style = kChildStyle);
  HWND active(bool* maximized = nullptr) const;
  // The client's children, GW_CHILD first.
  std::vector<HWND> order() const;
  // Runs the queue through TranslateMDISysAccel before the usual translation and dispatch.
  void pumpWithMdiKeys();
  RECT rectInClient(HWND child) const;

  static MdiScene* current;
};

}  // namespace native::test
