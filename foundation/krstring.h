#pragma once
// A text setting, with an optional setter callback through which the object attached to the node learns
// of every change.

#include "foundation/krvalue.h"

class KRString : public KRValue {
 public:
  // Stores `text` in the node (with KRString::SetText, possibly changed) and does whatever the attached
  // object needs; returns whether the text was taken.
  using Callback = bool (*)(KRString* node, const KString& text, void* userData);

  const KString& Value() const { return value; }
  // Direct store: no callback.
  void SetText(const KString& text) { value = text; }
  void SetCallback(Callback function, void* data) {
    callback = function;
    userData = data;
  }
  // Stores the text through the callback with the node's user data, or directly without a callback.
  bool NotifyChanged(const KString& text);

  const char16_t* TypeName() const override { return u"String"; }
  void AppendValue(KString& text) const override { text.Append(value); }
  bool ParseValue(const KString& text) override { return NotifyChanged(text); }
  std::unique_ptr<KRNode> CreateNode() const override { return std::make_unique<KRString>(); }

 private:
  KString value;
  Callback callback = nullptr;
  void* userData = nullptr;
};
