#include "native/user/clipboard.h"

#include <cstring>
#include <string>

#include "native/user/localtext.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

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

bool isText(UINT format) {
  return format == CF_TEXT || format == CF_UNICODETEXT;
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
  if (changed_ && shared_ != nullptr) {
    shared_->programChanged(holdsText());
  }
  changed_ = false;
  sharedAsked_ = false;
  return true;
}

bool Clipboard::empty() {
  if (!open_) {
    return false;
  }
  freeAll();
  changed_ = true;
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
  changed_ = true;
  return data;
}

HGLOBAL Clipboard::get(UINT format) {
  if (!open_) {
    return nullptr;
  }
  if (isText(format) && !textIsCurrent()) {
    takeSharedText();
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

void Clipboard::takeSharedText() {
  sharedAsked_ = true;
  SharedClipboard::Owner owner = shared_->owner();
  if (owner == SharedClipboard::Owner::ThisProgram) {
    return;
  }
  std::optional<std::string> text =
      owner == SharedClipboard::Owner::OtherProgram ? shared_->otherProgramText() : std::nullopt;
  for (UINT format : {CF_TEXT, CF_UNICODETEXT}) {
    if (auto held = data_.find(format); held != data_.end()) {
      GlobalFree(held->second);
      data_.erase(held);
    }
  }
  freeConverted();
  if (HGLOBAL block = text ? writeText(*text) : nullptr) {
    data_[CF_TEXT] = block;
  }
}

bool Clipboard::available(UINT format) const {
  if (isText(format) && !textIsCurrent()) {
    SharedClipboard::Owner owner = shared_->owner();
    if (owner != SharedClipboard::Owner::ThisProgram) {
      return owner == SharedClipboard::Owner::OtherProgram;
    }
  }
  UINT other = otherTextFormat(format);
  return data_.count(format) != 0 || (other != 0 && data_.count(other) != 0);
}

bool Clipboard::holdsText() const {
  return data_.count(CF_TEXT) != 0 || data_.count(CF_UNICODETEXT) != 0;
}

std::optional<std::string> Clipboard::textForOtherPrograms() const {
  if (auto wide = data_.find(CF_UNICODETEXT); wide != data_.end()) {
    return utf8FromUtf16(readText<char16_t>(wide->second));
  }
  if (auto narrow = data_.find(CF_TEXT); narrow != data_.end()) {
    // Through UTF-16 and back, so that bytes that are not UTF-8 leave as replacement characters.
    return utf8FromUtf16(utf16FromUtf8(readText<char>(narrow->second)));
  }
  return std::nullopt;
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
