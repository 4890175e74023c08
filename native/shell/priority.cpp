#include "native/shell/priority.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

namespace native {

namespace {

// How far a raised priority goes: enough to be served before ordinary programs, far from the values that
// could starve the rest of the system.
constexpr int kRaisedNice = -5;

// Lowers the calling thread's nice value to kRaisedNice when it is higher; without the right to do so
// (EPERM, EACCES) the thread stays as it is.
void raiseCallingThread() {
  const pid_t thread = gettid();
  errno = 0;
  int current = getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
  if (errno == 0 && current > kRaisedNice) {
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(thread), kRaisedNice);
  }
}

}  // namespace

HANDLE GetCurrentProcess() {
  return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
}

HANDLE GetCurrentThread() {
  return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-2));
}

BOOL SetPriorityClass(HANDLE process, DWORD priorityClass) {
  // Nice values belong to threads on Linux: raising "the process" raises the thread that asks, which is
  // the GUI thread when the program starts.
  if (process == GetCurrentProcess() &&
      (priorityClass == HIGH_PRIORITY_CLASS || priorityClass == REALTIME_PRIORITY_CLASS)) {
    raiseCallingThread();
  }
  return TRUE;
}

BOOL SetThreadPriority(HANDLE thread, int priority) {
  if (thread == GetCurrentThread() && priority > THREAD_PRIORITY_NORMAL) {
    raiseCallingThread();
  }
  return TRUE;
}

}  // namespace native
