#include "framework/data/zafdatapersistence.h"

#include <algorithm>

#include "framework/data/zaffile.h"
#include "framework/data/zaffilesystem.h"
#include "framework/data/zafstrlib.h"

namespace {

constexpr const ZafIChar* kObjectFileName = u"objectData";

// Writing opens object files with the create bit: they are made anew.
bool IsWrite(uint16_t mode) {
  return mode & ZAF_FILE_CREATE;
}

// A file system's current directory, however long its path.
std::u16string CurrentDirectoryOf(ZafFileSystem& fileSystem) {
  std::vector<ZafIChar> buffer(256);
  for (;;) {
    if (fileSystem.GetCWD(buffer.data(), static_cast<int>(buffer.size())) != 0) {
      return std::u16string();
    }
    const std::u16string path = buffer.data();
    if (path.size() + 1 < buffer.size()) {
      return path;
    }
    buffer.resize(buffer.size() * 2);
  }
}

// ChDir that reports its failure code instead of leaving it in the file system: missing or differently tagged
// directories are an expected part of finding where an object lives.
ZafError ChangeDirectory(ZafFileSystem& fileSystem, const std::u16string& path, const ZafIChar* stringID,
                         ZafClassID numberID) {
  const ZafError before = fileSystem.Error();
  fileSystem.SetError(ZAF_ERROR_NONE);
  const int result = fileSystem.ChDir(path.c_str(), stringID, numberID);
  const ZafError code = result == 0                            ? ZAF_ERROR_NONE
                        : fileSystem.Error() != ZAF_ERROR_NONE ? fileSystem.Error()
                                                               : ZAF_ERROR_NOT_FOUND;
  fileSystem.SetError(before);
  return code;
}

// Replaces a directory with an empty one carrying the IDs, so that a written object keeps nothing of an older
// version, and enters it.
bool RecreateDirectory(ZafFileSystem& fileSystem, const std::u16string& name, const ZafIChar* className,
                       ZafClassID classID) {
  fileSystem.RmDir(name.c_str(), true);
  return fileSystem.MkDir(name.c_str(), className, classID) == 0 &&
         ChangeDirectory(fileSystem, name, nullptr, 0) == ZAF_ERROR_NONE;
}

}  // namespace

ZafDataPersistence::ZafDataPersistence(ZafFileSystem* fileSystem, const ZafDataConstructorEntry* table) {
  SetDataConstructors(table);
  if (fileSystem) {
    AddFile(fileSystem);
  }
}

ZafDataPersistence::ZafDataPersistence(ZafFileSystem* fileSystem, const ZafDataConstructorEntry& row)
    : ZafDataPersistence(fileSystem) {
  AddDataConstructor(row.className, row.classID, row.constructor);
}

ZafDataPersistence::ZafDataPersistence(const ZafDataPersistence& other) : fileSystems(other.fileSystems) {
  other.dataConstructors.ForEach(
      [this](const ZafIChar* name, ZafClassID classID, ZafDataConstructor function) {
        AddDataConstructor(name, classID, function);
      });
}

ZafDataPersistence::~ZafDataPersistence() {
  for (LevelState& level : levels) {
    CloseLevelFile(level);
  }
}

ZafError ZafDataPersistence::SetError(ZafError value) {
  error = value;
  return error;
}

// ---- File systems ----

void ZafDataPersistence::AddFile(ZafFileSystem* fileSystem, int position) {
  if (!fileSystem || std::find(fileSystems.begin(), fileSystems.end(), fileSystem) != fileSystems.end()) {
    return;
  }
  if (position < 0 || position > static_cast<int>(fileSystems.size())) {
    fileSystems.push_back(fileSystem);
  } else {
    fileSystems.insert(fileSystems.begin() + position, fileSystem);
  }
}

void ZafDataPersistence::SubtractFile(ZafFileSystem* fileSystem) {
  fileSystems.erase(std::remove(fileSystems.begin(), fileSystems.end(), fileSystem), fileSystems.end());
}

void ZafDataPersistence::ClearFileList() {
  fileSystems.clear();
}

// ---- Data constructors ----

bool ZafDataPersistence::AddDataConstructor(const ZafIChar* className, ZafClassID classID,
                                            ZafDataConstructor constructor) {
  return dataConstructors.Add(className, classID, constructor);
}

void ZafDataPersistence::ClearDataConstructors() {
  dataConstructors.Clear();
}

ZafDataConstructor ZafDataPersistence::DataConstructor(ZafClassID classID, const ZafIChar* className) const {
  return dataConstructors.Find(classID, className);
}

int ZafDataPersistence::SetDataConstructors(const ZafDataConstructorEntry* table) {
  ClearDataConstructors();
  for (; table && table->classID != ZAF_END_OF_TABLE; ++table) {
    AddDataConstructor(table->className, table->classID, table->constructor);
  }
  return 1;
}

int ZafDataPersistence::SubtractDataConstructor(ZafClassID classID, const ZafIChar* className) {
  return dataConstructors.Subtract(classID, className) ? 1 : 0;
}

void ZafDataPersistence::Import(ZafDataPersistence& other) {
  for (ZafFileSystem* fileSystem : other.fileSystems) {
    AddFile(fileSystem);
  }
  other.ClearFileList();
  other.dataConstructors.ForEach(
      [this](const ZafIChar* name, ZafClassID classID, ZafDataConstructor function) {
        AddDataConstructor(name, classID, function);
      });
}

ZafClassID ZafDataPersistence::RegisteredClassID(const ZafIChar* className) const {
  return dataConstructors.ClassIDOf(className);
}

const ZafIChar* ZafDataPersistence::RegisteredClassName(ZafClassID classID) const {
  return dataConstructors.NameOf(classID);
}

int ZafDataPersistence::CurrentClassID() const {
  const LevelState& level = levels[currentLevel];
  if (level.useCount == 0) {
    return -1;
  }
  if (level.classID == 0 && level.hasClassName) {
    return RegisteredClassID(level.className.c_str());
  }
  return level.classID;
}

const ZafIChar* ZafDataPersistence::CurrentClassName() const {
  const LevelState& level = levels[currentLevel];
  if (level.hasClassName) {
    return level.className.c_str();
  }
  return level.classID != 0 ? RegisteredClassName(level.classID) : nullptr;
}

// ---- Levels ----

void ZafDataPersistence::PushLevel(const ZafIChar* className, ZafClassID classID, int storageType) {
  if (refusedLevels > 0 || (levels[currentLevel].file && currentLevel + 1 >= ZAF_PERSIST_MAX_LEVELS)) {
    ++refusedLevels;
    SetError(ZAF_ERROR_OPEN);
    return;
  }
  if (levels[currentLevel].file) {
    ++currentLevel;
  }
  LevelState& level = levels[currentLevel];
  if (++level.useCount == 1) {
    level.hasClassName = className != nullptr;
    level.className = className ? className : u"";
    level.classID = classID;
    level.storageType = storageType;
  }
}

ZafFile* ZafDataPersistence::File() const {
  return refusedLevels > 0 ? nullptr : levels[currentLevel].file;
}

ZafError ZafDataPersistence::CurrentFile(const ZafIChar* objectName, uint16_t mode) {
  LevelState& level = levels[currentLevel];
  if (refusedLevels > 0 || level.useCount == 0) {
    return SetError(ZAF_ERROR_OPEN);
  }
  if (fileSystems.empty()) {
    // Without file systems a nested object goes on in the file of the object around it.
    CloseLevelFile(level);
    level.file = currentLevel > 0 ? levels[currentLevel - 1].file : nullptr;
    return ZAF_ERROR_NONE;
  }
  CloseLevelFile(level);
  const std::u16string name = objectName && *objectName ? objectName : level.className;
  std::u16string fileName = level.storageType == ZAF_STORAGE_TYPE_DATA ? name : kObjectFileName;
  if (!suffixes.back().empty()) {
    fileName += u'.';
    fileName += suffixes.back();
  }
  // A read looks in each file system once. A write first looks for the file system that already has the
  // object's directories, and only then creates them in the first one that allows it.
  const int passes = IsWrite(mode) ? 2 : 1;
  for (int pass = 0; pass < passes && !level.file; ++pass) {
    for (ZafFileSystem* fileSystem : fileSystems) {
      level.file = OpenIn(*fileSystem, level, name, fileName, mode, pass == 1);
      if (level.file) {
        level.fileSystem = fileSystem;
        break;
      }
    }
  }
  return SetError(level.file ? level.file->Error() : ZAF_ERROR_OPEN);
}

ZafFile* ZafDataPersistence::OpenIn(ZafFileSystem& fileSystem, LevelState& level,
                                    const std::u16string& objectName, const std::u16string& fileName,
                                    uint16_t mode, bool mayCreate) {
  const bool writing = IsWrite(mode);
  const ZafIChar* className = level.className.c_str();
  level.hasReturnDirectory = false;
  switch (level.storageType) {
    case ZAF_STORAGE_TYPE_NAMED:
    case ZAF_STORAGE_TYPE_CLASS: {
      level.returnDirectory = CurrentDirectoryOf(fileSystem);
      level.hasReturnDirectory = true;
      const std::u16string classDirectory = u"~" + level.className;
      if (ChangeDirectory(fileSystem, classDirectory, nullptr, 0) != ZAF_ERROR_NONE) {
        if (!mayCreate || fileSystem.MkDir(classDirectory.c_str(), nullptr, 0) != 0 ||
            ChangeDirectory(fileSystem, classDirectory, nullptr, 0) != ZAF_ERROR_NONE) {
          level.hasReturnDirectory = false;
          return nullptr;
        }
      }
      if (level.storageType == ZAF_STORAGE_TYPE_NAMED) {
        const bool entered =
            writing ? RecreateDirectory(fileSystem, objectName, className, level.classID)
                    : ChangeDirectory(fileSystem, objectName, nullptr, 0) == ZAF_ERROR_NONE ||
                          (fileSystem.MkDir(objectName.c_str(), className, level.classID) == 0 &&
                           ChangeDirectory(fileSystem, objectName, nullptr, 0) == ZAF_ERROR_NONE);
        if (!entered) {
          ChangeDirectory(fileSystem, level.returnDirectory, nullptr, 0);
          level.hasReturnDirectory = false;
          return nullptr;
        }
      }
      break;
    }
    case ZAF_STORAGE_TYPE_CHILD: {
      const ZafError entered = ChangeDirectory(fileSystem, objectName, className, level.classID);
      if (entered == ZAF_ERROR_NONE) {
        level.returnDirectory = u"..";
        level.hasReturnDirectory = true;
        if (writing && (ChangeDirectory(fileSystem, u"..", nullptr, 0) != ZAF_ERROR_NONE ||
                        !RecreateDirectory(fileSystem, objectName, className, level.classID))) {
          return nullptr;
        }
      } else {
        if (!mayCreate) {
          return nullptr;
        }
        if (entered == ZAF_ERROR_ID_MISMATCH) {
          fileSystem.RmDir(objectName.c_str(), true);
        }
        if (fileSystem.MkDir(objectName.c_str(), className, level.classID) != 0 ||
            ChangeDirectory(fileSystem, objectName, nullptr, 0) != ZAF_ERROR_NONE) {
          return nullptr;
        }
        level.returnDirectory = u"..";
        level.hasReturnDirectory = true;
      }
      break;
    }
    default:
      break;
  }
  ZafFile* file = level.storageType == ZAF_STORAGE_TYPE_DATA
                      ? fileSystem.Open(fileName.c_str(), mode, className, level.classID)
                      : fileSystem.Open(fileName.c_str(), mode, nullptr, 0);
  if (file && file->Error() == ZAF_ERROR_OPEN) {
    // A native file system answers with a file object that did not open.
    fileSystem.Close(file);
    file = nullptr;
  }
  if (!file && level.hasReturnDirectory) {
    ChangeDirectory(fileSystem, level.returnDirectory, nullptr, 0);
    level.hasReturnDirectory = false;
  }
  return file;
}

void ZafDataPersistence::CloseLevelFile(LevelState& level) {
  if (level.file && level.fileSystem) {
    const ZafError fileError = level.file->Error();
    // Close answers a failure to store the object even when the file system's error already held the same
    // code from an earlier one.
    const bool closed = level.fileSystem->Close(level.file) == 0;
    const ZafError systemError = level.fileSystem->Error();
    if (fileError != ZAF_ERROR_NONE) {
      SetError(fileError);
    } else if (!closed) {
      SetError(systemError != ZAF_ERROR_NONE ? systemError : ZAF_ERROR_WRITE);
    }
  }
  level.file = nullptr;
  level.fileSystem = nullptr;
}

void ZafDataPersistence::PopLevel() {
  if (refusedLevels > 0) {
    --refusedLevels;
    return;
  }
  LevelState& level = levels[currentLevel];
  if (level.useCount > 0 && --level.useCount > 0) {
    return;
  }
  ZafFileSystem* fileSystem = level.fileSystem;
  CloseLevelFile(level);
  if (fileSystem && level.hasReturnDirectory) {
    ChangeDirectory(*fileSystem, level.returnDirectory, nullptr, 0);
  }
  level = LevelState();
  if (currentLevel > 0) {
    --currentLevel;
  }
}

// ---- Suffixes ----

int ZafDataPersistence::PushSuffix(const ZafIChar* suffix) {
  if (static_cast<int>(suffixes.size()) > ZAF_PERSIST_MAX_SUFFIXES) {
    SetError(ZAF_ERROR_OPEN);
    return -1;
  }
  suffixes.emplace_back(suffix ? suffix : u"");
  return 0;
}

void ZafDataPersistence::PopSuffix() {
  if (suffixes.size() > 1) {
    suffixes.pop_back();
  }
}
