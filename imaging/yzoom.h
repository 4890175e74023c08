#pragma once
// The zoom of one image view: a mode word and a scale (numerator over denominator) per axis, each axis kept
// between 1/16 and 256. Every change that is asked to notify sends notification 39 up the owner chain.
// Invariant: all four terms are positive and each axis lies within the limits.

#include <cstdint>

#include "foundation/kmessage.h"

class KStream;

class YZoom : public KMessageObject {
 public:
  static constexpr uint32_t kVersionWord = 0x20011;
  static constexpr int32_t kMaxMagnification = 256;
  static constexpr int32_t kMaxReduction = 16;

  explicit YZoom(KMessageObject* owner = nullptr, int32_t id = -1) : KMessageObject(owner, id) {}
  // A copy stands alone: no owner, id -1.
  YZoom(const YZoom& other);
  YZoom& operator=(const YZoom&) = delete;

  uint32_t Mode() const { return mode; }
  int32_t XNumerator() const { return xNumerator; }
  int32_t XDenominator() const { return xDenominator; }
  int32_t YNumerator() const { return yNumerator; }
  int32_t YDenominator() const { return yDenominator; }

  // Copies mode and terms from the other zoom; false (nothing sent) when they are already equal. With
  // `notify` the change sends notification 39.
  bool Assign(const YZoom& other, bool notify);
  // Sets or clears bit 0 of the mode; sends 39 when it changed; returns whether it changed.
  bool SetModeFlag(bool on);
  // Both axes, or one, to a ratio, limited but not rounded; terms of 0 or below change nothing.
  bool Set(int32_t numerator, int32_t denominator, bool notify);
  bool SetX(int32_t numerator, int32_t denominator, bool notify);
  bool SetY(int32_t numerator, int32_t denominator, bool notify);
  // Doubles (or halves) the x scale, gives y the same scale, and rounds both to powers of two.
  bool ZoomIn(bool notify);
  bool ZoomOut(bool notify);

  // The x scale in percent, rounded down.
  int32_t Percent() const;
  // True when a scale is not the reciprocal of a whole number (a pixel would not map to whole pixels).
  bool IsFractional() const;

  friend bool operator==(const YZoom& a, const YZoom& b) {
    return a.mode == b.mode && a.xNumerator == b.xNumerator && a.xDenominator == b.xDenominator &&
           a.yNumerator == b.yNumerator && a.yDenominator == b.yDenominator;
  }

  void Write(KStream& stream) const;
  // Reads the record, or the older single factor (1 to 256, or -2 to -16 for 1/|v|, then one ignored
  // word). An unknown first word throws KXPersistent 3009; terms of 0 or below, or a scale outside the
  // limits, 3010. Nothing changes on failure and nothing is sent.
  void Read(KStream& stream);

 private:
  // Working terms in 64 bits, so that doubling and limiting cannot overflow.
  struct Ratio {
    int64_t numerator;
    int64_t denominator;
  };
  bool Apply(Ratio x, Ratio y, bool powersOfTwo, bool notify);
  static void Limit(Ratio& ratio, bool powersOfTwo);
  static bool WithinLimits(int32_t numerator, int32_t denominator);
  void Notify();

  uint32_t mode = 0;
  int32_t xNumerator = 1;
  int32_t xDenominator = 1;
  int32_t yNumerator = 1;
  int32_t yDenominator = 1;
};
