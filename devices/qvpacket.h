#pragma once
// QvPacket: one frame of the control-unit packet protocol (docs/control-unit-protocol.md), with its writer
// and its reader side by side. The header words are big-endian, the request number, command, count and
// words little-endian, and the frame ends in a big-endian end-around-carry sum.

#include <cstddef>
#include <cstdint>
#include <vector>

// Byte-order helpers of the wire formats.
inline uint16_t QvReadU16BE(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}
inline uint32_t QvReadU32LE(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}
inline void QvWriteU16BE(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value >> 8));
  out.push_back(static_cast<uint8_t>(value));
}
inline void QvWriteU32LE(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<uint8_t>(value >> shift));
  }
}

struct QvPacket {
  static constexpr uint16_t kSync = 0xF101;
  static constexpr uint8_t kMagic[4] = {'v', 'u', 'x', 'N'};
  // Sync, length, destination, source, magic, request number, command, count.
  static constexpr size_t kHeaderSize = 24;
  static constexpr size_t kMagicOffset = 8;
  static constexpr size_t kCountOffset = 20;
  static constexpr size_t kChecksumSize = 2;
  static constexpr size_t kMinFrameSize = kHeaderSize + kChecksumSize;
  static constexpr uint32_t kMaxWords = 1024;
  static constexpr size_t kMaxFrameSize = kMinFrameSize + 4 * kMaxWords;

  // Addresses.
  static constexpr uint16_t kProgramAddress = 0x0001;
  static constexpr uint16_t kControlUnitAddress = 641;
  static constexpr uint16_t kSensorBaseAddress = 512;
  static constexpr uint16_t kAnyDevice = 0xFFFF;

  // Commands: the device class in the high half, the command's index in the low half.
  static constexpr uint32_t kIdentify = 0x00000001;
  static constexpr uint32_t kVersion = 0x00000002;
  static constexpr uint32_t kTrialRecord = 0x00010002;
  static constexpr uint32_t kTraceBlock = 0x00010003;
  static constexpr uint32_t kTrialCount = 0x00010004;
  static constexpr uint32_t kTrialHeader = 0x00020003;
  static constexpr uint32_t kText = 0x00020004;
  static constexpr uint32_t kLaneStates = 0x00020005;

  // Force traces travel in blocks of 200 samples of both channels: block b holds samples 200 b to
  // 200 b + 199, so blocks 0 to 24 cover samples 0 to 4999. A block's reply of 834 bytes crosses the line in
  // 434 ms at 19200 baud (869 ms at 9600), inside the default read time-out of 1000 ms.
  static constexpr int32_t kTraceBlockSamples = 200;
  static constexpr int32_t kTraceBlocks = 25;
  // The block number, the sample count, then each channel's samples two to a word.
  static constexpr uint32_t kTraceBlockWords = 2 + kTraceBlockSamples;

  // Device words of the identify reply.
  static constexpr int32_t kBlockSensorWord = 0x10001;
  static constexpr int32_t kControlUnitWord = 0x20001;
  // "None" in every time word.
  static constexpr int32_t kNone = INT32_MIN;

  uint16_t destination = 0;
  uint16_t source = 0;
  uint32_t requestNumber = 0;
  uint32_t command = 0;
  // The arguments of a request, the reply words of a reply.
  std::vector<uint32_t> words;

  // The frame's bytes. The word count must not exceed kMaxWords.
  std::vector<uint8_t> Encode() const;
  // Reads one whole frame of `size` bytes, checking magic, length and checksum: kErrNone, kErrSerialReceive
  // for a frame of the wrong shape, kErrSerialChecksum for a wrong sum. The packet is filled only on success.
  static int32_t Decode(const uint8_t* frame, size_t size, QvPacket& packet);
  // The frame length a header announces, 0 when it does not start with the sync word or the length is not
  // one a frame can have. Needs 4 bytes.
  static size_t AnnouncedLength(const uint8_t* header);
  // False when the first `available` bytes of a frame that announces a possible length already show it
  // damaged: a wrong magic (checked byte by byte as it arrives) or a count that does not match the length.
  // A reader can so drop a false start without waiting for the length it announced.
  static bool StartLooksRight(const uint8_t* frame, size_t available);
  // End-around-carry sum of the bytes as big-endian 16-bit words, an odd last byte padded with 0.
  static uint16_t Checksum(const uint8_t* bytes, size_t size);
};
