#pragma once
// Named semaphores, built on NamedCounter: the count is shared by every process of the user that holds
// the name, and disappears with the last holder, also when that holder was killed.

#include "native/user/nativetypes.h"

namespace native {

inline constexpr DWORD SEMAPHORE_ALL_ACCESS = 0x1F0003;

// Joins the living semaphore of that name, or starts it at `initial` (null on bad counts or names).
HANDLE CreateSemaphoreA(void* attributes, LONG initial, LONG maximum, const char* name);
// Joins the living semaphore of that name; null when no process holds it.
HANDLE OpenSemaphoreA(DWORD access, BOOL inherit, const char* name);
// Adds `count` and gives the count before it; FALSE (and no change) past the maximum.
BOOL ReleaseSemaphore(HANDLE semaphore, LONG count, LONG* previous);
// Lets go of a semaphore handle; FALSE for a handle that is not open.
BOOL CloseHandle(HANDLE handle);

}  // namespace native
