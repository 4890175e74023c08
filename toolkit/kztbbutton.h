// A push button on a tool bar, sized from its picture or from a width in character cells. Released on a
// bar that asks for it, it gives the focus back to the bar's window, so that the keys go on working there.
#ifndef TOOLKIT_KZTBBUTTON_H
#define TOOLKIT_KZTBBUTTON_H

#include <cstdint>

#include "toolkit/kzbutton.h"

class KZTBButton : public KZButton {
 public:
  // Pixels a button adds round its picture or its text line (bevel and pressed shift).
  static constexpr int32_t kFrame = 6;

  // The picture's size plus the extra size and the frame.
  KZTBButton(int32_t value, ZafBitmapData* bitmap, int32_t extraWidth, int32_t extraHeight);
  // `cells` character cells of the screen display wide, one line of the list font plus the frame high.
  KZTBButton(int32_t value, const ZafIChar* text, int32_t cells);
  ~KZTBButton() override;

  // The button's own handling; then a release of the first button notifies the bar's parent.
  ZafEventType Event(const ZafEventRecord& event) override;
};

#endif
