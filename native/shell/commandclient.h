#pragma once
// The sending side of the command service: connects to a service's socket, sends one request and reads the
// answer, each step within a time limit. For the sending tool and for tests; callable from any thread.

#include <optional>
#include <string>
#include <string_view>

#include "native/shell/commandwire.h"

namespace native {

class CommandClient {
 public:
  enum class Failure { NoService, TooLong, NoAnswer };

  struct Result {
    std::optional<CommandAnswer> answer;  // set when the service answered
    Failure failure = Failure::NoAnswer;  // why not, otherwise
  };

  // Sends the command on the topic to the service of that name in the user's runtime folder.
  static Result send(std::string_view service, std::string_view topic, std::string_view command,
                     int timeoutMs);
  // Sends the bytes as they are (which may be no valid request) to the socket at `path`.
  static Result sendBytes(const std::string& path, std::string_view bytes, int timeoutMs);
};

}  // namespace native
