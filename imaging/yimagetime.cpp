// The time at a shown frame and the frame at a time.

#include <algorithm>
#include <cstdlib>

#include "imaging/yimage.h"
#include "imaging/yimageblock.h"
#include "imaging/yimageview.h"

namespace {

// The time-word scales: images marked with flag bit 0 count their time words in the time's own units
// (1/80000 s); older images counted tenths of a millisecond.
constexpr int32_t kCurrentTimeScale = 1;
constexpr int32_t kOlderTimeScale = 8;

// Enough probes for a galloping search over any 32-bit frame range, with room for its turns.
constexpr int32_t kMaxProbes = 256;

}  // namespace

YTime YImage::StoredTime(int32_t frame) {
  const int32_t resolution = camera.Parameter(4);
  if (resolution < 1 || frame < 0 || frame >= frameCount) {
    return YTime();
  }
  const int32_t trueFrame = TrueFrame(frame);
  YImageBlock* block = FrameBlock(trueFrame);
  if (block == nullptr) {
    return YTime();
  }
  const auto word = static_cast<uint32_t>(block->Time(trueFrame - block->FirstFrame()).Units());
  if (word == 0) {
    return YTime();
  }
  const int32_t scale = (flags & kCreated) != 0 ? kCurrentTimeScale : kOlderTimeScale;
  return YTime(int64_t{word}, scale, resolution, -1);
}

YTime YImage::TimeAt(int32_t frame, bool interpolate) {
  YTime time = StoredTime(frame);
  if (!interpolate || !time.HasResolution() || frame < 1 || frame + 1 >= frameCount) {
    return time;
  }
  const YTime before = StoredTime(frame - 1);
  const YTime after = StoredTime(frame + 1);
  if (before.HasResolution() && after.HasResolution() && before <= after && (time < before || time > after)) {
    // A stamp out of step with both neighbours is taken as their midpoint.
    const int64_t middle = before.Units() + ((after.Units() - before.Units()) >> 1);
    time = YTime(middle, 1, static_cast<int32_t>(time.Resolution()), -1);
  }
  return time;
}

int64_t YImage::TimeTolerance() const {
  return YTime::kUnitsPerSecond / std::max(camera.Parameter(8), 1);
}

int32_t YImage::FrameOfTime(const YTime& time, const YImageView& view, bool refine) {
  if (frameCount <= 0 || !time.HasResolution()) {
    return -1;
  }
  const int64_t wanted = time.Units();
  int32_t frame = std::clamp(lastTimeFrame, 0, frameCount - 1);
  int32_t step = 1;
  int32_t direction = 0;
  bool turned = false;
  for (int32_t probe = 0; probe < kMaxProbes; ++probe) {
    const YTime here = StoredTime(frame);
    if (!here.HasResolution()) {
      return -1;
    }
    int32_t wantedDirection = 0;
    if (wanted < here.Units()) {
      wantedDirection = frame > 0 ? -1 : 0;
    } else if (frame + 1 < frameCount) {
      const YTime next = StoredTime(frame + 1);
      if (!next.HasResolution()) {
        return -1;
      }
      wantedDirection = wanted >= next.Units() ? 1 : 0;
    }
    if (wantedDirection == 0) {
      lastTimeFrame = frame;
      if (refine && std::llabs(here.Units() - wanted) > TimeTolerance()) {
        return -1;
      }
      return FrameToViewX(frame, view);
    }
    if (direction != 0 && wantedDirection != direction) {
      turned = true;
    }
    if (turned) {
      step = std::max(step / 2, 1);
    } else if (direction == wantedDirection) {
      step = step < (1 << 30) ? step * 2 : step;
    }
    direction = wantedDirection;
    frame = static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{frame} + int64_t{direction} * step, 0, frameCount - 1));
  }
  return -1;
}
