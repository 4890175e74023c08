#pragma once
// A rational number of two 32-bit integers. Invariant: the fraction is reduced (the greatest common divisor
// of numerator and denominator is 1), the denominator is positive and the sign lives in the numerator; zero
// is 0/1. A zero denominator has no value, and a fraction whose reduced form does not fit 32 bits (such as
// 1/-2147483648) cannot be held: both are refused with KX 1000 rather than stored as a wrong number.

#include <cstdint>

class KRational {
 public:
  constexpr KRational() = default;
  constexpr explicit KRational(int32_t whole) : numerator(whole) {}
  KRational(int32_t numerator, int32_t denominator);

  constexpr int32_t Numerator() const { return numerator; }
  constexpr int32_t Denominator() const { return denominator; }

  // Reduced forms are unique, so equal values have equal fields.
  friend constexpr bool operator==(const KRational&, const KRational&) = default;

 private:
  int32_t numerator = 0;
  int32_t denominator = 1;
};
