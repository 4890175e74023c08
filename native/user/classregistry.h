#pragma once
// The window classes: registered by name (compared without regard to ASCII case) and known by atom. System
// classes (the desktop, the dialog class 0x8002 and the standard controls that later layers add) cannot be
// unregistered; a class cannot be unregistered while windows of it exist.

#include <memory>
#include <string>
#include <vector>

#include "native/user/nativetypes.h"

namespace native {

// The atom of the dialog class; it may be passed wherever a class name is expected (MAKEINTATOM).
inline constexpr ATOM kDialogClassAtom = 0x8002;

struct WindowClass {
  ATOM atom = 0;
  std::u16string name;
  UINT style = 0;
  WNDPROC procedure = nullptr;
  int classExtraBytes = 0;
  int windowExtraBytes = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  bool system = false;
  int windowCount = 0;  // windows of this class that exist
};

class ClassRegistry {
 public:
  // Registers the desktop class and the dialog class, both with default processing.
  ClassRegistry();

  // 0 when the name is taken, missing, or the description is unusable (no procedure, negative extra bytes).
  ATOM add(const WNDCLASS& description, bool system);
  WindowClass* find(LPCWSTR nameOrAtom) const;
  bool remove(LPCWSTR nameOrAtom);

  static const WCHAR* desktopClassName() { return u"#32769"; }

 private:
  std::vector<std::unique_ptr<WindowClass>> classes_;
  ATOM nextUserAtom_ = 0xC000;
  ATOM nextSystemAtom_ = kDialogClassAtom - 1;
};

ATOM RegisterClass(const WNDCLASS* description);
// Registers a class that stays for the life of the window system (the predefined controls).
ATOM RegisterSystemClass(const WNDCLASS* description);
BOOL UnregisterClass(LPCWSTR nameOrAtom, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, LPCWSTR nameOrAtom, WNDCLASS* description);
// Pointer-sized: GCL_WNDPROC answers the class procedure, the one that subclassed windows fall back on.
ULONG_PTR GetClassLong(HWND window, int index);

}  // namespace native
