#pragma once
// The recently used font faces, by logical font and scale: building a face asks fontconfig and cairo for a
// font, which costs far more than the text drawn with it, and a window redraws with the same few fonts.
// Bounded, least recently used out first; a face handed out stays valid for its holder after it leaves.

#include <cstddef>
#include <memory>
#include <vector>

#include "native/gdi/fontface.h"

namespace native {

class FontFaceCache {
 public:
  static constexpr std::size_t kCapacity = 16;

  std::shared_ptr<const FontFace> face(const LOGFONT& font, double pixelsPerLogical);

 private:
  struct Entry {
    LOGFONT font;
    double pixelsPerLogical;
    std::shared_ptr<const FontFace> face;
  };

  std::vector<Entry> entries_;  // the most recently used first
};

}  // namespace native
