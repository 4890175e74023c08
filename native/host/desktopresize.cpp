#include "native/host/desktopresize.h"

#include <vector>

#include "native/user/paintapi.h"
#include "native/user/styles.h"
#include "native/user/windowpos.h"
#include "native/user/windowsystem.h"

namespace native {

void resizeDesktop(WindowSystem& system, int width, int height) {
  Desktop& desktop = system.desktop();
  desktop.resize(width, height);
  RECT whole{0, 0, desktop.width(), desktop.height()};
  system.compositor().resize(whole.right, whole.bottom);
  WindowRecord& desktopWindow = system.windows().desktop();
  desktopWindow.rect = whole;
  desktopWindow.clientRect = whole;
  // Maximised windows fill the desktop, whatever its size. The others keep their place, but the part of them
  // on the desktop changes with it: their surfaces follow, and what they did not hold before is painted.
  for (HWND window : std::vector<HWND>(desktopWindow.children)) {
    WindowRecord* record = system.windows().find(window);
    if (record == nullptr) {
      continue;
    }
    if (record->isMaximized()) {
      SetWindowPos(window, nullptr, 0, 0, whole.right, whole.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (system.compositor().fitSurface(*record) && system.windows().isVisible(*record)) {
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
  }
}

}  // namespace native
