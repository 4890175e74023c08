#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/tests/zaffieldstoragetest.h"
#include "framework/core/zafcombobox.h"
#include "framework/core/zafstring.h"
#include "framework/core/zafvtlist.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstringdata.h"

namespace {

std::vector<std::u16string> Texts(const ZafComboBox& combo) {
  std::vector<std::u16string> texts;
  for (ZafElement* element = combo.List()->First(); element; element = element->Next()) {
    texts.emplace_back(static_cast<ZafWindowObject*>(element)->Text());
  }
  return texts;
}

ZafComboBox Lanes() {
  ZafComboBox combo(2, 1, 20, 6);
  combo.SetStringID(u"lanes");
  for (const ZafIChar* text : {u"Lane 1", u"Lane 2", u"Lane 3"}) {
    auto* item = new ZafString(0, 0, 10, text);
    item->SetStringID(text);
    combo.Add(item);
  }
  return combo;
}

TEST(ComboBox, IsAListItsItemsLiveInItsList) {
  ZafComboBox combo(0, 0, 20, 6);
  const struct {
    ZafClassID id;
    bool answer;
  } cases[] = {{ID_ZAF_COMBO_BOX, true}, {ID_ZAF_LIST, true}, {ID_ZAF_WINDOW, true}, {ID_ZAF_VT_LIST, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(combo.IsA(c.id), c.answer);
  }
  ASSERT_NE(combo.List(), nullptr);
  EXPECT_EQ(std::u16string(combo.List()->StringID()), u"list");
  auto* item = new ZafString(0, 0, 10, u"one");
  EXPECT_EQ(combo.Add(item), item);
  EXPECT_EQ(item->Parent(), combo.List());
  EXPECT_FALSE(item->OwnNativeWindow()) << "items live in the combo box's control";
  EXPECT_EQ(combo.Add(item), item) << "an item that has a parent is left alone";
  EXPECT_EQ(combo.List()->Count(), 1);
  item->SetSelected(true);
  EXPECT_EQ(std::u16string(combo.Text()), u"one") << "the chosen item's text is the field's";
  EXPECT_EQ(combo.SetText(u"free"), 0);
  EXPECT_EQ(std::u16string(combo.Text()), u"free");
  combo.SetViewOnly(true);
  EXPECT_EQ(combo.SetText(u"other"), 1) << "refused, and said so";
  EXPECT_EQ(std::u16string(combo.Text()), u"free");
}

TEST(ComboBox, CopyHasItsOwnListAndItems) {
  ZafComboBox combo = Lanes();
  combo.SetViewOnly(true);
  ZafComboBox copy(combo);
  ASSERT_NE(copy.List(), combo.List());
  EXPECT_EQ(copy.List()->Parent(), &copy);
  EXPECT_EQ(Texts(copy), Texts(combo));
  EXPECT_TRUE(copy.ViewOnly());
}

using ComboBoxStorageTest = ZafFieldStorageTest;

TEST_F(ComboBoxStorageTest, ReadsBackItsItemsTextAndViewOnly) {
  ZafComboBox combo = Lanes();
  combo.SetViewOnly(true);
  static_cast<ZafWindowObject*>(combo.List()->Get(1))->SetSelected(true);
  ASSERT_EQ(combo.Write(persistence), ZAF_ERROR_NONE);
  ZafComboBox read(u"lanes", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.ReadFunction(), &ZafComboBox::Read);
  EXPECT_TRUE(read.ViewOnly());
  EXPECT_EQ(std::u16string(read.Text()), u"Lane 2");
  ASSERT_NE(read.List(), nullptr);
  EXPECT_EQ(read.List()->Parent(), &read);
  EXPECT_EQ(read.Count(), 1) << "one list, not a second one beside it";
  EXPECT_EQ(Texts(read), Texts(combo));
  EXPECT_TRUE(static_cast<ZafWindowObject*>(read.List()->Get(1))->Selected());
  ExpectEveryCutRefused<ZafComboBox>(combo, 0);
}

TEST_F(ComboBoxStorageTest, UnknownFlagsAreRefused) {
  ZafComboBox combo = Lanes();
  ASSERT_EQ(combo.Write(persistence), ZAF_ERROR_NONE);
  std::vector<uint8_t> bytes = StoredBytes(combo);
  ASSERT_GT(bytes.size(), 6u);
  // The flag word stands before the text data's name (a 16-bit length and its narrow characters).
  const std::u16string name = combo.StringData()->StringID();
  const std::size_t flags = bytes.size() - (2 + name.size()) - 2;
  bytes[flags + 1] = 0x80;
  StoreBytes(combo, bytes);
  ZafComboBox read(u"lanes", persistence);
  EXPECT_NE(read.Error(), ZAF_ERROR_NONE);
}

}  // namespace
