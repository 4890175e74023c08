#pragma once
// A printf-style format of one value, as number formats in the settings text are written: literal text
// and "%%" around exactly one conversion. d i u x X o format the value as an integer (u x X o as its
// unsigned 32-bit form), f F e E g G as a double; a value of the other kind is converted (a double to an
// integer rounds toward 0 and saturates). Length modifiers (l, h, L) are accepted and ignored: the value's
// type is known. Widths and precisions have at most three digits. The decimal point is always '.',
// whatever the process locale.

#include "foundation/kstring.h"

#include <cstdint>
#include <string>

class KValueFormat {
 public:
  explicit KValueFormat(const KString& format);

  // False for a format without a conversion, with more than one, or with one not listed above.
  bool IsValid() const { return valid; }
  // Appends the formatted value to `out`; false, appending nothing, when the format is not valid.
  bool Append(KString& out, double value) const;
  bool Append(KString& out, int32_t value) const;

 private:
  bool Parse(const KString& format);
  void AppendFormatted(KString& out, double real, int32_t integer) const;

  std::u16string before;            // the text before the conversion
  std::string flagsWidthPrecision;  // "%-08.3": the conversion without its letter
  char conversion = 0;
  std::u16string after;  // the text after the conversion
  bool valid = false;
};
