// The program's own event codes, which toolkit objects, the application's loop and the program's windows
// send one another, and the results of the application's loop.
#ifndef TOOLKIT_KZEVENTS_H
#define TOOLKIT_KZEVENTS_H

#include "framework/core/zafeventtypes.h"

// To a toolkit object: its mix-in makes it take the focus.
inline constexpr ZafEventType LeechNotifyEvent = 10016;
// From an in-place editor to its selector, ahead of everything queued: close the edit (value: the reason).
inline constexpr ZafEventType EndEditEvent = 10017;
// To the main frame before the program ends: a non-zero answer lets it end.
inline constexpr ZafEventType QueryExitEvent = 10019;
// From the menu bar to its owner as a menu opens: enable and check the commands that apply now.
inline constexpr ZafEventType UpdateMenuEvent = 10020;
// To the main frame on every idle pass of the loop.
inline constexpr ZafEventType IdleTickEvent = 10021;
// The settings editor's request for a new entry.
inline constexpr ZafEventType RegistryNewEvent = 10023;
// The logical key event that stops a long operation (the Escape key).
inline constexpr ZafEventType BreakEvent = 1010;

// Results of the loop: nothing happened yet; the modal window lost its native window; the program exits.
// A modal dialog's loop also ends with a button's result, DialogResultFirst to DialogResultLast.
inline constexpr ZafEventType LoopStartResult = -2;
inline constexpr ZafEventType LoopModalGoneResult = -3;
inline constexpr ZafEventType LoopExitResult = -32;
inline constexpr ZafEventType DialogResultFirst = -2999;
inline constexpr ZafEventType DialogResultLast = -2000;
// The exit function's answer that refuses the exit.
inline constexpr ZafEventType ExitRefusedResult = -7;

#endif
