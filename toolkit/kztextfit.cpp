#include "toolkit/kztextfit.h"

#include <algorithm>
#include <limits>

#include "foundation/kutf8.h"
#include "framework/core/zaftextlines.h"

namespace {

constexpr char16_t kCutMark[] = u"...";
constexpr int32_t kCutMarkLength = 3;
// No character drawn is narrower than a pixel even with a few marks over it, so a part of more units than
// this for each pixel of the width runs on in characters of no width (marks over the one before them): a
// fit measures no longer part, however many of those follow.
constexpr int64_t kMostUnitsPerPixel = 16;

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

// The units of a text read so far, `available` of them; a part of them ends between the two units of one
// character when the unit after it completes a pair.
struct ReadText {
  const char16_t* units;
  int32_t available;

  bool EndsInsidePair(int32_t count) const {
    return count > 0 && count < available && KIsHighSurrogate(units[count - 1]) &&
           KIsLowSurrogate(units[count]);
  }
  // `count` when it ends between characters, else the nearest count that does strictly between `after`
  // and `before`; `after` when there is none.
  int32_t WholeCharacters(int32_t count, int32_t after, int32_t before) const {
    if (!EndsInsidePair(count)) {
      return count;
    }
    if (count + 1 < before) {
      return count + 1;
    }
    return count - 1 > after ? count - 1 : after;
  }
};

}  // namespace

int32_t KZFittingLength(const char16_t* text, int32_t length, int32_t width, const KZTextMeasure& measure) {
  if (text == nullptr) {
    return 0;
  }
  constexpr int32_t kLongest = std::numeric_limits<int32_t>::max() - 1;
  const int64_t room = int64_t{std::max(width, 0)} + 1;
  const auto longest = static_cast<int32_t>(std::min<int64_t>(room * kMostUnitsPerPixel, kLongest));
  // A character is seldom narrower than one unit of the width, so the first part measured, one unit longer
  // than the width, is most often too long already; a run of narrower characters doubles it until it is. A
  // text shorter than that takes one measurement, of all of it. Every part measured ends between characters.
  ReadText read{text, 0};
  int32_t fits = 0;
  int32_t tooLong = 0;
  auto limit = static_cast<int32_t>(std::min<int64_t>(room, longest));
  while (tooLong == 0) {
    // One unit past the part, to see whether the part ends inside a pair.
    read.available = LengthWithin(text, length, limit + 1);
    const bool lastPart = read.available <= limit || limit == longest;
    const int32_t part = read.WholeCharacters(std::min(read.available, limit), fits, limit + 1);
    if (part == fits) {
      return fits;
    }
    if (measure(text, part) > width) {
      tooLong = part;
    } else if (lastPart) {
      return part;  // all of the text, or the longest part measured, fits
    } else {
      fits = part;
      limit = part <= longest / 2 ? 2 * part : longest;
    }
  }
  // Between a part that fits and one too long, halving.
  while (tooLong - fits > 1) {
    const int32_t middle = read.WholeCharacters(fits + (tooLong - fits) / 2, fits, tooLong);
    if (middle == fits) {
      break;
    }
    if (measure(text, middle) <= width) {
      fits = middle;
    } else {
      tooLong = middle;
    }
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

KString KZWrappedText(const KString& text, int32_t width, const KZTextMeasure& measure) {
  KString wrapped;
  bool firstLine = true;
  ZafForEachLine(text.CStr(), [&](const char16_t* line, int32_t length) {
    if (!firstLine) {
      wrapped.AppendChar(u'\n');
    }
    firstLine = false;
    for (;;) {
      const int32_t fits = KZFittingLength(line, length, width, measure);
      if (fits == length) {
        wrapped.Append(line, length);
        return;
      }
      int32_t cut = fits;
      while (cut > 0 && line[cut] != u' ') {
        --cut;
      }
      if (cut == 0) {
        cut = std::max(fits, length > 1 && KIsHighSurrogate(line[0]) && KIsLowSurrogate(line[1]) ? 2 : 1);
      }
      int32_t kept = cut;
      while (kept > 0 && line[kept - 1] == u' ') {
        --kept;
      }
      wrapped.Append(line, kept);
      while (cut < length && line[cut] == u' ') {
        ++cut;
      }
      line += cut;
      length -= cut;
      if (length == 0) {
        return;
      }
      wrapped.AppendChar(u'\n');
    }
  });
  return wrapped;
}
