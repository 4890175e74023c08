#include "framework/data/zafdatapersistence.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdirectoryelement.h"
#include "framework/data/zafimagedata.h"
#include "framework/data/zafobjectpersistence.h"
#include "framework/data/zafstorage.h"

namespace {

constexpr uint8_t kPixels[7] = {9, 8, 7, 6, 5, 4, 3};

// Writes one 32-bit word as the object of a level: what a class with one field does.
ZafError WriteWord(ZafDataPersistence& persistence, const char16_t* className, ZafClassID classID, int type,
                   const char16_t* name, int32_t word) {
  persistence.PushLevel(className, classID, type);
  const ZafError error = persistence.CurrentFile(name, ZAF_PERSIST_WRITE);
  if (ZafFile* file = persistence.File()) {
    file->WriteInt32(word);
  }
  persistence.PopLevel();
  return error;
}

// The word of a level's object, or -1 when none was found.
int32_t ReadWord(ZafDataPersistence& persistence, const char16_t* className, ZafClassID classID, int type,
                 const char16_t* name) {
  persistence.PushLevel(className, classID, type);
  int32_t word = -1;
  if (persistence.CurrentFile(name, ZAF_PERSIST_READ) == 0) {
    persistence.File()->ReadInt32(word);
  }
  persistence.PopLevel();
  return word;
}

std::u16string CurrentPath(ZafStorage& storage) {
  ZafIChar buffer[128];
  storage.GetCWD(buffer, 128);
  return buffer;
}

class ZafDataPersistenceTest : public ::testing::Test {
 protected:
  TemporaryFolder folder;
  ZafStorage storage{folder.Path("objects").c_str(), ZAF_STORAGE_CREATE};
  ZafDataPersistence persistence{&storage};
};

TEST_F(ZafDataPersistenceTest, EachStorageTypeHasItsPlaceInTheTree) {
  EXPECT_EQ(WriteWord(persistence, u"ZafNamed", 500, ZAF_STORAGE_TYPE_NAMED, u"first", 1), 0);
  EXPECT_EQ(WriteWord(persistence, u"ZafSingle", 501, ZAF_STORAGE_TYPE_CLASS, nullptr, 2), 0);
  // A window (type 0) holding a child (type 2) holding a data object (type 3).
  persistence.PushLevel(u"ZafWindow", ID_ZAF_WINDOW, ZAF_STORAGE_TYPE_NAMED);
  ASSERT_EQ(persistence.CurrentFile(u"main", ZAF_PERSIST_WRITE), 0);
  EXPECT_EQ(WriteWord(persistence, u"ZafButton", ID_ZAF_BUTTON, ZAF_STORAGE_TYPE_CHILD, u"ok", 3), 0);
  persistence.PushLevel(u"ZafButton", ID_ZAF_BUTTON, ZAF_STORAGE_TYPE_CHILD);
  ASSERT_EQ(persistence.CurrentFile(u"cancel", ZAF_PERSIST_WRITE), 0);
  EXPECT_EQ(WriteWord(persistence, u"ZafStringData", ID_ZAF_STRING_DATA, ZAF_STORAGE_TYPE_DATA, u"label", 4),
            0);
  persistence.PopLevel();
  persistence.PopLevel();
  EXPECT_EQ(CurrentPath(storage), u"~") << "every level went back where it started";
  EXPECT_EQ(persistence.Level(), 0);

  struct Case {
    const char16_t* path;
    const char16_t* stringID;
    ZafNumberID numberID;
  } cases[] = {
      {u"~ZafNamed~first", u"ZafNamed", 500},
      {u"~ZafNamed~first~objectData", nullptr, 0},
      {u"~ZafSingle~objectData", nullptr, 0},
      {u"~ZafWindow~main~objectData", nullptr, 0},
      {u"~ZafWindow~main~ok", u"ZafButton", ID_ZAF_BUTTON},
      {u"~ZafWindow~main~ok~objectData", nullptr, 0},
      {u"~ZafWindow~main~cancel~label", u"ZafStringData", ID_ZAF_STRING_DATA},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ZafToUtf8(c.path));
    ZafDirectoryElement* entry = storage.Entry(c.path);
    ASSERT_NE(entry, nullptr);
    if (c.stringID) {
      EXPECT_EQ(std::u16string(entry->StringID()), c.stringID);
    } else {
      EXPECT_EQ(entry->StringID(), nullptr);
    }
    EXPECT_EQ(entry->NumberID(), c.numberID);
  }
  EXPECT_EQ(ReadWord(persistence, u"ZafNamed", 500, ZAF_STORAGE_TYPE_NAMED, u"first"), 1);
  EXPECT_EQ(ReadWord(persistence, u"ZafSingle", 501, ZAF_STORAGE_TYPE_CLASS, nullptr), 2);
}

TEST_F(ZafDataPersistenceTest, MissingObjectGivesErrorFourteen) {
  EXPECT_EQ(ReadWord(persistence, u"ZafSingle", 501, ZAF_STORAGE_TYPE_CLASS, nullptr), -1);
  EXPECT_EQ(persistence.Error(), ZAF_ERROR_OPEN);
  EXPECT_EQ(ReadWord(persistence, u"ZafStringData", ID_ZAF_STRING_DATA, ZAF_STORAGE_TYPE_DATA, u"nothing"),
            -1);
  EXPECT_EQ(CurrentPath(storage), u"~");
}

TEST_F(ZafDataPersistenceTest, EveryObjectThatCannotBeStoredIsReported) {
  // The edit file is already past the size limit below, so that no object can be added to it.
  ZafFile* filler = storage.Open(u"filler", ZAF_STORAGE_OBJECT_CREATE | ZAF_FILE_READWRITE, nullptr, 0);
  ASSERT_NE(filler, nullptr);
  const std::string bytes(4096, 'f');
  filler->WriteData(bytes.data(), static_cast<int>(bytes.size()));
  ASSERT_EQ(storage.Close(filler), 0);

  FileSizeLimit limit(1024);
  for (const char16_t* name : {u"first", u"second"}) {
    SCOPED_TRACE(ZafToUtf8(name));
    persistence.SetError(ZAF_ERROR_NONE);
    WriteWord(persistence, u"ZafStringData", ID_ZAF_STRING_DATA, ZAF_STORAGE_TYPE_DATA, name, 7);
    EXPECT_NE(persistence.Error(), ZAF_ERROR_NONE);
    EXPECT_EQ(persistence.Error(), storage.Error());
  }
  EXPECT_EQ(storage.Save(0), -1) << "the objects never reached the edit file";
}

TEST_F(ZafDataPersistenceTest, WritingAgainReplacesTheOldVersion) {
  persistence.PushLevel(u"ZafWindow", ID_ZAF_WINDOW, ZAF_STORAGE_TYPE_NAMED);
  persistence.CurrentFile(u"main", ZAF_PERSIST_WRITE);
  WriteWord(persistence, u"ZafButton", ID_ZAF_BUTTON, ZAF_STORAGE_TYPE_CHILD, u"old", 1);
  persistence.PopLevel();
  persistence.PushLevel(u"ZafWindow", ID_ZAF_WINDOW, ZAF_STORAGE_TYPE_NAMED);
  persistence.CurrentFile(u"main", ZAF_PERSIST_WRITE);
  WriteWord(persistence, u"ZafButton", ID_ZAF_BUTTON, ZAF_STORAGE_TYPE_CHILD, u"new", 2);
  persistence.PopLevel();
  EXPECT_EQ(storage.Entry(u"~ZafWindow~main~old"), nullptr);
  EXPECT_NE(storage.Entry(u"~ZafWindow~main~new"), nullptr);
}

TEST_F(ZafDataPersistenceTest, ChildDirectoryOfAnotherClassIsReplacedOnWrite) {
  storage.MkDir(u"~stranger", u"ZafOther", 77);
  storage.MkDir(u"~stranger~inside", nullptr, 0);
  EXPECT_EQ(ReadWord(persistence, u"ZafButton", ID_ZAF_BUTTON, ZAF_STORAGE_TYPE_CHILD, u"stranger"), -1);
  EXPECT_EQ(WriteWord(persistence, u"ZafButton", ID_ZAF_BUTTON, ZAF_STORAGE_TYPE_CHILD, u"stranger", 5), 0);
  ZafDirectoryElement* entry = storage.Entry(u"~stranger");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->NumberID(), ID_ZAF_BUTTON);
  EXPECT_EQ(storage.Entry(u"~stranger~inside"), nullptr);
  EXPECT_EQ(ReadWord(persistence, u"ZafButton", ID_ZAF_BUTTON, ZAF_STORAGE_TYPE_CHILD, u"stranger"), 5);
}

TEST_F(ZafDataPersistenceTest, BasesShareTheLevelOfTheClassThatEnteredFirst) {
  persistence.PushLevel(u"ZafBitmapData", ID_ZAF_BITMAP_DATA, ZAF_STORAGE_TYPE_NAMED);
  persistence.PushLevel(u"ZafImageData", ID_ZAF_IMAGE_DATA, ZAF_STORAGE_TYPE_DATA);
  EXPECT_EQ(persistence.Level(), 0);
  EXPECT_EQ(persistence.CurrentClassID(), ID_ZAF_BITMAP_DATA);
  EXPECT_EQ(std::u16string(persistence.CurrentClassName()), u"ZafBitmapData");
  ASSERT_EQ(persistence.CurrentFile(u"pic", ZAF_PERSIST_WRITE), 0);
  persistence.PopLevel();
  EXPECT_NE(persistence.File(), nullptr) << "the first user still holds the level";
  persistence.PopLevel();
  EXPECT_EQ(persistence.File(), nullptr);
  EXPECT_NE(storage.Entry(u"~ZafBitmapData~pic~objectData"), nullptr);
}

TEST_F(ZafDataPersistenceTest, LevelsDeeperThanFortyAreRefused) {
  int opened = 0;
  for (int depth = 0; depth < ZAF_PERSIST_MAX_LEVELS + 3; ++depth) {
    persistence.PushLevel(u"ZafStringData", ID_ZAF_STRING_DATA, ZAF_STORAGE_TYPE_DATA);
    const std::u16string name = u"d" + std::u16string(1, static_cast<char16_t>(u'A' + depth));
    if (persistence.CurrentFile(name.c_str(), ZAF_PERSIST_WRITE) == 0) {
      ++opened;
    }
  }
  EXPECT_EQ(opened, ZAF_PERSIST_MAX_LEVELS);
  EXPECT_EQ(persistence.Error(), ZAF_ERROR_OPEN);
  EXPECT_EQ(persistence.File(), nullptr);
  for (int depth = 0; depth < ZAF_PERSIST_MAX_LEVELS + 3; ++depth) {
    persistence.PopLevel();
  }
  EXPECT_EQ(persistence.Level(), 0);
  EXPECT_EQ(persistence.CurrentClassID(), -1);
  // The context works again once balanced.
  persistence.SetError(0);
  EXPECT_EQ(WriteWord(persistence, u"ZafSingle", 501, ZAF_STORAGE_TYPE_CLASS, nullptr, 7), 0);
}

TEST_F(ZafDataPersistenceTest, SuffixNamesTheObjectFileAndStopsAtThirtyNine) {
  ASSERT_EQ(persistence.PushSuffix(u"de"), 0);
  WriteWord(persistence, u"ZafLanguageData", ID_ZAF_LANGUAGE_DATA, ZAF_STORAGE_TYPE_NAMED, u"msgs", 1);
  WriteWord(persistence, u"ZafStringData", ID_ZAF_STRING_DATA, ZAF_STORAGE_TYPE_DATA, u"text", 2);
  EXPECT_NE(storage.Entry(u"~ZafLanguageData~msgs~objectData.de"), nullptr);
  EXPECT_NE(storage.Entry(u"~text.de"), nullptr);
  persistence.PopSuffix();
  EXPECT_EQ(std::u16string(persistence.Suffix()), u"");
  persistence.PopSuffix();  // entry 0 stays

  for (int count = 1; count <= ZAF_PERSIST_MAX_SUFFIXES; ++count) {
    ASSERT_EQ(persistence.PushSuffix(count % 2 ? nullptr : u"x"), 0) << count;
  }
  EXPECT_EQ(persistence.PushSuffix(u"one too many"), -1);
  EXPECT_EQ(persistence.Error(), ZAF_ERROR_OPEN);
}

TEST_F(ZafDataPersistenceTest, TwoFileSystemsReadFromTheFirstThatHasIt) {
  ZafStorage second(folder.Path("second").c_str(), ZAF_STORAGE_CREATE);
  ZafDataPersistence other(&second);
  WriteWord(other, u"ZafNamed", 500, ZAF_STORAGE_TYPE_NAMED, u"only-second", 20);
  WriteWord(other, u"ZafNamed", 500, ZAF_STORAGE_TYPE_NAMED, u"both", 21);
  WriteWord(persistence, u"ZafNamed", 500, ZAF_STORAGE_TYPE_NAMED, u"both", 11);

  persistence.AddFile(&second);
  EXPECT_EQ(ReadWord(persistence, u"ZafNamed", 500, ZAF_STORAGE_TYPE_NAMED, u"both"), 11);
  // The first file system has the class directory, so the object is read there (an empty object made on
  // the way in) rather than in the second.
  EXPECT_EQ(ReadWord(persistence, u"ZafSingle", 501, ZAF_STORAGE_TYPE_CLASS, nullptr), -1);
  WriteWord(other, u"ZafSingle", 501, ZAF_STORAGE_TYPE_CLASS, nullptr, 22);
  EXPECT_EQ(ReadWord(persistence, u"ZafSingle", 501, ZAF_STORAGE_TYPE_CLASS, nullptr), 22);

  // A write goes to the first file system that already has the class directory.
  WriteWord(persistence, u"ZafSingle", 501, ZAF_STORAGE_TYPE_CLASS, nullptr, 23);
  EXPECT_EQ(storage.Entry(u"~ZafSingle"), nullptr);
  EXPECT_EQ(ReadWord(other, u"ZafSingle", 501, ZAF_STORAGE_TYPE_CLASS, nullptr), 23);
  // ... else creates it in the first.
  WriteWord(persistence, u"ZafFresh", 502, ZAF_STORAGE_TYPE_CLASS, nullptr, 24);
  EXPECT_NE(storage.Entry(u"~ZafFresh~objectData"), nullptr);
}

ZafData* MakeImage(const ZafIChar* name, ZafDataPersistence& persistence) {
  return new ZafImageData(name, persistence);
}

ZafData* MakeBitmap(const ZafIChar* name, ZafDataPersistence& persistence) {
  return new ZafBitmapData(name, persistence);
}

TEST(ZafDataPersistenceTables, ConstructorRows) {
  const ZafDataConstructorEntry table[] = {{ID_ZAF_IMAGE_DATA, u"ZafImageData", MakeImage},
                                           {ID_ZAF_BITMAP_DATA, u"ZafBitmapData", MakeBitmap},
                                           {ZAF_END_OF_TABLE, nullptr, nullptr}};
  ZafDataPersistence persistence(nullptr, table);
  EXPECT_EQ(persistence.DataConstructor(ID_ZAF_BITMAP_DATA, nullptr), MakeBitmap);
  EXPECT_EQ(persistence.DataConstructor(0, u"ZafImageData"), MakeImage);
  EXPECT_EQ(persistence.DataConstructor(0, u"zafimagedata"), nullptr) << "names are case-sensitive";
  EXPECT_FALSE(persistence.AddDataConstructor(u"ZafImageData", 9999, MakeBitmap));
  EXPECT_EQ(persistence.DataConstructor(0, u"ZafImageData"), MakeImage) << "the first registration stays";

  ZafDataPersistence copy(persistence);
  EXPECT_EQ(persistence.SubtractDataConstructor(ID_ZAF_IMAGE_DATA, nullptr), 1);
  EXPECT_EQ(persistence.SubtractDataConstructor(ID_ZAF_IMAGE_DATA, nullptr), 0);
  EXPECT_EQ(copy.DataConstructor(ID_ZAF_IMAGE_DATA, nullptr), MakeImage) << "the copy has its own table";

  persistence.PushLevel(u"ZafBitmapData", 0, ZAF_STORAGE_TYPE_NAMED);
  EXPECT_EQ(persistence.CurrentClassID(), ID_ZAF_BITMAP_DATA) << "an ID of 0 is looked up by name";
  persistence.PopLevel();
  persistence.PushLevel(nullptr, ID_ZAF_BITMAP_DATA, ZAF_STORAGE_TYPE_NAMED);
  EXPECT_EQ(std::u16string(persistence.CurrentClassName()), u"ZafBitmapData");
  persistence.PopLevel();
}

int CompareAny(ZafElement*, ZafElement*) {
  return 0;
}

int CompareOther(ZafElement*, ZafElement*) {
  return 1;
}

ZafWindowObject* MakeWindow(const ZafIChar*, ZafObjectPersistence&) {
  return nullptr;
}

TEST(ZafDataPersistenceTables, ObjectTablesByNameAndPointer) {
  int userObject = 0;
  const ZafCompareFunctionEntry compares[] = {
      {u"any", CompareAny}, {u"other", CompareOther}, {nullptr, nullptr}};
  const ZafUserObjectEntry objects[] = {{u"counter", &userObject}, {nullptr, nullptr}};
  const ZafObjectConstructorEntry windows[] = {{3105, u"ZafWindowLike", MakeWindow},
                                               {ZAF_END_OF_TABLE, nullptr, nullptr}};
  const ZafDataConstructorEntry data[] = {{3105, u"ZafStringData", MakeImage},
                                          {ZAF_END_OF_TABLE, nullptr, nullptr}};
  ZafObjectPersistence persistence(nullptr, data, windows, nullptr, compares, objects);

  EXPECT_EQ(persistence.CompareFunction(u"other"), CompareOther);
  EXPECT_EQ(std::u16string(persistence.CompareFunctionName(CompareAny)), u"any");
  EXPECT_EQ(persistence.UserObject(u"counter"), &userObject);
  EXPECT_EQ(std::u16string(persistence.UserObjectName(&userObject)), u"counter");
  EXPECT_EQ(persistence.UserFunction(u"none"), nullptr);
  EXPECT_EQ(std::u16string(persistence.ClassNameByID(3105)), u"ZafWindowLike") << "window rows first";
  EXPECT_EQ(persistence.ObjectConstructor(0, u"ZafWindowLike"), MakeWindow);

  EXPECT_EQ(persistence.SubtractCompareFunction(u"any"), 1);
  EXPECT_EQ(persistence.SubtractCompareFunction(u"other"), 1);
  EXPECT_EQ(persistence.CompareFunction(u"other"), nullptr);
  EXPECT_EQ(persistence.SubtractCompareFunction(u"other"), 0);

  ZafObjectPersistence merged;
  ZafStorage storage;
  persistence.AddFile(&storage);
  merged.Import(persistence);
  EXPECT_EQ(merged.UserObject(u"counter"), &userObject);
  EXPECT_EQ(merged.FileList().size(), 1u);
  EXPECT_TRUE(persistence.FileList().empty()) << "file systems move to the importing context";
}

// The whole path: objects of types 0-3 written through levels, saved with backups, reopened read-only and
// read back identically.
TEST(ZafDataPersistenceRoundTrip, ObjectsSurviveSaveAndReadOnlyReopen) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("app.znc");
  for (int round = 0; round < 2; ++round) {
    ZafStorage storage(name.c_str(), ZAF_STORAGE_OPEN_OR_CREATE);
    ASSERT_EQ(storage.Error(), 0);
    ZafDataPersistence persistence(&storage);
    ZafBitmapData bitmap(3, 2, kPixels);
    bitmap.SetStringID(u"logo");
    EXPECT_EQ(bitmap.Write(persistence), 0);
    persistence.PopLevel();
    ZafImageData image(2, 3, kPixels + round);
    image.SetStringID(u"\u0416image");
    EXPECT_EQ(image.Write(persistence), 0);
    persistence.PopLevel();
    EXPECT_EQ(WriteWord(persistence, u"ZafSingle", 501, ZAF_STORAGE_TYPE_CLASS, nullptr, 100 + round), 0);
    persistence.PushLevel(u"ZafWindow", ID_ZAF_WINDOW, ZAF_STORAGE_TYPE_NAMED);
    ASSERT_EQ(persistence.CurrentFile(u"main", ZAF_PERSIST_WRITE), 0);
    EXPECT_EQ(WriteWord(persistence, u"ZafButton", ID_ZAF_BUTTON, ZAF_STORAGE_TYPE_CHILD, u"ok", 200 + round),
              0);
    persistence.PopLevel();
    ASSERT_EQ(storage.Save(3), 0);
  }
  EXPECT_TRUE(std::filesystem::exists(folder.path / "app.bk1"));

  ZafStorage storage(name.c_str(), 0);
  ASSERT_EQ(storage.Error(), 0);
  ZafDataPersistence persistence(&storage);
  ZafBitmapData bitmap(u"logo", persistence);
  EXPECT_EQ(bitmap.Error(), 0);
  ASSERT_EQ(bitmap.Width(), 3);
  ASSERT_EQ(bitmap.Height(), 2);
  EXPECT_TRUE(std::equal(kPixels, kPixels + 6, bitmap.Pixels()));
  ZafImageData image(u"\u0416image", persistence);
  EXPECT_EQ(image.Error(), 0);
  ASSERT_EQ(image.Width(), 2);
  EXPECT_TRUE(std::equal(kPixels + 1, kPixels + 7, image.Pixels()));
  EXPECT_EQ(ReadWord(persistence, u"ZafSingle", 501, ZAF_STORAGE_TYPE_CLASS, nullptr), 101);
  persistence.PushLevel(u"ZafWindow", ID_ZAF_WINDOW, ZAF_STORAGE_TYPE_NAMED);
  ASSERT_EQ(persistence.CurrentFile(u"main", ZAF_PERSIST_READ), 0);
  EXPECT_EQ(ReadWord(persistence, u"ZafButton", ID_ZAF_BUTTON, ZAF_STORAGE_TYPE_CHILD, u"ok"), 201);
  persistence.PopLevel();

  // Built through the constructor table, as a window reading its children does.
  persistence.AddDataConstructor(u"ZafBitmapData", ID_ZAF_BITMAP_DATA, ZafBitmapData().ReadFunction());
  std::unique_ptr<ZafData> built(
      persistence.DataConstructor(ID_ZAF_BITMAP_DATA, nullptr)(u"logo", persistence));
  ASSERT_TRUE(built->IsA(ID_ZAF_BITMAP_DATA));
  EXPECT_EQ(static_cast<ZafBitmapData*>(built.get())->Width(), 3);

  ZafBitmapData missing(u"nothing", persistence);
  EXPECT_EQ(missing.Error(), ZAF_ERROR_OPEN);
  EXPECT_EQ(missing.Pixels(), nullptr);
  // Looking for it made its (empty) directory, in memory only.
  EXPECT_NE(storage.Entry(u"~ZafBitmapData~nothing"), nullptr);
  EXPECT_EQ(storage.Save(0), ZAF_ERROR_NOT_WRITABLE);
}

TEST(ZafDataPersistenceRoundTrip, BadImageRecordsAreRefused) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("img").c_str(), ZAF_STORAGE_CREATE);
  struct Case {
    const char* what;
    int32_t width;
    int32_t height;
    int pixelBytes;
  } cases[] = {{"negative width", -2, 3, 0},
               {"more pixels than bytes", 1000, 1000, 4},
               {"huge", 0x7FFFFFFF, 0x7FFFFFFF, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ZafFile* file = storage.Open(u"bad", ZAF_STORAGE_OBJECT_CREATE | ZAF_FILE_READWRITE, u"ZafImageData",
                                 ID_ZAF_IMAGE_DATA);
    file->WriteInt32(c.width);
    file->WriteInt32(c.height);
    file->WriteArray(kPixels, 1, c.pixelBytes);
    storage.Close(file);
    ZafDataPersistence persistence(&storage);
    ZafImageData image(u"bad", persistence);
    EXPECT_EQ(image.Error(), ZAF_ERROR_READ);
    EXPECT_EQ(image.Pixels(), nullptr);
    EXPECT_EQ(image.Width(), 0);
  }
}

}  // namespace
