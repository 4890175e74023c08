#pragma once
// The pieces of text drawing that TextOut and DrawText share.

#include <memory>
#include <string_view>

#include "native/gdi/fontface.h"

namespace native {

class Canvas;
struct DeviceContext;

// The context's selected font at the context's scale.
std::shared_ptr<const FontFace> faceOf(const DeviceContext& dc);
// The face's metrics in the context's logical units (the face measures in device pixels); the height
// stays the ascent plus the descent.
TEXTMETRIC logicalMetrics(const DeviceContext& dc, const FontFace& face);
// A counted text, or with a negative count one up to its terminator (never past a sane length).
std::u16string_view textOf(LPCWSTR text, int count);
// One line, `width` pixels wide as the face measures it, with its cell's top-left at `target` (target
// coordinates), in the context's text colour, on the background colour when the background mode is OPAQUE.
void drawTextRun(Canvas& canvas, const FontFace& face, POINT target, std::u16string_view text, int width);

}  // namespace native
