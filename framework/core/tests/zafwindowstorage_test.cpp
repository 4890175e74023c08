#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafborder.h"
#include "framework/core/zafwindow.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafpalettedata.h"
#include "framework/data/zafstorage.h"

namespace {

ZafLong Hook(ZafWindowObject*, ZafEventRecord&, ZafLong code) {
  return code;
}

int g_userObject = 0;

class WindowStorageTest : public ZafCoreTest {
 protected:
  WindowStorageTest() {
    persistence.AddUserFunction(u"hook", Hook);
    persistence.AddUserObject(u"object", &g_userObject);
    persistence.AddCompareFunction(u"ascending", ZafWindow::CompareAscending);
  }

  // The bytes of a top-level object's object file.
  std::vector<uint8_t> StoredBytes(const ZafIChar* className, ZafClassID classID, const ZafIChar* name) {
    std::vector<uint8_t> bytes;
    persistence.PushLevel(className, classID, ZAF_STORAGE_TYPE_NAMED);
    if (persistence.CurrentFile(name, ZAF_PERSIST_READ) == ZAF_ERROR_NONE && persistence.File()) {
      bytes.resize(persistence.File()->Length());
      persistence.File()->ReadData(bytes.data(), static_cast<int>(bytes.size()));
    }
    persistence.PopLevel();
    return bytes;
  }

  TemporaryFolder folder;
  ZafStorage storage{folder.Path("windows").c_str(), ZAF_STORAGE_CREATE};
  ZafObjectPersistence persistence{&storage};
};

// The byte layouts that other programs rely on: a plain object, and a window record after its object record.
TEST_F(WindowStorageTest, RecordsHaveTheirDocumentedBytes) {
  ZafWindowObject plain(1, 1, 10, 1);
  plain.SetStringID(u"plain");
  plain.SetNumberID(4);
  ASSERT_EQ(plain.Write(persistence), ZAF_ERROR_NONE);
  const std::vector<uint8_t> plainRecord = {0x04, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                                            0x0A, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x80, 0x04,
                                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(StoredBytes(u"ZafWindowObject", ID_ZAF_WINDOW_OBJECT, u"plain"), plainRecord);

  ZafWindow window(0, 0, 20, 6);
  window.SetStringID(u"w");
  window.SetDestroyable(false);
  window.SetLocked(true);
  window.SetMovable(false);
  window.SetModal(true);
  window.SetCompareFunction(ZafWindow::CompareAscending);
  ASSERT_EQ(window.Write(persistence), ZAF_ERROR_NONE);
  const std::vector<uint8_t> windowRecord = {0x14, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0xA2,
                                             0x00, 0x00, 0x00, 0x00, 0x00, 0x09, 0x00, 'a',  's',
                                             'c',  'e',  'n',  'd',  'i',  'n',  'g'};
  const std::vector<uint8_t> stored = StoredBytes(u"ZafWindow", ID_ZAF_WINDOW, u"w");
  ASSERT_EQ(stored.size(), plainRecord.size() + windowRecord.size());
  EXPECT_EQ(std::vector<uint8_t>(stored.begin() + plainRecord.size(), stored.end()), windowRecord);
}

TEST_F(WindowStorageTest, WindowWithItsObjectsReadsBackAsWritten) {
  ZafWindow window(3, 2, 40, 12);
  window.SetStringID(u"dialog");
  window.SetLocked(true);
  window.SetSizeable(false);
  window.SetSystemKeys(true);
  window.SetCompareFunction(ZafWindow::CompareAscending);
  auto* first = new ZafWindowObject(1, 1, 10, 1);
  first->SetStringID(u"first");
  first->SetNumberID(4);
  first->SetHelpContext(u"help topic");
  first->SetTipText(u"tip");
  first->SetTextD(u"d");
  first->wordA = 0x1234;
  first->wordB = 0xFEDC;
  first->SetBordered(true);
  first->SetDisabled(true);
  first->SetPlacement(3);
  first->SetUserFunction(Hook);
  first->userObject = &g_userObject;
  first->SetTextColor(4, 1);
  auto* unnamed = new ZafWindowObject(1, 3, 5, 2);
  unnamed->SetNumberID(7);
  auto* inner = new ZafWindow(0, 5, 10, 4);
  inner->SetStringID(u"inner");
  auto* deep = new ZafWindowObject(0, 0, 3, 1);
  deep->SetStringID(u"deep");
  inner->Add(deep);
  window.Add(first);
  window.Add(unnamed);
  window.Add(inner);
  window.Add(new ZafBorder);

  ASSERT_EQ(window.Write(persistence), ZAF_ERROR_NONE);
  EXPECT_EQ(std::u16string(unnamed->StringID()), u"FIELD_7") << "unnamed objects are named on writing";

  ZafWindow copy(u"dialog", persistence);
  ASSERT_EQ(copy.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(copy.Region(), window.Region());
  EXPECT_TRUE(copy.Locked());
  EXPECT_FALSE(copy.Sizeable());
  EXPECT_TRUE(copy.SystemKeys());
  EXPECT_TRUE(copy.Movable());
  EXPECT_EQ(copy.CompareFunction(), ZafWindow::CompareAscending);
  EXPECT_EQ(copy.clientRegion, window.clientRegion);
  ASSERT_EQ(copy.Count(), 3);

  auto* readFirst = copy.FindObjectByName(u"first");
  ASSERT_NE(readFirst, nullptr);
  EXPECT_EQ(readFirst->NumberID(), 4);
  EXPECT_EQ(readFirst->Region(), first->Region());
  EXPECT_EQ(std::u16string(readFirst->HelpContext()), u"help topic");
  EXPECT_EQ(std::u16string(readFirst->TipText()), u"tip");
  EXPECT_EQ(readFirst->ThirdText(), nullptr);
  EXPECT_EQ(std::u16string(readFirst->TextD()), u"d");
  EXPECT_EQ(readFirst->wordA, 0x1234);
  EXPECT_EQ(readFirst->wordB, 0xFEDC);
  EXPECT_TRUE(readFirst->Bordered());
  EXPECT_TRUE(readFirst->Disabled());
  EXPECT_FALSE(readFirst->Selected());
  EXPECT_EQ(readFirst->Placement(), 3);
  EXPECT_EQ(readFirst->UserFunction(), Hook);
  EXPECT_EQ(readFirst->userObject, &g_userObject);
  EXPECT_EQ(readFirst->TextColor(), 4) << "the own palette is stored with the object";

  EXPECT_NE(copy.FindObjectByName(u"FIELD_7"), nullptr);
  ASSERT_NE(copy.Border(), nullptr) << "the border comes back as a support object";
  EXPECT_EQ(copy.SupportList().Count(), 1);
  EXPECT_FALSE(copy.Border()->OwnNativeWindow());
  auto* readInner = copy.FindObjectByName(u"inner");
  ASSERT_NE(readInner, nullptr);
  EXPECT_TRUE(readInner->IsA(ID_ZAF_WINDOW));
  EXPECT_NE(copy.FindObjectByName(u"inner~deep"), nullptr);
}

TEST_F(WindowStorageTest, MissingPaletteDataIsReportedAndLeavesTheObjectWithoutIt) {
  ZafWindowObject field(0, 0, 5, 1);
  field.SetStringID(u"field");
  field.SetTextColor(4, 1);
  ASSERT_EQ(field.Write(persistence), ZAF_ERROR_NONE);
  ASSERT_EQ(storage.RmDir(u"~ZafPaletteData", true), 0);

  ZafWindowObject read(u"field", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_OPEN);
  EXPECT_NE(read.TextColor(), 4);
}

TEST_F(WindowStorageTest, OpenWindowRequestBuildsAStoredWindow) {
  ZafWindow stored(0, 0, 30, 8);
  stored.SetStringID(u"stored");
  stored.Add(new ZafWindowObject(1, 1, 5, 1))->SetStringID(u"field");
  ASSERT_EQ(stored.Write(persistence), ZAF_ERROR_NONE);

  ZafEventRecord open(OpenWindowRequest, 0);
  open.SetText(u"~ZafWindow~stored");
  windows->Event(open);
  EXPECT_EQ(windows->FrontWindow(), nullptr) << "no object persistence: nothing is opened";

  ZafWindowObject::objectPersistence = &persistence;
  windows->Event(open);
  ZafWindow* opened = windows->FrontWindow();
  ASSERT_NE(opened, nullptr);
  EXPECT_NE(opened->ScreenID(), nullptr) << "added and created";
  EXPECT_NE(windows->FindObjectByName(u"~stored~field"), nullptr);

  ZafEventRecord missing(OpenWindowRequest, 0);
  missing.SetText(u"~ZafWindow~absent");
  windows->Event(missing);
  EXPECT_EQ(windows->Count(), 1);
  ZafWindowObject::objectPersistence = nullptr;
}

TEST_F(WindowStorageTest, MissingWindowKeepsTheErrorAndHasNoObjects) {
  ZafWindow missing(u"nowhere", persistence);
  EXPECT_NE(missing.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(missing.Count(), 0);
  EXPECT_EQ(std::u16string(missing.StringID()), u"nowhere");
}

TEST_F(WindowStorageTest, CopyDuplicatesEveryObjectAndSharesNamedPaletteData) {
  ZafWindow window(0, 0, 20, 10);
  auto* field = window.Add(new ZafWindowObject(0, 0, 5, 1));
  field->SetStringID(u"field");
  field->SetTextColor(6, 0);
  auto* shared = new ZafPaletteData();
  shared->SetDestroyable(false);
  window.SetPaletteData(shared);
  ZafWindow copy(window);
  ASSERT_EQ(copy.Count(), 1);
  auto* copied = copy.FindObjectByName(u"field");
  ASSERT_NE(copied, nullptr);
  EXPECT_NE(copied, field);
  EXPECT_EQ(copied->TextColor(), 6);
  EXPECT_NE(copied->PaletteData(), field->PaletteData()) << "owned palette data is copied";
  EXPECT_EQ(copy.PaletteData(), shared) << "shared palette data stays shared";
  copy.SetPaletteData(nullptr);
  window.SetPaletteData(nullptr);
  delete shared;
}

}  // namespace
