#pragma once
// The frames of the photo-finish links (the serial database link and the reaction-time link over TCP):
//   SOH, a code of three capital letters, STX, the payload, [ETX, "CHK=", 8 hexadecimal digits,] EOT
// The sum is the 32-bit sum of every byte from the SOH through the ETX. The payload is text in lines ended
// by CR LF and holds no byte below 0x05 (NUL, SOH, STX, ETX, EOT). Only SOH to EOT frame a frame: a NUL
// inside one is part of its payload, which the frame's receiver refuses for it. Writer and reader are both
// here, and docs/photo-finish-interface.md describes the codes.

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kstring.h"

struct DatabaseFrame {
  static constexpr uint8_t kSOH = 0x01;
  static constexpr uint8_t kSTX = 0x02;
  static constexpr uint8_t kETX = 0x03;
  static constexpr uint8_t kEOT = 0x04;
  // A frame with a longer payload is refused and never kept whole in memory.
  static constexpr int32_t kMaxPayloadBytes = 64 * 1024;

  std::string code;     // three capital letters
  std::string payload;  // the payload's bytes
  bool hasChecksum = false;

  // The frame's bytes, with the checksum part when `withChecksum`. Payload bytes below 0x05 go out as
  // blanks, so that a payload can never end its frame early nor be refused. Empty when the payload is longer
  // than kMaxPayloadBytes: every receiver drops such a frame, so it is never sent.
  std::string Encode(bool withChecksum) const;
  static uint32_t Sum(const std::string& bytes, size_t first, size_t end);
  // Why a frame read whole is refused for what its payload holds (a NUL byte); null when it is not.
  const char* Refusal() const;

  // The payload as a stream of text. `charMode` is "\Database\CharMode": 0 one byte per character,
  // otherwise UTF-8.
  KMemoryStream Text(int32_t charMode) const;
  // The payload's lines as text and back, in the code set of `charMode` (characters above U+00FF go out
  // as "?" in one byte per character); control characters go out as blanks. Lines are read as the start
  // lists' are: CR, LF and CR LF each end one, and a missing line end after the last line is fine.
  std::vector<KString> Lines(int32_t charMode) const;
  void SetLines(const std::vector<KString>& lines, int32_t charMode);
};

// Adds to one of the links' counters, stopping at the largest value: a peer that sends noise for days
// must not wrap a count around.
inline void AddSaturated(int32_t& counter, size_t amount) {
  constexpr auto kLargest = static_cast<size_t>(std::numeric_limits<int32_t>::max());
  const auto room = kLargest - static_cast<size_t>(counter);
  counter = static_cast<int32_t>(static_cast<size_t>(counter) + (amount < room ? amount : room));
}

// Finds frames in the bytes a peer sends, which may come in any pieces, with noise between frames, broken or
// over-long frames and wrong sums. Bad frames are dropped and counted; memory stays bounded by one frame.
class DatabaseFrameReader {
 public:
  // Adds received bytes.
  void Feed(const uint8_t* bytes, size_t count);
  // Takes the next complete frame of a right form and sum; false when none is complete yet. A frame whose
  // payload its receiver refuses (DatabaseFrame::Refusal) is handed on too, so that it can be answered.
  bool Next(DatabaseFrame& frame);
  // Bytes held for a frame not yet complete.
  size_t Pending() const { return buffer.size(); }
  // Drops the bytes held (counted as ignored), so that a frame begun before now cannot complete later.
  void Discard();

  // The counters stop at the largest int32_t value.
  int32_t BadChecksums() const { return badChecksums; }
  // Frames dropped for their form: a wrong code, a missing STX, a broken checksum part, too long a payload.
  int32_t BrokenFrames() const { return brokenFrames; }
  // Bytes outside any frame.
  int32_t IgnoredBytes() const { return ignoredBytes; }

 private:
  enum class Scan { kFrame, kIncomplete, kBroken, kBadSum };
  // Looks at a frame that starts with the SOH at buffer[0]; on kFrame and kBadSum `used` is its length,
  // on kBroken the number of bytes to drop.
  Scan ScanFrame(DatabaseFrame& frame, size_t& used) const;
  void Drop(size_t count);

  std::string buffer;
  int32_t badChecksums = 0;
  int32_t brokenFrames = 0;
  int32_t ignoredBytes = 0;
};
