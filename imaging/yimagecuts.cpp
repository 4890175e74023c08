#include "imaging/yimagecuts.h"

#include <algorithm>

bool YImageCuts::Add(int32_t start, int32_t offset) {
  if (offset <= LastOffset() || (!cuts.empty() && start <= cuts.back().start) || start < 0) {
    return false;
  }
  cuts.push_back({start, offset});
  return true;
}

void YImageCuts::Clear() {
  cuts.clear();
  cursor = 0;
}

int32_t YImageCuts::TrueFrame(int32_t shown) {
  if (cuts.empty() || shown < cuts.front().start) {
    return shown;
  }
  if (shown < cuts[cursor].start) {
    cursor = 0;
  }
  while (cursor + 1 < cuts.size() && cuts[cursor + 1].start <= shown) {
    ++cursor;
  }
  return static_cast<int32_t>(int64_t{shown} + cuts[cursor].offset);
}

int32_t YImageCuts::ShownFrame(int32_t trueFrame, int32_t frameCount) {
  int64_t shown = trueFrame;
  if (!cuts.empty() && trueFrame >= cuts.front().start) {
    if (int64_t{trueFrame} < int64_t{cuts.front().start} + cuts.front().offset) {
      shown = cuts.front().start - 1;
    } else {
      auto reached = [&](size_t i) { return int64_t{cuts[i].start} + cuts[i].offset <= trueFrame; };
      if (!reached(cursor)) {
        cursor = 0;
      }
      while (cursor + 1 < cuts.size() && reached(cursor + 1)) {
        ++cursor;
      }
      shown = int64_t{trueFrame} - cuts[cursor].offset;
      if (cursor + 1 < cuts.size()) {
        shown = std::min<int64_t>(shown, cuts[cursor + 1].start - 1);
      }
    }
  }
  return static_cast<int32_t>(std::clamp<int64_t>(shown, 0, std::max(frameCount - 1, 0)));
}
