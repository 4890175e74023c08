// The one-line field an editable selector opens over a cell. It never closes itself: Enter, Escape and a
// press outside it put an EndEditEvent for its selector at the head of the event queue, and the selector
// closes it once the field's own event has returned. While it lives it keeps the pointer capture and the
// focus, so that a press anywhere else reaches it.
#ifndef TOOLKIT_KZEDITABLESELECTORSTRING_H
#define TOOLKIT_KZEDITABLESELECTORSTRING_H

#include "foundation/krect.h"
#include "toolkit/kzstring.h"

class KZEditableSelector;

class KZEditableSelectorString : public KZString {
 public:
  // Over the pixel rectangle of the selector, with the text, no length limit and no border.
  KZEditableSelectorString(KZEditableSelector* owner, const KRect& pixels, const ZafIChar* text);
  // Lets go of the pointer capture.
  ~KZEditableSelectorString() override;

  // Asks the selector, ahead of every queued event, to close the field for that reason.
  void EndEdit(ZafEventType reason);

  ZafEventType Event(const ZafEventRecord& event) override;

  KZEditableSelector* const owner;

 private:
  // The pointer event outside the field: ends the edit on a press.
  ZafEventType PointerOutside(ZafEventType code);
  // Takes the pointer capture and the focus back after any event while the field lives.
  void HoldCaptureAndFocus();

  bool captured = false;
};

#endif
