#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafpopupitem.h"
#include "framework/core/zafpopupmenu.h"
#include "framework/core/zafpulldownitem.h"
#include "framework/core/zafpulldownmenu.h"
#include "framework/core/zafsystembutton.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafi18ndata.h"
#include "framework/data/zaflanguagedata.h"
#include "framework/data/zaflanguagemanager.h"

namespace {

std::u16string TextOf(ZafWindowObject& object) {
  return object.Text() ? object.Text() : u"";
}

// A setter called with the value a program would most likely try, and what it must answer.
struct FixedSetting {
  const char* name;
  std::function<int64_t()> set;
  int64_t expected;
};

void ExpectFixed(const std::vector<FixedSetting>& settings) {
  for (const FixedSetting& setting : settings) {
    SCOPED_TRACE(setting.name);
    EXPECT_EQ(setting.set(), setting.expected);
  }
}

using MenuItemTest = ZafCoreTest;

TEST_F(MenuItemTest, PopUpMenuKeepsItsFixedSettings) {
  ZafPopUpMenu menu(3, 4);
  EXPECT_TRUE(menu.Bordered());
  EXPECT_TRUE(menu.Temporary());
  EXPECT_FALSE(menu.Destroyable());
  EXPECT_FALSE(menu.Sizeable());
  EXPECT_EQ(menu.Region().left, 3);
  EXPECT_EQ(menu.Region().top, 4);
  ExpectFixed({
      {"accept drop", [&] { return menu.SetAcceptDrop(true); }, false},
      {"bordered", [&] { return menu.SetBordered(false); }, true},
      {"disabled", [&] { return menu.SetDisabled(true); }, false},
      {"non-current", [&] { return menu.SetNonCurrent(true); }, false},
      {"parent palette", [&] { return menu.SetParentPalette(true); }, false},
      {"placement", [&] { return menu.SetPlacement(2); }, 0},
      {"locked", [&] { return menu.SetLocked(true); }, false},
      {"maximized", [&] { return menu.SetMaximized(true); }, false},
      {"minimized", [&] { return menu.SetMinimized(true); }, false},
      {"modal", [&] { return menu.SetModal(true); }, false},
      {"movable", [&] { return menu.SetMovable(true); }, false},
      {"owner", [&] { return menu.SetOwner(&menu) != nullptr; }, false},
      {"system keys", [&] { return menu.SetSystemKeys(false); }, true},
      {"sizeable", [&] { return menu.SetSizeable(true); }, false},
      {"temporary", [&] { return menu.SetTemporary(false); }, true},
  });
  EXPECT_TRUE(menu.SetDestroyable(true)) << "a program may hand a free-standing menu to the window manager";
}

TEST_F(MenuItemTest, PullDownMenuKeepsItsFixedSettings) {
  ZafPullDownMenu bar;
  EXPECT_EQ(bar.NumberID(), ZAF_NUMID_PULL_DOWN_MENU);
  EXPECT_EQ(std::u16string(bar.StringID()), u"ZAF_NUMID_PULL_DOWN_MENU");
  EXPECT_TRUE(bar.SupportObject());
  EXPECT_FALSE(bar.Destroyable());
  ExpectFixed({
      {"accept drop", [&] { return bar.SetAcceptDrop(true); }, false},
      {"bordered", [&] { return bar.SetBordered(false); }, true},
      {"disabled", [&] { return bar.SetDisabled(true); }, false},
      {"non-current", [&] { return bar.SetNonCurrent(true); }, false},
      {"parent palette", [&] { return bar.SetParentPalette(true); }, false},
      {"placement", [&] { return bar.SetPlacement(0); }, 2},
      {"support object", [&] { return bar.SetSupportObject(false); }, true},
      {"destroyable", [&] { return bar.SetDestroyable(true); }, false},
      {"locked", [&] { return bar.SetLocked(true); }, false},
      {"maximized", [&] { return bar.SetMaximized(true); }, false},
      {"minimized", [&] { return bar.SetMinimized(true); }, false},
      {"modal", [&] { return bar.SetModal(true); }, false},
      {"movable", [&] { return bar.SetMovable(true); }, false},
      {"system keys", [&] { return bar.SetSystemKeys(false); }, true},
      {"select multiple", [&] { return bar.SetSelectMultiple(true); }, 0},
      {"sizeable", [&] { return bar.SetSizeable(true); }, false},
      {"temporary", [&] { return bar.SetTemporary(true); }, false},
  });
  ZafWindow window(0, 0, 30, 10);
  window.Add(&bar);
  EXPECT_EQ(window.SupportObjectByID(ZAF_NUMID_PULL_DOWN_MENU), &bar) << "found as the window's bar";
  EXPECT_EQ(window.FirstChild(), nullptr) << "the bar is no child";
  window.Subtract(&bar);
}

TEST_F(MenuItemTest, BothItemKindsKeepTheirFixedSettings) {
  ZafPopUpItem popUp(u"Open");
  ZafPullDownItem pullDown(u"File");
  for (ZafMenuItem* item : std::vector<ZafMenuItem*>{&popUp, &pullDown}) {
    SCOPED_TRACE(item->ClassName() ? std::string(item->ClassName(), item->ClassName() + 5) : "");
    EXPECT_EQ(item->Kind(), ZAF_FLAT_BUTTON);
    EXPECT_EQ(item->Depth(), 0);
    ExpectFixed({
        {"accept drop", [&] { return item->SetAcceptDrop(true); }, false},
        {"bordered", [&] { return item->SetBordered(true); }, false},
        {"ctrl drag", [&] { return item->SetCtrlDrag(true); }, false},
        {"shift ctrl drag", [&] { return item->SetShiftCtrlDrag(true); }, false},
        {"shift drag", [&] { return item->SetShiftDrag(true); }, false},
        {"parent draws border", [&] { return item->SetParentDrawBorder(true); }, false},
        {"parent draws focus", [&] { return item->SetParentDrawFocus(true); }, false},
        {"parent palette", [&] { return item->SetParentPalette(true); }, false},
        {"placement", [&] { return item->SetPlacement(2); }, 0},
        {"support object", [&] { return item->SetSupportObject(true); }, false},
        {"kind", [&] { return item->SetKind(ZAF_PUSH_BUTTON); }, ZAF_FLAT_BUTTON},
        {"depth", [&] { return item->SetDepth(3); }, 0},
        {"pressed look", [&] { return item->SetPressedLook(true); }, false},
        {"default capable", [&] { return item->SetDefaultCapable(true); }, false},
        {"toggles", [&] { return item->SetToggles(true); }, false},
        {"auto repeat", [&] { return item->SetAutoRepeat(true); }, false},
        {"auto size", [&] { return item->SetAutoSize(true); }, false},
        {"text placement", [&] { return item->SetTextPlacement(ZAF_TEXT_BELOW); }, ZAF_TEXT_RIGHT},
        {"vertical placement", [&] { return item->SetVerticalPlacement(ZAF_VERTICAL_TOP); },
         ZAF_VERTICAL_CENTER},
    });
  }
  ExpectFixed({
      {"bar entry value", [&] { return pullDown.SetValue(-32); }, 0},
      {"bar entry message text", [&] { return pullDown.SetMessageText(u"x") != nullptr; }, false},
      {"bar entry message on select", [&] { return pullDown.SetMessageOnSelect(true); }, false},
      {"bar entry selected", [&] { return pullDown.SetSelected(true); }, false},
  });
}

TEST_F(MenuItemTest, ItemsAreAsWideAsTheirTextAndOwnAnEmptySubmenu) {
  ZafPullDownItem file(u"File");
  ZafPullDownItem untitled(static_cast<const ZafIChar*>(nullptr));
  EXPECT_EQ(file.Region().Width(), 4);
  EXPECT_EQ(untitled.Region().Width(), 1);
  for (ZafMenuItem* item : std::vector<ZafMenuItem*>{&file, &untitled}) {
    ZafPopUpMenu& submenu = item->Submenu();
    EXPECT_EQ(submenu.Parent(), item);
    EXPECT_EQ(std::u16string(submenu.StringID()), u"menu");
    EXPECT_TRUE(submenu.Temporary());
    EXPECT_FALSE(submenu.Destroyable());
    EXPECT_FALSE(submenu.HasItems());
  }
}

// What each item type gives an entry made without text.
TEST_F(MenuItemTest, ItemTypesGiveTheirCommandTextAndHotKey) {
  struct Case {
    int32_t type;
    int32_t value;
    const char16_t* text;
    ZafIChar hotKey;
    int32_t hotKeyIndex;
    bool posts;
  };
  const Case cases[] = {
      {ZAF_ITEM_ORDINARY, 0, u"", 0, -1, false},
      {1, 0, u"", 0, -1, false},
      {ZAF_ITEM_CLOSE, -11, u"Close", u'C', 0, true},
      {ZAF_ITEM_MAXIMIZE, -5, u"", 0, -1, true},
      {ZAF_ITEM_MINIMIZE, -4, u"", 0, -1, true},
      {ZAF_ITEM_MOVE, -35, u"", 0, -1, true},
      {ZAF_ITEM_RESTORE, -25, u"", 0, -1, true},
      {ZAF_ITEM_SIZE, -36, u"", 0, -1, true},
      {9, 0, u"", 0, -1, false},
      {ZAF_ITEM_EXIT, -32, u"Exit", u'X', 1, true},
      {ZAF_ITEM_COPY, -31, u"Copy\tCtl+C", 0, -1, true},
      {ZAF_ITEM_CUT, -29, u"Cut\tCtl+X", 0, -1, true},
      {ZAF_ITEM_PASTE, -30, u"Paste\tCtl+V", 0, -1, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.type);
    ZafPopUpItem item(static_cast<const ZafIChar*>(nullptr), test.type);
    EXPECT_EQ(item.MenuItemType(), test.type);
    EXPECT_EQ(item.Value(), test.value);
    EXPECT_EQ(TextOf(item), test.text);
    EXPECT_EQ(item.HotKeyChar(), test.hotKey);
    EXPECT_EQ(item.HotKeyIndex(), test.hotKeyIndex);
    EXPECT_FALSE(item.Disabled());
    item.Event(ZafEventRecord(ChosenEvent, 0));
    EXPECT_EQ(QueuedTypes(), test.posts ? std::vector<int32_t>{test.value} : std::vector<int32_t>{});
  }
}

TEST_F(MenuItemTest, ExitItemPostsExitEventWithItselfAtTheEndOfTheQueue) {
  ZafPopUpItem exit(static_cast<const ZafIChar*>(nullptr), ZAF_ITEM_EXIT);
  events.Put(ZafEventRecord(123, 0), Q_END);
  EXPECT_EQ(TextOf(exit), u"Exit");
  exit.Event(ZafEventRecord(ChosenEvent, 0));
  ZafEventRecord last;
  ASSERT_TRUE(events.TakeQueued(last, Q_END));
  EXPECT_EQ(last.type, ExitEvent);
  EXPECT_EQ(last.windowObject, &exit);
  EXPECT_EQ(QueuedTypes(), std::vector<int32_t>{123});
}

TEST_F(MenuItemTest, TypedItemKeepsTheProgramsText) {
  ZafPopUpItem quit(u"Quit", ZAF_ITEM_MAXIMIZE);
  EXPECT_EQ(TextOf(quit), u"Quit") << "maximize has no text of its own";
  ZafPopUpItem close(u"Shut", ZAF_ITEM_CLOSE);
  EXPECT_EQ(TextOf(close), u"Close") << "the language table's text replaces it";
}

TEST_F(MenuItemTest, SeparatorIsDisabledNeverCurrentAndPostsNothing) {
  ZafPopUpItem separator(static_cast<const ZafIChar*>(nullptr), ZAF_ITEM_SEPARATOR);
  EXPECT_TRUE(separator.Disabled());
  EXPECT_TRUE(separator.NonCurrent());
  separator.SetValue(77);
  separator.SetMessageOnSelect(true);
  separator.Event(ZafEventRecord(ChosenEvent, 0));
  EXPECT_TRUE(QueuedTypes().empty());
  separator.Event(ZafEventRecord(FocusGainedEvent, 0));
  EXPECT_FALSE(separator.Focus());
}

TEST_F(MenuItemTest, OrdinaryItemPostsTheValueTheProgramGaveIt) {
  ZafPopUpItem open(u"Open");
  open.SetValue(4321);
  open.SetMessageOnSelect(true);
  open.Event(ZafEventRecord(ChosenEvent, 0));
  EXPECT_EQ(QueuedTypes(), std::vector<int32_t>{4321});
}

TEST_F(MenuItemTest, BarEntryPostsNothingWhenChosen) {
  ZafPullDownItem file(u"File");
  file.Event(ZafEventRecord(ChosenEvent, 0));
  EXPECT_TRUE(QueuedTypes().empty());
}

TEST_F(MenuItemTest, UnknownItemTypeIsRefused) {
  ZafPopUpItem item(u"Open", ZAF_ITEM_EXIT);
  for (int32_t type : {-1, 14, 1000}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(item.SetMenuItemType(type), ZAF_ITEM_EXIT);
    EXPECT_EQ(item.Value(), -32);
  }
}

TEST_F(MenuItemTest, FindObjectReachesDropDownListsAndCascades) {
  ZafWindow window(0, 0, 40, 10);
  auto* bar = new ZafPullDownMenu;
  auto* file = new ZafPullDownItem(u"File");
  auto* open = new ZafPopUpItem(u"Open");
  auto* recent = new ZafPopUpItem(u"Recent");
  auto* first = new ZafPopUpItem(u"First");
  open->SetNumberID(101);
  recent->SetNumberID(102);
  first->SetNumberID(103);
  first->SetStringID(u"FIRST");
  file->SetNumberID(100);
  recent->AddMenuItem(first);
  file->AddMenuItem(open);
  file->AddMenuItem(recent);
  bar->Add(file);
  window.Add(bar);
  struct Case {
    ZafNumberID id;
    ZafWindowObject* expected;
  };
  for (const Case& test :
       {Case{100, file}, Case{101, open}, Case{102, recent}, Case{103, first}, Case{104, nullptr}}) {
    SCOPED_TRACE(test.id);
    EXPECT_EQ(window.FindObject(test.id), test.expected);
  }
  EXPECT_EQ(file->FindObject(103), first);
  EXPECT_EQ(recent->FindObject(103), first);
  EXPECT_EQ(open->FindObject(103), nullptr);
  EXPECT_EQ(window.FindObjectByName(u"FIRST"), first);
  EXPECT_EQ(file->FindObjectByNarrowName("FIRST"), first);
}

TEST_F(MenuItemTest, FocusObjectFollowsTheSubmenu) {
  ZafPullDownItem file(u"File");
  auto* open = file.AddMenuItem(new ZafPopUpItem(u"Open"));
  EXPECT_EQ(file.FocusObject(), nullptr) << "neither the entry nor its list is current";
  file.Event(ZafEventRecord(FocusGainedEvent, 0));
  EXPECT_EQ(file.FocusObject(), &file);
  ZafPopUpMenu& list = file.Submenu();
  list.Event(ZafEventRecord(FocusGainedEvent, 0));
  EXPECT_EQ(file.FocusObject(), &list) << "a current list without a current item";
  list.SetCurrent(open);
  open->Event(ZafEventRecord(FocusGainedEvent, 0));
  EXPECT_EQ(file.FocusObject(), open);
}

TEST_F(MenuItemTest, SubmenuRequestsGoThroughTheOwningItem) {
  ZafPopUpItem recent(u"Recent");
  ZafEventRecord add(AddObjectEvent, 0);
  add.windowObject = new ZafPopUpItem(u"A");
  recent.Submenu().Event(add);
  EXPECT_EQ(recent.Submenu().Count(), 1);
  ZafEventRecord subtract(SubtractObjectEvent, 0);
  subtract.windowObject = add.windowObject;
  recent.Event(subtract);
  EXPECT_FALSE(recent.Submenu().HasItems());
  delete add.windowObject;
}

TEST_F(MenuItemTest, ItemOperationsChangeTheSubmenu) {
  ZafPopUpItem recent(u"Recent");
  recent.Submenu().SetCompareFunction(ZafWindow::CompareAscending);
  recent.AddMenuItem(new ZafPopUpItem(u"b"));
  auto* a = recent.AddMenuItem(new ZafPopUpItem(u"a"));
  EXPECT_EQ(recent.Submenu().First(), a) << "added in compare order";
  recent.Submenu().SetCompareFunction(ZafWindow::CompareDescending);
  recent.SortMenuItems();
  EXPECT_EQ(recent.Submenu().Last(), a);
  EXPECT_EQ(recent.SubtractMenuItem(a), a);
  EXPECT_EQ(recent.Submenu().Count(), 1);
  delete a;
  recent.DestroyMenuItems();
  EXPECT_FALSE(recent.Submenu().HasItems());
}

TEST_F(MenuItemTest, CopyKeepsTheTypeAndDuplicatesTheCascade) {
  ZafPopUpItem recent(u"Recent", ZAF_ITEM_COPY);
  recent.AddMenuItem(new ZafPopUpItem(u"A"))->SetNumberID(7);
  std::unique_ptr<ZafWindowObject> copy(recent.Duplicate());
  auto* item = static_cast<ZafPopUpItem*>(copy.get());
  EXPECT_EQ(item->MenuItemType(), ZAF_ITEM_COPY);
  EXPECT_EQ(item->Value(), -31);
  ASSERT_EQ(item->Submenu().Count(), 1);
  EXPECT_EQ(item->Submenu().Parent(), item);
  ZafWindowObject* copiedChild = item->FindObject(7);
  ASSERT_NE(copiedChild, nullptr);
  EXPECT_NE(copiedChild, recent.FindObject(7));
  EXPECT_EQ(copiedChild->Parent(), &item->Submenu());
}

TEST_F(MenuItemTest, EveryItemHoldsOneUseOfTheLanguageTable) {
  ZafLanguageManager& manager = ZafI18nData::LanguageManager();
  auto usesOfTable = [&manager] {
    static const ZafLanguageStruct none[] = {{nullptr, 0, 0, 0, -1}};
    ZafLanguageData* table = manager.GetLanguageData(u"ZafPopUpItem", none);
    const int uses = table->UseCount() - 1;
    manager.ReleaseLanguageData(table);
    return uses;
  };
  const int before = usesOfTable();
  {
    ZafPopUpItem first(u"a");
    ZafPopUpItem second(first);
    EXPECT_EQ(usesOfTable(), before + 2);
  }
  EXPECT_EQ(usesOfTable(), before);
}

TEST_F(MenuItemTest, SharedImagesHaveTheirShapes) {
  ZafPopUpItem item(u"a");
  struct Case {
    ZafBitmapData* image;
    int32_t width;
    int32_t height;
    uint8_t color;
    std::vector<std::string> rows;
  };
  const std::vector<std::string> check = {"........#", "........#", ".......##", ".......#.", "......##.",
                                          ".#....#..", "###..##..", "..##.#...", "...###...", "....#...."};
  const std::vector<std::string> arrow = {"#....", "##...", "###..", "####.", "#####",
                                          "####.", "###..", "##...", "#...."};
  const Case cases[] = {
      {ZafPopUpItem::CheckImage(false), 9, 10, 0, check},
      {ZafPopUpItem::CheckImage(true), 9, 10, 15, check},
      {ZafPopUpItem::ArrowImage(false), 5, 9, 0, arrow},
      {ZafPopUpItem::ArrowImage(true), 5, 9, 15, arrow},
  };
  for (const Case& test : cases) {
    ASSERT_NE(test.image, nullptr);
    SCOPED_TRACE(std::u16string(test.image->StringID()).size());
    ASSERT_EQ(test.image->Width(), test.width);
    ASSERT_EQ(test.image->Height(), test.height);
    for (int32_t row = 0; row < test.height; ++row) {
      std::string drawn;
      for (int32_t column = 0; column < test.width; ++column) {
        const uint8_t pixel = test.image->Pixels()[row * test.width + column];
        drawn += pixel == test.color ? '#' : pixel == 255 ? '.' : '?';
      }
      EXPECT_EQ(drawn, test.rows[row]) << "row " << row;
    }
  }
  EXPECT_EQ(std::u16string(ZafPopUpItem::CheckImage(true)->StringID()), u"popupCheckCurrent");
}

TEST_F(MenuItemTest, ImagesAreMadeAgainAfterALanguageChange) {
  ZafPopUpItem item(u"a");
  ZafI18nData::SetLanguage(nullptr);
  ASSERT_NE(ZafPopUpItem::ArrowImage(false), nullptr);
  EXPECT_EQ(ZafPopUpItem::ArrowImage(false)->Width(), 5);
  EXPECT_EQ(ZafPopUpItem::ArrowImage(false)->Pixels()[4 * 5 + 4], 0) << "the tip";
}

TEST_F(MenuItemTest, FreeStandingMenuTakesAddRequestsItself) {
  ZafPopUpMenu menu(0, 0);
  ZafEventRecord add(AddObjectEvent, 0);
  add.windowObject = new ZafPopUpItem(u"Cut");
  EXPECT_EQ(menu.Event(add), AddObjectEvent);
  EXPECT_EQ(menu.FirstChild(), add.windowObject);
  EXPECT_EQ(menu.Event(ZafEventRecord(CloseQueryEvent, 0)), 0);
}

TEST_F(MenuItemTest, SystemButtonsMenuTakesAddAndSubtractRequestsItself) {
  ZafSystemButton button(1);
  ZafPopUpMenu& menu = button.SystemMenu();
  const int before = menu.Count();
  ZafEventRecord add(AddObjectEvent, 0);
  add.windowObject = new ZafPopUpItem(u"About");
  EXPECT_EQ(menu.Event(add), AddObjectEvent);
  ASSERT_EQ(add.windowObject->Parent(), &menu) << "the button is no menu item: the menu keeps the item";
  EXPECT_EQ(menu.Count(), before + 1);
  ZafEventRecord subtract(SubtractObjectEvent, 0);
  subtract.windowObject = add.windowObject;
  EXPECT_EQ(menu.Event(subtract), SubtractObjectEvent);
  EXPECT_EQ(add.windowObject->Parent(), nullptr);
  EXPECT_EQ(menu.Count(), before);
  delete add.windowObject;
}

TEST_F(MenuItemTest, FreeStandingMenuKeepsItsDestroyableFlagWhenCopied) {
  ZafPopUpMenu menu(0, 0);
  ASSERT_TRUE(menu.SetDestroyable(true));
  std::unique_ptr<ZafWindowObject> copy(menu.Duplicate());
  EXPECT_TRUE(static_cast<ZafPopUpMenu*>(copy.get())->Destroyable());
  ZafPopUpItem recent(u"Recent");
  recent.Submenu().SetDestroyable(true);
  ZafPopUpItem copiedItem(recent);
  EXPECT_FALSE(copiedItem.Submenu().Destroyable()) << "a submenu lives and dies with its entry";
}

}  // namespace
