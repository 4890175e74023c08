// One data point of a chart: x, y and z in data units, an optional label that the point owns or shares
// with another, and a flag that the model and the engines use.
#ifndef CHART_CF_XYZ_H
#define CHART_CF_XYZ_H

#include <cstdint>
#include <memory>

#include "chart/cf_string.h"

class cf_XYZ {
 public:
  static constexpr const ZafIChar* kNumberFormat = u"%g";

  cf_XYZ() = default;
  cf_XYZ(double px, double py, double pz) : x(px), y(py), z(pz) {}
  // An owned label is copied; a shared one stays shared.
  cf_XYZ(const cf_XYZ& other);
  cf_XYZ& operator=(const cf_XYZ& other);
  cf_XYZ(cf_XYZ&&) noexcept = default;
  cf_XYZ& operator=(cf_XYZ&&) noexcept = default;
  ~cf_XYZ() = default;

  // Component-wise, without label, flag 1.
  cf_XYZ Add(const cf_XYZ& other) const { return {x + other.x, y + other.y, z + other.z}; }
  cf_XYZ Multiply(const cf_XYZ& other) const { return {x * other.x, y * other.y, z * other.z}; }

  // A label still to be made from x is made first, so that it keeps the x it was set for.
  void Set(double px, double py, double pz) {
    if (labelFromX) {
      MakeLabelFromX();
    }
    x = px;
    y = py;
    z = pz;
  }
  double X() const { return x; }
  double Y() const { return y; }
  double Z() const { return z; }
  uint8_t Flag() const { return flag; }
  void SetFlag(uint8_t value) { flag = value; }

  // The point gets a label of its own with the text (a null text keeps the label's text). A shared label is
  // let go rather than written, since it belongs to another point.
  void SetLabel(const ZafIChar* text);
  // The value formatted in full with a printf format, as a label of the point's own.
  void SetLabelNumber(double value, const ZafIChar* format);
  void SetLabelNumber(int32_t value, const ZafIChar* format);
  // The label is x formatted with kNumberFormat, made only when first read: the points of a long series
  // are filled far more often than their labels are drawn.
  void SetLabelToX();
  // Shares the label (not owned); null changes nothing.
  void UseLabel(const cf_String* label);
  // Null when the point has no label.
  const cf_String* Label() const;
  // True once a label was set, also to an empty text.
  bool HasLabel() const { return hasLabel; }
  // The key label of its axis: the one decided first and kept longest. The axis's other labels are thinned
  // counting from it, and a line title that would stand over it gives way.
  bool IsKeyLabel() const { return keyLabel; }
  void SetKeyLabel(bool on) { keyLabel = on; }

 private:
  cf_String& OwnLabel();
  void MakeLabelFromX() const;

  double x = 0;
  double y = 0;
  double z = 0;
  // Made on first read while labelFromX is set.
  mutable std::unique_ptr<cf_String> ownLabel;
  const cf_String* sharedLabel = nullptr;
  bool hasLabel = false;
  mutable bool labelFromX = false;
  bool keyLabel = false;
  uint8_t flag = 1;
};

#endif
