// The native file system: opens ZafDiskFile objects and names, removes and lists native files. It also
// makes the temporary files of the framework data file and takes paths apart.
#ifndef FRAMEWORK_DATA_ZAFDISKFILESYSTEM_H
#define FRAMEWORK_DATA_ZAFDISKFILESYSTEM_H

#include <string>

#include "framework/data/zaffilesystem.h"

class KHeldFile;

class ZafDiskFileSystem : public ZafFileSystem {
 public:
  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  int ChDir(const ZafIChar* path, const ZafIChar* stringID, ZafNumberID numberID) override;
  // Lists the directory part of the pattern; the file-name part matches names case-insensitively with
  // '*' and '?'. "." and ".." are not reported.
  int FindFirst(ZafFileInfoStruct& info, const ZafIChar* pattern, const ZafIChar* stringID,
                ZafNumberID numberID) override;
  int FindNext(ZafFileInfoStruct& info, const ZafIChar* pattern, const ZafIChar* stringID,
               ZafNumberID numberID) override;
  int FindClose(ZafFileInfoStruct& info) override;
  int GetCWD(ZafIChar* buffer, int maximumLength) override;
  int MkDir(const ZafIChar* path, const ZafIChar* stringID, ZafNumberID numberID) override;
  // With `deleteContents` the directory goes with everything inside it.
  int RmDir(const ZafIChar* path, bool deleteContents) override;
  int Close(ZafFile* file) override;
  // Always a new ZafDiskFile (carrying the IDs); its error field tells whether it opened.
  ZafFile* Open(const ZafIChar* name, uint16_t mode, const ZafIChar* stringID, ZafNumberID numberID) override;
  int Remove(const ZafIChar* name) override;
  int Rename(const ZafIChar* oldName, const ZafIChar* newName, const ZafIChar* stringID,
             ZafNumberID numberID) override;

  // Creates a new empty file named `directory` + "ZTMP" + a free number + ".$$$" and writes its name into
  // `buffer` (`capacity` characters, terminator included). The number is drawn at random, so finding a free
  // one does not grow with the files already there; the file is created exclusively, so two callers never
  // get the same name. With `held` the file stays held by it, and so safe from RemoveUnheldTempNames. Null,
  // with error 14, when no file could be made or the name does not fit.
  ZafIChar* TempName(const ZafIChar* directory, ZafIChar* buffer, int capacity, KHeldFile* held = nullptr);
  // Deletes the files of TempName's naming in `directory` that nobody holds: those of programs killed
  // while they used them.
  static void RemoveUnheldTempNames(const ZafIChar* directory);
  // The directory part of a path (up to and including its last '/') and its file-name part (what follows,
  // up to a '~', where a path inside a data file begins).
  static void SplitPath(const ZafIChar* path, std::u16string& directory, std::u16string& fileName);
  // Removes the extension after the last '.' of the file-name part; with a new extension (given with or
  // without its '.') appends it.
  static void ChangeExtension(std::u16string& name, const ZafIChar* extension);
};

#endif
