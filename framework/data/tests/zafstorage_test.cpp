#include "framework/data/zafstorage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "framework/data/tests/zafdatafilebuilder.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafdirectoryelement.h"
#include "framework/data/zafstoragefile.h"

namespace {

constexpr uint16_t kCreateObject = ZAF_STORAGE_OBJECT_CREATE | ZAF_FILE_READWRITE;

std::string Utf8(const std::u16string& text) {
  return ZafToUtf8(text);
}

// Writes `text` as the whole object at `path`.
void PutObject(ZafStorage& storage, const char16_t* path, const std::string& text) {
  ZafFile* file = storage.Open(path, kCreateObject, nullptr, 0);
  ASSERT_NE(file, nullptr);
  file->WriteData(text.data(), static_cast<int>(text.size()));
  EXPECT_EQ(storage.Close(file), 0);
}

// The whole object at `path`, or "<none>".
std::string GetObject(ZafStorage& storage, const char16_t* path) {
  ZafFile* file = storage.Open(path, ZAF_FILE_READ, nullptr, 0);
  if (!file) {
    return "<none>";
  }
  std::string text(static_cast<std::size_t>(file->Length()), '\0');
  file->ReadData(text.data(), file->Length());
  storage.Close(file);
  return text;
}

std::u16string CurrentPath(ZafStorage& storage) {
  ZafIChar buffer[64];
  storage.GetCWD(buffer, 64);
  return buffer;
}

class ZafStorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(storage.MkDir(u"a", nullptr, 0), 0);
    ASSERT_EQ(storage.MkDir(u"~a~b", u"B", 5), 0);
    ASSERT_EQ(storage.MkDir(u"x", nullptr, 0), 0);
  }

  TemporaryFolder folder;
  ZafStorage storage{folder.Path("tree").c_str(), ZAF_STORAGE_CREATE};
};

TEST_F(ZafStorageTest, NewStorageIsAnEmptyWritableRoot) {
  ZafStorage fresh(folder.Path("new").c_str(), ZAF_STORAGE_CREATE);
  EXPECT_EQ(fresh.Error(), 0);
  EXPECT_TRUE(fresh.Writable());
  EXPECT_EQ(fresh.Version(), 0x0506);
  EXPECT_EQ(Utf8(fresh.FileName()), Utf8(folder.Path("new.znc")));
  EXPECT_EQ(std::u16string(fresh.StringID()), u"new.znc");
  EXPECT_EQ(std::u16string(fresh.Root()->Name()), u"~");
  EXPECT_TRUE(std::filesystem::exists(Utf8(fresh.EditFileName())));
  // Nothing reaches the storage name before a save.
  EXPECT_FALSE(std::filesystem::exists(Utf8(folder.Path("new.znc"))));
}

TEST_F(ZafStorageTest, PathsResolveFromRootOrCurrentDirectory) {
  struct Case {
    const char16_t* start;
    const char16_t* path;
    const char16_t* expected;  // null: does not resolve
  } cases[] = {
      {u"~", u"~", u"~"},           {u"~a~b", u"~a~b", u"~a~b"}, {u"~a", u"..~x", u"~x"},
      {u"~a", u"b", u"~a~b"},       {u"~a", u".", u"~a"},        {u"~a", u"", u"~a"},
      {u"~", u"~a~~x", u"~a"},      {u"~", u"~..", nullptr},     {u"~", u"~nothing", nullptr},
      {u"~a~b", u"..~..~x", u"~x"}, {u"~", u"~?~*", u"~a~b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.start) + " then " + Utf8(c.path));
    ASSERT_EQ(storage.ChDir(c.start, nullptr, 0), 0);
    const int result = storage.ChDir(c.path, nullptr, 0);
    if (c.expected) {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(CurrentPath(storage), c.expected);
    } else {
      EXPECT_EQ(result, -1);
      EXPECT_EQ(storage.Error(), ZAF_ERROR_NOT_FOUND);
      EXPECT_EQ(CurrentPath(storage), c.start);
    }
  }
}

TEST_F(ZafStorageTest, ChDirChecksGivenIDs) {
  EXPECT_EQ(storage.ChDir(u"~a~b", u"B", 5), 0);
  EXPECT_EQ(storage.ChDir(u"~a~b", u"other", 0), -1);
  EXPECT_EQ(storage.Error(), ZAF_ERROR_ID_MISMATCH);
  EXPECT_EQ(storage.ChDir(u"~a~b", nullptr, 6), -1);
  EXPECT_EQ(storage.Error(), ZAF_ERROR_ID_MISMATCH);
  EXPECT_EQ(CurrentPath(storage), u"~a~b");
}

TEST_F(ZafStorageTest, GetCWDStaysInsideTheBuffer) {
  storage.ChDir(u"~a~b", nullptr, 0);
  ZafIChar small[4] = {u'?', u'?', u'?', u'?'};
  EXPECT_EQ(storage.GetCWD(small, 4), 0);
  EXPECT_EQ(std::u16string(small), u"~a~");
}

TEST_F(ZafStorageTest, FindWalksADirectoryWithPatternsAndIDs) {
  PutObject(storage, u"~a~one", "1");
  PutObject(storage, u"~a~two", "22");
  ZafFileInfoStruct info;
  std::vector<std::u16string> names;
  for (int found = storage.FindFirst(info, u"~a~*", nullptr, 0); found == 0;
       found = storage.FindNext(info, u"~a~*", nullptr, 0)) {
    names.push_back(info.name);
  }
  EXPECT_EQ(names, (std::vector<std::u16string>{u"b", u"one", u"two"}));

  ASSERT_EQ(storage.FindFirst(info, u"~a~t*", nullptr, 0), 0);
  EXPECT_EQ(info.name, u"two");
  EXPECT_EQ(info.size, 2);
  EXPECT_EQ(info.type, ZAF_ENTRY_FILE);

  ASSERT_EQ(storage.FindFirst(info, u"~a~*", u"B", 5), 0);
  EXPECT_EQ(info.name, u"b");
  EXPECT_EQ(info.type, ZAF_ENTRY_DIRECTORY);
  EXPECT_EQ(storage.FindNext(info, u"~a~*", u"B", 5), -1);

  EXPECT_EQ(storage.FindFirst(info, u"~missing~*", nullptr, 0), -1);
  EXPECT_EQ(storage.Error(), ZAF_ERROR_READ);
}

TEST_F(ZafStorageTest, FindNextRefusesACursorThatWasRemoved) {
  PutObject(storage, u"~x~one", "1");
  PutObject(storage, u"~x~two", "2");
  ZafFileInfoStruct info;
  ASSERT_EQ(storage.FindFirst(info, u"~x~*", nullptr, 0), 0);
  ASSERT_EQ(storage.Remove(u"~x~one"), 0);
  EXPECT_EQ(storage.FindNext(info, u"~x~*", nullptr, 0), -1);
  EXPECT_EQ(storage.Error(), ZAF_ERROR_READ);
}

TEST_F(ZafStorageTest, MkDirAndRmDirRules) {
  EXPECT_EQ(storage.MkDir(u"a", nullptr, 0), -1) << "name exists";
  EXPECT_EQ(storage.MkDir(u"~missing~c", nullptr, 0), -1) << "parent missing";
  EXPECT_EQ(storage.MkDir(u"~a~", nullptr, 0), -1) << "empty name";
  EXPECT_EQ(storage.MkDir(u"..", nullptr, 0), -1) << "a name that reads as a direction";
  EXPECT_EQ(storage.Open(u".", kCreateObject, nullptr, 0), nullptr);

  EXPECT_EQ(storage.RmDir(u"~", true), -1) << "root";
  EXPECT_EQ(storage.RmDir(u"~a", false), -1) << "has entries";
  storage.ChDir(u"~a~b", nullptr, 0);
  EXPECT_EQ(storage.RmDir(u"~a~b", false), -1) << "current directory";
  EXPECT_EQ(storage.RmDir(u"~a", true), -1) << "ancestor of the current directory";
  storage.ChDir(u"~", nullptr, 0);
  EXPECT_EQ(storage.RmDir(u"~a", true), 0);
  EXPECT_EQ(storage.Entry(u"~a"), nullptr);
  EXPECT_EQ(storage.RmDir(u"x", false), 0);
}

TEST_F(ZafStorageTest, OpenModes) {
  EXPECT_EQ(storage.Open(u"~a~none", ZAF_FILE_READ, nullptr, 0), nullptr) << "missing without a create bit";
  EXPECT_EQ(storage.Open(u"~a", kCreateObject, nullptr, 0), nullptr) << "a directory";
  EXPECT_EQ(storage.Open(u"~missing~obj", kCreateObject, nullptr, 0), nullptr) << "directory missing";

  PutObject(storage, u"~a~obj", "old bytes");
  ZafFile* kept = storage.Open(u"~a~obj", ZAF_STORAGE_OBJECT_CREATE_MISSING | ZAF_FILE_READWRITE, nullptr, 0);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->Length(), 9);
  storage.Close(kept);

  // Create anew discards the old bytes even when nothing is written.
  ZafFile* fresh = storage.Open(u"~a~obj", kCreateObject, nullptr, 0);
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->Length(), 0);
  storage.Close(fresh);
  EXPECT_EQ(GetObject(storage, u"~a~obj"), "");

  ZafFile* tagged = storage.Open(u"~a~tagged", kCreateObject, u"Class", 42);
  storage.Close(tagged);
  EXPECT_EQ(storage.Open(u"~a~tagged", ZAF_FILE_READ, u"Other", 0), nullptr);
  ZafFile* found = storage.Open(u"~a~tagged", ZAF_FILE_READ, u"Class", 42);
  EXPECT_NE(found, nullptr);
  storage.Close(found);
}

TEST_F(ZafStorageTest, ObjectFileSeeksWithinItsLengthAndGrows) {
  ZafStorageFile file(nullptr, nullptr, 0);
  EXPECT_EQ(file.Capacity(), 60);
  const std::string text(100, 'q');
  EXPECT_EQ(file.WriteData(text.data(), 100), 100);
  EXPECT_EQ(file.Capacity(), 120);
  EXPECT_TRUE(file.Modified());
  struct Case {
    int32_t offset;
    int origin;
    int32_t expected;
  } cases[] = {{500, ZAF_SEEK_START, 100}, {-5, ZAF_SEEK_START, 0},     {-10, ZAF_SEEK_END, 90},
               {20, ZAF_SEEK_END, 100},    {-200, ZAF_SEEK_CURRENT, 0}, {7, ZAF_SEEK_CURRENT, 7}};
  for (const Case& c : cases) {
    EXPECT_EQ(file.Seek(c.offset, c.origin), 0);
    EXPECT_EQ(file.Tell(), c.expected);
  }
  char buffer[8];
  file.Seek(-3, ZAF_SEEK_END);
  EXPECT_EQ(file.ReadData(buffer, 8), 3);
  EXPECT_EQ(file.ReadData(buffer, 8), 0);
  EXPECT_EQ(file.WriteData(buffer, 0), 0);
}

TEST_F(ZafStorageTest, RemoveAndRename) {
  PutObject(storage, u"~a~obj", "data");
  EXPECT_EQ(storage.Remove(u"~a~none"), ZAF_ERROR_NOT_FOUND);
  EXPECT_EQ(storage.Remove(u"~a~b"), ZAF_ERROR_NOT_FOUND) << "a directory";

  EXPECT_EQ(storage.Rename(u"~a~obj", u"~x~moved", u"New", 9), 0);
  EXPECT_EQ(GetObject(storage, u"~a~obj"), "<none>");
  EXPECT_EQ(GetObject(storage, u"~x~moved"), "data");
  EXPECT_EQ(std::u16string(storage.Entry(u"~x~moved")->StringID()), u"New");

  // Same entry under both names: only the IDs change.
  EXPECT_EQ(storage.Rename(u"~x~moved", u"~x~moved", nullptr, 3), 0);
  EXPECT_EQ(storage.Entry(u"~x~moved")->NumberID(), 3);
  EXPECT_EQ(std::u16string(storage.Entry(u"~x~moved")->StringID()), u"New");

  PutObject(storage, u"~x~other", "o");
  EXPECT_EQ(storage.Rename(u"~x~moved", u"~x~other", nullptr, 0), ZAF_ERROR_NOT_FOUND) << "target exists";
  EXPECT_EQ(storage.Rename(u"~a", u"~a~b~a", nullptr, 0), ZAF_ERROR_NOT_FOUND) << "into its own subtree";
  EXPECT_NE(storage.Entry(u"~a~b"), nullptr);

  EXPECT_EQ(storage.Remove(u"~x~moved"), 0);
  EXPECT_EQ(storage.Entry(u"~x~moved"), nullptr);
}

// A file open on an entry stays valid whatever happens to the entry; its bytes then go nowhere.
TEST_F(ZafStorageTest, EntriesRemovedUnderAnOpenFileDoNotDangle) {
  struct Case {
    const char* what;
    std::function<void(ZafStorage&)> action;
    const char16_t* afterwards;
  } cases[] = {
      {"remove", [](ZafStorage& s) { EXPECT_EQ(s.Remove(u"~x~obj"), 0); }, nullptr},
      {"remove the directory", [](ZafStorage& s) { EXPECT_EQ(s.RmDir(u"~x", true), 0); }, nullptr},
      {"create anew", [](ZafStorage& s) { s.Close(s.Open(u"~x~obj", kCreateObject, nullptr, 0)); }, u""},
      {"rename", [](ZafStorage& s) { EXPECT_EQ(s.Rename(u"~x~obj", u"~a~renamed", nullptr, 0), 0); },
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    storage.MkDir(u"~x", nullptr, 0);
    PutObject(storage, u"~x~obj", "before");
    ZafFile* file = storage.Open(u"~x~obj", ZAF_FILE_READWRITE, nullptr, 0);
    ASSERT_NE(file, nullptr);
    c.action(storage);
    file->Seek(0, ZAF_SEEK_END);
    file->WriteData("+after", 6);
    EXPECT_EQ(storage.Close(file), 0);
    if (c.afterwards) {
      EXPECT_EQ(GetObject(storage, u"~x~obj"), Utf8(c.afterwards));
    } else {
      EXPECT_EQ(GetObject(storage, u"~x~obj"), "<none>");
    }
    storage.Remove(u"~a~renamed");
  }
  // A rename keeps the same entry, so the write lands under the new name.
  PutObject(storage, u"~x~obj", "moved");
  ZafFile* file = storage.Open(u"~x~obj", ZAF_FILE_READWRITE, nullptr, 0);
  storage.Rename(u"~x~obj", u"~a~renamed", nullptr, 0);
  file->WriteData("M", 1);
  storage.Close(file);
  EXPECT_EQ(GetObject(storage, u"~a~renamed"), "Moved");
}

TEST_F(ZafStorageTest, FileOutlivingItsStorageStaysUsable) {
  PutObject(storage, u"~a~obj", "abc");
  ZafFile* file = nullptr;
  {
    TemporaryFolder other;
    ZafStorage shortLived(other.Path("short").c_str(), ZAF_STORAGE_CREATE);
    PutObject(shortLived, u"obj", "abc");
    file = shortLived.Open(u"obj", ZAF_FILE_READWRITE, nullptr, 0);
    ASSERT_NE(file, nullptr);
    ZafFile* detached = shortLived.Open(u"obj", ZAF_FILE_READWRITE, nullptr, 0);
    shortLived.Remove(u"obj");
    delete detached;
  }
  char buffer[3];
  EXPECT_EQ(file->ReadData(buffer, 3), 3);
  EXPECT_EQ(file->WriteData("d", 1), 1);
  delete file;
}

TEST_F(ZafStorageTest, CloseRefusesAForeignFile) {
  ZafStorageFile stranger(nullptr, nullptr, 0);
  EXPECT_EQ(storage.Close(&stranger), -1);
  EXPECT_EQ(storage.Close(nullptr), -1);
}

TEST(ZafStorage, OpeningMissingFiles) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("missing.znc");
  ZafStorage readOnly(name.c_str(), 0);
  EXPECT_EQ(readOnly.Error(), ZAF_ERROR_OPEN);
  EXPECT_FALSE(readOnly.Writable());
  EXPECT_EQ(readOnly.Root()->children.Count(), 0);

  ZafStorage created(name.c_str(), ZAF_STORAGE_OPEN_OR_CREATE);
  EXPECT_EQ(created.Error(), 0);
  EXPECT_TRUE(created.Writable());
  EXPECT_FALSE(std::filesystem::exists(Utf8(name))) << "no file until a save";
  PutObject(created, u"obj", "x");
  EXPECT_EQ(created.Save(0), 0);
  EXPECT_TRUE(std::filesystem::exists(Utf8(name)));
}

TEST(ZafStorage, ReadOnlyStorageNeverWrites) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("ro.znc");
  {
    ZafStorage storage(name.c_str(), ZAF_STORAGE_CREATE);
    PutObject(storage, u"obj", "kept");
    ASSERT_EQ(storage.Save(0), 0);
  }
  const Bytes before = ReadFileBytes(Utf8(name));
  ZafStorage storage(name.c_str(), 0);
  ASSERT_EQ(storage.Error(), 0);
  EXPECT_EQ(storage.Save(0), ZAF_ERROR_NOT_WRITABLE);
  ZafFile* created = storage.Open(u"new", kCreateObject, nullptr, 0);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->Error(), ZAF_ERROR_NOT_FOUND);
  storage.Close(created);
  ZafFile* changed = storage.Open(u"obj", ZAF_FILE_READWRITE, nullptr, 0);
  changed->WriteData("XX", 2);
  storage.Close(changed);
  EXPECT_EQ(GetObject(storage, u"obj"), "kept");
  EXPECT_EQ(ReadFileBytes(Utf8(name)), before);
  // Only the data file is in the folder: a read-only storage makes no edit file.
  EXPECT_EQ(
      std::distance(std::filesystem::directory_iterator(folder.path), std::filesystem::directory_iterator()),
      1);
}

TEST(ZafStorage, SaveKeepsBackupsAndReopensItsFile) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("data.znc");
  ZafStorage storage(name.c_str(), ZAF_STORAGE_CREATE);
  for (int version = 1; version <= 5; ++version) {
    PutObject(storage, u"version", std::to_string(version));
    ASSERT_EQ(storage.Save(3), 0) << version;
    // The entries now read from the new file: the edit file is empty again.
    EXPECT_EQ(std::filesystem::file_size(Utf8(storage.EditFileName())), 0u);
    EXPECT_EQ(GetObject(storage, u"version"), std::to_string(version));
  }
  struct Case {
    const char* file;
    const char* version;
  } cases[] = {{"data.znc", "5"}, {"data.bk1", "4"}, {"data.bk2", "3"}, {"data.bk3", "2"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ZafStorage saved(folder.Path(c.file).c_str(), 0);
    ASSERT_EQ(saved.Error(), 0);
    EXPECT_EQ(GetObject(saved, u"version"), c.version);
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path / "data.bk4"));
}

TEST(ZafStorage, MoreThanNineBackupsAreNine) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("many").c_str(), ZAF_STORAGE_CREATE);
  for (int version = 1; version <= 12; ++version) {
    PutObject(storage, u"version", std::to_string(version));
    ASSERT_EQ(storage.Save(15), 0);
  }
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path)) {
    const std::string file = entry.path().filename().string();
    EXPECT_TRUE(
        file == "many.znc" ||
        (file.size() == 8 && file.compare(0, 7, "many.bk") == 0 && file[7] >= '1' && file[7] <= '9') ||
        file.compare(0, 4, "ZTMP") == 0)
        << file;
    ++files;
  }
  EXPECT_EQ(files, 1 + 9 + 1);
  ZafStorage oldest(folder.Path("many.bk9").c_str(), 0);
  EXPECT_EQ(GetObject(oldest, u"version"), "3");
}

TEST(ZafStorage, FailedSaveLeavesStorageAndFileAsTheyWere) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("safe.znc");
  ZafStorage storage(name.c_str(), ZAF_STORAGE_CREATE);
  PutObject(storage, u"obj", "first");
  ASSERT_EQ(storage.Save(1), 0);
  const Bytes saved = ReadFileBytes(Utf8(name));
  PutObject(storage, u"obj", "second");

  EXPECT_EQ(storage.SaveAs(u"/nonexistent-folder/other.znc", 1), ZAF_ERROR_OPEN);
  EXPECT_EQ(Utf8(storage.FileName()), Utf8(name));
  EXPECT_EQ(std::u16string(storage.StringID()), u"safe.znc");
  EXPECT_EQ(GetObject(storage, u"obj"), "second");
  EXPECT_EQ(ReadFileBytes(Utf8(name)), saved);

  EXPECT_EQ(storage.Save(1), 0);
  ZafStorage reopened(name.c_str(), 0);
  EXPECT_EQ(GetObject(reopened, u"obj"), "second");
}

TEST(ZafStorage, SaveThatCannotWriteEverythingChangesNothing) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("full.znc");
  ZafStorage storage(name.c_str(), ZAF_STORAGE_CREATE);
  PutObject(storage, u"small", "first");
  ASSERT_EQ(storage.Save(2), 0);
  const Bytes saved = ReadFileBytes(Utf8(name));
  const std::string big(64 * 1024, 'b');
  PutObject(storage, u"big", big);
  {
    FileSizeLimit limit(16 * 1024);
    EXPECT_EQ(storage.Save(2), -1);
    EXPECT_EQ(storage.Error(), ZAF_ERROR_WRITE);
  }
  EXPECT_EQ(ReadFileBytes(Utf8(name)), saved);
  EXPECT_FALSE(std::filesystem::exists(folder.path / "full.bk1")) << "backups untouched";
  EXPECT_EQ(GetObject(storage, u"big"), big) << "the storage still reads its objects";
  ASSERT_EQ(storage.Save(2), 0);
  ZafStorage reopened(name.c_str(), 0);
  EXPECT_EQ(GetObject(reopened, u"big"), big);
}

TEST(ZafStorage, SaveAsAddsTheExtensionAndTakesTheName) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("one").c_str(), ZAF_STORAGE_CREATE);
  PutObject(storage, u"obj", "x");
  ASSERT_EQ(storage.SaveAs(folder.Path("two").c_str(), 0), 0);
  EXPECT_EQ(std::u16string(storage.StringID()), u"two.znc");
  EXPECT_TRUE(std::filesystem::exists(folder.path / "two.znc"));
  EXPECT_FALSE(std::filesystem::exists(folder.path / "one.znc"));
}

TEST(ZafStorage, UnnamedStorageCannotSave) {
  ZafStorage storage;
  EXPECT_TRUE(storage.Writable());
  EXPECT_EQ(storage.Save(0), -1);
  EXPECT_EQ(storage.Error(), ZAF_ERROR_OPEN);
}

TEST(ZafStorage, DestroyingTheStorageDeletesItsEditFileAndDropsChanges) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("drop.znc");
  std::string editFile;
  {
    ZafStorage storage(name.c_str(), ZAF_STORAGE_CREATE);
    PutObject(storage, u"obj", "saved");
    ASSERT_EQ(storage.Save(0), 0);
    PutObject(storage, u"obj", "not saved");
    editFile = Utf8(storage.EditFileName());
    EXPECT_TRUE(std::filesystem::exists(editFile));
  }
  EXPECT_FALSE(std::filesystem::exists(editFile));
  ZafStorage reopened(name.c_str(), ZAF_STORAGE_READWRITE);
  EXPECT_EQ(GetObject(reopened, u"obj"), "saved");
}

// The number of entries in a folder: what a storage left on the disk.
std::ptrdiff_t FolderEntries(const TemporaryFolder& folder) {
  return std::distance(std::filesystem::directory_iterator(folder.path),
                       std::filesystem::directory_iterator());
}

// Writes `text` as the object at `path` and answers what Close said.
int StoreText(ZafStorage& storage, const char16_t* path, const std::string& text) {
  ZafFile* file = storage.Open(path, kCreateObject, nullptr, 0);
  if (!file) {
    return -2;
  }
  file->WriteData(text.data(), static_cast<int>(text.size()));
  return storage.Close(file);
}

TEST(ZafStorage, FileThatCannotBeReadIsNeverSavedOver) {
  struct Case {
    const char* label;
    uint16_t flags;
    // Damages the saved file in place.
    std::function<void(const std::string&)> damage;
    ZafError error;
  };
  const auto cutLastByte = [](const std::string& path) {
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1);
  };
  const auto cutIntoTheHeader = [](const std::string& path) { std::filesystem::resize_file(path, 10); };
  const Case cases[] = {
      {"cut short, read-write", ZAF_STORAGE_READWRITE, cutLastByte, ZAF_ERROR_READ},
      {"cut short, open or create", ZAF_STORAGE_OPEN_OR_CREATE, cutLastByte, ZAF_ERROR_READ},
      {"not a data file, read-write", ZAF_STORAGE_READWRITE, cutIntoTheHeader, ZAF_ERROR_NOT_DATA_FILE},
      {"not a data file, open or create", ZAF_STORAGE_OPEN_OR_CREATE, cutIntoTheHeader,
       ZAF_ERROR_NOT_DATA_FILE},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.label);
    TemporaryFolder folder;
    const std::u16string name = folder.Path("damaged.znc");
    {
      ZafStorage storage(name.c_str(), ZAF_STORAGE_CREATE);
      PutObject(storage, u"keep", "precious");
      ASSERT_EQ(storage.Save(0), 0);
    }
    test.damage(Utf8(name));
    const Bytes damaged = ReadFileBytes(Utf8(name));

    ZafStorage storage(name.c_str(), test.flags);
    EXPECT_EQ(storage.Error(), test.error);
    EXPECT_EQ(StoreText(storage, u"new", "fresh"), -1) << "nowhere to keep the object";
    EXPECT_EQ(storage.Save(0), -1);
    EXPECT_EQ(storage.Error(), test.error);
    EXPECT_EQ(storage.SaveAs(name.c_str(), 1), -1);
    EXPECT_EQ(storage.Error(), test.error);
    EXPECT_EQ(ReadFileBytes(Utf8(name)), damaged);
    EXPECT_EQ(FolderEntries(folder), 1) << "no backup, edit or temporary file";
  }
}

TEST(ZafStorage, FailedStoreBlocksSavingUntilTheObjectIsDealtWith) {
  struct Case {
    const char* label;
    // What the caller does about the object that could not be stored.
    std::function<void(ZafStorage&)> dealWith;
    std::string bigAfterSave;
  };
  const std::string big(8 * 1024, 'b');
  const Case cases[] = {
      {"written again", [&](ZafStorage& storage) { EXPECT_EQ(StoreText(storage, u"big", big), 0); }, big},
      {"removed", [](ZafStorage& storage) { EXPECT_EQ(storage.Remove(u"big"), 0); }, "<none>"},
      {"replaced by a directory",
       [](ZafStorage& storage) {
         EXPECT_EQ(storage.Remove(u"big"), 0);
         EXPECT_EQ(storage.MkDir(u"big", nullptr, 0), 0);
       },
       "<none>"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.label);
    TemporaryFolder folder;
    const std::u16string name = folder.Path("pending.znc");
    ZafStorage storage(name.c_str(), ZAF_STORAGE_CREATE);
    PutObject(storage, u"small", "kept");
    {
      FileSizeLimit limit(1024);
      EXPECT_EQ(StoreText(storage, u"big", big), -1);
      EXPECT_EQ(storage.Error(), ZAF_ERROR_WRITE);
      storage.SetError(ZAF_ERROR_NONE);
      EXPECT_EQ(StoreText(storage, u"big", big), -1) << "a second failure is answered too";
      EXPECT_EQ(storage.Error(), ZAF_ERROR_WRITE);
    }
    storage.SetError(ZAF_ERROR_NONE);
    EXPECT_EQ(StoreText(storage, u"other", "fine"), 0) << "another object does not settle it";
    EXPECT_EQ(storage.Save(0), -1);
    EXPECT_EQ(storage.Error(), ZAF_ERROR_WRITE);
    EXPECT_FALSE(std::filesystem::exists(Utf8(name)));

    test.dealWith(storage);
    ASSERT_EQ(storage.Save(0), 0);
    ZafStorage reopened(name.c_str(), 0);
    EXPECT_EQ(GetObject(reopened, u"small"), "kept");
    EXPECT_EQ(GetObject(reopened, u"other"), "fine");
    EXPECT_EQ(GetObject(reopened, u"big"), test.bigAfterSave);
  }
}

TEST_F(ZafStorageTest, NamesWithWildCardsAreNeverCreated) {
  // Lookups read '*' and '?' as wild cards, so a new name holding one would stand for another entry:
  // creating under such a name is refused and never discards the entry the pattern finds.
  PutObject(storage, u"ab", "object ab");
  struct Case {
    const char* label;
    std::function<bool()> refused;
  };
  const Case cases[] = {
      {"open to create", [&] { return storage.Open(u"a*", kCreateObject, nullptr, 0) == nullptr; }},
      {"make a directory", [&] { return storage.MkDir(u"a*", nullptr, 0) == -1; }},
      {"make a directory with '?'", [&] { return storage.MkDir(u"~a~?", nullptr, 0) == -1; }},
      {"rename to a pattern",
       [&] { return storage.Rename(u"ab", u"x?", nullptr, 0) == ZAF_ERROR_NOT_FOUND; }},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.label);
    EXPECT_TRUE(test.refused());
    EXPECT_EQ(GetObject(storage, u"ab"), "object ab");
  }
  EXPECT_EQ(storage.Entry(u"~x?"), nullptr);
  ZafFileInfoStruct info;
  ASSERT_EQ(storage.FindFirst(info, u"~a*", nullptr, 0), 0) << "listings read patterns";
  EXPECT_EQ(info.name, u"a");
  ASSERT_EQ(storage.FindNext(info, u"~a*", nullptr, 0), 0);
  EXPECT_EQ(info.name, u"ab");
}

TEST(ZafStorage, StoredNamesWithWildCardsStayReachable) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("old.znc");
  ByteBuilder file;
  file.Header(75).U8('a').U8('b').U8('c');
  file.Entry(u"~", u"", 0, -1, 0, 1).Entry(u"a*", u"", 0, 72, 3, 0).End().End();
  WriteFileBytes(Utf8(name), file.bytes);

  ZafStorage storage(name.c_str(), ZAF_STORAGE_READWRITE);
  ASSERT_EQ(storage.Error(), 0);
  EXPECT_EQ(GetObject(storage, u"a*"), "abc");
  EXPECT_EQ(storage.Open(u"a*", kCreateObject, nullptr, 0), nullptr) << "cannot be made again";
  EXPECT_EQ(GetObject(storage, u"a*"), "abc") << "so the old object is kept";
  EXPECT_EQ(storage.Rename(u"a*", u"a*", u"S", 3), 0) << "its IDs may change";
  ZafFile* changed = storage.Open(u"a*", ZAF_FILE_READWRITE, nullptr, 0);
  ASSERT_NE(changed, nullptr);
  changed->WriteData("x", 1);
  EXPECT_EQ(storage.Close(changed), 0);
  ASSERT_EQ(storage.Save(0), 0);

  ZafStorage reopened(name.c_str(), 0);
  EXPECT_EQ(GetObject(reopened, u"a*"), "xbc");
  ASSERT_NE(reopened.Entry(u"a*"), nullptr);
  EXPECT_EQ(reopened.Entry(u"a*")->NumberID(), 3);
}

}  // namespace
