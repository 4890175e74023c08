// Test helper: framework data files built byte by byte, so that tests compare what the storage writes with
// the layout itself and feed it files no storage would write.
#ifndef FRAMEWORK_DATA_TESTS_ZAFDATAFILEBUILDER_H
#define FRAMEWORK_DATA_TESTS_ZAFDATAFILEBUILDER_H

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Appends little-endian fields and strings in the files' encodings.
class ByteBuilder {
 public:
  ByteBuilder& U8(uint8_t value) {
    bytes.push_back(value);
    return *this;
  }
  ByteBuilder& U16(uint16_t value) { return U8(value & 0xFF).U8(value >> 8); }
  ByteBuilder& I32(int32_t value) {
    const auto raw = static_cast<uint32_t>(value);
    return U16(raw & 0xFFFF).U16(raw >> 16);
  }
  // Count (bit 15 when any character is above 255), then bytes or 16-bit words.
  ByteBuilder& Str(const std::u16string& text) {
    bool wide = false;
    for (char16_t c : text) {
      wide = wide || c > 0xFF;
    }
    U16(static_cast<uint16_t>(text.size() | (wide ? 0x8000 : 0)));
    for (char16_t c : text) {
      wide ? U16(c) : U8(static_cast<uint8_t>(c));
    }
    return *this;
  }
  ByteBuilder& Raw(const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
  }
  // The 72-byte header.
  ByteBuilder& Header(int32_t treeOffset, uint8_t major = 5, uint8_t minor = 6, uint16_t magic = 0x05AF,
                      const char* signature = "Zedu Data File Version 5.1U") {
    Bytes field(64, 0);
    std::memcpy(field.data(), signature, std::strlen(signature));
    field[std::strlen(signature)] = 0x1A;
    return Raw(field).U8(major).U8(minor).U16(magic).I32(treeOffset);
  }
  // The fixed part of an entry record; children and the end mark follow.
  ByteBuilder& Entry(const std::u16string& name, const std::u16string& stringID, int16_t numberID,
                     int32_t offset, int32_t size, uint16_t type) {
    return Str(name).Str(stringID).U16(static_cast<uint16_t>(numberID)).I32(offset).I32(size).U16(type);
  }
  ByteBuilder& End() { return U16(0); }

  int32_t Size() const { return static_cast<int32_t>(bytes.size()); }

  Bytes bytes;
};

inline Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

#endif
