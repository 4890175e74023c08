#pragma once
// The listening side of the command service: a Unix-domain stream socket in the user's runtime folder,
// named after the service. The socket and every connection are descriptors of the message loop's wait set,
// so requests are read, and the handler runs, on the GUI thread while messages are taken. A connection
// that has sent its whole request gets the handler's answer and is closed.

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "native/shell/commandwire.h"

namespace native {

class CommandServer {
 public:
  using Handler = std::function<CommandAnswer(const std::string& topic, const std::string& command)>;

  // At most this many connections wait for the rest of their request. A request that has arrived whole is
  // always read and answered; beyond this many connections still short of their request the oldest is
  // pushed out (NAK), so clients that connect and send nothing cannot lock the service up.
  static constexpr std::size_t kMaxPendingConnections = 8;
  // The most bytes after a request read and thrown away before its connection closes.
  static constexpr std::size_t kMaxDiscardedBytes = 1 << 20;

  // The socket of a service: "<runtime folder>/<service>.sock"; none without a runtime folder.
  static std::optional<std::string> socketPath(std::string_view service);

  // Listens for the service. The handler may end the service; the client it was answering then gets none. A
  // socket file left by a program that is gone is replaced; none, and a line in the program's log saying why,
  // when another program serves the name already or the socket cannot be made.
  static std::unique_ptr<CommandServer> listen(std::string_view service, Handler handler);
  ~CommandServer();
  CommandServer(const CommandServer&) = delete;
  CommandServer& operator=(const CommandServer&) = delete;

 private:
  struct Connection {
    CommandRequestReader reader;
    std::uint64_t serial;
  };

  CommandServer(std::string path, int listenFd, ino_t socketInode, Handler handler);
  void acceptConnections();
  void readFrom(int fd);
  // Reads what the waiting connections have sent, then pushes out the oldest ones still beyond the limit.
  void makeRoom();
  // Sends the answer, discards what the client sent after its request and closes.
  void answer(int fd, CommandAnswer answer);
  void discardInput(int fd);
  void drop(int fd);
  void dropOldest();

  std::string path_;
  int listenFd_;
  ino_t socketInode_;
  Handler handler_;
  std::map<int, Connection> connections_;
  std::uint64_t nextSerial_ = 0;
  // Turns false when the server goes, so a handler that ended it is noticed after it returns.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace native
