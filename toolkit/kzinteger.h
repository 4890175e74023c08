// The toolkit's integer field: checked against its range unless that is the whole 32-bit range.
#ifndef TOOLKIT_KZINTEGER_H
#define TOOLKIT_KZINTEGER_H

#include "framework/core/zafinteger.h"
#include "toolkit/kznumberfield.h"

class KZInteger : public KZNumberField<ZafInteger> {
 public:
  using KZNumberField::KZNumberField;
};

#endif
