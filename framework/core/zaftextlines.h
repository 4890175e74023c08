#ifndef FRAMEWORK_CORE_ZAFTEXTLINES_H
#define FRAMEWORK_CORE_ZAFTEXTLINES_H
// The lines of a text that ends its lines in LF or CR LF, as prompts and dialogs lay them out.

#include <cstdint>

#include "framework/data/zaftypes.h"

// Calls `visit` with each line (its start and its length without the line's end) and answers the number of
// lines; a null text is one empty line.
template <typename Visit>
int32_t ZafForEachLine(const ZafIChar* text, Visit visit) {
  if (!text) {
    text = u"";
  }
  int32_t lines = 0;
  for (const ZafIChar* start = text;; ++lines) {
    const ZafIChar* end = start;
    while (*end && *end != u'\n') {
      ++end;
    }
    visit(start, static_cast<int32_t>(end - start) - (end > start && end[-1] == u'\r' ? 1 : 0));
    if (!*end) {
      return lines + 1;
    }
    start = end + 1;
  }
}

#endif
