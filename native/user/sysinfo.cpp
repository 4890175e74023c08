#include "native/user/sysinfo.h"

#include "native/user/windowsystem.h"

namespace native {

BOOL GetVersionEx(OSVERSIONINFO* info) {
  if (info == nullptr || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFO)) {
    return FALSE;
  }
  *info = OSVERSIONINFO{sizeof(OSVERSIONINFO), 4, 0, 1381, VER_PLATFORM_WIN32_NT, {}};
  return TRUE;
}

BOOL MessageBeep(UINT) {
  WindowSystem::get().beep();
  return TRUE;
}

DWORD GetTickCount() {
  return static_cast<DWORD>(WindowSystem::get().clock().nowMs());
}

}  // namespace native
