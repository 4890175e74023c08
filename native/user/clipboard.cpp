#include "native/user/clipboard.h"

#include <cstring>
#include <string>

#include "native/user/windowsystem.h"

namespace native {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// The text in a block, up to its terminator or its end, whichever comes first.
template <typename Char>
std::basic_string<Char> readText(HGLOBAL block) {
  std::size_t count = GlobalSize(block) / sizeof(Char);
  const auto* bytes = static_cast<const Char*>(GlobalLock(block));
  std::basic_string<Char> text;
  if (bytes != nullptr) {
    std::size_t length = 0;
    while (length < count && bytes[length] != 0) {
      ++length;
    }
    text.assign(bytes, length);
    GlobalUnlock(block);
  }
  return text;
}

template <typename Char>
HGLOBAL writeText(const std::basic_string<Char>& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(Char));
  void* bytes = GlobalLock(block);
  if (bytes == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(bytes, text.c_str(), (text.size() + 1) * sizeof(Char));
  GlobalUnlock(block);
  return block;
}

void appendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// Lone surrogates become U+FFFD.
std::string utf8FromUtf16(const std::u16string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      appendUtf8(out, kReplacement);
    } else {
      appendUtf8(out, unit);
    }
  }
  return out;
}

// Malformed, overlong and out-of-range sequences become U+FFFD, one per bad byte.
std::u16string utf16FromUtf8(const std::string& text) {
  std::u16string out;
  std::size_t i = 0;
  while (i < text.size()) {
    auto lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80           ? 0
                : (lead >> 5) == 0x6  ? 1
                : (lead >> 4) == 0xE  ? 2
                : (lead >> 3) == 0x1E ? 3
                                      : -1;
    char32_t code = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
    bool good = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size();
    for (int k = 1; good && k <= extra; ++k) {
      auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      good = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (!good || code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

UINT otherTextFormat(UINT format) {
  return format == CF_TEXT ? CF_UNICODETEXT : format == CF_UNICODETEXT ? CF_TEXT : 0;
}

Clipboard& clipboard() {
  return WindowSystem::get().clipboard();
}

}  // namespace

Clipboard::~Clipboard() {
  freeAll();
}

bool Clipboard::open(HWND window) {
  if (open_ && openedBy_ != window) {
    return false;
  }
  open_ = true;
  openedBy_ = window;
  return true;
}

bool Clipboard::close() {
  if (!open_) {
    return false;
  }
  open_ = false;
  openedBy_ = nullptr;
  return true;
}

bool Clipboard::empty() {
  if (!open_) {
    return false;
  }
  freeAll();
  return true;
}

void Clipboard::freeAll() {
  for (auto& [format, block] : data_) {
    GlobalFree(block);
  }
  data_.clear();
  freeConverted();
}

void Clipboard::freeConverted() {
  for (auto& [format, block] : converted_) {
    GlobalFree(block);
  }
  converted_.clear();
}

HGLOBAL Clipboard::set(UINT format, HGLOBAL data) {
  // An unknown handle (and an empty block, which holds nothing to take) is refused.
  if (!open_ || GlobalSize(data) == 0) {
    return nullptr;
  }
  HGLOBAL& slot = data_[format];
  if (slot != nullptr && slot != data) {
    GlobalFree(slot);
  }
  slot = data;
  freeConverted();
  return data;
}

HGLOBAL Clipboard::get(UINT format) {
  if (!open_) {
    return nullptr;
  }
  if (auto found = data_.find(format); found != data_.end()) {
    return found->second;
  }
  return convertText(format);
}

HGLOBAL Clipboard::convertText(UINT format) {
  UINT source = otherTextFormat(format);
  auto found = data_.find(source);
  if (found == data_.end()) {
    return nullptr;
  }
  if (auto made = converted_.find(format); made != converted_.end()) {
    return made->second;
  }
  HGLOBAL block = format == CF_TEXT ? writeText(utf8FromUtf16(readText<char16_t>(found->second)))
                                    : writeText(utf16FromUtf8(readText<char>(found->second)));
  if (block != nullptr) {
    converted_[format] = block;
  }
  return block;
}

bool Clipboard::available(UINT format) const {
  UINT other = otherTextFormat(format);
  return data_.count(format) != 0 || (other != 0 && data_.count(other) != 0);
}

BOOL OpenClipboard(HWND window) {
  return clipboard().open(window) ? TRUE : FALSE;
}

BOOL CloseClipboard() {
  return clipboard().close() ? TRUE : FALSE;
}

BOOL EmptyClipboard() {
  return clipboard().empty() ? TRUE : FALSE;
}

HGLOBAL SetClipboardData(UINT format, HGLOBAL data) {
  return clipboard().set(format, data);
}

HGLOBAL GetClipboardData(UINT format) {
  return clipboard().get(format);
}

BOOL IsClipboardFormatAvailable(UINT format) {
  return clipboard().available(format) ? TRUE : FALSE;
}

}  // namespace native
