// The persistence context of data objects: where stored objects live (a list of file systems, normally data
// files) and how to build a data object from its class. While stored objects nest, the context keeps a stack
// of levels; each level holds the object file open for the object being read or written and the directory to
// return to afterwards.
//
// Storage types, given by each class when it enters a level ('~' separates path components):
//   0  top-level named objects:     ~ClassName~ObjectName~objectData (the object directory tagged with the
//                                    class name and class ID)
//   1  one object per class:        ~ClassName~objectData
//   2  window objects in a window:  ObjectName~objectData below the current directory (tagged as for 0)
//   3  data objects in an object:   the file ObjectName in the current directory (tagged as for 0)
#ifndef FRAMEWORK_DATA_ZAFDATAPERSISTENCE_H
#define FRAMEWORK_DATA_ZAFDATAPERSISTENCE_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/data/zafdata.h"
#include "framework/data/zafregistrationtable.h"
#include "framework/data/zaftypes.h"

class ZafFile;
class ZafFileSystem;

inline constexpr int ZAF_STORAGE_TYPE_NAMED = 0;
inline constexpr int ZAF_STORAGE_TYPE_CLASS = 1;
inline constexpr int ZAF_STORAGE_TYPE_CHILD = 2;
inline constexpr int ZAF_STORAGE_TYPE_DATA = 3;

// Modes of CurrentFile.
inline constexpr uint16_t ZAF_PERSIST_READ = 0x0001;
inline constexpr uint16_t ZAF_PERSIST_WRITE = 0x0006;  // create anew, read/write

// Nesting limits: objects nest at most this deep, and the suffix stack holds this many entries above its
// always-empty entry 0.
inline constexpr int ZAF_PERSIST_MAX_LEVELS = 40;
inline constexpr int ZAF_PERSIST_MAX_SUFFIXES = 39;

// A row of a constructor table handed to the contexts; a table ends with a row of class ID 0xFFFF.
template <typename Constructor>
struct ZafConstructorEntry {
  ZafClassID classID;
  const ZafIChar* className;
  Constructor constructor;
};
using ZafDataConstructorEntry = ZafConstructorEntry<ZafDataConstructor>;
inline constexpr ZafClassID ZAF_END_OF_TABLE = 0xFFFF;

class ZafDataPersistence {
 public:
  // The file system (not owned), when given, is the first to search; the table's rows are registered.
  explicit ZafDataPersistence(ZafFileSystem* fileSystem = nullptr,
                              const ZafDataConstructorEntry* dataConstructors = nullptr);
  // A context with a single registered constructor.
  ZafDataPersistence(ZafFileSystem* fileSystem, const ZafDataConstructorEntry& dataConstructor);
  // Searches the same file systems, with its own copy of the constructor table and no levels in use.
  ZafDataPersistence(const ZafDataPersistence& other);
  ZafDataPersistence& operator=(const ZafDataPersistence&) = delete;
  // Closes the object files of levels still open; the file systems are not destroyed.
  virtual ~ZafDataPersistence();

  // ---- File systems ----
  // Adds at `position` (at the end when negative or past the end).
  void AddFile(ZafFileSystem* fileSystem, int position = -1);
  void SubtractFile(ZafFileSystem* fileSystem);
  virtual void ClearFileList();
  const std::vector<ZafFileSystem*>& FileList() const { return fileSystems; }

  // ---- Data constructors ----
  virtual bool AddDataConstructor(const ZafIChar* className, ZafClassID classID,
                                  ZafDataConstructor constructor);
  virtual void ClearDataConstructors();
  // The constructor of a non-zero class ID, or of the name; null when none.
  virtual ZafDataConstructor DataConstructor(ZafClassID classID, const ZafIChar* className) const;
  // Replaces the table with the rows of `table` up to its end row (none empties it). Returns 1.
  virtual int SetDataConstructors(const ZafDataConstructorEntry* table);
  // 1 when a row went, else 0.
  virtual int SubtractDataConstructor(ZafClassID classID, const ZafIChar* className);

  // Moves the other context's file systems into this one (in order) and registers its rows here.
  virtual void Import(ZafDataPersistence& other);

  // ---- Levels ----
  // Enters a level for an object. A level that already has its object file open gets a new level above
  // it; otherwise the current level gains a use, and only its first user gives it name, ID and type. Past
  // 40 levels the push is refused with error 14: the matching PopLevel is still expected, and CurrentFile
  // opens nothing until then.
  void PushLevel(const ZafIChar* className, ZafClassID classID, int storageType);
  // Opens the current level's object file (mode ZAF_PERSIST_READ or ZAF_PERSIST_WRITE). Returns the error,
  // also stored: 0, 14 when no file system gave a file, or the file's own error.
  ZafError CurrentFile(const ZafIChar* objectName, uint16_t mode);
  // Drops one use; the last closes the level's file and returns its file system to the saved directory.
  void PopLevel();
  // The current level's object file, or null.
  ZafFile* File() const;
  int Level() const { return currentLevel; }

  // The level's class ID, else the ID registered for its class name; -1 without a level in use.
  virtual int CurrentClassID() const;
  // The level's class name, else the name registered for its class ID; null when neither.
  virtual const ZafIChar* CurrentClassName() const;

  // ---- Suffixes ----
  // Object files of types 0-3 get ".suffix" after their name while a non-empty suffix is on top. Null
  // stacks an empty entry. -1 with error 14 beyond 39 entries.
  int PushSuffix(const ZafIChar* suffix);
  void PopSuffix();
  const ZafIChar* Suffix() const { return suffixes.back().c_str(); }

  ZafError Error() const { return error; }
  ZafError SetError(ZafError value);

 protected:
  // The ID and name registered for a class, window-object rows first where a subclass has them.
  virtual ZafClassID RegisteredClassID(const ZafIChar* className) const;
  virtual const ZafIChar* RegisteredClassName(ZafClassID classID) const;

 private:
  struct LevelState {
    int useCount = 0;
    int storageType = ZAF_STORAGE_TYPE_DATA;
    std::u16string className;
    bool hasClassName = false;
    ZafClassID classID = 0;
    ZafFile* file = nullptr;
    // The file system the file came from; null for a file shared with the level below.
    ZafFileSystem* fileSystem = nullptr;
    std::u16string returnDirectory;
    bool hasReturnDirectory = false;
  };

  // Tries one file system; the file, or null with the file system back where it was.
  ZafFile* OpenIn(ZafFileSystem& fileSystem, LevelState& level, const std::u16string& objectName,
                  const std::u16string& fileName, uint16_t mode, bool mayCreate);
  void CloseLevelFile(LevelState& level);

  ZafError error = ZAF_ERROR_NONE;
  std::vector<ZafFileSystem*> fileSystems;
  int currentLevel = 0;
  // Pushes refused because the stack was full, still to be popped.
  int refusedLevels = 0;
  std::array<LevelState, ZAF_PERSIST_MAX_LEVELS> levels;
  std::vector<std::u16string> suffixes{std::u16string()};
  ZafRegistrationTable<ZafDataConstructor> dataConstructors;
};

#endif
