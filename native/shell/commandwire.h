#pragma once
// The command service's wire format, both sides. One request per connection: the topic, a 0 byte, then the
// command (UTF-8, at most 511 bytes) ended by a 0 byte or by the client closing its side. The server
// answers one line, "ACK", "BUSY" or "NAK", and closes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace native {

enum class CommandAnswer { Ack, Busy, Nak };

class CommandWire {
 public:
  static constexpr std::size_t kMaxTopic = 255;
  static constexpr std::size_t kMaxCommand = 511;

  // The request bytes; none when a part is too long or holds a 0 byte.
  static std::optional<std::string> request(std::string_view topic, std::string_view command);
  // The answer line, line feed included.
  static std::string_view answerLine(CommandAnswer answer);
  // The answer a line stands for (the line feed may be missing); none for anything else.
  static std::optional<CommandAnswer> parseAnswer(std::string_view line);
};

// Reads one request from bytes as they arrive.
class CommandRequestReader {
 public:
  enum class State { Incomplete, Complete, Refused };

  // Takes more bytes; bytes after a complete request are ignored.
  State feed(std::string_view bytes);
  // The client closed its side: a request that has its topic is complete.
  State finish();
  State state() const { return state_; }
  const std::string& topic() const { return topic_; }
  const std::string& command() const { return command_; }

 private:
  State state_ = State::Incomplete;
  bool inCommand_ = false;
  std::string topic_;
  std::string command_;
};

}  // namespace native
