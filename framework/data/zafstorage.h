// The framework data file: a tree of named directories and object files kept inside one native file. It is a
// file system like the native one: paths use '~' between components, and objects are opened as in-memory
// ZafStorageFile objects. A writable storage collects changed objects in an edit file beside the data file
// until Save writes a new, compact data file in place of the old one.
#ifndef FRAMEWORK_DATA_ZAFSTORAGE_H
#define FRAMEWORK_DATA_ZAFSTORAGE_H

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/kdiskstep.h"
#include "foundation/kheldfile.h"
#include "framework/data/zafdiskfilesystem.h"
#include "framework/data/zaffilesystem.h"

class ZafDirectoryElement;
class ZafDiskFile;
class ZafStorageFile;

// Flags of the storage constructor. A value with none of them opens the file read-only.
inline constexpr uint16_t ZAF_STORAGE_READWRITE = 0x0002;
inline constexpr uint16_t ZAF_STORAGE_CREATE = 0x0004;          // start empty, ignoring an existing file
inline constexpr uint16_t ZAF_STORAGE_OPEN_OR_CREATE = 0x0008;  // open, or start empty when missing

// Mode bits of Open; the other bits become the object file's own mode.
inline constexpr uint16_t ZAF_STORAGE_OBJECT_CREATE = 0x0004;          // discard an existing object first
inline constexpr uint16_t ZAF_STORAGE_OBJECT_CREATE_MISSING = 0x0008;  // create the object when missing

// Save keeps at most this many backups (".bk1" to ".bk9").
inline constexpr int ZAF_STORAGE_MAX_BACKUPS = 9;

class ZafStorage : public ZafFileSystem {
 public:
  // A writable storage without a file name; its edit file is made in the current directory (error 14 when
  // that fails).
  ZafStorage();
  // Opens or creates the data file (".znc" is added to a name without an extension). A file that cannot be
  // opened or is not a data file leaves an empty storage with the error set: 14, 16 or 18. Such a storage
  // never saves, so that the file is not replaced: Save and SaveAs answer the same error. Open-or-create
  // starts a new storage for a missing or empty file, but not when a backup of the file exists: the file was
  // lost, and error 14 keeps a save from rotating the backup away. A writable storage first deletes the
  // temporary files that killed programs left in the file's folder.
  ZafStorage(const ZafIChar* name, uint16_t flags);
  ZafStorage(const ZafStorage&) = delete;
  ZafStorage& operator=(const ZafStorage&) = delete;
  // Changes not saved are lost; the edit file is deleted. Object files still open stay usable as memory
  // files but belong to no storage any more.
  ~ZafStorage() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  // Writes the whole storage to its file, keeping `backups` older versions (at most 9). The old file is
  // replaced only once the new one is complete and in one step, so that the file exists at every moment;
  // on any failure the storage and its file stay as they were (the backups may have moved up one).
  // 0 on success, 10 when the storage is not writable, 14 when the new file cannot be created, -1 when the
  // error field is set. Refused (-1) while the storage's own file could not be read, and while an object
  // failed to be stored by Close and has been neither stored again nor removed since: the error field then
  // holds that failure's error.
  int Save(int backups);
  // Takes the new name (adding ".znc" when it has no extension) and saves under it; a failed save keeps the
  // old name.
  int SaveAs(const ZafIChar* name, int backups);

  // Makes the entry at the path current. -1 with error 2 when it does not exist, 8 when a given ID differs.
  int ChDir(const ZafIChar* path, const ZafIChar* stringID, ZafNumberID numberID) override;
  // The first entry of the pattern's directory whose name matches its last component ('*' and '?'). -1 when
  // none; -1 with error 16 when the directory does not exist.
  int FindFirst(ZafFileInfoStruct& info, const ZafIChar* pattern, const ZafIChar* stringID,
                ZafNumberID numberID) override;
  // The next sibling after the one FindFirst or FindNext reported that matches.
  int FindNext(ZafFileInfoStruct& info, const ZafIChar* pattern, const ZafIChar* stringID,
               ZafNumberID numberID) override;
  int FindClose(ZafFileInfoStruct& info) override;
  // The current directory's path ("~" for the root, "~a~b" below), always terminated within the buffer.
  int GetCWD(ZafIChar* buffer, int maximumLength) override;
  // -1 when the entry exists, the parent is missing or too deep, or the name is not one a new entry may
  // take (see ZafDataFileNameCreatable).
  int MkDir(const ZafIChar* path, const ZafIChar* stringID, ZafNumberID numberID) override;
  // Refused for the root, the current directory and its ancestors, and (without deleteContents) a directory
  // that has entries.
  int RmDir(const ZafIChar* path, bool deleteContents) override;
  // Stores a changed object back (into the edit file) and destroys the file object. -1 for a file that
  // this storage did not open; -1 with the error field set when a writable storage could not store the
  // object. The object then keeps its older bytes, and Save refuses until the object is written again
  // successfully or removed.
  int Close(ZafFile* file) override;
  // A new object file, or null when the directory or (without a create bit) the object does not exist, or
  // the name is a directory. A name created here may not hold '*' or '?' (lookups read them as wild cards).
  ZafFile* Open(const ZafIChar* name, uint16_t mode, const ZafIChar* stringID, ZafNumberID numberID) override;
  // 0, or 2 when the object does not exist or is a directory.
  int Remove(const ZafIChar* name) override;
  // Moves and renames an entry, or only replaces its IDs when both names find the same entry. 0, or 2 (also
  // for a new name holding '*' or '?').
  int Rename(const ZafIChar* oldName, const ZafIChar* newName, const ZafIChar* stringID,
             ZafNumberID numberID) override;

  // Test seam: `hook` (empty for none) runs just before each step by which opening or saving changes the
  // disk, the syncs included, so that a test can stop the program there as a crash would or check the order.
  static void SetDiskStepHook(std::function<void(KDiskStep)> hook);

  bool Writable() const { return Flags() & ZAF_STORAGE_READWRITE; }
  // Major version in the high byte, minor in the low byte.
  uint16_t Version() const { return version; }
  const ZafIChar* FileName() const { return fileName.c_str(); }
  const ZafIChar* EditFileName() const { return editFileName.c_str(); }
  ZafDirectoryElement* Root() const { return root.get(); }
  ZafDirectoryElement* CurrentDirectory() const { return currentDirectory; }
  // The entry a path leads to, or null.
  ZafDirectoryElement* Entry(const ZafIChar* path) const;

 private:
  friend class ZafStorageFile;

  void OpenFile(uint16_t flags);
  bool AnyBackupExists() const;
  // Deletes the temporary files that programs killed while using them left in the data file's folder.
  void RemoveLeftovers();
  void StartEmpty();
  // The folder of the data file ("" for the current one).
  std::u16string Directory() const;
  // Makes a new, empty native file under a free "ZTMP<n>.$$$" name in the data file's directory, held by
  // `held` while it is in use.
  std::unique_ptr<ZafDiskFile> CreateTemporary(std::u16string& name, KHeldFile& held);
  void CreateEditFile();
  void CloseNative(std::unique_ptr<ZafDiskFile>& file);
  void SetFileName(const ZafIChar* name);

  ZafDirectoryElement* Resolve(std::u16string_view path) const;
  // Splits a path at its last '~' into the directory (resolved) and the final name.
  ZafDirectoryElement* SplitEntryPath(const ZafIChar* path, std::u16string& name) const;
  // Takes an entry out of the tree and frees it with its subtree, keeping entries that files are open on.
  void Discard(ZafDirectoryElement* entry);
  void Release(ZafDirectoryElement* entry);
  // Called by a storage file's destructor.
  void ForgetFile(ZafStorageFile* file);
  // Writes a changed object to the edit file and points its entry there; the error when that fails.
  ZafError StoreObject(ZafStorageFile& file);
  // The error that keeps Save from running, or none.
  ZafError SaveBlocker() const;

  // The steps of Save.
  // Writes the whole data file, noting where each object's bytes now stand.
  ZafError WriteDataFile(ZafDiskFile& output,
                         std::unordered_map<const ZafDirectoryElement*, int32_t>& newOffsets);
  // Moves the backups up one number (at most 9 kept) and makes backup 1 a second name of the data file (or a
  // copy), leaving the data file in place.
  ZafError RotateBackups(int backups);
  // Copies the data file to backup 1 through a temporary file, for file systems without hard links.
  ZafError CopyToFirstBackup();
  std::u16string BackupName(int number) const;

  uint16_t version = 0;
  ZafDiskFileSystem diskFileSystem;
  std::unique_ptr<ZafDiskFile> baseFile;
  std::unique_ptr<ZafDiskFile> editFile;
  KHeldFile editFileHold;
  // Where objects closed after writing go: the edit file.
  ZafDiskFile* outputFile = nullptr;
  std::u16string fileName;
  std::u16string editFileName;
  std::unique_ptr<ZafDirectoryElement> root;
  ZafDirectoryElement* currentDirectory = nullptr;
  std::vector<ZafStorageFile*> openFiles;
  // Why the storage's own file could not be read when it was opened; saving over it would destroy it.
  ZafError unreadableFileError = ZAF_ERROR_NONE;
  // Entries whose changed bytes Close could not store, with the error it met; each stays until the entry is
  // stored again or freed.
  std::vector<std::pair<const ZafDirectoryElement*, ZafError>> unstoredEntries;
};

#endif
