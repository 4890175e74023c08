// The layout of a framework data file, its reader and its writer side by side: the 72-byte header and the
// directory tree. docs/data-file-format.md describes the same layout for people.
//
// Header: 64 signature bytes ("Zedu Data File Version 5.1U", 0x1A, zeros), major 5, minor 6, magic 0x05AF
// (16-bit), then the signed 32-bit offset of the directory tree. Entry record: name, string ID, 16-bit number
// ID, 32-bit data offset, 32-bit data size, 16-bit type, the children's records, an empty string.
#ifndef FRAMEWORK_DATA_ZAFDATAFILEFORMAT_H
#define FRAMEWORK_DATA_ZAFDATAFILEFORMAT_H

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "framework/data/zaftypes.h"

class ZafDirectoryElement;
class ZafFile;

inline constexpr int32_t ZAF_DATA_FILE_HEADER_SIZE = 72;
// Where the tree offset stands in the header.
inline constexpr int32_t ZAF_DATA_FILE_TREE_OFFSET_FIELD = 68;
inline constexpr uint8_t ZAF_DATA_FILE_MAJOR = 5;
inline constexpr uint8_t ZAF_DATA_FILE_MINOR = 6;
inline constexpr uint16_t ZAF_DATA_FILE_MAGIC = 0x05AF;
// Major version in the high byte, minor in the low byte.
inline constexpr uint16_t ZAF_DATA_FILE_VERSION = (ZAF_DATA_FILE_MAJOR << 8) | ZAF_DATA_FILE_MINOR;
// The deepest entry a data file may hold below its root. Files are outside input: a deeper tree is refused
// rather than followed, and the storage creates none deeper, so that every file it saves opens again.
inline constexpr int ZAF_DATA_FILE_MAX_DEPTH = 128;

// Whether a name can stand for an entry below the root: not empty, at most 32767 characters, no '~' (the path
// separator) and no zero character, and neither "." nor "..", which paths read as directions.
bool ZafDataFileNameAllowed(std::u16string_view name);

// Whether a new entry may take the name: an allowed name without '*' or '?', which listings read as wild
// cards, so that every entry can be listed by its own name. Files holding such names still open.
bool ZafDataFileNameCreatable(std::u16string_view name);

struct ZafDataFileHeader {
  uint16_t version = ZAF_DATA_FILE_VERSION;
  int32_t treeOffset = ZAF_DATA_FILE_HEADER_SIZE;
};

// Reads the header from the start of the file. Error 18 when the file is shorter than a header, the major
// version is not 5 or the magic differs (the signature text and the minor version are not checked), or the
// tree offset lies outside the file.
ZafError ZafReadDataFileHeader(ZafFile& file, ZafDataFileHeader& header);
// Writes the 72 header bytes at the file's position, with the tree offset given. Returns the bytes written.
int ZafWriteDataFileHeader(ZafFile& file, int32_t treeOffset);

// Reads the tree that starts at `treeOffset` and ends before the file's end. Every entry with data gets
// `file` as its holder. Each entry's data must lie between the header and the file's end, every name below
// the root must be allowed, and the tree may be no deeper than ZAF_DATA_FILE_MAX_DEPTH. Error 16 when the
// records are cut short, 18 when they are not a tree of this format; `root` stays empty then.
ZafError ZafReadDirectoryTree(ZafFile& file, int32_t treeOffset, std::unique_ptr<ZafDirectoryElement>& root);
// Writes the record of `entry` with everything below it; `dataOffset` gives each entry's data offset.
// Returns the bytes written, or -1 when a write failed.
int ZafWriteDirectoryTree(ZafFile& file, const ZafDirectoryElement& entry,
                          const std::function<int32_t(const ZafDirectoryElement&)>& dataOffset);

#endif
