// An abstract file system: the native one, or the tree of directories and object files inside a framework
// data file. Both open ZafFile objects by name and keep an error field.
#ifndef FRAMEWORK_DATA_ZAFFILESYSTEM_H
#define FRAMEWORK_DATA_ZAFFILESYSTEM_H

#include <cstdint>
#include <memory>
#include <string>

#include "framework/data/zafelement.h"

class ZafFile;

// Entry types reported by a search.
inline constexpr uint16_t ZAF_ENTRY_FILE = 0;
inline constexpr uint16_t ZAF_ENTRY_DIRECTORY = 1;

// What FindFirst and FindNext report about the entry found, and where the search stands.
struct ZafFileInfoStruct {
  std::u16string name;
  std::u16string stringID;
  ZafNumberID numberID = 0;
  int32_t size = 0;
  uint16_t type = ZAF_ENTRY_FILE;
  // The entry found, for file systems whose entries are objects (not owned).
  const void* cursor = nullptr;
  // Search state a file system keeps between calls (owned, released by FindClose or with the record).
  std::shared_ptr<void> state;
};

class ZafFileSystem : public ZafElement {
 public:
  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  ZafError Error() const { return error; }
  ZafError SetError(ZafError value);
  uint16_t Flags() const { return flags; }
  uint16_t SetFlags(uint16_t value);

  // Each answers 0 on success and -1 (or an error code where stated by the file system) on failure.
  virtual int ChDir(const ZafIChar* path, const ZafIChar* stringID, ZafNumberID numberID) = 0;
  virtual int FindFirst(ZafFileInfoStruct& info, const ZafIChar* pattern, const ZafIChar* stringID,
                        ZafNumberID numberID) = 0;
  virtual int FindNext(ZafFileInfoStruct& info, const ZafIChar* pattern, const ZafIChar* stringID,
                       ZafNumberID numberID) = 0;
  virtual int FindClose(ZafFileInfoStruct& info) = 0;
  virtual int GetCWD(ZafIChar* buffer, int maximumLength) = 0;
  virtual int MkDir(const ZafIChar* path, const ZafIChar* stringID, ZafNumberID numberID) = 0;
  virtual int RmDir(const ZafIChar* path, bool deleteContents) = 0;
  // Destroys the file object.
  virtual int Close(ZafFile* file) = 0;
  // A new file object, or null where the file system says so; the caller gives it back through Close.
  virtual ZafFile* Open(const ZafIChar* name, uint16_t mode, const ZafIChar* stringID,
                        ZafNumberID numberID) = 0;
  virtual int Remove(const ZafIChar* name) = 0;
  virtual int Rename(const ZafIChar* oldName, const ZafIChar* newName, const ZafIChar* stringID,
                     ZafNumberID numberID) = 0;

 private:
  ZafError error = ZAF_ERROR_NONE;
  uint16_t flags = 0;
};

#endif
