#include "framework/data/zafrangelist.h"

#include <algorithm>

ZafRangeSegment ZafRangeList::ParseSegment(std::u16string_view text) {
  const std::size_t dots = text.find(u"..");
  if (dots == std::u16string_view::npos) {
    return ZafRangeSegment{std::u16string(text), std::u16string(text)};
  }
  std::size_t high = dots;
  while (high < text.size() && text[high] == u'.') {
    ++high;
  }
  return ZafRangeSegment{std::u16string(text.substr(0, dots)), std::u16string(text.substr(high))};
}

std::vector<ZafRangeSegment> ZafRangeList::Parse(std::u16string_view text) {
  std::vector<ZafRangeSegment> segments;
  std::size_t start = 0;
  while (start <= text.size()) {
    // The segment ends at the next line end or ", ", whichever comes first.
    const std::size_t line = text.find(u'\n', start);
    const std::size_t comma = text.find(ZAF_RANGE_LIST_SEPARATOR, start);
    const std::size_t end = std::min(line, comma);
    std::u16string_view segment = text.substr(start, end == std::u16string_view::npos ? end : end - start);
    if (!segment.empty() && segment.back() == u'\r') {
      segment.remove_suffix(1);
    }
    if (!segment.empty()) {
      segments.push_back(ParseSegment(segment));
    }
    if (end == std::u16string_view::npos) {
      break;
    }
    start = end + (end == line ? 1 : ZAF_RANGE_LIST_SEPARATOR.size());
  }
  return segments;
}

std::u16string ZafRangeList::Join(const std::vector<ZafRangeSegment>& segments,
                                  std::u16string_view separator) {
  std::u16string text;
  for (const ZafRangeSegment& segment : segments) {
    if (!text.empty()) {
      text += separator;
    }
    text += segment.low;
    text += u"..";
    text += segment.high;
  }
  return text;
}
