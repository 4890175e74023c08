#pragma once
// One drawing call's view of a device context: its target pixels behind the clip, and the context's pen,
// brush and colours turned into pixels of that target. Every drawing call opens one; the pen strokes and
// coverage fills here are shared by lines, shapes and text. On a screen context it adds what the call drew
// to what the context sends when it is released.

#include <functional>
#include <optional>
#include <vector>

#include "native/gdi/gdi.h"
#include "native/gdi/rasterizer.h"

typedef struct _cairo cairo_t;

namespace native {

class Canvas {
 public:
  // False when the context is unknown or has nothing to draw on.
  bool open(HDC dc);

  DeviceContext& dc() { return *target_.dc; }
  Gdi& gdi() { return *gdi_; }
  Rasterizer& raster() { return *raster_; }
  Surface& surface() { return *target_.surface; }
  // What of the surface the context reaches, whatever its clip (target coordinates).
  const RECT& reach() const { return target_.reach; }
  POINT toTarget(POINT logical) const { return target_.toTarget(logical); }
  RECT toTarget(const RECT& logical) const { return target_.toTarget(logical); }

  // A colour as it lands on the target (palette indexes resolved, black or white on a monochrome bitmap).
  Pixel pixel(COLORREF color) const;
  // The brush as paint (a pattern takes the text and background colours); none for the null brush.
  std::optional<Paint> brushPaint(const BrushData& brush) const;
  std::optional<Paint> brushPaint() const { return brushPaint(gdi_->brush(*target_.dc)); }
  bool hasPen() const { return gdi_->pen(*target_.dc).style != PS_NULL; }

  // Draws the pen along the points (target coordinates). A one-pixel pen leaves out the last point unless
  // the line is closed; wider pens are stroked with round ends.
  void stroke(const std::vector<POINT>& points, bool closed);
  // Mixes `paint` into what `drawPath` covers, limited to `box` (target coordinates).
  void fillCoverage(const RECT& box, const Paint& paint, int rop2,
                    const std::function<void(cairo_t*)>& drawPath);

 private:
  Gdi* gdi_ = nullptr;
  DrawTarget target_;
  std::optional<Rasterizer> raster_;
};

}  // namespace native
