#include "devices/databaseframe.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "devices/startlistlines.h"
#include "foundation/kbytetext.h"

namespace {

constexpr size_t kCodeLength = 3;
constexpr size_t kPayloadStart = 1 + kCodeLength + 1;  // after SOH, the code and STX
constexpr char kChecksumTag[] = "CHK=";
constexpr size_t kTagLength = sizeof kChecksumTag - 1;
constexpr size_t kSumDigits = 8;

// The bytes that frame a frame; a NUL is none of them.
bool IsFrameByte(uint8_t byte) {
  return byte >= DatabaseFrame::kSOH && byte <= DatabaseFrame::kEOT;
}

// The bytes no payload may hold: the framing bytes and NUL.
bool IsForbiddenInPayload(uint8_t byte) {
  return byte <= DatabaseFrame::kEOT;
}

int32_t HexValue(uint8_t byte) {
  if (byte >= '0' && byte <= '9') {
    return byte - '0';
  }
  if (byte >= 'A' && byte <= 'F') {
    return byte - 'A' + 10;
  }
  if (byte >= 'a' && byte <= 'f') {
    return byte - 'a' + 10;
  }
  return -1;
}

}  // namespace

uint32_t DatabaseFrame::Sum(const std::string& bytes, size_t first, size_t end) {
  uint32_t sum = 0;
  for (size_t i = first; i < end; ++i) {
    sum += static_cast<uint8_t>(bytes[i]);
  }
  return sum;
}

const char* DatabaseFrame::Refusal() const {
  return payload.find('\0') != std::string::npos ? "the payload holds a NUL byte" : nullptr;
}

std::string DatabaseFrame::Encode(bool withChecksum) const {
  std::string bytes;
  if (payload.size() > static_cast<size_t>(kMaxPayloadBytes)) {
    return bytes;
  }
  bytes.reserve(payload.size() + 24);
  bytes.push_back(static_cast<char>(kSOH));
  bytes.append(code, 0, kCodeLength);
  bytes.push_back(static_cast<char>(kSTX));
  for (char c : payload) {
    bytes.push_back(IsForbiddenInPayload(static_cast<uint8_t>(c)) ? ' ' : c);
  }
  if (withChecksum) {
    bytes.push_back(static_cast<char>(kETX));
    char sum[kSumDigits + 1];
    std::snprintf(sum, sizeof sum, "%08X", static_cast<unsigned>(Sum(bytes, 0, bytes.size())));
    bytes.append(kChecksumTag).append(sum, kSumDigits);
  }
  bytes.push_back(static_cast<char>(kEOT));
  return bytes;
}

KMemoryStream DatabaseFrame::Text(int32_t charMode) const {
  KMemoryStream stream(std::vector<uint8_t>(payload.begin(), payload.end()));
  stream.SetReadMode(charMode == 0 ? KStream::kEncodingByte : KStream::kEncodingLocal);
  return stream;
}

std::vector<KString> DatabaseFrame::Lines(int32_t charMode) const {
  KMemoryStream text = Text(charMode);
  // No line has more characters than the payload has bytes, so none is too long and the whole is read.
  const auto bound = static_cast<int32_t>(std::min<size_t>(payload.size(), INT32_MAX - 1));
  StartListLines reader(text, bound, bound);
  std::vector<KString> lines;
  for (KString line; reader.Next(line) == StartListLines::kLine;) {
    lines.push_back(line);
  }
  return lines;
}

void DatabaseFrame::SetLines(const std::vector<KString>& lines, int32_t charMode) {
  payload.clear();
  for (const KString& line : lines) {
    payload.append(KByteText(line, charMode == 0 ? KStream::kEncodingByte : KStream::kEncodingLocal));
    payload.append("\r\n");
  }
}

void DatabaseFrameReader::Feed(const uint8_t* bytes, size_t count) {
  buffer.append(reinterpret_cast<const char*>(bytes), count);
}

void DatabaseFrameReader::Discard() {
  AddSaturated(ignoredBytes, buffer.size());
  buffer.clear();
}

void DatabaseFrameReader::Drop(size_t count) {
  buffer.erase(0, count);
}

bool DatabaseFrameReader::Next(DatabaseFrame& frame) {
  for (;;) {
    const size_t start = buffer.find(static_cast<char>(DatabaseFrame::kSOH));
    if (start == std::string::npos) {
      Discard();
      return false;
    }
    AddSaturated(ignoredBytes, start);
    Drop(start);
    size_t used = 0;
    switch (ScanFrame(frame, used)) {
      case Scan::kFrame:
        Drop(used);
        return true;
      case Scan::kIncomplete:
        return false;
      case Scan::kBroken:
        AddSaturated(brokenFrames, 1);
        Drop(used);
        break;
      case Scan::kBadSum:
        AddSaturated(badChecksums, 1);
        Drop(used);
        break;
    }
  }
}

DatabaseFrameReader::Scan DatabaseFrameReader::ScanFrame(DatabaseFrame& frame, size_t& used) const {
  // A broken head drops only its SOH, so that a frame starting inside the broken one is still found.
  used = 1;
  for (size_t i = 1; i < kPayloadStart; ++i) {
    if (i >= buffer.size()) {
      return Scan::kIncomplete;
    }
    const auto byte = static_cast<uint8_t>(buffer[i]);
    const bool fits = i <= kCodeLength ? byte >= 'A' && byte <= 'Z' : byte == DatabaseFrame::kSTX;
    if (!fits) {
      return Scan::kBroken;
    }
  }
  for (size_t i = kPayloadStart; i < buffer.size(); ++i) {
    const auto byte = static_cast<uint8_t>(buffer[i]);
    if (i - kPayloadStart > static_cast<size_t>(DatabaseFrame::kMaxPayloadBytes)) {
      used = i;
      return Scan::kBroken;
    }
    if (!IsFrameByte(byte)) {
      continue;
    }
    if (byte == DatabaseFrame::kSOH) {
      used = i;  // a new frame begins: the broken one ends here
      return Scan::kBroken;
    }
    if (byte == DatabaseFrame::kSTX) {
      used = i + 1;
      return Scan::kBroken;
    }
    frame.code.assign(buffer, 1, kCodeLength);
    frame.payload.assign(buffer, kPayloadStart, i - kPayloadStart);
    if (byte == DatabaseFrame::kEOT) {
      frame.hasChecksum = false;
      used = i + 1;
      return Scan::kFrame;
    }
    // ETX: either EOT at once, or the checksum part and then EOT.
    if (i + 1 >= buffer.size()) {
      return Scan::kIncomplete;
    }
    if (static_cast<uint8_t>(buffer[i + 1]) == DatabaseFrame::kEOT) {
      frame.hasChecksum = false;
      used = i + 2;
      return Scan::kFrame;
    }
    const size_t tail = i + 1;
    const size_t end = tail + kTagLength + kSumDigits;  // where the EOT belongs
    uint32_t given = 0;
    for (size_t k = tail; k <= end; ++k) {
      if (k >= buffer.size()) {
        return Scan::kIncomplete;
      }
      const auto c = static_cast<uint8_t>(buffer[k]);
      const size_t at = k - tail;
      bool fits = false;
      if (at < kTagLength) {
        fits = c == static_cast<uint8_t>(kChecksumTag[at]);
      } else if (k < end) {
        const int32_t digit = HexValue(c);
        fits = digit >= 0;
        given = (given << 4) | static_cast<uint32_t>(fits ? digit : 0);
      } else {
        fits = c == DatabaseFrame::kEOT;
      }
      if (!fits) {
        used = k;
        return Scan::kBroken;
      }
    }
    used = end + 1;
    frame.hasChecksum = true;
    return given == DatabaseFrame::Sum(buffer, 0, i + 1) ? Scan::kFrame : Scan::kBadSum;
  }
  return Scan::kIncomplete;
}
