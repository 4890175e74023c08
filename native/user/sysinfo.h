#pragma once
// What the program learns about the system it runs on, and the beep.

#include "native/user/nativetypes.h"

namespace native {

inline constexpr DWORD VER_PLATFORM_WIN32s = 0;
inline constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

// Answers version 4.0 of the NT platform, so callers take their wide-character paths, treat the shell as the
// new one and load no add-on control library. FALSE unless dwOSVersionInfoSize is the record's size.
BOOL GetVersionEx(OSVERSIONINFO* info);
// There is no sound; the request is counted (tests read it) and answered TRUE.
BOOL MessageBeep(UINT type);
// Milliseconds from the window system's clock, wrapping at 32 bits.
DWORD GetTickCount();

}  // namespace native
