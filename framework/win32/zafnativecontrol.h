// What the fields' and labels' native controls share: the common styles of the edit controls, the font,
// taking a control's text into the field's data, the keys an edit control keeps, and the system colours.
#ifndef FRAMEWORK_WIN32_ZAFNATIVECONTROL_H
#define FRAMEWORK_WIN32_ZAFNATIVECONTROL_H

#include <cstdint>

#include "framework/core/zafeventtypes.h"
#include "framework/data/zafpalettestruct.h"
#include "native/gdi/gditypes.h"
#include "native/user/nativetypes.h"

class ZafElement;
class ZafEventRecord;
class ZafStringData;
class ZafWindowObject;

// Disabled (itself or through a parent, unless in edit mode), visible, and the border of a bordered,
// natively drawn field: a client edge in the three-dimensional look, else a line.
void ZafEditStyles(ZafWindowObject& field, native::DWORD& style, native::DWORD& extendedStyle);
// The answer to a control's colour request: the text colour from `text`'s foreground, the background from
// `background`'s, both with the display's palette, and the display's cached brush of the background (null
// without a screen display).
ZafEventType ZafControlColors(native::HDC context, const ZafPaletteStruct& text,
                              const ZafPaletteStruct& background);
// Gives the control the font of the field's text palette, without redrawing.
void ZafSetControlFont(ZafWindowObject& field);
// A list control's new palettes: the font of its text palette with drawing held off meanwhile (drawing
// comes back when the control updates itself and shows), then the control drawn again. Nothing without
// a control.
void ZafRefontListControl(ZafWindowObject& control);
// A new edit control's set-up: the data's maximum length as its limit (none without one) and the font.
void ZafPrepareEditControl(ZafWindowObject& field, const ZafStringData& data);
// Copies the control's text into `data`; the observer's own row is silenced meanwhile, so that the change
// is not pushed back into the control, while every other observer hears of it.
void ZafTakeControlText(native::HWND control, ZafStringData& data, ZafElement* observer);
// Shows the data's text in the control.
void ZafShowControlText(native::HWND control, const ZafStringData& data);
// Puts the caret at `position`, or selects the whole text, and scrolls the caret into view.
void ZafPlaceCaret(native::HWND control, int position);
void ZafSelectAll(native::HWND control);
// The cut, copy and paste requests (CutEvent, CopyEvent, PasteEvent) as the control's own messages: false
// for any other event.
bool ZafSendClipboardRequest(native::HWND control, ZafEventType request);
// What an edit control makes of a key message the framework did not take (`answer` -2): 0 when the control
// keeps the key, else -2 so that the framework moves the focus or maps the key.
ZafEventType ZafEditKeyAnswer(ZafEventType answer, native::WPARAM key);
// Whether a key typed into a field stays with its control: letters, digits, the number pad, Space up to the
// arrow keys, and Backspace. Every other key is the framework's.
bool ZafControlKeepsKey(native::WPARAM key);
// Runs the object's user callback with a copy of the event and the code: how a list's control tells its
// items that they were chosen.
ZafEventType ZafCallUserCallback(ZafWindowObject& object, const ZafEventRecord& event, ZafEventType code);
// Fills one native colour when its palette byte asks for the system's default and nothing filled it yet.
void ZafFillSystemColor(uint8_t colorByte, uint32_t& nativeColor, native::COLORREF systemColor);
// The same for a palette's foreground and background.
void ZafFillSystemColors(ZafPaletteStruct& palette, native::COLORREF foreground, native::COLORREF background);
// The same with the window colour for both, the background of text a user edits.
void ZafFillWindowColor(ZafPaletteStruct& palette);

#endif
