// An entry field on a tool bar: an empty one-line field of a pixel width.
#ifndef TOOLKIT_KZTBSTRING_H
#define TOOLKIT_KZTBSTRING_H

#include <cstdint>

#include "toolkit/kzstring.h"

class KZTBString : public KZString {
 public:
  // `width` pixels wide and one text line high.
  KZTBString(int maxLength, int32_t width);
  ~KZTBString() override;
};

#endif
