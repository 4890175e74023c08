#pragma once
// Base of the settings nodes that carry a value. Every value node may carry the number that the settings
// text writes after the type (",n"); the tree does not interpret it and writes it back unchanged.

#include <cstdint>

#include "foundation/krnode.h"

// The optional range of an Int or Float node; without one every value is admitted.
template <typename T>
struct KRBounds {
  bool present = false;
  T minimum{};
  T maximum{};

  bool Admits(T value) const { return !present || (minimum <= value && value <= maximum); }
};

class KRValue : public KRNode {
 public:
  bool HasNumber() const { return hasNumber; }
  int32_t Number() const { return number; }
  void SetNumber(int32_t value) {
    number = value;
    hasNumber = true;
  }

  // Sets the value from a settings line: the value text and, when the line gives them, the texts of its
  // minimum and maximum (both or neither). Only Int and Float have a range; the others refuse one. False,
  // with the node unchanged, when the line does not fit.
  virtual bool ParseLineValue(const KString& value, const KString* minimum, const KString* maximum);
  // Appends ",minimum,maximum" when the node has a range.
  virtual void AppendRange(KString& text) const { (void)text; }

 protected:
  // Reads a value of type T with an optional new range: the range given (or else the node's own) must
  // admit the value. On success `bounds` and `result` are updated; on failure they are left as they were.
  template <typename T>
  static bool ParseBounded(const KString& value, const KString* minimum, const KString* maximum,
                           bool (*parse)(const KString&, T&), KRBounds<T>& bounds, T& result) {
    KRBounds<T> wanted = bounds;
    if (minimum != nullptr || maximum != nullptr) {
      if (minimum == nullptr || maximum == nullptr || !parse(*minimum, wanted.minimum) ||
          !parse(*maximum, wanted.maximum) || wanted.maximum < wanted.minimum) {
        return false;
      }
      wanted.present = true;
    }
    T parsed{};
    if (!parse(value, parsed) || !wanted.Admits(parsed)) {
      return false;
    }
    bounds = wanted;
    result = parsed;
    return true;
  }

 private:
  bool hasNumber = false;
  int32_t number = 0;
};
