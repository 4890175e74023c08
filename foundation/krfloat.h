#pragma once
// A double-precision setting with an optional range that refuses values outside it. Its text uses '.' as
// the decimal point whatever the process locale, with the fewest digits that read back as the same double.

#include "foundation/krvalue.h"

class KRFloat : public KRValue {
 public:
  double Value() const { return value; }
  // Direct store: no range check.
  void Set(double newValue) { value = newValue; }
  const KRBounds<double>& Bounds() const { return bounds; }

  const char16_t* TypeName() const override { return u"Float"; }
  void AppendValue(KString& text) const override { AppendNumber(text, value); }
  bool ParseValue(const KString& text) override { return ParseLineValue(text, nullptr, nullptr); }
  bool ParseLineValue(const KString& text, const KString* minimum, const KString* maximum) override;
  void AppendRange(KString& text) const override;
  std::unique_ptr<KRNode> CreateNode() const override { return std::make_unique<KRFloat>(); }

  // A finite decimal number ("-3", "0.25", "1e-7"); blanks around it are ignored, infinities and
  // not-a-number are refused.
  static bool ParseNumber(const KString& text, double& number);
  static void AppendNumber(KString& text, double number);

 private:
  double value = 0.0;
  KRBounds<double> bounds;
};
