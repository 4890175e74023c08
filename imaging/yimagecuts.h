#pragma once
// The cuts of an image: frames left out of the image as it is shown. Each cut applies from a shown frame on
// and adds an offset to reach the true frame; cuts are kept in rising order of their start, with a cursor
// kept between lookups because lookups mostly move forward.

#include <cstddef>
#include <cstdint>
#include <vector>

class YImageCuts {
 public:
  struct Cut {
    int32_t start;   // shown frame from which the cut applies
    int32_t offset;  // frames to add to reach the true frame
  };

  bool IsEmpty() const { return cuts.empty(); }
  int32_t Count() const { return static_cast<int32_t>(cuts.size()); }
  // Appends a cut; false (nothing done) unless its start lies after the last cut's and its offset is above
  // the last cut's (a cut removes at least one frame).
  bool Add(int32_t start, int32_t offset);
  // Leaves out the shown frames from..to (from <= to) wherever they lie: the new cut merges with the cuts
  // that start within the range or right after it, and every later cut moves back by the frames removed.
  // The cursor starts over.
  void Insert(int32_t from, int32_t to);
  void Clear();
  const Cut& First() const { return cuts.front(); }
  // The offset of the last cut, 0 without cuts.
  int32_t LastOffset() const { return cuts.empty() ? 0 : cuts.back().offset; }

  // The true frame of a shown frame.
  int32_t TrueFrame(int32_t shown);
  // The shown frame of a true frame: a frame inside a gap maps to the shown frame before the gap; the
  // result lies within 0 to frameCount - 1.
  int32_t ShownFrame(int32_t trueFrame, int32_t frameCount);

 private:
  std::vector<Cut> cuts;
  size_t cursor = 0;
};
