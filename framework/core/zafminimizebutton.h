// The minimize button of a window frame: choosing it asks the window to shrink to an icon (or, given one of
// the other codes it may send, to restore, or to minimize or restore the current child of a
// multiple-document frame).
#ifndef FRAMEWORK_CORE_ZAFMINIMIZEBUTTON_H
#define FRAMEWORK_CORE_ZAFMINIMIZEBUTTON_H

#include "framework/core/zafframebutton.h"

class ZafMinimizeButton : public ZafFrameButton {
 public:
  // Sends MinimizeEvent when chosen.
  ZafMinimizeButton();
  ZafMinimizeButton(const ZafMinimizeButton& other);

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
