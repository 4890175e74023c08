// Feeds arbitrary text to the desktop's environment settings: the input is split at its first zero byte into
// the size text and the resolution text. Whatever comes in, the answer must be a sane desktop.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "native/host/desktop.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::size_t split = text.find('\0');
  std::string sizeText = text.substr(0, split);
  std::string dpiText = split == std::string::npos ? std::string() : text.substr(split + 1);
  native::DesktopOptions options = native::DesktopOptions::parse(sizeText.c_str(), dpiText.c_str());
  if (options.width < 64 || options.width > 16384 || options.height < 64 || options.height > 16384 ||
      options.dpi < 48 || options.dpi > 480) {
    std::abort();
  }
  return 0;
}
