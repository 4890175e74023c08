#include "native/user/paintapi.h"

#include <vector>

#include "native/gdi/dcapi.h"
#include "native/gdi/gdi.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/painting.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

WindowTree& tree() {
  return WindowSystem::get().windows();
}

void updateNow(HWND handle, bool children) {
  UpdateWindow(handle);
  const WindowRecord* window = tree().find(handle);
  if (!children || window == nullptr) {
    return;
  }
  for (HWND child : std::vector<HWND>(window->children)) {
    updateNow(child, true);
  }
}

// Neither a rectangle nor a region: the whole client area, and the frame with it for RDW_FRAME.
Region requestedArea(const WindowRecord& window, const RECT* rect, HRGN region, UINT flags) {
  if (region != nullptr) {
    const GdiObject* object = WindowSystem::get().gdi().object(region, OBJ_REGION);
    return object == nullptr ? Region() : object->region;
  }
  if (rect != nullptr) {
    return Region(*rect);
  }
  return Region((flags & RDW_FRAME) != 0 ? wholeWindowArea(window) : clientArea(window));
}

}  // namespace

BOOL RedrawWindow(HWND handle, const RECT* rect, HRGN region, UINT flags) {
  WindowSystem& system = WindowSystem::get();
  if (handle == nullptr || handle == system.windows().desktopHandle()) {
    for (HWND topLevel : std::vector<HWND>(system.windows().desktop().children)) {
      RedrawWindow(topLevel, nullptr, nullptr, flags | RDW_ALLCHILDREN);
    }
    return TRUE;
  }
  WindowRecord* window = system.windows().find(handle);
  if (window == nullptr) {
    return FALSE;
  }
  applyRedraw(*window, requestedArea(*window, rect, region, flags), flags);
  if ((flags & (RDW_UPDATENOW | RDW_ERASENOW)) != 0) {
    updateNow(handle, (flags & RDW_ALLCHILDREN) != 0);
  }
  return TRUE;
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  return RedrawWindow(window, rect, nullptr, RDW_INVALIDATE | (erase != FALSE ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND window, HRGN region, BOOL erase) {
  if (region != nullptr && WindowSystem::get().gdi().object(region, OBJ_REGION) == nullptr) {
    return FALSE;
  }
  return RedrawWindow(window, nullptr, region, RDW_INVALIDATE | (erase != FALSE ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND window, const RECT* rect) {
  return window != nullptr && RedrawWindow(window, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN) ? TRUE
                                                                                                 : FALSE;
}

BOOL ValidateRgn(HWND window, HRGN region) {
  return window != nullptr && RedrawWindow(window, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN) ? TRUE
                                                                                                   : FALSE;
}

BOOL UpdateWindow(HWND handle) {
  WindowRecord* window = tree().find(handle);
  if (window == nullptr) {
    return FALSE;
  }
  if (!tree().isVisible(*window) || !window->redraw) {
    return TRUE;
  }
  paintFrameIfDirty(handle);
  window = tree().find(handle);
  if (window != nullptr && !window->update.empty()) {
    SendMessage(handle, WM_PAINT, 0, 0);
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND handle, RECT* rect, BOOL) {
  const WindowRecord* window = tree().find(handle);
  if (window == nullptr) {
    return FALSE;
  }
  if (rect != nullptr) {
    *rect = window->update.bounds();
  }
  return window->update.empty() ? FALSE : TRUE;
}

HDC BeginPaint(HWND handle, PAINTSTRUCT* paint) {
  if (paint == nullptr || tree().find(handle) == nullptr) {
    return nullptr;
  }
  paintFrameIfDirty(handle);
  WindowRecord* window = tree().find(handle);
  if (window == nullptr) {
    return nullptr;
  }
  Region area = window->update;
  area.intersect(clientArea(*window));
  window->update.clear();
  bool erase = window->eraseBackground;
  window->eraseBackground = false;
  const bool clipChildren = (window->style & WS_CLIPCHILDREN) != 0;
  if (!clipChildren) {
    // This paint covers the children under its area, even those placed there since the area was
    // invalidated: they paint again after it.
    applyRedrawToChildren(*window, area, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  HDC dc = openWindowDc(handle, false, clipChildren, &area);
  if (const DeviceContext* context = WindowSystem::get().gdi().dc(dc)) {
    WindowSystem::get().tallyPaint(context->visible);
  }
  *paint = PAINTSTRUCT{};
  paint->hdc = dc;
  paint->rcPaint = area.bounds();
  if (erase && dc != nullptr) {
    paint->fErase = SendMessage(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0 ? TRUE : FALSE;
  }
  return dc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT* paint) {
  if (paint == nullptr) {
    return FALSE;
  }
  ReleaseDC(handle, paint->hdc);
  return TRUE;
}

}  // namespace native
