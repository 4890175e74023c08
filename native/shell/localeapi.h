#pragma once
// Locale information, the code page, the profile's "Intl" section and the program's own path. Every answer
// comes from the process locale as it stands at the call.

#include "native/shell/localeinfo.h"
#include "native/user/nativetypes.h"

namespace native {

inline constexpr UINT CP_UTF8 = 65001;

// Writes the answer with its terminating 0 into `buffer` of `size` characters and returns the characters
// written, 0 included. A size of 0 asks for the size needed. 0 when the kind is unknown or the buffer is too
// small (nothing is written then). Any locale identifier answers for the process locale.
int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR buffer, int size);
// The same in 8-bit text (UTF-8).
int GetLocaleInfoA(LCID locale, LCTYPE type, char* buffer, int size);
LCID GetUserDefaultLCID();
// Texts are UTF-8.
UINT GetACP();

// There is no profile: the default comes back, cut to the buffer with its terminating 0, and the number of
// characters written without the 0 is returned.
DWORD GetProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultText, LPWSTR buffer, DWORD size);
UINT GetProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue);

// The running program's full path. Writes at most `size` characters, the terminating 0 included, cutting
// a longer path, and returns the characters written without the 0; 0 when the path cannot be read.
DWORD GetModuleFileNameW(HINSTANCE module, LPWSTR buffer, DWORD size);

}  // namespace native
