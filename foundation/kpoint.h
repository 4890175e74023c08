#pragma once
// A point of two signed 32-bit coordinates, used for positions in windows, images and charts.

#include <cstdint>

class KStream;

class KPoint {
 public:
  constexpr KPoint() = default;
  constexpr KPoint(int32_t x, int32_t y) : x(x), y(y) {}

  constexpr bool Equals(const KPoint& other) const { return x == other.x && y == other.y; }
  constexpr bool NotEquals(const KPoint& other) const { return !Equals(other); }
  friend constexpr bool operator==(const KPoint&, const KPoint&) = default;

  // Stored as two 32-bit words, x then y, in the stream's byte order.
  void Write(KStream& stream) const;
  void Read(KStream& stream);

  int32_t x = 0;
  int32_t y = 0;
};
