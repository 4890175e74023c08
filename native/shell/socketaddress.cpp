#include "native/shell/socketaddress.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace native {

SocketAddress::SocketAddress(const std::string& path) {
  address_.sun_family = AF_UNIX;
  if (take(path)) {
    return;
  }
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return;
  }
  const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
  folderFd_ = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folderFd_ < 0) {
    error_ = errno;
    return;
  }
  error_ = 0;
  take("/proc/self/fd/" + std::to_string(folderFd_) + path.substr(slash));
}

SocketAddress::~SocketAddress() {
  if (folderFd_ >= 0) {
    close(folderFd_);
  }
}

bool SocketAddress::take(const std::string& path) {
  if (path.size() >= sizeof address_.sun_path) {
    error_ = ENAMETOOLONG;
    return false;
  }
  std::memcpy(address_.sun_path, path.c_str(), path.size() + 1);
  return true;
}

}  // namespace native
