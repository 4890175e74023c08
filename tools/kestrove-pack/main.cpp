// kestrove-pack: builds the program's data files from their sources.
//
//   kestrove-pack bitmaps TABLE FOLDER OUTPUT.znc   packs the pictures of the picture table, read from
//                                                  FOLDER/<name>.pix, into a framework data file
//   kestrove-pack splash PICTURE.png OUTPUT.tgs     writes the splash picture as a Targa
//
// Exit status: 0, 1 when a source is refused or an output cannot be written (the reason on standard
// error), 2 on a usage error.
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include "tools/kestrove-pack/datafilepacker.h"
#include "tools/kestrove-pack/picturetable.h"
#include "tools/kestrove-pack/splashpacker.h"

namespace {

constexpr int kPacked = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;

int Usage(std::FILE* to, int status) {
  std::fprintf(to,
               "usage: kestrove-pack bitmaps TABLE FOLDER OUTPUT.znc\n"
               "         packs the pictures named in TABLE (resources/pictures.table), each read from\n"
               "         FOLDER/<name>.pix, into the framework data file OUTPUT.znc\n"
               "       kestrove-pack splash PICTURE.png OUTPUT.tgs\n"
               "         writes the PNG picture as the splash picture OUTPUT.tgs (an uncompressed Targa);\n"
               "         transparent pixels become white\n"
               "       kestrove-pack --help\n"
               "  an output is replaced only once the new one is complete\n"
               "exit status: 0 written, 1 a source refused or an output not written (the reason on\n"
               "  standard error), 2 bad usage\n");
  return status;
}

// Says which argument is wrong and why, then the usage.
int Refuse(const std::string& why) {
  std::fprintf(stderr, "kestrove-pack: %s\n", why.c_str());
  return Usage(stderr, kUsage);
}

void PackBitmaps(const char* tablePath, const char* folder, const char* output) {
  std::ifstream text(tablePath);
  if (!text) {
    throw std::runtime_error(std::string(tablePath) + ": cannot be read");
  }
  PackDataFile(ReadPictureTable(text), folder, output);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "--help" || command == "-h") {
    return Usage(stdout, kPacked);
  }
  if (command.empty()) {
    return Refuse("no command: bitmaps or splash");
  }
  if (command != "bitmaps" && command != "splash") {
    return Refuse("unknown command " + command + ": bitmaps or splash");
  }
  const int wanted = command == "bitmaps" ? 3 : 2;
  if (argc - 2 != wanted) {
    return Refuse(command + " takes " + std::to_string(wanted) + " arguments, not " +
                  std::to_string(argc - 2));
  }
  try {
    if (command == "bitmaps") {
      PackBitmaps(argv[2], argv[3], argv[4]);
    } else {
      PackSplash(argv[2], argv[3]);
    }
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "kestrove-pack: %s\n", failure.what());
    return kRefused;
  }
  return kPacked;
}
