#include <gtest/gtest.h>

#include <vector>

#include "imaging/tests/imagetestfixture.h"
#include "imaging/yimage.h"
#include "imaging/yimageview.h"

namespace {

using namespace YBitmapOptions;

// The bytes a 15-bit pixel becomes at each output depth (the formats of the rendering page).
std::vector<uint8_t> Expected(uint16_t pixel, int32_t depth) {
  const int32_t r = pixel >> 10 & 31, g = pixel >> 5 & 31, b = pixel & 31;
  auto wide = [](int32_t c) { return static_cast<uint8_t>(c << 3 | c >> 2); };
  switch (depth) {
    case 8:
      return {static_cast<uint8_t>((wide(r) + wide(g) + wide(b)) / 3)};
    case 15:
      return {static_cast<uint8_t>(pixel), static_cast<uint8_t>(pixel >> 8)};
    case 16: {
      const int32_t word = r << 11 | (wide(g) >> 2) << 5 | b;
      return {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8)};
    }
    case 24:
      return {wide(b), wide(g), wide(r)};
    default:
      return {wide(b), wide(g), wide(r), 0};
  }
}

// Every piece of the rectangle, asked for again with what is left until nothing is.
std::vector<YBitmapPiece> AllPieces(YImage& image, const YImageView& view, KRect rect, uint32_t options) {
  std::vector<YBitmapPiece> pieces;
  while (!rect.IsEmpty()) {
    std::optional<YBitmapPiece> piece = image.GetBitmap(rect, view, options);
    if (!piece) {
      break;
    }
    if ((options & kRowBands) != 0) {
      rect.top = piece->covered.bottom + 1;
    } else if (piece->covered.left == rect.left) {
      rect.left = piece->covered.right + 1;
    } else {
      rect.right = piece->covered.left - 1;
    }
    pieces.push_back(std::move(*piece));
  }
  return pieces;
}

const uint8_t* At(const YBitmapPiece& piece, int32_t x, int32_t y) {
  return piece.pixels.data() + (y - piece.covered.top) * piece.stride +
         (x - piece.covered.left) * ((piece.bitsPerPixel + 1) / 8);
}

}  // namespace

TEST_F(ImageTest, EveryDepthAndAlignmentWritesTheFramesAsColumns) {
  QvEvent event;
  YImage* image = AddCodedImage(*event.NewLeg(), 1);
  ASSERT_TRUE(image->DrawsPlain());
  YImageView view(image, -1);
  for (int32_t depth : {8, 15, 16, 24, 32}) {
    for (uint32_t align : {0u, kAlign1, kAlign2, kAlign4}) {
      SCOPED_TRACE(testing::Message() << depth << " bits, alignment word " << align);
      const uint32_t depthBit = depth == 8    ? kDepth8
                                : depth == 15 ? kDepth15
                                : depth == 16 ? kDepth16
                                : depth == 24 ? kDepth24
                                              : kDepth32;
      // Reaches outside the image on every side: clipped to its 6 frames and 40 pixels.
      std::optional<YBitmapPiece> piece = image->GetBitmap(KRect(-3, -3, 50, 60), view, depthBit | align);
      ASSERT_TRUE(piece);
      EXPECT_EQ(piece->covered, KRect(0, 0, 5, 39));
      const int32_t bytes = (depth + 1) / 8;
      const int32_t alignment = align == kAlign4 ? 4 : align == kAlign2 ? 2 : 1;
      EXPECT_EQ(piece->stride, (6 * bytes + alignment - 1) / alignment * alignment);
      for (int32_t x : {0, 2, 5}) {
        for (int32_t y : {0, 17, 39}) {
          const std::vector<uint8_t> expected = Expected(codedFrames[x][y], depth);
          EXPECT_EQ(std::vector<uint8_t>(At(*piece, x, y), At(*piece, x, y) + bytes), expected)
              << x << "," << y;
        }
      }
    }
  }
  EXPECT_FALSE(image->GetBitmap(KRect(6, 0, 9, 9), view, 0));
}

TEST_F(ImageTest, PiecesStayWithinTheirBytesAndTogetherMakeTheWholeRendering) {
  QvEvent event;
  YImage* image = AddCodedImage(*event.NewLeg(), 4);
  for (int32_t motion : {0, 1}) {
    SCOPED_TRACE(motion);
    image->Camera().SetParameter(16, motion, false);
    YImageView view(image, -1);
    view.Zoom().SetY(256, 1, false);
    const KRect whole(0, 0, image->FramesShown(view) - 1, image->PixelsShown(view) - 1);
    ASSERT_EQ(whole, KRect(0, 0, 23, 39 * 256));
    for (uint32_t options : {kDepth15 | kAlign4, kDepth24 | kRowBands | kAlign1}) {
      SCOPED_TRACE(options);
      const std::vector<YBitmapPiece> pieces = AllPieces(*image, view, whole, options);
      ASSERT_GT(pieces.size(), 1u);
      // Pieces are taken from the side the frames start on.
      if ((options & kRowBands) == 0) {
        EXPECT_EQ(motion == 0 ? pieces[0].covered.left : pieces[0].covered.right, motion == 0 ? 0 : 23);
      }
      int64_t covered = 0;
      for (const YBitmapPiece& piece : pieces) {
        EXPECT_LE(static_cast<int64_t>(piece.pixels.size()) + piece.covered.Area() * 2,
                  YImage::kMaxPieceBytes);
        covered += piece.covered.Area();
        for (int32_t x : {piece.covered.left, piece.covered.right}) {
          for (int32_t y : {piece.covered.top, piece.covered.bottom}) {
            const int32_t frame = motion == 0 ? x : 23 - x;
            const uint16_t pixel = codedFrames[frame][(y + 128) / 256];
            const int32_t bytes = options & kDepth24 ? 24 : 15;
            EXPECT_EQ(std::vector<uint8_t>(At(piece, x, y), At(piece, x, y) + (bytes + 1) / 8),
                      Expected(pixel, bytes))
                << x << "," << y;
          }
        }
      }
      EXPECT_EQ(covered, whole.Area());
    }
  }
}

TEST_F(ImageTest, OneFrameTooTallForAPieceIsStillRenderedWhole) {
  QvEvent event;
  YImage* image = AddRawImage(*event.NewLeg(), 1);
  YImageView view(image, -1);
  view.Zoom().SetY(256, 1, false);
  std::optional<YBitmapPiece> piece = image->GetBitmap(KRect(0, 0, 2, 995 * 256), view, kDepth8);
  ASSERT_TRUE(piece);
  EXPECT_EQ(piece->covered, KRect(0, 0, 0, 995 * 256));
  EXPECT_EQ(piece->pixels.back(), 0);
  view.Zoom().Set(1, 16, false);
  piece = image->GetBitmap(KRect(0, 0, 100, 100), view, kDepth8);
  ASSERT_TRUE(piece);
  EXPECT_EQ(piece->covered, KRect(0, 0, 1, 62));
  EXPECT_EQ(piece->pixels[0], 0);
}

TEST_F(ImageTest, FractionalZoomsSmoothOnlyWhenAskedAndPlainTablesAreSkipped) {
  QvEvent event;
  YImage* image = AddRawImage(*event.NewLeg(), 1,
                              [](int32_t frame, int32_t) { return static_cast<uint8_t>(frame * 10 + 20); });
  YImageView view(image, -1);
  view.Zoom().SetX(2, 3, false);
  struct Case {
    bool smoothing;
    int32_t x;
    int32_t level;
  };
  // Column 1 lies halfway between frames 1 and 2.
  const Case cases[] = {{false, 1, 30}, {true, 1, 35}, {true, 2, 50}, {false, 2, 50}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.smoothing << " " << c.x);
    view.Zoom().SetModeFlag(c.smoothing);
    std::optional<YBitmapPiece> piece = image->GetBitmap(KRect(c.x, 0, c.x, 0), view, kDepth8);
    ASSERT_TRUE(piece);
    EXPECT_EQ(piece->pixels[0], c.level);
  }
  view.Zoom().SetModeFlag(false);
  // A display table that is not marked enhanced is left out while the factors are plain.
  image->DisplayTable()[20] = 99;
  image->SetGain(0.0);
  ASSERT_EQ(image->DrawingEntry(20), 99);
  EXPECT_EQ(image->GetBitmap(KRect(0, 0, 0, 0), view, kDepth8)->pixels[0], 20);
  image->SetGain(0.25);
  ASSERT_FALSE(image->DrawsPlain());
  EXPECT_EQ(image->GetBitmap(KRect(0, 0, 0, 0), view, kDepth8)->pixels[0], image->DrawingEntry(20));
}
