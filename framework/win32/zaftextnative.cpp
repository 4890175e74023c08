// The text field's native multi-line "EDIT" control: its style, the text kept in step with the string data
// both ways, the caret by position or by line and column, word wrap by making the control anew, the keys
// and colours, and the framework's own drawing of a field the platform does not draw.
#include <algorithm>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafstring.h"
#include "framework/core/zaftext.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafnativecontrol.h"
#include "framework/win32/zafwindowobjectdrag.h"
#include "native/native.h"

namespace {

ZafEventType Default(const ZafEventRecord& event) {
  return ZafWindowObjectDrag::DefaultProcedure(event);
}

}  // namespace

void ZafText::CreateNative() {
  if (!nativeDrawing) {
    // The framework draws the field in a window of its own class.
    ZafWindowObject::CreateNative();
    return;
  }
  native::DWORD style = native::WS_CHILD | native::WS_CLIPSIBLINGS | native::ES_MULTILINE |
                        native::ES_AUTOVSCROLL | native::ES_WANTRETURN;
  native::DWORD extendedStyle = 0;
  ZafEditStyles(*this, style, extendedStyle);
  if (HorizontalScrollBar()) {
    style |= native::WS_HSCROLL;
  }
  if (VerticalScrollBar()) {
    style |= native::WS_VSCROLL;
  }
  if (!wordWrap) {
    style |= native::ES_AUTOHSCROLL;
  }
  if (justification == 1) {
    style |= native::ES_RIGHT;
  } else if (justification == 2) {
    style |= native::ES_CENTER;
  }
  if (viewOnly) {
    style |= native::ES_READONLY;
  }
  screenID = ZafCreateWindow(this, u"EDIT", style, stringData->Text(), nullptr, extendedStyle);
  if (!screenID) {
    return;
  }
  ZafPrepareEditControl(*this, *stringData);
  // Showing the text for the first time is no change by the user.
  const bool wasChanged = changed;
  UpdateNativeText();
  changed = wasChanged;
}

int ZafText::UpdateNativeText() {
  if (unanswered) {
    stringData->SetText(u"");
  }
  if (OwnControl()) {
    ZafShowControlText(screenID, *stringData);
    return 0;
  }
  Event(ZafEventRecord(DrawNowEvent, 0));
  return 0;
}

void ZafText::GetNativeText() {
  if (OwnControl()) {
    ZafTakeControlText(screenID, *stringData, this);
  }
}

int ZafText::SetCursorPosition(int position) {
  if (!screenID) {
    return 8;
  }
  ZafPlaceCaret(screenID, position);
  return 0;
}

int ZafText::SetCursorLineColumn(int column, int line) {
  if (!screenID) {
    return 8;
  }
  const auto lines = native::SendMessage(screenID, native::EM_GETLINECOUNT, 0, 0);
  native::LRESULT position = 0;
  if (line < 0 || line >= lines) {
    // Past the last line (or before the first): the end of the text.
    position = native::SendMessage(screenID, native::WM_GETTEXTLENGTH, 0, 0);
  } else {
    const auto first =
        native::SendMessage(screenID, native::EM_LINEINDEX, static_cast<native::WPARAM>(line), 0);
    const auto length =
        native::SendMessage(screenID, native::EM_LINELENGTH, static_cast<native::WPARAM>(first), 0);
    position = first + std::clamp<native::LRESULT>(column, 0, length);
  }
  return SetCursorPosition(static_cast<int>(position));
}

int ZafText::CursorPosition() {
  if (!screenID) {
    return 0;
  }
  native::DWORD start = 0;
  native::SendMessage(screenID, native::EM_GETSEL, reinterpret_cast<native::WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void ZafText::CursorLineColumn(int& column, int& line) {
  column = 0;
  line = 0;
  if (!screenID) {
    return;
  }
  const int start = CursorPosition();
  line = static_cast<int>(
      native::SendMessage(screenID, native::EM_LINEFROMCHAR, static_cast<native::WPARAM>(start), 0));
  column = start - static_cast<int>(native::SendMessage(screenID, native::EM_LINEINDEX,
                                                        static_cast<native::WPARAM>(line), 0));
}

bool ZafText::SetWordWrap(bool flag) {
  if (flag == wordWrap) {
    return wordWrap;
  }
  wordWrap = flag;
  if (!screenID) {
    return wordWrap;
  }
  // The wrapping is the control's style: the control is made anew, the text and caret carried over.
  GetNativeText();
  const int caret = CursorPosition();
  const native::HWND parentWindow = parent ? parent->ScreenID() : nullptr;
  if (parentWindow) {
    native::UpdateWindow(parentWindow);
    native::SendMessage(parentWindow, native::WM_SETREDRAW, native::FALSE, 0);
  }
  Event(ZafEventRecord(DestroyEvent, 0));
  Event(ZafEventRecord(CreateEvent, 0));
  if (parentWindow && parent->IsAutomaticUpdateUp()) {
    native::SendMessage(parentWindow, native::WM_SETREDRAW, native::TRUE, 0);
  }
  SetCursorPosition(caret);
  Event(ZafEventRecord(RedisplayEvent, 0));
  return wordWrap;
}

void ZafText::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  if (type == ZAF_PM_BACKGROUND) {
    ZafFillWindowColor(palette);
    return;
  }
  ZafWindowObject::SetDisplayColors(palette, type, state);
}

ZafEventType ZafText::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  switch (code) {
    case E_OSEVENT:
      return NativeEvent(event);
    case CopyEvent:
    case PasteEvent:
    case CutEvent:
      ZafSendClipboardRequest(screenID, code);
      return code;
    case FocusLoseEvent: {
      const ZafEventType result = ZafWindowObject::Event(event);
      if (result == 0) {
        unanswered = false;
      } else if (result == ZAF_ERROR_KEPT) {
        invalid = true;
        unanswered = false;
      }
      return result;
    }
    case AddObjectEvent:
    case SubtractObjectEvent:
      return ZafWindow::Event(event);
    case FocusGainedEvent:
      if (autoSelect && screenID) {
        ZafSelectAll(screenID);
      }
      return ZafWindowObject::Event(event);
    case FocusLostEvent:
      GetNativeText();
      return ZafWindowObject::Event(event);
    default:
      return ZafWindowObject::Event(event);
  }
}

ZafEventType ZafText::NativeEvent(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  if (editMode && ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE) {
    return ZafWindowObject::Event(event);
  }
  switch (message.message) {
    case native::WM_PAINT:
    case native::WM_ERASEBKGND:
      return nativeDrawing ? Default(event) : ZafWindowObject::NativeEvent(event);
    case native::WM_WINDOWPOSCHANGED:
      return ZafWindow::NativeEvent(event);
    case native::WM_KEYDOWN:
    case native::WM_KEYUP: {
      if (message.wParam == native::VK_TAB) {
        return UnknownEventResult;
      }
      const ZafEventType answer = ZafEditKeyAnswer(ZafWindowObject::NativeEvent(event), message.wParam);
      // Return is a new line of an editable field, not a press of its window's default button.
      return message.wParam == native::VK_RETURN && !viewOnly ? static_cast<ZafEventType>(message.message)
                                                              : answer;
    }
    case native::WM_CHAR:
      // The control makes a new line of a carriage return itself.
      return message.wParam == u'\r' ? Default(event) : ZafWindowObject::NativeEvent(event);
    case native::WM_COMMAND:
      if (native::HIWORD(message.wParam) == native::EN_CHANGE) {
        SetChanged(true);
        unanswered = false;
      }
      return event.type;
    default:
      return ZafWindowObject::NativeEvent(event);
  }
}

ZafEventType ZafText::Draw(const ZafEventRecord&, ZafEventType drawType) {
  if (!display) {
    return drawType;
  }
  ZafRegionStruct area = BeginDraw();
  if (bordered) {
    DrawBorder(area, drawType);
  }
  DrawBackground(area, drawType == DrawNowEvent ? RedisplayEvent : drawType);
  if (drawType == RedisplayEvent || drawType == RedisplayRegionEvent || drawType == DrawNowEvent) {
    display->SetPalette(LogicalPalette(ZAF_PM_TEXT, PaletteState()));
    const native::HDC context = display->DeviceContext();
    native::RECT box{area.left + 1, area.top + 1, area.right + 1, area.bottom + 1};
    const ZafIChar* text = stringData->Text();
    native::SetBkMode(context, native::TRANSPARENT);
    native::DrawText(context, text ? text : u"", -1, &box, native::DT_WORDBREAK);
  }
  EndDraw();
  return drawType;
}
