#pragma once
// A KFile with one memory buffer used for reading and for writing, for the many small reads and writes of
// stored records. Truncate and Flush write the buffer out first. It gives exactly the bytes an unbuffered
// KFile would, whatever the mix of reads, writes and seeks.

#include "foundation/kfile.h"

#include <cstdint>
#include <vector>

class KBufferedFile : public KFile {
 public:
  // `bufferSize` in bytes (callers use 4096); at least 1.
  explicit KBufferedFile(int32_t bufferSize, const KString& path = KString());
  ~KBufferedFile() override;

  void Open(int32_t mode, bool create = false) override;
  int64_t Size() override;
  int64_t Seek(int64_t offset, int32_t origin = kFromStart) override;
  void Close() override;

 protected:
  int32_t ReadRaw(void* buffer, int32_t count) override;
  void WriteRaw(const void* buffer, int32_t count) override;
  int64_t RawRemaining() const override;
  bool StepBack(int32_t count) override;
  // Writes out changed bytes and forgets the buffer, leaving the descriptor at the logical position.
  void SettleBuffer() override;

 private:
  bool BufferInUse() const { return filled > 0 || cursor > 0; }
  // Starts using the empty buffer at the descriptor's position.
  void StartBuffer();
  // Moves the logical position to a raw file offset, inside the buffer when it can.
  int64_t MoveTo(int64_t position);

  // While the buffer is empty the descriptor's position is the file's position; while it is in use, the
  // position is bufferStart + cursor and the descriptor's own position means nothing.
  std::vector<uint8_t> bytes;
  int64_t bufferStart = 0;  // file offset of bytes[0]
  int32_t filled = 0;       // valid bytes in the buffer
  int32_t cursor = 0;       // logical position within the buffer
  int32_t dirtyFrom = -1;   // first changed byte, -1 when nothing changed
  int32_t dirtyTo = 0;      // one past the last changed byte
};
