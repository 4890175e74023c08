// What the combo box makes of its control's messages and of its edit field's: the keys the control keeps
// (Enter and Escape close an open list), the choice of an item, the record of the open drop-down, the
// items measuring and drawing themselves, the colours, the framework's own drawing of the field, and
// drops of texts and items.
#include <algorithm>

#include "framework/core/zafcombobox.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafstring.h"
#include "framework/core/zafvtlist.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/zafnativecontrol.h"
#include "framework/win32/zafwindowobjectdrag.h"
#include "framework/win32/zafwindowprocedure.h"
#include "native/native.h"

namespace {

// The drop button: the right-hand pixels of the field.
constexpr int32_t kButtonWidth = 16;
// Palette colours of the drawn button and arrow: light grey and black.
constexpr uint8_t kButtonColor = 7;
constexpr uint8_t kArrowColor = 0;

ZafEventType Default(const ZafEventRecord& event) {
  return ZafWindowObjectDrag::DefaultProcedure(event);
}

ZafRegionStruct ItemArea(const native::RECT& rect) {
  return {rect.left, rect.top, rect.right - 1, rect.bottom - 1, ZAF_PIXEL};
}

// The size an item asks for once it has sized itself, in pixels.
ZafRegionStruct FittedSize(ZafWindowObject& item) {
  item.Event(ZafEventRecord(FitEvent, 0));
  return item.Region().Converted(ZAF_PIXEL, ZafWindowObject::display);
}

}  // namespace

native::LRESULT ZafComboBox::EditProcedure(native::HWND edit, native::UINT message, native::WPARAM wParam,
                                           native::LPARAM lParam) {
  auto* combo =
      reinterpret_cast<ZafComboBox*>(native::GetWindowLong(native::GetParent(edit), native::GWL_USERDATA));
  if (!combo) {
    // The combo box is going: the field finishes on its own.
    return ZafCallClassProcedure(edit, message, wParam, lParam);
  }
  ZafEventRecord event = ZafNativeEvent(edit, message, wParam, lParam);
  const int32_t category = ZafEventRecord::Category(event);
  if (combo->editMode && (category == ZAF_CATEGORY_KEYBOARD || category == ZAF_CATEGORY_MOUSE)) {
    return combo->ZafWindowObject::Event(event);
  }
  if (category == ZAF_CATEGORY_KEYBOARD) {
    event.addressedObject = combo;
    return combo->RootObject()->Event(event);
  }
  return combo->Event(event);
}

ZafEventType ZafComboBox::NativeEvent(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  if (editMode && ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE) {
    return ZafWindowObject::Event(event);
  }
  switch (message.message) {
    case native::WM_PAINT:
    case native::WM_ERASEBKGND:
      return Default(event);
    case native::WM_DRAWITEM:
      return DrawItem(event);
    case native::WM_MEASUREITEM:
      return nativeDrawing ? ZafWindowObject::NativeEvent(event) : MeasureItem(event);
    case native::WM_KEYDOWN:
    case native::WM_KEYUP:
      return KeyMessage(event);
    case native::WM_CHAR:
      return message.wParam == native::VK_TAB || message.wParam == native::VK_ESCAPE
                 ? 0
                 : ZafWindowObject::NativeEvent(event);
    case native::WM_COMMAND:
      return message.lParam ? ZafWindowObject::NativeEvent(event) : Command(event);
    case native::WM_CTLCOLOREDIT:
    case native::WM_CTLCOLORLISTBOX: {
      const uint16_t state = PaletteState();
      return ZafControlColors(reinterpret_cast<native::HDC>(message.wParam),
                              LogicalPalette(ZAF_PM_TEXT, state), LogicalPalette(ZAF_PM_BACKGROUND, state));
    }
    default:
      return ZafWindowObject::NativeEvent(event);
  }
}

ZafEventType ZafComboBox::KeyMessage(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  const native::WPARAM key = message.wParam;
  if (key == native::VK_RETURN || key == native::VK_ESCAPE) {
    if (native::SendMessage(screenID, native::CB_GETDROPPEDSTATE, 0, 0)) {
      native::SendMessage(screenID, native::CB_SHOWDROPDOWN, native::FALSE, 0);
      // Taken: the key that closed the list presses no default button and closes no dialog.
      return static_cast<ZafEventType>(message.message);
    }
    Default(event);
    return UnknownEventResult;
  }
  if (key == native::VK_TAB) {
    return UnknownEventResult;
  }
  if (key == native::VK_F1) {
    return ZafWindowObject::NativeEvent(event);
  }
  ZafEventType answer = UnknownEventResult;
  if (message.hwnd == screenID) {
    answer = ZafWindowObject::NativeEvent(event);
  } else {
    // The edit field's own key: it types there, and the framework may still map it.
    native::MSG typed = message;
    native::TranslateMessage(&typed);
    Default(event);
  }
  return ZafEditKeyAnswer(answer, key);
}

ZafEventType ZafComboBox::Command(const ZafEventRecord& event) {
  switch (native::HIWORD(event.osEvent.wParam)) {
    case native::CBN_SELCHANGE: {
      const auto index = static_cast<int>(native::SendMessage(screenID, native::CB_GETCURSEL, 0, 0));
      if (ZafWindowObject* item = ItemAt(index)) {
        item->NotifyFocus(item, true);
        item->SetSelected(true);
        ZafCallUserCallback(*item, event, ChosenEvent);
      }
      return event.type;
    }
    case native::CBN_DROPDOWN:
      ZafWindowManager::droppedComboBox = screenID;
      return event.type;
    case native::CBN_CLOSEUP:
      if (ZafWindowManager::droppedComboBox == screenID) {
        ZafWindowManager::droppedComboBox = nullptr;
      }
      return event.type;
    default:
      return event.type;
  }
}

ZafEventType ZafComboBox::DrawItem(const ZafEventRecord& event) {
  const auto* draw = reinterpret_cast<const native::DRAWITEMSTRUCT*>(event.osEvent.lParam);
  if (!draw || !display) {
    return native::TRUE;
  }
  ZafRegionStruct area = ItemArea(draw->rcItem);
  display->BeginDraw(draw->hDC, screenID, region, area);
  const ZafEventType focusCode = (draw->itemState & native::ODS_FOCUS) ? FocusGainedEvent : FocusLostEvent;
  ZafWindowObject* item = ItemAt(static_cast<int>(draw->itemID));
  if (!item) {
    // The field of an empty list, or without a choice.
    DrawFocus(area, focusCode);
  } else {
    item->SetRegion(area);
    native::DRAWITEMSTRUCT entire = *draw;
    if (entire.itemAction & native::ODA_SELECT) {
      entire.itemAction |= native::ODA_DRAWENTIRE;
    }
    if (entire.itemAction & native::ODA_FOCUS) {
      item->DrawFocus(area, focusCode);
    } else {
      ZafEventRecord drawing = event;
      drawing.osEvent.lParam = reinterpret_cast<native::LPARAM>(&entire);
      item->Event(drawing);
    }
  }
  display->EndDraw();
  return native::TRUE;
}

ZafEventType ZafComboBox::MeasureItem(const ZafEventRecord& event) {
  auto* measure = reinterpret_cast<native::MEASUREITEMSTRUCT*>(event.osEvent.lParam);
  if (!measure) {
    return native::TRUE;
  }
  int32_t width = 0;
  int32_t height = 0;
  if (measure->itemID == static_cast<native::UINT>(-1)) {
    // The field is as large as the largest item.
    for (ZafElement* element = list->First(); element; element = element->Next()) {
      const ZafRegionStruct size = FittedSize(*static_cast<ZafWindowObject*>(element));
      width = std::max(width, size.Width());
      height = std::max(height, size.Height());
    }
    if (height <= 0 && display) {
      height = display->cellHeight - display->preSpace - display->postSpace;
    }
  } else if (ZafWindowObject* item = ItemAt(static_cast<int>(measure->itemID))) {
    const ZafRegionStruct size = FittedSize(*item);
    width = size.Width();
    height = size.Height();
  }
  measure->itemWidth = static_cast<native::UINT>(std::max(width, 0));
  measure->itemHeight = static_cast<native::UINT>(std::max(height, 0));
  return native::TRUE;
}

ZafEventType ZafComboBox::Draw(const ZafEventRecord&, ZafEventType drawType) {
  if (!display) {
    return drawType;
  }
  ZafRegionStruct area = BeginDraw();
  if (bordered) {
    DrawBorder(area, drawType);
  }
  ZafRegionStruct button{area.right - kButtonWidth + 1, area.top, area.right, area.bottom, ZAF_PIXEL};
  DrawShadow(button, 2, drawType);
  display->SetBackground(kButtonColor);
  display->Rectangle(button.left, button.top, button.right, button.bottom, 0, true);
  const int32_t x = (button.left + button.right) / 2;
  const int32_t y = (button.top + button.bottom) / 2;
  display->SetForeground(kArrowColor);
  for (int32_t row = 0; row < 3; ++row) {
    display->Line(x - 3 + row, y - 2 + row, x + 3 - row, y - 2 + row, 1);
  }
  display->Pixel(x, y + 1, kArrowColor, kArrowColor);
  ZafRegionStruct field{area.left, area.top, area.right - kButtonWidth, area.bottom, ZAF_PIXEL};
  DrawBackground(field, drawType);
  const ZafIChar* text = stringData->Text();
  if ((drawType == RedisplayEvent || drawType == RedisplayRegionEvent || drawType == DrawNowEvent) && text &&
      *text) {
    display->SetPalette(LogicalPalette(ZAF_PM_TEXT, PaletteState()));
    display->Text(field.left, field.top, field.right, field.bottom, text, -1, ZAF_JUSTIFY_LEFT, 0, -1, false);
  }
  display->SetPalette(LogicalPalette(ZAF_PM_TEXT, PaletteState()));
  EndDraw();
  return drawType;
}

ZafRegionStruct ZafComboBox::ConvertToDrawRegion(const ZafWindowObject* object, const ZafRegionStruct* area) {
  if (!object || object == this) {
    return ZafWindowObject::ConvertToDrawRegion(object, area);
  }
  const ZafRegionStruct place = object->Region();
  ZafRegionStruct moved = area ? *area : place;
  moved.left += place.left;
  moved.right += place.left;
  moved.top += place.top;
  moved.bottom += place.top;
  return moved;
}

void ZafComboBox::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  const bool chosen = state & ZAF_PM_SELECTED;
  const native::COLORREF window =
      native::GetSysColor(chosen ? native::COLOR_HIGHLIGHT : native::COLOR_WINDOW);
  if (type == ZAF_PM_TEXT || type == 4) {
    const int text = chosen ? native::COLOR_HIGHLIGHTTEXT : native::COLOR_WINDOWTEXT;
    ZafFillSystemColors(palette, native::GetSysColor(text), window);
  } else if (type == ZAF_PM_BACKGROUND) {
    ZafFillSystemColors(palette, window, window);
  } else {
    ZafWindow::SetDisplayColors(palette, type, state);
  }
}

ZafEventType ZafComboBox::DragDropEvent(const ZafEventRecord& event) {
  return ZafVtList::DropOnList(*this, event);
}
