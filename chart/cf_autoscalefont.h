// A font description that scales with the chart: its character size is a percentage of a reference
// rectangle (by default the window's draw region), measured in twips. Text is drawn unrotated; the angle
// only shifts where rotated text is placed.
#ifndef CHART_CF_AUTOSCALEFONT_H
#define CHART_CF_AUTOSCALEFONT_H

#include <cstdint>

#include "chart/bf_fontspec.h"
#include "chart/cf_2drect.h"

class bf_Display;

class cf_AutoScaleFontSpec : public bf_FontSpec {
 public:
  static constexpr double kDefaultSizePercent = 5.0;
  static constexpr double kDefaultAspectPercent = 45.0;
  static constexpr double kDefaultScaleFactor = 1.33333333;
  static constexpr double kDefaultDivisor = 400.0;

  cf_AutoScaleFontSpec();
  explicit cf_AutoScaleFontSpec(const bf_FontSpec& font) : bf_FontSpec(font) {}

  // A value of 0 or less takes the default.
  void SetSizePercent(double percent);
  void SetAspectPercent(double percent);
  void SetScaleFactor(double factor);
  void SetDivisor(double value);
  double SizePercent() const { return sizePercent; }
  double AspectPercent() const { return aspectPercent; }
  double ScaleFactor() const { return scaleFactor; }
  double Divisor() const { return divisor; }
  // Switches auto-scaling on with the size percent.
  void SetAutoSize(double percent);
  uint8_t AutoScale() const { return autoScale; }
  // Whole degrees; stored in tenths.
  void SetAngle(int32_t degrees);
  int32_t Angle() const { return angleTenths / 10; }
  double AngleRadians() const;
  void SetFont(const bf_FontSpec& font) { static_cast<bf_FontSpec&>(*this) = font; }
  // A reference in pixels, used instead of the window's draw region.
  void SetReferenceRect(const cf_2DRect& rect);
  void SetUseWindow(uint8_t on) { useWindow = on; }

  // Character width and height in twips for the reference: x is the width, y the height.
  cf_2DPoint LogicalFontDimension(const bf_Display& display) const;
  // The font to draw with: a font index stays as it is; a described font gets the scaled
  // character height as its size. The display has no scaled fonts, so a described result selects none and
  // the text keeps the display's font.
  bf_FontSpec CreateFont(const bf_Display& display) const;

 private:
  int32_t angleTenths = 0;
  uint8_t autoScale = 1;
  cf_2DRect referenceRect;
  uint8_t useWindow = 1;
  double sizePercent = kDefaultSizePercent;
  double aspectPercent = kDefaultAspectPercent;
  double scaleFactor = kDefaultScaleFactor;
  double divisor = kDefaultDivisor;
};

#endif
