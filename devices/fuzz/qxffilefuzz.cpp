// Reads the fuzzed bytes back as a results interface file from disk, in each encoding. A file that reads
// gives at least one line and no more than it has line ends, none of them holding a line end; written in
// the same encoding and read back it keeps its lines, and written again it comes back the same.

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

// A file named after the target, the process and a use, so that parallel runs never share one.
std::string FilePath(const char* use) {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder && *folder ? folder : "/tmp") + "/qxffilefuzz_" + std::to_string(getpid()) + use +
         ".qxf";
}

// Writes the lines in the encoding and reads them back.
std::vector<KString> WrittenAndRead(const KString& name, const std::vector<KString>& lines,
                                    int32_t encoding) {
  QxfFile::Write(name, lines, encoding);
  std::vector<KString> back;
  Check(QxfFile::Read(name, encoding, back));
  return back;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FilePath("in");
  const std::string copyPath = FilePath("out");
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  const KString name = KString::FromUtf8(path);
  const KString copy = KString::FromUtf8(copyPath);
  for (int32_t encoding : {KStream::kEncodingByte, KStream::kEncodingUtf16, KStream::kEncodingLocal}) {
    std::vector<KString> lines;
    if (!QxfFile::Read(name, encoding, lines)) {
      Check(lines.empty());
      continue;
    }
    Check(!lines.empty() && lines.size() <= size);
    for (const KString& line : lines) {
      for (int32_t i = 0; i < line.Length(); ++i) {
        Check(line[i] != u'\n');
      }
    }
    const std::vector<KString> once = WrittenAndRead(copy, lines, encoding);
    Check(once.size() == lines.size() && WrittenAndRead(copy, once, encoding) == once);
  }
  std::remove(path.c_str());
  std::remove(copyPath.c_str());
  return 0;
}
