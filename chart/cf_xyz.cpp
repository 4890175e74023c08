#include "chart/cf_xyz.h"

cf_XYZ::cf_XYZ(const cf_XYZ& other)
    : x(other.x),
      y(other.y),
      z(other.z),
      ownLabel(other.ownLabel ? std::make_unique<cf_String>(*other.ownLabel) : nullptr),
      sharedLabel(other.sharedLabel),
      hasLabel(other.hasLabel),
      flag(other.flag) {}

cf_XYZ& cf_XYZ::operator=(const cf_XYZ& other) {
  if (this != &other) {
    cf_XYZ copy(other);
    *this = std::move(copy);
  }
  return *this;
}

cf_XYZ::~cf_XYZ() = default;

cf_String& cf_XYZ::OwnLabel() {
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

void cf_XYZ::UseLabel(const cf_String* label) {
  if (!label) {
    return;
  }
  ownLabel.reset();
  sharedLabel = label;
  hasLabel = true;
}
