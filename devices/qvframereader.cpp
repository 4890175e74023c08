#include "devices/qvframereader.h"

#include <algorithm>

#include "foundation/kx.h"

void QvFrameReader::Feed(const uint8_t* bytes, size_t count) {
  // Consumed bytes are let go before the buffer grows, so it never holds much more than one frame.
  if (start > 0) {
    buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(start));
    start = 0;
  }
  buffer.insert(buffer.end(), bytes, bytes + count);
}

int32_t QvFrameReader::Next(QvPacket& packet) {
  for (;;) {
    const size_t available = buffer.size() - start;
    if (available < 4) {
      return kNeedMore;
    }
    const uint8_t* head = buffer.data() + start;
    const size_t length = QvPacket::AnnouncedLength(head);
    if (length == 0) {
      Drop(1);
      continue;
    }
    if (!QvPacket::StartLooksRight(head, std::min(available, length))) {
      droppedDamagedStart = true;
      Drop(2);
      continue;
    }
    if (available < length) {
      return kNeedMore;
    }
    const int32_t code = QvPacket::Decode(head, length, packet);
    Drop(code == kErrNone ? length : 2);
    return code;
  }
}

void QvFrameReader::Clear() {
  buffer.clear();
  start = 0;
  droppedDamagedStart = false;
}

void QvFrameReader::Drop(size_t count) {
  start += count;
}
