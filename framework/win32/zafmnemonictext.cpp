#include "framework/win32/zafmnemonictext.h"

#include <string_view>

std::unique_ptr<ZafIChar[]> ZafMnemonicText(const ZafIChar* text, int32_t hotKeyIndex) {
  if (!text) {
    return nullptr;
  }
  const std::basic_string_view<ZafIChar> source(text);
  std::size_t ampersands = 0;
  for (const ZafIChar character : source) {
    ampersands += character == u'&' ? 1 : 0;
  }
  // Room for the doubled marks, the inserted mark and the terminator.
  auto result = std::make_unique<ZafIChar[]>(source.size() + ampersands + 2);
  std::size_t out = 0;
  for (std::size_t index = 0; index < source.size(); ++index) {
    if (hotKeyIndex >= 0 && index == static_cast<std::size_t>(hotKeyIndex)) {
      result[out++] = u'&';
    }
    if (source[index] == u'&') {
      result[out++] = u'&';
    }
    result[out++] = source[index];
  }
  result[out] = 0;
  return result;
}
