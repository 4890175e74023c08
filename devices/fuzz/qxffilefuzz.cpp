// Reads the fuzzed bytes back as a results interface file from disk. A file that reads gives at least one
// line and no more than it has line ends, none of them holding a line end; written again in UTF-16 and
// read back, lines without a CR inside come back the same.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "devices/qxffile.h"
#include "foundation/kstream.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// A file named after the target and the process, so that parallel runs never share one.
std::string FilePath() {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder && *folder ? folder : "/tmp") + "/qxffilefuzz_" + std::to_string(getpid()) +
         ".qxf";
}

bool HoldsCr(const std::vector<KString>& lines) {
  for (const KString& line : lines) {
    for (int32_t i = 0; i < line.Length(); ++i) {
      if (line[i] == u'\r') {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FilePath();
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  const KString name = KString::FromUtf8(path);
  std::vector<KString> lines;
  if (QxfFile::Read(name, lines)) {
    Check(!lines.empty() && lines.size() <= size);
    for (const KString& line : lines) {
      for (int32_t i = 0; i < line.Length(); ++i) {
        Check(line[i] != u'\n');
      }
    }
    if (!HoldsCr(lines)) {
      QxfFile::Write(name, lines, KStream::kEncodingUtf16);
      std::vector<KString> again;
      Check(QxfFile::Read(name, again) && again == lines);
    }
  } else {
    Check(lines.empty());
  }
  std::remove(path.c_str());
  return 0;
}
