#pragma once
// Process and thread priorities, best effort. Linux nice values are absolute and shared by the window's
// own thread, so a request to go below normal is not followed: a "lowest" GUI thread would starve its
// window. Requests above normal try a modest raise and quietly stay normal when the system refuses.

#include "native/user/nativetypes.h"

namespace native {

inline constexpr DWORD IDLE_PRIORITY_CLASS = 0x40;
inline constexpr DWORD NORMAL_PRIORITY_CLASS = 0x20;
inline constexpr DWORD HIGH_PRIORITY_CLASS = 0x80;
inline constexpr DWORD REALTIME_PRIORITY_CLASS = 0x100;
inline constexpr int THREAD_PRIORITY_LOWEST = -2;
inline constexpr int THREAD_PRIORITY_NORMAL = 0;
inline constexpr int THREAD_PRIORITY_HIGHEST = 2;

// Stand-ins that name the calling process and thread.
HANDLE GetCurrentProcess();
HANDLE GetCurrentThread();
// Always TRUE: the priority is a wish, and the program runs the same without it.
BOOL SetPriorityClass(HANDLE process, DWORD priorityClass);
BOOL SetThreadPriority(HANDLE thread, int priority);

}  // namespace native
