#include "native/gdi/coveragemask.h"

#include <algorithm>

#include <cairo.h>

namespace native {

CoverageMask::CoverageMask(const RECT& box, bool antialias)
    : box_(box),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_A8, std::max<LONG>(1, box.right - box.left),
                                          std::max<LONG>(1, box.bottom - box.top))),
      cairo_(cairo_create(surface_)) {
  cairo_translate(cairo_, -box.left, -box.top);
  cairo_set_antialias(cairo_, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_set_source_rgba(cairo_, 0, 0, 0, 1);
}

CoverageMask::~CoverageMask() {
  cairo_destroy(cairo_);
  cairo_surface_destroy(surface_);
}

const std::uint8_t* CoverageMask::coverage() {
  cairo_surface_flush(surface_);
  return cairo_image_surface_get_data(surface_);
}

int CoverageMask::stride() const {
  return cairo_image_surface_get_stride(surface_);
}

}  // namespace native
