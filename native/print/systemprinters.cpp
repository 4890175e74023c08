#include "native/print/systemprinters.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <sstream>

extern char** environ;

namespace native {

namespace {

// Caps what a listing may bring in: a broken tool cannot fill memory.
constexpr std::size_t kMaxListingBytes = 64 * 1024;

// Runs a program found on PATH with the arguments as they are (no shell), collecting its standard output.
bool run(std::vector<std::string> arguments, std::string* output) {
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (std::string& argument : arguments) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);
  pid_t child = 0;
  int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeEnds[1]);
  if (spawned != 0) {
    ::close(pipeEnds[0]);
    return false;
  }
  char buffer[4096];
  for (;;) {
    ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      break;
    }
    if (output != nullptr && output->size() < kMaxListingBytes) {
      output->append(buffer, static_cast<std::size_t>(got));
    }
  }
  ::close(pipeEnds[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      return false;
    }
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::vector<std::string> SystemPrinters::parseListing(const std::string& listing) {
  std::vector<std::string> names;
  std::istringstream lines(listing.substr(0, kMaxListingBytes));
  std::string line;
  while (std::getline(lines, line)) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) {
      line.pop_back();
    }
    bool printable = std::none_of(line.begin(), line.end(),
                                  [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    if (!line.empty() && printable) {
      names.push_back(line);
    }
  }
  return names;
}

std::vector<std::string> SystemPrinters::list() {
  std::string listing;
  if (!run({"lpstat", "-e"}, &listing)) {
    return {};
  }
  return parseListing(listing);
}

bool SystemPrinters::submit(const std::string& printer, const std::string& file, const std::string& title) {
  // "--" keeps a file name that starts with a dash from reading as an option.
  return run({"lp", "-d", printer, "-t", title, "--", file}, nullptr);
}

}  // namespace native
