#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/zafcombobox.h"
#include "framework/core/zafscrollbar.h"
#include "framework/core/zafstring.h"
#include "framework/core/zafvtlist.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/tests/zaffieldtestbed.h"
#include "framework/win32/zafwindowprocedure.h"

namespace {

class ComboBoxNativeTest : public ZafFieldTest {
 protected:
  // The host window is the root window's, so that the control's notifications reach the combo box.
  ComboBoxNativeTest() {
    native::SetWindowLong(host, native::GWL_USERDATA, reinterpret_cast<native::LONG_PTR>(root.get()));
    native::SetWindowLong(host, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(&ZafWindowProcedure));
  }
  ~ComboBoxNativeTest() override {
    native::SetWindowLong(host, native::GWL_USERDATA, 0);
    ZafWindowManager::droppedComboBox = nullptr;
  }

  // A combo box of the texts at (10, 10), 120 pixels wide, its list 80 pixels high, created.
  ZafComboBox* Combo(std::initializer_list<const ZafIChar*> texts, bool viewOnly = false) {
    auto* combo = new ZafComboBox(0, 0, 10, 4);
    combo->List()->SetRegion({0, 0, 119, 79, ZAF_PIXEL});
    combo->SetViewOnly(viewOnly);
    for (const ZafIChar* text : texts) {
      combo->Add(new ZafString(0, 0, 10, text));
    }
    return Add(combo);
  }
  ZafWindowObject* Item(ZafComboBox& combo, int index) {
    return static_cast<ZafWindowObject*>(combo.List()->Get(index));
  }
  static int Chosen(ZafComboBox& combo) {
    return static_cast<int>(native::SendMessage(combo.ScreenID(), native::CB_GETCURSEL, 0, 0));
  }
  static bool Dropped(ZafComboBox& combo) {
    return native::SendMessage(combo.ScreenID(), native::CB_GETDROPPEDSTATE, 0, 0) != 0;
  }
  void Click(int x, int y) {
    driver.click(x, y);
    Dispatch();
  }
  // The middle of the drop button.
  native::POINT Button(ZafComboBox& combo) const {
    const native::RECT area = driver.screenRect(combo.ScreenID());
    return {area.right - 8, (area.top + area.bottom) / 2};
  }
};

std::vector<std::u16string> Entries(native::HWND combo) {
  std::vector<std::u16string> entries;
  const auto count = native::SendMessage(combo, native::CB_GETCOUNT, 0, 0);
  for (int index = 0; index < count; ++index) {
    ZafIChar text[64] = {};
    native::SendMessage(combo, native::CB_GETLBTEXT, index, reinterpret_cast<native::LPARAM>(text));
    entries.emplace_back(text);
  }
  return entries;
}

TEST_F(ComboBoxNativeTest, StylesFollowDrawingViewOnlyAndTheListsScrollBar) {
  struct Case {
    const char* name;
    bool nativeDrawing;
    bool viewOnly;
    bool scrollBar;
    native::DWORD wanted;
    native::DWORD unwanted;
  };
  const Case cases[] = {
      {"editable", true, false, false, native::CBS_DROPDOWN | native::CBS_AUTOHSCROLL,
       native::CBS_OWNERDRAWVARIABLE},
      {"view-only", true, true, false, native::CBS_DROPDOWNLIST, native::CBS_OWNERDRAWVARIABLE},
      {"owner-drawn", false, false, true, native::CBS_DROPDOWNLIST | native::CBS_OWNERDRAWVARIABLE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* combo = new ZafComboBox(0, 0, 10, 4);
    combo->SetNativeDrawing(c.nativeDrawing);
    combo->SetViewOnly(c.viewOnly);
    if (c.scrollBar) {
      combo->List()->Add(new ZafScrollBar(0, 0, 0, 0, 0, 10, 0, 1, 1, ZAF_VERTICAL_SCROLL));
    }
    combo->Add(new ZafString(0, 0, 10, u"one"));
    Add(combo);
    ASSERT_NE(combo->ScreenID(), nullptr);
    const native::DWORD style = StyleOf(combo->ScreenID());
    EXPECT_EQ(style & native::CBS_TYPEMASK, c.wanted & native::CBS_TYPEMASK);
    EXPECT_EQ(style & c.wanted & ~native::CBS_TYPEMASK, c.wanted & ~native::CBS_TYPEMASK);
    EXPECT_EQ(style & c.unwanted, 0u);
    EXPECT_EQ(Entries(combo->ScreenID()).size(), 1u);
    EXPECT_EQ(combo->SetText(u"typed"), c.viewOnly ? 1 : 0) << "a view-only combo box refuses the text";
    root->Subtract(combo);
    delete combo;
  }
}

TEST_F(ComboBoxNativeTest, EntriesAndChoiceFollowTheItems) {
  ZafComboBox* combo = Combo({u"pear", u"apple"});
  const native::HWND control = combo->ScreenID();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(combo->List()->ScreenID(), control) << "the list lives in the control";
  EXPECT_EQ(Item(*combo, 0)->ScreenID(), control);
  EXPECT_EQ(Entries(control), (std::vector<std::u16string>{u"pear", u"apple"}));
  auto* fig = new ZafString(0, 0, 10, u"fig");
  fig->SetSelected(true);
  combo->Add(fig, Item(*combo, 1));
  EXPECT_EQ(Entries(control), (std::vector<std::u16string>{u"pear", u"fig", u"apple"}));
  EXPECT_EQ(Chosen(*combo), 1);
  EXPECT_EQ(combo->List()->CurrentChild(), fig);
  EXPECT_EQ(std::u16string(combo->Text()), u"fig") << "the chosen item's text is the field's";
  fig->SetText(u"figs");
  EXPECT_EQ(Entries(control), (std::vector<std::u16string>{u"pear", u"figs", u"apple"}));
  EXPECT_EQ(Chosen(*combo), 1) << "a changed text keeps its entry chosen";
  Item(*combo, 2)->SetSelected(true);
  EXPECT_EQ(Chosen(*combo), 2);
  EXPECT_FALSE(fig->Selected()) << "one chosen item";
  EXPECT_EQ(combo->Subtract(fig), fig);
  EXPECT_EQ(fig->ScreenID(), nullptr) << "a removed item lets go of the control";
  delete fig;
  EXPECT_EQ(Entries(control), (std::vector<std::u16string>{u"pear", u"apple"}));
  combo->SetSort(true);
  EXPECT_EQ(Entries(control), (std::vector<std::u16string>{u"apple", u"pear"}));
  EXPECT_EQ(Chosen(*combo), 0) << "the chosen entry moved along";
  EXPECT_EQ(combo->Subtract(combo->List()), nullptr) << "the list stays";
  for (ZafWindowObject* item = Item(*combo, 0); item; item = Item(*combo, 0)) {
    combo->Subtract(item);
    delete item;
  }
  EXPECT_TRUE(Entries(control).empty());
  root->Subtract(combo);
  EXPECT_EQ(combo->List()->ScreenID(), nullptr);
  delete combo;
}

// The whole road of a user: the list drops down and is recorded, a click elsewhere closes it, a click on
// an entry chooses it, and the keys choose by type-ahead in a view-only field.
TEST_F(ComboBoxNativeTest, DropsDownClosesOnAClickElsewhereAndChooses) {
  ZafComboBox* combo = Combo({u"Anna", u"Bert", u"Bob"}, true);
  Item(*combo, 2)->SetUserFunction(&Record);
  const native::POINT button = Button(*combo);
  Click(button.x, button.y);
  ASSERT_TRUE(Dropped(*combo));
  EXPECT_EQ(ZafWindowManager::droppedComboBox, combo->ScreenID());
  Click(300, 300);
  EXPECT_FALSE(Dropped(*combo));
  EXPECT_EQ(ZafWindowManager::droppedComboBox, nullptr);

  Click(button.x, button.y);
  // The dropped list is the top-most window.
  const native::HWND dropped = native::GetTopWindow(nullptr);
  native::RECT entry{};
  native::SendMessage(dropped, native::LB_GETITEMRECT, 1, reinterpret_cast<native::LPARAM>(&entry));
  native::POINT middle{(entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2};
  native::ClientToScreen(dropped, &middle);
  Click(middle.x, middle.y);
  EXPECT_FALSE(Dropped(*combo));
  EXPECT_EQ(combo->List()->CurrentChild(), Item(*combo, 1));
  EXPECT_TRUE(Item(*combo, 1)->Selected());
  EXPECT_EQ(std::u16string(combo->Text()), u"Bert");

  codes.clear();
  native::SetFocus(combo->ScreenID());
  Dispatch();
  PressKey('B');
  EXPECT_EQ(combo->List()->CurrentChild(), Item(*combo, 2)) << "the next entry starting with B";
  EXPECT_EQ(std::u16string(combo->Text()), u"Bob");
  EXPECT_EQ(std::count(codes.begin(), codes.end(), ChosenEvent), 1) << "the item is told it was chosen";
}

TEST_F(ComboBoxNativeTest, TheEditFieldKeepsTheTextAndEnterClosesAnOpenList) {
  ZafComboBox* combo = Combo({u"alpha", u"beta"});
  const native::HWND edit = native::GetWindow(combo->ScreenID(), native::GW_CHILD);
  ASSERT_NE(edit, nullptr);
  Type(edit, u"gamma");
  EXPECT_EQ(std::u16string(combo->Text()), u"gamma") << "read back from the control";
  struct Case {
    const char* name;
    bool open;
    native::UINT key;
    ZafEventType answer;
  };
  const Case cases[] = {
      // Taken, so that the dialog's default button does not take it as well.
      {"Enter on an open list", true, native::VK_RETURN, native::WM_KEYDOWN},
      {"Escape on an open list", true, native::VK_ESCAPE, native::WM_KEYDOWN},
      {"Enter on a closed list", false, native::VK_RETURN, UnknownEventResult},
      {"Tab", false, native::VK_TAB, UnknownEventResult},
      {"a letter in the field", false, 'G', 0},
      {"F5 in the field", false, native::VK_F1 + 4, UnknownEventResult},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    native::SendMessage(combo->ScreenID(), native::CB_SHOWDROPDOWN, c.open, 0);
    const ZafEventType answer =
        combo->Event(ZafNativeEvent(edit, native::WM_KEYDOWN, c.key, native::LPARAM{1}));
    EXPECT_EQ(answer, c.answer);
    EXPECT_FALSE(Dropped(*combo));
  }
  native::SendMessage(combo->ScreenID(), native::CB_SETCURSEL, 1, 0);
  combo->Event(
      ZafNativeEvent(combo->ScreenID(), native::WM_COMMAND, native::MAKEWPARAM(0, native::CBN_SELCHANGE), 0));
  EXPECT_EQ(std::u16string(combo->Text()), u"beta") << "the list's choice reaches the field";
  EXPECT_EQ(ControlText(edit), u"beta");
}

TEST_F(ComboBoxNativeTest, OwnerDrawnItemsMeasureAndDrawThemselves) {
  auto* combo = new ZafComboBox(0, 0, 10, 4);
  combo->SetNativeDrawing(false);
  Add(combo);
  native::MEASUREITEMSTRUCT field{native::ODT_COMBOBOX, 0, static_cast<native::UINT>(-1), 0, 0, 0};
  combo->Event(
      ZafNativeEvent(combo->ScreenID(), native::WM_MEASUREITEM, 0, reinterpret_cast<native::LPARAM>(&field)));
  ASSERT_NE(ZafWindowObject::display, nullptr);
  EXPECT_EQ(static_cast<int32_t>(field.itemHeight), ZafWindowObject::display->cellHeight -
                                                        ZafWindowObject::display->preSpace -
                                                        ZafWindowObject::display->postSpace)
      << "an empty list's field is a line high";
  auto* item = new ZafString(0, 0, 10, u"Lane 4");
  item->SetRegion({0, 0, 59, 29, ZAF_PIXEL});
  combo->Add(item);
  EXPECT_EQ(native::SendMessage(combo->ScreenID(), native::CB_GETITEMDATA, 0, 0),
            reinterpret_cast<native::LRESULT>(item))
      << "the item itself is the entry";
  item->SetSelected(true);
  driver.pumpUntilIdle();
  EXPECT_GT(DarkPixels(combo->ScreenID()), 10) << "the chosen item drew its text in the field";
}

TEST_F(ComboBoxNativeTest, DroppedTextsBecomeItemsAndEmptyTextsAreRefused) {
  ZafComboBox* combo = Combo({u"one"});
  combo->SetAcceptDrop(true);
  auto* field = Add(
      new ZafString(0, 0, 10, u"two"), [](ZafString& string) { string.SetShiftDrag(true); }, 10, 60);
  ZafWindowObject::windowManager->dragObject = field;
  EXPECT_EQ(combo->DragDropEvent(ZafEventRecord(DroppedEvent, 0)), DropMoveEvent);
  EXPECT_EQ(Entries(combo->ScreenID()), (std::vector<std::u16string>{u"one", u"two"}));
  EXPECT_EQ(std::u16string(field->Text()), u"") << "a move empties the source";
  EXPECT_EQ(combo->DragDropEvent(ZafEventRecord(DroppedEvent, 0)), DragRefusedResult) << "nothing to drop";

  auto* list = Add(
      new ZafVtList(0, 0, 10, 4), [](ZafVtList& target) { target.SetAcceptDrop(true); }, 150, 10, 80, 80);
  Item(*combo, 1)->SetSelected(true);
  ZafWindowObject::windowManager->dragObject = combo;
  EXPECT_EQ(list->DragDropEvent(ZafEventRecord(DropMoveEvent, 0)), DropMoveEvent);
  ZafWindowObject::windowManager->dragObject = nullptr;
  EXPECT_EQ(Entries(combo->ScreenID()), std::vector<std::u16string>{u"one"}) << "the combo box's item moved";
  ASSERT_NE(list->First(), nullptr);
  EXPECT_EQ(std::u16string(static_cast<ZafWindowObject*>(list->First())->Text()), u"two");
}

}  // namespace
