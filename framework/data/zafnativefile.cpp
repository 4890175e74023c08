#include "framework/data/zafnativefile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "foundation/kfile.h"
#include "framework/data/zafstrlib.h"
#include "framework/data/zafutf8.h"

namespace {

std::string Native(const ZafIChar* text) {
  return text ? ZafToUtf8(text) : std::string();
}

// Copies text with its terminator into a caller's buffer; null when it does not fit.
ZafIChar* CopyInto(const std::u16string& text, ZafIChar* buffer, std::size_t capacity) {
  if (!buffer || text.size() + 1 > capacity) {
    return nullptr;
  }
  return ZafStrCpy(buffer, text.c_str());
}

// The open(2) flags of an fopen mode ("r", "w", "a", each with an optional '+'); -1 for another mode.
int OpenFlags(const std::string& mode) {
  const bool update = mode.find('+') != std::string::npos;
  switch (mode.empty() ? '\0' : mode[0]) {
    case 'r':
      return update ? O_RDWR : O_RDONLY;
    case 'w':
      return (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
    case 'a':
      return (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
    default:
      return -1;
  }
}

std::string TemporaryDirectory() {
  const char* directory = getenv("TMPDIR");
  return directory && *directory ? directory : "/tmp";
}

}  // namespace

FILE* ZafFOpen(const ZafIChar* name, const ZafIChar* mode) {
  if (!name || !mode) {
    return nullptr;
  }
  // Only regular files, opened without waiting: a FIFO or a device in a file's place must not hold the
  // program up.
  const std::string nativeMode = Native(mode);
  const int flags = OpenFlags(nativeMode);
  if (flags < 0) {
    errno = EINVAL;
    return nullptr;
  }
  const int descriptor = KOpenRegularFile(Native(name).c_str(), flags | O_CLOEXEC);
  if (descriptor < 0) {
    return nullptr;
  }
  FILE* stream = fdopen(descriptor, nativeMode.c_str());
  if (!stream) {
    close(descriptor);
  }
  return stream;
}

const ZafIChar* ZafTmpNam(ZafIChar* buffer, std::size_t capacity) {
  static thread_local std::u16string lastName;
  std::string path = TemporaryDirectory() + "/zafXXXXXX";
  const int descriptor = mkstemp(path.data());
  if (descriptor < 0) {
    return nullptr;
  }
  close(descriptor);
  const std::u16string name = ZafFromUtf8(path);
  if (buffer) {
    ZafIChar* copied = CopyInto(name, buffer, capacity);
    if (!copied) {
      unlink(path.c_str());
    }
    return copied;
  }
  lastName = name;
  return lastName.c_str();
}

const ZafIChar* ZafGetEnv(const ZafIChar* name) {
  static thread_local std::u16string value;
  if (!name) {
    return nullptr;
  }
  const char* native = getenv(Native(name).c_str());
  if (!native) {
    return nullptr;
  }
  value = ZafFromUtf8(native);
  return value.c_str();
}

int ZafChDir(const ZafIChar* path) {
  return path ? chdir(Native(path).c_str()) : -1;
}

ZafIChar* ZafGetCwd(ZafIChar* buffer, std::size_t capacity) {
  std::vector<char> native(256);
  while (!getcwd(native.data(), native.size())) {
    if (errno != ERANGE) {
      return nullptr;
    }
    native.resize(native.size() * 2);
  }
  return CopyInto(ZafFromUtf8(native.data()), buffer, capacity);
}

int ZafRename(const ZafIChar* oldName, const ZafIChar* newName) {
  if (!oldName || !newName) {
    return -1;
  }
  return rename(Native(oldName).c_str(), Native(newName).c_str());
}

int ZafUnlink(const ZafIChar* name) {
  return name ? unlink(Native(name).c_str()) : -1;
}
