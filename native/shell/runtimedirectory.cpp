#include "native/shell/runtimedirectory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace native {

namespace {

bool asciiLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool ownedFolder(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid();
}

}  // namespace

std::optional<std::string> RuntimeDirectory::path() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string folder = runtime != nullptr && runtime[0] == '/' ? std::string(runtime) + "/kestrove"
                                                               : "/tmp/kestrove-" + std::to_string(getuid());
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    return std::nullopt;
  }
  // A folder someone else made in a shared place must not receive our sockets and locks.
  if (!ownedFolder(folder)) {
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
