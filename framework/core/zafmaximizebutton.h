// The maximize button of a window frame: choosing it asks the window to fill the screen (or, given one of
// the other codes it may send, to restore, or to maximize or restore the current child of a
// multiple-document frame).
#ifndef FRAMEWORK_CORE_ZAFMAXIMIZEBUTTON_H
#define FRAMEWORK_CORE_ZAFMAXIMIZEBUTTON_H

#include "framework/core/zafframebutton.h"

class ZafMaximizeButton : public ZafFrameButton {
 public:
  // Sends MaximizeEvent when chosen.
  ZafMaximizeButton();
  ZafMaximizeButton(const ZafMaximizeButton& other);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // The four pictures (normal, pressed, restore, restore pressed); null beyond them.
  static ZafBitmapData* Image(int index);

  // Stores the button's presence only: a read button is always a new one.
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);
};

#endif
