#include "framework/core/zafpulldownmenu.h"

#include "framework/core/zafpopupmenu.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

ZafPullDownMenu::ZafPullDownMenu() : ZafWindow(0, 0, 0, 0) {
  MakeBar();
}

ZafPullDownMenu::ZafPullDownMenu(const ZafPullDownMenu& other) : ZafWindow(other) {
  MakeBar();
}

ZafPullDownMenu::ZafPullDownMenu(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafWindow(0, 0, 0, 0) {
  ReadStoredWindow(name, persistence, ClassName(), ClassID());
  // The window finds its bar by number ID, and a record cannot make a bar anything a bar never is.
  MakeBar();
}

void ZafPullDownMenu::MakeBar() {
  SetNumberID(ZAF_NUMID_PULL_DOWN_MENU);
  if (!StringID() || !*StringID()) {
    SetStringID(u"ZAF_NUMID_PULL_DOWN_MENU");
  }
  acceptDrop = false;
  bordered = true;
  disabled = false;
  nonCurrent = false;
  parentPalette = false;
  placement = 2;
  supportObject = true;
  destroyable = false;
  locked = false;
  maximized = false;
  minimized = false;
  modal = false;
  movable = false;
  owner = nullptr;
  systemKeys = true;
  selectionType = 0;
  sizeable = false;
  temporary = false;
}

ZafClassID ZafPullDownMenu::ClassID() const {
  return ID_ZAF_PULL_DOWN_MENU;
}

const ZafIChar* ZafPullDownMenu::ClassName() const {
  return u"ZafPullDownMenu";
}

bool ZafPullDownMenu::IsA(ZafClassID id) const {
  return id == ID_ZAF_PULL_DOWN_MENU || ZafWindow::IsA(id);
}

bool ZafPullDownMenu::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafPullDownMenu") == 0) || ZafWindow::IsAName(name);
}

ZafWindowObject* ZafPullDownMenu::Duplicate() {
  return new ZafPullDownMenu(*this);
}

// ---- Settings ----

bool ZafPullDownMenu::SetAcceptDrop(bool) {
  acceptDrop = false;
  return false;
}

bool ZafPullDownMenu::SetBordered(bool) {
  bordered = true;
  return true;
}

bool ZafPullDownMenu::SetDisabled(bool) {
  disabled = false;
  return false;
}

bool ZafPullDownMenu::SetNonCurrent(bool) {
  nonCurrent = false;
  return false;
}

bool ZafPullDownMenu::SetParentPalette(bool) {
  parentPalette = false;
  return false;
}

int32_t ZafPullDownMenu::SetPlacement(int32_t) {
  placement = 2;
  return 2;
}

bool ZafPullDownMenu::SetSupportObject(bool) {
  supportObject = true;
  return true;
}

bool ZafPullDownMenu::SetDestroyable(bool) {
  destroyable = false;
  return false;
}

bool ZafPullDownMenu::SetLocked(bool) {
  locked = false;
  return false;
}

bool ZafPullDownMenu::SetMaximized(bool) {
  maximized = false;
  return false;
}

bool ZafPullDownMenu::SetMinimized(bool) {
  minimized = false;
  return false;
}

bool ZafPullDownMenu::SetModal(bool) {
  modal = false;
  return false;
}

bool ZafPullDownMenu::SetMovable(bool) {
  movable = false;
  return false;
}

ZafWindow* ZafPullDownMenu::SetOwner(ZafWindow*) {
  owner = nullptr;
  return nullptr;
}

bool ZafPullDownMenu::SetSystemKeys(bool) {
  systemKeys = true;
  return true;
}

uint32_t ZafPullDownMenu::SetSelectMultiple(bool) {
  selectionType = 0;
  return 0;
}

bool ZafPullDownMenu::SetSizeable(bool) {
  sizeable = false;
  return false;
}

bool ZafPullDownMenu::SetTemporary(bool) {
  temporary = false;
  return false;
}

// ---- The entries ----

ZafWindowObject* ZafPullDownMenu::Subtract(ZafWindowObject* object) {
  return ZafPopUpMenu::SubtractEntry(*this, object);
}

void ZafPullDownMenu::NotifyChildrenDestroy() {
  ZafPopUpMenu::DestroyEntries(*this);
}

ZafObjectConstructor ZafPullDownMenu::ReadFunction() const {
  return &ZafPullDownMenu::Read;
}

ZafWindowObject* ZafPullDownMenu::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafPullDownMenu(name, persistence);
}
