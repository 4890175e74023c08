#include <gtest/gtest.h>

#include <string>

#include "framework/core/tests/zaffieldstoragetest.h"
#include "framework/core/zaftext.h"
#include "framework/data/zafstringdata.h"

namespace {

std::u16string TextOf(const ZafIChar* text) {
  return text ? std::u16string(text) : std::u16string(u"(none)");
}

TEST(TextField, TakesNoWindowOptions) {
  ZafText field(0, 0, 20, 5, u"text");
  EXPECT_TRUE(field.WordWrap());
  EXPECT_TRUE(field.Bordered());
  EXPECT_FALSE(field.Destroyable());
  EXPECT_FALSE(field.Movable());
  EXPECT_FALSE(field.SetSizeable(true));
  EXPECT_FALSE(field.Sizeable());
  EXPECT_FALSE(field.SetMaximized(true));
  EXPECT_FALSE(field.SetTemporary(true));
  EXPECT_FALSE(field.Temporary());
  EXPECT_EQ(field.SetSelectMultiple(true), 0u);
  field.SetUnanswered(true);
  EXPECT_EQ(TextOf(field.Text()), u"");
  EXPECT_EQ(field.SetCursorLineColumn(0, 0), 8) << "no control";
}

using TextStorageTest = ZafFieldStorageTest;

TEST_F(TextStorageTest, SettingsAndTextReadBack) {
  ZafText field(1, 2, 20, 5, u"line one\r\nline two", 100);
  field.SetStringID(u"notes");
  field.SetAutoSelect(true);
  field.SetViewOnly(true);
  field.SetWordWrap(false);
  field.SetJustification(1);
  ASSERT_EQ(field.Write(persistence), ZAF_ERROR_NONE);

  ZafText read(u"notes", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.Region(), field.Region());
  EXPECT_EQ(TextOf(read.Text()), u"line one\r\nline two");
  EXPECT_EQ(read.StringData()->MaxLength(), 100);
  EXPECT_TRUE(read.AutoSelect());
  EXPECT_TRUE(read.ViewOnly());
  EXPECT_FALSE(read.WordWrap());
  EXPECT_EQ(read.Justification(), 1);
  EXPECT_FALSE(read.Sizeable()) << "a record cannot give a text field window options";
  EXPECT_EQ(read.ReadFunction(), &ZafText::Read);
  ExpectEveryCutRefused<ZafText>(field, 0);
}

}  // namespace
