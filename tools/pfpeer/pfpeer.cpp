// pfpeer: the photo-finish system's side of Kestrove's photo-finish interface, for tests and for people
// setting the two systems up. It writes made-up start lists into a data-in folder, and it asks Kestrove's
// reaction-time link for the results of a race and prints the answer. docs/photo-finish-interface.md
// describes the files and frames.

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "devices/csvfields.h"
#include "devices/databaseframe.h"
#include "devices/qvschedule.h"
#include "devices/qxffile.h"
#include "foundation/ksocket.h"
#include "foundation/kstring.h"
#include "foundation/kx.h"

namespace {

constexpr int kWaitMs = 5000;
// With -l, Kestrove gets this many answer waits to connect.
constexpr int kConnectWaits = 6;
constexpr int kLanes = 8;

constexpr int kFailure = 2;

int Usage(std::FILE* to, int status) {
  std::fprintf(
      to,
      "usage: pfpeer startlists [-c CHARMODE] FOLDER [RACES]\n"
      "         writes vesk.sch, vesk.evt and vesk.ppl for a made-up meet (RACES heats, 4 by default,\n"
      "         8 lanes) into FOLDER, which is created when it does not exist, in the code set that\n"
      "         Kestrove's \\Database\\CharMode names: 0 ISO 8859-1 (its default, and this one's),\n"
      "         1 UTF-16, 2 UTF-8\n"
      "       pfpeer rrq [-l] [-n] ADDRESS PORT EVENT ROUND HEAT\n"
      "         asks for the reaction times of a race and prints the answer's lines; ADDRESS is\n"
      "         dotted IPv4, or 0 for this computer as in Kestrove's settings; waits %d seconds for\n"
      "         the answer\n"
      "         -l  wait up to %d seconds for Kestrove to connect (its link set to connect) instead of\n"
      "             connecting\n"
      "         -n  send the request without a checksum (it has one by default)\n"
      "       pfpeer --help\n"
      "exit status: 0 results (RRP) or start lists written, 1 no results (RNR), 2 failure or bad usage\n",
      kWaitMs / 1000, kWaitMs * kConnectWaits / 1000);
  return status;
}

// Says which argument is wrong and why, then the usage.
int Refuse(const std::string& why) {
  std::fprintf(stderr, "pfpeer: %s\n", why.c_str());
  return Usage(stderr, kFailure);
}

// A whole decimal number within [low, high], or false.
bool ParseNumber(const char* text, int low, int high, int& value) {
  const char* end = text + std::strlen(text);
  const auto [stop, error] = std::from_chars(text, end, value);
  return error == std::errc() && stop == end && value >= low && value <= high;
}

KString Number(int value) {
  KString text;
  return text.AppendInt(value);
}

int WriteStartLists(const std::string& folder, int races, int charMode) {
  std::error_code failed;
  std::filesystem::create_directories(folder, failed);
  if (failed) {
    std::fprintf(stderr, "pfpeer: cannot create %s: %s\n", folder.c_str(), failed.message().c_str());
    return kFailure;
  }
  static const char* const kLastNames[] = {"Adeyemi",
                                           "Bianchi",
                                           "Carter",
                                           "Dubois",
                                           "Eriksson",
                                           "Fischer",
                                           "Garc\xc3\xad"
                                           "a",
                                           "Huang"};
  static const char* const kFirstNames[] = {"Ada", "Ben", "Chloe", "Dan", "Eva", "Finn", "Gia", "Hugo"};
  static const char* const kClubs[] = {"Harriers", "Striders, North", "Track \"A\"", "City AC"};
  std::vector<KString> schedule = {KString("; made-up meet written by pfpeer")};
  std::vector<KString> events;
  std::vector<KString> people;
  const auto add = [](std::vector<KString>& lines, const std::vector<KString>& fields) {
    lines.push_back(CsvFields::Join(fields));
  };
  for (int race = 1; race <= races; ++race) {
    const KString heat = Number(race);
    add(schedule, {u"1", u"1", heat});
    add(events, {u"1", u"1", heat, KString("100 m Heat ").Append(heat)});
    for (int lane = 1; lane <= kLanes; ++lane) {
      const int number = race * 100 + lane;
      const KString id = Number(number);
      // Even lanes name their athlete in the race line, odd ones leave the names to the people file.
      if (lane % 2 == 0) {
        add(events,
            {KString(), id, Number(lane), KString::FromUtf8(kLastNames[(number + 3) % kLanes]),
             KString(kFirstNames[number % kLanes]), KString(kClubs[number % 4]), KString("L-").Append(id)});
      } else {
        add(events, {KString(), id, Number(lane)});
      }
      add(people,
          {id, KString::FromUtf8(kLastNames[(number + 3) % kLanes]), KString(kFirstNames[number % kLanes]),
           KString(kClubs[number % 4]), KString("L-").Append(id)});
    }
  }
  for (const auto& [name, lines] : {std::pair<const char*, std::vector<KString>&>{"vesk.sch", schedule},
                                    std::pair<const char*, std::vector<KString>&>{"vesk.evt", events},
                                    std::pair<const char*, std::vector<KString>&>{"vesk.ppl", people}}) {
    const std::string path = folder + "/" + name;
    try {
      // The same lines in the same code set as the program's own text files of the interface.
      QxfFile::Write(KString::FromUtf8(path), lines, QvSchedule::StreamEncoding(charMode));
    } catch (const KX& failure) {
      std::fprintf(stderr, "pfpeer: cannot write %s (error %d)\n", path.c_str(), failure.Code());
      return kFailure;
    }
    std::printf("%s\n", path.c_str());
  }
  return 0;
}

// A connected socket to Kestrove, or -1.
int Open(bool listening, const char* addressText, const char* portText) {
  uint32_t address = 0;
  int port = 0;
  if (std::strcmp(addressText, "0") != 0 &&
      !KSocket::TextToAddress(KString::FromUtf8(addressText), address)) {
    std::fprintf(stderr, "pfpeer: %s is neither dotted IPv4 nor 0\n", addressText);
    return -1;
  }
  if (!ParseNumber(portText, 1, 65535, port)) {
    std::fprintf(stderr, "pfpeer: %s is not a port from 1 to 65535\n", portText);
    return -1;
  }
  // Address 0 is this computer, as in Kestrove's settings: the loopback address to connect to, every local
  // address to listen on.
  if (address == 0 && !listening) {
    address = INADDR_LOOPBACK;
  }
  sockaddr_in endpoint{};
  endpoint.sin_family = AF_INET;
  endpoint.sin_port = htons(static_cast<uint16_t>(port));
  endpoint.sin_addr.s_addr = htonl(address);
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (!listening) {
    if (connect(fd, reinterpret_cast<const sockaddr*>(&endpoint), sizeof endpoint) != 0) {
      std::perror("pfpeer: connect");
      close(fd);
      return -1;
    }
    return fd;
  }
  int on = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (bind(fd, reinterpret_cast<const sockaddr*>(&endpoint), sizeof endpoint) != 0 || listen(fd, 1) != 0) {
    std::perror("pfpeer: listen");
    close(fd);
    return -1;
  }
  std::fprintf(stderr, "pfpeer: waiting for Kestrove on port %d\n", port);
  pollfd waiting{fd, POLLIN, 0};
  const int peer = poll(&waiting, 1, kWaitMs * kConnectWaits) > 0 ? accept(fd, nullptr, nullptr) : -1;
  close(fd);
  if (peer < 0) {
    std::fprintf(stderr, "pfpeer: Kestrove did not connect\n");
  }
  return peer;
}

int AskReactionTimes(bool listening, bool checksum, char** arguments) {
  const int fd = Open(listening, arguments[0], arguments[1]);
  if (fd < 0) {
    return kFailure;
  }
  DatabaseFrame request;
  request.code = "RRQ";
  request.SetLines({CsvFields::Join({KString::FromUtf8(arguments[2]), KString::FromUtf8(arguments[3]),
                                     KString::FromUtf8(arguments[4])})},
                   1);
  const std::string bytes = request.Encode(checksum);
  if (send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size())) {
    std::perror("pfpeer: send");
    close(fd);
    return kFailure;
  }
  DatabaseFrameReader reader;
  DatabaseFrame answer;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
  while (!reader.Next(answer)) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd ready{fd, POLLIN, 0};
    char buffer[4096];
    ssize_t got = 0;
    if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0 ||
        (got = recv(fd, buffer, sizeof buffer, 0)) <= 0) {
      std::fprintf(stderr, "pfpeer: no answer (%d frames with a bad sum, %d broken)\n", reader.BadChecksums(),
                   reader.BrokenFrames());
      close(fd);
      return kFailure;
    }
    reader.Feed(reinterpret_cast<const uint8_t*>(buffer), static_cast<size_t>(got));
  }
  close(fd);
  std::printf("%s%s\n", answer.code.c_str(), answer.hasChecksum ? " (with checksum)" : "");
  for (const KString& line : answer.Lines(1)) {
    std::printf("%s\n", line.ToUtf8().c_str());
  }
  return answer.code == "RRP" ? 0 : answer.code == "RNR" ? 1 : kFailure;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc >= 2 ? argv[1] : "";
  if (command == "--help" || command == "-h") {
    return Usage(stdout, 0);
  }
  if (command == "startlists") {
    int at = 2;
    int charMode = 0;
    if (at < argc && std::strcmp(argv[at], "-c") == 0) {
      if (at + 1 >= argc || !ParseNumber(argv[at + 1], 0, 2, charMode)) {
        return Refuse("-c takes a CHARMODE of 0, 1 or 2");
      }
      at += 2;
    }
    if (argc - at != 1 && argc - at != 2) {
      return Refuse("startlists takes FOLDER and at most RACES");
    }
    int races = 4;
    if (argc - at == 2 && !ParseNumber(argv[at + 1], 1, 999, races)) {
      return Refuse(std::string("RACES ") + argv[at + 1] + ": not a whole number from 1 to 999");
    }
    return WriteStartLists(argv[at], races, charMode);
  }
  if (command == "rrq") {
    bool listening = false;
    bool checksum = true;
    int at = 2;
    for (; at < argc && argv[at][0] == '-'; ++at) {
      if (std::strcmp(argv[at], "-l") == 0) {
        listening = true;
      } else if (std::strcmp(argv[at], "-n") == 0) {
        checksum = false;
      } else {
        return Refuse(std::string("unknown option ") + argv[at]);
      }
    }
    if (argc - at != 5) {
      return Refuse("rrq takes ADDRESS PORT EVENT ROUND HEAT after its options");
    }
    return AskReactionTimes(listening, checksum, argv + at);
  }
  return Refuse(command.empty() ? "no command: startlists or rrq" : "unknown command " + command);
}
