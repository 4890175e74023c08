#include <gtest/gtest.h>

#include "framework/core/tests/zaffieldstoragetest.h"
#include "framework/core/zafprompt.h"
#include "framework/core/zafstatusbar.h"
#include "framework/data/zafclassid.h"

namespace {

void ExpectDrawnByTheBar(ZafWindowObject& child) {
  EXPECT_FALSE(child.OwnNativeWindow());
  EXPECT_TRUE(child.ParentPalette());
  EXPECT_TRUE(child.ParentDrawBorder());
}

TEST(StatusBar, IsAlwaysANonCurrentSupportObject) {
  ZafStatusBar bar(0, 0, 10, 1);
  EXPECT_TRUE(bar.Bordered());
  EXPECT_FALSE(bar.SetFocus(true));
  EXPECT_FALSE(bar.SetSizeable(true));
  EXPECT_FALSE(bar.Sizeable());
  EXPECT_FALSE(bar.Destroyable());
  EXPECT_TRUE(bar.SetNonCurrent(false));
  EXPECT_EQ(bar.SetPlacement(0), 2);
  EXPECT_TRUE(bar.SetSupportObject(false));
  ZafPrompt* field = new ZafPrompt(0, 0, 5, u"Ready");
  bar.Add(field);
  ExpectDrawnByTheBar(*field);
}

using StatusBarStorageTest = ZafFieldStorageTest;

TEST_F(StatusBarStorageTest, ReadBarPreparesItsFields) {
  ZafStatusBar bar(0, 0, 40, 1);
  bar.SetStringID(u"status");
  auto* field = new ZafPrompt(1, 0, 10, u"Ready");
  field->SetStringID(u"state");
  bar.Add(field);
  ASSERT_EQ(bar.Write(persistence), ZAF_ERROR_NONE);
  ZafStatusBar read(u"status", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  ASSERT_EQ(read.Count(), 1);
  auto* readField = static_cast<ZafWindowObject*>(read.First());
  EXPECT_TRUE(readField->IsA(ID_ZAF_PROMPT));
  ExpectDrawnByTheBar(*readField);
  EXPECT_TRUE(read.SupportObject());
  EXPECT_EQ(read.ReadFunction(), &ZafStatusBar::Read);
  ZafStatusBar copy(read);
  ExpectDrawnByTheBar(*static_cast<ZafWindowObject*>(copy.First()));
}

}  // namespace
