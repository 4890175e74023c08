#include "devices/startlistlines.h"

#include <algorithm>

#include "foundation/kstream.h"

namespace {

constexpr int32_t kChunkBytes = 4096;
constexpr char16_t kLf = 0x0A;
constexpr char16_t kCr = 0x0D;
// The most bytes one character takes in UTF-8 (invalid bytes stand for a character each).
constexpr size_t kMaxUtf8Bytes = 4;

}  // namespace

StartListLines::StartListLines(KStream& stream, int32_t maxLength, int64_t maxBytes)
    : stream(stream),
      encoding(stream.ReadMode()),
      unitBytes(encoding == KStream::kEncodingUtf16 ? 2 : 1),
      bigEndian(stream.IsBigEndian()),
      maxLength(maxLength),
      maxBytes(maxBytes) {
  const size_t bytesPerCharacter = encoding == KStream::kEncodingByte    ? 1
                                   : encoding == KStream::kEncodingUtf16 ? 2
                                                                         : kMaxUtf8Bytes;
  maxLineBytes = static_cast<size_t>(std::max(maxLength, 0)) * bytesPerCharacter;
}

bool StartListLines::Fill(size_t count) {
  while (buffer.size() - next < count && !ended) {
    buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(next));
    next = 0;
    // One byte past the total is read to tell a text of exactly the total from a longer one.
    const int64_t allowed = std::min<int64_t>(kChunkBytes, maxBytes + 1 - readBytes);
    if (allowed <= 0) {
      ended = true;
      break;
    }
    const size_t had = buffer.size();
    buffer.resize(had + static_cast<size_t>(allowed));
    const int32_t got = stream.Read(buffer.data() + had, static_cast<int32_t>(allowed));
    buffer.resize(had + static_cast<size_t>(std::max(got, 0)));
    readBytes += std::max(got, 0);
    ended = got <= 0;
  }
  return buffer.size() - next >= count;
}

void StartListLines::SkipByteOrderMark() {
  started = true;
  Fill(3);
  const size_t left = buffer.size() - next;
  const uint8_t* head = buffer.data() + next;
  if (left >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) {
    next += 3;
  } else if (unitBytes == 2 && left >= 2 && head[0] == 0xFF && head[1] == 0xFE) {
    bigEndian = false;
    next += 2;
  } else if (unitBytes == 2 && left >= 2 && head[0] == 0xFE && head[1] == 0xFF) {
    bigEndian = true;
    next += 2;
  }
}

char16_t StartListLines::UnitAt(size_t at) const {
  if (unitBytes == 1) {
    return buffer[at];
  }
  const size_t high = bigEndian ? 0 : 1;
  return static_cast<char16_t>(buffer[at + high] << 8 | buffer[at + 1 - high]);
}

size_t StartListLines::FindLineEnd() const {
  const size_t whole = next + (buffer.size() - next) / unitBytes * unitBytes;
  // In UTF-8 no byte of a longer character is below 0x80, so the bytes of CR and LF are line ends alone.
  for (size_t at = next; at < whole; at += unitBytes) {
    const char16_t unit = UnitAt(at);
    if (unit == kLf || unit == kCr) {
      return at;
    }
  }
  return whole;
}

KString StartListLines::Decode(const std::string& bytes) const {
  if (encoding == KStream::kEncodingUtf16) {
    KString text(static_cast<int32_t>(bytes.size() / 2));
    const size_t high = bigEndian ? 0 : 1;
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
      text.AppendChar(static_cast<char16_t>(static_cast<uint8_t>(bytes[at + high]) << 8 |
                                            static_cast<uint8_t>(bytes[at + 1 - high])));
    }
    return text;
  }
  if (encoding == KStream::kEncodingByte) {
    KString text(static_cast<int32_t>(bytes.size()));
    for (char byte : bytes) {
      text.AppendChar(static_cast<uint8_t>(byte));
    }
    return text;
  }
  return KString::FromUtf8(bytes);
}

StartListLines::Result StartListLines::Next(KString& line) {
  line.Clear();
  if (!started) {
    SkipByteOrderMark();
  }
  std::string bytes;
  bool tooLong = false;
  bool any = false;
  for (;;) {
    if (!Fill(unitBytes)) {
      if (readBytes > maxBytes) {
        return kTooMuch;
      }
      if (!any) {
        return kEnd;
      }
      break;  // the last line has no line end; an odd byte left in UTF-16 is no character
    }
    any = true;
    const size_t end = FindLineEnd();
    // What does not fit is passed over unkept: the line is too long anyway.
    const size_t room = maxLineBytes - std::min(bytes.size(), maxLineBytes);
    const size_t count = end - next;
    tooLong = tooLong || count > room;
    bytes.append(reinterpret_cast<const char*>(buffer.data() + next), std::min(count, room));
    next = end;
    if (end + unitBytes <= buffer.size()) {
      // The line end: CR, LF, or CR LF, whose LF may come only with the next read.
      const bool cr = UnitAt(end) == kCr;
      next += unitBytes;
      if (cr && Fill(unitBytes) && UnitAt(next) == kLf) {
        next += unitBytes;
      }
      break;
    }
  }
  if (tooLong) {
    return kTooLong;
  }
  line = Decode(bytes);
  if (line.Length() > maxLength) {
    line.Clear();
    return kTooLong;
  }
  return kLine;
}
