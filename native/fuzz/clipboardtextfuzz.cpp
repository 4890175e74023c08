// Offers arbitrary bytes to the clipboard as text: the first byte chooses 8-bit or 16-bit text, the rest is
// the block, terminated or not. Taking the text in the other format and back must settle after one round:
// what comes out the second time is what came out the first.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "native/user/clipboard.h"

namespace {

native::HGLOBAL blockOf(const void* bytes, std::size_t size) {
  native::HGLOBAL block = native::GlobalAlloc(native::GMEM_MOVEABLE, size);
  if (void* target = native::GlobalLock(block)) {
    std::memcpy(target, bytes, size);
    native::GlobalUnlock(block);
  }
  return block;
}

std::string bytesOf(native::HGLOBAL block) {
  const auto* bytes = static_cast<const char*>(native::GlobalLock(block));
  std::string copy = bytes == nullptr ? std::string() : std::string(bytes, native::GlobalSize(block));
  native::GlobalUnlock(block);
  return copy;
}

// Puts the bytes on the clipboard in one format and answers them as taken in the other.
std::string convert(native::UINT from, const std::string& bytes) {
  native::UINT to = from == native::CF_TEXT ? native::CF_UNICODETEXT : native::CF_TEXT;
  native::EmptyClipboard();
  native::SetClipboardData(from, blockOf(bytes.data(), bytes.size()));
  return bytesOf(native::GetClipboardData(to));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) {
    return 0;
  }
  native::UINT format = (data[0] & 1) != 0 ? native::CF_UNICODETEXT : native::CF_TEXT;
  std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  native::OpenClipboard(nullptr);
  std::string first = convert(format, bytes);
  native::UINT other = format == native::CF_TEXT ? native::CF_UNICODETEXT : native::CF_TEXT;
  std::string back = convert(other, first);
  std::string second = convert(format, back);
  native::EmptyClipboard();
  native::CloseClipboard();
  if (first != second) {
    std::abort();
  }
  return 0;
}
