// zafdatafile: shows what a framework data file holds.
//
//   zafdatafile FILE          lists the directory tree: one entry a line, indented by depth, with its type
//                            (dir or obj), number ID, string ID, data offset and size
//   zafdatafile FILE PATH     dumps the object file at PATH ('~' between components) in hex and text
//
// The file is opened read-only and never changed. Exit status: 0, 1 when the file or the entry cannot be
// read, 2 on a usage error.
#include <cstdio>
#include <string>
#include <vector>

#include "framework/data/zafdirectoryelement.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafutf8.h"

namespace {

void ListEntry(const ZafDirectoryElement& entry, int depth) {
  const std::string stringID = entry.StringID() ? ZafToUtf8(entry.StringID()) : "";
  std::printf("%*s%s  %s  id=%u  sid=\"%s\"  offset=%d  size=%d\n", depth * 2, "",
              ZafToUtf8(entry.Name()).c_str(), entry.IsDirectory() ? "dir" : "obj",
              static_cast<unsigned>(entry.NumberID()), stringID.c_str(), entry.dataOffset, entry.dataSize);
  for (const ZafElement* child = entry.children.First(); child; child = child->Next()) {
    ListEntry(static_cast<const ZafDirectoryElement&>(*child), depth + 1);
  }
}

int DumpEntry(ZafStorage& storage, const std::u16string& path) {
  ZafFile* file = storage.Open(path.c_str(), ZAF_FILE_READ, nullptr, 0);
  if (!file) {
    std::fprintf(stderr, "zafdatafile: no object file %s\n", ZafToUtf8(path).c_str());
    return 1;
  }
  std::vector<unsigned char> bytes(static_cast<std::size_t>(file->Length()));
  const int read = file->ReadData(bytes.data(), static_cast<int>(bytes.size()));
  const bool failed = file->Error() != 0 || read != static_cast<int>(bytes.size());
  storage.Close(file);
  if (failed) {
    std::fprintf(stderr, "zafdatafile: cannot read %s\n", ZafToUtf8(path).c_str());
    return 1;
  }
  for (std::size_t line = 0; line < bytes.size(); line += 16) {
    std::printf("%08zx ", line);
    std::string text;
    for (std::size_t index = line; index < line + 16; ++index) {
      if (index < bytes.size()) {
        std::printf(" %02x", bytes[index]);
        text += bytes[index] >= 0x20 && bytes[index] < 0x7F ? static_cast<char>(bytes[index]) : '.';
      } else {
        std::printf("   ");
      }
    }
    std::printf("  %s\n", text.c_str());
  }
  return 0;
}

int Usage(std::FILE* to, int status) {
  std::fprintf(
      to,
      "usage: zafdatafile FILE\n"
      "         lists the directory tree of the framework data file FILE: one entry a line,\n"
      "         indented by depth, with its type (dir or obj), number ID, string ID, data offset\n"
      "         and size\n"
      "       zafdatafile FILE PATH\n"
      "         dumps the object file at PATH in hex and text; PATH names the entries from the\n"
      "         top of the tree down, joined by '~' (a leading '~' may be left out), as in\n"
      "         '~ZafBitmapData~Print~objectData' (quoted: a shell turns a leading ~ into a folder)\n"
      "       zafdatafile --help\n"
      "  FILE is opened read-only and never changed\n"
      "exit status: 0, 1 when FILE or the entry cannot be read, 2 bad usage\n");
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (first == "--help" || first == "-h") {
    return Usage(stdout, 0);
  }
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "zafdatafile: %s\n",
                 argc < 2 ? "no data file named" : "more arguments than FILE and PATH");
    return Usage(stderr, 2);
  }
  if (first.starts_with('-')) {
    std::fprintf(stderr, "zafdatafile: unknown option %s\n", first.c_str());
    return Usage(stderr, 2);
  }
  // Flags 0: read-only.
  ZafStorage storage(ZafFromUtf8(argv[1]).c_str(), 0);
  if (storage.Error() != 0) {
    std::fprintf(stderr, "zafdatafile: %s is not a readable data file (error %d)\n", argv[1],
                 storage.Error());
    return 1;
  }
  if (argc == 2) {
    std::printf("version %d.%d\n", storage.Version() >> 8, storage.Version() & 0xFF);
    ListEntry(*storage.Root(), 0);
    return 0;
  }
  return DumpEntry(storage, ZafFromUtf8(argv[2]));
}
