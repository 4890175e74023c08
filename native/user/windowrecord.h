#pragma once
// The record of one window: what the window calls reach through a window handle. Geometry is kept in the
// parent's client coordinates (screen coordinates for top-level windows, whose parent is the desktop).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "native/gdi/region.h"
#include "native/gdi/surface.h"
#include "native/user/nativetypes.h"
#include "native/user/scrollbarstate.h"
#include "native/user/styles.h"

namespace native {

struct WindowClass;

struct WindowRecord {
  HWND handle = nullptr;
  WindowClass* windowClass = nullptr;
  WNDPROC procedure = nullptr;  // the current procedure; the class procedure until the window is subclassed
  DWORD style = 0;
  DWORD exStyle = 0;
  LONG_PTR userData = 0;
  LONG_PTR id = 0;
  HINSTANCE instance = nullptr;
  std::u16string text;
  HWND parent = nullptr;  // the desktop for top-level windows; null only for the desktop itself
  HWND owner =
      nullptr;  // top-level windows only: stays below the windows it owns and takes them down with it
  std::vector<HWND> children;  // z-order, top first
  RECT rect{};
  RECT clientRect{};
  RECT restoreRect{};  // the normal placement while minimised or maximised
  bool restoreToMaximized = false;
  bool redraw = true;
  bool destroying = false;
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
  std::vector<BYTE> extraBytes;
  // Top-level windows draw into their own backing surface, which holds the part of the window that lies on
  // the desktop: `surfaceArea`, in window coordinates, is where the surface's pixels lie. The desktop
  // composes them.
  std::unique_ptr<Surface> surface;
  RECT surfaceArea{};
  Region update;                 // client coordinates: the part waiting for WM_PAINT
  bool eraseBackground = false;  // the next BeginPaint sends WM_ERASEBKGND
  bool frameDirty = false;       // the whole frame waits for WM_NCPAINT
  Region frameUpdate;            // client coordinates: a part of the frame waiting for WM_NCPAINT
  // While WM_NCPAINT paints a part of the frame only: that part, on the top-level surface. Contexts of the
  // whole window draw there alone meanwhile, so the rest of the frame keeps its pixels.
  std::optional<Region> framePainting;
  bool captionActive = false;  // the caption shows active (WM_NCACTIVATE)
  ScrollBarState horizontalBar;
  ScrollBarState verticalBar;

  bool isChild() const { return (style & WS_CHILD) != 0; }
  bool hasVisibleFlag() const { return (style & WS_VISIBLE) != 0; }
  bool isDisabled() const { return (style & WS_DISABLED) != 0; }
  bool isMinimized() const { return (style & WS_MINIMIZE) != 0; }
  bool isMaximized() const { return (style & WS_MAXIMIZE) != 0; }
  LONG width() const { return rect.right - rect.left; }
  LONG height() const { return rect.bottom - rect.top; }
};

}  // namespace native
