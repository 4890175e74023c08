#include "foundation/kfile.h"

#include "foundation/kbufferedfile.h"
#include "foundation/kdiskstep.h"
#include "foundation/kfileinfo.h"
#include "foundation/kheldfile.h"
#include "foundation/kx.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

constexpr int32_t kSaveBufferSize = 4096;

KDiskStepHook& SafeSaveSteps() {
  static KDiskStepHook steps;
  return steps;
}

int64_t CheckedSeek(int descriptor, int64_t offset, int whence) {
  const off_t position = ::lseek(descriptor, static_cast<off_t>(offset), whence);
  if (position < 0) {
    throw KXStream(kErrFileAccess, errno);
  }
  return position;
}

// True for a non-empty run of decimal digits.
bool IsDecimal(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A write failure's code: a full disk has its own.
KXStream WriteFailure(int error) {
  return KXStream(error == ENOSPC ? kErrDiskFull : kErrFileWrite, error);
}

}  // namespace

KFile::KFile(const KString& name) : path(name) {}

KFile::~KFile() {
  if (descriptor >= 0) {
    ::close(descriptor);
  }
}

void KFile::Assign(const KFile& other) {
  path = other.path;
}

void KFile::SetName(const KString& newPath) {
  path = newPath;
}

int32_t KFile::NameStart() const {
  for (int32_t i = path.Length(); i > 0; --i) {
    if (path[i - 1] == u'/') {
      return i;
    }
  }
  return 0;
}

int32_t KFile::ExtensionDot() const {
  const int32_t nameStart = NameStart();
  for (int32_t i = path.Length() - 1; i >= nameStart; --i) {
    if (path[i] == u'.') {
      return i;
    }
  }
  return -1;
}

void KFile::SetFileName(KFile& file, const KString& name, bool keepFolder) {
  KString newPath;
  if (keepFolder) {
    file.GetDirectory(newPath);
  }
  newPath.Append(name);
  file.path = newPath;
}

void KFile::GetDirectory(KString& folder) const {
  folder.Append(path.Data(), NameStart());
}

void KFile::AppendName(KFile& file, const KString& folder) {
  file.path = folder;
  if (folder.IsEmpty() || folder[folder.Length() - 1] != u'/') {
    file.path.AppendChar(u'/');
  }
}

void KFile::SetExtension(const KString& extension) {
  const int32_t dot = ExtensionDot();
  if (dot < 0) {
    path.AppendChar(u'.');
  } else {
    path.SetLength(dot + 1);
  }
  path.Append(extension);
}

void KFile::RemoveExtension() {
  const int32_t dot = ExtensionDot();
  if (dot >= 0) {
    path.SetLength(dot);
  }
}

bool KFile::GetExtension(KString& extension) const {
  const int32_t dot = ExtensionDot();
  if (dot < 0) {
    return false;
  }
  extension = KString(path.Data() + dot + 1, path.Length() - dot - 1);
  return true;
}

bool KFile::SameName(const KFile& a, const KFile& b) {
  return KString::EqualsNoCase(a.path, b.path);
}

bool KFile::IsReadOnly() const {
  struct stat info {};
  if (::stat(path.ToUtf8().c_str(), &info) != 0) {
    return false;
  }
  // No write permission bits at all is the file's read-only mark; access() covers files owned by others.
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.ToUtf8().c_str(), W_OK) != 0;
}

bool KFile::Rename(const KFile& target) {
  if (::rename(path.ToUtf8().c_str(), target.path.ToUtf8().c_str()) != 0) {
    return false;
  }
  path = target.path;
  return true;
}

void KFile::TakeOver(KFile& other, bool takeHandle) {
  if (&other == this) {
    return;
  }
  Close();
  mode = other.mode;
  path = other.path;
  if (takeHandle && other.descriptor >= 0) {
    other.SettleLookAhead();
    other.SettleBuffer();
    descriptor = other.descriptor;
    other.descriptor = -1;
    other.mode = 0;
  }
}

void KFile::Open(int32_t openMode, bool create) {
  if (descriptor >= 0) {
    throw KXStream(kErrFileAlreadyOpen);
  }
  const int access = openMode == kRead ? O_RDONLY : O_RDWR;
  const int fd =
      KOpenRegularFile(path.ToUtf8().c_str(), access | O_CLOEXEC | (create ? O_CREAT : 0), access == O_RDWR);
  if (fd < 0) {
    throw KXStream(kErrFileOpen, errno);
  }
  descriptor = fd;
  mode = openMode == kRead ? kRead : kReadWrite;
  DropLookAhead();
}

int64_t KFile::SystemSize() const {
  struct stat info {};
  const int result = descriptor >= 0 ? ::fstat(descriptor, &info) : ::stat(path.ToUtf8().c_str(), &info);
  if (result != 0) {
    throw KXStream(kErrFileAccess, errno);
  }
  return info.st_size;
}

int64_t KFile::Size() {
  return SystemSize();
}

int64_t KFile::SystemSeek(int64_t offset, int whence) {
  if (descriptor < 0) {
    throw KXStream(kErrFileAccess, EBADF);
  }
  return CheckedSeek(descriptor, offset, whence);
}

void KFile::Truncate() {
  SettleLookAhead();  // the cut goes where the reader stopped, and nothing read ahead survives it
  SettleBuffer();
  const int64_t position = SystemSeek(0, SEEK_CUR);
  if (::ftruncate(descriptor, static_cast<off_t>(position)) != 0) {
    throw WriteFailure(errno);
  }
}

int64_t KFile::Seek(int64_t offset, int32_t origin) {
  static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (origin < kFromStart || origin > kFromEnd) {
    throw KXStream(kErrFileAccess, EINVAL);
  }
  if (origin == kFromCurrent) {
    offset -= LookAheadCount();
  }
  DropLookAhead();
  return SystemSeek(offset, kWhence[origin]);
}

bool KFile::StepBack(int32_t count) {
  SystemSeek(-count, SEEK_CUR);
  return true;
}

void KFile::Flush() {
  SettleLookAhead();
  SettleBuffer();
  if (descriptor >= 0 && ::fsync(descriptor) != 0) {
    throw WriteFailure(errno);
  }
}

void KFile::Close() {
  if (descriptor < 0) {
    return;
  }
  const int fd = descriptor;
  descriptor = -1;
  mode = 0;
  DropLookAhead();
  if (::close(fd) != 0) {
    throw KXStream(kErrFileClose, errno);
  }
}

int64_t KFile::RawRemaining() const {
  if (descriptor < 0) {
    return -1;
  }
  const off_t position = ::lseek(descriptor, 0, SEEK_CUR);
  struct stat info {};
  if (position < 0 || ::fstat(descriptor, &info) != 0) {
    return -1;
  }
  return info.st_size > position ? info.st_size - position : 0;
}

int32_t KFile::ReadRaw(void* buffer, int32_t count) {
  if (descriptor < 0) {
    throw KXStream(kErrFileRead, EBADF);
  }
  for (;;) {
    const ssize_t n = ::read(descriptor, buffer, static_cast<size_t>(count));
    if (n >= 0) {
      return static_cast<int32_t>(n);
    }
    if (errno != EINTR) {
      throw KXStream(kErrFileRead, errno);
    }
  }
}

void KFile::WriteRaw(const void* buffer, int32_t count) {
  if (descriptor < 0) {
    throw KXStream(kErrFileWrite, EBADF);
  }
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  while (count > 0) {
    const ssize_t n = ::write(descriptor, bytes, static_cast<size_t>(count));
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      throw WriteFailure(n < 0 ? errno : ENOSPC);
    }
    bytes += n;
    count -= static_cast<int32_t>(n);
  }
}

KString KFile::TemporaryPrefix(const KString& path) {
  const KFile target(path);
  KString prefix;
  target.GetDirectory(prefix);
  prefix.AppendChar(u'.');
  prefix.Append(path.Data() + target.NameStart(), path.Length() - target.NameStart());
  prefix.Append(".tmp");
  return prefix;
}

KString KFile::CreateTemporaryBeside(const KString& path) {
  KHeldFile held;
  return CreateHeldTemporaryBeside(path, held);
}

KString KFile::CreateHeldTemporaryBeside(const KString& path, KHeldFile& held) {
  KString name = TemporaryPrefix(path);
  name.AppendInt(::getpid());
  const int32_t stem = name.Length();
  // Each name taken belongs to another save still running or to one that crashed.
  for (int32_t attempt = 0; held.Descriptor() < 0; ++attempt) {
    name.SetLength(stem);
    name.AppendChar(u'-');
    name.AppendInt(attempt);
    if (!held.Create(name.ToUtf8()) && (errno != EEXIST || attempt >= 100)) {
      throw KXStream(kErrFileOpen, errno);
    }
  }
  struct stat old {};
  if (::stat(path.ToUtf8().c_str(), &old) == 0) {
    ::fchmod(held.Descriptor(), old.st_mode & 07777);  // the new file keeps the old one's permissions
  }
  return name;
}

void KFile::RemoveLeftoverTemporaries(const KString& path) {
  const KFile target(path);
  KString folder;
  target.GetDirectory(folder);
  const std::string prefix = TemporaryPrefix(path).ToUtf8().substr(folder.ToUtf8().size());
  KHeldFile::RemoveUnheld(folder.ToUtf8(), [&prefix](std::string_view name) {
    // Only names this process could not be writing: "<prefix><process id>-<number>" of a process gone.
    const std::size_t dash = name.find('-', prefix.size());
    if (!name.starts_with(prefix) || dash == std::string_view::npos || !IsDecimal(name.substr(dash + 1))) {
      return false;
    }
    const std::string_view processText = name.substr(prefix.size(), dash - prefix.size());
    pid_t process = 0;
    if (!IsDecimal(processText) ||
        std::from_chars(processText.data(), processText.data() + processText.size(), process).ec !=
            std::errc()) {
      return false;
    }
    return process > 0 && process != ::getpid() && ::kill(process, 0) != 0 && errno == ESRCH;
  });
}

void KFile::SetDiskStepHook(std::function<void(KDiskStep)> hook) {
  SafeSaveSteps().Set(std::move(hook));
}

void KFile::SaveSafely(const KString& target, const std::function<void(KStream&)>& writeContents) {
  const KDiskStepHook& steps = SafeSaveSteps();
  const KFile targetFile(target);
  steps.Reach(KDiskStep::kSweep);
  RemoveLeftoverTemporaries(target);
  // Held until the save is over, so that a sweep by another process leaves it alone.
  KHeldFile held;
  steps.Reach(KDiskStep::kNewFile);
  const KString temporaryName = CreateHeldTemporaryBeside(target, held);
  KBufferedFile temporary(kSaveBufferSize, temporaryName);
  try {
    temporary.Open(kReadWrite);
    writeContents(temporary);
    steps.Reach(KDiskStep::kSyncNewFile);
    temporary.Flush();
    temporary.Close();
    steps.Reach(KDiskStep::kRenameOverLive);
    if (::rename(temporaryName.ToUtf8().c_str(), target.ToUtf8().c_str()) != 0) {
      throw KXStream(kErrFileWrite, errno);
    }
  } catch (...) {
    try {
      temporary.Close();
    } catch (const KX&) {
      // The save has already failed; the first failure is the one to report.
    }
    ::unlink(temporaryName.ToUtf8().c_str());
    throw;
  }
  // Make the rename itself durable; a failure here leaves a complete file either way.
  KString folder;
  targetFile.GetDirectory(folder);
  steps.Reach(KDiskStep::kSyncFolder);
  KSyncFolder(folder);
}

bool KFile::FindNext(KFileInfo& listing, KFile& entry) {
  if (!listing.Next()) {
    return false;
  }
  KString found(listing.folder);
  found.Append(listing.name);
  entry.SetName(found);
  return true;
}

bool KSyncFolder(const KString& folder) {
  const int directory =
      ::open(folder.IsEmpty() ? "." : folder.ToUtf8().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory < 0) {
    return false;
  }
  const bool synced = ::fsync(directory) == 0;
  ::close(directory);
  return synced;
}

int KOpenRegularFile(const char* path, int flags, bool devicesToo) {
  const int fd = ::open(path, flags | O_NONBLOCK, 0666);
  if (fd < 0) {
    return -1;
  }
  struct stat info {};
  int error = 0;
  if (::fstat(fd, &info) != 0) {
    error = errno;
  } else if (!S_ISREG(info.st_mode) && !(devicesToo && (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)))) {
    error = S_ISDIR(info.st_mode) ? EISDIR : ENXIO;
  } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    error = errno;
  }
  if (error != 0) {
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

bool KFileExists(const KString& path) {
  struct stat info {};
  return ::stat(path.ToUtf8().c_str(), &info) == 0;
}

bool KDeleteFile(const KString& path) {
  return ::unlink(path.ToUtf8().c_str()) == 0;
}
