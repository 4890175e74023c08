// How a window's keys find their object: the hot key offered round the window's objects, and the child
// that Tab, Shift+Tab and the arrow keys move the focus to.
#ifndef FRAMEWORK_WIN32_ZAFWINDOWKEYS_H
#define FRAMEWORK_WIN32_ZAFWINDOWKEYS_H

#include <vector>

#include "framework/core/zafeventtypes.h"
#include "native/user/nativetypes.h"

class ZafEventRecord;
class ZafWindow;
class ZafWindowObject;

class ZafWindowKeys {
 public:
  // Offers the event to `first` (when given) and then to every other object of the window, support
  // objects first, until one answers other than UnknownEventResult (or, when `refusalPasses`, other than
  // -1 as well). Answers that answer, or the last one given (UnknownEventResult when nobody was asked).
  static ZafEventType Offer(ZafWindow& window, const ZafEventRecord& event, ZafWindowObject* first,
                            bool refusalPasses);
  // The child that Tab (forward) or Shift+Tab (backward) moves to from the current child: the next one
  // in the child list, wrapping at its ends, that is neither disabled nor non-current, itself or through a
  // parent. Null when nothing may take the focus or the current object is a support object.
  static ZafWindowObject* TabTarget(ZafWindow& window, bool backward);
  // The controls of a dialog in the order Tab reaches them: its children in child order, a notebook by its
  // tab row and then its shown page's controls, a plain window among them (a box of fields) by its own
  // controls, and a window that chooses one of its children (a group of radio buttons) as one control.
  static std::vector<ZafWindowObject*> DialogTabStops(ZafWindow& dialog);
  // The control that Tab (forward) or Shift+Tab (backward) moves to in the dialog from `from` (the object
  // the key reached), wrapping at the ends; null when nothing may take the focus.
  static ZafWindowObject* DialogTabTarget(ZafWindow& dialog, const ZafWindowObject* from, bool backward);
  // The child an arrow key (VK_LEFT, VK_UP, VK_RIGHT or VK_DOWN) moves to from the current child, by the
  // rule the native dialogs follow too (native::arrowTarget): among the eligible children that overlap it
  // across the direction of travel, the nearest one in that direction, else the farthest one back
  // (wrapping round). Ties go to the earlier child. Null without a current child or a candidate.
  static ZafWindowObject* ArrowTarget(ZafWindow& window, native::UINT virtualKey);
  // Whether `object` is `container` or lies inside it.
  static bool Holds(const ZafWindowObject* container, const ZafWindowObject* object);
  // Whether the object may take the focus from the keyboard.
  static bool Eligible(const ZafWindowObject& object);
};

#endif
