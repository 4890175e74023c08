#include "native/shell/localeapi.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <string>

#include "foundation/kstring.h"

namespace native {

namespace {

// Copies the text and its terminating 0 when they fit; the GetLocaleInfo rules for sizes.
template <typename Char>
int answer(const std::basic_string<Char>& text, Char* buffer, int size) {
  const int needed = static_cast<int>(text.size()) + 1;
  if (size == 0) {
    return needed;
  }
  if (buffer == nullptr || size < needed) {
    return 0;
  }
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = 0;
  return needed;
}

std::optional<KString> processAnswer(LCTYPE type) {
  return LocaleInfo::Process().text(type);
}

// Copies as much of the text as fits with its terminating 0; answers the characters copied without the 0.
DWORD copyCut(const std::u16string& text, LPWSTR buffer, DWORD size) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  DWORD count = std::min<DWORD>(static_cast<DWORD>(text.size()), size - 1);
  std::copy_n(text.begin(), count, buffer);
  buffer[count] = 0;
  return count;
}

}  // namespace

int GetLocaleInfoW(LCID, LCTYPE type, LPWSTR buffer, int size) {
  std::optional<KString> text = processAnswer(type);
  if (!text.has_value() || size < 0) {
    return 0;
  }
  return answer(std::u16string(text->Data(), static_cast<std::size_t>(text->Length())), buffer, size);
}

int GetLocaleInfoA(LCID, LCTYPE type, char* buffer, int size) {
  std::optional<KString> text = processAnswer(type);
  if (!text.has_value() || size < 0) {
    return 0;
  }
  return answer(text->ToUtf8(), buffer, size);
}

LCID GetUserDefaultLCID() {
  return LocaleInfo::Process().identifier();
}

UINT GetACP() {
  return CP_UTF8;
}

DWORD GetProfileStringW(LPCWSTR, LPCWSTR, LPCWSTR defaultText, LPWSTR buffer, DWORD size) {
  return copyCut(defaultText == nullptr ? std::u16string() : std::u16string(defaultText), buffer, size);
}

UINT GetProfileIntW(LPCWSTR, LPCWSTR, INT defaultValue) {
  return static_cast<UINT>(defaultValue);
}

DWORD GetModuleFileNameW(HINSTANCE, LPWSTR buffer, DWORD size) {
  std::string path(PATH_MAX, '\0');
  ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) {
    return 0;
  }
  path.resize(static_cast<std::size_t>(length));
  KString wide = KString::FromUtf8(path);
  return copyCut(std::u16string(wide.Data(), static_cast<std::size_t>(wide.Length())), buffer, size);
}

}  // namespace native
