// The chart's 16-bit text: labels, titles, names and number formats. Numbers are formatted in full through
// the framework's printf, however long the result.
#ifndef CHART_CF_STRING_H
#define CHART_CF_STRING_H

#include <cstdint>
#include <string>

#include "framework/data/zaftypes.h"

class cf_String {
 public:
  cf_String() = default;
  // A null text gives the empty string.
  cf_String(const ZafIChar* text);  // NOLINT(google-explicit-constructor): labels are built from literals
  cf_String(double value, const ZafIChar* format) { SetNumber(value, format); }
  cf_String(int32_t value, const ZafIChar* format) { SetNumber(value, format); }

  void Assign(const ZafIChar* text);
  void Append(const ZafIChar* text);
  // The value formatted with a printf format such as "%g" or "%d"; a null format gives the empty string.
  // The flag ' ("%'.0f") puts commas between the groups of three digits of the whole part.
  void SetNumber(double value, const ZafIChar* format);
  void SetNumber(int32_t value, const ZafIChar* format);
  void Clear() { text.clear(); }

  const ZafIChar* Text() const { return text.c_str(); }
  int32_t Length() const { return static_cast<int32_t>(text.size()); }
  bool operator==(const cf_String&) const = default;

 private:
  std::u16string text;
};

#endif
