#include "devices/qvpacket.h"

#include <algorithm>
#include <cstring>

#include "foundation/kx.h"

std::vector<uint8_t> QvPacket::Encode() const {
  std::vector<uint8_t> frame;
  const size_t length = kMinFrameSize + 4 * words.size();
  frame.reserve(length);
  QvWriteU16BE(frame, kSync);
  QvWriteU16BE(frame, static_cast<uint16_t>(length));
  QvWriteU16BE(frame, destination);
  QvWriteU16BE(frame, source);
  frame.insert(frame.end(), std::begin(kMagic), std::end(kMagic));
  QvWriteU32LE(frame, requestNumber);
  QvWriteU32LE(frame, command);
  QvWriteU32LE(frame, static_cast<uint32_t>(words.size()));
  for (uint32_t word : words) {
    QvWriteU32LE(frame, word);
  }
  QvWriteU16BE(frame, Checksum(frame.data(), frame.size()));
  return frame;
}

size_t QvPacket::AnnouncedLength(const uint8_t* header) {
  if (QvReadU16BE(header) != kSync) {
    return 0;
  }
  const size_t length = QvReadU16BE(header + 2);
  if (length < kMinFrameSize || length > kMaxFrameSize || (length - kMinFrameSize) % 4 != 0) {
    return 0;
  }
  return length;
}

bool QvPacket::StartLooksRight(const uint8_t* frame, size_t available) {
  if (available > kMagicOffset) {
    const size_t magicBytes = std::min(available - kMagicOffset, sizeof kMagic);
    if (std::memcmp(frame + kMagicOffset, kMagic, magicBytes) != 0) {
      return false;
    }
  }
  return available < kHeaderSize ||
         QvReadU32LE(frame + kCountOffset) == (AnnouncedLength(frame) - kMinFrameSize) / 4;
}

int32_t QvPacket::Decode(const uint8_t* frame, size_t size, QvPacket& packet) {
  if (size < kMinFrameSize || AnnouncedLength(frame) != size || !StartLooksRight(frame, size)) {
    return kErrSerialReceive;
  }
  const uint32_t count = QvReadU32LE(frame + kCountOffset);
  const size_t checked = size - kChecksumSize;
  if (Checksum(frame, checked) != QvReadU16BE(frame + checked)) {
    return kErrSerialChecksum;
  }
  packet.destination = QvReadU16BE(frame + 4);
  packet.source = QvReadU16BE(frame + 6);
  packet.requestNumber = QvReadU32LE(frame + 12);
  packet.command = QvReadU32LE(frame + 16);
  packet.words.resize(count);
  for (uint32_t i = 0; i < count; ++i) {
    packet.words[i] = QvReadU32LE(frame + kHeaderSize + 4 * i);
  }
  return kErrNone;
}

uint16_t QvPacket::Checksum(const uint8_t* bytes, size_t size) {
  uint32_t sum = 0;
  for (size_t i = 0; i < size; i += 2) {
    const uint32_t high = bytes[i];
    const uint32_t low = i + 1 < size ? bytes[i + 1] : 0;
    sum += high << 8 | low;
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  return static_cast<uint16_t>(sum);
}
