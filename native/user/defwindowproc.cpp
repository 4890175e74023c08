// Default processing: what a window does with a message its procedure leaves to the system.

#include <cwctype>
#include <string>

#include "native/controls/controllook.h"
#include "native/gdi/dcapi.h"
#include "native/gdi/drawapi.h"
#include "native/user/cursortable.h"
#include "native/user/menuapi.h"
#include "native/user/menubar.h"
#include "native/user/menuloop.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/nonclientlayout.h"
#include "native/user/nonclientpainter.h"
#include "native/user/nonclienttracker.h"
#include "native/user/paintapi.h"
#include "native/user/painting.h"
#include "native/user/placement.h"
#include "native/user/sysinfo.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowapi.h"
#include "native/user/windowpos.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

// Text handed in by pointer is read up to its terminator, but never past this many characters.
constexpr std::size_t kMaxTextLength = 1 << 20;

std::u16string boundedText(LPCWSTR text) {
  std::u16string result;
  if (text == nullptr || IS_INTRESOURCE(text)) {
    return result;
  }
  for (std::size_t i = 0; i < kMaxTextLength && text[i] != 0; ++i) {
    result.push_back(text[i]);
  }
  return result;
}

LRESULT copyText(const std::u16string& text, WPARAM capacity, LPARAM buffer) {
  auto* target = reinterpret_cast<WCHAR*>(buffer);
  if (target == nullptr || capacity == 0) {
    return 0;
  }
  std::size_t count = std::min<std::size_t>(text.size(), capacity - 1);
  text.copy(target, count);
  target[count] = 0;
  return static_cast<LRESULT>(count);
}

bool isButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

LRESULT setCursor(WindowRecord& window, WPARAM wParam, LPARAM lParam) {
  // A parent may decide for its children.
  if (window.isChild() && SendMessage(window.parent, WM_SETCURSOR, wParam, lParam) != FALSE) {
    return TRUE;
  }
  auto hit = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam)));
  if (hit == HTCLIENT) {
    HCURSOR cursor =
        WindowSystem::get().windows().find(window.handle) != nullptr ? window.windowClass->cursor : nullptr;
    if (cursor == nullptr) {
      return FALSE;
    }
    SetCursor(cursor);
    return TRUE;
  }
  if (hit == HTERROR) {
    if (isButtonDown(HIWORD(static_cast<std::uintptr_t>(lParam)))) {
      MessageBeep(0);
    }
    return FALSE;
  }
  SetCursor(NonClientTracker::partCursor(hit));
  return TRUE;
}

LRESULT systemCommand(HWND handle, WPARAM command, LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  WindowSystem& system = WindowSystem::get();
  // Moving and sizing follow the mouse from where the left button went down on the caption or a border (the
  // low four bits name it); chosen from the system menu, by a key or a click, they follow the arrow keys.
  bool fromMenu = (command & 0xF) == 0;
  bool dragging = !fromMenu && system.keyboard().isDown(VK_LBUTTON);
  switch (command & 0xFFF0) {
    case SC_MOVE:
      if (fromMenu) {
        system.tracker().startKeys(handle, false);
      } else if (dragging) {
        system.tracker().startMove(handle, point);
      }
      break;
    case SC_SIZE:
      // The low four bits name the edge, counted from the left edge as 1.
      if (fromMenu) {
        system.tracker().startKeys(handle, true);
      } else if (dragging) {
        system.tracker().startSize(handle, HTLEFT + static_cast<LRESULT>(command & 0xF) - 1, point);
      }
      break;
    case SC_CLOSE:
      SendMessage(handle, WM_CLOSE, 0, 0);
      break;
    case SC_MINIMIZE:
      ShowWindow(handle, SW_MINIMIZE);
      break;
    case SC_MAXIMIZE:
      ShowWindow(handle, SW_MAXIMIZE);
      break;
    case SC_RESTORE:
      ShowWindow(handle, SW_RESTORE);
      break;
    case SC_MOUSEMENU:
      // The low four bits carry where the press was: the menu bar or the system box.
      if (!MenuLoop::running()) {
        MenuLoop(handle).trackWithMouse(point, static_cast<LRESULT>(command & 0xF) == HTSYSMENU);
      }
      break;
    case SC_KEYMENU:
      if (!MenuLoop::running()) {
        MenuLoop(handle).trackWithKey(
            static_cast<char16_t>(std::towupper(static_cast<wint_t>(lParam & 0xFFFF))));
      }
      break;
    default:
      break;
  }
  return 0;
}

// The frame's layout with the window placed at `rect`, its menu bar included.
NonClientLayout frameLayout(const WindowRecord& window, const RECT& rect) {
  return NonClientLayout::compute(window.style, window.exStyle, rect, MenuBar::heightOf(window, rect));
}

// Bit 29 of a key message's lParam: Alt was held.
constexpr LPARAM kAltHeld = LPARAM{1} << 29;

LRESULT systemKeyDown(HWND handle, WPARAM key, LPARAM lParam) {
  HWND frame = WindowSystem::get().windows().topLevelOf(handle);
  if (key == VK_F4 && (lParam & kAltHeld) != 0) {
    SendMessage(frame, WM_SYSCOMMAND, SC_CLOSE, 0);  // Alt+F4 closes the top-level window
  } else if (EntersMenuBar(WM_SYSKEYDOWN, key, lParam)) {
    SendMessage(frame, WM_SYSCOMMAND, SC_KEYMENU, 0);
  }
  return 0;
}

// The document window (MDI child) that holds the window, when it has a system menu and is not maximised.
HWND restoredDocumentOf(const WindowRecord& window) {
  const WindowTree& tree = WindowSystem::get().windows();
  for (const WindowRecord* record = &window; record != nullptr && record->isChild();
       record = tree.find(record->parent)) {
    if ((record->exStyle & WS_EX_MDICHILD) != 0) {
      bool hasMenu = (record->style & WS_SYSMENU) != 0 && !record->isMaximized();
      return hasMenu ? record->handle : nullptr;
    }
  }
  return nullptr;
}

LRESULT nonClientPress(const WindowRecord& window, LRESULT hit, LPARAM lParam) {
  HWND handle = window.handle;
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  NonClientTracker& tracker = WindowSystem::get().tracker();
  switch (hit) {
    case HTCAPTION:
      SendMessage(handle, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
      break;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
      SendMessage(handle, WM_SYSCOMMAND, SC_SIZE | static_cast<WPARAM>(hit - HTLEFT + 1), lParam);
      break;
    case HTCLOSE:
    case HTMINBUTTON:
    case HTMAXBUTTON:
      tracker.startBox(handle, hit, point);
      break;
    case HTMENU:
    case HTSYSMENU:
      SendMessage(handle, WM_SYSCOMMAND, SC_MOUSEMENU | static_cast<WPARAM>(hit), lParam);
      break;
    case HTHSCROLL:
    case HTVSCROLL:
      tracker.startScroll(handle, hit, point);
      break;
    default:
      break;
  }
  return 0;
}

// Fills what the context may draw with the class background: a brush, or a system colour index plus one.
LRESULT eraseBackground(const WindowRecord& window, HDC dc) {
  HBRUSH brush = window.windowClass->background;
  if (brush == nullptr || dc == nullptr) {
    return 0;
  }
  RECT area{};
  GetClipBox(dc, &area);
  return FillRect(dc, &area, brush) != 0 ? 1 : 0;
}

}  // namespace

bool EntersMenuBar(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSKEYDOWN:
      return wParam == VK_F10;
    case WM_SYSKEYUP:
      return wParam == VK_MENU && WindowSystem::get().keyboard().altAlone();
    case WM_SYSCHAR:
      return (lParam & kAltHeld) != 0;
    default:
      return false;
  }
}

LRESULT DefWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowSystem& system = WindowSystem::get();
  WindowRecord* window = system.windows().find(handle);
  if (window == nullptr) {
    return 0;
  }
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
      if (create != nullptr) {
        window->text = boundedText(create->lpszName);
      }
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (rect != nullptr) {
        // A minimised window has no client area.
        *rect = window->isMinimized() ? RECT{rect->left, rect->top, rect->left, rect->top}
                                      : frameLayout(*window, *rect).client;
      }
      return 0;
    }
    case WM_NCHITTEST: {
      NonClientLayout layout = frameLayout(*window, system.windows().screenRect(*window));
      if (window->isMinimized()) {
        // An icon has no client area, and cannot be sized: its frame is a plain border.
        layout.client = RECT{};
        layout.sizing = false;
      }
      return layout.hitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (position != nullptr) {
        sendSizeAndMove(handle, (position->flags & SWP_NOSIZE) == 0, (position->flags & SWP_NOMOVE) == 0);
      }
      return 0;
    }
    case WM_SETTEXT:
      window->text = boundedText(reinterpret_cast<LPCWSTR>(lParam));
      if ((window->style & WS_CAPTION) == WS_CAPTION) {
        frameChanged(handle);  // the caption shows the text
      }
      return TRUE;
    case WM_GETTEXT:
      return copyText(window->text, wParam, lParam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(window->text.size());
    case WM_SETREDRAW:
      window->redraw = wParam != FALSE;
      paintMayBeDue();
      return 0;
    case WM_CLOSE:
      DestroyWindow(handle);
      return 0;
    case WM_MOUSEACTIVATE:
      if (window->isChild()) {
        if (LRESULT answer = SendMessage(window->parent, WM_MOUSEACTIVATE, wParam, lParam); answer != 0) {
          return answer;
        }
      }
      return MA_ACTIVATE;
    case WM_SETCURSOR:
      return setCursor(*window, wParam, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0 &&
          system.focus().activationShouldFocus(handle)) {
        SetFocus(handle);
      }
      return 0;
    case WM_NCACTIVATE:
      window->captionActive = wParam != FALSE;
      frameChanged(handle);
      return TRUE;
    case WM_CANCELMODE:
      if (system.focus().capture() == handle) {
        ReleaseCapture();
      }
      return 0;
    case WM_SYSCOMMAND:
      return systemCommand(handle, wParam, lParam);
    case WM_NCLBUTTONDOWN:
      return nonClientPress(*window, static_cast<LRESULT>(wParam), lParam);
    case WM_NCLBUTTONDBLCLK:
      // A double click on the caption maximises or restores (a minimised window always restores); elsewhere
      // it is a second press (quick clicks on a scroll arrow scroll twice).
      if (static_cast<LRESULT>(wParam) != HTCAPTION) {
        return nonClientPress(*window, static_cast<LRESULT>(wParam), lParam);
      }
      if (window->isMinimized() || window->isMaximized()) {
        SendMessage(handle, WM_SYSCOMMAND, SC_RESTORE, lParam);
      } else if ((window->style & WS_MAXIMIZEBOX) != 0) {
        SendMessage(handle, WM_SYSCOMMAND, SC_MAXIMIZE, lParam);
      }
      return 0;
    case WM_NCPAINT:
      NonClientPainter::paint(handle);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      BeginPaint(handle, &paint);
      EndPaint(handle, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return eraseBackground(*window, reinterpret_cast<HDC>(wParam));
    case WM_SYSKEYDOWN:
      return systemKeyDown(handle, wParam, lParam);
    case WM_SYSKEYUP:
      // Alt pressed and let go alone enters the menu bar.
      if (EntersMenuBar(message, wParam, lParam)) {
        system.keyboard().clearAltAlone();
        SendMessage(system.windows().topLevelOf(handle), WM_SYSCOMMAND, SC_KEYMENU, 0);
      }
      return 0;
    case WM_SYSCHAR:
      // Alt with a character opens the menu with that mnemonic; Alt+Space the system menu, Alt+- a restored
      // document's own (maximised, it stands in the bar).
      if (EntersMenuBar(message, wParam, lParam)) {
        HWND document = wParam == u'-' ? restoredDocumentOf(*window) : nullptr;
        SendMessage(document != nullptr ? document : system.windows().topLevelOf(handle), WM_SYSCOMMAND,
                    SC_KEYMENU, document != nullptr ? LPARAM{u' '} : static_cast<LPARAM>(wParam));
      }
      return 0;
    case WM_SETICON: {
      HICON& slot = wParam == ICON_BIG ? window->bigIcon : window->smallIcon;
      HICON previous = slot;
      slot = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? window->bigIcon : window->smallIcon);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      // The system colours of the control kind, for a parent that leaves its controls' colours alone.
      return reinterpret_cast<LRESULT>(ControlLook::defaultColors(reinterpret_cast<HDC>(wParam), message));
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(window->windowClass->icon);
    default:
      return 0;
  }
}

}  // namespace native
