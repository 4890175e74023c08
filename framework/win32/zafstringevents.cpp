// What the string field makes of framework events and of its control's messages: Enter and leaving take
// the control's text and run the validation, selecting all on entry, cut, copy and paste, the keys the
// control keeps, the variable-name rule for typing and pasting, and the control's colours.
#include <algorithm>

#include "framework/core/zafstring.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/zafnativecontrol.h"
#include "framework/win32/zafwindowobjectdrag.h"
#include "native/native.h"

namespace {

ZafEventType Default(const ZafEventRecord& event) {
  return ZafWindowObjectDrag::DefaultProcedure(event);
}

ZafEventType MessageResult(native::UINT message) {
  return static_cast<ZafEventType>(message);
}

// The four-pixel strips at the right and bottom edges of a field of that size, which its border covers.
void RedisplayEdges(ZafWindowObject& field, const ZafRegionStruct& size) {
  const int32_t width = size.Width();
  const int32_t height = size.Height();
  const ZafRegionStruct strips[] = {{width - 3, 0, width - 1, height - 1, ZAF_PIXEL},
                                    {0, height - 3, width - 1, height - 1, ZAF_PIXEL}};
  for (const ZafRegionStruct& strip : strips) {
    ZafEventRecord redisplay(RedisplayRegionEvent, 0);
    redisplay.SetRegion(strip);
    field.ZafWindowObject::Event(redisplay);
  }
}

}  // namespace

ZafEventType ZafString::Event(const ZafEventRecord& event) {
  return StringEvent(event);
}

ZafEventType ZafString::StringEvent(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  switch (code) {
    case E_OSEVENT:
      return NativeEvent(event);
    case ValidityQueryEvent:
      return ValidityAnswer();
    case SetDataEvent:
      if (!event.windowObject) {
        SetStringData(static_cast<ZafStringData*>(stringData->Duplicate()));
      } else if (auto* other = dynamic_cast<ZafString*>(event.windowObject)) {
        SetStringData(other->StringData());
      }
      return code;
    case CopyDataEvent:
      if (auto* other = dynamic_cast<ZafString*>(event.windowObject)) {
        stringData->SetTextData(*other->StringData());
      }
      return code;
    case SizedEvent:
      if (OwnControl()) {
        return ZafWindowObject::Event(event);
      }
      // The border moves with the size: the strips it covered before and covers now are drawn again.
      RedisplayEdges(*this, lastNativeRegion);
      RedisplayEdges(*this, region);
      return code;
    case FocusLoseEvent:
    case ChosenEvent: {
      GetNativeText();
      const ZafEventType result = ZafWindowObject::Event(event);
      unanswered = stringData->Length() == 0;
      invalid = result == ZAF_ERROR_KEPT;
      return result;
    }
    case FocusGainedEvent: {
      const ZafEventType result = ZafWindowObject::Event(event);
      if (autoSelect && OwnControl()) {
        ZafSelectAll(screenID);
      }
      return result;
    }
    case CutEvent:
    case CopyEvent:
    case PasteEvent:
      ZafSendClipboardRequest(screenID, code);
      return code;
    case FocusLostEvent:
      GetNativeText();
      return ZafWindowObject::Event(event);
    default:
      return ZafWindowObject::Event(event);
  }
}

ZafEventType ZafString::NativeEvent(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  if (editMode && ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE) {
    return ZafWindowObject::Event(event);
  }
  switch (message.message) {
    case native::WM_COMMAND:
      if (native::HIWORD(message.wParam) == native::EN_CHANGE) {
        SetChanged(true);
      }
      return event.type;
    case native::WM_PAINT:
    case native::WM_ERASEBKGND:
      return nativeDrawing ? Default(event) : ZafWindowObject::NativeEvent(event);
    case native::WM_KEYDOWN:
    case native::WM_KEYUP:
      return KeyMessage(event);
    case native::WM_CHAR:
      if (variableName && message.wParam == u' ') {
        ZafEventRecord underscore = event;
        underscore.osEvent.wParam = u'_';
        return ZafWindowObject::NativeEvent(underscore);
      }
      return ZafWindowObject::NativeEvent(event);
    case native::WM_LBUTTONDOWN:
      if (!nativeDrawing) {
        SetFocus(true);
      }
      return ZafWindowObject::NativeEvent(event);
    case native::WM_PASTE:
      return variableName ? PasteAsTyped(event) : Default(event);
    default:
      return ZafWindowObject::NativeEvent(event);
  }
}

ZafEventType ZafString::KeyMessage(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  if (message.wParam == native::VK_RETURN) {
    // The field's own handling, not an override's: Enter is this field's choice.
    return message.message == native::WM_KEYDOWN ? ZafString::StringEvent(ZafEventRecord(ChosenEvent, 0)) : 0;
  }
  if (message.wParam == native::VK_TAB) {
    return UnknownEventResult;
  }
  return ZafEditKeyAnswer(ZafWindowObject::NativeEvent(event), message.wParam);
}

ZafEventType ZafString::PasteAsTyped(const ZafEventRecord& event) {
  if (!native::IsClipboardFormatAvailable(native::CF_UNICODETEXT)) {
    return Default(event);
  }
  GetNativeText();
  const int maximum = stringData->MaxLength();
  int room = maximum < 0 ? -1 : std::max(maximum - stringData->Length(), 0);
  if (!native::OpenClipboard(screenID)) {
    return MessageResult(native::WM_PASTE);
  }
  const native::HGLOBAL block = native::GetClipboardData(native::CF_UNICODETEXT);
  if (const auto* text = block ? static_cast<const ZafIChar*>(native::GlobalLock(block)) : nullptr) {
    // Each character goes in as typed, so that spaces become '_' like typed ones.
    const std::size_t characters = native::GlobalSize(block) / sizeof(ZafIChar);
    for (std::size_t index = 0; index < characters && text[index] && room != 0; ++index) {
      native::SendMessage(screenID, native::WM_CHAR, text[index], 1);
      if (room > 0) {
        --room;
      }
    }
    native::GlobalUnlock(block);
  }
  native::CloseClipboard();
  return MessageResult(native::WM_PASTE);
}
