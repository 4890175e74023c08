// The mapping between image coordinates (shown frames across, pixels along a frame) and the coordinates of a
// view, through the view's zoom: its x ratio scales frames and its y ratio pixels. Towards the view, frames
// round up and pixels to the nearest; back from the view the inverse ratios round the same way. A caller
// may take the remainder of the division instead of the rounding (the quotient is then rounded down).

#include <algorithm>

#include "imaging/yimage.h"
#include "imaging/yimageframe.h"
#include "imaging/yimageview.h"
#include "imaging/yscale.h"

namespace {

int32_t ScaleRoundingUp(int64_t value, int64_t numerator, int64_t denominator, int32_t* remainder) {
  if (remainder != nullptr) {
    const YScale::Division d = YScale::Divide(value, numerator, denominator);
    *remainder = static_cast<int32_t>(d.remainder);
    return YScale::Clamp32(d.quotient);
  }
  return YScale::Clamp32(YScale::Up(value, numerator, denominator));
}

int32_t ScaleToNearest(int64_t value, int64_t numerator, int64_t denominator, int32_t* remainder) {
  if (remainder != nullptr) {
    const YScale::Division d = YScale::Divide(value, numerator, denominator);
    *remainder = static_cast<int32_t>(d.remainder);
    return YScale::Clamp32(d.quotient);
  }
  return YScale::Clamp32(YScale::Nearest(value, numerator, denominator));
}

}  // namespace

bool YImage::IsMirrored() const {
  return camera.Parameter(16) > 0;
}

int32_t YImage::FrameLength() const {
  const int32_t length = camera.IsType101() ? camera.Rate() - kRawStampBytes : camera.Rate();
  const int32_t bytes = std::max(BytesPerPixel(), 1);
  return std::clamp(length, 0, YImageFrame::kPixelBytes / bytes);
}

int32_t YImage::FramesShown(const YImageView& view) const {
  if (frameCount <= 0) {
    return 0;
  }
  const YZoom& zoom = view.Zoom();
  return YScale::Clamp32(
      int64_t{ScaleRoundingUp(frameCount - 1, zoom.XNumerator(), zoom.XDenominator(), nullptr)} + 1);
}

int32_t YImage::PixelsShown(const YImageView& view) const {
  const int32_t length = FrameLength();
  if (length <= 0) {
    return 0;
  }
  const YZoom& zoom = view.Zoom();
  return YScale::Clamp32(
      int64_t{ScaleToNearest(length - 1, zoom.YNumerator(), zoom.YDenominator(), nullptr)} + 1);
}

int32_t YImage::FrameToViewX(int32_t frame, const YImageView& view, int32_t* remainder) const {
  const YZoom& zoom = view.Zoom();
  const int32_t x = ScaleRoundingUp(frame, zoom.XNumerator(), zoom.XDenominator(), remainder);
  return IsMirrored() ? YScale::Clamp32(int64_t{FramesShown(view)} - x - 1) : x;
}

int32_t YImage::ViewXToFrame(int32_t x, const YImageView& view, int32_t* remainder) const {
  const YZoom& zoom = view.Zoom();
  const int64_t unmirrored = IsMirrored() ? int64_t{FramesShown(view)} - x - 1 : x;
  return ScaleRoundingUp(unmirrored, zoom.XDenominator(), zoom.XNumerator(), remainder);
}

int32_t YImage::PixelToViewY(int32_t pixel, const YImageView& view, int32_t* remainder) const {
  const YZoom& zoom = view.Zoom();
  return ScaleToNearest(pixel, zoom.YNumerator(), zoom.YDenominator(), remainder);
}

int32_t YImage::ViewYToPixel(int32_t y, const YImageView& view, int32_t* remainder) const {
  const YZoom& zoom = view.Zoom();
  return ScaleToNearest(y, zoom.YDenominator(), zoom.YNumerator(), remainder);
}

KPoint YImage::PointToView(const KPoint& point, const YImageView& view, bool trueFrames) {
  const int32_t frame = trueFrames ? ShownFrame(point.x) : point.x;
  return KPoint(FrameToViewX(frame, view), PixelToViewY(point.y, view));
}

KPoint YImage::ViewToPoint(const KPoint& point, const YImageView& view, bool trueFrames) {
  const int32_t frame = ViewXToFrame(point.x, view);
  return KPoint(trueFrames ? TrueFrame(frame) : frame, ViewYToPixel(point.y, view));
}

namespace {

// The rectangle of two corners, ordered so that left <= right and top <= bottom (a mirrored axis swaps
// the ends).
KRect Ordered(const KPoint& a, const KPoint& b) {
  return KRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
}

}  // namespace

KRect YImage::MapRect(const KRect& rect, const YImageView& view, bool toView, bool trueFrames) {
  auto map = [&](const KPoint& point) {
    return toView ? PointToView(point, view, trueFrames) : ViewToPoint(point, view, trueFrames);
  };
  return Ordered(map(KPoint(rect.left, rect.top)), map(KPoint(rect.right, rect.bottom)));
}

KRect YImage::RectToView(const KRect& rect, const YImageView& view) {
  return MapRect(rect, view, true, false);
}

KRect YImage::FrameToScreen(const KRect& rect, const YImageView& view) {
  return MapRect(rect, view, true, true);
}

KRect YImage::ViewToRect(const KRect& rect, const YImageView& view) {
  return MapRect(rect, view, false, false);
}

KRect YImage::ScreenToFrame(const KRect& rect, const YImageView& view) {
  return MapRect(rect, view, false, true);
}
