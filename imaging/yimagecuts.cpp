#include "imaging/yimagecuts.h"

#include <algorithm>

bool YImageCuts::Add(int32_t start, int32_t offset) {
  if (offset <= LastOffset() || (!cuts.empty() && start <= cuts.back().start) || start < 0) {
    return false;
  }
  cuts.push_back({start, offset});
  return true;
}

void YImageCuts::Insert(int32_t from, int32_t to) {
  const int64_t removed = int64_t{to} - from + 1;
  // The cuts before the new one: those that start before it, unless it lies at or before the first.
  size_t at = 0;
  while (!cuts.empty() && from > cuts.front().start && at < cuts.size() && cuts[at].start < from) {
    ++at;
  }
  int64_t offset = at > 0 ? cuts[at - 1].offset : 0;
  // Cuts that start within the range, or just after it, join the new one; its offset is the last of them.
  size_t merged = at;
  while (merged < cuts.size() && int64_t{cuts[merged].start} <= int64_t{to} + 1) {
    offset = cuts[merged].offset;
    ++merged;
  }
  cuts.erase(cuts.begin() + static_cast<std::ptrdiff_t>(at),
             cuts.begin() + static_cast<std::ptrdiff_t>(merged));
  cuts.insert(cuts.begin() + static_cast<std::ptrdiff_t>(at), {from, static_cast<int32_t>(offset + removed)});
  for (size_t i = at + 1; i < cuts.size(); ++i) {
    cuts[i].start = static_cast<int32_t>(cuts[i].start - removed);
    cuts[i].offset = static_cast<int32_t>(cuts[i].offset + removed);
  }
  cursor = 0;
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
