// Cutting a line of text to a width: the longest first part of it that fits, or that part marked with "..."
// so that a reader sees the text goes on. Texts come from documents that set no length on them, so a fit
// takes a few measurements of parts about as long as the width holds, whatever the text's length.
#ifndef TOOLKIT_KZTEXTFIT_H
#define TOOLKIT_KZTEXTFIT_H

#include <cstdint>
#include <functional>

#include "foundation/kstring.h"

// Measures the first `count` units of `text` (count >= 1) in the unit of the width it is fitted to. The
// measure of a part never shrinks as the part grows.
using KZTextMeasure = std::function<int32_t(const char16_t* text, int32_t count)>;

// How many units from the start of the text's `length` (-1: to its terminating zero) fit `width`: the
// longest first part whose measure is at most `width`, never ending between the two units of one character
// and never longer than 16 units for each unit of the width (a longer part only adds marks of no width).
// A fit takes at most about log2 of that bound plus 5 measurements, none of a part longer than the bound.
int32_t KZFittingLength(const char16_t* text, int32_t length, int32_t width, const KZTextMeasure& measure);

// The text whole when it fits `width`; else its longest first part that fits with "..." after it, blanks
// before the "..." dropped. When not even one character fits beside the "...", as much of "..." as fits,
// down to nothing: never a cut text without its mark.
KString KZShortenedText(const KString& text, int32_t width, const KZTextMeasure& measure);

// The text's lines (ended by LF or CR LF), each broken into lines no wider than `width`, joined by LF: a
// line breaks after its last blank that fits, or, where a word alone is too wide, inside the word after
// the last character that fits (at least one). The blanks at a break are dropped.
KString KZWrappedText(const KString& text, int32_t width, const KZTextMeasure& measure);

#endif
