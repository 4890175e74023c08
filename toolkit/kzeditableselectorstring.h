// The one-line field an editable selector opens over a cell. It never closes itself: Enter, Escape and a
// press outside it put an EndEditEvent for its selector at the head of the event queue, and the selector
// closes it once the field's own event has returned. While it edits it keeps the pointer capture and the
// focus, so that a press anywhere else reaches it. Every way out but Escape keeps what was typed: a press
// outside stores it as Enter does and then goes where it landed, and the keys that open the menu bar store
// it and let go of the pointer and the focus for the menu. The second click of a double click whose first
// click opened the field is the field's double click, though the window system paired nothing: the two
// clicks went to different windows. A press of another button in between breaks that pair.
#ifndef TOOLKIT_KZEDITABLESELECTORSTRING_H
#define TOOLKIT_KZEDITABLESELECTORSTRING_H

#include <optional>

#include "foundation/krect.h"
#include "native/user/nativetypes.h"
#include "toolkit/kzstring.h"

class KZEditableSelector;

class KZEditableSelectorString : public KZString {
 public:
  // Over the pixel rectangle of the selector, with the text, no length limit and no border.
  KZEditableSelectorString(KZEditableSelector* owner, const KRect& pixels, const ZafIChar* text);
  // Lets go of the pointer capture.
  ~KZEditableSelectorString() override;

  // The field that edits now, found by the pointer capture it holds; null when none does.
  static KZEditableSelectorString* Open();

  // Whether the key is one of the field's own editing keys that a menu hot key could match (Ctrl+A, C, V,
  // X: select all, copy, paste, cut), which the field keeps whatever the menu's texts name.
  static bool KeepsKey(const ZafEventRecord& event);

  // Asks the selector, ahead of every queued event, to close the field for that reason.
  void EndEdit(ZafEventType reason);
  // Gives up the pointer capture, and the focus to the selector, for good: a menu or a question that
  // opens while the field waits for its close takes the input.
  void LetGo();

  // The press, as the list got it, that opened the field.
  void OpenedByPress(const native::MSG& press) { openingPress = press; }
  // The press outside the field that ended its edit, as the field got it; none when anything else did. It
  // goes where it landed only once the close is over.
  const std::optional<native::MSG>& PressOutside() const { return pressOutside; }

  ZafEventType Event(const ZafEventRecord& event) override;

  KZEditableSelector* const owner;

 private:
  // The pointer event outside the field: a press ends the edit as Enter does and goes on where it landed.
  ZafEventType PointerOutside(const ZafEventRecord& event, ZafEventType code);
  // The field's first press, made a double click when it is the second click of the one that opened the
  // field: close enough to it in time and place, as the window system pairs two clicks in one window.
  ZafEventRecord PairedWithOpeningPress(const ZafEventRecord& press);
  // Takes the pointer capture and the focus back after any event while the field edits.
  void HoldCaptureAndFocus();

  bool captured = false;
  std::optional<native::MSG> openingPress;
  std::optional<native::MSG> pressOutside;
};

#endif
