// The framework's own icon pictures, 32 x 32 pixels in colour indexes: a blue disc with an "i" (a message),
// a red disc with a white cross (an error), a yellow triangle with an exclamation mark (a warning), a dark
// blue disc with a question mark (a question) and a small window (the program). They are painted once from
// shapes and glyphs and shared by every icon that shows them.
#include <array>
#include <cstdint>
#include <string_view>

#include "framework/core/zaficon.h"
#include "framework/data/zaficondata.h"

namespace {

constexpr int kSize = 32;
constexpr uint8_t kBlack = 0;
constexpr uint8_t kDarkBlue = 1;
constexpr uint8_t kGrey = 8;
constexpr uint8_t kBlue = 9;
constexpr uint8_t kRed = 12;
constexpr uint8_t kYellow = 14;
constexpr uint8_t kWhite = 15;
constexpr uint8_t kClear = 0xFF;

using Pixels = std::array<uint8_t, kSize * kSize>;

// Glyphs of 8 x 14 pixels, '#' set, centred on the picture.
constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 14;
// clang-format off
constexpr std::string_view kLetterI =
    "...##..." "...##..." "........" "..###..." "...##..." "...##..." "...##..."
    "...##..." "...##..." "...##..." "...##..." "...##..." "..####.." "........";
constexpr std::string_view kCross =
    "........" "##....##" "###..###" ".######." "..####.." "...##..." "..####.."
    ".######." "###..###" "##....##" "........" "........" "........" "........";
constexpr std::string_view kExclamation =
    "........" "...##..." "...##..." "...##..." "...##..." "...##..." "...##..."
    "...##..." "...##..." "........" "...##..." "...##..." "........" "........";
constexpr std::string_view kQuestion =
    "..####.." ".##..##." ".##..##." ".....##." "....##.." "...##..." "...##..."
    "...##..." "........" "...##..." "...##..." "........" "........" "........";

void PaintGlyph(Pixels& pixels, std::string_view glyph, int top, uint8_t ink) {
  const int left = (kSize - kGlyphWidth) / 2;
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      if (glyph[y * kGlyphWidth + x] == '#') {
        pixels[(top + y) * kSize + left + x] = ink;
      }
    }
  }
}

// A disc with a dark rim and a glyph on it; the corners are clear.
Pixels Disc(uint8_t face, std::string_view glyph, uint8_t ink) {
  Pixels pixels;
  pixels.fill(kClear);
  constexpr int kRadiusSquared = 15 * 15;
  constexpr int kInnerSquared = 14 * 14;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      // Distances from the centre between the middle pixels, doubled to stay in whole numbers.
      const int dx = 2 * x - (kSize - 1);
      const int dy = 2 * y - (kSize - 1);
      const int distance = (dx * dx + dy * dy) / 4;
      if (distance <= kInnerSquared) {
        pixels[y * kSize + x] = face;
      } else if (distance <= kRadiusSquared) {
        pixels[y * kSize + x] = kBlack;
      }
    }
  }
  PaintGlyph(pixels, glyph, (kSize - kGlyphHeight) / 2, ink);
  return pixels;
}

// A yellow triangle standing on its base with a black outline and an exclamation mark.
Pixels Warning() {
  Pixels pixels;
  pixels.fill(kClear);
  constexpr int kTop = 2;
  constexpr int kBottom = 29;
  for (int y = kTop; y <= kBottom; ++y) {
    // The half width grows by one pixel every second row down from the apex.
    const int half = (y - kTop) / 2 + 1;
    for (int x = kSize / 2 - half; x < kSize / 2 + half; ++x) {
      const bool edge = y == kBottom || x == kSize / 2 - half || x == kSize / 2 + half - 1;
      pixels[y * kSize + x] = edge ? kBlack : kYellow;
    }
  }
  PaintGlyph(pixels, kExclamation, 13, kBlack);
  return pixels;
}

// A white window with a blue title bar and a black frame.
Pixels Application() {
  Pixels pixels;
  pixels.fill(kClear);
  constexpr int kLeft = 2;
  constexpr int kRight = 29;
  constexpr int kTop = 4;
  constexpr int kBottom = 27;
  constexpr int kTitleBottom = 9;
  for (int y = kTop; y <= kBottom; ++y) {
    for (int x = kLeft; x <= kRight; ++x) {
      const bool frame = x == kLeft || x == kRight || y == kTop || y == kBottom;
      pixels[y * kSize + x] = frame ? kBlack : (y <= kTitleBottom ? kDarkBlue : kWhite);
    }
  }
  // A shadow one pixel right and down.
  for (int y = kTop + 1; y <= kBottom + 1; ++y) {
    pixels[y * kSize + kRight + 1] = kGrey;
  }
  for (int x = kLeft + 1; x <= kRight + 1; ++x) {
    pixels[(kBottom + 1) * kSize + x] = kGrey;
  }
  return pixels;
}

struct SystemImages {
  Pixels asterisk = Disc(kBlue, kLetterI, kWhite);
  Pixels hand = Disc(kRed, kCross, kWhite);
  Pixels exclamation = Warning();
  Pixels question = Disc(kDarkBlue, kQuestion, kWhite);
  Pixels application = Application();
  std::array<ZafIconStruct, 5> icons{{
      {kSize, kSize, asterisk.data(), true, nullptr, false},
      {kSize, kSize, hand.data(), true, nullptr, false},
      {kSize, kSize, exclamation.data(), true, nullptr, false},
      {kSize, kSize, question.data(), true, nullptr, false},
      {kSize, kSize, application.data(), true, nullptr, false},
  }};
};

}  // namespace

const ZafIconStruct* ZafIcon::SystemImage(int32_t number) {
  static const SystemImages images;
  if (number < ZAF_ICON_ASTERISK || number > ZAF_ICON_APPLICATION) {
    return nullptr;
  }
  return &images.icons[static_cast<size_t>(number - ZAF_ICON_ASTERISK)];
}
