#pragma once
// Small integer helpers used all over the program: the larger and smaller of two values, flag-word tests and
// updates, and rounding down to a multiple of a step.

#include <concepts>
#include <cstdint>
#include <type_traits>

constexpr int32_t KMax(int32_t a, int32_t b) {
  return a > b ? a : b;
}
constexpr int32_t KMin(int32_t a, int32_t b) {
  return a < b ? a : b;
}

// True when any bit of the mask is set in the word. The mask takes the word's type.
template <std::integral Word>
constexpr bool KTestBits(Word word, std::type_identity_t<Word> mask) {
  return (word & mask) != 0;
}

// Sets the masked bits of the word when on is true, else clears them.
template <std::integral Word>
constexpr void KSetBits(Word& word, std::type_identity_t<Word> mask, bool on) {
  word = on ? static_cast<Word>(word | mask) : static_cast<Word>(word & ~mask);
}

// Rounds toward minus infinity to a multiple of step (7, 5 -> 5; -7, 5 -> -10). A step of 0 or below has no
// multiples to round to, so the value comes back unchanged. When the multiple below would fall under the
// smallest int32_t, the lowest representable multiple is returned instead.
constexpr int32_t KRoundDown(int32_t value, int32_t step) {
  if (step <= 0) {
    return value;
  }
  int64_t remainder = static_cast<int64_t>(value) % step;
  if (remainder < 0) {
    remainder += step;
  }
  int64_t rounded = static_cast<int64_t>(value) - remainder;
  if (rounded < INT32_MIN) {
    rounded += step;
  }
  return static_cast<int32_t>(rounded);
}
