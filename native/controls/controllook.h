#pragma once
// The look of the standard controls in one place: the colours a control asks of its parent, bevels, the
// push-button frame, check marks, radio dots, focus marks, labels (grey when disabled) and the scroll bar and
// trackbar parts. Controls compute their rectangles and call these; changing the theme is this one file.

#include <string>

#include "native/gdi/gditypes.h"
#include "native/user/nativetypes.h"
#include "native/user/scrollbarstate.h"

namespace native {

class ControlLook {
 public:
  // Side of the check box and of the radio circle, and the gap between them and their label, in pixels.
  static constexpr int kCheckSize = 13;
  static constexpr int kCheckLabelGap = 4;
  // From a list entry's left edge to its text, in pixels.
  static constexpr int kListTextInset = 2;

  // Sends the WM_CTLCOLOR* message to the control's parent (to the control itself when it has none), which
  // may set the context's text and background colours; answers the parent's brush, or the system's default
  // for that message when the parent gives none.
  static HBRUSH askColors(HWND control, HDC dc, UINT ctlColorMessage);
  // The same, asking `asked` instead of the parent (the combo box asks for its parts).
  static HBRUSH askColors(HWND control, HDC dc, UINT ctlColorMessage, HWND asked);
  // The system's own answer to a WM_CTLCOLOR* message: sets the default colours and answers the brush.
  static HBRUSH defaultColors(HDC dc, UINT ctlColorMessage);
  // The control's font, or the default dialog font when it was given none.
  static HFONT fontOrDefault(HFONT font);
  // The height of a line of text in that font (the default one for null), in pixels.
  static int lineHeight(HWND control, HFONT font);

  // A push button's frame: a raised bevel, sunken while pushed, with a dark outline around a default
  // button. Answers the face inside the frame.
  static RECT pushFrame(HDC dc, const RECT& bounds, bool pushed, bool isDefault);
  static void checkBox(HDC dc, const RECT& box, bool checked, bool pushed, bool enabled);
  static void radioButton(HDC dc, const RECT& box, bool checked, bool pushed, bool enabled);
  // A group box's etched frame, its top edge through the middle of the label's line.
  static void groupFrame(HDC dc, const RECT& frame);
  static void focusMark(HDC dc, const RECT& rect);
  // Draws text with DrawText in the context's text colour, or in the grey of disabled text.
  static void label(HDC dc, const std::u16string& text, RECT rect, UINT format, bool enabled);

  // A list entry's text on the highlight colour when selected; otherwise on the background already there,
  // in the context's text colour (grey when disabled).
  static void listItem(HDC dc, const RECT& rect, const std::u16string& text, bool selected, bool enabled);
  // The button at the right of a drop-down combo box's field, with its downward arrow.
  static void dropButton(HDC dc, const RECT& button, bool pushed, bool enabled);

  // The background of an MDI client, behind its documents.
  static void workspace(HDC dc, const RECT& area);

  static void scrollBar(HDC dc, const RECT& bar, bool vertical, const ScrollBarState& state);
  static void trackbarChannel(HDC dc, const RECT& channel);
  static void trackbarThumb(HDC dc, const RECT& thumb, bool pushed, bool enabled);
  static void tick(HDC dc, const RECT& mark);

 private:
  static void bevel(HDC dc, const RECT& rect, bool raised);
  static void fill(HDC dc, const RECT& rect, int colorIndex);
};

}  // namespace native
