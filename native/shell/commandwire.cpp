#include "native/shell/commandwire.h"

namespace native {

std::optional<std::string> CommandWire::request(std::string_view topic, std::string_view command) {
  if (topic.size() > kMaxTopic || command.size() > kMaxCommand ||
      topic.find('\0') != std::string_view::npos || command.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  std::string bytes(topic);
  bytes += '\0';
  bytes += command;
  bytes += '\0';
  return bytes;
}

std::string_view CommandWire::answerLine(CommandAnswer answer) {
  switch (answer) {
    case CommandAnswer::Ack:
      return "ACK\n";
    case CommandAnswer::Busy:
      return "BUSY\n";
    case CommandAnswer::Nak:
      break;
  }
  return "NAK\n";
}

std::optional<CommandAnswer> CommandWire::parseAnswer(std::string_view line) {
  if (!line.empty() && line.back() == '\n') {
    line.remove_suffix(1);
  }
  for (CommandAnswer answer : {CommandAnswer::Ack, CommandAnswer::Busy, CommandAnswer::Nak}) {
    std::string_view known = answerLine(answer);
    if (line == known.substr(0, known.size() - 1)) {
      return answer;
    }
  }
  return std::nullopt;
}

CommandRequestReader::State CommandRequestReader::feed(std::string_view bytes) {
  for (char byte : bytes) {
    if (state_ != State::Incomplete) {
      break;
    }
    std::string& part = inCommand_ ? command_ : topic_;
    if (byte == '\0') {
      if (inCommand_) {
        state_ = State::Complete;
      }
      inCommand_ = true;
      continue;
    }
    if (part.size() == (inCommand_ ? CommandWire::kMaxCommand : CommandWire::kMaxTopic)) {
      state_ = State::Refused;
      break;
    }
    part += byte;
  }
  return state_;
}

CommandRequestReader::State CommandRequestReader::finish() {
  if (state_ == State::Incomplete) {
    state_ = inCommand_ ? State::Complete : State::Refused;
  }
  return state_;
}

}  // namespace native
