#include "native/controls/mdiprocedures.h"

#include "native/controls/mdiclient.h"

#include "native/user/focusmanager.h"
#include "native/user/keyboard.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowapi.h"
#include "native/user/windowpos.h"

namespace native {

namespace {

// The first word of a system command names it; the low four bits carry details.
constexpr WPARAM kCommandMask = 0xFFF0;
constexpr WORD kFirstSystemCommand = 0xF000;

HWND activeChild(HWND client) {
  return reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, 0));
}

}  // namespace

LRESULT DefFrameProc(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) >= kFirstSystemCommand && client != nullptr) {
        if (HWND child = activeChild(client)) {
          SendMessage(child, WM_SYSCOMMAND, LOWORD(wParam), lParam);
        }
        return 0;
      }
      break;
    case WM_SIZE:
      if (client != nullptr) {
        RECT area{};
        GetClientRect(frame, &area);
        MoveWindow(client, 0, 0, area.right, area.bottom, TRUE);
      }
      return 0;
    case WM_SETFOCUS:
      if (client != nullptr) {
        SetFocus(client);
        return 0;
      }
      break;
    case WM_SETTEXT:
      // While a document is maximised the caption also names it: the client keeps the frame's own title.
      if (client != nullptr) {
        BOOL maximized = FALSE;
        SendMessage(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
        if (maximized != FALSE) {
          return SendMessage(client, kMdiFrameTitleMessage, wParam, lParam);
        }
      }
      break;
    case WM_NCACTIVATE:
      // The active document's caption turns inactive and active again with the frame's, so only the window
      // that has the keys shows an active caption.
      if (client != nullptr) {
        if (HWND child = activeChild(client)) {
          SendMessage(child, WM_NCACTIVATE, wParam, 0);
        }
      }
      break;
    default:
      break;
  }
  return DefWindowProc(frame, message, wParam, lParam);
}

LRESULT DefMDIChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND client = GetParent(child);
  auto self = reinterpret_cast<WPARAM>(child);
  switch (message) {
    case WM_SYSCOMMAND:
      switch (wParam & kCommandMask) {
        case SC_MAXIMIZE:
          SendMessage(client, WM_MDIMAXIMIZE, self, 0);
          return 0;
        case SC_RESTORE:
          SendMessage(client, WM_MDIRESTORE, self, 0);
          return 0;
        case SC_NEXTWINDOW:
          SendMessage(client, WM_MDINEXT, self, 0);
          return 0;
        default:
          break;  // minimise, close, move and size as any window
      }
      break;
    case WM_CLOSE:
      SendMessage(client, WM_MDIDESTROY, self, 0);
      return 0;
    case WM_SIZE:
      // The client hears of placements it did not make itself (a minimise from the system menu).
      SendMessage(client, WM_MDIREFRESHMENU, 0, 0);
      break;
    case WM_SETTEXT: {
      // A maximised document's new title reaches the frame's caption.
      const LRESULT result = DefWindowProc(child, message, wParam, lParam);
      SendMessage(client, WM_MDIREFRESHMENU, 0, 0);
      return result;
    }
    case WM_MOUSEACTIVATE:
    case WM_SETFOCUS:
      if (activeChild(client) != child) {
        SendMessage(client, WM_MDIACTIVATE, self, 0);
      }
      break;
    default:
      break;
  }
  return DefWindowProc(child, message, wParam, lParam);
}

BOOL TranslateMDISysAccel(HWND client, const MSG* message) {
  if (message == nullptr || (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN) ||
      GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) {
    return FALSE;
  }
  HWND child = activeChild(client);
  if (child == nullptr || IsWindowEnabled(child) == FALSE) {
    return FALSE;
  }
  switch (message->wParam) {
    case VK_F4:
      PostMessage(child, WM_SYSCOMMAND, SC_CLOSE, 0);
      return TRUE;
    case VK_F6:
      SendMessage(client, WM_MDINEXT, reinterpret_cast<WPARAM>(child), GetKeyState(VK_SHIFT) < 0 ? 1 : 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace native
