// One entry of the tree inside a framework data file: a directory or an object file. An object file's bytes
// live in whichever native file holds its newest version (the data file itself or the storage's edit file),
// at a recorded offset and size.
#ifndef FRAMEWORK_DATA_ZAFDIRECTORYELEMENT_H
#define FRAMEWORK_DATA_ZAFDIRECTORYELEMENT_H

#include <cstdint>
#include <string>

#include "framework/data/zafelement.h"
#include "framework/data/zaflist.h"

class ZafFile;

class ZafDirectoryElement : public ZafElement {
 public:
  // `type` is ZAF_ENTRY_DIRECTORY or ZAF_ENTRY_FILE (only bit 0 is tested).
  ZafDirectoryElement(const ZafIChar* name, uint16_t type);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  const ZafIChar* Name() const { return name.c_str(); }
  void SetName(const ZafIChar* newName) { name = newName; }
  bool IsDirectory() const { return type & 1; }
  // Number of levels above this entry (0 for the root or a detached entry).
  int Depth() const;
  // True when `entry` is this entry or lies below it.
  bool Contains(const ZafDirectoryElement* entry) const;

  // The children, in the order they were added or read; the list owns them.
  ZafList children;
  ZafDirectoryElement* parent = nullptr;
  // The native file holding the entry's bytes (not owned), or null.
  ZafFile* holder = nullptr;
  // -1 for an entry that never held data.
  int32_t dataOffset = -1;
  int32_t dataSize = 0;
  uint16_t type;
  // Open object files that point at this entry. An entry removed from the tree while files are open on it
  // is kept (detached) until the last of them is closed, so no file is ever left pointing at freed memory.
  int openCount = 0;
  bool detached = false;

 private:
  std::u16string name;
};

#endif
