#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/tests/zaffieldstoragetest.h"
#include "framework/core/zafstring.h"
#include "framework/core/zafvtlist.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafpalettedata.h"

namespace {

std::vector<std::u16string> Texts(ZafVtList& list) {
  std::vector<std::u16string> texts;
  for (ZafElement* element = list.First(); element; element = element->Next()) {
    texts.emplace_back(static_cast<ZafWindowObject*>(element)->Text());
  }
  return texts;
}

void Fill(ZafVtList& list) {
  for (const ZafIChar* text : {u"pear", u"apple", u"fig"}) {
    auto* item = new ZafString(0, 0, 10, text);
    item->SetStringID(text);
    list.Add(item);
  }
}

int Reversed(ZafElement* first, ZafElement* second) {
  return -ZafWindow::CompareAscending(first, second);
}

TEST(VtList, SortingFollowsTheFlagButKeepsTheApplicationsOrder) {
  ZafVtList list(0, 0, 10, 5);
  EXPECT_TRUE(list.IsA(ID_ZAF_LIST));
  EXPECT_TRUE(list.IsA(ID_ZAF_WINDOW));
  Fill(list);
  list.SetSort(true);
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"apple", u"fig", u"pear"}));
  list.SetSort(false);
  EXPECT_EQ(list.CompareFunction(), nullptr);
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"apple", u"fig", u"pear"})) << "the order stays";
  list.SetSort(true);
  list.SetCompareFunction(&Reversed);
  list.SetSort(false);
  EXPECT_EQ(list.CompareFunction(), &Reversed) << "the application's own order stays";
  ZafVtList copy(list);
  for (ZafElement* element = copy.First(); element; element = element->Next()) {
    EXPECT_FALSE(static_cast<ZafWindowObject*>(element)->OwnNativeWindow());
    EXPECT_TRUE(static_cast<ZafWindowObject*>(element)->ParentPalette());
  }
}

TEST(VtList, ATemporaryListAnswersTheDragQuestionsWithItsParentsFlags) {
  struct Flags {
    bool ctrl, shiftCtrl, shift;
  };
  const Flags none{false, false, false};
  const Flags shifted{false, true, true};
  struct Case {
    const char* name;
    bool temporary, parented;
    Flags parent;
    Flags answers;  // the list's own flags are Ctrl alone
    bool any;
  } cases[] = {
      {"a list of its own", false, false, shifted, {true, false, false}, true},
      {"a list in a window", false, true, shifted, {true, false, false}, true},
      {"a drop-down list", true, true, shifted, shifted, true},
      {"a drop-down list whose parent drags nothing", true, true, none, none, false},
      {"a temporary list without a parent", true, false, shifted, {true, false, false}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafString parent(0, 0, 10, u"owner");
    parent.SetCtrlDrag(c.parent.ctrl);
    parent.SetShiftCtrlDrag(c.parent.shiftCtrl);
    parent.SetShiftDrag(c.parent.shift);
    ZafVtList list(0, 0, 10, 5);
    list.SetCtrlDrag(true);
    list.SetTemporary(c.temporary);
    if (c.parented) {
      list.SetParent(&parent);
    }
    const ZafWindowObject& asked = list;
    EXPECT_EQ(asked.CtrlDrag(), c.answers.ctrl);
    EXPECT_EQ(asked.ShiftCtrlDrag(), c.answers.shiftCtrl);
    EXPECT_EQ(asked.ShiftDrag(), c.answers.shift);
    EXPECT_EQ(asked.AnyDrag(), c.any);
    list.SetParent(nullptr);
  }
}

TEST(VtList, ColourSettersActOnTheItemStates) {
  struct Case {
    const char* name;
    bool text;  // SetTextColor, else SetBackgroundColor
    uint16_t type;
    uint16_t state;
    uint8_t ZafPaletteStruct::*colour;
    uint8_t ZafPaletteStruct::*second;
  };
  const Case cases[] = {
      {"text of unselected items", true, ZAF_PM_TEXT, ZAF_PM_ENABLED | ZAF_PM_NOT_SELECTED,
       &ZafPaletteStruct::colorForeground, &ZafPaletteStruct::colorReserved1},
      {"background of selected items", true, ZAF_PM_BACKGROUND, ZAF_PM_SELECTED,
       &ZafPaletteStruct::colorBackground, &ZafPaletteStruct::colorReserved2},
      {"background of unselected items", false, ZAF_PM_BACKGROUND, ZAF_PM_NOT_SELECTED,
       &ZafPaletteStruct::colorBackground, &ZafPaletteStruct::colorReserved2},
      {"text of selected items", false, ZAF_PM_TEXT, ZAF_PM_ENABLED | ZAF_PM_SELECTED,
       &ZafPaletteStruct::colorForeground, &ZafPaletteStruct::colorReserved1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafVtList list(0, 0, 10, 5);
    EXPECT_EQ(c.text ? list.SetTextColor(4, 9) : list.SetBackgroundColor(4, 9), 4);
    const ZafPaletteStruct entry = list.PaletteData()->GetPalette(c.type, c.state);
    EXPECT_EQ(entry.*c.colour, 4);
    EXPECT_EQ(entry.*c.second, 9);
  }
}

using VtListStorageTest = ZafFieldStorageTest;

TEST_F(VtListStorageTest, SortedItemsReadBackInTheirOrder) {
  ZafVtList list(0, 0, 10, 5);
  list.SetStringID(u"fruit");
  Fill(list);
  list.SetSort(true);
  ASSERT_EQ(list.Write(persistence), ZAF_ERROR_NONE);
  ZafVtList read(u"fruit", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_TRUE(read.SortFlag());
  EXPECT_EQ(read.CompareFunction(), &ZafWindow::CompareAscending);
  EXPECT_EQ(Texts(read), (std::vector<std::u16string>{u"apple", u"fig", u"pear"}));
  EXPECT_FALSE(static_cast<ZafWindowObject*>(read.First())->OwnNativeWindow());
  EXPECT_EQ(read.ReadFunction(), &ZafVtList::Read);
}

}  // namespace
