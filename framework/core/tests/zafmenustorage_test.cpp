#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafpopupitem.h"
#include "framework/core/zafpopupmenu.h"
#include "framework/core/zafpulldownitem.h"
#include "framework/core/zafpulldownmenu.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstorage.h"

namespace {

class MenuStorageTest : public ZafCoreTest {
 protected:
  // The bytes of the object file at a storage path such as "~ZafPopUpItem~item".
  std::vector<uint8_t> ObjectBytes(const std::u16string& path) {
    std::vector<uint8_t> bytes;
    if (storage.ChDir(path.c_str(), nullptr, 0) == 0) {
      if (ZafFile* file = storage.Open(u"objectData", ZAF_PERSIST_READ, nullptr, 0)) {
        bytes.resize(file->Length());
        file->ReadData(bytes.data(), static_cast<int>(bytes.size()));
        storage.Close(file);
      }
    }
    storage.ChDir(u"~", nullptr, 0);
    return bytes;
  }
  void ReplaceObjectBytes(const std::u16string& path, const std::vector<uint8_t>& bytes) {
    ASSERT_EQ(storage.ChDir(path.c_str(), nullptr, 0), 0);
    ZafFile* file = storage.Open(u"objectData", ZAF_PERSIST_WRITE, nullptr, 0);
    ASSERT_NE(file, nullptr);
    file->WriteData(bytes.data(), static_cast<int>(bytes.size()));
    storage.Close(file);
    storage.ChDir(u"~", nullptr, 0);
  }
  bool Exists(const std::u16string& path) {
    const bool found = storage.ChDir(path.c_str(), nullptr, 0) == 0;
    storage.ChDir(u"~", nullptr, 0);
    return found;
  }
  // An item "item" of `type` with a cascade "menu" of one entry "A" (number 9), written at the top.
  void WriteCascadeItem(int32_t type) {
    ZafPopUpItem item(u"Recent", type);
    item.SetStringID(u"item");
    ZafWindowObject* entry = item.AddMenuItem(new ZafPopUpItem(u"A"));
    entry->SetStringID(u"A");
    entry->SetNumberID(9);
    ASSERT_EQ(item.Write(persistence), ZAF_ERROR_NONE);
  }

  TemporaryFolder folder;
  ZafStorage storage{folder.Path("menus").c_str(), ZAF_STORAGE_CREATE};
  ZafObjectPersistence persistence{&storage};
};

TEST_F(MenuStorageTest, BarWithEntriesAndCascadesReadsBackAsWritten) {
  ZafWindow window(0, 0, 40, 10);
  window.SetStringID(u"main");
  auto* bar = new ZafPullDownMenu;
  auto* file = new ZafPullDownItem(u"File");
  file->SetStringID(u"file");
  file->SetNumberID(10);
  file->SetHotKey(u'f', 0);
  auto* exit = new ZafPopUpItem(static_cast<const ZafIChar*>(nullptr), ZAF_ITEM_EXIT);
  exit->SetStringID(u"exit");
  exit->SetNumberID(11);
  auto* recent = new ZafPopUpItem(u"Recent");
  recent->SetStringID(u"recent");
  recent->SetNumberID(12);
  auto* first = new ZafPopUpItem(u"First");
  first->SetStringID(u"first");
  first->SetNumberID(13);
  first->SetSelected(true);
  recent->AddMenuItem(first);
  file->AddMenuItem(exit);
  file->AddMenuItem(recent);
  bar->Add(file);
  bar->Add(new ZafPullDownItem(u"Help"))->SetStringID(u"help");
  window.Add(bar);
  ASSERT_EQ(window.Write(persistence), ZAF_ERROR_NONE);

  ZafWindow read(u"main", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  ZafWindowObject* readBar = read.SupportObjectByID(ZAF_NUMID_PULL_DOWN_MENU);
  ASSERT_NE(readBar, nullptr);
  ASSERT_TRUE(readBar->IsA(ID_ZAF_PULL_DOWN_MENU));
  EXPECT_EQ(static_cast<ZafPullDownMenu*>(readBar)->Count(), 2);
  auto* readFile = read.FindObjectByName(u"file");
  ASSERT_NE(readFile, nullptr);
  ASSERT_TRUE(readFile->IsA(ID_ZAF_PULL_DOWN_ITEM));
  EXPECT_EQ(std::u16string(readFile->Text()), u"File");
  EXPECT_EQ(static_cast<ZafPullDownItem*>(readFile)->HotKeyChar(), u'F');
  EXPECT_EQ(static_cast<ZafPullDownItem*>(readFile)->Submenu().Count(), 2);
  auto* readExit = read.FindObject(11);
  ASSERT_NE(readExit, nullptr);
  ASSERT_TRUE(readExit->IsA(ID_ZAF_POP_UP_ITEM));
  EXPECT_EQ(static_cast<ZafPopUpItem*>(readExit)->MenuItemType(), ZAF_ITEM_EXIT);
  EXPECT_EQ(static_cast<ZafPopUpItem*>(readExit)->Value(), -32);
  EXPECT_EQ(std::u16string(readExit->Text()), u"Exit");
  auto* readFirst = read.FindObject(13);
  ASSERT_NE(readFirst, nullptr);
  EXPECT_TRUE(readFirst->Selected()) << "the check mark";
  EXPECT_EQ(readFirst->Parent()->Parent(), read.FindObject(12)) << "inside the cascade";
  EXPECT_EQ(read.FindObjectByName(u"help")->Parent(), readBar);
}

TEST_F(MenuStorageTest, StoredBarComesBackWithItsNumberWhateverTheRecordSays) {
  ZafPullDownMenu bar;
  bar.SetStringID(u"bar");
  bar.Add(new ZafPullDownItem(u"File"));
  ASSERT_EQ(bar.Write(persistence), ZAF_ERROR_NONE);
  std::vector<uint8_t> bytes = ObjectBytes(u"~ZafPullDownMenu~bar");
  ASSERT_GE(bytes.size(), 2u);
  bytes[0] = 0x05;
  bytes[1] = 0x00;
  ReplaceObjectBytes(u"~ZafPullDownMenu~bar", bytes);
  ZafPullDownMenu read(u"bar", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.NumberID(), ZAF_NUMID_PULL_DOWN_MENU);
  EXPECT_TRUE(read.SupportObject());
  EXPECT_EQ(read.Count(), 1);
}

TEST_F(MenuStorageTest, FreeStandingMenuReadsBackWithItsItems) {
  ZafPopUpMenu menu(5, 6);
  menu.SetStringID(u"context");
  menu.Add(new ZafPopUpItem(u"Cut", ZAF_ITEM_CUT))->SetStringID(u"cut");
  menu.Add(new ZafPopUpItem(static_cast<const ZafIChar*>(nullptr), ZAF_ITEM_SEPARATOR))->SetStringID(u"line");
  ASSERT_EQ(menu.Write(persistence), ZAF_ERROR_NONE);
  ZafPopUpMenu read(u"context", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.Region(), menu.Region());
  EXPECT_TRUE(read.Temporary());
  EXPECT_FALSE(read.Sizeable());
  ASSERT_EQ(read.Count(), 2);
  auto* line = read.FindObjectByName(u"line");
  ASSERT_NE(line, nullptr);
  EXPECT_TRUE(line->Disabled());
  EXPECT_TRUE(line->NonCurrent());
  std::unique_ptr<ZafPopUpMenu> built(
      static_cast<ZafPopUpMenu*>(menu.ReadFunction()(u"context", persistence)));
  EXPECT_EQ(built->Count(), 2);
}

TEST_F(MenuStorageTest, ItemTypeAndCascadeRoundTrip) {
  WriteCascadeItem(ZAF_ITEM_PASTE);
  EXPECT_TRUE(Exists(u"~ZafPopUpItem~item~menu")) << "the cascade is stored below the item";
  ZafPopUpItem read(u"item", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.MenuItemType(), ZAF_ITEM_PASTE);
  EXPECT_EQ(read.Value(), -30);
  ASSERT_EQ(read.Submenu().Count(), 1);
  EXPECT_EQ(read.Submenu().Parent(), &read);
  EXPECT_EQ(std::u16string(read.Submenu().StringID()), u"menu");
  ZafWindowObject* entry = read.FindObject(9);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(std::u16string(entry->Text()), u"A");
}

TEST_F(MenuStorageTest, EmptySubmenuWritesAnEmptyNameAndNoSubmenu) {
  ZafPopUpItem item(u"Open");
  item.SetStringID(u"item");
  ASSERT_EQ(item.Write(persistence), ZAF_ERROR_NONE);
  const std::vector<uint8_t> bytes = ObjectBytes(u"~ZafPopUpItem~item");
  // The record ends with the item type (0) and an empty submenu name (length 0).
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 4, bytes.end()), (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_FALSE(Exists(u"~ZafPopUpItem~item~menu"));
  ZafPopUpItem read(u"item", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_FALSE(read.Submenu().HasItems());
}

TEST_F(MenuStorageTest, UnnamedSubmenuWithItemsIsStoredAsMenu) {
  ZafPullDownItem file(u"File");
  file.SetStringID(u"file");
  file.Submenu().SetStringID(nullptr);
  file.AddMenuItem(new ZafPopUpItem(u"New"));
  ASSERT_EQ(file.Write(persistence), ZAF_ERROR_NONE);
  EXPECT_EQ(std::u16string(file.Submenu().StringID()), u"menu");
  EXPECT_TRUE(Exists(u"~ZafPullDownItem~file~menu"));
  ZafPullDownItem read(u"file", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.Submenu().Count(), 1);
}

TEST_F(MenuStorageTest, BarEntryReadsBackPostingNothing) {
  ZafPullDownItem file(u"File");
  file.SetStringID(u"file");
  ASSERT_EQ(file.Write(persistence), ZAF_ERROR_NONE);
  ZafButton button(0, 0, 4, 1, u"File");
  button.SetStringID(u"file");
  button.SetValue(-32);
  button.SetMessageOnSelect(true);
  button.SetMessageText(u"bye");
  // A record of a button that posts a value, under the entry's name: the entry still posts nothing.
  ASSERT_EQ(button.Write(persistence), ZAF_ERROR_NONE);
  std::vector<uint8_t> posting = ObjectBytes(u"~ZafButton~file");
  posting.push_back(0);
  posting.push_back(0);
  ReplaceObjectBytes(u"~ZafPullDownItem~file", posting);
  ZafPullDownItem read(u"file", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.Value(), 0);
  EXPECT_FALSE(read.MessageOnSelect());
  EXPECT_EQ(read.MessageText(), nullptr);
  read.Event(ZafEventRecord(ChosenEvent, 0));
  EXPECT_TRUE(QueuedTypes().empty());
}

TEST_F(MenuStorageTest, GarbledItemRecordsAreRefused) {
  WriteCascadeItem(ZAF_ITEM_ORDINARY);
  const std::vector<uint8_t> good = ObjectBytes(u"~ZafPopUpItem~item");
  // The tail of the record: item type (2 bytes), then the submenu name "menu" (length word + 4 bytes).
  const std::size_t typeAt = good.size() - 2 - 2 - 4;
  ASSERT_EQ(good[typeAt + 2], 4);
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    ZafError error;
  };
  std::vector<Case> cases;
  cases.push_back({"type beyond the known types", good, ZAF_ERROR_READ});
  cases.back().bytes[typeAt] = 14;
  cases.push_back({"type with a high byte", good, ZAF_ERROR_READ});
  cases.back().bytes[typeAt + 1] = 1;
  cases.push_back(
      {"cut inside the submenu name", std::vector<uint8_t>(good.begin(), good.end() - 3), ZAF_ERROR_READ});
  cases.push_back({"cut inside the item type", std::vector<uint8_t>(good.begin(), good.begin() + typeAt + 1),
                   ZAF_ERROR_READ});
  cases.push_back({"submenu name naming nothing", good, ZAF_ERROR_OPEN});
  cases.back().bytes.back() = 'x';
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ReplaceObjectBytes(u"~ZafPopUpItem~item", test.bytes);
    ZafPopUpItem read(u"item", persistence);
    EXPECT_EQ(read.Error(), test.error);
    EXPECT_FALSE(read.Submenu().HasItems());
    EXPECT_EQ(read.MenuItemType(), ZAF_ITEM_ORDINARY);
    EXPECT_EQ(read.Value(), 0);
    EXPECT_EQ(read.Submenu().Parent(), &read);
    persistence.SetError(ZAF_ERROR_NONE);
  }
}

TEST_F(MenuStorageTest, SubmenuWhoseRecordIsGoneIsRefused) {
  WriteCascadeItem(ZAF_ITEM_ORDINARY);
  ASSERT_EQ(storage.RmDir(u"~ZafPopUpItem~item~menu", true), 0);
  ZafPopUpItem read(u"item", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_OPEN);
  EXPECT_FALSE(read.Submenu().HasItems());
}

TEST_F(MenuStorageTest, DestroyableFlagOfAFreeStandingMenuRoundTrips) {
  ZafPopUpMenu menu(5, 6);
  menu.SetStringID(u"context");
  menu.SetDestroyable(true);
  menu.Add(new ZafPopUpItem(u"Cut", ZAF_ITEM_CUT))->SetStringID(u"cut");
  ASSERT_EQ(menu.Write(persistence), ZAF_ERROR_NONE);
  ZafPopUpMenu read(u"context", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_TRUE(read.Destroyable());

  // A submenu stored as destroyable still reads back held by its entry.
  ZafPopUpItem item(u"Recent");
  item.SetStringID(u"item");
  item.AddMenuItem(new ZafPopUpItem(u"A"))->SetStringID(u"A");
  item.Submenu().SetDestroyable(true);
  ASSERT_EQ(item.Write(persistence), ZAF_ERROR_NONE);
  ZafPopUpItem readItem(u"item", persistence);
  ASSERT_EQ(readItem.Error(), ZAF_ERROR_NONE);
  ASSERT_EQ(readItem.Submenu().Count(), 1);
  EXPECT_FALSE(readItem.Submenu().Destroyable());
  EXPECT_EQ(readItem.Submenu().Parent(), &readItem);
}

TEST_F(MenuStorageTest, RefusedItemTypeKeepsTheButtonsValue) {
  ZafPopUpItem item(u"Open");
  item.SetStringID(u"item");
  item.SetValue(900);
  ASSERT_EQ(item.Write(persistence), ZAF_ERROR_NONE);
  std::vector<uint8_t> bytes = ObjectBytes(u"~ZafPopUpItem~item");
  // The record ends with the item type and an empty submenu name (2 bytes each).
  ASSERT_GE(bytes.size(), 4u);
  bytes[bytes.size() - 4] = 14;
  ReplaceObjectBytes(u"~ZafPopUpItem~item", bytes);
  ZafPopUpItem read(u"item", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_READ);
  EXPECT_EQ(read.MenuItemType(), ZAF_ITEM_ORDINARY);
  EXPECT_EQ(read.Value(), 900);
}

}  // namespace
