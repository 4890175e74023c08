#pragma once
// A rational setting (KRational: kept reduced, the sign in the numerator). Its text is "num/den"; one
// whole number n reads as n/1.

#include "foundation/krational.h"
#include "foundation/krvalue.h"

class KRRat : public KRValue {
 public:
  const KRational& Value() const { return value; }
  // Direct store.
  void Set(const KRational& newValue) { value = newValue; }

  const char16_t* TypeName() const override { return u"Rat"; }
  void AppendValue(KString& text) const override;
  bool ParseValue(const KString& text) override;
  std::unique_ptr<KRNode> CreateNode() const override { return std::make_unique<KRRat>(); }

 private:
  KRational value;
};
