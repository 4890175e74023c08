#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "framework/core/zafstring.h"
#include "framework/core/zaftext.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/tests/zaffieldtestbed.h"

namespace {

using TextNativeTest = ZafFieldTest;

std::u16string TextOf(const ZafIChar* text) {
  return text ? text : u"";
}

TEST_F(TextNativeTest, WordWrapMakesTheControlAnewKeepingTextAndCaret) {
  ZafText* field = Add(
      new ZafText(0, 0, 10, 4, u"one two three"), [](ZafText&) {}, 10, 10, 200, 80);
  ASSERT_NE(field->ScreenID(), nullptr);
  EXPECT_EQ(StyleOf(field->ScreenID()) & native::ES_AUTOHSCROLL, 0u) << "wrapping";
  field->SetCursorPosition(13);
  Type(field->ScreenID(), u"!");
  field->SetCursorPosition(5);
  EXPECT_FALSE(field->SetWordWrap(false));
  ASSERT_NE(field->ScreenID(), nullptr);
  EXPECT_NE(StyleOf(field->ScreenID()) & native::ES_AUTOHSCROLL, 0u);
  EXPECT_EQ(ControlText(field->ScreenID()), u"one two three!") << "typed text survives through the data";
  EXPECT_EQ(field->CursorPosition(), 5);
  EXPECT_TRUE(native::IsWindowVisible(field->ScreenID()));
}

TEST_F(TextNativeTest, AFieldThePlatformDoesNotDrawIsDrawnByTheFramework) {
  ZafText* field = Add(
      new ZafText(0, 0, 10, 4, u"WWW WWW"), [](ZafText& t) { t.SetNativeDrawing(false); }, 10, 10, 200, 80);
  ASSERT_NE(field->ScreenID(), nullptr);
  EXPECT_GT(DarkPixels(field->ScreenID()), 10);
  field->SetText(u"");
  driver.pumpUntilIdle();
  EXPECT_EQ(DarkPixels(field->ScreenID()), 0);
}

TEST_F(TextNativeTest, CaretGoesToALineAndColumnWithinTheText) {
  ZafText* field = Add(
      new ZafText(0, 0, 10, 4, u"ab\r\ncdef\r\ng"), [](ZafText&) {}, 10, 10, 200, 80);
  const struct {
    int column;
    int line;
    int position;
  } cases[] = {
      {0, 0, 0},  {2, 1, 6},  {9, 1, 8},
      {1, 2, 11}, {0, 3, 11},  // the line count itself is past the last line: the end of the text
      {0, 7, 11},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line * 100 + c.column);
    EXPECT_EQ(field->SetCursorLineColumn(c.column, c.line), 0);
    EXPECT_EQ(field->CursorPosition(), c.position);
  }
  int column = -1;
  int line = -1;
  field->SetCursorPosition(7);
  field->CursorLineColumn(column, line);
  EXPECT_EQ(line, 1);
  EXPECT_EQ(column, 3);
}

TEST_F(TextNativeTest, EnterIsANewLineAndTypingReachesTheData) {
  ZafText* field = Add(
      new ZafText(0, 0, 10, 4, u""), [](ZafText& t) { t.SetUserFunction(&Record); }, 10, 10, 200, 80);
  Type(field->ScreenID(), u"a\nb");
  EXPECT_EQ(TextOf(field->Text()), u"a\r\nb");
  EXPECT_EQ(std::count(codes.begin(), codes.end(), ChosenEvent), 0);
}

TEST_F(TextNativeTest, LeavingWithAKeptErrorMarksTheFieldInvalid) {
  ZafText* field = Add(new ZafText(0, 0, 10, 4, u""), [](ZafText& t) {
    t.SetUserFunction([](ZafWindowObject*, ZafEventRecord&, ZafLong code) -> ZafLong {
      return code == FocusLoseEvent ? ZAF_ERROR_KEPT : 0;
    });
  });
  EXPECT_EQ(field->Event(ZafEventRecord(FocusLoseEvent, 0)), ZAF_ERROR_KEPT);
  EXPECT_TRUE(field->Invalid());
}

}  // namespace
