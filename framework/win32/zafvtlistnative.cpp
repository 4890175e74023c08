// The vertical list's native side: one "LISTBOX" whose entries stand for the items in list order (their
// texts, or the items themselves when they draw themselves), kept in step on every change, and whose
// notifications become the items' selection, focus and user callbacks. Items dropped on the list join it.
#include <vector>

#include "framework/core/zafcombobox.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafstring.h"
#include "framework/core/zafvtlist.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafnativecontrol.h"
#include "framework/win32/zafwindowobjectdrag.h"
#include "native/native.h"

namespace {

ZafWindowObject* AsItem(ZafElement* element) {
  return static_cast<ZafWindowObject*>(element);
}

}  // namespace

native::LPARAM ZafVtList::EntryOf(ZafWindowObject& item) {
  if (!nativeDrawing) {
    return reinterpret_cast<native::LPARAM>(&item);
  }
  const ZafIChar* text = item.Text();
  return reinterpret_cast<native::LPARAM>(text ? text : u"");
}

void ZafVtList::CreateNative() {
  native::DWORD style =
      native::WS_CHILD | native::WS_CLIPSIBLINGS | native::LBS_NOTIFY | native::LBS_NOINTEGRALHEIGHT;
  if (selectionType == ZAF_SELECT_MULTIPLE) {
    style |= native::LBS_MULTIPLESEL;
  } else if (selectionType == ZAF_SELECT_EXTENDED) {
    style |= native::LBS_MULTIPLESEL | native::LBS_EXTENDEDSEL;
  }
  if (!nativeDrawing) {
    style |= native::LBS_OWNERDRAWVARIABLE;
  }
  if (VerticalScrollBar()) {
    style |= native::WS_VSCROLL;
  }
  native::DWORD extendedStyle = 0;
  ZafEditStyles(*this, style, extendedStyle);
  screenID = ZafCreateWindow(this, u"LISTBOX", style, nullptr, nullptr, extendedStyle);
  if (screenID) {
    ZafSetControlFont(*this);
  }
}

void ZafVtList::FillNative(bool created) {
  int index = 0;
  for (ZafElement* element = First(); element; element = element->Next(), ++index) {
    ZafWindowObject* item = AsItem(element);
    native::SendMessage(screenID, native::LB_INSERTSTRING, static_cast<native::WPARAM>(-1), EntryOf(*item));
    if (!item->Selected()) {
      continue;
    }
    if (selectionType == ZAF_SELECT_SINGLE) {
      SetCurrent(item);
      native::SendMessage(screenID, native::LB_SETCURSEL, index, 0);
    } else {
      native::SendMessage(screenID, native::LB_SETSEL, native::TRUE, index);
    }
  }
  if (created && selectionType != ZAF_SELECT_SINGLE && First()) {
    if (!Current()) {
      SetCurrent(First());
    }
    native::SendMessage(screenID, native::LB_SETCARETINDEX, Index(Current()), 0);
  }
}

int ZafVtList::ResetNative() {
  // A list living in another control (a combo box's) leaves refilling it to that control's owner.
  if (screenID && ownNativeWindow) {
    native::SendMessage(screenID, native::LB_RESETCONTENT, 0, 0);
    FillNative(false);
  }
  return 0;
}

ZafWindowObject* ZafVtList::AddItem(ZafWindowObject* object, ZafWindowObject* before) {
  if (!object || object->Parent()) {
    return object;
  }
  object->SetOwnNativeWindow(false);
  object->SetParentDrawBorder(true);
  object->SetParentDrawFocus(true);
  object->SetParentPalette(true);
  return ZafWindow::Add(object, before);
}

ZafWindowObject* ZafVtList::Add(ZafWindowObject* object, ZafWindowObject* before) {
  if (!object || object->Parent()) {
    return object;
  }
  AddItem(object, before);
  if (screenID && !object->SupportObject() && object->Parent() == this) {
    native::SendMessage(screenID, native::LB_INSERTSTRING, Index(object), EntryOf(*object));
    if (object->Selected()) {
      NotifySelection(object, true);
    }
  }
  return object;
}

ZafWindowObject* ZafVtList::Subtract(ZafWindowObject* object) {
  if (screenID && ownNativeWindow && object && !object->SupportObject() && Index(object) >= 0) {
    native::SendMessage(screenID, native::LB_DELETESTRING, Index(object), 0);
  }
  return ZafWindow::Subtract(object);
}

void ZafVtList::NotifyChildrenDestroy() {
  if (!screenID) {
    return;
  }
  native::SendMessage(screenID, native::LB_RESETCONTENT, 0, 0);
  for (ZafElement* element = First(); element; element = element->Next()) {
    AsItem(element)->Event(ZafEventRecord(NativeGoneEvent, 0));
  }
}

ZafEventType ZafVtList::Event(const ZafEventRecord& event) {
  switch (event.type) {
    case E_OSEVENT:
      return NativeEvent(event);
    case SizedEvent:
      return event.type;
    case HotKeyEvent:
      return UnknownEventResult;
    case NativeAttachedEvent: {
      const ZafEventType result = ZafWindow::Event(event);
      if (screenID && ownNativeWindow) {
        FillNative(true);
      }
      return result;
    }
    case DrawNowEvent:
      ZafWindowObject::Event(ZafEventRecord(RedisplayEvent, 0));
      return event.type;
    default:
      return ZafWindow::Event(event);
  }
}

ZafEventType ZafVtList::NativeEvent(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  if (editMode && ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE) {
    return ZafWindowObject::NativeEvent(event);
  }
  switch (message.message) {
    case native::WM_WINDOWPOSCHANGED: {
      native::RECT client{};
      native::GetClientRect(screenID, &client);
      clientRegion = {client.left, client.top, client.right - 1, client.bottom - 1, ZAF_PIXEL};
      return ZafWindowObject::NativeEvent(event);
    }
    case native::WM_PAINT:
    case native::WM_ERASEBKGND:
      return ZafWindowObjectDrag::DefaultProcedure(event);
    case native::WM_DRAWITEM:
      return DrawItem(event);
    case native::WM_MEASUREITEM:
      return MeasureItem(event);
    case native::WM_KEYDOWN:
      switch (message.wParam) {
        case native::VK_SPACE:
        case native::VK_PRIOR:
        case native::VK_NEXT:
        case native::VK_LEFT:
        case native::VK_UP:
        case native::VK_RIGHT:
        case native::VK_DOWN:
          return ZafWindowObjectDrag::DefaultProcedure(event);
        default:
          return ZafWindowObject::NativeEvent(event);
      }
    case native::WM_COMMAND:
      return message.lParam ? ZafWindowObject::NativeEvent(event) : Command(event);
    case native::WM_CTLCOLORLISTBOX:
      return ListColors(event);
    default:
      return ZafWindowObject::NativeEvent(event);
  }
}

ZafEventType ZafVtList::Command(const ZafEventRecord& event) {
  switch (native::HIWORD(event.osEvent.wParam)) {
    case native::LBN_DBLCLK:
      if (ZafWindowObject* item = AsItem(Current())) {
        ZafCallUserCallback(*item, event, ChosenByDoubleClickEvent);
      }
      return event.type;
    case native::LBN_SELCHANGE:
    case native::LBN_SELCANCEL:
      return SelectionChanged(event);
    default:
      return event.type;
  }
}

ZafEventType ZafVtList::SelectionChanged(const ZafEventRecord& event) {
  const auto caret = static_cast<int>(native::SendMessage(screenID, native::LB_GETCARETINDEX, 0, 0));
  if (selectionType == ZAF_SELECT_SINGLE) {
    if (ZafWindowObject* item = AsItem(Get(caret))) {
      item->NotifyFocus(item, true);
      item->SetSelected(true);
      ZafCallUserCallback(*item, event, ChosenEvent);
    }
    return event.type;
  }
  const auto count = static_cast<int>(native::SendMessage(screenID, native::LB_GETSELCOUNT, 0, 0));
  std::vector<int> chosen(count > 0 ? count : 0);
  if (!chosen.empty()) {
    native::SendMessage(screenID, native::LB_GETSELITEMS, chosen.size(),
                        reinterpret_cast<native::LPARAM>(chosen.data()));
  }
  int index = 0;
  std::size_t next = 0;
  for (ZafElement* element = First(); element; element = element->Next(), ++index) {
    ZafWindowObject* item = AsItem(element);
    if (index == caret && Current() != item) {
      item->NotifyFocus(item, true);
    }
    while (next < chosen.size() && chosen[next] < index) {
      ++next;
    }
    const bool inSelection = next < chosen.size() && chosen[next] == index;
    if (item->IsDisabledUp() || inSelection == item->Selected()) {
      continue;
    }
    item->SetSelected(inSelection);
    ZafCallUserCallback(*item, event, ChosenEvent);
  }
  return event.type;
}

ZafEventType ZafVtList::DrawItem(const ZafEventRecord& event) {
  const auto* draw = reinterpret_cast<const native::DRAWITEMSTRUCT*>(event.osEvent.lParam);
  if (!draw || !display) {
    return native::TRUE;
  }
  const ZafRegionStruct area{draw->rcItem.left, draw->rcItem.top, draw->rcItem.right - 1,
                             draw->rcItem.bottom - 1, ZAF_PIXEL};
  display->BeginDraw(draw->hDC, screenID, region, area);
  if (draw->itemID == static_cast<native::UINT>(-1)) {
    ZafRegionStruct focusArea = area;
    DrawFocus(focusArea, (draw->itemState & native::ODS_FOCUS) ? FocusGainedEvent : -13);
  } else if (ZafWindowObject* item = AsItem(Get(static_cast<int>(draw->itemID)))) {
    item->SetRegion(area);
    item->Event(event);
  }
  display->EndDraw();
  return native::TRUE;
}

ZafEventType ZafVtList::MeasureItem(const ZafEventRecord& event) {
  auto* measure = reinterpret_cast<native::MEASUREITEMSTRUCT*>(event.osEvent.lParam);
  if (nativeDrawing || !measure) {
    return ZafWindowObject::NativeEvent(event);
  }
  if (ZafWindowObject* item = AsItem(Get(static_cast<int>(measure->itemID)))) {
    item->Event(ZafEventRecord(FitEvent, 0));
    const ZafRegionStruct size = item->Region().Converted(ZAF_PIXEL, display);
    measure->itemWidth = static_cast<native::UINT>(size.Width());
    measure->itemHeight = static_cast<native::UINT>(size.Height());
  }
  return native::TRUE;
}

ZafEventType ZafVtList::ListColors(const ZafEventRecord& event) {
  const uint16_t state = PaletteState();
  return ZafControlColors(reinterpret_cast<native::HDC>(event.osEvent.wParam),
                          LogicalPalette(ZAF_PM_TEXT, state), LogicalPalette(ZAF_PM_BACKGROUND, state));
}

ZafWindowObject* ZafVtList::NotifyFocus(ZafWindowObject* focusObject, bool setFocus) {
  if (!ownNativeWindow) {
    return parent ? parent->NotifyFocus(focusObject, setFocus) : nullptr;
  }
  ZafWindowObject* result = ZafWindow::NotifyFocus(focusObject, setFocus);
  if (screenID && focusObject != this && setFocus && !result) {
    const int index = Index(focusObject);
    if (index >= 0 && index != native::SendMessage(screenID, native::LB_GETCARETINDEX, 0, 0)) {
      native::SendMessage(screenID, native::LB_SETCARETINDEX, index, 0);
    }
  }
  return result;
}

ZafWindowObject* ZafVtList::NotifySelection(ZafWindowObject* object, bool setSelected) {
  ZafWindow::NotifySelection(object, setSelected);
  if (!object || object->Selected() != setSelected) {
    return object;
  }
  if (!ownNativeWindow) {
    // The list lives in its owner's control (a combo box's), which follows the choice with or without it.
    return parent ? parent->NotifySelection(object, setSelected) : object;
  }
  if (!screenID) {
    return object;
  }
  const int index = Index(object);
  if (index < 0 || (native::SendMessage(screenID, native::LB_GETSEL, index, 0) > 0) == setSelected) {
    return object;
  }
  if (selectionType != ZAF_SELECT_SINGLE) {
    native::SendMessage(screenID, native::LB_SETSEL, setSelected, index);
  } else if (setSelected) {
    native::SendMessage(screenID, native::LB_SETCURSEL, index, 0);
  }
  return object;
}

ZafEventType ZafVtList::ScrollEvent(const ZafEventRecord& event) {
  if (event.type == ScrollVerticalByEvent && screenID) {
    const auto top = native::SendMessage(screenID, native::LB_GETTOPINDEX, 0, 0);
    native::SendMessage(screenID, native::LB_SETTOPINDEX, top + event.Scroll().delta, 0);
  }
  return event.type;
}

ZafEventType ZafVtList::DragDropEvent(const ZafEventRecord& event) {
  return DropOnList(*this, event);
}

namespace {

// The drag object's text as a new borderless item of the target; on a move the source's text goes.
ZafEventType DropText(ZafWindow& target, ZafWindowObject& source, bool move) {
  const ZafIChar* text = source.Text();
  if (!text || !*text) {
    return DragRefusedResult;
  }
  auto* item = new ZafString(0, 0, 0, new ZafStringData(text));
  item->SetBordered(false);
  target.Add(item);
  if (move) {
    source.SetText(u"");
  }
  return 0;
}

// The selected items of a list-type source copied into the target, or taken out of the source and added.
// A combo box holds its items in its list but takes them out itself, so that its control follows.
void DropSelectedItems(ZafWindow& target, ZafWindow& source, bool move) {
  ZafWindow& items = source.IsA(ID_ZAF_COMBO_BOX) ? *static_cast<ZafComboBox&>(source).List() : source;
  const bool targetUpdate = target.AutomaticUpdate();
  const bool sourceUpdate = source.AutomaticUpdate();
  target.SetAutomaticUpdate(false);
  if (move) {
    source.SetAutomaticUpdate(false);
  }
  std::vector<ZafWindowObject*> chosen;
  for (ZafElement* element = items.First(); element; element = element->Next()) {
    if (AsItem(element)->Selected()) {
      chosen.push_back(AsItem(element));
    }
  }
  for (ZafWindowObject* item : chosen) {
    if (move) {
      source.Subtract(item);
      target.Add(item);
    } else {
      target.Add(item->Duplicate());
    }
  }
  if (move) {
    source.SetAutomaticUpdate(sourceUpdate);
  }
  target.SetAutomaticUpdate(targetUpdate);
}

}  // namespace

ZafEventType ZafVtList::DropOnList(ZafWindow& target, const ZafEventRecord& event) {
  ZafWindowObject* source = windowManager ? windowManager->dragObject : nullptr;
  ZafEventType code = event.type;
  if (code == DroppedEvent) {
    if (source && source->ShiftDrag()) {
      code = DropMoveEvent;
    } else if (source && source->CtrlDrag()) {
      code = DropCopyEvent;
    } else {
      return DragRefusedResult;
    }
  }
  if (code != DropMoveEvent && code != DropCopyEvent) {
    return target.ZafWindowObject::DragDropEvent(event);
  }
  if (!source || target.IsDisabledUp() || !target.AcceptDrop() || source == &target) {
    return DragRefusedResult;
  }
  const bool move = code == DropMoveEvent;
  if (target.SelectionType() == ZAF_SELECT_EXTENDED) {
    for (ZafElement* element = target.First(); element; element = element->Next()) {
      AsItem(element)->SetSelected(false);
    }
  }
  if (!source->IsA(ID_ZAF_LIST)) {
    return DropText(target, *source, move) == DragRefusedResult ? DragRefusedResult : code;
  }
  DropSelectedItems(target, static_cast<ZafWindow&>(*source), move);
  return code;
}

void ZafVtList::UpdatePalettes(uint16_t, uint16_t) {
  ZafRefontListControl(*this);
}

void ZafVtList::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  const bool text = type == ZAF_PM_TEXT || type == 4;
  if (!text && type != ZAF_PM_BACKGROUND) {
    ZafWindow::SetDisplayColors(palette, type, state);
    return;
  }
  const bool chosen = state & ZAF_PM_SELECTED;
  int foreground = chosen ? native::COLOR_HIGHLIGHT : native::COLOR_WINDOW;
  if (text) {
    foreground = (state & ZAF_PM_DISABLED) ? native::COLOR_GRAYTEXT
                 : chosen                  ? native::COLOR_HIGHLIGHTTEXT
                                           : native::COLOR_WINDOWTEXT;
  }
  const int background = chosen ? native::COLOR_HIGHLIGHT : native::COLOR_WINDOW;
  if (palette.colorForeground == ZAF_COLOR_SYSTEM && palette.osForeground == ZAF_OS_COLOR_NOT_SET) {
    palette.osForeground = native::GetSysColor(foreground);
  }
  if (palette.colorBackground == ZAF_COLOR_SYSTEM && palette.osBackground == ZAF_OS_COLOR_NOT_SET) {
    palette.osBackground = native::GetSysColor(background);
  }
}

ZafEventType ZafVtList::Draw(const ZafEventRecord&, ZafEventType drawType) {
  return drawType;
}

ZafEventType ZafVtList::DrawBorder(ZafRegionStruct&, ZafEventType drawType) {
  return drawType;
}

ZafEventType ZafVtList::DrawFocus(ZafRegionStruct& area, ZafEventType drawType) {
  return ZafWindowObject::DrawFocus(area, drawType);
}

native::HWND ZafVtList::ScreenID(int32_t) const {
  return screenID;
}

void ZafVtList::UpdateNative() {
  ZafWindowObject::UpdateNative();
}
