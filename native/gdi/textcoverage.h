#pragma once
// The coverage of recently drawn lines of text of one face. Filling the outlines of a line's glyphs is by far
// the dearest part of drawing text, and a window redraws the same texts in the same cells again and again (a
// results table's full redraw). Cairo's coverage depends on the text and on the mask it fills relative to the
// line (a smaller mask can change edge pixels), so a line is reused only for the same text, the same mask
// area relative to the line's cell and the same smoothing: every reuse gives exactly the pixels a fresh fill
// would. Bounded by bytes, least recently used out first.

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "native/user/nativetypes.h"

namespace native {

class FontFace;

// A line's coverage: one byte per pixel, `width` bytes a row, over `box` (relative to the cell's top-left);
// only the rows and columns with some coverage are kept.
struct LineCoverage {
  RECT box{};
  int width = 0;
  std::vector<std::uint8_t> bytes;
};

class TextCoverage {
 public:
  static constexpr std::size_t kMaxBytes = std::size_t{1} << 21;

  // The coverage of the face's text filled into a mask over `area` (relative to the cell's top-left, not
  // empty), smoothed or every pixel in or out.
  const LineCoverage& line(const FontFace& face, std::u16string_view text, const RECT& area, bool smooth);

 private:
  struct Key {
    std::u16string text;
    RECT area;
    bool smooth;
    bool operator==(const Key& other) const;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };
  struct Entry {
    Key key;
    LineCoverage coverage;
  };

  static std::size_t sizeOf(const Entry& entry);
  static LineCoverage fill(const FontFace& face, std::u16string_view text, const RECT& area, bool smooth);

  std::list<Entry> entries_;  // the most recently used first
  std::unordered_map<Key, std::list<Entry>::iterator, KeyHash> index_;
  std::size_t bytes_ = 0;
};

}  // namespace native
