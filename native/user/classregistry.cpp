#include "native/user/classregistry.h"

#include <limits>

#include "native/user/styles.h"
#include "native/user/windowapi.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

char16_t asciiLower(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

bool sameName(const std::u16string& name, LPCWSTR other) {
  std::size_t i = 0;
  for (; other[i] != 0; ++i) {
    if (i >= name.size() || asciiLower(name[i]) != asciiLower(other[i])) {
      return false;
    }
  }
  return i == name.size();
}

// Class names are bounded so that a runaway pointer cannot walk through memory for ever.
constexpr std::size_t kMaxClassNameLength = 255;

bool usableName(LPCWSTR name) {
  if (name == nullptr || IS_INTRESOURCE(name) || name[0] == 0) {
    return false;
  }
  for (std::size_t i = 0; i <= kMaxClassNameLength; ++i) {
    if (name[i] == 0) {
      return true;
    }
  }
  return false;
}

WNDCLASS defaultProcessingClass(LPCWSTR name) {
  WNDCLASS description{};
  description.lpfnWndProc = DefWindowProc;
  description.lpszClassName = name;
  return description;
}

}  // namespace

ClassRegistry::ClassRegistry() {
  // Registered in this order, the desktop gets atom 0x8001 and the dialog class the fixed atom 0x8002 that
  // the framework passes as its class name.
  add(defaultProcessingClass(desktopClassName()), true);
  WNDCLASS dialog = defaultProcessingClass(u"#32770");
  dialog.style = CS_DBLCLKS | CS_SAVEBITS;
  add(dialog, true);
}

ATOM ClassRegistry::add(const WNDCLASS& description, bool system) {
  if (description.lpfnWndProc == nullptr || description.cbClsExtra < 0 || description.cbWndExtra < 0 ||
      !usableName(description.lpszClassName) || find(description.lpszClassName) != nullptr) {
    return 0;
  }
  ATOM& next = system ? nextSystemAtom_ : nextUserAtom_;
  if (next == (system ? ATOM{0xBFFF} : std::numeric_limits<ATOM>::max())) {
    return 0;
  }
  auto record = std::make_unique<WindowClass>();
  record->atom = next++;
  record->name = description.lpszClassName;
  record->style = description.style;
  record->procedure = description.lpfnWndProc;
  record->classExtraBytes = description.cbClsExtra;
  record->windowExtraBytes = description.cbWndExtra;
  record->instance = description.hInstance;
  record->icon = description.hIcon;
  record->cursor = description.hCursor;
  record->background = description.hbrBackground;
  record->system = system;
  ATOM atom = record->atom;
  classes_.push_back(std::move(record));
  return atom;
}

WindowClass* ClassRegistry::find(LPCWSTR nameOrAtom) const {
  if (nameOrAtom == nullptr) {
    return nullptr;
  }
  bool byAtom = IS_INTRESOURCE(nameOrAtom);
  if (!byAtom && !usableName(nameOrAtom)) {
    return nullptr;
  }
  for (const auto& record : classes_) {
    if (byAtom ? record->atom == reinterpret_cast<std::uintptr_t>(nameOrAtom)
               : sameName(record->name, nameOrAtom)) {
      return record.get();
    }
  }
  return nullptr;
}

bool ClassRegistry::remove(LPCWSTR nameOrAtom) {
  WindowClass* record = find(nameOrAtom);
  if (record == nullptr || record->system || record->windowCount > 0) {
    return false;
  }
  std::erase_if(classes_, [record](const auto& candidate) { return candidate.get() == record; });
  return true;
}

ATOM RegisterClass(const WNDCLASS* description) {
  return description == nullptr ? 0 : WindowSystem::get().classes().add(*description, false);
}

ATOM RegisterSystemClass(const WNDCLASS* description) {
  return description == nullptr ? 0 : WindowSystem::get().classes().add(*description, true);
}

BOOL UnregisterClass(LPCWSTR nameOrAtom, HINSTANCE) {
  return WindowSystem::get().classes().remove(nameOrAtom) ? TRUE : FALSE;
}

BOOL GetClassInfo(HINSTANCE, LPCWSTR nameOrAtom, WNDCLASS* description) {
  const WindowClass* record = WindowSystem::get().classes().find(nameOrAtom);
  if (record == nullptr || description == nullptr) {
    return FALSE;
  }
  *description =
      WNDCLASS{record->style,    record->procedure,   record->classExtraBytes, record->windowExtraBytes,
               record->instance, record->icon,        record->cursor,          record->background,
               nullptr,          record->name.c_str()};
  return TRUE;
}

ULONG_PTR GetClassLong(HWND window, int index) {
  const WindowRecord* record = WindowSystem::get().windows().find(window);
  if (record == nullptr) {
    return 0;
  }
  const WindowClass& windowClass = *record->windowClass;
  switch (index) {
    case GCL_WNDPROC:
      return reinterpret_cast<ULONG_PTR>(windowClass.procedure);
    case GCL_STYLE:
      return windowClass.style;
    case GCL_HCURSOR:
      return reinterpret_cast<ULONG_PTR>(windowClass.cursor);
    case GCL_HICON:
      return reinterpret_cast<ULONG_PTR>(windowClass.icon);
    case GCL_HBRBACKGROUND:
      return reinterpret_cast<ULONG_PTR>(windowClass.background);
    case GCL_CBWNDEXTRA:
      return static_cast<ULONG_PTR>(windowClass.windowExtraBytes);
    case GCL_CBCLSEXTRA:
      return static_cast<ULONG_PTR>(windowClass.classExtraBytes);
    default:
      return 0;
  }
}

}  // namespace native
