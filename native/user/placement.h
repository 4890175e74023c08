#pragma once
// Placement steps shared by window creation, ShowWindow and default processing.

#include "native/user/nativetypes.h"

namespace native {

enum class Placement { Normal, Minimized, Maximized };

// Moves the window into the placement (remembering the normal rectangle when leaving it) through
// SetWindowPos with the given extra flags. The window's WS_MINIMIZE and WS_MAXIMIZE flags say where it is.
void setPlacement(HWND window, Placement placement, UINT extraFlags);
// An icon put down by a drag that lies partly outside the area it lives in, or on another icon there, takes a
// free place (IconSlots::settled); any other window stays where it is.
void settleIcon(HWND window);
// Asks the window for its client area (WM_NCCALCSIZE) and records the answer.
void recalculateClient(HWND window);
// WM_SIZE with the client size and the placement kind, then WM_MOVE with the client origin in the parent;
// either may be left out.
void sendSizeAndMove(HWND window, bool size = true, bool move = true);

}  // namespace native
