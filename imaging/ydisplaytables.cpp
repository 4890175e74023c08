#include "imaging/ydisplaytables.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "foundation/kstream.h"

namespace {

constexpr int32_t kColourEntries = YDisplayTables::kBytes / 2;

}  // namespace

int32_t YDisplayTables::Entry(const Table& table, bool colour, int32_t i) {
  if (i < 0 || i >= (colour ? kColourEntries : kBytes)) {
    return 0;
  }
  const auto at = static_cast<size_t>(i);
  return colour ? table[2 * at] | table[2 * at + 1] << 8 : table[at];
}

void YDisplayTables::SetEntry(Table& table, bool colour, int32_t i, int32_t value) {
  if (i < 0 || i >= (colour ? kColourEntries : kBytes)) {
    return;
  }
  const auto at = static_cast<size_t>(i);
  if (colour) {
    table[2 * at] = static_cast<uint8_t>(value);
    table[2 * at + 1] = static_cast<uint8_t>(value >> 8);
  } else {
    table[at] = static_cast<uint8_t>(value);
  }
}

void YDisplayTables::Reset(bool colour) {
  display.fill(0);
  for (int32_t i = 0; i <= TopLevel(colour); ++i) {
    SetDisplayEntry(colour, i, i);
  }
}

int32_t YDisplayTables::DrawnLevel(int32_t i, int32_t top, const Factors& factors) {
  double y = std::clamp(std::pow(static_cast<double>(i) / top, factors.scale), 0.0, 1.0);
  y = std::clamp(y + factors.gain, 0.0, 1.0);
  const double c = factors.offset;
  if (c <= 0.0) {
    y = (y - 0.5) * (1.0 - std::abs(c)) + 0.5;
  } else {
    const double lo = c / 2.0;
    const double hi = 1.0 - lo;
    if (y >= hi) {
      y = 1.0;
    } else if (y <= lo) {
      y = 0.0;
    } else {
      y = (y - 0.5) / (hi - lo) + 0.5;
    }
  }
  y = std::clamp(y, 0.0, 1.0);
  // i / top × top can come out a hair below i; the slack keeps plain factors an exact identity instead of
  // dropping such levels to the one below.
  constexpr double kSlack = 1e-9;
  return std::clamp(static_cast<int32_t>(top * y + kSlack), 0, top);
}

void YDisplayTables::RebuildDrawing(bool colour, const Factors& factors) {
  drawing.fill(0);
  const int32_t top = TopLevel(colour);
  for (int32_t i = 0; i <= top; ++i) {
    const int32_t shown = DisplayEntry(colour, DrawnLevel(i, top, factors));
    if (!colour) {
      SetEntry(drawing, false, i, shown);
    } else if (i == 0) {
      SetEntry(drawing, true, i, kUnitMultiplier);
    } else {
      SetEntry(drawing, true, i, std::min(shown * kUnitMultiplier / i, kMaxMultiplier));
    }
  }
}

void YDisplayTables::Write(KStream& stream, int32_t bitsPerPixel) const {
  if (bitsPerPixel == 15) {
    for (int32_t i = 0; i < kColourEntries; ++i) {
      stream.WriteUInt16(static_cast<uint16_t>(DisplayEntry(true, i)));
    }
  } else if (bitsPerPixel == 8) {
    stream.Write(display.data(), kBytes);
  }
}

void YDisplayTables::Read(KStream& stream, int32_t bitsPerPixel) {
  if (bitsPerPixel == 15) {
    for (int32_t i = 0; i < kColourEntries; ++i) {
      SetDisplayEntry(true, i, stream.ReadUInt16());
    }
  } else if (bitsPerPixel == 8) {
    stream.ReadExact(display.data(), kBytes);
  }
}
