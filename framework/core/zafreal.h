// The edit field for a real number: its text follows a real data object, which other objects may share,
// and is checked against the field's format and range list.
#ifndef FRAMEWORK_CORE_ZAFREAL_H
#define FRAMEWORK_CORE_ZAFREAL_H

#include "framework/core/zafnumberfield.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafrealdata.h"

class ZafReal : public ZafNumberField<ZafReal, ZafRealData> {
 public:
  static constexpr ZafClassID kClassID = ID_ZAF_REAL;
  static constexpr const ZafIChar* kClassName = u"ZafReal";

  using ZafNumberField::ZafNumberField;

  // The value after the text is read into it.
  double Value() { return NumberValue(); }
  int SetValue(double value) { return SetNumberValue(value); }
  ZafRealData* RealData() const { return NumberData(); }
  void SetRealData(ZafRealData* data) { SetNumberData(data); }
};

#endif
