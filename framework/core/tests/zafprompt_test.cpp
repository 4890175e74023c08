#include <gtest/gtest.h>

#include <string>

#include "framework/core/tests/zaffieldstoragetest.h"
#include "framework/core/zafprompt.h"
#include "framework/data/zafstringdata.h"

namespace {

std::u16string TextOf(const ZafIChar* text) {
  return text ? std::u16string(text) : std::u16string(u"(none)");
}

TEST(Prompt, TakesNoFocusNorTheOptionsOfFields) {
  ZafPrompt prompt(0, 0, 10, u"Name");
  EXPECT_TRUE(prompt.NonCurrent());
  EXPECT_TRUE(prompt.Bordered());
  EXPECT_FALSE(prompt.SetFocus(true));
  EXPECT_FALSE(prompt.Focus());
  EXPECT_TRUE(prompt.SetNonCurrent(false));
  EXPECT_FALSE(prompt.SetChanged(true));
  EXPECT_FALSE(prompt.SetShiftDrag(true));
  EXPECT_EQ(prompt.SetPlacement(2), 0);
  EXPECT_EQ(prompt.SetHelpContext(u"help"), nullptr);
  EXPECT_EQ(prompt.SetHotKey(u's', 0), u'S');
  EXPECT_EQ(prompt.SetJustification(7), 0) << "no such justification";
}

TEST(Prompt, TextWithoutDataMakesItsOwn) {
  ZafPrompt prompt(0, 0, 10, static_cast<ZafStringData*>(nullptr));
  prompt.SetStringData(nullptr);
  EXPECT_EQ(prompt.Text(), nullptr);
  prompt.SetText(u"made");
  ASSERT_NE(prompt.StringData(), nullptr);
  EXPECT_EQ(TextOf(prompt.Text()), u"made");
}

using PromptStorageTest = ZafFieldStorageTest;

TEST_F(PromptStorageTest, SettingsAndTheGivenRegionReadBack) {
  ZafPrompt prompt(1, 2, 12, u"R&D");
  prompt.SetStringID(u"label");
  prompt.SetHotKey(u'd', 2);
  prompt.SetJustification(2);
  prompt.SetVerticalJustification(1);
  prompt.SetAutoSize(false);
  prompt.SetTransparentBackground(true);
  const ZafRegionStruct given = prompt.GivenRegion();
  ASSERT_EQ(prompt.Write(persistence), ZAF_ERROR_NONE);

  ZafPrompt read(u"label", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.GivenRegion(), given);
  EXPECT_EQ(TextOf(read.Text()), u"R&D");
  EXPECT_EQ(read.HotKeyChar(), u'D');
  EXPECT_EQ(read.HotKeyIndex(), 2);
  EXPECT_EQ(read.Justification(), 2);
  EXPECT_EQ(read.VerticalJustification(), 1);
  EXPECT_FALSE(read.AutoSize());
  EXPECT_TRUE(read.TransparentBackground());
  EXPECT_EQ(read.ReadFunction(), &ZafPrompt::Read);
  ExpectEveryCutRefused<ZafPrompt>(prompt, 0);
}

}  // namespace
