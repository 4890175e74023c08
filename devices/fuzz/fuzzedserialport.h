// What the serial-link fuzz targets share: a serial port whose device answers each written request with
// the next reply cut from the fuzzed bytes. The first byte chooses how many bytes one read gives at most
// (1 to 64); the rest is a sequence of replies, each a 16-bit little-endian length and that many bytes (a
// length beyond the end takes what is left). A reply becomes readable only once the request before it is
// written, so that the input a link throws away before it sends never eats the answer. A read that finds
// nothing fails as a silent line does, but at once: the port drives the tick count, which stands still
// while bytes come and jumps by the read time-out when none do, so that every deadline of a link passes
// only when the line has gone quiet.
#ifndef DEVICES_FUZZ_FUZZEDSERIALPORT_H
#define DEVICES_FUZZ_FUZZEDSERIALPORT_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/kserialport.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"

class FuzzedSerialPort : public KSerialPort {
 public:
  FuzzedSerialPort(const uint8_t* data, size_t size)
      : slice(size > 0 ? 1 + data[0] % 64 : 1), next(size > 0 ? data + 1 : data), end(data + size) {
    KSetTickSource(&Ticks);
  }
  ~FuzzedSerialPort() override { KSetTickSource(nullptr); }

  // Requests written so far.
  int32_t Writes() const { return writes; }

 protected:
  int32_t ReadRaw(void* buffer, int32_t count) override {
    if (readAt == line.size()) {
      ticks += static_cast<uint32_t>(std::max(Timeout(), 0));
      throw KXSerialPort(kErrSerialTimeout);
    }
    const size_t given = std::min({line.size() - readAt, slice, static_cast<size_t>(count)});
    std::memcpy(buffer, line.data() + readAt, given);
    readAt += given;
    return static_cast<int32_t>(given);
  }

  // The device takes the request whole and has the next reply ready; what was left of the last one stays
  // ahead of it on the line.
  void WriteRaw(const void*, int32_t) override {
    ++writes;
    if (next == end) {
      return;
    }
    size_t length = end - next < 2 ? 0 : static_cast<size_t>(next[0] | next[1] << 8);
    next += std::min<ptrdiff_t>(2, end - next);
    length = std::min(length, static_cast<size_t>(end - next));
    line.erase(line.begin(), line.begin() + static_cast<ptrdiff_t>(readAt));
    readAt = 0;
    line.insert(line.end(), next, next + length);
    next += length;
  }

 private:
  static uint32_t Ticks() { return ticks; }

  static inline uint32_t ticks = 0;
  size_t slice;
  const uint8_t* next;
  const uint8_t* end;
  // The bytes on the line, read up to readAt.
  std::vector<uint8_t> line;
  size_t readAt = 0;
  int32_t writes = 0;
};

#endif
