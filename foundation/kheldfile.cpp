#include "foundation/kheldfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// A sweep can delete a new file in the moment between its creation and its flock; the creator then makes
// it again, a few times at most.
constexpr int kCreateAttempts = 8;

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

KHeldFile::~KHeldFile() {
  Release();
}

void KHeldFile::Release() {
  if (descriptor >= 0) {
    ::close(descriptor);  // closing drops the flock
    descriptor = -1;
  }
}

bool KHeldFile::Create(const std::string& path) {
  Release();
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      return false;
    }
    // A file system without flock keeps the file unheld; no sweep there can take a lock, so none deletes it.
    struct stat status {};
    const bool held = ::flock(fd, LOCK_EX) == 0;
    if (!held || (::fstat(fd, &status) == 0 && status.st_nlink > 0)) {
      descriptor = fd;
      return true;
    }
    ::close(fd);
  }
  errno = EEXIST;
  return false;
}

int KHeldFile::RemoveUnheld(const std::string& folder, const std::function<bool(std::string_view)>& isOurs) {
  const std::string prefix = folder.empty() ? "" : folder.back() == '/' ? folder : folder + "/";
  DIR* directory = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!directory) {
    return 0;
  }
  int removed = 0;
  // The folder's own flock keeps two sweeps from racing each other over the same leftover.
  if (::flock(::dirfd(directory), LOCK_EX | LOCK_NB) == 0) {
    while (const dirent* entry = ::readdir(directory)) {
      if (!isOurs(entry->d_name)) {
        continue;
      }
      const std::string path = prefix + entry->d_name;
      const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
      if (fd < 0) {
        continue;
      }
      // Deleted only when still the very file that was locked, not one made anew under its name since.
      struct stat locked {};
      struct stat named {};
      if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &locked) == 0 && S_ISREG(locked.st_mode) &&
          ::lstat(path.c_str(), &named) == 0 && SameFile(locked, named) && ::unlink(path.c_str()) == 0) {
        ++removed;
      }
      ::close(fd);
    }
  }
  ::closedir(directory);  // drops the folder's flock
  return removed;
}
