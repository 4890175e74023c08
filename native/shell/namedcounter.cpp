#include "native/shell/namedcounter.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdint>

#include "native/shell/runtimedirectory.h"

namespace native {

namespace {

constexpr std::string_view kHolderPrefix = "holder-";

// The folder's lock, held for the few system calls of one operation.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder)
      : fd_(::open((folder + "/lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (fd_ >= 0 && flock(fd_, LOCK_EX) != 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~FolderLock() {
    if (fd_ >= 0) {
      ::close(fd_);  // closing drops the lock
    }
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_;
};

struct Count {
  LONG value;
  LONG maximum;
};

// The "count" file: the count and the maximum in decimal, separated by a blank, ended by a line feed.
std::optional<Count> readCount(const std::string& folder) {
  int fd = ::open((folder + "/count").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return std::nullopt;
  }
  char text[64];
  ssize_t length = ::read(fd, text, sizeof text);
  ::close(fd);
  if (length <= 0 || length == static_cast<ssize_t>(sizeof text)) {
    return std::nullopt;
  }
  const char* end = text + length;
  Count count{};
  auto [afterValue, valueError] = std::from_chars(text, end, count.value);
  if (valueError != std::errc() || afterValue == end || *afterValue != ' ') {
    return std::nullopt;
  }
  auto [afterMaximum, maximumError] = std::from_chars(afterValue + 1, end, count.maximum);
  if (maximumError != std::errc() || afterMaximum == end || *afterMaximum != '\n' ||
      afterMaximum + 1 != end || count.value < 0 || count.maximum <= 0 || count.value > count.maximum) {
    return std::nullopt;
  }
  return count;
}

bool writeCount(const std::string& folder, Count count) {
  std::string text = std::to_string(count.value) + " " + std::to_string(count.maximum) + "\n";
  int fd = ::open((folder + "/count").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) {
    return false;
  }
  bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  return ::close(fd) == 0 && written;
}

// Counts the holders whose lock is still held, removing the files of holders that are gone.
int liveHolders(const std::string& folder) {
  DIR* directory = opendir(folder.c_str());
  if (directory == nullptr) {
    return 0;
  }
  int live = 0;
  while (const dirent* entry = readdir(directory)) {
    std::string_view name = entry->d_name;
    if (name.substr(0, kHolderPrefix.size()) != kHolderPrefix) {
      continue;
    }
    std::string path = folder + "/" + std::string(name);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
      continue;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlink(path.c_str());
    } else if (errno == EWOULDBLOCK) {
      ++live;
    }
    ::close(fd);
  }
  closedir(directory);
  return live;
}

// A new holder file, locked for as long as the returned descriptor stays open.
int createHolder(const std::string& folder, std::string* path) {
  static std::atomic<std::uint64_t> serial{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    *path = folder + "/" + std::string(kHolderPrefix) + std::to_string(getpid()) + "-" +
            std::to_string(serial.fetch_add(1));
    int fd = ::open(path->c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) {
        continue;  // left by a process that had our process id before
      }
      return -1;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
      return fd;
    }
    ::close(fd);
    ::unlink(path->c_str());
    return -1;
  }
  return -1;
}

}  // namespace

NamedCounter::NamedCounter(std::string folder, std::string holderPath, int holderFd)
    : folder_(std::move(folder)), holderPath_(std::move(holderPath)), holderFd_(holderFd) {}

NamedCounter::~NamedCounter() {
  // Unlinking first: another process that opens the file now finds it gone rather than briefly alive.
  ::unlink(holderPath_.c_str());
  ::close(holderFd_);
}

std::unique_ptr<NamedCounter> NamedCounter::open(std::string_view name, Mode mode, LONG initial, LONG maximum,
                                                 bool* existed) {
  std::optional<std::string> runtime = RuntimeDirectory::path();
  if (!runtime.has_value() || name.empty()) {
    return nullptr;
  }
  std::string folder = *runtime + "/" + RuntimeDirectory::fileNamePart(name) + ".counter";
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    return nullptr;
  }
  FolderLock lock(folder);
  if (!lock.held()) {
    return nullptr;
  }
  bool living = liveHolders(folder) > 0;
  if (!living) {
    if (mode == Mode::OpenExisting || maximum <= 0 || initial < 0 || initial > maximum ||
        !writeCount(folder, Count{initial, maximum})) {
      return nullptr;
    }
  }
  std::string holderPath;
  int fd = createHolder(folder, &holderPath);
  if (fd < 0) {
    return nullptr;
  }
  if (existed != nullptr) {
    *existed = living;
  }
  return std::unique_ptr<NamedCounter>(new NamedCounter(folder, holderPath, fd));
}

std::optional<LONG> NamedCounter::release(LONG amount) {
  FolderLock lock(folder_);
  std::optional<Count> count = readCount(folder_);
  if (!lock.held() || !count.has_value() || amount <= 0 || amount > count->maximum - count->value) {
    return std::nullopt;
  }
  LONG previous = count->value;
  if (!writeCount(folder_, Count{previous + amount, count->maximum})) {
    return std::nullopt;
  }
  return previous;
}

}  // namespace native
