#include "native/gdi/fontfacecache.h"

#include <algorithm>

namespace native {

std::shared_ptr<const FontFace> FontFaceCache::face(const LOGFONT& font, double pixelsPerLogical) {
  // Every field of the logical font is part of the key, so a font whose handle was reused for another
  // font never finds the old face.
  auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
    return entry.font == font && entry.pixelsPerLogical == pixelsPerLogical;
  });
  if (found == entries_.end()) {
    if (entries_.size() == kCapacity) {
      entries_.pop_back();
    }
    entries_.insert(entries_.begin(),
                    Entry{font, pixelsPerLogical, std::make_shared<const FontFace>(font, pixelsPerLogical)});
  } else {
    std::rotate(entries_.begin(), found, found + 1);
  }
  return entries_.front().face;
}

}  // namespace native
