#include "app/servicecommand.h"

#include <algorithm>
#include <cstring>

KString ServiceCommandText(const uint8_t* bytes, std::size_t size) {
  const std::size_t units = std::min(size / 2, static_cast<std::size_t>(kMaxServiceCommandLength));
  KString text;
  for (std::size_t i = 0; i < units; ++i) {
    // The units come in the machine's own order, as the service wrote them.
    char16_t unit = 0;
    std::memcpy(&unit, bytes + 2 * i, sizeof unit);
    if (unit == 0) {
      break;
    }
    text.AppendChar(unit);
  }
  return text;
}

std::optional<KString> OpenEventFileOf(const KString& command) {
  KString keyword;
  if (!keyword.GetField(command, 0, u',') || !KString::Equals(keyword, KString(u"OpenEvent"))) {
    return std::nullopt;
  }
  KString file;
  if (!file.GetField(command, 1, u',', u'"', -1) || file.IsEmpty()) {
    return std::nullopt;
  }
  return file;
}
