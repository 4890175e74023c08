#pragma once
// The default processing of MDI frames and MDI children, and the MDI keys. A frame's procedure passes what
// it does not handle to DefFrameProc with its MDI client; a child's to DefMDIChildProc.

#include "native/user/nativetypes.h"

namespace native {

// Menu commands at 0xF000 and up (the maximised child's system menu in the bar) go to the active child as
// WM_SYSCOMMAND; WM_SIZE fits the client into the frame's client area; the focus passes to the client.
LRESULT DefFrameProc(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam);
// Minimise, maximise, restore, close and next window for a child, through its client; a click or the focus
// activates the child.
LRESULT DefMDIChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
// Ctrl+F4 closes the active child, Ctrl+F6 (Ctrl+Shift+F6) activates the next (previous) one. TRUE when the
// message was such a key and has been handled.
BOOL TranslateMDISysAccel(HWND client, const MSG* message);

}  // namespace native
