#include "native/shell/runtimedirectory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "foundation/klog.h"
#include "foundation/kstring.h"

namespace native {

namespace {

bool asciiLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

constexpr mode_t kGroupAndOthers = S_IRWXG | S_IRWXO;
constexpr const char* kNotUsed = "; the command service and the instance count do not use it";

// Tells the program's log what the checks found, each finding once: the instance count asks for the
// folder before the log opens (the line then waits for it), and the command service asks again.
void report(const std::string& message) {
  static std::mutex mutex;
  static std::string last;
  std::lock_guard lock(mutex);
  if (message != last) {
    last = message;
    KLog::ProgramWarning(KString::FromUtf8(message));
  }
}

// Whether the folder is ours and private: another user who may enter or write it could rename or replace
// the socket, or send commands. A folder of ours that grants group or others anything is made private;
// false when it belongs to someone else or cannot be made private. The checks and the change go through
// one descriptor, so that the folder cannot be swapped in between.
bool privateFolder(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    report("The runtime folder " + path + " cannot be opened as a folder (" + std::strerror(errno) + ")" +
           kNotUsed);
    return false;
  }
  struct stat info {};
  bool usable = fstat(fd, &info) == 0 && info.st_uid == getuid();
  if (!usable) {
    report("The runtime folder " + path + " belongs to another user" + kNotUsed);
  } else if ((info.st_mode & kGroupAndOthers) != 0) {
    usable = fchmod(fd, info.st_mode & ~kGroupAndOthers & 07777) == 0;
    report(usable ? "The runtime folder " + path + " was open to other users; it is now private"
                  : "The runtime folder " + path + " is open to other users and cannot be made private" +
                        kNotUsed);
  }
  close(fd);
  return usable;
}

}  // namespace

std::optional<std::string> RuntimeDirectory::path() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string folder = runtime != nullptr && runtime[0] == '/' ? std::string(runtime) + "/kestrove"
                                                               : "/tmp/kestrove-" + std::to_string(getuid());
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    report("The runtime folder " + folder + " cannot be made (" + std::strerror(errno) + ")" + kNotUsed);
    return std::nullopt;
  }
  // A folder someone else made in a shared place must not receive our sockets and locks.
  if (!privateFolder(folder)) {
    return std::nullopt;
  }
  return folder;
}

std::string RuntimeDirectory::fileNamePart(std::string_view name) {
  bool onlyDots = name.find_first_not_of('.') == std::string_view::npos;
  std::string part;
  for (char c : name) {
    unsigned char byte = static_cast<unsigned char>(c);
    // ASCII only: the same name must give the same file name whatever locale a process runs in.
    bool keep = !onlyDots && (asciiLetterOrDigit(c) || c == ' ' || c == '.' || c == '-' || c == '_');
    if (keep) {
      part += c;
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      part += '%';
      part += kHex[byte >> 4];
      part += kHex[byte & 0x0F];
    }
  }
  return part;
}

}  // namespace native
