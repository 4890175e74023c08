// The program's entry: one application object, the arguments joined into one command line (each quoted,
// so that blanks inside an argument survive the toolkit's splitting), and the start routine's exit code.
// "--help" or "-h", in any letter case as every option, prints the options instead and starts nothing.
#include <strings.h>
#include <cstdio>
#include <string>

#include "app/yzapplication.h"
#include "toolkit/kzwinmain.h"

namespace {

KZApplication* MakeApplication(int argc, ZafIChar** argv) {
  return new YZApplication(argc, argv);
}

constexpr char kUsage[] =
    "usage: kestrove [OPTION...]\n"
    "  -noregistry    starts with the built-in settings only: no configuration or language file is read,\n"
    "                 nothing is written at exit\n"
    "  -noserialport  does not look for serial ports at start\n"
    "  -noddeserver   offers no command service to other programs\n"
    "  -nooverlay     reads no overlays for the image windows\n"
    "  -devel         adds the development menu items (and Load Audio)\n"
    "  -gunaudio      adds Load Audio\n"
    "  -debug         noted, without effect\n"
    "  -h, --help     prints this and exits\n"
    "Options are recognised in any letter case. An argument must not contain a double quote.\n";

bool AsksForHelp(int argc, char** argv) {
  for (int index = 1; index < argc; ++index) {
    if (strcasecmp(argv[index], "--help") == 0 || strcasecmp(argv[index], "-h") == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (AsksForHelp(argc, argv)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  KZSetApplicationFactory(&MakeApplication);
  std::string commandLine;
  for (int index = 1; index < argc; ++index) {
    if (index > 1) {
      commandLine += ' ';
    }
    commandLine.append("\"").append(argv[index]).append("\"");
  }
  return WinMain(nullptr, nullptr, commandLine.c_str(), 0);
}
