#pragma once
// Formatted text in a rectangle: alignment, word breaking, "&" prefixes, and measuring (DT_CALCRECT).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "native/gdi/gditypes.h"

namespace native {

// Answers the height of the text; with DT_VCENTER or DT_BOTTOM, the distance from the rectangle's top to the
// bottom of the text. DT_CALCRECT draws nothing and sets the rectangle's right and bottom to fit the text.
// The text is clipped to the rectangle unless DT_NOCLIP is given. The rectangle, the answer and the
// alignment are in the context's logical units.
int DrawText(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format);

// Where DrawText puts a line `width` wide across the rectangle (DT_CENTER, DT_RIGHT, else the left edge),
// and the top of `height` of text down it (DT_VCENTER or DT_BOTTOM with DT_SINGLELINE, else the top edge).
int alignedLeft(const RECT& rect, int width, UINT format);
int alignedTop(const RECT& rect, int height, UINT format);

// One line of laid-out text: what is shown, and the character to underline (-1 for none).
struct TextLine {
  std::u16string text;
  int underline = -1;
};

// Splits text into the lines DrawText shows. Unless DT_NOPREFIX, "&" underlines the next character and "&&"
// shows one "&". With DT_WORDBREAK, lines break at spaces so that each fits `width` where it can (a word
// longer than the width stays whole). `measure` gives a text's width in pixels.
std::vector<TextLine> layoutText(std::u16string_view text, UINT format, int width,
                                 const std::function<int(std::u16string_view)>& measure);

}  // namespace native
