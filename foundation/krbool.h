#pragma once
// An on/off setting stored as 0 or 1. Its text reads 0/1, true/false and yes/no in any case and is
// written as 0 or 1.

#include <cstdint>

#include "foundation/krvalue.h"

class KRBool : public KRValue {
 public:
  uint8_t Value() const { return value; }
  // Direct store: 1 for any non-zero byte, else 0.
  void Set(uint8_t newValue) { value = newValue != 0 ? 1 : 0; }

  const char16_t* TypeName() const override { return u"Bool"; }
  void AppendValue(KString& text) const override { text.AppendChar(value != 0 ? u'1' : u'0'); }
  bool ParseValue(const KString& text) override;
  std::unique_ptr<KRNode> CreateNode() const override { return std::make_unique<KRBool>(); }

 private:
  uint8_t value = 0;
};
