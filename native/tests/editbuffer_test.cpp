#include <gtest/gtest.h>

#include "native/controls/editbuffer.h"
#include "native/controls/editlayout.h"

namespace native::test {

TEST(EditBuffer, InsertionStopsAtTheLimitAndSaysSo) {
  struct Case {
    const char* name;
    std::u16string start;
    std::size_t limit;
    std::size_t selectFrom, selectTo;
    std::u16string insertion;
    std::u16string result;
    bool truncated;
  };
  const Case cases[] = {
      {"fits", u"ab", 5, 2, 2, u"cd", u"abcd", false},
      {"exactly fills", u"ab", 5, 2, 2, u"cde", u"abcde", false},
      {"cut short", u"ab", 5, 2, 2, u"cdefg", u"abcde", true},
      {"already full", u"abcde", 5, 5, 5, u"x", u"abcde", true},
      {"replacing the selection makes room", u"abcde", 5, 1, 4, u"xyz", u"axyze", false},
      {"text over the limit stays", u"abcdefg", 3, 7, 7, u"", u"abcdefg", false},
      {"never half of a character", u"ab", 3, 2, 2, u"\U0001F300", u"ab", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditBuffer buffer(false);
    buffer.setText(c.start);
    buffer.setLimit(c.limit);
    buffer.select(c.selectFrom, c.selectTo);
    EditBuffer::Change change = buffer.replaceSelection(c.insertion);
    EXPECT_EQ(buffer.text(), c.result);
    EXPECT_EQ(change.truncated, c.truncated);
  }
}

TEST(EditBuffer, LineBreaksAreWholeUnitsInMultiLineTextAndEndSingleLineText) {
  EditBuffer multi(true);
  multi.setText(u"a\nb\rc\r\nd");
  EXPECT_EQ(multi.text(), u"a\r\nb\r\nc\r\nd");
  multi.select(2, 2);
  EXPECT_EQ(multi.caret(), 1u) << "no position inside a line break";
  multi.moveCaret(3, false);
  EXPECT_TRUE(multi.eraseBackward());
  EXPECT_EQ(multi.text(), u"ab\r\nc\r\nd") << "Backspace takes the whole break";
  multi.moveCaret(2, false);
  EXPECT_TRUE(multi.eraseForward());
  EXPECT_EQ(multi.text(), u"abc\r\nd");

  multi.setLimit(8);
  multi.moveCaret(multi.size(), false);
  EXPECT_TRUE(multi.replaceSelection(u"\r\nxy").truncated);
  EXPECT_EQ(multi.text(), u"abc\r\nd\r\n") << "the limit never splits a break";
  EXPECT_TRUE(multi.replaceSelection(u"\n").truncated);

  EditBuffer single(false);
  single.replaceSelection(u"first\r\nsecond");
  EXPECT_EQ(single.text(), u"first");
}

TEST(EditBuffer, WordStepsSkipGapsAndLineBreaks) {
  EditBuffer buffer(true);
  buffer.setText(u"one two\r\n  three");
  struct Case {
    std::size_t from;
    std::size_t before;
    std::size_t after;
  };
  const Case cases[] = {{0, 0, 4}, {2, 0, 4}, {4, 0, 11}, {6, 4, 11}, {11, 4, 16}, {16, 11, 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from);
    EXPECT_EQ(buffer.wordStartBefore(c.from), c.before);
    EXPECT_EQ(buffer.wordStartAfter(c.from), c.after);
  }
  EXPECT_EQ(buffer.wordAround(5), (std::pair<std::size_t, std::size_t>{4, 7}));
  EXPECT_EQ(buffer.wordAround(9), (std::pair<std::size_t, std::size_t>{9, 11})) << "a run of spaces";
}

TEST(EditBuffer, CaretBackspaceAndDeleteStepOverWholeCharacters) {
  struct Case {
    const char* name;
    std::u16string text;
    std::u16string typed;    // End, Left, "A"
    std::u16string deleted;  // then Delete
    std::u16string erased;   // then Left, BackSpace
  };
  const Case cases[] = {
      {"a surrogate pair", u"x\U0001F300\U0001F300", u"x\U0001F300A\U0001F300", u"x\U0001F300A", u"xA"},
      {"a letter with an accent", u"xe\u0301e\u0301", u"xe\u0301Ae\u0301", u"xe\u0301A", u"xA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditBuffer buffer(false);
    buffer.setText(c.text);
    buffer.moveCaret(buffer.size(), false);
    buffer.moveCaret(buffer.previousPosition(buffer.caret()), false);
    buffer.replaceSelection(u"A");
    EXPECT_EQ(buffer.text(), c.typed);
    buffer.eraseForward();
    EXPECT_EQ(buffer.text(), c.deleted);
    buffer.moveCaret(buffer.previousPosition(buffer.caret()), false);
    buffer.eraseBackward();
    EXPECT_EQ(buffer.text(), c.erased);
  }
}

TEST(EditBuffer, BackspaceAndDeleteAtTheEndsChangeNothing) {
  EditBuffer buffer(false);
  buffer.setText(u"x");
  EXPECT_FALSE(buffer.eraseBackward());
  buffer.moveCaret(1, false);
  EXPECT_FALSE(buffer.eraseForward());
  EXPECT_FALSE(buffer.modified());
  EXPECT_TRUE(buffer.eraseBackward());
  EXPECT_TRUE(buffer.modified());
}

TEST(EditLayout, WrapsAfterTheLastSpaceThatFitsAndCutsOverlongWords) {
  // Every character is 10 pixels wide.
  auto measure = [](std::u16string_view text) { return static_cast<int>(text.size()) * 10; };
  struct Case {
    const char* name;
    std::u16string text;
    int width;
    std::vector<std::pair<std::size_t, std::size_t>> lines;  // start, length
  };
  const Case cases[] = {
      {"fits", u"aaa bbb", 70, {{0, 7}}},
      {"breaks after the space", u"aaa bbb ccc", 70, {{0, 8}, {8, 3}}},
      {"trailing spaces may stick out", u"aaa    bbb", 30, {{0, 7}, {7, 3}}},
      {"overlong word is cut", u"abcdefgh", 30, {{0, 3}, {3, 3}, {6, 2}}},
      {"hard breaks kept, empty lines too", u"ab\r\n\r\ncd", 70, {{0, 2}, {4, 0}, {6, 2}}},
      {"no wrapping", u"aaa bbb ccc", 0, {{0, 11}}},
      {"a width below one character still advances", u"abc", 5, {{0, 1}, {1, 1}, {2, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditLayout layout = EditLayout::compute(c.text, c.width, measure);
    std::vector<std::pair<std::size_t, std::size_t>> lines;
    for (const EditLine& line : layout.lines()) {
      lines.emplace_back(line.start, line.length);
    }
    EXPECT_EQ(lines, c.lines);
  }
  EditLayout wrapped = EditLayout::compute(u"aaa bbb ccc", 70, measure);
  EXPECT_EQ(wrapped.lineOf(7), 0u);
  EXPECT_EQ(wrapped.lineOf(8), 1u) << "the start of a wrapped line belongs to it";
  EXPECT_EQ(wrapped.lineOf(99), 1u);
}

}  // namespace native::test
