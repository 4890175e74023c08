#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/data/zafclassid.h"
#include "framework/win32/tests/zafwindowobjectnativetestbed.h"
#include "native/controls/controlconstants.h"

namespace {

// A window that answers as a list, or as a combo box, without being one.
class ListLike : public ZafWindow {
 public:
  explicit ListLike(ZafClassID kind) : ZafWindow(0, 0, 10, 5), kind(kind) {}
  bool IsA(ZafClassID id) const override { return id == kind || ZafWindow::IsA(id); }
  ZafClassID kind;
};

struct NativeItems {
  std::vector<std::u16string> texts;
  // The single selection, or each entry's multiple-selection state.
  int current = -1;
  std::vector<bool> selected;
};

class ZafWindowObjectListTextTest : public ZafNativeObjectTest {
 protected:
  // `list` (a list, or a window, in no created tree) gets the native control `className` with three
  // entries and the items "a", "b", "c", which share its window.
  void Build(ListLike* list, const char16_t* className, native::DWORD style) {
    control = native::CreateWindowEx(0, className, u"", native::WS_CHILD | native::WS_VISIBLE | style, 0, 0,
                                     100, 80, host, nullptr, nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    combo = std::u16string(className) == native::kComboBoxClass;
    for (const char16_t* text : {u"a", u"b", u"c"}) {
      auto* item = new NativeProbe;
      item->text = text;
      item->SetOwnNativeWindow(false);
      list->Add(item);
      items.push_back(item);
      native::SendMessage(control, combo ? native::CB_ADDSTRING : native::LB_ADDSTRING, 0,
                          reinterpret_cast<native::LPARAM>(text));
    }
    list->SetScreenID(control);
    for (NativeProbe* item : items) {
      item->AttachNative();
    }
  }

  NativeItems Read() const {
    NativeItems read;
    const auto count = native::SendMessage(control, combo ? native::CB_GETCOUNT : native::LB_GETCOUNT, 0, 0);
    for (native::LRESULT index = 0; index < count; ++index) {
      char16_t text[32] = {};
      native::SendMessage(control, combo ? native::CB_GETLBTEXT : native::LB_GETTEXT,
                          static_cast<native::WPARAM>(index), reinterpret_cast<native::LPARAM>(text));
      read.texts.emplace_back(text);
      if (!combo) {
        read.selected.push_back(
            native::SendMessage(control, native::LB_GETSEL, static_cast<native::WPARAM>(index), 0) > 0);
      }
    }
    if (!combo) {
      read.current = static_cast<int>(native::SendMessage(control, native::LB_GETCURSEL, 0, 0));
    }
    return read;
  }

  native::HWND control = nullptr;
  bool combo = false;
  std::vector<NativeProbe*> items;
};

TEST_F(ZafWindowObjectListTextTest, ItemOfAListReplacesItsEntryAndSelectsIt) {
  struct Case {
    const char* name;
    bool multiple;
    bool selected;
    int current;
    std::vector<bool> selection;
  };
  const Case cases[] = {
      {"single selection", false, true, 1, {false, true, false}},
      {"multiple selection", true, true, -1, {false, true, false}},
      {"not selected", false, false, -1, {false, false, false}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    auto list = std::make_unique<ListLike>(ID_ZAF_LIST);
    list->SetSelectMultiple(test.multiple);
    Build(list.get(), native::kListBoxClass, test.multiple ? native::LBS_MULTIPLESEL : 0);
    items[1]->text = u"changed";
    items[1]->MarkSelected(test.selected);
    EXPECT_EQ(items[1]->UpdateNativeText(), 0);
    const NativeItems read = Read();
    EXPECT_EQ(read.texts, (std::vector<std::u16string>{u"a", u"changed", u"c"}));
    if (!test.multiple) {
      EXPECT_EQ(read.current, test.current);
    }
    EXPECT_EQ(read.selected, test.selection);
    native::DestroyWindow(control);
    items.clear();
  }
}

TEST_F(ZafWindowObjectListTextTest, ItemOfAComboBoxListReplacesItsEntry) {
  ListLike comboBox(ID_ZAF_COMBO_BOX);
  auto* list = static_cast<ListLike*>(comboBox.Add(new ListLike(ID_ZAF_LIST)));
  Build(list, native::kComboBoxClass, native::CBS_DROPDOWNLIST);
  items[2]->text = u"last";
  items[2]->MarkSelected(true);
  EXPECT_EQ(items[2]->UpdateNativeText(), 0);
  EXPECT_EQ(Read().texts, (std::vector<std::u16string>{u"a", u"b", u"last"}));
  native::DestroyWindow(control);
}

TEST_F(ZafWindowObjectListTextTest, ObjectsThatAreNoNativeListItemsAreLeftAlone) {
  struct Case {
    const char* name;
    ZafClassID parentKind;
    bool nativeDrawing;
    bool attached;
  };
  const Case cases[] = {
      {"parent is no list", ID_ZAF_WINDOW, true, true},
      {"list drawn by the framework", ID_ZAF_LIST, false, true},
      {"no native window yet", ID_ZAF_LIST, true, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    auto list = std::make_unique<ListLike>(test.parentKind);
    list->SetNativeDrawing(test.nativeDrawing);
    Build(list.get(), native::kListBoxClass, 0);
    if (!test.attached) {
      items[0]->SetScreenID(nullptr);
    }
    items[0]->text = u"never";
    items[0]->MarkSelected(true);
    EXPECT_EQ(items[0]->UpdateNativeText(), 1);
    const NativeItems read = Read();
    EXPECT_EQ(read.texts, (std::vector<std::u16string>{u"a", u"b", u"c"}));
    EXPECT_EQ(read.current, -1);
    native::DestroyWindow(control);
    items.clear();
  }
  NativeProbe loose;
  EXPECT_EQ(loose.UpdateNativeText(), 1) << "no parent at all";
}

}  // namespace
