#pragma once
// The bit reader of coded blockettes: a 32-bit accumulator taken from bit 0 upward, refilled with the next
// 16-bit data word (at bit position `count`) whenever fewer than 16 bits are left at the points the codes
// name. Words past the end of the data read as 0.

#include <cstdint>

class YBitReader {
 public:
  YBitReader(const uint16_t* words, int32_t wordCount) : words(words), wordCount(wordCount) {
    accumulator = NextWord();
    count = 16;
  }

  void Refill() {
    if (count < 16) {
      accumulator |= NextWord() << count;
      count += 16;
    }
  }
  // The lowest `bits` bits, not taken.
  uint32_t Peek(int32_t bits) const { return accumulator & ((1u << bits) - 1); }
  void Take(int32_t bits) {
    accumulator >>= bits;
    count -= bits;
  }

 private:
  uint32_t NextWord() { return next < wordCount ? words[next++] : 0; }

  const uint16_t* words;
  int32_t wordCount;
  int32_t next = 0;
  uint32_t accumulator = 0;
  int32_t count = 0;
};
