// The search for moving objects and the automatic crop built on it. Frames are taken in groups of 8 and cut
// into tiles of 8 pixels along the frame; a tile whose level sum changes from one group to the next marks
// movement.

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "imaging/yimage.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"
#include "imaging/ynotification.h"
#include "model/qvsettings.h"

namespace {

constexpr int32_t kGroupFrames = 8;
constexpr int32_t kTilePixels = 8;
// An object closes after this many groups in a row without activity.
constexpr int32_t kQuietGroups = 5;
// An object begins with the group before the one that changed, and ends where its quiet groups began.
constexpr int32_t kLeadFrames = 2 * kGroupFrames;
constexpr int32_t kTrailFrames = kQuietGroups * kGroupFrames;
// Between an object and the span cut before (or after) it.
constexpr int32_t kCropMargin = 16;

}  // namespace

YImage::Thresholds YImage::SearchThresholds() {
  // 0 to 100, tenths of the change counted; 5 when the setting is missing.
  const int32_t change = QvSettings::Int(u"\\Event\\Image\\AutoCrop", 5, {0, 100}) * 10;
  return {change, change / 2};
}

bool YImage::SumTiles(int32_t first, int32_t tiles, std::vector<int64_t>& sums) {
  std::fill(sums.begin(), sums.end(), 0);
  const bool colour = IsColour();
  for (int32_t f = first; f < first + kGroupFrames; ++f) {
    const uint8_t* pixels = ReadFrame(f);
    if (pixels == nullptr) {
      return false;
    }
    for (int32_t p = 0; p < tiles * kTilePixels; ++p) {
      int32_t level = pixels[p];
      if (colour) {
        const int32_t value = pixels[2 * p] | pixels[2 * p + 1] << 8;
        level = (value >> 10 & 31) + (value >> 5 & 31) + (value & 31);
      }
      sums[static_cast<size_t>(p / kTilePixels)] += level;
    }
  }
  const int64_t fullScale =
      std::max<int64_t>(int64_t{YDisplayTables::TopLevel(colour)} * kGroupFrames * kTilePixels, 1);
  for (int64_t& sum : sums) {
    sum = sum * 1000 / fullScale;
  }
  return true;
}

bool YImage::NextObject(KRect& rect, const YImageView& view, bool fromStart, int32_t* status,
                        int32_t progressBase) {
  YImageReporter& reporter = YImageReporter::Current();
  int32_t result = 0;
  const bool ownProgress = progressBase == -1;
  if (ownProgress) {
    reporter.StatusText(QvSettings::Text(u"\\Strings\\Event\\Image\\NextObject"));
  }
  const int32_t length = FrameLength();
  const int32_t start =
      fromStart ? 0 : std::clamp(ViewXToFrame(rect.right, view), 0, std::max(frameCount, 0));
  const int32_t tiles = length / kTilePixels;
  const int32_t groups = (frameCount - start) / kGroupFrames;
  const int32_t base = ownProgress ? start : -progressBase;
  const int64_t progressSpan = std::max<int64_t>(int64_t{frameCount} - base, 1);
  const Thresholds thresholds = SearchThresholds();

  enum { kSearching, kOpen, kClosed } state = kSearching;
  int32_t firstFrame = 0;
  int32_t lastFrame = 0;
  int32_t top = length - 1;
  int32_t bottom = 0;
  int32_t quiet = 0;
  std::vector<int64_t> previous(static_cast<size_t>(std::max(tiles, 0)));
  std::vector<int64_t> current(previous.size());
  for (int32_t g = 0; tiles > 0 && g < groups && state != kClosed; ++g) {
    const int32_t position = start + g * kGroupFrames;
    reporter.Progress(static_cast<int32_t>((int64_t{position} - base) * 100 / progressSpan));
    if (!SumTiles(position, tiles, current)) {
      result = 2;
      break;
    }
    if (reporter.BreakPressed()) {
      result = 1;
      break;
    }
    // The frame after the group.
    const int32_t after = position + kGroupFrames;
    bool active = false;
    for (size_t t = 0; g > 0 && t < current.size(); ++t) {
      const int64_t difference = std::llabs(current[t] - previous[t]);
      if (difference >= thresholds.change) {
        if (state == kSearching) {
          state = kOpen;
          firstFrame = after - kLeadFrames;
        }
        top = std::min(top, static_cast<int32_t>(kTilePixels * t));
        bottom = std::max(bottom, static_cast<int32_t>(kTilePixels * (t + 1)));
      }
      active = active || difference >= thresholds.activity;
    }
    quiet = active ? 0 : quiet + 1;
    if (state == kOpen && quiet >= kQuietGroups) {
      state = kClosed;
      lastFrame = after - kTrailFrames;
    }
    std::swap(previous, current);
  }
  if (state == kOpen && result == 0) {
    state = kClosed;
    lastFrame = frameCount - 1;
  }
  if (state == kClosed) {
    top = std::clamp(top, 0, std::max(length - 1, 0));
    bottom = std::clamp(bottom, top, std::max(length - 1, top));
    const int32_t left = std::clamp(std::min(firstFrame, lastFrame), 0, frameCount - 1);
    const int32_t right = std::clamp(std::max(firstFrame, lastFrame), left, frameCount - 1);
    rect = RectToView(KRect(left, top, right, bottom), view);
  }
  if (ownProgress) {
    reporter.Progress(-1);
    reporter.Busy(false);
    if (result == 1) {
      reporter.Message(QvSettings::Text(u"\\Strings\\Alerts\\UserAborted"));
    }
  }
  if (status != nullptr) {
    *status = result;
  }
  return state == kClosed;
}

void YImage::AutoCrop(bool fromStart) {
  if (fromStart) {
    referenceFrame = 0;
  }
  KMessage begin;
  Send(this, Message(begin, kYImageGeometry | KMessage::kBeginBatch, 0, this));
  BeginGeometryChange();
  YImageReporter& reporter = YImageReporter::Current();
  reporter.Busy(true);
  reporter.StatusText(QvSettings::Text(u"\\Strings\\Event\\Image\\AutoCrop"));
  reporter.Progress(0);
  // A view of the crop's own, at no zoom.
  YImageView own(nullptr, -1);
  const bool forward = !IsMirrored();
  KRect object(referenceFrame, 0, referenceFrame, 0);
  KRect span = object;
  int32_t removed = 0;
  int32_t status = 0;
  while (NextObject(object, own, false, &status, removed)) {
    int32_t cut = 0;
    if (forward) {
      span.right = object.left - kCropMargin;
      cut = CutFrames(span.left, span.right, own, false);
      object.Offset(KPoint(-cut, 0));
      span.left = object.right + 1;
      referenceFrame = span.left;
    } else {
      span.left = object.right + kCropMargin;
      cut = CutFrames(span.left, span.right, own, false);
      span.right = object.left - 1;
      referenceFrame = span.right;
    }
    removed += cut;
  }
  if (status == 0) {
    if (forward) {
      CutFrames(span.left, frameCount - 1, own, false);
    } else {
      CutFrames(0, span.right, own, false);
    }
    referenceFrame = TrueFrameCount() - 1;
  }
  reporter.Progress(-1);
  reporter.Busy(false);
  if (status == 1) {
    reporter.Message(QvSettings::Text(u"\\Strings\\Alerts\\UserAborted"));
  }
  EndGeometryChange();
  KMessage end;
  Send(this, Message(end, kYImageGeometry | KMessage::kEndBatch, 0, this));
}
