// The toolkit's real-number field: checked against its range unless that runs from the smallest positive
// normal double to the largest.
#ifndef TOOLKIT_KZREAL_H
#define TOOLKIT_KZREAL_H

#include "framework/core/zafreal.h"
#include "toolkit/kznumberfield.h"

class KZReal : public KZNumberField<ZafReal> {
 public:
  using KZNumberField::KZNumberField;
};

#endif
