#pragma once
// A signed 32-bit setting, with an optional range that refuses values outside it, and an optional setter
// callback through which the object attached to the node learns of every change.

#include <cstdint>

#include "foundation/krvalue.h"

class KRInt : public KRValue {
 public:
  // Stores `value` in the node (with KRInt::Set) and does whatever the attached object needs; returns
  // whether the value was taken.
  using Callback = bool (*)(KRInt* node, int32_t value, void* userData);

  int32_t Value() const { return value; }
  // Direct store: no range check, no callback.
  void Set(int32_t newValue) { value = newValue; }
  void SetCallback(Callback function, void* data) {
    callback = function;
    userData = data;
  }
  // Stores the value through the callback with the node's user data, or directly without a callback.
  bool NotifyChanged(int32_t newValue);
  const KRBounds<int32_t>& Bounds() const { return bounds; }

  const char16_t* TypeName() const override { return u"Int"; }
  void AppendValue(KString& text) const override { text.AppendInt(value); }
  bool ParseValue(const KString& text) override { return ParseLineValue(text, nullptr, nullptr); }
  bool ParseLineValue(const KString& text, const KString* minimum, const KString* maximum) override;
  void AppendRange(KString& text) const override;
  std::unique_ptr<KRNode> CreateNode() const override { return std::make_unique<KRInt>(); }

  // A decimal integer with an optional sign; blanks around it are ignored.
  static bool ParseNumber(const KString& text, int32_t& number);

 private:
  int32_t value = 0;
  KRBounds<int32_t> bounds;
  Callback callback = nullptr;
  void* userData = nullptr;
};
