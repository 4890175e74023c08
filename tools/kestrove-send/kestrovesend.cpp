// kestrove-send: sends one command to the running program's command service (see docs/command-service.md)
// and prints the answer, "ACK", "BUSY" or "NAK".
//
//   kestrove-send [--service NAME] [--topic TOPIC] [--timeout MS] COMMAND
//
// Exit status: 0 taken, 1 busy, 2 refused, 3 no service or no answer, 64 bad usage.

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "native/shell/commandclient.h"

namespace {

constexpr int kTaken = 0;
constexpr int kBusy = 1;
constexpr int kRefused = 2;
constexpr int kNoAnswer = 3;
constexpr int kUsage = 64;

int usage() {
  std::fputs(
      "usage: kestrove-send [--service NAME] [--topic TOPIC] [--timeout MS] COMMAND\n"
      "  sends COMMAND (for example OpenEvent,\"/path/to/event.qve\") to the running program\n",
      stderr);
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  std::string service = "Kestrove Pellacorvine";
  std::string topic = "System";
  int timeoutMs = 5000;
  const char* command = nullptr;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    bool hasValue = i + 1 < argc;
    if (argument == "--service" && hasValue) {
      service = argv[++i];
    } else if (argument == "--topic" && hasValue) {
      topic = argv[++i];
    } else if (argument == "--timeout" && hasValue) {
      std::string_view value = argv[++i];
      auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), timeoutMs);
      if (error != std::errc() || end != value.data() + value.size() || timeoutMs <= 0) {
        return usage();
      }
    } else if (command == nullptr && (argument.empty() || argument[0] != '-' || argument == "-")) {
      command = argv[i];
    } else {
      return usage();
    }
  }
  if (command == nullptr) {
    return usage();
  }
  native::CommandClient::Result result = native::CommandClient::send(service, topic, command, timeoutMs);
  if (!result.answer.has_value()) {
    switch (result.failure) {
      case native::CommandClient::Failure::TooLong:
        std::fprintf(stderr, "kestrove-send: the command is longer than %zu bytes\n",
                     native::CommandWire::kMaxCommand);
        return kUsage;
      case native::CommandClient::Failure::NoService:
        std::fprintf(stderr, "kestrove-send: no program serves \"%s\"\n", service.c_str());
        return kNoAnswer;
      case native::CommandClient::Failure::NoAnswer:
        std::fputs("kestrove-send: no answer\n", stderr);
        return kNoAnswer;
    }
  }
  std::string_view line = native::CommandWire::answerLine(*result.answer);
  std::fwrite(line.data(), 1, line.size(), stdout);
  switch (*result.answer) {
    case native::CommandAnswer::Ack:
      return kTaken;
    case native::CommandAnswer::Busy:
      return kBusy;
    case native::CommandAnswer::Nak:
      break;
  }
  return kRefused;
}
