// The combo box's native "COMBOBOX" control: its style, its entries kept in step with the items of the
// list (their texts, or the items themselves when they draw themselves) in list order, the chosen item
// kept as the list's current item and the control's selection, the field's text both ways, and the
// control placed with room for its dropped list.
#include "framework/core/zafcombobox.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafvtlist.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafnativecontrol.h"
#include "native/native.h"

void ZafComboBox::CreateNative() {
  native::DWORD style = native::WS_CHILD | native::WS_CLIPSIBLINGS;
  native::DWORD extendedStyle = 0;
  if (visible) {
    style |= native::WS_VISIBLE;
  }
  if (ZafMSWindowsApp::system.newShell) {
    extendedStyle |= native::WS_EX_CLIENTEDGE;
  } else {
    style |= native::WS_BORDER;
  }
  if (IsDisabledUp() && !editMode) {
    style |= native::WS_DISABLED;
  }
  if (!nativeDrawing) {
    // The items measure and draw themselves, each with its own height.
    style |= native::CBS_DROPDOWNLIST | native::CBS_OWNERDRAWVARIABLE;
  } else {
    style |= viewOnly ? native::CBS_DROPDOWNLIST : native::CBS_DROPDOWN | native::CBS_AUTOHSCROLL;
  }
  if (list->VerticalScrollBar()) {
    style |= native::WS_VSCROLL;
  }
  list->SetNativeDrawing(nativeDrawing);
  screenID = ZafCreateWindow(this, u"COMBOBOX", style, nullptr, nullptr, extendedStyle);
  if (!screenID) {
    return;
  }
  if (nativeDrawing) {
    // Showing the text for the first time is no change by the user.
    const bool wasChanged = changed;
    UpdateNativeText();
    changed = wasChanged;
  }
  const ZafRegionStruct kept = region;
  ZafSetControlFont(*this);
  region = kept;
  if (const native::HWND edit = native::GetWindow(screenID, native::GW_CHILD)) {
    native::SetWindowLong(edit, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(&EditProcedure));
  }
}

int ZafComboBox::UpdateNativeText() {
  if (screenID) {
    ZafShowControlText(screenID, *stringData);
  }
  return 0;
}

int ZafComboBox::RefreshText() {
  if (screenID && ownNativeWindow && nativeDrawing) {
    ZafTakeControlText(screenID, *stringData, nullptr);
  }
  return 0;
}

ZafWindowObject* ZafComboBox::ItemAt(int index) const {
  return index >= 0 ? static_cast<ZafWindowObject*>(list->Get(index)) : nullptr;
}

void ZafComboBox::SelectEntry(int index) {
  if (screenID && index >= 0 && index != native::SendMessage(screenID, native::CB_GETCURSEL, 0, 0)) {
    native::SendMessage(screenID, native::CB_SETCURSEL, static_cast<native::WPARAM>(index), 0);
  }
}

void ZafComboBox::InsertEntry(ZafWindowObject& item) {
  const int index = list->Index(&item);
  item.SetScreenID(screenID);
  native::SendMessage(screenID, native::CB_INSERTSTRING, static_cast<native::WPARAM>(index),
                      list->EntryOf(item));
  if (item.Selected()) {
    SelectEntry(index);
  }
}

bool ZafComboBox::SetSort(bool flag) {
  const bool sorted = list->SetSort(flag);
  ReloadList();
  return sorted;
}

int ZafComboBox::ReloadList() {
  if (screenID) {
    native::SendMessage(screenID, native::CB_RESETCONTENT, 0, 0);
    for (ZafElement* element = list->First(); element; element = element->Next()) {
      InsertEntry(*static_cast<ZafWindowObject*>(element));
    }
  }
  return 0;
}

ZafWindowObject* ZafComboBox::Add(ZafWindowObject* object, ZafWindowObject* before) {
  if (!object || object->Parent()) {
    return object;
  }
  if (object->SupportObject()) {
    ZafWindow::Add(object, before);
    if (screenID) {
      // A scroll bar changes the control's style: the control is made again.
      Event(ZafEventRecord(DestroyEvent, 0));
      Event(ZafEventRecord(CreateEvent, 0));
    }
    return object;
  }
  if (!list && object->IsA(ID_ZAF_VT_LIST)) {
    // The stored list of a combo box being read.
    list = static_cast<ZafVtList*>(object);
    ZafWindow::Add(list, before);
    MakeList(0, 0);
    return object;
  }
  MakeList(0, 0);
  list->AddItem(object, before);
  if (object->Parent() != list) {
    return object;
  }
  if (screenID) {
    InsertEntry(*object);
  }
  if (!object->Selected() && list->CurrentChild() == object) {
    object->SetSelected(true);
  }
  if (object->Selected()) {
    NotifySelection(object, true);
  }
  return object;
}

ZafWindowObject* ZafComboBox::Subtract(ZafWindowObject* object) {
  if (!object || object == list) {
    // The list is the combo box's own for as long as it lives.
    return nullptr;
  }
  if (object->SupportObject()) {
    ZafWindowObject* removed = ZafWindow::Subtract(object);
    if (removed && screenID) {
      Event(ZafEventRecord(DestroyEvent, 0));
      Event(ZafEventRecord(CreateEvent, 0));
    }
    return removed;
  }
  const int index = list->Index(object);
  if (index < 0) {
    return nullptr;
  }
  if (screenID) {
    native::SendMessage(screenID, native::CB_DELETESTRING, static_cast<native::WPARAM>(index), 0);
  }
  list->Subtract(object);
  if (screenID && !list->First()) {
    native::SendMessage(screenID, native::CB_RESETCONTENT, 0, 0);
  }
  return object;
}

void ZafComboBox::NotifyChildrenDestroy() {
  if (!screenID) {
    return;
  }
  native::SendMessage(screenID, native::CB_RESETCONTENT, 0, 0);
  for (ZafElement* element = list->First(); element; element = element->Next()) {
    static_cast<ZafWindowObject*>(element)->Event(ZafEventRecord(NativeGoneEvent, 0));
  }
}

ZafWindowObject* ZafComboBox::NotifyFocus(ZafWindowObject* focusObject, bool setFocus) {
  if (!focusObject || focusObject == this || list->Index(focusObject) < 0) {
    return ZafWindowObject::NotifyFocus(focusObject, setFocus);
  }
  ZafWindowObject* current = list->CurrentChild();
  if (!setFocus) {
    if (current && current != focusObject) {
      current->NotifyFocus(focusObject, false);
    }
    return ZafWindowObject::NotifyFocus(focusObject, false);
  }
  ZafWindowObject* refused = nullptr;
  if (!focus) {
    refused = ZafWindowObject::NotifyFocus(focusObject, true);
  } else if (current && current != focusObject) {
    current->NotifyFocus(this, false);
  }
  if (!refused) {
    list->SetCurrent(focusObject);
    SelectEntry(list->Index(focusObject));
  }
  return refused;
}

bool ZafComboBox::SetFocus(bool flag) {
  if (flag && !list->CurrentChild()) {
    return ZafWindowObject::SetFocus(true);
  }
  return ZafWindow::SetFocus(flag);
}

ZafWindowObject* ZafComboBox::NotifySelection(ZafWindowObject* object, bool setSelected) {
  const int index = list->Index(object);
  if (!setSelected || index < 0) {
    return object;
  }
  // One chosen item: the others let go.
  list->ZafWindow::NotifySelection(object, true);
  list->SetCurrent(object);
  stringData->SetText(object->Text());
  if (screenID) {
    SelectEntry(index);
    SetChanged(true);
  }
  return object;
}

native::HWND ZafComboBox::ScreenID(int32_t) const {
  return screenID;
}

void ZafComboBox::UpdateNative() {
  if (!ownNativeWindow) {
    ZafWindow::UpdateNative();
    return;
  }
  if (!screenID || region == lastNativeRegion) {
    return;
  }
  // The control is the field and the list under it; the object keeps the field's region.
  const ZafRegionStruct field = region;
  const ZafRegionStruct dropped = list->Region().Converted(ZAF_PIXEL, display);
  region = field.Converted(ZAF_PIXEL, display);
  region.bottom += dropped.Height();
  ZafWindowObject::UpdateNative();
  region = field;
  lastNativeRegion = field;
}

void ZafComboBox::UpdatePalettes(uint16_t, uint16_t) {
  ZafRefontListControl(*this);
}

ZafEventType ZafComboBox::Event(const ZafEventRecord& event) {
  switch (event.type) {
    case E_OSEVENT:
      return NativeEvent(event);
    case NativeAttachedEvent: {
      ZafWindowObject::Event(event);
      if (!screenID) {
        return event.type;
      }
      // The list lives in the control: it shares the handle, and its region only gives the list's size.
      const ZafRegionStruct area = list->Region();
      list->SetRegion({0, 0, area.right - area.left, area.bottom - area.top, area.coordinateType});
      list->SetScreenID(screenID);
      ReloadList();
      UpdateNativeText();
      return event.type;
    }
    case FocusLoseEvent: {
      const ZafEventType answer = ZafWindowObject::Event(event);
      RefreshText();
      return answer;
    }
    case AddObjectEvent:
    case SubtractObjectEvent:
      return ZafWindow::Event(event);
    case NativeGoneEvent:
      ZafWindowObject::Event(event);
      list->Event(event);
      // The items shared the control: none of them may reach it any more.
      for (ZafElement* element = list->First(); element; element = element->Next()) {
        static_cast<ZafWindowObject*>(element)->Event(event);
      }
      return event.type;
    case PrepareEvent:
      ZafWindowObject::Event(event);
      list->Event(event);
      return event.type;
    default:
      return ZafWindowObject::Event(event);
  }
}
