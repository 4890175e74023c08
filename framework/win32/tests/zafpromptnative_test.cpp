#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/core/zafprompt.h"
#include "framework/core/zafstring.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/tests/zaffieldtestbed.h"

namespace {

using PromptNativeTest = ZafFieldTest;

TEST_F(PromptNativeTest, LabelDoublesAmpersandsAndMarksTheHotKey) {
  const struct {
    const char16_t* text;
    int32_t index;
    const char16_t* label;
  } cases[] = {
      {u"R&D", 0, u"&R&&D"},
      {u"R&D", 2, u"R&&&D"},
      {u"Name", -1, u"Name"},
      {u"Name", 9, u"Name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    ZafPrompt* prompt =
        Add(new ZafPrompt(0, 0, 10, c.text), [&c](ZafPrompt& p) { p.SetHotKey(u'x', c.index); });
    ASSERT_NE(prompt->ScreenID(), nullptr);
    EXPECT_EQ(ControlText(prompt->ScreenID()), c.label);
    root->Subtract(prompt);
    delete prompt;
  }
}

TEST_F(PromptNativeTest, HotKeyMovesTheFocusToTheNextObject) {
  ZafPrompt* prompt = Add(new ZafPrompt(0, 0, 10, u"Surname"), [](ZafPrompt& p) { p.SetHotKey(u's', 0); });
  ZafString* field = Add(
      new ZafString(0, 0, 10, u""), [](ZafString&) {}, 10, 40);
  ZafEventRecord other(HotKeyEvent, 0);
  other.SetKey({0, 'T'});
  EXPECT_EQ(prompt->Event(other), UnknownEventResult);
  ZafEventRecord key(HotKeyEvent, 0);
  key.SetKey({0, 's'});
  EXPECT_EQ(prompt->Event(key), HotKeyEvent);
  driver.pumpUntilIdle();
  EXPECT_EQ(native::GetFocus(), field->ScreenID());
  EXPECT_FALSE(prompt->Focus());
  EXPECT_FALSE(prompt->SetFocus(true));
}

TEST_F(PromptNativeTest, AutoSizeShrinksToTheTextWhereTheJustificationsSay) {
  const struct {
    int32_t horizontal;
    int32_t vertical;
  } cases[] = {{0, 0}, {1, 1}, {2, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.horizontal);
    ZafPrompt* prompt = Add(
        new ZafPrompt(0, 0, 10, u"Wide label"),
        [&c](ZafPrompt& p) {
          p.SetJustification(c.horizontal);
          p.SetVerticalJustification(c.vertical);
        },
        20, 20, 200, 40);
    const ZafRegionStruct given = prompt->GivenRegion();
    const ZafRegionStruct shown = prompt->Region();
    ASSERT_LT(shown.Width(), given.Width());
    ASSERT_LT(shown.Height(), given.Height());
    const int32_t leftGap = shown.left - given.left;
    const int32_t rightGap = given.right - shown.right;
    const int32_t topGap = shown.top - given.top;
    const int32_t bottomGap = given.bottom - shown.bottom;
    switch (c.horizontal) {
      case 0:
        EXPECT_EQ(leftGap, 0);
        EXPECT_EQ(topGap, 3) << "a bordered top-aligned text starts below the border";
        break;
      case 1:
        EXPECT_EQ(rightGap, 0);
        EXPECT_EQ(bottomGap, 0);
        break;
      default:
        EXPECT_LE(std::abs(leftGap - rightGap), 1);
        EXPECT_LE(std::abs(topGap - bottomGap), 1);
    }
    root->Subtract(prompt);
    delete prompt;
  }
}

TEST_F(PromptNativeTest, NewTextAndFontResizeTheControl) {
  ZafPrompt* prompt = Add(
      new ZafPrompt(0, 0, 10, u"ab"), [](ZafPrompt&) {}, 10, 10, 300, 40);
  const int32_t shortWidth = prompt->Region().Width();
  prompt->SetText(u"a much longer text");
  const int32_t longWidth = prompt->Region().Width();
  EXPECT_GT(longWidth, shortWidth);
  EXPECT_EQ(ControlText(prompt->ScreenID()), u"a much longer text");
  native::RECT rect{};
  native::GetClientRect(prompt->ScreenID(), &rect);
  EXPECT_EQ(rect.right - rect.left, longWidth) << "the control follows the region";
}

}  // namespace
