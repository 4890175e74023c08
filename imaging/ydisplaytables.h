#pragma once
// The two level tables of an image. The display table maps a stored level to the level shown (identity
// until the image is enhanced) and is kept in the image's record; the drawing table is derived from it with
// the gain, offset and scale factors and is what drawing uses. Gray images have 256 levels (0-255) and one
// byte per entry; colour images have 94 levels (red + green + blue, 0-93) with 16-bit entries, and their
// drawing entries are brightness multipliers in 1/32 units.

#include <array>
#include <cstdint>

class KStream;

class YDisplayTables {
 public:
  static constexpr int32_t kBytes = 256;
  static constexpr int32_t kGrayTopLevel = 255;
  static constexpr int32_t kColourTopLevel = 93;
  // A colour drawing entry: 32 draws a level as it is; at most 31 × 32 (a channel's full scale).
  static constexpr int32_t kUnitMultiplier = 32;
  static constexpr int32_t kMaxMultiplier = 992;

  // How the drawing table bends the levels: gain adds to the level (-1 to 1 of full scale), offset above 0
  // clips both ends and stretches the middle, below 0 flattens towards mid-level; scale is the exponent.
  struct Factors {
    double gain = 0.0;
    double offset = 0.0;
    double scale = 1.0;
  };

  static int32_t TopLevel(bool colour) { return colour ? kColourTopLevel : kGrayTopLevel; }

  // The display table back to the identity.
  void Reset(bool colour);
  // Derives the drawing table from the display table.
  void RebuildDrawing(bool colour, const Factors& factors);

  // Entry i of a table (0 outside the table's levels).
  int32_t DisplayEntry(bool colour, int32_t i) const { return Entry(display, colour, i); }
  int32_t DrawingEntry(bool colour, int32_t i) const { return Entry(drawing, colour, i); }
  void SetDisplayEntry(bool colour, int32_t i, int32_t value) { SetEntry(display, colour, i, value); }
  std::array<uint8_t, kBytes>& Display() { return display; }
  const std::array<uint8_t, kBytes>& Display() const { return display; }

  // The display table as the image record holds it: 128 16-bit values for colour images, 256 bytes for
  // gray ones, nothing for images of other pixel depths (bits per pixel 15, 8 or other).
  void Write(KStream& stream, int32_t bitsPerPixel) const;
  void Read(KStream& stream, int32_t bitsPerPixel);

 private:
  using Table = std::array<uint8_t, kBytes>;
  static int32_t Entry(const Table& table, bool colour, int32_t i);
  static void SetEntry(Table& table, bool colour, int32_t i, int32_t value);
  // The level that level i is drawn as, before the display table (0 to the top level).
  static int32_t DrawnLevel(int32_t i, int32_t top, const Factors& factors);

  Table display{};
  Table drawing{};
};
