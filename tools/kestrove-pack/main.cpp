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
  const bool bitmaps = command == "bitmaps" && argc == 5;
  const bool splash = command == "splash" && argc == 4;
  if (!bitmaps && !splash) {
    std::fprintf(stderr,
                 "usage: kestrove-pack bitmaps TABLE FOLDER OUTPUT.znc\n"
                 "       kestrove-pack splash PICTURE.png OUTPUT.tgs\n");
    return 2;
  }
  try {
    if (bitmaps) {
      PackBitmaps(argv[2], argv[3], argv[4]);
    } else {
      PackSplash(argv[2], argv[3]);
    }
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "kestrove-pack: %s\n", failure.what());
    return 1;
  }
  return 0;
}
