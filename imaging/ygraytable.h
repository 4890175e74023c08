#pragma once
// The 94 gray levels of coded images. A coded gray pixel stores a code 0-93; the table turns it into an
// 8-bit gray value (i * 255 / 93), and the inverse table turns a gray value back into its code (values that
// are none of the 94 levels map to 0).

#include <array>
#include <cstdint>

inline constexpr int32_t kGrayLevels = 94;

inline constexpr std::array<uint8_t, kGrayLevels> kGrayTable = [] {
  std::array<uint8_t, kGrayLevels> table{};
  for (int32_t i = 0; i < kGrayLevels; ++i) {
    table[static_cast<size_t>(i)] = static_cast<uint8_t>(i * 255 / (kGrayLevels - 1));
  }
  return table;
}();

inline constexpr std::array<uint8_t, 256> kInverseGrayTable = [] {
  std::array<uint8_t, 256> table{};
  for (int32_t i = 0; i < kGrayLevels; ++i) {
    table[kGrayTable[static_cast<size_t>(i)]] = static_cast<uint8_t>(i);
  }
  return table;
}();
