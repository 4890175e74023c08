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

constexpr const char* kDefaultService = "Kestrove Pellacorvine";
constexpr const char* kDefaultTopic = "System";
constexpr int kDefaultTimeoutMs = 5000;

int Usage(std::FILE* to, int status) {
  std::fprintf(to,
               "usage: kestrove-send [--service NAME] [--topic TOPIC] [--timeout MS] COMMAND\n"
               "       kestrove-send --help\n"
               "  sends COMMAND (for example OpenEvent,\"/path/to/event.qve\") to the running program's\n"
               "  command service and prints its answer, ACK, BUSY or NAK\n"
               "  --service NAME  the service to reach (default \"%s\")\n"
               "  --topic TOPIC   the topic of the command (default \"%s\")\n"
               "  --timeout MS    how long to wait for the answer, in milliseconds (default %d)\n"
               "exit status: 0 taken (ACK), 1 busy (BUSY), 2 refused (NAK), 3 no service or no answer,\n"
               "  64 bad usage\n",
               kDefaultService, kDefaultTopic, kDefaultTimeoutMs);
  return status;
}

// Says which argument is wrong and why, then the usage.
int Refuse(const std::string& why) {
  std::fprintf(stderr, "kestrove-send: %s\n", why.c_str());
  return Usage(stderr, kUsage);
}

}  // namespace

int main(int argc, char** argv) {
  std::string service = kDefaultService;
  std::string topic = kDefaultTopic;
  int timeoutMs = kDefaultTimeoutMs;
  const char* command = nullptr;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      return Usage(stdout, kTaken);
    }
    const bool option = argument == "--service" || argument == "--topic" || argument == "--timeout";
    if (option && i + 1 >= argc) {
      return Refuse(std::string(argument) + " needs a value");
    }
    if (argument == "--service") {
      service = argv[++i];
    } else if (argument == "--topic") {
      topic = argv[++i];
    } else if (argument == "--timeout") {
      std::string_view value = argv[++i];
      auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), timeoutMs);
      if (error != std::errc() || end != value.data() + value.size() || timeoutMs <= 0) {
        return Refuse("--timeout " + std::string(value) + ": not a whole number of milliseconds above 0");
      }
    } else if (!argument.empty() && argument[0] == '-' && argument != "-") {
      return Refuse("unknown option " + std::string(argument));
    } else if (command != nullptr) {
      return Refuse("one command at a time: " + std::string(argument) + " follows " + command);
    } else {
      command = argv[i];
    }
  }
  if (command == nullptr) {
    return Refuse("no command to send");
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
