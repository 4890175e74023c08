#pragma once
// Base of everything the program stores in a stream. Every stored record begins with a 32-bit version
// word: the upper half names the family (1 foundation, 2 competition model), the lower half the version.
// A reader accepts a closed range of versions, leaves the fields older versions lack at their defaults,
// and refuses anything else with KXPersistent 3009.

#include <cstdint>

class KStream;

class KPersistent {
 public:
  static constexpr uint16_t kFamilyFoundation = 1;
  static constexpr uint16_t kFamilyModel = 2;

  virtual ~KPersistent() = default;

  virtual void Read(KStream& stream) = 0;
  virtual void Write(KStream& stream) const = 0;

  static constexpr uint32_t VersionWord(uint16_t family, uint16_t version) {
    return (uint32_t{family} << 16) | version;
  }
  // Writes the version word of a record.
  static void WriteVersion(KStream& stream, uint16_t family, uint16_t version);
  // Reads a record's version word and returns its version; throws KXPersistent 3009 unless the family is
  // `family` and the version lies in [lowest, highest].
  static uint16_t ReadVersion(KStream& stream, uint16_t family, uint16_t lowest, uint16_t highest);
  // Reads a count or a length of items that take at least `bytesEach` bytes in the stream; throws
  // KXPersistent 3010 for a negative count, one above `maximum`, or one the stream cannot hold.
  static int32_t ReadCount(KStream& stream, int32_t bytesEach, int32_t maximum = 0x7fffffff);
};
