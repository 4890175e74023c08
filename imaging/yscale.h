#pragma once
// Scaling of image coordinates by a zoom ratio: a coordinate times numerator over denominator in 64-bit
// arithmetic. The terms are positive 32-bit numbers and the coordinates 32-bit, so every product stays far
// inside 64 bits; results are limited to the 32-bit range by the caller's Clamp32.

#include <algorithm>
#include <cstdint>

namespace YScale {

// The quotient rounded towards minus infinity and the remainder that goes with it (0 to denominator - 1).
struct Division {
  int64_t quotient;
  int64_t remainder;
};

constexpr Division Divide(int64_t value, int64_t numerator, int64_t denominator) {
  const int64_t product = value * numerator;
  int64_t quotient = product / denominator;
  int64_t remainder = product % denominator;
  if (remainder < 0) {
    --quotient;
    remainder += denominator;
  }
  return {quotient, remainder};
}

// Rounded towards plus infinity (for negative values too).
constexpr int64_t Up(int64_t value, int64_t numerator, int64_t denominator) {
  const Division d = Divide(value, numerator, denominator);
  return d.quotient + (d.remainder > 0 ? 1 : 0);
}

// Rounded to the nearest; a remainder of half the denominator or more rounds up.
constexpr int64_t Nearest(int64_t value, int64_t numerator, int64_t denominator) {
  const Division d = Divide(value, numerator, denominator);
  return d.quotient + (2 * d.remainder >= denominator ? 1 : 0);
}

constexpr int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace YScale
