// The program's entry: one application object, the arguments joined into one command line (each quoted,
// so that blanks inside an argument survive the toolkit's splitting), and the start routine's exit code.
#include <string>

#include "app/yzapplication.h"
#include "toolkit/kzwinmain.h"

namespace {

KZApplication* MakeApplication(int argc, ZafIChar** argv) {
  return new YZApplication(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
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
