#pragma once
// The address of a Unix-domain socket file, for bind and connect. A socket address holds a path of at most
// 107 bytes, and a user's runtime folder may lie deeper than that: a longer path is reached through a
// descriptor of its folder, as "/proc/self/fd/<descriptor>/<file name>", the descriptor staying open while
// the address lives. The file and its folder are the same either way; only the way to them is shorter.

#include <sys/socket.h>
#include <sys/un.h>

#include <string>

namespace native {

class SocketAddress {
 public:
  explicit SocketAddress(const std::string& path);
  ~SocketAddress();
  SocketAddress(const SocketAddress&) = delete;
  SocketAddress& operator=(const SocketAddress&) = delete;

  // False when the path cannot be reached: error() then tells why (an errno value).
  bool valid() const { return error_ == 0; }
  int error() const { return error_; }
  const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&address_); }
  socklen_t size() const { return sizeof address_; }

 private:
  // Writes the path into the address; false (ENAMETOOLONG) when it does not fit.
  bool take(const std::string& path);

  sockaddr_un address_{};
  int folderFd_ = -1;
  int error_ = 0;
};

}  // namespace native
