// Opens fuzzed bytes as a framework data file (read-only) and walks everything it claims to hold: every
// directory is listed and entered, every object file opened and read to its end. A bad file must be refused
// with an empty tree; a good one must give back exactly the bytes its entries announce.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/data/zafdirectoryelement.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafstoragefile.h"
#include "framework/data/zafutf8.h"

namespace {

std::string InputPath() {
  const char* folder = getenv("TMPDIR");
  return std::string(folder && *folder ? folder : "/tmp") + "/zafstorage_fuzz_" + std::to_string(getpid()) +
         ".znc";
}

void Walk(ZafStorage& storage, int depth) {
  ZafFileInfoStruct info;
  for (int more = storage.FindFirst(info, u"*", nullptr, 0); more == 0;
       more = storage.FindNext(info, u"*", nullptr, 0)) {
    if (info.type & 1) {
      if (storage.ChDir(info.name.c_str(), nullptr, 0) != 0) {
        std::abort();
      }
      Walk(storage, depth + 1);
      if (storage.ChDir(u"..", nullptr, 0) != 0) {
        std::abort();
      }
      continue;
    }
    // Names are looked up as patterns, first match first: a name with '*' or '?', or one repeated in the
    // directory, may stand for an earlier sibling. What the name finds decides what must open.
    const ZafDirectoryElement* found = storage.Entry(info.name.c_str());
    ZafFile* file = storage.Open(info.name.c_str(), 1, nullptr, 0);
    if (!found || found->IsDirectory() != (file == nullptr)) {
      std::abort();
    }
    if (!file) {
      continue;
    }
    std::vector<uint8_t> bytes(static_cast<std::size_t>(file->Length()) + 1);
    const int read = file->ReadData(bytes.data(), static_cast<int>(bytes.size()));
    // The entry's size is what the file holds, unless reading it failed.
    if (file->Error() == 0 && (read != found->dataSize || read != file->Length())) {
      std::abort();
    }
    storage.Close(file);
  }
  if (depth > 0 && storage.CurrentDirectory()->Depth() != depth) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = InputPath();
  FILE* out = fopen(path.c_str(), "wb");
  if (!out) {
    return 0;
  }
  fwrite(data, 1, size, out);
  fclose(out);
  {
    ZafStorage storage(ZafFromUtf8(path).c_str(), 0);
    if (storage.Error() != 0 && storage.Root()->children.Count() != 0) {
      std::abort();
    }
    Walk(storage, 0);
  }
  unlink(path.c_str());
  return 0;
}
