#include "foundation/kbufferedfile.h"

#include "foundation/kx.h"

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

KBufferedFile::KBufferedFile(int32_t bufferSize, const KString& path)
    : KFile(path), bytes(static_cast<size_t>(std::max(bufferSize, 1))) {}

KBufferedFile::~KBufferedFile() {
  try {
    Close();
  } catch (const KX&) {
    // A destructor cannot report; callers that care close the file themselves.
  }
}

void KBufferedFile::Open(int32_t mode, bool create) {
  KFile::Open(mode, create);
  filled = cursor = 0;
  dirtyFrom = -1;
}

void KBufferedFile::StartBuffer() {
  bufferStart = SystemSeek(0, SEEK_CUR);
}

void KBufferedFile::SettleBuffer() {
  if (!BufferInUse()) {
    return;
  }
  if (dirtyFrom >= 0) {
    SystemSeek(bufferStart + dirtyFrom, SEEK_SET);
    KFile::WriteRaw(bytes.data() + dirtyFrom, dirtyTo - dirtyFrom);
    dirtyFrom = -1;
  }
  SystemSeek(bufferStart + cursor, SEEK_SET);
  filled = cursor = 0;
}

int32_t KBufferedFile::ReadRaw(void* buffer, int32_t count) {
  if (cursor >= filled) {
    SettleBuffer();
    if (static_cast<size_t>(count) >= bytes.size()) {
      return KFile::ReadRaw(buffer, count);
    }
    StartBuffer();
    filled = KFile::ReadRaw(bytes.data(), static_cast<int32_t>(bytes.size()));
  }
  const int32_t n = std::min(count, filled - cursor);
  std::memcpy(buffer, bytes.data() + cursor, static_cast<size_t>(n));
  cursor += n;
  return n;
}

void KBufferedFile::WriteRaw(const void* buffer, int32_t count) {
  if (Mode() == kRead) {
    throw KXStream(kErrFileWrite, EBADF);
  }
  const auto* source = static_cast<const uint8_t*>(buffer);
  const auto size = static_cast<int32_t>(bytes.size());
  while (count > 0) {
    if (cursor >= size) {
      SettleBuffer();
    }
    if (!BufferInUse()) {
      if (count >= size) {
        KFile::WriteRaw(source, count);
        return;
      }
      StartBuffer();
    }
    const int32_t n = std::min(count, size - cursor);
    std::memcpy(bytes.data() + cursor, source, static_cast<size_t>(n));
    // One changed range covers every write; bytes between two writes are valid buffer contents, so
    // writing them out again does no harm.
    if (dirtyFrom < 0) {
      dirtyFrom = cursor;
      dirtyTo = cursor + n;
    } else {
      dirtyFrom = std::min(dirtyFrom, cursor);
      dirtyTo = std::max(dirtyTo, cursor + n);
    }
    cursor += n;
    filled = std::max(filled, cursor);
    source += n;
    count -= n;
  }
}

int64_t KBufferedFile::MoveTo(int64_t position) {
  if (position < 0) {
    throw KXStream(kErrFileAccess, EINVAL);
  }
  if (BufferInUse() && position >= bufferStart && position <= bufferStart + filled) {
    cursor = static_cast<int32_t>(position - bufferStart);
    return position;
  }
  SettleBuffer();
  return SystemSeek(position, SEEK_SET);
}

int64_t KBufferedFile::Seek(int64_t offset, int32_t origin) {
  int64_t base = 0;
  if (origin == kFromCurrent) {
    base = (BufferInUse() ? bufferStart + cursor : SystemSeek(0, SEEK_CUR)) - LookAheadCount();
  } else if (origin == kFromEnd) {
    base = Size();
  } else if (origin != kFromStart) {
    throw KXStream(kErrFileAccess, EINVAL);
  }
  DropLookAhead();
  return MoveTo(base + offset);
}

bool KBufferedFile::StepBack(int32_t count) {
  const int64_t position = BufferInUse() ? bufferStart + cursor : SystemSeek(0, SEEK_CUR);
  MoveTo(position - count);
  return true;
}

int64_t KBufferedFile::Size() {
  const int64_t onDisk = SystemSize();
  return BufferInUse() ? std::max(onDisk, bufferStart + filled) : onDisk;
}

void KBufferedFile::Close() {
  if (!IsOpen()) {
    return;
  }
  try {
    SettleBuffer();
  } catch (const KX&) {
    filled = cursor = 0;
    dirtyFrom = -1;
    KFile::Close();
    throw;
  }
  KFile::Close();
}

int64_t KBufferedFile::RawRemaining() const {
  if (!BufferInUse()) {
    return KFile::RawRemaining();
  }
  const int64_t end = std::max(SystemSize(), bufferStart + filled);
  return end - (bufferStart + cursor);
}
