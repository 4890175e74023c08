#include "chart/cf_xyz.h"

cf_XYZ::cf_XYZ(const cf_XYZ& other)
    : x(other.x),
      y(other.y),
      z(other.z),
      ownLabel(other.ownLabel ? std::make_unique<cf_String>(*other.ownLabel) : nullptr),
      sharedLabel(other.sharedLabel),
      hasLabel(other.hasLabel),
      labelFromX(other.labelFromX),
      keyLabel(other.keyLabel),
      flag(other.flag) {}

cf_XYZ& cf_XYZ::operator=(const cf_XYZ& other) {
  if (this != &other) {
    cf_XYZ copy(other);
    *this = std::move(copy);
  }
  return *this;
}

void cf_XYZ::MakeLabelFromX() const {
  ownLabel = std::make_unique<cf_String>(x, kNumberFormat);
  labelFromX = false;
}

const cf_String* cf_XYZ::Label() const {
  if (labelFromX) {
    MakeLabelFromX();
  }
  return ownLabel ? ownLabel.get() : sharedLabel;
}

cf_String& cf_XYZ::OwnLabel() {
  if (labelFromX) {
    MakeLabelFromX();
  }
  if (!ownLabel) {
    ownLabel = std::make_unique<cf_String>(sharedLabel ? sharedLabel->Text() : nullptr);
    sharedLabel = nullptr;
  }
  return *ownLabel;
}

void cf_XYZ::SetLabel(const ZafIChar* text) {
  cf_String& label = OwnLabel();
  if (text) {
    label.Assign(text);
  }
  hasLabel = true;
}

void cf_XYZ::SetLabelNumber(double value, const ZafIChar* format) {
  OwnLabel().SetNumber(value, format);
  hasLabel = true;
}

void cf_XYZ::SetLabelNumber(int32_t value, const ZafIChar* format) {
  OwnLabel().SetNumber(value, format);
  hasLabel = true;
}

void cf_XYZ::SetLabelToX() {
  ownLabel.reset();
  sharedLabel = nullptr;
  hasLabel = true;
  labelFromX = true;
}

void cf_XYZ::UseLabel(const cf_String* label) {
  if (!label) {
    return;
  }
  ownLabel.reset();
  labelFromX = false;
  sharedLabel = label;
  hasLabel = true;
}
