// The edit field for a signed 32-bit integer: its text follows an integer data object, which other objects
// may share, and is checked against the field's format and range list.
#ifndef FRAMEWORK_CORE_ZAFINTEGER_H
#define FRAMEWORK_CORE_ZAFINTEGER_H

#include "framework/core/zafnumberfield.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafintegerdata.h"

class ZafInteger : public ZafNumberField<ZafInteger, ZafIntegerData> {
 public:
  static constexpr ZafClassID kClassID = ID_ZAF_INTEGER;
  static constexpr const ZafIChar* kClassName = u"ZafInteger";

  using ZafNumberField::ZafNumberField;

  // The value after the text is read into it.
  int32_t Value() { return NumberValue(); }
  int SetValue(int32_t value) { return SetNumberValue(value); }
  ZafIntegerData* IntegerData() const { return NumberData(); }
  void SetIntegerData(ZafIntegerData* data) { SetNumberData(data); }
};

#endif
