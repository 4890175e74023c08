#include "bench/programfolder.h"

#include <filesystem>
#include <fstream>

void MakeProgramFolder(const std::string& folder) {
  std::filesystem::create_directories(folder);
  for (const char* name : {"kestrove.znc", "kestrove.tgs", "English.lng"}) {
    std::filesystem::copy_file(std::string(KESTROVE_PROGRAM_DIR) + "/" + name, folder + "/" + name);
  }
  std::ofstream(folder + "/kestrove.cfg") << "Registry Version: 1.00\n\\Hardware\\MenuTimeOut:Int=600000\n";
}
