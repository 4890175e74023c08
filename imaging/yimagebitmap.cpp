// Rendering a view rectangle of an image into bitmaps, one bounded piece at a time: each view column is
// sampled from its frame into a staging row (scaled along the frame, blended with the next frame when
// smoothing), passed through the drawing table unless that is plain, and written down one column of the
// output by the pixel blitters.

#include <algorithm>
#include <array>

#include "imaging/yimage.h"
#include "imaging/yimageframe.h"
#include "imaging/yimageview.h"
#include "imaging/ypixelblitter.h"
#include "imaging/yrowresampler.h"

namespace {

using namespace YBitmapOptions;

void Resample(const uint8_t* src, int32_t srcCount, uint8_t* dst, int32_t first, int32_t count,
              const YZoom& zoom) {
  YRowResampler::Scale8(src, srcCount, dst, first, count, zoom.YNumerator(), zoom.YDenominator());
}

void Resample(const uint16_t* src, int32_t srcCount, uint16_t* dst, int32_t first, int32_t count,
              const YZoom& zoom) {
  YRowResampler::Scale16(src, srcCount, dst, first, count, zoom.YNumerator(), zoom.YDenominator());
}

void Blend(uint8_t* a, const uint8_t* b, int32_t count, int32_t weight, int32_t scale) {
  YRowResampler::Blend8(a, b, count, weight, scale, a);
}

void Blend(uint16_t* a, const uint16_t* b, int32_t count, int32_t weight, int32_t scale) {
  YRowResampler::Blend16(a, b, count, weight, scale, a);
}

int32_t OutputDepth(uint32_t options, bool colour) {
  for (const auto& [bit, depth] :
       {std::pair{kDepth8, 8}, {kDepth15, 15}, {kDepth16, 16}, {kDepth24, 24}, {kDepth32, 32}}) {
    if ((options & bit) != 0) {
      return depth;
    }
  }
  return colour ? 15 : 8;
}

int32_t Alignment(uint32_t options) {
  if ((options & kAlign4) != 0) {
    return 4;
  }
  return (options & kAlign2) != 0 ? 2 : 1;
}

// The frame pixels of one view column, read and turned into staging pixels.
template <typename Pixel>
class ColumnSampler {
 public:
  ColumnSampler(YImage& image, const YImageView& view, bool smooth)
      : image(image), view(view), smooth(smooth), length(image.FrameLength()) {}

  // Fills rows first .. first + count - 1 of view column x; a frame that cannot be read gives zeros.
  void Sample(int32_t x, int32_t first, int32_t count, Pixel* out) {
    int32_t remainder = 0;
    const int32_t frame = image.ViewXToFrame(x, view, &remainder);
    if (!Read(frame, row.data())) {
      std::fill(out, out + count, Pixel{0});
      return;
    }
    if (smooth && remainder > 0 && Read(frame + 1, next.data())) {
      Blend(row.data(), next.data(), length, remainder, view.Zoom().XNumerator());
    }
    Resample(row.data(), length, out, first, count, view.Zoom());
  }

 private:
  bool Read(int32_t frame, Pixel* out) {
    const uint8_t* bytes = image.ReadFrame(frame);
    if (bytes == nullptr) {
      return false;
    }
    for (int32_t i = 0; i < length; ++i) {
      if constexpr (sizeof(Pixel) == 1) {
        out[i] = bytes[i];
      } else {
        out[i] = static_cast<Pixel>((bytes[2 * i] | bytes[2 * i + 1] << 8) & 0x7FFF);
      }
    }
    return true;
  }

  YImage& image;
  const YImageView& view;
  bool smooth;
  int32_t length;
  std::array<Pixel, YImageFrame::kPixelBytes> row{};
  std::array<Pixel, YImageFrame::kPixelBytes> next{};
};

}  // namespace

bool YImage::DrawsPlain() const {
  return (flags & kEnhancedTables) == 0 && camera.Parameter(24) == 0 && camera.Parameter(25) == 0 &&
         camera.Parameter(22) == 1000;
}

void YImage::ApplyDrawingTable(uint8_t* levels, int32_t count) const {
  for (int32_t i = 0; i < count; ++i) {
    levels[i] = static_cast<uint8_t>(DrawingEntry(levels[i]));
  }
}

void YImage::ApplyDrawingTable(uint16_t* pixels, int32_t count) const {
  for (int32_t i = 0; i < count; ++i) {
    const int32_t red = pixels[i] >> 10 & 31;
    const int32_t green = pixels[i] >> 5 & 31;
    const int32_t blue = pixels[i] & 31;
    const int32_t multiplier = DrawingEntry(red + green + blue);
    auto scaled = [multiplier](int32_t channel) {
      return std::min(channel * multiplier / YDisplayTables::kUnitMultiplier, 31);
    };
    pixels[i] = static_cast<uint16_t>(scaled(red) << 10 | scaled(green) << 5 | scaled(blue));
  }
}

bool YImage::SmoothsAt(const YImageView& view) const {
  if (!view.Zoom().IsFractional()) {
    return false;
  }
  return print.printing ? (print.options & kPrintSmoothing) != 0 : (view.Zoom().Mode() & 1) != 0;
}

KRect YImage::PieceOf(const KRect& area, uint32_t options, int32_t depth) const {
  const int64_t stagingBytes = IsColour() ? 2 : 1;
  const int32_t alignment = Alignment(options);
  const int64_t width = area.Width();
  const int64_t height = area.Height();
  KRect piece = area;
  if ((options & kRowBands) != 0) {
    const int64_t rowCost = width * stagingBytes + YPixelBlitter::RowBytes(width, depth, alignment);
    const int64_t rows = std::clamp<int64_t>(kMaxPieceBytes / rowCost, 1, height);
    piece.bottom = static_cast<int32_t>(area.top + rows - 1);
    return piece;
  }
  auto cost = [&](int64_t columns) {
    return columns * height * stagingBytes + YPixelBlitter::RowBytes(columns, depth, alignment) * height;
  };
  int64_t columns = std::clamp<int64_t>(
      kMaxPieceBytes / (height * (stagingBytes + YPixelBlitter::PixelBytes(depth))), 1, width);
  while (columns > 1 && cost(columns) > kMaxPieceBytes) {
    --columns;
  }
  const bool fromRight = (options & kFromRight) != 0 || ((options & kFromLeft) == 0 && IsMirrored());
  if (fromRight) {
    piece.left = static_cast<int32_t>(area.right - columns + 1);
  } else {
    piece.right = static_cast<int32_t>(area.left + columns - 1);
  }
  return piece;
}

template <typename Pixel>
void YImage::RenderColumns(const KRect& piece, const YImageView& view, bool drawn, YBitmapPiece& out) {
  const int32_t depth = out.bitsPerPixel;
  const int32_t columns = piece.Width();
  const int32_t rows = piece.Height();
  std::vector<Pixel> staging(static_cast<size_t>(rows));
  ColumnSampler<Pixel> sampler(*this, view, SmoothsAt(view));
  const bool plain = !drawn || DrawsPlain();
  const int32_t pixelBytes = YPixelBlitter::PixelBytes(depth);
  for (int32_t c = 0; c < columns; ++c) {
    sampler.Sample(piece.left + c, piece.top, rows, staging.data());
    if (drawn && print.printing) {
      PaintPrintMarks(piece.left + c, piece.top, rows, view, staging.data());
    }
    if (!plain) {
      ApplyDrawingTable(staging.data(), rows);
    }
    uint8_t* column = out.pixels.data() + static_cast<size_t>(c) * pixelBytes;
    if constexpr (sizeof(Pixel) == 1) {
      YPixelBlitter::GrayColumn(staging.data(), rows, depth, column, out.stride);
    } else {
      YPixelBlitter::ColourColumn(staging.data(), rows, depth, column, out.stride);
    }
  }
}

std::optional<YBitmapPiece> YImage::GetBitmap(const KRect& rect, const YImageView& view, uint32_t options) {
  return RenderPiece(rect, view, options, true);
}

std::optional<YBitmapPiece> YImage::RenderPiece(const KRect& rect, const YImageView& view, uint32_t options,
                                                bool drawn) {
  KRect area = rect;
  area.Clip(KRect(0, 0, FramesShown(view) - 1, PixelsShown(view) - 1));
  if (area.IsEmpty() || FrameLength() <= 0 || BitsPerPixel() == 0) {
    return std::nullopt;
  }
  YBitmapPiece out;
  out.bitsPerPixel = OutputDepth(options, IsColour());
  out.covered = PieceOf(area, options, out.bitsPerPixel);
  out.stride = YPixelBlitter::RowBytes(out.covered.Width(), out.bitsPerPixel, Alignment(options));
  out.pixels.assign(static_cast<size_t>(out.stride * out.covered.Height()), 0);
  if (IsColour()) {
    RenderColumns<uint16_t>(out.covered, view, drawn, out);
  } else {
    RenderColumns<uint8_t>(out.covered, view, drawn, out);
  }
  return out;
}
