#include "foundation/kstream.h"

#include "foundation/kbytetext.h"
#include "foundation/kstring.h"
#include "foundation/kutf8.h"
#include "foundation/kx.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr char16_t kByteOrderMark = 0xFEFF;
constexpr char16_t kSwappedByteOrderMark = 0xFFFE;

}  // namespace

int32_t KStream::Read(void* buffer, int32_t count) {
  if (count <= 0) {
    return 0;
  }
  ReturnPendingUnits();
  const int32_t fromLookAhead = std::min(count, lookAheadCount);
  if (fromLookAhead > 0) {
    std::memcpy(buffer, lookAhead, static_cast<size_t>(fromLookAhead));
    std::memmove(lookAhead, lookAhead + fromLookAhead, static_cast<size_t>(lookAheadCount - fromLookAhead));
    lookAheadCount -= fromLookAhead;
    return fromLookAhead;
  }
  return ReadRaw(buffer, count);
}

void KStream::Write(const void* buffer, int32_t count) {
  // Text reading may have looked ahead: a file writes where the reader stopped, not behind the bytes it
  // peeked at.
  SettleLookAhead();
  if (count > 0) {
    WriteRaw(buffer, count);
  }
}

void KStream::SettleLookAhead() {
  ReturnPendingUnits();
  if (lookAheadCount > 0 && StepBack(lookAheadCount)) {
    lookAheadCount = 0;
  }
}

void KStream::ReadExact(void* buffer, int32_t count) {
  auto* bytes = static_cast<uint8_t*>(buffer);
  int32_t got = 0;
  while (got < count) {
    const int32_t n = Read(bytes + got, count - got);
    if (n <= 0) {
      throw KXStream(kErrFileRead, got);
    }
    got += n;
  }
}

int64_t KStream::Remaining() const {
  const int64_t raw = RawRemaining();
  return raw < 0 ? -1 : raw + LookAheadCount();
}

int32_t KStream::LookAheadCount() const {
  int32_t bytes = lookAheadCount;
  for (int32_t i = 0; i < pendingUnitCount; ++i) {
    bytes += pendingUnits[i].byteCount;
  }
  return bytes;
}

void KStream::SetReadMode(int32_t encoding) {
  readMode = std::clamp(encoding, int32_t{kEncodingByte}, int32_t{kEncodingAuto});
}

void KStream::SetWriteMode(int32_t encoding) {
  writeMode = std::clamp(encoding, int32_t{kEncodingByte}, int32_t{kEncodingAuto});
}

void KStream::SetReadLineMode(int32_t lineMode) {
  readLineMode = std::clamp(lineMode, int32_t{kLineNone}, int32_t{kLineLfCr});
}

void KStream::SetWriteLineMode(int32_t lineMode) {
  writeLineMode = std::clamp(lineMode, int32_t{kLineNone}, int32_t{kLineLfCr});
}

void KStream::UnreadBytes(const uint8_t* bytes, int32_t count) {
  // Only text reading puts bytes back, at most a few at a time.
  count = std::min(count, static_cast<int32_t>(sizeof lookAhead) - lookAheadCount);
  std::memmove(lookAhead + count, lookAhead, static_cast<size_t>(lookAheadCount));
  std::memcpy(lookAhead, bytes, static_cast<size_t>(count));
  lookAheadCount += count;
}

void KStream::UnreadUnit(const PendingUnit& unit) {
  if (pendingUnitCount < static_cast<int32_t>(std::size(pendingUnits))) {
    pendingUnits[pendingUnitCount++] = unit;
  }
}

void KStream::ReturnPendingUnits() {
  // The last pending unit is the next one, so its bytes go to the front last.
  for (int32_t i = 0; i < pendingUnitCount; ++i) {
    UnreadBytes(pendingUnits[i].bytes, pendingUnits[i].byteCount);
  }
  pendingUnitCount = 0;
}

void KStream::DetectEncoding() {
  uint8_t head[3];
  int32_t got = 0;
  while (got < 3) {
    const int32_t n = Read(head + got, 3 - got);
    if (n <= 0) {
      break;
    }
    got += n;
  }
  int32_t markLength = 0;
  if (got >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) {
    readMode = kEncodingLocal;
    markLength = 3;
  } else if (got >= 2 && head[0] == 0xFF && head[1] == 0xFE) {
    readMode = kEncodingUtf16;
    textBigEndian = false;
    markLength = 2;
  } else if (got >= 2 && head[0] == 0xFE && head[1] == 0xFF) {
    readMode = kEncodingUtf16;
    textBigEndian = true;
    markLength = 2;
  } else if (got >= 2 && (head[0] == 0) != (head[1] == 0)) {
    // Text without a mark: a 0 byte beside a non-0 one is the high half of an ASCII character in UTF-16.
    readMode = kEncodingUtf16;
    textBigEndian = head[0] == 0;
  } else {
    readMode = kEncodingLocal;
  }
  textBigEndianKnown = readMode == kEncodingUtf16;
  atTextStart = false;
  UnreadBytes(head + markLength, got - markLength);
}

int32_t KStream::DecodeUnit() {
  if (readMode == kEncodingAuto) {
    DetectEncoding();
  }
  if (readMode == kEncodingUtf16) {
    uint8_t pair[2];
    int32_t got = Read(pair, 2);
    if (got == 1) {
      got += std::max(Read(pair + 1, 1), 0);
    }
    if (got < 2) {
      return -1;  // an odd byte at the end is no character
    }
    std::memcpy(lastUnit.bytes, pair, 2);
    lastUnit.byteCount = 2;
    const bool big = textBigEndianKnown ? textBigEndian : bigEndian;
    return big ? (pair[0] << 8) | pair[1] : pair[0] | (pair[1] << 8);
  }
  uint8_t bytes[4];
  if (Read(bytes, 1) <= 0) {
    return -1;
  }
  lastUnit.bytes[0] = bytes[0];
  lastUnit.byteCount = 1;
  if (readMode == kEncodingByte || bytes[0] < 0x80) {
    return bytes[0];
  }
  int32_t got = 1;
  const int32_t wanted = bytes[0] >= 0xF0 ? 4 : bytes[0] >= 0xE0 ? 3 : 2;
  while (got < wanted) {
    const int32_t n = Read(bytes + got, wanted - got);
    if (n <= 0) {
      break;
    }
    got += n;
  }
  char32_t codePoint = 0;
  const int32_t used = KDecodeUtf8(bytes, got, codePoint);
  UnreadBytes(bytes + used, got - used);
  std::memcpy(lastUnit.bytes, bytes, static_cast<size_t>(used));
  lastUnit.byteCount = used;
  if (codePoint > 0xFFFF) {
    UnreadUnit({KLowSurrogate(codePoint), {}, 0});
    return KHighSurrogate(codePoint);
  }
  return static_cast<int32_t>(codePoint);
}

int32_t KStream::ReadUnit() {
  if (pendingUnitCount > 0) {
    lastUnit = pendingUnits[--pendingUnitCount];
    return lastUnit.unit;
  }
  int32_t unit = DecodeUnit();
  if (atTextStart) {
    atTextStart = false;
    // A mark at the start of a stream read in a set encoding is no text; in UTF-16 it gives the order.
    if (unit == kSwappedByteOrderMark && readMode == kEncodingUtf16) {
      textBigEndian = !(textBigEndianKnown ? textBigEndian : bigEndian);
      textBigEndianKnown = true;
      unit = DecodeUnit();
    } else if (unit == kByteOrderMark && readMode != kEncodingByte) {
      unit = DecodeUnit();
    }
  }
  lastUnit.unit = static_cast<char16_t>(unit);
  return unit;
}

int32_t KStream::ReadLine(KString& text) {
  int32_t unit = ReadUnit();
  if (unit < 0) {
    return kEndOfStream;
  }
  // In CR LF mode a CR is held back until the next unit shows whether it begins the line end.
  bool heldCr = false;
  for (; unit >= 0; unit = ReadUnit()) {
    if (unit == kCr && (readLineMode == kLineCr || readLineMode == kLineAuto)) {
      if (readLineMode == kLineAuto) {
        const int32_t next = ReadUnit();
        if (next == kLf) {
          readLineMode = detectedLineMode = kLineCrLf;
          return kLf;
        }
        if (next >= 0) {
          UnreadUnit(lastUnit);
        }
        readLineMode = detectedLineMode = kLineCr;
      }
      return kCr;
    }
    if (unit == kLf && readLineMode != kLineCr) {
      if (readLineMode == kLineLfCr || readLineMode == kLineAuto) {
        const int32_t next = ReadUnit();
        if (next >= 0 && next != kCr) {
          UnreadUnit(lastUnit);
        }
        if (readLineMode == kLineAuto) {
          readLineMode = detectedLineMode = next == kCr ? kLineLfCr : kLineLf;
        }
      }
      return kLf;
    }
    if (heldCr) {
      text.AppendChar(kCr);
    }
    heldCr = unit == kCr && readLineMode == kLineCrLf;
    if (!heldCr) {
      text.AppendChar(static_cast<char16_t>(unit));
    }
  }
  if (heldCr) {
    text.AppendChar(kCr);
  }
  return kEndAfterText;
}

int32_t KStream::EffectiveWriteMode() const {
  if (writeMode != kEncodingAuto) {
    return writeMode;
  }
  return readMode == kEncodingAuto ? kEncodingLocal : readMode;
}

int32_t KStream::EffectiveWriteLineMode() const {
  if (writeLineMode != kLineAuto) {
    return writeLineMode;
  }
  return detectedLineMode == kLineAuto ? kLineCrLf : detectedLineMode;
}

void KStream::WriteBOM() {
  std::vector<uint8_t> bytes;
  const int32_t encoding = EffectiveWriteMode();
  // Only UTF-16 text carries a mark; the local code page, like 8-bit text, has none, so a UTF-8 file
  // written back by the program keeps the form people and other tools expect of it.
  if (encoding == kEncodingUtf16) {
    EncodeUnit(kByteOrderMark, encoding, bytes);
  }
  Write(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void KStream::EncodeUnit(char32_t codePoint, int32_t encoding, std::vector<uint8_t>& out) const {
  if (encoding == kEncodingByte) {
    out.push_back(KByteOf(codePoint));
  } else if (encoding == kEncodingUtf16) {
    const auto unit = static_cast<uint16_t>(codePoint);
    if (bigEndian) {
      out.insert(out.end(), {static_cast<uint8_t>(unit >> 8), static_cast<uint8_t>(unit & 0xFF)});
    } else {
      out.insert(out.end(), {static_cast<uint8_t>(unit & 0xFF), static_cast<uint8_t>(unit >> 8)});
    }
  } else {
    uint8_t bytes[4];
    const int32_t count = KEncodeUtf8(codePoint, bytes);
    out.insert(out.end(), bytes, bytes + count);
  }
}

void KStream::EncodeLineEnd(int32_t encoding, std::vector<uint8_t>& out) const {
  switch (EffectiveWriteLineMode()) {
    case kLineCr:
      EncodeUnit(kCr, encoding, out);
      break;
    case kLineLf:
      EncodeUnit(kLf, encoding, out);
      break;
    case kLineLfCr:
      EncodeUnit(kLf, encoding, out);
      EncodeUnit(kCr, encoding, out);
      break;
    default:
      EncodeUnit(kCr, encoding, out);
      EncodeUnit(kLf, encoding, out);
      break;
  }
}

void KStream::WriteString(const KString& text) {
  const int32_t encoding = EffectiveWriteMode();
  const bool translate = EffectiveWriteLineMode() != kLineNone;
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(text.Length()) * 2);
  for (int32_t i = 0; i < text.Length(); ++i) {
    const char16_t unit = text[i];
    if (translate && (unit == kCr || unit == kLf)) {
      if (unit == kCr && text.At(i + 1) == kLf) {
        ++i;
      }
      EncodeLineEnd(encoding, bytes);
    } else if (encoding != kEncodingUtf16 && KIsHighSurrogate(unit) && KIsLowSurrogate(text.At(i + 1))) {
      EncodeUnit(KJoinSurrogates(unit, text[i + 1]), encoding, bytes);
      ++i;
    } else {
      EncodeUnit(unit, encoding, bytes);
    }
  }
  Write(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void KStream::EncodeWord(uint32_t value, int32_t bytes, uint8_t* out) const {
  for (int32_t i = 0; i < bytes; ++i) {
    const int32_t shift = 8 * (bigEndian ? bytes - 1 - i : i);
    out[i] = static_cast<uint8_t>(value >> shift);
  }
}

void KStream::PutWord(uint32_t value, int32_t bytes) {
  uint8_t out[4];
  EncodeWord(value, bytes, out);
  Write(out, bytes);
}

uint32_t KStream::GetWord(int32_t bytes) {
  uint8_t in[4];
  ReadExact(in, bytes);
  uint32_t value = 0;
  for (int32_t i = 0; i < bytes; ++i) {
    const int32_t shift = 8 * (bigEndian ? bytes - 1 - i : i);
    value |= uint32_t{in[i]} << shift;
  }
  return value;
}

void KStream::WriteInt32(int32_t value) {
  PutWord(static_cast<uint32_t>(value), 4);
}
void KStream::WriteInt32s(const int32_t* values, int32_t count) {
  std::vector<uint8_t> bytes(static_cast<size_t>(count) * 4);
  for (int32_t i = 0; i < count; ++i) {
    EncodeWord(static_cast<uint32_t>(values[i]), 4, &bytes[static_cast<size_t>(i) * 4]);
  }
  Write(bytes.data(), static_cast<int32_t>(bytes.size()));
}
void KStream::WriteUInt32(uint32_t value) {
  PutWord(value, 4);
}
void KStream::WriteInt16(int16_t value) {
  PutWord(static_cast<uint16_t>(value), 2);
}
void KStream::WriteUInt16(uint16_t value) {
  PutWord(value, 2);
}
void KStream::WriteByte(uint8_t value) {
  PutWord(value, 1);
}
int32_t KStream::ReadInt32() {
  return static_cast<int32_t>(GetWord(4));
}
uint32_t KStream::ReadUInt32() {
  return GetWord(4);
}
int16_t KStream::ReadInt16() {
  return static_cast<int16_t>(GetWord(2));
}
uint16_t KStream::ReadUInt16() {
  return static_cast<uint16_t>(GetWord(2));
}
uint8_t KStream::ReadByte() {
  return static_cast<uint8_t>(GetWord(1));
}
