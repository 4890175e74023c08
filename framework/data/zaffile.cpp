#include "framework/data/zaffile.h"

#include <bit>
#include <climits>

#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

namespace {

constexpr uint16_t kWideStringFlag = 0x8000;
constexpr uint16_t kCountMask = 0x7FFF;

bool IsWide(const ZafIChar* text, int length) {
  for (int index = 0; index < length; ++index) {
    if (text[index] > 0xFF) {
      return true;
    }
  }
  return false;
}

// A size × count product that fits an int, else -1.
int ArrayBytes(int elementSize, int count) {
  if (elementSize < 0 || count < 0) {
    return -1;
  }
  const long long bytes = static_cast<long long>(elementSize) * count;
  return bytes > INT_MAX ? -1 : static_cast<int>(bytes);
}

}  // namespace

ZafClassID ZafFile::ClassID() const {
  return ID_ZAF_FILE;
}

const ZafIChar* ZafFile::ClassName() const {
  return u"ZafFile";
}

bool ZafFile::IsA(ZafClassID id) const {
  return id == ID_ZAF_FILE || ZafElement::IsA(id);
}

bool ZafFile::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafFile") == 0) || ZafElement::IsAName(name);
}

ZafError ZafFile::SetError(ZafError value) {
  error = value;
  return error;
}

int ZafFile::ReadLittleEndian(uint64_t& value, int size) {
  uint8_t bytes[8] = {};
  const int read = ReadData(bytes, size);
  value = 0;
  if (read != size) {
    SetError(ZAF_ERROR_READ);
    return read < 0 ? 0 : read;
  }
  for (int index = size - 1; index >= 0; --index) {
    value = (value << 8) | bytes[index];
  }
  return read;
}

int ZafFile::WriteLittleEndian(uint64_t value, int size) {
  uint8_t bytes[8];
  for (int index = 0; index < size; ++index) {
    bytes[index] = static_cast<uint8_t>(value >> (8 * index));
  }
  return WriteData(bytes, size);
}

int ZafFile::ReadInt8(int8_t& value) {
  uint64_t raw;
  const int read = ReadLittleEndian(raw, 1);
  value = static_cast<int8_t>(raw);
  return read;
}

int ZafFile::ReadUInt8(uint8_t& value) {
  uint64_t raw;
  const int read = ReadLittleEndian(raw, 1);
  value = static_cast<uint8_t>(raw);
  return read;
}

int ZafFile::ReadInt16(int16_t& value) {
  uint64_t raw;
  const int read = ReadLittleEndian(raw, 2);
  value = static_cast<int16_t>(raw);
  return read;
}

int ZafFile::ReadUInt16(uint16_t& value) {
  uint64_t raw;
  const int read = ReadLittleEndian(raw, 2);
  value = static_cast<uint16_t>(raw);
  return read;
}

int ZafFile::ReadInt32(int32_t& value) {
  uint64_t raw;
  const int read = ReadLittleEndian(raw, 4);
  value = static_cast<int32_t>(raw);
  return read;
}

int ZafFile::ReadUInt32(uint32_t& value) {
  uint64_t raw;
  const int read = ReadLittleEndian(raw, 4);
  value = static_cast<uint32_t>(raw);
  return read;
}

int ZafFile::ReadDouble(double& value) {
  uint32_t high = 0;
  uint32_t low = 0;
  const int read = ReadUInt32(high) + ReadUInt32(low);
  value = read == 8 ? std::bit_cast<double>((static_cast<uint64_t>(high) << 32) | low) : 0.0;
  return read;
}

bool ZafFile::ReadCharacters(ZafIChar* out, int count, bool wide) {
  for (int index = 0; index < count; ++index) {
    uint64_t raw;
    const int size = wide ? 2 : 1;
    if (ReadLittleEndian(raw, size) != size) {
      return false;
    }
    out[index] = static_cast<ZafIChar>(raw);
  }
  out[count] = 0;
  return true;
}

int ZafFile::ReadString(ZafIChar*& text) {
  text = nullptr;
  uint16_t header = 0;
  if (ReadUInt16(header) != 2) {
    return -1;
  }
  const int count = header & kCountMask;
  if (count == 0) {
    return 0;
  }
  ZafIChar* characters = new ZafIChar[count + 1];
  if (!ReadCharacters(characters, count, header & kWideStringFlag)) {
    delete[] characters;
    return -1;
  }
  text = characters;
  return count;
}

int ZafFile::ReadString(ZafIChar* buffer, int size) {
  uint16_t header = 0;
  if (ReadUInt16(header) != 2) {
    return -1;
  }
  const int count = header & kCountMask;
  if (size != -1 && count + 1 > size) {
    SetError(ZAF_ERROR_READ);
    Seek(-2, ZAF_SEEK_CURRENT);
    return -1;
  }
  return ReadCharacters(buffer, count, header & kWideStringFlag) ? count : -1;
}

int ZafFile::ReadArray(void* values, int elementSize, int count) {
  const int bytes = ArrayBytes(elementSize, count);
  if (bytes < 0) {
    SetError(ZAF_ERROR_READ);
    return 0;
  }
  const int read = ReadData(values, bytes);
  if (read != bytes) {
    SetError(ZAF_ERROR_READ);
  }
  return read;
}

int ZafFile::WriteInt8(int8_t value) {
  return WriteLittleEndian(static_cast<uint8_t>(value), 1);
}

int ZafFile::WriteUInt8(uint8_t value) {
  return WriteLittleEndian(value, 1);
}

int ZafFile::WriteInt16(int16_t value) {
  return WriteLittleEndian(static_cast<uint16_t>(value), 2);
}

int ZafFile::WriteUInt16(uint16_t value) {
  return WriteLittleEndian(value, 2);
}

int ZafFile::WriteInt32(int32_t value) {
  return WriteLittleEndian(static_cast<uint32_t>(value), 4);
}

int ZafFile::WriteUInt32(uint32_t value) {
  return WriteLittleEndian(value, 4);
}

int ZafFile::WriteDouble(double value) {
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  return WriteUInt32(static_cast<uint32_t>(bits >> 32)) + WriteUInt32(static_cast<uint32_t>(bits));
}

int ZafFile::WriteString(const ZafIChar* text) {
  const int length = text ? ZafStrLen(text) : 0;
  if (length > ZAF_FILE_MAX_STRING) {
    // The count would run into the wide flag and the text could not be read back.
    SetError(ZAF_ERROR_READ);
    return -1;
  }
  const bool wide = IsWide(text, length);
  const int expected = 2 + length * (wide ? 2 : 1);
  int written = WriteUInt16(static_cast<uint16_t>(length | (wide ? kWideStringFlag : 0)));
  for (int index = 0; index < length; ++index) {
    written += wide ? WriteUInt16(text[index]) : WriteUInt8(static_cast<uint8_t>(text[index]));
  }
  if (written != expected) {
    SetError(ZAF_ERROR_READ);
    return -1;
  }
  return written;
}

int ZafFile::WriteArray(const void* values, int elementSize, int count) {
  const int bytes = ArrayBytes(elementSize, count);
  if (bytes < 0) {
    SetError(ZAF_ERROR_WRITE);
    return 0;
  }
  return WriteData(values, bytes);
}
