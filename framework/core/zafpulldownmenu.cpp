#include "framework/core/zafpulldownmenu.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

ZafPullDownMenu::ZafPullDownMenu() : ZafMenuWindow(0, 0, 0, 0) {
  MakeBar();
}

ZafPullDownMenu::ZafPullDownMenu(const ZafPullDownMenu& other) : ZafMenuWindow(other) {
  MakeBar();
}

ZafPullDownMenu::ZafPullDownMenu(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafMenuWindow(0, 0, 0, 0) {
  ReadStoredWindow(name, persistence, ClassName(), ClassID());
  // The window finds its bar by number ID, and a record cannot make a bar anything a bar never is.
  MakeBar();
}

void ZafPullDownMenu::MakeBar() {
  SetNumberID(ZAF_NUMID_PULL_DOWN_MENU);
  if (!StringID() || !*StringID()) {
    SetStringID(u"ZAF_NUMID_PULL_DOWN_MENU");
  }
  MakeMenuWindow();
  placement = 2;
  supportObject = true;
  destroyable = false;
  selectionType = 0;
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

uint32_t ZafPullDownMenu::SetSelectMultiple(bool) {
  selectionType = 0;
  return 0;
}

bool ZafPullDownMenu::SetTemporary(bool) {
  temporary = false;
  return false;
}

ZafObjectConstructor ZafPullDownMenu::ReadFunction() const {
  return &ZafPullDownMenu::Read;
}

ZafWindowObject* ZafPullDownMenu::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafPullDownMenu(name, persistence);
}
