#include "framework/core/zafnameentry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafwindow.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstorage.h"

namespace {

ZafLong Hook(ZafWindowObject*, ZafEventRecord&, ZafLong code) {
  return code;
}

int g_userObject = 0;

class NameEntryTest : public ZafCoreTest {
 protected:
  NameEntryTest() {
    persistence.AddUserFunction(u"hook", Hook);
    persistence.AddUserObject(u"object", &g_userObject);
    persistence.AddCompareFunction(u"ascending", ZafWindow::CompareAscending);
    persistence.AddCompareFunction(u"descending", ZafWindow::CompareDescending);
    persistence.AddObjectConstructor(u"ZafWindowObject", ID_ZAF_WINDOW_OBJECT, &ZafWindowObject::Read);
  }

  // Writes a window named "sorted" whose child list is sorted by `compare` (none when null).
  void WriteSortedWindow(ZafCompareFunction compare) {
    ZafWindow window(0, 0, 20, 6);
    window.SetStringID(u"sorted");
    window.SetCompareFunction(compare);
    window.Add(new ZafWindowObject(1, 1, 5, 1))->SetStringID(u"field");
    ASSERT_EQ(window.Write(persistence), ZAF_ERROR_NONE);
  }

  // Replaces the "compareFunction" file of the stored window "sorted" with raw bytes.
  void StoreCompareFile(const std::vector<uint8_t>& bytes) {
    persistence.PushLevel(u"ZafWindow", ID_ZAF_WINDOW, ZAF_STORAGE_TYPE_NAMED);
    ASSERT_EQ(persistence.CurrentFile(u"sorted", ZAF_PERSIST_READ), ZAF_ERROR_NONE);
    persistence.PushLevel(u"compareFunction", ID_ZAF_COMPARE_FUNCTION_ENTRY, ZAF_STORAGE_TYPE_DATA);
    ASSERT_EQ(persistence.CurrentFile(nullptr, ZAF_PERSIST_WRITE), ZAF_ERROR_NONE);
    persistence.File()->WriteData(bytes.data(), static_cast<int>(bytes.size()));
    persistence.PopLevel();
    persistence.PopLevel();
  }

  // The tag of a directory below a class directory of the data file.
  ZafFileInfoStruct EntryDirectory(const ZafIChar* classDirectory, const ZafIChar* name) {
    ZafFileInfoStruct info;
    EXPECT_EQ(storage.ChDir(classDirectory, nullptr, 0), 0);
    EXPECT_EQ(storage.FindFirst(info, name, nullptr, 0), 0);
    storage.FindClose(info);
    storage.ChDir(u"~", nullptr, 0);
    return info;
  }

  TemporaryFolder folder;
  ZafStorage storage{folder.Path("entries").c_str(), ZAF_STORAGE_CREATE};
  ZafObjectPersistence persistence{&storage};
};

TEST_F(NameEntryTest, NamedHooksGetTaggedEntriesHoldingTheirNames) {
  ZafWindow window(0, 0, 20, 6);
  window.SetStringID(u"hooks");
  auto* field = window.Add(new ZafWindowObject(1, 1, 5, 1));
  field->SetStringID(u"field");
  field->SetUserFunction(Hook);
  field->userObject = &g_userObject;
  ASSERT_EQ(window.Write(persistence), ZAF_ERROR_NONE);

  struct Case {
    const ZafNameEntry::Kind& kind;
    const ZafIChar* classDirectory;
    const ZafIChar* name;
    ZafClassID typeWord;
  };
  const Case cases[] = {
      {ZafNameEntry::userFunction, u"~userFunction", u"hook", 3201},
      {ZafNameEntry::userObject, u"~userObject", u"object", 3202},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(ZafToUtf8(entry.classDirectory));
    const ZafFileInfoStruct info = EntryDirectory(entry.classDirectory, entry.name);
    EXPECT_EQ(info.type, ZAF_ENTRY_DIRECTORY);
    EXPECT_EQ(info.numberID, entry.typeWord);
    EXPECT_EQ(info.stringID, std::u16string(entry.kind.className));
    std::u16string text;
    EXPECT_TRUE(ZafNameEntry::Read(persistence, entry.kind, entry.name, text));
    EXPECT_EQ(text, entry.name);
    EXPECT_EQ(persistence.Error(), ZAF_ERROR_NONE);
  }
}

TEST_F(NameEntryTest, UnnamedHooksWriteNoEntry) {
  ZafUserFunction unregistered = [](ZafWindowObject*, ZafEventRecord&, ZafLong) -> ZafLong { return 0; };
  ZafWindow window(0, 0, 20, 6);
  window.SetStringID(u"plain");
  window.Add(new ZafWindowObject(1, 1, 5, 1))->SetUserFunction(unregistered);
  ASSERT_EQ(window.Write(persistence), ZAF_ERROR_NONE);
  EXPECT_NE(storage.ChDir(u"~userFunction", nullptr, 0), 0);
  EXPECT_NE(storage.ChDir(u"~userObject", nullptr, 0), 0);
}

TEST_F(NameEntryTest, HookNamesResolveOnlyThroughTheReadingContext) {
  ZafWindow window(0, 0, 20, 6);
  window.SetStringID(u"hooks");
  auto* field = window.Add(new ZafWindowObject(1, 1, 5, 1));
  field->SetStringID(u"field");
  field->SetUserFunction(Hook);
  field->userObject = &g_userObject;
  ASSERT_EQ(window.Write(persistence), ZAF_ERROR_NONE);

  ZafObjectPersistence bare(&storage);
  bare.AddObjectConstructor(u"ZafWindowObject", ID_ZAF_WINDOW_OBJECT, &ZafWindowObject::Read);
  ZafWindow read(u"hooks", bare);
  EXPECT_EQ(read.Error(), ZAF_ERROR_NONE) << "an unknown hook name is not an error";
  ZafWindowObject* readField = read.FindObjectByName(u"field");
  ASSERT_NE(readField, nullptr);
  EXPECT_EQ(readField->UserFunction(), nullptr);
  EXPECT_EQ(readField->userObject, nullptr);
}

TEST_F(NameEntryTest, CompareFunctionComesFromItsOwnFile) {
  WriteSortedWindow(ZafWindow::CompareAscending);
  std::u16string stored;
  persistence.PushLevel(u"ZafWindow", ID_ZAF_WINDOW, ZAF_STORAGE_TYPE_NAMED);
  ASSERT_EQ(persistence.CurrentFile(u"sorted", ZAF_PERSIST_READ), ZAF_ERROR_NONE);
  EXPECT_TRUE(ZafNameEntry::Read(persistence, ZafNameEntry::compareFunction, nullptr, stored));
  EXPECT_EQ(stored, u"ascending");
  // The window's record still says "ascending": the file decides.
  EXPECT_EQ(ZafNameEntry::Write(persistence, ZafNameEntry::compareFunction, nullptr, u"descending"),
            ZAF_ERROR_NONE);
  persistence.PopLevel();

  ZafWindow read(u"sorted", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.CompareFunction(), ZafWindow::CompareDescending);
  EXPECT_EQ(read.Count(), 1);
}

TEST_F(NameEntryTest, BadCompareFilesAreRefusedOrIgnored) {
  struct Case {
    const char* what;
    bool writeFile;
    std::vector<uint8_t> bytes;
    ZafError error;
  };
  const Case cases[] = {
      {"no file: no compare function", false, {}, ZAF_ERROR_NONE},
      {"empty name", true, {0, 0}, ZAF_ERROR_NONE},
      {"unregistered name", true, {3, 0, 'z', 'z', 'z'}, ZAF_ERROR_NONE},
      {"no bytes at all", true, {}, ZAF_ERROR_READ},
      {"count beyond the file", true, {9, 0, 'a', 's'}, ZAF_ERROR_READ},
      {"bytes after the name", true, {1, 0, 'a', 'x'}, ZAF_ERROR_READ},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    persistence.SetError(ZAF_ERROR_NONE);
    WriteSortedWindow(nullptr);
    if (test.writeFile) {
      StoreCompareFile(test.bytes);
    }
    persistence.SetError(ZAF_ERROR_NONE);
    ZafWindow read(u"sorted", persistence);
    EXPECT_EQ(read.Error(), test.error);
    EXPECT_EQ(read.CompareFunction(), nullptr);
    if (test.error == ZAF_ERROR_NONE) {
      EXPECT_EQ(read.Count(), 1) << "the children are read as usual";
    }
  }
}

TEST_F(NameEntryTest, WindowWithoutCompareFunctionWritesNoCompareFile) {
  WriteSortedWindow(nullptr);
  std::u16string stored = u"left over";
  persistence.PushLevel(u"ZafWindow", ID_ZAF_WINDOW, ZAF_STORAGE_TYPE_NAMED);
  ASSERT_EQ(persistence.CurrentFile(u"sorted", ZAF_PERSIST_READ), ZAF_ERROR_NONE);
  EXPECT_FALSE(ZafNameEntry::Read(persistence, ZafNameEntry::compareFunction, nullptr, stored));
  EXPECT_EQ(persistence.Error(), ZAF_ERROR_NONE) << "an absent entry is not an error";
  persistence.PopLevel();
  EXPECT_TRUE(stored.empty());
}

TEST_F(NameEntryTest, NegativeClientSizeIsRefused) {
  ZafWindow window(0, 0, 20, 6);
  window.SetStringID(u"odd");
  window.clientRegion = {0, 0, -5, 5, ZAF_CELL};
  ASSERT_EQ(window.Write(persistence), ZAF_ERROR_NONE);
  ZafWindow read(u"odd", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_READ);
}

TEST_F(NameEntryTest, RegionsBeyondAnyScreenAreRefused) {
  struct Case {
    int32_t left;
    int32_t right;
    bool refused;
  };
  const Case cases[] = {
      {-(1 << 24), 1 << 24, false},
      {-(1 << 24) - 1, 10, true},
      {0, (1 << 24) + 1, true},
      {-(1 << 25), 1 << 25, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.left);
    SCOPED_TRACE(test.right);
    ZafWindow window(0, 0, 20, 6);
    window.SetStringID(u"far");
    window.SetCoordinateType(ZAF_PIXEL);
    window.SetRegion({test.left, 0, test.right, 5, ZAF_PIXEL});
    ASSERT_EQ(window.Write(persistence), ZAF_ERROR_NONE);
    ZafWindow read(u"far", persistence);
    EXPECT_EQ(read.Error(), test.refused ? ZAF_ERROR_READ : ZAF_ERROR_NONE);
    if (test.refused) {
      EXPECT_LT(read.Region().Width(), 1) << "an empty region instead";
    } else {
      EXPECT_EQ(read.Region().left, test.left);
    }
    persistence.SetError(ZAF_ERROR_NONE);
  }
}

}  // namespace
