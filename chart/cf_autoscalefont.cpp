#include "chart/cf_autoscalefont.h"

#include <cmath>
#include <cstdlib>

#include "chart/bf_display.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292;

double PositiveOr(double value, double fallback) {
  return value > 0 ? value : fallback;
}

int32_t Truncated(double value) {
  return std::isfinite(value) && std::abs(value) < 2147483647.0 ? static_cast<int32_t>(value) : 0;
}

}  // namespace

cf_AutoScaleFontSpec::cf_AutoScaleFontSpec() {
  face.Assign(u"SystemVariable");
  size = 10;
  fontIndex = -1;
  described = 1;
}

void cf_AutoScaleFontSpec::SetSizePercent(double percent) {
  sizePercent = PositiveOr(percent, kDefaultSizePercent);
}

void cf_AutoScaleFontSpec::SetAspectPercent(double percent) {
  aspectPercent = PositiveOr(percent, kDefaultAspectPercent);
}

void cf_AutoScaleFontSpec::SetScaleFactor(double factor) {
  scaleFactor = PositiveOr(factor, kDefaultScaleFactor);
}

void cf_AutoScaleFontSpec::SetDivisor(double value) {
  divisor = PositiveOr(value, kDefaultDivisor);
}

void cf_AutoScaleFontSpec::SetAutoSize(double percent) {
  autoScale = 1;
  SetSizePercent(percent);
}

void cf_AutoScaleFontSpec::SetAngle(int32_t degrees) {
  angleTenths = degrees * 10;
}

double cf_AutoScaleFontSpec::AngleRadians() const {
  return Angle() * kRadiansPerDegree;
}

void cf_AutoScaleFontSpec::SetReferenceRect(const cf_2DRect& rect) {
  referenceRect = rect;
  useWindow = 0;
}

cf_2DPoint cf_AutoScaleFontSpec::LogicalFontDimension(const bf_Display& display) const {
  // Without auto-scaling the size would come from the selected font's metrics, which the display does not
  // report to the chart.
  if (!autoScale) {
    return {};
  }
  // The stored reference stays in pixels: each call converts a copy.
  cf_2DRect reference = useWindow ? display.GetDrawRegion() : referenceRect;
  display.RectToTwips(reference);
  const double h = std::abs(static_cast<double>(reference.Height()));
  const double w = std::abs(static_cast<double>(reference.Width()));
  if (h <= w) {
    const int32_t height = Truncated(Truncated(sizePercent) * (h * scaleFactor) / divisor);
    return {Truncated(height * aspectPercent * 0.01), height};
  }
  const int32_t width = Truncated(w * sizePercent / (divisor * scaleFactor));
  return {width, Truncated(width * 100.0 / aspectPercent)};
}

bf_FontSpec cf_AutoScaleFontSpec::CreateFont(const bf_Display& display) const {
  if (!described) {
    return *this;
  }
  bf_FontSpec result;
  result.face = face;
  result.size = LogicalFontDimension(display).y;
  result.fontIndex = -1;
  result.described = 1;
  return result;
}
