#pragma once
// What tests of printing read back: a scratch folder, the tools of poppler-utils, pdfinfo's report and the
// grey pictures pdftoppm renders; and stand-ins for the print service's tools.

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace native::test {

// A folder of its own for each test, removed with what is in it.
class PrintFolder {
 public:
  PrintFolder() {
    char pattern[] = "/tmp/kestrove-print-test-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~PrintFolder() {
    for (const std::string& name : names()) {
      std::remove((path_ + "/" + name).c_str());
    }
    rmdir(path_.c_str());
  }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    if (DIR* dir = opendir(path_.c_str())) {
      while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") {
          found.push_back(name);
        }
      }
      closedir(dir);
    }
    return found;
  }

 private:
  std::string path_;
};

inline bool haveTool(const char* name) {
  std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

inline std::string runAndRead(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
      output += buffer;
    }
    pclose(pipe);
  }
  return output;
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// A grey picture as pdftoppm writes it (binary PGM, 8 bits).
struct GreyPicture {
  int width = 0;
  int height = 0;
  std::string pixels;

  static GreyPicture read(const std::string& path) {
    GreyPicture picture;
    std::string content = readFile(path);
    std::istringstream header(content);
    std::string magic;
    int maximum = 0;
    header >> magic >> picture.width >> picture.height >> maximum;
    std::size_t size = static_cast<std::size_t>(std::max(picture.width, 0)) * std::max(picture.height, 0);
    if (magic != "P5" || size > content.size()) {
      return GreyPicture{};
    }
    // The pixels are the file's last width x height bytes, after the header's single white-space byte.
    picture.pixels = content.substr(content.size() - size);
    return picture;
  }
  bool dark(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height &&
           static_cast<unsigned char>(pixels[static_cast<std::size_t>(y) * width + x]) < 0x80;
  }
};

// The value of one "Key: value" line of pdfinfo's report.
inline std::string pdfInfo(const std::string& path, const std::string& key) {
  std::istringstream report(runAndRead("pdfinfo '" + path + "' 2>/dev/null"));
  std::string line;
  while (std::getline(report, line)) {
    if (line.rfind(key + ":", 0) == 0) {
      std::size_t start = line.find_first_not_of(' ', key.size() + 1);
      return start == std::string::npos ? "" : line.substr(start);
    }
  }
  return "";
}

// Stand-ins for the print service's tools, first on PATH while the test runs: `lpstat -e` lists two
// printers, `lp` records its arguments and keeps a copy of the file it was given, or refuses jobs for
// "office".
class FakePrintService {
 public:
  explicit FakePrintService(const PrintFolder& folder) : folder_(folder) {
    const char* path = std::getenv("PATH");
    oldPath_ = path != nullptr ? path : "";
    write("lpstat", "#!/bin/sh\nprintf 'office\\nlab laser\\n'\n");
    write("lp", "#!/bin/sh\n[ \"$2\" = office ] && exit 1\nprintf '%s\\n' \"$@\" > '" +
                    folder.file("lp-arguments") +
                    "'\n"
                    "for last; do :; done\ncp \"$last\" '" +
                    folder.file("spooled") + "'\n");
    setenv("PATH", (folder.file("bin") + ":" + oldPath_).c_str(), 1);
  }
  ~FakePrintService() {
    setenv("PATH", oldPath_.c_str(), 1);
    std::remove(folder_.file("bin/lpstat").c_str());
    std::remove(folder_.file("bin/lp").c_str());
    rmdir(folder_.file("bin").c_str());
  }

 private:
  void write(const std::string& name, const std::string& script) {
    mkdir(folder_.file("bin").c_str(), 0700);
    std::string path = folder_.file("bin/" + name);
    std::ofstream(path) << script;
    chmod(path.c_str(), 0700);
  }
  const PrintFolder& folder_;
  std::string oldPath_;
};

}  // namespace native::test
