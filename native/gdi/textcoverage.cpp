#include "native/gdi/textcoverage.h"

#include <algorithm>
#include <functional>

#include <cairo.h>

#include "native/gdi/coveragemask.h"
#include "native/gdi/fontface.h"
#include "native/user/windowsystem.h"

namespace native {

bool TextCoverage::Key::operator==(const Key& other) const {
  return text == other.text && area.left == other.area.left && area.top == other.area.top &&
         area.right == other.area.right && area.bottom == other.area.bottom && smooth == other.smooth;
}

std::size_t TextCoverage::KeyHash::operator()(const Key& key) const {
  std::size_t hash = std::hash<std::u16string>{}(key.text);
  for (LONG edge : {key.area.left, key.area.top, key.area.right, key.area.bottom, LONG{key.smooth}}) {
    hash = hash * 31 + static_cast<std::size_t>(edge);
  }
  return hash;
}

std::size_t TextCoverage::sizeOf(const Entry& entry) {
  return sizeof(Entry) + entry.key.text.size() * sizeof(char16_t) + entry.coverage.bytes.size();
}

const LineCoverage& TextCoverage::line(const FontFace& face, std::u16string_view text, const RECT& area,
                                       bool smooth) {
  Key key{std::u16string(text), area, smooth};
  auto found = index_.find(key);
  if (found != index_.end()) {
    entries_.splice(entries_.begin(), entries_, found->second);
    return found->second->coverage;
  }
  entries_.push_front(Entry{key, fill(face, text, area, smooth)});
  index_.emplace(std::move(key), entries_.begin());
  bytes_ += sizeOf(entries_.front());
  // The newest line stays even when it alone is larger than the bound.
  while (bytes_ > kMaxBytes && entries_.size() > 1) {
    const Entry& oldest = entries_.back();
    bytes_ -= sizeOf(oldest);
    index_.erase(oldest.key);
    entries_.pop_back();
  }
  return entries_.front().coverage;
}

LineCoverage TextCoverage::fill(const FontFace& face, std::u16string_view text, const RECT& area,
                                bool smooth) {
  CoverageMask mask(area, smooth);
  face.addText(mask.cairo(), 0, 0, text);
  cairo_fill(mask.cairo());
  const std::uint8_t* bytes = mask.coverage();
  const int stride = mask.stride();
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (WindowSystem* system = WindowSystem::current()) {
    system->painted.textMaskPixels += static_cast<long long>(width) * height;
  }
  // The smallest box around the covered pixels; an uncovered line keeps an empty box.
  RECT inked{width, height, 0, 0};
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = bytes + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      if (row[x] != 0) {
        inked = RECT{std::min<LONG>(inked.left, x), std::min<LONG>(inked.top, y),
                     std::max<LONG>(inked.right, x + 1), std::max<LONG>(inked.bottom, y + 1)};
      }
    }
  }
  LineCoverage coverage;
  if (inked.left >= inked.right) {
    return coverage;
  }
  coverage.box =
      RECT{area.left + inked.left, area.top + inked.top, area.left + inked.right, area.top + inked.bottom};
  coverage.width = inked.right - inked.left;
  coverage.bytes.reserve(static_cast<std::size_t>(coverage.width) *
                         static_cast<std::size_t>(inked.bottom - inked.top));
  for (int y = inked.top; y < inked.bottom; ++y) {
    const std::uint8_t* row = bytes + static_cast<std::ptrdiff_t>(y) * stride + inked.left;
    coverage.bytes.insert(coverage.bytes.end(), row, row + coverage.width);
  }
  return coverage;
}

}  // namespace native
