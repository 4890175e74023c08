#pragma once
// A wind gauge driver that keeps the readings it received. This product never creates one: the program-wide
// gauge stays null and every caller tests for it first.

#include <cstdint>

class YWind;

class YWindGauge {
 public:
  virtual ~YWindGauge() = default;

  // The readings held (at most 100) and, in `beyond`, how many older ones are no longer held.
  virtual int32_t GetCount(int32_t& beyond) const = 0;
  // Copies reading n (0 the newest); false when it is no longer held.
  virtual bool GetReading(int32_t n, YWind& wind) const = 0;

  // The program-wide gauge; null in this product.
  static YWindGauge* Instance() { return instance; }

 private:
  static inline YWindGauge* instance = nullptr;
};
