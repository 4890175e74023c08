#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/zafstring.h"
#include "framework/core/zafvtlist.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/tests/zaffieldtestbed.h"
#include "framework/win32/zafwindowprocedure.h"

namespace {

class VtListNativeTest : public ZafFieldTest {
 protected:
  // The user-function calls that reported a selection change.
  static long Chosen() { return std::count(codes.begin(), codes.end(), ChosenEvent); }
};

ZafString* Item(const ZafIChar* text) {
  return new ZafString(0, 0, 10, text);
}

std::vector<std::u16string> Entries(native::HWND box) {
  std::vector<std::u16string> entries;
  const auto count = native::SendMessage(box, native::LB_GETCOUNT, 0, 0);
  for (int index = 0; index < count; ++index) {
    ZafIChar text[64] = {};
    native::SendMessage(box, native::LB_GETTEXT, index, reinterpret_cast<native::LPARAM>(text));
    entries.emplace_back(text);
  }
  return entries;
}

ZafEventRecord Notification(native::HWND box, native::WORD code) {
  return ZafNativeEvent(box, native::WM_COMMAND, native::MAKEWPARAM(0, code), 0);
}

TEST_F(VtListNativeTest, EntriesFollowTheItemsThroughSortingAndSubtracting) {
  auto* list = new ZafVtList(0, 0, 10, 5);
  list->Add(Item(u"pear"));
  ZafString* apple = Item(u"apple");
  list->Add(apple);
  apple->SetSelected(true);
  list->Add(Item(u"fig"));
  Add(
      list, [](ZafVtList&) {}, 10, 10, 120, 90);
  ASSERT_NE(list->ScreenID(), nullptr);
  EXPECT_EQ(Entries(list->ScreenID()), (std::vector<std::u16string>{u"pear", u"apple", u"fig"}))
      << "items added before the list box are shown once it exists";
  list->SetSort(true);
  EXPECT_EQ(Entries(list->ScreenID()), (std::vector<std::u16string>{u"apple", u"fig", u"pear"}));
  EXPECT_EQ(native::SendMessage(list->ScreenID(), native::LB_GETCURSEL, 0, 0), 0)
      << "the selection moved along";
  list->Add(Item(u"banana"));
  EXPECT_EQ(Entries(list->ScreenID()), (std::vector<std::u16string>{u"apple", u"banana", u"fig", u"pear"}));
  ZafWindowObject* fig = static_cast<ZafWindowObject*>(list->Get(2));
  list->Subtract(fig);
  delete fig;
  EXPECT_EQ(Entries(list->ScreenID()), (std::vector<std::u16string>{u"apple", u"banana", u"pear"}));
  list->SetSort(false);
  EXPECT_EQ(Entries(list->ScreenID()), (std::vector<std::u16string>{u"apple", u"banana", u"pear"}));
  for (int more = 0; more < 20; ++more) {
    list->Add(Item(u"z"));
  }
  ZafEventRecord scroll(ScrollVerticalByEvent, 0);
  scroll.SetScroll({0, 0, 0, 0, 3});
  list->Event(scroll);
  EXPECT_EQ(native::SendMessage(list->ScreenID(), native::LB_GETTOPINDEX, 0, 0), 3);
}

TEST_F(VtListNativeTest, NavigationKeysMapToTheirListEvents) {
  auto* list = new ZafVtList(0, 0, 10, 5);
  Add(
      list, [](ZafVtList&) {}, 10, 10, 120, 90);
  ASSERT_NE(list->ScreenID(), nullptr);
  struct Case {
    const char* key;
    native::WPARAM code;
    ZafEventType event;
  } cases[] = {{"Home", native::VK_HOME, 1056},
               {"End", native::VK_END, 1057},
               {"Page Up", native::VK_PRIOR, 1058},
               {"Page Down", native::VK_NEXT, 1059},
               {"Space", native::VK_SPACE, 1002}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(list->MapEvent(ZafNativeEvent(list->ScreenID(), native::WM_KEYDOWN, c.code, 0)), c.event);
  }
}

TEST_F(VtListNativeTest, MultipleSelectionReportsOnlyTheItemsThatChanged) {
  auto* list = new ZafVtList(0, 0, 10, 5);
  std::vector<ZafString*> items;
  for (const ZafIChar* text : {u"a", u"b", u"c", u"d"}) {
    items.push_back(Item(text));
    items.back()->SetUserFunction(&Record);
    list->Add(items.back());
  }
  items[1]->SetSelected(true);
  items[3]->SetDisabled(true);
  list->SetSelectMultiple(true);
  Add(
      list, [](ZafVtList&) {}, 10, 10, 120, 90);
  const native::HWND box = list->ScreenID();
  ASSERT_NE(box, nullptr);
  EXPECT_GT(native::SendMessage(box, native::LB_GETSEL, 1, 0), 0);
  codes.clear();
  native::SendMessage(box, native::LB_SETSEL, native::TRUE, 0);
  native::SendMessage(box, native::LB_SETSEL, native::TRUE, 3);
  list->Event(Notification(box, native::LBN_SELCHANGE));
  EXPECT_TRUE(items[0]->Selected());
  EXPECT_TRUE(items[1]->Selected());
  EXPECT_FALSE(items[3]->Selected()) << "a disabled item keeps its state";
  EXPECT_EQ(Chosen(), 1) << "only the newly selected item is told";
  codes.clear();
  native::SendMessage(box, native::LB_SETSEL, native::FALSE, 1);
  list->Event(Notification(box, native::LBN_SELCHANGE));
  EXPECT_FALSE(items[1]->Selected());
  EXPECT_EQ(Chosen(), 1);
}

TEST_F(VtListNativeTest, SelectedItemsMoveOrCopyToAnotherList) {
  struct Case {
    const char* name;
    bool move;
    ZafEventType result;
    std::vector<std::u16string> sourceAfter;
  };
  const Case cases[] = {
      {"move", true, DropMoveEvent, {u"one", u"three"}},
      {"copy", false, DropCopyEvent, {u"one", u"two", u"three"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* source = new ZafVtList(0, 0, 10, 5);
    for (const ZafIChar* text : {u"one", u"two", u"three"}) {
      source->Add(Item(text));
    }
    static_cast<ZafWindowObject*>(source->Get(1))->SetSelected(true);
    auto* target = new ZafVtList(0, 0, 10, 5);
    target->SetAcceptDrop(true);
    Add(
        source, [&c](ZafVtList& list) { c.move ? list.SetShiftDrag(true) : list.SetCtrlDrag(true); }, 10, 10,
        80, 90);
    Add(
        target, [](ZafVtList&) {}, 100, 10, 80, 90);
    ZafWindowObject::windowManager->dragObject = source;
    EXPECT_EQ(source->DragDropEvent(ZafEventRecord(DroppedEvent, 0)), DragRefusedResult) << "not onto itself";
    EXPECT_EQ(target->DragDropEvent(ZafEventRecord(DroppedEvent, 0)), c.result);
    ZafWindowObject::windowManager->dragObject = nullptr;
    EXPECT_EQ(Entries(target->ScreenID()), std::vector<std::u16string>{u"two"});
    EXPECT_EQ(Entries(source->ScreenID()), c.sourceAfter);
    for (ZafVtList* list : {source, target}) {
      root->Subtract(list);
      delete list;
    }
  }
}

}  // namespace
