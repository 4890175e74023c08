#pragma once
// Menus: menu bars, pop-up menus and their entries, a window's menu bar and system menu, and context menus
// tracked with TrackPopupMenu. Entries are found by position (MF_BYPOSITION) or by command (MF_BYCOMMAND,
// searched through the cascades as well; a cascade's command is its submenu's handle).

#include "native/user/nativetypes.h"

namespace native {

// Entry kinds and states. MF_STRING, MF_ENABLED, MF_UNCHECKED and MF_BYCOMMAND are the zero defaults.
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
// A bar entry drawn as the caption box of its command (SC_MINIMIZE, SC_RESTORE or SC_CLOSE), without text.
inline constexpr UINT MF_BITMAP = 0x0004;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_HILITE = 0x0080;  // WM_MENUSELECT: the entry is highlighted
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr UINT MF_SYSMENU = 0x2000;  // WM_MENUSELECT: the entry is in the system menu
// This bar entry and the ones after it stand at the bar's right end.
inline constexpr UINT MF_RIGHTJUSTIFY = 0x4000;

// TrackPopupMenu: with TPM_RIGHTBUTTON the right button chooses as well as the left.
inline constexpr UINT TPM_LEFTBUTTON = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;

// WM_ENTERIDLE's wParam while a menu waits for input.
inline constexpr WPARAM MSGF_MENU = 2;

// Whether DefWindowProc enters the menu bar on this key message: F10, Alt pressed and let go with no other
// key or button pressed between, Alt with a character. The menu lasts only while it holds the pointer
// capture, so a window that keeps the capture lets go of it before such a key goes on.
bool EntersMenuBar(UINT message, WPARAM wParam, LPARAM lParam);

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and the cascades below it.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);

// With MF_POPUP the id is the handle of the submenu, which may not contain the menu it is put into. The text
// is read up to its terminator; "&x" underlines x, "&&" shows "&", and a tab starts the hot-key text.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text);
// By position, -1 (or a position past the end) appends; by command, the new entry goes before that entry.
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR text);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR text);
// Takes an entry out; a cascade's submenu lives on.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
// Takes an entry out and destroys a cascade's submenu.
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);

// Answer the previous state (MF_GRAYED, MF_DISABLED; MF_CHECKED) or -1 when there is no such entry.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
// The entry's flags; for a cascade, the number of its entries in the high byte. -1 when there is none.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// -1 for a menu that does not exist.
int GetMenuItemCount(HMENU menu);
// The command of the entry at the position; -1 for a cascade or no entry, 0 for a separator.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);

// The menu bar of a top-level window (null removes it); the frame makes room for it.
BOOL SetMenu(HWND window, HMENU menu);
HMENU GetMenu(HWND window);
// Draws the bar again after its entries changed.
BOOL DrawMenuBar(HWND window);
// FALSE: the window's own copy of the system menu, made on first use, which the program may change. TRUE:
// the window goes back to the standard system menu; answers null.
HMENU GetSystemMenu(HWND window, BOOL revert);

// Shows a pop-up menu at a screen point and tracks it until it closes. A choice is posted to the owner as
// WM_COMMAND before the call returns. FALSE when the menu or owner does not exist or another menu is open.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* reservedRect);

}  // namespace native
