// How a chart text is drawn: its scalable font, colours, placement about its anchor point, the two label
// options the axis labels read, and the printf format of numbers shown as text.
#ifndef CHART_CF_TEXTATTRIBS_H
#define CHART_CF_TEXTATTRIBS_H

#include <cstdint>

#include "chart/bf_color.h"
#include "chart/cf_autoscalefont.h"
#include "chart/cf_string.h"

class cf_TextAttribs : public cf_AutoScaleFontSpec {
 public:
  enum class Placement : uint8_t { Centre, Before, After };

  cf_TextAttribs() = default;
  cf_TextAttribs(bf_Color fore, bf_Color back) : foreColor(fore), backColor(back) {}

  // Centred both ways, black on white, no label option, format "%g".
  void Reset();

  bf_Color ForeColor() const { return foreColor; }
  void SetForeColor(bf_Color color) { foreColor = color; }
  bf_Color BackColor() const { return backColor; }
  void SetBackColor(bf_Color color) { backColor = color; }

  // Horizontal: the text's right, left or centre at the anchor.
  void SetRight() { horizontal = Placement::Before; }
  void SetLeft() { horizontal = Placement::After; }
  void SetCentreX() { horizontal = Placement::Centre; }
  bool IsRight() const { return horizontal == Placement::Before; }
  bool IsLeft() const { return horizontal == Placement::After; }
  bool IsCentreX() const { return horizontal == Placement::Centre; }
  // Vertical: the text's bottom, top or centre at the anchor.
  void SetBottom() { vertical = Placement::Before; }
  void SetTop() { vertical = Placement::After; }
  void SetCentreY() { vertical = Placement::Centre; }
  bool IsBottom() const { return vertical == Placement::Before; }
  bool IsTop() const { return vertical == Placement::After; }
  bool IsCentreY() const { return vertical == Placement::Centre; }
  // The top-left corner of a w x h text placed at the anchor.
  cf_2DPoint Place(const cf_2DPoint& anchor, int32_t w, int32_t h) const;

  // The options are set as a pair: one on, the other off.
  void SetLabelOptionA() { SetLabelOptions(1, 0); }
  void SetLabelOptionB() { SetLabelOptions(0, 1); }
  uint8_t LabelOptionA() const { return labelOptionA; }
  uint8_t LabelOptionB() const { return labelOptionB; }

  const cf_String& Format() const { return format; }
  void SetFormat(const ZafIChar* text) { format.Assign(text); }

 private:
  void SetLabelOptions(uint8_t a, uint8_t b) {
    labelOptionA = a;
    labelOptionB = b;
  }

  bf_Color foreColor = bf_Black;
  bf_Color backColor = bf_White;
  Placement horizontal = Placement::Centre;
  Placement vertical = Placement::Centre;
  uint8_t labelOptionA = 0;
  uint8_t labelOptionB = 0;
  cf_String format{u"%g"};
};

#endif
