#include "native/shell/commandserver.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "foundation/klog.h"
#include "foundation/kstring.h"
#include "native/shell/runtimedirectory.h"
#include "native/shell/socketaddress.h"
#include "native/user/messageapi.h"

namespace native {

namespace {

bool bindTo(int fd, const SocketAddress& address) {
  return bind(fd, address.get(), address.size()) == 0;
}

// Whether a program answers on the socket file.
bool someoneListens(const SocketAddress& address) {
  int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (probe < 0) {
    return true;  // cannot tell: leave the file alone
  }
  bool listening = connect(probe, address.get(), address.size()) == 0 ||
                   (errno != ECONNREFUSED && errno != ENOENT);
  close(probe);
  return listening;
}

// Tells the program's log why the service does not start; the program goes on without it.
std::unique_ptr<CommandServer> notListening(const std::string& path, const std::string& reason) {
  KLog::ProgramWarning(KString::FromUtf8("The command service cannot listen on " + path + " (" + reason + ")"));
  return nullptr;
}

ino_t inodeOf(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

}  // namespace

std::optional<std::string> CommandServer::socketPath(std::string_view service) {
  std::optional<std::string> folder = RuntimeDirectory::path();
  if (!folder.has_value() || service.empty()) {
    return std::nullopt;
  }
  return *folder + "/" + RuntimeDirectory::fileNamePart(service) + ".sock";
}

std::unique_ptr<CommandServer> CommandServer::listen(std::string_view service, Handler handler) {
  std::optional<std::string> path = socketPath(service);
  if (!path.has_value()) {
    return nullptr;  // the runtime folder's checks have told the log why
  }
  SocketAddress address(*path);
  if (!address.valid()) {
    return notListening(*path, std::strerror(address.error()));
  }
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    return notListening(*path, std::strerror(errno));
  }
  bool bound = bindTo(fd, address);
  if (!bound && errno == EADDRINUSE && !someoneListens(address)) {
    unlink(path->c_str());
    bound = bindTo(fd, address);
  }
  if (!bound || ::listen(fd, SOMAXCONN) != 0) {
    const int error = errno;
    close(fd);
    return notListening(*path, error == EADDRINUSE ? "another program serves it" : std::strerror(error));
  }
  std::unique_ptr<CommandServer> server(new CommandServer(*path, fd, inodeOf(*path), std::move(handler)));
  CommandServer* self = server.get();
  if (!RegisterWaitDescriptor(fd, POLLIN, [self](short) { self->acceptConnections(); })) {
    return notListening(*path, "the message loop cannot watch it");
  }
  return server;
}

CommandServer::CommandServer(std::string path, int listenFd, ino_t socketInode, Handler handler)
    : path_(std::move(path)), listenFd_(listenFd), socketInode_(socketInode), handler_(std::move(handler)) {}

CommandServer::~CommandServer() {
  *alive_ = false;
  while (!connections_.empty()) {
    drop(connections_.begin()->first);
  }
  UnregisterWaitDescriptor(listenFd_);
  close(listenFd_);
  // Only our own socket file: a later program may have replaced it after we were thought gone.
  if (socketInode_ != 0 && inodeOf(path_) == socketInode_) {
    unlink(path_.c_str());
  }
}

void CommandServer::acceptConnections() {
  std::shared_ptr<bool> alive = alive_;
  for (;;) {
    int fd = accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      return;  // EAGAIN: all taken; other errors: the client is already gone
    }
    if (!RegisterWaitDescriptor(fd, POLLIN, [this, fd](short) { readFrom(fd); })) {
      close(fd);
      continue;
    }
    connections_.emplace(fd, Connection{CommandRequestReader(), nextSerial_++});
    // A request that is there already is answered at once and takes no place.
    readFrom(fd);
    if (!*alive) {
      return;
    }
    if (connections_.size() > kMaxPendingConnections) {
      makeRoom();
      if (!*alive) {
        return;
      }
    }
  }
}

void CommandServer::makeRoom() {
  // Whatever the waiting clients have sent by now is read first: a request that arrived whole is answered,
  // and only a connection still short of its request is pushed out.
  std::vector<int> waiting;
  for (const auto& [fd, connection] : connections_) {
    waiting.push_back(fd);
  }
  std::shared_ptr<bool> alive = alive_;
  for (int fd : waiting) {
    readFrom(fd);
    if (!*alive) {
      return;
    }
  }
  while (connections_.size() > kMaxPendingConnections) {
    dropOldest();
  }
}

void CommandServer::readFrom(int fd) {
  auto found = connections_.find(fd);
  if (found == connections_.end()) {
    return;
  }
  CommandRequestReader& reader = found->second.reader;
  char bytes[1024];
  ssize_t count = recv(fd, bytes, sizeof bytes, 0);
  if (count < 0) {
    if (errno != EAGAIN && errno != EINTR) {
      drop(fd);
    }
    return;
  }
  CommandRequestReader::State state =
      count == 0 ? reader.finish() : reader.feed(std::string_view(bytes, static_cast<std::size_t>(count)));
  if (state == CommandRequestReader::State::Refused) {
    answer(fd, CommandAnswer::Nak);
  } else if (state == CommandRequestReader::State::Complete) {
    std::shared_ptr<bool> alive = alive_;
    CommandAnswer given = handler_(reader.topic(), reader.command());
    if (*alive) {
      answer(fd, given);
    }
  }
}

void CommandServer::answer(int fd, CommandAnswer answer) {
  std::string_view line = CommandWire::answerLine(answer);
  // A few bytes into an empty socket buffer; a client that is gone simply misses them.
  (void)!send(fd, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  discardInput(fd);
  drop(fd);
}

void CommandServer::discardInput(int fd) {
  // Closing a socket with bytes unread resets the connection, and the client would see the reset rather
  // than its answer: what it sent past its request is read and thrown away first, up to a bound, so that a
  // client that never stops sending cannot hold the loop.
  char bytes[4096];
  for (std::size_t discarded = 0; discarded < kMaxDiscardedBytes;) {
    ssize_t count = recv(fd, bytes, sizeof bytes, MSG_DONTWAIT);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      return;
    }
    discarded += static_cast<std::size_t>(count);
  }
}

void CommandServer::drop(int fd) {
  UnregisterWaitDescriptor(fd);
  close(fd);
  connections_.erase(fd);
}

void CommandServer::dropOldest() {
  auto oldest = connections_.begin();
  for (auto it = connections_.begin(); it != connections_.end(); ++it) {
    if (it->second.serial < oldest->second.serial) {
      oldest = it;
    }
  }
  if (oldest != connections_.end()) {
    answer(oldest->first, CommandAnswer::Nak);
  }
}

}  // namespace native
