#pragma once
// A signed 48-bit integer stored as three 16-bit words, low word first: the form time values take in stored
// records. Invariant: the value is the two's-complement reading of those 48 bits. Arithmetic wraps modulo
// 2^48 exactly like the stored words would, so a result beyond the 48-bit range comes back from the other
// end.

#include <compare>
#include <cstdint>

class KStream;

class KInt48 {
 public:
  static constexpr int64_t kMax = (int64_t{1} << 47) - 1;
  static constexpr int64_t kMin = -(int64_t{1} << 47);

  constexpr KInt48() = default;
  constexpr explicit KInt48(int32_t value) { Assign(value); }
  // Values outside the 48-bit range keep their low 48 bits.
  constexpr explicit KInt48(int64_t value) { Assign(value); }

  static constexpr KInt48 FromWords(uint16_t low, uint16_t middle, uint16_t high) {
    KInt48 result;
    result.words[0] = low;
    result.words[1] = middle;
    result.words[2] = high;
    return result;
  }

  // Word 0 is the low word.
  constexpr uint16_t Word(int index) const { return words[index]; }

  constexpr int64_t Value() const {
    uint64_t bits = uint64_t{words[0]} | uint64_t{words[1]} << 16 | uint64_t{words[2]} << 32;
    // Sign-extend bit 47; converting an out-of-range unsigned value to signed is modular in C++20.
    if ((bits & (uint64_t{1} << 47)) != 0) {
      bits |= ~((uint64_t{1} << 48) - 1);
    }
    return static_cast<int64_t>(bits);
  }

  friend constexpr bool operator==(const KInt48& a, const KInt48& b) { return a.Value() == b.Value(); }
  friend constexpr std::strong_ordering operator<=>(const KInt48& a, const KInt48& b) {
    return a.Value() <=> b.Value();
  }

  friend constexpr KInt48 operator+(const KInt48& a, const KInt48& b) {
    return Wrapped(static_cast<uint64_t>(a.Value()) + static_cast<uint64_t>(b.Value()));
  }
  friend constexpr KInt48 operator-(const KInt48& a, const KInt48& b) {
    return Wrapped(static_cast<uint64_t>(a.Value()) - static_cast<uint64_t>(b.Value()));
  }
  friend constexpr KInt48 operator*(const KInt48& a, const KInt48& b) {
    // The low 48 bits of a product depend only on the low 48 bits of its factors.
    return Wrapped(static_cast<uint64_t>(a.Value()) * static_cast<uint64_t>(b.Value()));
  }
  constexpr KInt48& operator+=(const KInt48& other) { return *this = *this + other; }
  constexpr KInt48& operator-=(const KInt48& other) { return *this = *this - other; }
  constexpr KInt48& operator*=(const KInt48& other) { return *this = *this * other; }

  // Truncating division: the quotient rounds toward zero and the remainder takes the dividend's sign.
  // kMin / -1 wraps to kMin. Division by zero throws KX 1000.
  KInt48 Divide(const KInt48& divisor, KInt48* remainder = nullptr) const;

  // Stored as its three 16-bit words, low word first, each in the stream's byte order.
  void Write(KStream& stream) const;
  void Read(KStream& stream);

 private:
  static constexpr KInt48 Wrapped(uint64_t bits) {
    return FromWords(static_cast<uint16_t>(bits), static_cast<uint16_t>(bits >> 16),
                     static_cast<uint16_t>(bits >> 32));
  }
  constexpr void Assign(int64_t value) { *this = Wrapped(static_cast<uint64_t>(value)); }

  uint16_t words[3] = {0, 0, 0};
};
