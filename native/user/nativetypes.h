#pragma once
// Scalar types, handles, records and packing helpers of the native window system. The names are the ones the
// framework's back-end is written against; values that travel in message parameters or user data are
// pointer-sized, and 16-bit text is char16_t.

#include <cstdint>

namespace native {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using LONG = std::int32_t;  // 32 bits, as the window system's own longs
using SHORT = std::int16_t;
using BOOL = std::int32_t;
using ATOM = std::uint16_t;
using WCHAR = char16_t;
using LPCWSTR = const WCHAR*;
using LPWSTR = WCHAR*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using UINT_PTR = std::uintptr_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR; 0x01000000 + k names palette entry k

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// Handles are opaque: each kind is its own pointer type, so one cannot be passed where another is meant.
// Their values encode a table slot and a generation (see HandleTable); they are never dereferenced.
struct HWND__;
using HWND = HWND__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
struct HMENU__;
using HMENU = HMENU__*;
struct HICON__;
using HICON = HICON__*;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
// Kernel objects: named counters, the current process and thread.
struct HANDLE__;
using HANDLE = HANDLE__*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

struct POINT {
  LONG x;
  LONG y;
};

struct SIZE {
  LONG cx;
  LONG cy;
};

// Right and bottom are exclusive: the width is right - left.
struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};

struct WNDCLASS {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
};

struct CREATESTRUCT {
  void* lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCWSTR lpszName;
  LPCWSTR lpszClass;
  DWORD dwExStyle;
};

struct WINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
};

struct MDICREATESTRUCT {
  LPCWSTR szClass;
  LPCWSTR szTitle;
  HINSTANCE hOwner;
  int x;
  int y;
  int cx;
  int cy;
  DWORD style;
  LPARAM lParam;
};

// The 8-bit form of MDICREATESTRUCT that SendMessageA takes: texts in the local code page.
struct MDICREATESTRUCTA {
  const char* szClass;
  const char* szTitle;
  HINSTANCE hOwner;
  int x;
  int y;
  int cx;
  int cy;
  DWORD style;
  LPARAM lParam;
};

struct CLIENTCREATESTRUCT {
  HMENU hWindowMenu;
  UINT idFirstChild;
};

struct OSVERSIONINFO {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
};

// Packing helpers. Words are unsigned 16-bit halves; the mouse position halves are signed.
constexpr WORD LOWORD(std::uintptr_t value) {
  return static_cast<WORD>(value & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t value) {
  return static_cast<WORD>((value >> 16) & 0xFFFF);
}
constexpr BYTE LOBYTE(std::uintptr_t value) {
  return static_cast<BYTE>(value & 0xFF);
}
constexpr BYTE HIBYTE(std::uintptr_t value) {
  return static_cast<BYTE>((value >> 8) & 0xFF);
}
constexpr LONG MAKELONG(std::uintptr_t low, std::uintptr_t high) {
  return static_cast<LONG>(static_cast<DWORD>(LOWORD(low)) | (static_cast<DWORD>(LOWORD(high)) << 16));
}
// The two packed words travel zero-extended in the pointer-sized parameters.
constexpr WPARAM MAKEWPARAM(std::uintptr_t low, std::uintptr_t high) {
  return static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(low, high)));
}
constexpr LPARAM MAKELPARAM(std::uintptr_t low, std::uintptr_t high) {
  return static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(low, high)));
}
constexpr LRESULT MAKELRESULT(std::uintptr_t low, std::uintptr_t high) {
  return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(low, high)));
}
constexpr int GET_X_LPARAM(LPARAM value) {
  return static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(value)));
}
constexpr int GET_Y_LPARAM(LPARAM value) {
  return static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(value)));
}
constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
  return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) |
         (static_cast<COLORREF>(blue) << 16);
}
constexpr BYTE GetRValue(COLORREF color) {
  return static_cast<BYTE>(color & 0xFF);
}
constexpr BYTE GetGValue(COLORREF color) {
  return static_cast<BYTE>((color >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF color) {
  return static_cast<BYTE>((color >> 16) & 0xFF);
}
constexpr COLORREF PALETTEINDEX(WORD index) {
  return 0x01000000u | index;
}

// Class names and resource names may be small integers (atoms, resource numbers) carried in the pointer.
inline LPCWSTR MAKEINTATOM(ATOM atom) {
  return reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(atom));
}
inline LPCWSTR MAKEINTRESOURCE(WORD id) {
  return reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(id));
}
inline bool IS_INTRESOURCE(LPCWSTR name) {
  return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

// A built-in resource's number where a name is expected (the standard pointer shapes, the application icon).
// Unlike a pointer made by MAKEINTRESOURCE it is a compile-time constant, so a table of them holds its values
// before any code runs, whatever order the program's parts start in; id 0 names none.
struct IntResource {
  WORD id = 0;
  operator LPCWSTR() const { return MAKEINTRESOURCE(id); }
};

}  // namespace native
