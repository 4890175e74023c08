#pragma once
// Creating and destroying windows, their words, their place in the tree, and default processing.

#include "native/user/nativetypes.h"

namespace native {

// The class is a name or an atom (MAKEINTATOM). With WS_CHILD the parent is required; without it a parent
// handle names the owner (its top-level window): owned windows stay above their owner and are destroyed
// with it. Creation sends WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE and WM_MOVE to the class procedure,
// then shows the window when WS_VISIBLE is given. Null when the class is unknown, the parent does not exist,
// or WM_NCCREATE answers FALSE or WM_CREATE answers -1.
HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                    void* createParam);
// Destroys the windows it owns, then sends WM_DESTROY to the window and down through its children, and
// WM_NCDESTROY up from the deepest children, the window's own last.
BOOL DestroyWindow(HWND window);

// Pointer-sized words: GWL_USERDATA, GWL_WNDPROC (subclassing), GWL_STYLE, GWL_EXSTYLE, GWL_ID,
// GWL_HINSTANCE, and offsets 0 and up into the class's window extra bytes.
LONG_PTR GetWindowLong(HWND window, int index);
// Answers the previous value. GWL_WNDPROC refuses a null procedure; the child and topmost flags cannot be
// changed here (they decide the window's place in the tree).
LONG_PTR SetWindowLong(HWND window, int index, LONG_PTR value);
LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL IsWindow(HWND window);
// The window and every ancestor carry WS_VISIBLE.
BOOL IsWindowVisible(HWND window);
BOOL IsWindowEnabled(HWND window);
// A disabled window gets no mouse or key input and loses the focus it holds. Answers whether the window was
// disabled before.
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
// Whether `window` is a child window below `parent` (through parents, never owners).
BOOL IsChild(HWND parent, HWND window);
// The parent of a child window, the owner of a WS_POPUP window, else null.
HWND GetParent(HWND window);
HWND GetWindow(HWND window, UINT relation);
// The first (topmost) child; null asks for the desktop's.
HWND GetTopWindow(HWND window);
HWND GetDesktopWindow();

}  // namespace native
