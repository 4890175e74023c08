#include "framework/data/zafdiskfile.h"

#include <unistd.h>

#include <climits>

#include "framework/data/zafclassid.h"
#include "framework/data/zafnativefile.h"
#include "framework/data/zafstrlib.h"

namespace {

// Modes of this value and above belong to other kinds of file and open nothing here.
constexpr uint16_t kNoNativeMode = 128;

std::u16string OpenMode(uint16_t mode) {
  std::u16string text = (mode & ZAF_FILE_APPEND)      ? u"a+"
                        : (mode & ZAF_FILE_CREATE)    ? u"w+"
                        : (mode & ZAF_FILE_READWRITE) ? u"r+"
                                                      : u"r";
  if (mode & ZAF_FILE_BINARY) {
    text += u'b';
  } else if (mode & ZAF_FILE_TEXT) {
    text += u't';
  }
  return text;
}

}  // namespace

ZafDiskFile::ZafDiskFile(const ZafIChar* fileName, uint16_t mode) : ZafFile(mode) {
  if (!fileName || !*fileName) {
    SetError(ZAF_ERROR_NOT_FOUND);
    return;
  }
  name = fileName;
  if (mode < kNoNativeMode) {
    const std::u16string openMode = OpenMode(mode);
    stream = ZafFOpen(name.c_str(), openMode.c_str());
    if (!stream && name[0] != '/') {
      OpenOnSearchPath(openMode);
    }
  }
  if (!stream) {
    SetError(ZAF_ERROR_OPEN);
  }
}

void ZafDiskFile::OpenOnSearchPath(const std::u16string& openMode) {
  const ZafIChar* searchPath = ZafGetEnv(u"ZAF_PATH");
  if (!searchPath) {
    return;
  }
  const std::u16string directories = searchPath;
  std::size_t start = 0;
  while (start <= directories.size()) {
    std::size_t stop = directories.find(u':', start);
    if (stop == std::u16string::npos) {
      stop = directories.size();
    }
    std::u16string candidate = directories.substr(start, stop - start);
    if (!candidate.empty()) {
      if (candidate.back() != u'/') {
        candidate += u'/';
      }
      candidate += name;
      stream = ZafFOpen(candidate.c_str(), openMode.c_str());
      if (stream) {
        name = candidate;
        return;
      }
    }
    start = stop + 1;
  }
}

ZafDiskFile::~ZafDiskFile() {
  if (stream) {
    fclose(stream);
  }
}

ZafClassID ZafDiskFile::ClassID() const {
  return ID_ZAF_DISK_FILE;
}

const ZafIChar* ZafDiskFile::ClassName() const {
  return u"ZafDiskFile";
}

bool ZafDiskFile::IsA(ZafClassID id) const {
  return id == ID_ZAF_DISK_FILE || ZafFile::IsA(id);
}

bool ZafDiskFile::IsAName(const ZafIChar* className) const {
  return (className && ZafStrCmp(className, u"ZafDiskFile") == 0) || ZafFile::IsAName(className);
}

int32_t ZafDiskFile::Length() const {
  if (!stream) {
    return -1;
  }
  const long position = ftell(stream);
  if (position < 0 || fseek(stream, 0, SEEK_END) != 0) {
    return -1;
  }
  const long length = ftell(stream);
  fseek(stream, position, SEEK_SET);
  return length < 0 || length > INT32_MAX ? -1 : static_cast<int32_t>(length);
}

int ZafDiskFile::Seek(int32_t offset, int origin) {
  const int whence = origin == ZAF_SEEK_END ? SEEK_END : origin == ZAF_SEEK_CURRENT ? SEEK_CUR : SEEK_SET;
  if (!stream || fseek(stream, offset, whence) != 0) {
    SetError(ZAF_ERROR_SEEK);
    return -1;
  }
  lastDirection = Direction::kNone;
  return 0;
}

void ZafDiskFile::Turn(Direction direction) {
  if (stream && lastDirection != Direction::kNone && lastDirection != direction) {
    fseek(stream, 0, SEEK_CUR);
  }
  lastDirection = direction;
}

int32_t ZafDiskFile::Tell() const {
  if (!stream) {
    return -1;
  }
  const long position = ftell(stream);
  return position > INT32_MAX ? -1 : static_cast<int32_t>(position);
}

int ZafDiskFile::ReadData(void* buffer, int count) {
  if (count <= 0) {
    return 0;
  }
  Turn(Direction::kRead);
  const int read = stream ? static_cast<int>(fread(buffer, 1, count, stream)) : 0;
  if (read != count) {
    SetError(ZAF_ERROR_READ);
  }
  return read;
}

int ZafDiskFile::WriteData(const void* buffer, int count) {
  if (count <= 0) {
    return 0;
  }
  Turn(Direction::kWrite);
  const int written = stream ? static_cast<int>(fwrite(buffer, 1, count, stream)) : 0;
  if (written != count) {
    SetError(ZAF_ERROR_WRITE);
  }
  return written;
}

int ZafDiskFile::Flush() {
  if (!stream || fflush(stream) != 0 || fsync(fileno(stream)) != 0) {
    SetError(ZAF_ERROR_WRITE);
    return -1;
  }
  return 0;
}
