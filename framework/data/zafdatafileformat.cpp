#include "framework/data/zafdatafileformat.h"

#include <cstring>
#include <vector>

#include "framework/data/zafdirectoryelement.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstoragefile.h"

namespace {

constexpr int kSignatureSize = 64;
constexpr char kSignatureText[] = "Zedu Data File Version 5.1U";
// The end-of-text mark that follows the signature text.
constexpr uint8_t kSignatureEnd = 0x1A;

// The smallest entry record: a one-character name, no string ID, the fixed fields and the end-of-children
// mark. A tree offset that leaves less room than this cannot hold a root.
constexpr int32_t kSmallestRecord = 3 + 2 + 2 + 4 + 4 + 2 + 2;

class TreeReader {
 public:
  TreeReader(ZafFile& holder, ZafStorageFile& tree, int32_t dataEnd)
      : holder(holder), tree(tree), dataEnd(dataEnd) {}

  // The next entry's record, or null at the end-of-children mark (and on an error).
  std::unique_ptr<ZafDirectoryElement> ReadEntry(int depth) {
    ZafIChar* rawName = nullptr;
    const int count = tree.ReadString(rawName);
    std::unique_ptr<ZafIChar[]> name(rawName);
    if (!name || Failed()) {
      return nullptr;
    }
    const std::u16string_view nameText(name.get(), static_cast<std::size_t>(count));
    const bool nameAllowed =
        depth == 0 ? nameText.find(u'\0') == std::u16string_view::npos : ZafDataFileNameAllowed(nameText);
    if (depth > ZAF_DATA_FILE_MAX_DEPTH || !nameAllowed) {
      error = ZAF_ERROR_NOT_DATA_FILE;
      return nullptr;
    }
    ZafIChar* rawStringID = nullptr;
    tree.ReadString(rawStringID);
    std::unique_ptr<ZafIChar[]> stringID(rawStringID);
    int16_t numberID = 0;
    int32_t offset = -1;
    int32_t size = 0;
    uint16_t type = 0;
    tree.ReadInt16(numberID);
    tree.ReadInt32(offset);
    tree.ReadInt32(size);
    tree.ReadUInt16(type);
    if (Failed()) {
      return nullptr;
    }
    if (size < 0 ||
        (size > 0 && (offset < ZAF_DATA_FILE_HEADER_SIZE || static_cast<int64_t>(offset) + size > dataEnd))) {
      error = ZAF_ERROR_NOT_DATA_FILE;
      return nullptr;
    }
    auto entry = std::make_unique<ZafDirectoryElement>(name.get(), type);
    entry->SetStringID(stringID.get());
    entry->SetNumberID(static_cast<ZafNumberID>(numberID));
    entry->dataOffset = offset;
    entry->dataSize = size;
    entry->holder = size > 0 ? &holder : nullptr;
    while (std::unique_ptr<ZafDirectoryElement> child = ReadEntry(depth + 1)) {
      child->parent = entry.get();
      entry->children.Add(child.release());
    }
    return Failed() ? nullptr : std::move(entry);
  }

  bool Failed() {
    if (error == ZAF_ERROR_NONE && tree.Error() != ZAF_ERROR_NONE) {
      error = ZAF_ERROR_READ;
    }
    return error != ZAF_ERROR_NONE;
  }

  ZafError error = ZAF_ERROR_NONE;

 private:
  ZafFile& holder;
  ZafStorageFile& tree;
  int32_t dataEnd;
};

}  // namespace

bool ZafDataFileNameAllowed(std::u16string_view name) {
  return !name.empty() && name.size() <= static_cast<std::size_t>(ZAF_FILE_MAX_STRING) && name != u"." &&
         name != u".." && name.find(u'~') == std::u16string_view::npos &&
         name.find(u'\0') == std::u16string_view::npos;
}

bool ZafDataFileNameCreatable(std::u16string_view name) {
  return ZafDataFileNameAllowed(name) && name.find_first_of(u"*?") == std::u16string_view::npos;
}

ZafError ZafReadDataFileHeader(ZafFile& file, ZafDataFileHeader& header) {
  const int32_t length = file.Length();
  if (length < ZAF_DATA_FILE_HEADER_SIZE || file.Seek(0, 0) != 0) {
    return ZAF_ERROR_NOT_DATA_FILE;
  }
  uint8_t signature[kSignatureSize];
  uint8_t major = 0;
  uint8_t minor = 0;
  uint16_t magic = 0;
  int32_t treeOffset = 0;
  file.ReadArray(signature, 1, kSignatureSize);
  file.ReadUInt8(major);
  file.ReadUInt8(minor);
  file.ReadUInt16(magic);
  file.ReadInt32(treeOffset);
  if (file.Error() != ZAF_ERROR_NONE) {
    return ZAF_ERROR_READ;
  }
  if (major != ZAF_DATA_FILE_MAJOR || magic != ZAF_DATA_FILE_MAGIC ||
      treeOffset < ZAF_DATA_FILE_HEADER_SIZE || static_cast<int64_t>(treeOffset) + kSmallestRecord > length) {
    return ZAF_ERROR_NOT_DATA_FILE;
  }
  header.version = static_cast<uint16_t>((major << 8) | minor);
  header.treeOffset = treeOffset;
  return ZAF_ERROR_NONE;
}

int ZafWriteDataFileHeader(ZafFile& file, int32_t treeOffset) {
  uint8_t signature[kSignatureSize] = {};
  std::memcpy(signature, kSignatureText, sizeof kSignatureText - 1);
  signature[sizeof kSignatureText - 1] = kSignatureEnd;
  return file.WriteArray(signature, 1, kSignatureSize) + file.WriteUInt8(ZAF_DATA_FILE_MAJOR) +
         file.WriteUInt8(ZAF_DATA_FILE_MINOR) + file.WriteUInt16(ZAF_DATA_FILE_MAGIC) +
         file.WriteInt32(treeOffset);
}

ZafError ZafReadDirectoryTree(ZafFile& file, int32_t treeOffset, std::unique_ptr<ZafDirectoryElement>& root) {
  root.reset();
  const int32_t length = file.Length();
  if (treeOffset < ZAF_DATA_FILE_HEADER_SIZE || length < treeOffset) {
    return ZAF_ERROR_NOT_DATA_FILE;
  }
  // The tree is read from memory: its size is bounded by the file itself, and parsing it does no seeking.
  std::vector<uint8_t> bytes(static_cast<std::size_t>(length - treeOffset));
  if (file.Seek(treeOffset, 0) != 0 ||
      file.ReadData(bytes.data(), static_cast<int>(bytes.size())) != static_cast<int>(bytes.size())) {
    return ZAF_ERROR_READ;
  }
  ZafStorageFile tree(nullptr, nullptr, 0, std::move(bytes));
  TreeReader reader(file, tree, length);
  root = reader.ReadEntry(0);
  if (!root && reader.error == ZAF_ERROR_NONE) {
    // No name where the root's record should start.
    reader.error = ZAF_ERROR_NOT_DATA_FILE;
  }
  if (reader.error != ZAF_ERROR_NONE) {
    root.reset();
  }
  return reader.error;
}

int ZafWriteDirectoryTree(ZafFile& file, const ZafDirectoryElement& entry,
                          const std::function<int32_t(const ZafDirectoryElement&)>& dataOffset) {
  int written = file.WriteString(entry.Name());
  written += file.WriteString(entry.StringID());
  written += file.WriteInt16(static_cast<int16_t>(entry.NumberID()));
  written += file.WriteInt32(dataOffset(entry));
  written += file.WriteInt32(entry.dataSize);
  written += file.WriteUInt16(entry.type);
  for (ZafElement* child = entry.children.First(); child; child = child->Next()) {
    const int childBytes =
        ZafWriteDirectoryTree(file, static_cast<const ZafDirectoryElement&>(*child), dataOffset);
    if (childBytes < 0) {
      return -1;
    }
    written += childBytes;
  }
  written += file.WriteUInt16(0);
  return file.Error() != ZAF_ERROR_NONE ? -1 : written;
}
