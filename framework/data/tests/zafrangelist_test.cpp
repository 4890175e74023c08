#include "framework/data/zafrangelist.h"

#include <gtest/gtest.h>

namespace {

TEST(ZafRangeList, ReadsLinesAndCommaListsAlike) {
  struct Case {
    const char* what;
    const char16_t* text;
    std::vector<ZafRangeSegment> segments;
  } cases[] = {
      {"one per line", u"1..10\n20..30", {{u"1", u"10"}, {u"20", u"30"}}},
      {"comma list", u"1..10, 20..30", {{u"1", u"10"}, {u"20", u"30"}}},
      {"both, with CR LF", u"1..10, 15\r\n..5\n", {{u"1", u"10"}, {u"15", u"15"}, {u"", u"5"}}},
      {"open high", u"-3.5..", {{u"-3.5", u""}}},
      {"three dots", u"1...10", {{u"1", u"10"}}},
      {"decimal commas stay", u"1,5..2,5", {{u"1,5", u"2,5"}}},
      {"empty", u"", {}},
      {"blank lines skipped", u"\n\n7..8\n", {{u"7", u"8"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ZafRangeList::Parse(c.text), c.segments);
  }
}

TEST(ZafRangeList, WritesOneFormAndReadsItBack) {
  const std::vector<ZafRangeSegment> segments = {{u"1", u"10"}, {u"", u"5"}, {u"20", u""}};
  const std::u16string stored = ZafRangeList::Join(segments, ZAF_RANGE_LINE_SEPARATOR);
  EXPECT_EQ(stored, u"1..10\n..5\n20..");
  EXPECT_EQ(ZafRangeList::Parse(stored), segments);
  const std::u16string shown = ZafRangeList::Join(segments, ZAF_RANGE_LIST_SEPARATOR);
  EXPECT_EQ(shown, u"1..10, ..5, 20..");
  EXPECT_EQ(ZafRangeList::Parse(shown), segments);
}

}  // namespace
