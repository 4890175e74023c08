#pragma once
// A font as it is drawn: the LOGFONT's face name mapped through fontconfig to an installed family (the
// usual sans, fixed and serif names go to the DejaVu faces), its height rules turned into a pixel size, and
// the measurements and glyph drawing that text calls share. Advances are whole pixels, so measured and drawn
// text agree. A face holds its cairo font for its life, so measuring and drawing never ask fontconfig again;
// text calls take faces from `shared`, which builds each distinct one once. A face keeps the coverage of the
// lines it filled lately, so redrawing the same texts copies coverage instead of filling outlines again.

#include <memory>
#include <string>
#include <string_view>

#include "native/gdi/gditypes.h"
#include "native/gdi/textcoverage.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_scaled_font cairo_scaled_font_t;

namespace native {

class FontFace {
 public:
  // `pixelsPerLogical` scales the LOGFONT's height for the context's mapping.
  explicit FontFace(const LOGFONT& font, double pixelsPerLogical = 1.0);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // The face of a font at a scale, built on first use and kept while it is among the recently used ones.
  // GUI thread only, as all drawing.
  static std::shared_ptr<const FontFace> shared(const LOGFONT& font, double pixelsPerLogical);

  const std::string& family() const { return family_; }
  double size() const { return size_; }
  const TEXTMETRIC& metrics() const { return metrics_; }
  // The advance of the text in pixels.
  int width(std::u16string_view text) const;
  // Puts the text's glyphs on the path with the cell's top-left corner at (x, y); lines for underline and
  // strike-out go on too.
  void addText(cairo_t* cairo, double x, double y, std::u16string_view text) const;
  // The text's coverage as `addText` and a fill give it over `area` (relative to the cell's top-left), kept
  // for the next line asking for the same.
  const LineCoverage& coverage(std::u16string_view text, const RECT& area, bool smooth) const {
    return lines_.line(*this, text, area, smooth);
  }

  // The family a face name maps to; an empty name takes the default sans face.
  static std::string familyFor(std::u16string_view faceName, bool fixedPitch);
  static std::string utf8(std::u16string_view text);

 private:
  void select(cairo_t* cairo) const;

  cairo_scaled_font_t* scaled_ = nullptr;  // the selected face at `size_` as the measuring surface draws it
  std::string family_;
  double size_ = 12;
  bool bold_ = false;
  bool italic_ = false;
  bool underline_ = false;
  bool strikeOut_ = false;
  TEXTMETRIC metrics_{};
  mutable TextCoverage lines_;  // drawing is on the GUI thread only
};

}  // namespace native
