#pragma once
// The 8-point font of the chart panes' axis labels, made on a display when the first pane needs it and
// given back when the last pane goes. A font described by face and size would not be selected by the chart;
// a display font slot is.

#include <cstdint>

class ZafGdiDisplay;

class ChartLabelFont {
 public:
  // Takes one hold on the font of the display (made when it is the first), and answers its slot; -1 when
  // the display is no drawing display or has no free slot.
  explicit ChartLabelFont(ZafGdiDisplay* display);
  ~ChartLabelFont();
  ChartLabelFont(const ChartLabelFont&) = delete;
  ChartLabelFont& operator=(const ChartLabelFont&) = delete;

  int32_t Slot() const;

  // The face and size the labels use.
  static constexpr const char16_t* kFace = u"helvetica";
  static constexpr int32_t kPointSize = 8;

 private:
  ZafGdiDisplay* display;
};
