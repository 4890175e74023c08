#include "foundation/kmemorystream.h"

#include <algorithm>
#include <cstring>

int64_t KMemoryStream::RawRemaining() const {
  return static_cast<int64_t>(bytes.size() - position);
}

int32_t KMemoryStream::ReadRaw(void* buffer, int32_t count) {
  const size_t n = std::min(static_cast<size_t>(std::max(count, 0)), bytes.size() - position);
  if (n > 0) {
    std::memcpy(buffer, bytes.data() + position, n);
    position += n;
  }
  return static_cast<int32_t>(n);
}

void KMemoryStream::WriteRaw(const void* buffer, int32_t count) {
  const auto* data = static_cast<const uint8_t*>(buffer);
  bytes.insert(bytes.end(), data, data + count);
}
