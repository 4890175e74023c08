// The display-table operations over a view rectangle: histogram equalisation, colour balance and the
// channel statistics. Pixels are counted as the view shows them, piece by piece, before the drawing table.

#include <algorithm>
#include <array>

#include "imaging/yimage.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"
#include "imaging/ynotification.h"

namespace {

// Rectangles of more pixels than this (or of none) are left alone.
constexpr int64_t kMaxAdjustPixels = 8000000;

struct Channels {
  int32_t red;
  int32_t green;
  int32_t blue;
};

Channels Split(uint16_t pixel) {
  return {pixel >> 10 & 31, pixel >> 5 & 31, pixel & 31};
}

}  // namespace

YImage::LevelCounts YImage::CountLevels(const KRect& rect, const YImageView& view) {
  const bool colour = IsColour();
  const uint32_t options =
      (colour ? YBitmapOptions::kDepth15 : YBitmapOptions::kDepth8) | YBitmapOptions::kFromLeft;
  LevelCounts counts;
  KRect left = rect;
  while (!left.IsEmpty()) {
    std::optional<YBitmapPiece> piece = RenderPiece(left, view, options, false);
    if (!piece) {
      break;
    }
    const int32_t width = piece->covered.Width();
    for (int32_t r = 0; r < piece->covered.Height(); ++r) {
      const uint8_t* row = piece->pixels.data() + r * piece->stride;
      for (int32_t c = 0; c < width; ++c) {
        if (!colour) {
          ++counts.histogram[row[c]];
          continue;
        }
        const Channels p = Split(static_cast<uint16_t>(row[2 * c] | row[2 * c + 1] << 8));
        ++counts.histogram[static_cast<size_t>(p.red + p.green + p.blue)];
        counts.sums[0] += p.red;
        counts.sums[1] += p.green;
        counts.sums[2] += p.blue;
        counts.zeros[0] += p.red == 0 ? 1 : 0;
        counts.zeros[1] += p.green == 0 ? 1 : 0;
        counts.zeros[2] += p.blue == 0 ? 1 : 0;
      }
    }
    counts.pixels += piece->covered.Area();
    left.left = piece->covered.right + 1;
  }
  return counts;
}

bool YImage::AdjustableArea(const KRect& rect) const {
  const int64_t area = rect.Area();
  return area >= 1 && area <= kMaxAdjustPixels;
}

void YImage::Enhance(const KRect& rect, const YImageView& view) {
  if (!AdjustableArea(rect) || BitsPerPixel() == 0) {
    return;
  }
  const bool colour = IsColour();
  tables.Reset(colour);
  const LevelCounts counts = CountLevels(rect, view);
  const int64_t count = counts.pixels;
  if (count > 0) {
    int64_t sum = 0;
    const int32_t top = YDisplayTables::TopLevel(colour);
    for (int32_t i = 0; i < top; ++i) {
      sum += counts.histogram[static_cast<size_t>(i)];
      if (!colour) {
        tables.SetDisplayEntry(false, i, static_cast<int32_t>(sum * top / count));
      } else if (i >= 1) {
        tables.SetDisplayEntry(true, i, static_cast<int32_t>((sum * top + count / 2) / count));
      }
    }
  }
  flags |= kEnhancedTables;
  RebuildDrawingTable();
  KMessage message;
  Send(this, Message(message, kYImageGeometry, 0, this));
}

void YImage::WhiteBalance(const KRect& rect, const YImageView& view) {
  if (!IsColour() || !AdjustableArea(rect)) {
    return;
  }
  const LevelCounts counts = CountLevels(rect, view);
  const int64_t count = counts.pixels;
  if (count <= 0) {
    return;
  }
  std::array<int64_t, 3> averages{};
  for (size_t i = 0; i < 3; ++i) {
    averages[i] = counts.sums[i] * 255 / (count * 31);
  }
  const int64_t most = *std::max_element(averages.begin(), averages.end());
  if (most <= 0) {
    return;
  }
  std::array<int64_t, 3> channels{};
  for (size_t i = 0; i < 3; ++i) {
    channels[i] = (255 - camera.Parameter(19 + static_cast<int32_t>(i))) * averages[i] / most;
  }
  const int64_t mostChannel = *std::max_element(channels.begin(), channels.end());
  if (mostChannel <= 0) {
    return;
  }
  for (size_t i = 0; i < 3; ++i) {
    camera.SetParameter(19 + static_cast<int32_t>(i),
                        static_cast<int32_t>(255 - channels[i] * 255 / mostChannel), true);
  }
  Capture();
}

void YImage::ChannelStats(const YImageView& view) {
  if (!IsColour()) {
    return;
  }
  const LevelCounts counts = CountLevels(KRect(0, 0, FramesShown(view) - 1, PixelsShown(view) - 1), view);
  const int64_t count = counts.pixels;
  if (count <= 0) {
    return;
  }
  KString text;
  const char* names[] = {"R ", " G ", " B "};
  for (size_t i = 0; i < 3; ++i) {
    text.Append(names[i]);
    text.AppendReal(static_cast<double>(counts.zeros[i]) / static_cast<double>(count), "%.4f");
  }
  YImageReporter::Current().Message(text);
}

int32_t YImage::DisplayDepth() const {
  switch (DisplayKind()) {
    case 1:
      return 3;
    case 2:
      return 4;
    case 3:
      return 5;
    default:
      return -1;
  }
}
