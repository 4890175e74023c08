// Test helpers for the file tests: a file held in memory, a temporary folder removed afterwards, an
// environment variable set for one test and a limit on the size of written files.
#ifndef FRAMEWORK_DATA_TESTS_ZAFTESTFILES_H
#define FRAMEWORK_DATA_TESTS_ZAFTESTFILES_H

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/data/zaffile.h"
#include "framework/data/zafutf8.h"

// A ZafFile over a byte vector; `writeLimit` makes writes come up short once the file reaches it.
class MemoryFile : public ZafFile {
 public:
  explicit MemoryFile(std::vector<uint8_t> initial = {}) : bytes(std::move(initial)) {}

  int32_t Length() const override { return static_cast<int32_t>(bytes.size()); }
  int Seek(int32_t offset, int origin) override {
    const int64_t base = origin == ZAF_SEEK_END       ? static_cast<int64_t>(bytes.size())
                         : origin == ZAF_SEEK_CURRENT ? static_cast<int64_t>(position)
                                                      : 0;
    position = static_cast<std::size_t>(std::clamp<int64_t>(base + offset, 0, bytes.size()));
    return 0;
  }
  int32_t Tell() const override { return static_cast<int32_t>(position); }
  int ReadData(void* buffer, int count) override {
    const std::size_t available = std::min<std::size_t>(std::max(count, 0), bytes.size() - position);
    std::copy_n(bytes.begin() + position, available, static_cast<uint8_t*>(buffer));
    position += available;
    return static_cast<int>(available);
  }
  int WriteData(const void* buffer, int count) override {
    const auto* data = static_cast<const uint8_t*>(buffer);
    int written = 0;
    for (; written < count && position < writeLimit; ++written, ++position) {
      if (position == bytes.size()) {
        bytes.push_back(data[written]);
      } else {
        bytes[position] = data[written];
      }
    }
    return written;
  }

  std::vector<uint8_t> bytes;
  std::size_t position = 0;
  std::size_t writeLimit = SIZE_MAX;
};

// A fresh folder under the system's temporary folder, deleted with everything in it at the end.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zaftestXXXXXX").string();
    path = mkdtemp(pattern.data());
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }

  std::u16string Path(const std::string& name = "") const {
    return ZafFromUtf8((std::filesystem::path(path) / name).string());
  }

  std::filesystem::path path;
};

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name(name) {
    if (const char* old = getenv(name)) {
      previous = old;
      hadValue = true;
    }
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (hadValue) {
      setenv(name, previous.c_str(), 1);
    } else {
      unsetenv(name);
    }
  }

 private:
  const char* name;
  std::string previous;
  bool hadValue = false;
};

// A limit on the size of the files this process writes, for one scope: writes past it come out short, as
// on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved);
    previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
  }

 private:
  rlimit saved{};
  void (*previousHandler)(int);
};

#endif
