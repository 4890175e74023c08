// An object file opened out of a framework data file. Its bytes are held wholly in memory; closing it through
// its storage writes them to the storage's edit file when they were changed.
#ifndef FRAMEWORK_DATA_ZAFSTORAGEFILE_H
#define FRAMEWORK_DATA_ZAFSTORAGEFILE_H

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/data/zaffile.h"

class ZafDirectoryElement;
class ZafStorage;

class ZafStorageFile : public ZafFile {
 public:
  // An empty file of its own; `storage` and `entry` may be null for a file that belongs to no storage.
  ZafStorageFile(ZafStorage* storage, ZafDirectoryElement* entry, uint16_t mode);
  // A file that starts with these bytes (length and capacity equal to their count).
  ZafStorageFile(ZafStorage* storage, ZafDirectoryElement* entry, uint16_t mode, std::vector<uint8_t> bytes);
  ZafStorageFile(const ZafStorageFile&) = delete;
  ZafStorageFile& operator=(const ZafStorageFile&) = delete;
  // Tells the storage, when it still exists, that the file no longer points at its entry.
  ~ZafStorageFile() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  int32_t Length() const override { return length; }
  // Origin 0 start, 1 current, 2 end; the result is held to 0..length. Always 0.
  int Seek(int32_t offset, int origin) override;
  int32_t Tell() const override { return position; }
  // The lesser of count and the bytes left.
  int ReadData(void* buffer, int count) override;
  // Grows the buffer by doubling; a file that would pass 2 GiB takes nothing (error 17).
  int WriteData(const void* buffer, int count) override;

  bool Modified() const { return modified; }
  int32_t Capacity() const { return capacity; }
  const uint8_t* Bytes() const { return buffer.get(); }
  ZafDirectoryElement* Entry() const { return entry; }
  ZafStorage* Storage() const { return itsStorage; }

 private:
  friend class ZafStorage;

  ZafStorage* itsStorage;
  ZafDirectoryElement* entry;
  bool modified = false;
  std::unique_ptr<uint8_t[]> buffer;
  int32_t capacity;
  int32_t length = 0;
  int32_t position = 0;
};

#endif
