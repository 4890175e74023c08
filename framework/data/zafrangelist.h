// Range texts of the number fields: a list of segments "low..high", either side possibly empty, and a
// segment without ".." standing for one value (low and high the same text).
//
// Segments are written one per line. Reading also accepts segments separated by ", " on one line, the form
// a range is shown in messages, so that both kinds of range text keep working.
#ifndef FRAMEWORK_DATA_ZAFRANGELIST_H
#define FRAMEWORK_DATA_ZAFRANGELIST_H

#include <string>
#include <string_view>
#include <vector>

struct ZafRangeSegment {
  std::u16string low;
  std::u16string high;

  bool operator==(const ZafRangeSegment&) const = default;
};

class ZafRangeList {
 public:
  // The segments of a range text; empty segments are skipped.
  static std::vector<ZafRangeSegment> Parse(std::u16string_view text);
  // The segments joined by `separator`: a line end for a stored range text, ", " for a message.
  static std::u16string Join(const std::vector<ZafRangeSegment>& segments, std::u16string_view separator);
  // One segment: the text before ".." is the low bound, the text after the dots (however many) the high.
  static ZafRangeSegment ParseSegment(std::u16string_view text);
};

// The separator of stored range texts.
inline constexpr std::u16string_view ZAF_RANGE_LINE_SEPARATOR = u"\n";
// The separator of ranges shown in messages, also read in range texts.
inline constexpr std::u16string_view ZAF_RANGE_LIST_SEPARATOR = u", ";

#endif
