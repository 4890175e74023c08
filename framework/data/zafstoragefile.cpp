#include "framework/data/zafstoragefile.h"

#include <algorithm>
#include <cstring>

#include "framework/data/zafclassid.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafstrlib.h"

namespace {

// The buffer of a new object file.
constexpr int32_t kInitialCapacity = 60;

}  // namespace

ZafStorageFile::ZafStorageFile(ZafStorage* storage, ZafDirectoryElement* fileEntry, uint16_t mode)
    : ZafFile(mode),
      itsStorage(storage),
      entry(fileEntry),
      buffer(new uint8_t[kInitialCapacity]),
      capacity(kInitialCapacity) {}

ZafStorageFile::ZafStorageFile(ZafStorage* storage, ZafDirectoryElement* fileEntry, uint16_t mode,
                               std::vector<uint8_t> bytes)
    : ZafFile(mode),
      itsStorage(storage),
      entry(fileEntry),
      buffer(new uint8_t[std::max<std::size_t>(bytes.size(), 1)]),
      capacity(static_cast<int32_t>(bytes.size())),
      length(static_cast<int32_t>(bytes.size())) {
  std::copy(bytes.begin(), bytes.end(), buffer.get());
}

ZafStorageFile::~ZafStorageFile() {
  if (itsStorage) {
    itsStorage->ForgetFile(this);
  }
}

ZafClassID ZafStorageFile::ClassID() const {
  return ID_ZAF_STORAGE_FILE;
}

const ZafIChar* ZafStorageFile::ClassName() const {
  return u"ZafStorageFile";
}

bool ZafStorageFile::IsA(ZafClassID id) const {
  return id == ID_ZAF_STORAGE_FILE || ZafFile::IsA(id);
}

bool ZafStorageFile::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafStorageFile") == 0) || ZafFile::IsAName(name);
}

int ZafStorageFile::Seek(int32_t offset, int origin) {
  const int64_t base = origin == ZAF_SEEK_END ? length : origin == ZAF_SEEK_CURRENT ? position : 0;
  position = static_cast<int32_t>(std::clamp<int64_t>(base + offset, 0, length));
  return 0;
}

int ZafStorageFile::ReadData(void* out, int count) {
  if (count <= 0) {
    return 0;
  }
  const int available = std::min(count, length - position);
  std::memcpy(out, buffer.get() + position, available);
  position += available;
  return available;
}

int ZafStorageFile::WriteData(const void* data, int count) {
  if (count <= 0) {
    return 0;
  }
  const int64_t end = static_cast<int64_t>(position) + count;
  if (end > INT32_MAX) {
    SetError(ZAF_ERROR_WRITE);
    return 0;
  }
  if (end > capacity) {
    int64_t newCapacity = std::max<int64_t>(capacity, 1);
    while (newCapacity < end) {
      newCapacity *= 2;
    }
    newCapacity = std::min<int64_t>(newCapacity, INT32_MAX);
    auto grown = std::make_unique<uint8_t[]>(static_cast<std::size_t>(newCapacity));
    std::memcpy(grown.get(), buffer.get(), length);
    buffer = std::move(grown);
    capacity = static_cast<int32_t>(newCapacity);
  }
  std::memcpy(buffer.get() + position, data, count);
  position += count;
  length = std::max(length, position);
  modified = true;
  return count;
}
