#include "native/host/snapshot.h"

#include "native/gdi/gditypes.h"
#include "native/user/visibleregion.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

Surface& composedDesktop() {
  WindowSystem& system = WindowSystem::get();
  system.compositor().compose(system.windows());
  return system.compositor().desktopSurface();
}

}  // namespace

BOOL SaveDesktopSnapshot(const std::string& path) {
  return composedDesktop().writePng(path) ? TRUE : FALSE;
}

BOOL SaveWindowSnapshot(HWND handle, const std::string& path) {
  WindowSystem& system = WindowSystem::get();
  const WindowRecord* window = system.windows().find(handle);
  if (window == nullptr || handle == system.windows().desktopHandle()) {
    return FALSE;
  }
  const WindowRecord& topLevel = *system.windows().find(system.windows().topLevelOf(handle));
  // Where the window's corner lies on its top-level window's surface.
  POINT corner = VisibleRegion::origin(system.windows(), *window, true);
  corner.x -= topLevel.surfaceArea.left;
  corner.y -= topLevel.surfaceArea.top;
  Surface picture(window->width(), window->height(), false);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      int sourceX = corner.x + x;
      int sourceY = corner.y + y;
      if (topLevel.surface->contains(sourceX, sourceY)) {
        picture.setPixel(x, y, topLevel.surface->pixel(sourceX, sourceY));
      }
    }
  }
  return picture.writePng(path) ? TRUE : FALSE;
}

COLORREF GetDesktopPixel(int x, int y) {
  Surface& desktop = composedDesktop();
  return desktop.contains(x, y) ? colorOf(desktop.pixel(x, y)) : CLR_INVALID;
}

}  // namespace native
