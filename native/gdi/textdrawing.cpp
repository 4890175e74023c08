#include "native/gdi/textdrawing.h"

#include <algorithm>

#include "native/gdi/canvas.h"
#include "native/user/rects.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

// Text handed in with a count is read no further than this.
constexpr int kMaxTextLength = 1 << 20;

}  // namespace

std::shared_ptr<const FontFace> faceOf(const DeviceContext& dc) {
  // The height scales with the mapping's vertical extent ratio.
  return FontFace::shared(WindowSystem::get().gdi().font(dc), dc.deviceLengthY(1000) / 1000.0);
}

TEXTMETRIC logicalMetrics(const DeviceContext& dc, const FontFace& face) {
  TEXTMETRIC metrics = face.metrics();
  metrics.tmHeight = dc.logicalLengthY(metrics.tmHeight);
  metrics.tmAscent = dc.logicalLengthY(metrics.tmAscent);
  metrics.tmDescent = metrics.tmHeight - metrics.tmAscent;
  metrics.tmInternalLeading = dc.logicalLengthY(metrics.tmInternalLeading);
  metrics.tmExternalLeading = dc.logicalLengthY(metrics.tmExternalLeading);
  metrics.tmAveCharWidth = dc.logicalLengthX(metrics.tmAveCharWidth);
  metrics.tmMaxCharWidth = dc.logicalLengthX(metrics.tmMaxCharWidth);
  metrics.tmOverhang = dc.logicalLengthX(metrics.tmOverhang);
  return metrics;
}

std::u16string_view textOf(LPCWSTR text, int count) {
  if (text == nullptr) {
    return {};
  }
  if (count < 0) {
    std::size_t length = 0;
    while (length < static_cast<std::size_t>(kMaxTextLength) && text[length] != 0) {
      ++length;
    }
    return std::u16string_view(text, length);
  }
  return std::u16string_view(text, static_cast<std::size_t>(std::min(count, kMaxTextLength)));
}

void drawTextRun(Canvas& canvas, const FontFace& face, POINT target, std::u16string_view text, int width) {
  const DcState& state = canvas.dc().state;
  int height = face.metrics().tmHeight;
  if (state.backgroundMode == OPAQUE) {
    canvas.raster().fillRect(RECT{target.x, target.y, target.x + width, target.y + height},
                             Paint::of(canvas.pixel(state.backgroundColor)), R2_COPYPEN);
  }
  if (text.empty()) {
    return;
  }
  RECT box{target.x - height, target.y - 1, target.x + width + height, target.y + height + 2};
  RECT clip = canvas.raster().clipBounds();
  RECT shown{};
  if (!IntersectRect(&shown, &box, &clip)) {
    return;
  }
  // The mask covers the line as far as the context reaches, whatever the clip: the coverage of its pixels
  // depends on the mask's extent, and a text painted in pieces (the part a window uncovers) must give the
  // pixels it gives painted whole.
  RECT surface{0, 0, canvas.surface().width(), canvas.surface().height()};
  RECT reach{};
  IntersectRect(&reach, &canvas.reach(), &surface);
  RECT area{};
  IntersectRect(&area, &box, &reach);
  bool smooth = !canvas.surface().monochrome();
  RECT relative = area;
  OffsetRect(&relative, -target.x, -target.y);
  const LineCoverage& line = face.coverage(text, relative, smooth);
  if (line.bytes.empty()) {
    return;
  }
  RECT inked = line.box;
  OffsetRect(&inked, target.x, target.y);
  canvas.raster().fillCoverage(line.bytes.data(), line.width, inked, Paint::of(canvas.pixel(state.textColor)),
                               R2_COPYPEN, smooth);
}

}  // namespace native
