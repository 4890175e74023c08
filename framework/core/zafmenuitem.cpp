#include "framework/core/zafmenuitem.h"

#include "framework/data/zafstringdata.h"
#include "framework/data/zafstrlib.h"

namespace {

// An entry is as wide as its text, and at least one cell.
int32_t WidthOf(const ZafStringData* text) {
  const int32_t length = text ? ZafStrLen(text->Text()) : 0;
  return length > 0 ? length : 1;
}

}  // namespace

ZafMenuItem::ZafMenuItem(ZafStringData* text)
    : ZafButton(0, 0, WidthOf(text), 1, text, nullptr, ZAF_FLAT_BUTTON), submenu(0, 0) {
  submenu.SetStringID(u"menu");
  MakeSubmenu();
  MakeMenuItem();
}

ZafMenuItem::ZafMenuItem(const ZafMenuItem& other) : ZafButton(other), submenu(other.submenu) {
  MakeSubmenu();
  MakeMenuItem();
}

ZafMenuItem::ZafMenuItem(const ZafIChar* name, ZafObjectPersistence& persistence, const ZafIChar* className,
                         ZafClassID classID)
    : ZafButton(name, persistence, className, classID), submenu(0, 0) {
  submenu.SetStringID(u"menu");
  MakeSubmenu();
  MakeMenuItem();
}

void ZafMenuItem::MakeSubmenu() {
  submenu.SetParent(this);
  submenu.SetTemporary(true);
  submenu.SetDestroyable(false);
}

void ZafMenuItem::MakeMenuItem() {
  acceptDrop = false;
  bordered = false;
  ctrlDrag = false;
  shiftCtrlDrag = false;
  shiftDrag = false;
  parentDrawBorder = false;
  parentDrawFocus = false;
  parentPalette = false;
  placement = 0;
  supportObject = false;
  kind = ZAF_FLAT_BUTTON;
  depth = 0;
  pressedLook = false;
  defaultCapable = false;
  toggles = false;
  autoRepeat = false;
  autoSize = false;
  textPlacement = ZAF_TEXT_RIGHT;
  verticalPlacement = ZAF_VERTICAL_CENTER;
}

// ---- The submenu ----

ZafWindowObject* ZafMenuItem::AddMenuItem(ZafWindowObject* object, ZafWindowObject* position) {
  return submenu.AddMenuItem(object, position);
}

void ZafMenuItem::DestroyMenuItems() {
  submenu.DestroyMenuItems();
}

void ZafMenuItem::SortMenuItems() {
  submenu.SortMenuItems();
}

ZafWindowObject* ZafMenuItem::SubtractMenuItem(ZafWindowObject* object) {
  return submenu.SubtractMenuItem(object);
}

ZafWindowObject* ZafMenuItem::FindObject(ZafNumberID id) {
  if (ZafWindowObject* self = ZafButton::FindObject(id)) {
    return self;
  }
  return submenu.FindObject(id);
}

ZafWindowObject* ZafMenuItem::FindObjectByName(const ZafIChar* name) {
  if (ZafWindowObject* self = ZafButton::FindObjectByName(name)) {
    return self;
  }
  return submenu.FindObjectByName(name);
}

ZafWindowObject* ZafMenuItem::FocusObject() {
  return submenu.OwnerFocusObject();
}

// ---- Settings ----

bool ZafMenuItem::SetAcceptDrop(bool) {
  acceptDrop = false;
  return false;
}

bool ZafMenuItem::SetBordered(bool) {
  bordered = false;
  return false;
}

bool ZafMenuItem::SetCtrlDrag(bool) {
  ctrlDrag = false;
  return false;
}

bool ZafMenuItem::SetShiftCtrlDrag(bool) {
  shiftCtrlDrag = false;
  return false;
}

bool ZafMenuItem::SetShiftDrag(bool) {
  shiftDrag = false;
  return false;
}

bool ZafMenuItem::SetParentDrawBorder(bool) {
  parentDrawBorder = false;
  return false;
}

bool ZafMenuItem::SetParentDrawFocus(bool) {
  parentDrawFocus = false;
  return false;
}

bool ZafMenuItem::SetParentPalette(bool) {
  parentPalette = false;
  return false;
}

int32_t ZafMenuItem::SetPlacement(int32_t) {
  placement = 0;
  return 0;
}

bool ZafMenuItem::SetSupportObject(bool) {
  supportObject = false;
  return false;
}

int32_t ZafMenuItem::SetKind(int32_t) {
  kind = ZAF_FLAT_BUTTON;
  depth = 0;
  return kind;
}

int32_t ZafMenuItem::SetDepth(int32_t) {
  depth = 0;
  return 0;
}

bool ZafMenuItem::SetPressedLook(bool) {
  pressedLook = false;
  return false;
}

bool ZafMenuItem::SetDefaultCapable(bool) {
  defaultCapable = false;
  return false;
}

bool ZafMenuItem::SetToggles(bool) {
  toggles = false;
  return false;
}

bool ZafMenuItem::SetAutoRepeat(bool) {
  autoRepeat = false;
  return false;
}

bool ZafMenuItem::SetAutoSize(bool) {
  autoSize = false;
  return false;
}

int32_t ZafMenuItem::SetTextPlacement(int32_t) {
  textPlacement = ZAF_TEXT_RIGHT;
  return textPlacement;
}

int32_t ZafMenuItem::SetVerticalPlacement(int32_t) {
  verticalPlacement = ZAF_VERTICAL_CENTER;
  return verticalPlacement;
}

// ---- Storage ----

ZafError ZafMenuItem::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteButtonFields(persistence);
    WriteEntryFields(persistence);
    if (persistence.Error() == ZAF_ERROR_NONE) {
      submenu.WriteAsSubmenu(persistence);
    }
  }
  return EndWrite(persistence);
}

void ZafMenuItem::WriteEntryFields(ZafObjectPersistence&) {}

void ZafMenuItem::ReadSubmenu(ZafObjectPersistence& persistence) {
  if (persistence.Error() == ZAF_ERROR_NONE) {
    submenu.ReadAsSubmenu(persistence);
    // Whatever the stored menu says, it stays the entry's own.
    MakeSubmenu();
  }
}
