#include "toolkit/kztextfit.h"

#include <algorithm>
#include <limits>

namespace {

constexpr char16_t kCutMark[] = u"...";
constexpr int32_t kCutMarkLength = 3;

bool IsFirstOfPair(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

// The text's length (-1: to its terminating zero) when below `limit`, else `limit`: a fit reads a long text
// no further than the parts it measures.
int32_t LengthWithin(const char16_t* text, int32_t length, int32_t limit) {
  if (length >= 0) {
    return std::min(length, limit);
  }
  int32_t counted = 0;
  while (counted < limit && text[counted] != 0) {
    ++counted;
  }
  return counted;
}

}  // namespace

int32_t KZFittingLength(const char16_t* text, int32_t length, int32_t width, const KZTextMeasure& measure) {
  if (text == nullptr) {
    return 0;
  }
  constexpr int32_t kLongest = std::numeric_limits<int32_t>::max();
  // A character is seldom narrower than one unit of the width, so the first part measured, one unit longer
  // than the width, is most often too long already; a run of narrower characters doubles it until it is. A
  // text shorter than that takes one measurement, of all of it.
  int32_t fits = 0;
  int32_t probe = width < kLongest ? std::max(width, 0) + 1 : kLongest;
  int32_t tooLong = 0;
  while (tooLong == 0) {
    const int32_t part = LengthWithin(text, length, probe);
    if (part == fits) {
      return fits;  // the text ends with the part that fits
    }
    if (measure(text, part) > width) {
      tooLong = part;
    } else if (part < probe) {
      return part;  // all of the text fits
    } else {
      fits = part;
      probe = part <= kLongest / 2 ? 2 * part : kLongest;
    }
  }
  // Between a part that fits and one too long, halving.
  while (tooLong - fits > 1) {
    const int32_t middle = fits + (tooLong - fits) / 2;
    if (measure(text, middle) <= width) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  if (fits > 0 && IsFirstOfPair(text[fits - 1])) {
    --fits;
  }
  return fits;
}

KString KZShortenedText(const KString& text, int32_t width, const KZTextMeasure& measure) {
  const int32_t length = text.Length();
  if (KZFittingLength(text.CStr(), length, width, measure) == length) {
    return text;
  }
  int32_t kept = KZFittingLength(text.CStr(), length, width - measure(kCutMark, kCutMarkLength), measure);
  // "the ..." reads as if a word were missing after "the"; "the..." as the cut it is.
  while (kept > 0 && text.CStr()[kept - 1] == u' ') {
    --kept;
  }
  if (kept == 0) {
    return KString(kCutMark, KZFittingLength(kCutMark, kCutMarkLength, width, measure));
  }
  return KString(text.CStr(), kept).Append(kCutMark);
}
