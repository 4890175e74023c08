#pragma once
// A KStream over a growable byte buffer: records are built in memory and read back from it.

#include "foundation/kstream.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class KMemoryStream : public KStream {
 public:
  KMemoryStream() = default;
  explicit KMemoryStream(std::vector<uint8_t> contents) : bytes(std::move(contents)) {}

  const std::vector<uint8_t>& Bytes() const { return bytes; }
  // Reading position; writing always appends at the end.
  int64_t Position() const { return static_cast<int64_t>(position) - LookAheadCount(); }

 protected:
  int32_t ReadRaw(void* buffer, int32_t count) override;
  void WriteRaw(const void* buffer, int32_t count) override;
  int64_t RawRemaining() const override;

 private:
  std::vector<uint8_t> bytes;
  std::size_t position = 0;
};
