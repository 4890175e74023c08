// cusim: plays a control unit on a pseudo-terminal so that Kestrove can be tried without hardware. Prints
// the device path to map with KESTROVE_COM<n>, then answers until interrupted, printing each request.
//
//   cusim [scenario file] [key=value ...]   (cusim --help prints the usage)

#include <signal.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "tools/cusim/cusimulator.h"

namespace {

int Usage(std::FILE* to, int status) {
  std::fprintf(
      to,
      "usage: cusim [SCENARIO-FILE | KEY=VALUE] ...\n"
      "  plays a control unit on a pseudo-terminal: prints the device path to map with\n"
      "  KESTROVE_COM<n>=PATH, then one line per request until Ctrl+C\n"
      "  settings are KEY=VALUE arguments or lines of a file (# starts a comment), e.g.\n"
      "    cusim lanes=8 reaction=150,142,95,88,88,none,-20,133 baud=19200\n"
      "  a key not given keeps its default; docs/control-unit-simulator.md lists the keys, their\n"
      "  defaults and the faults it can play; tools/cusim/example-scenario.txt is an example file\n"
      "       cusim --help\n"
      "exit status: 0 stopped by Ctrl+C or TERM, 1 no pseudo-terminal, 2 a bad argument, file or line\n");
  return status;
}

bool Apply(CuScenario& scenario, const std::string& line, const std::string& where) {
  std::string error;
  if (!scenario.ApplyLine(line, error)) {
    std::fprintf(stderr, "cusim: %s: %s\n", where.c_str(), error.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  CuScenario scenario;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      return Usage(stdout, 0);
    }
    if (argument.starts_with('-')) {
      std::fprintf(stderr, "cusim: unknown option %s\n", argument.c_str());
      return Usage(stderr, 2);
    }
    if (argument.find('=') != std::string::npos) {
      if (!Apply(scenario, argument, "argument")) {
        return 2;
      }
      continue;
    }
    std::ifstream file(argument);
    if (!file) {
      std::fprintf(stderr, "cusim: cannot read %s\n", argument.c_str());
      return 2;
    }
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
      if (!Apply(scenario, line, argument + ":" + std::to_string(number))) {
        return 2;
      }
    }
  }
  // The signals are taken by sigwait below, not by a handler.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  try {
    CuSimulator simulator(scenario, [](const std::string& text) {
      std::printf("%s\n", text.c_str());
      std::fflush(stdout);
    });
    std::printf("%s\n", simulator.DevicePath().c_str());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stopSignals, &signal);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "cusim: %s\n", failure.what());
    return 1;
  }
  return 0;
}
