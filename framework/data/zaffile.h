// An abstract file of the framework: a native file or an object file inside a data file. Subclasses move raw
// bytes; this class gives the typed little-endian operations every stored record is made of.
//
// Encodings: integers little-endian; a double as two unsigned 32-bit words, the high word (sign, exponent,
// top 20 mantissa bits) first; a string as an unsigned 16-bit count with bit 15 set when any character is
// above 255, then the characters as bytes (their low bytes) or as 16-bit words. A count of 0 is no string.
#ifndef FRAMEWORK_DATA_ZAFFILE_H
#define FRAMEWORK_DATA_ZAFFILE_H

#include <cstdint>

#include "framework/data/zafelement.h"

// Mode bits of the files.
inline constexpr uint16_t ZAF_FILE_READ = 0x0001;
inline constexpr uint16_t ZAF_FILE_READWRITE = 0x0002;
inline constexpr uint16_t ZAF_FILE_CREATE = 0x0004;  // create or truncate
inline constexpr uint16_t ZAF_FILE_APPEND = 0x0008;
inline constexpr uint16_t ZAF_FILE_BINARY = 0x0020;
inline constexpr uint16_t ZAF_FILE_TEXT = 0x0040;

// Seek origins.
inline constexpr int ZAF_SEEK_START = 0;
inline constexpr int ZAF_SEEK_CURRENT = 1;
inline constexpr int ZAF_SEEK_END = 2;

// The longest string the 15-bit count can carry.
inline constexpr int ZAF_FILE_MAX_STRING = 0x7FFF;

class ZafFile : public ZafElement {
 public:
  explicit ZafFile(uint16_t mode = 0) : mode(mode) {}

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  ZafError Error() const { return error; }
  ZafError SetError(ZafError value);
  uint16_t Mode() const { return mode; }

  // -1 when the length is not known.
  virtual int32_t Length() const = 0;
  // 0 on success.
  virtual int Seek(int32_t offset, int origin) = 0;
  virtual int32_t Tell() const = 0;
  // Each returns the number of bytes moved.
  virtual int ReadData(void* buffer, int count) = 0;
  virtual int WriteData(const void* buffer, int count) = 0;

  // Typed reads return the number of bytes read; a short read sets error 16 and leaves 0 in the value.
  virtual int ReadInt8(int8_t& value);
  virtual int ReadUInt8(uint8_t& value);
  virtual int ReadInt16(int16_t& value);
  virtual int ReadUInt16(uint16_t& value);
  virtual int ReadInt32(int32_t& value);
  virtual int ReadUInt32(uint32_t& value);
  virtual int ReadDouble(double& value);
  // A new text of count + 1 characters (delete[] it), or null for a count of 0. Returns the count, or -1
  // with error 16 when the characters are cut short.
  virtual int ReadString(ZafIChar*& text);
  // Into a buffer of `size` characters (-1 for no limit). When count + 1 does not fit: error 16, the file
  // steps back over the count and -1 is returned. Returns the count.
  virtual int ReadString(ZafIChar* buffer, int size);
  // elementSize × count raw bytes.
  int ReadArray(void* values, int elementSize, int count);

  // Typed writes return the number of bytes written.
  virtual int WriteInt8(int8_t value);
  virtual int WriteUInt8(uint8_t value);
  virtual int WriteInt16(int16_t value);
  virtual int WriteUInt16(uint16_t value);
  virtual int WriteInt32(int32_t value);
  virtual int WriteUInt32(uint32_t value);
  virtual int WriteDouble(double value);
  // Null writes a count of 0. A text longer than ZAF_FILE_MAX_STRING is refused with error 16 and nothing
  // written, as is a string cut short. Returns the bytes written, or -1.
  virtual int WriteString(const ZafIChar* text);
  int WriteArray(const void* values, int elementSize, int count);

 private:
  // Fixed-size little-endian fields: `size` bytes of `value`, low byte first.
  int ReadLittleEndian(uint64_t& value, int size);
  int WriteLittleEndian(uint64_t value, int size);
  // The characters of a string whose count was read.
  bool ReadCharacters(ZafIChar* out, int count, bool wide);

  ZafError error = ZAF_ERROR_NONE;
  uint16_t mode;
};

#endif
