#include "framework/core/zafpopupmenu.h"

#include <memory>

#include "framework/core/zafmenuitem.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstrlib.h"

namespace {

// The name a submenu with items is stored under when the program gave it none.
constexpr const ZafIChar* kSubmenuName = u"menu";

}  // namespace

ZafPopUpMenu::ZafPopUpMenu(int32_t left, int32_t top) : ZafMenuWindow(left, top, 0, 0) {
  MakeMenu();
  // Only a default: a program may hand a free-standing menu to the window manager to delete once closed.
  destroyable = false;
}

ZafPopUpMenu::ZafPopUpMenu(const ZafPopUpMenu& other) : ZafMenuWindow(other) {
  MakeMenu();
}

ZafPopUpMenu::ZafPopUpMenu(const ZafIChar* name, ZafObjectPersistence& persistence) : ZafPopUpMenu(0, 0) {
  ReadStored(name, persistence);
}

void ZafPopUpMenu::MakeMenu() {
  MakeMenuWindow();
  placement = 0;
  temporary = true;
}

void ZafPopUpMenu::ReadStored(const ZafIChar* name, ZafObjectPersistence& persistence) {
  // Stored below the object whose record is open (an item's submenu), else by name under the class.
  ReadStoredWindow(name, persistence, ClassName(), ClassID());
  // A record cannot make a menu sizeable, movable or anything else a menu never is.
  MakeMenu();
}

ZafClassID ZafPopUpMenu::ClassID() const {
  return ID_ZAF_POP_UP_MENU;
}

const ZafIChar* ZafPopUpMenu::ClassName() const {
  return u"ZafPopUpMenu";
}

bool ZafPopUpMenu::IsA(ZafClassID id) const {
  return id == ID_ZAF_POP_UP_MENU || ZafWindow::IsA(id);
}

bool ZafPopUpMenu::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafPopUpMenu") == 0) || ZafWindow::IsAName(name);
}

ZafWindowObject* ZafPopUpMenu::Duplicate() {
  return new ZafPopUpMenu(*this);
}

// ---- Settings ----

int32_t ZafPopUpMenu::SetPlacement(int32_t) {
  placement = 0;
  return 0;
}

bool ZafPopUpMenu::SetTemporary(bool) {
  temporary = true;
  return true;
}

ZafWindowObject* ZafPopUpMenu::NotifySelection(ZafWindowObject*, bool) {
  return nullptr;
}

// ---- The menu as a submenu ----

ZafWindowObject* ZafPopUpMenu::OwnerWithEntry() const {
  return parent && parent->ScreenID() && SubmenuOf(parent) == this ? parent : nullptr;
}

template <typename Change>
ZafWindowObject* ZafPopUpMenu::RecreateOwnerEntry(Change change) {
  parent->Event(ZafEventRecord(DestroyEvent, 0));
  ZafWindowObject* result = change();
  parent->Event(ZafEventRecord(CreateEvent, 0));
  return result;
}

ZafWindowObject* ZafPopUpMenu::AddMenuItem(ZafWindowObject* object, ZafWindowObject* before) {
  // Only the first item changes the kind of an existing native entry; later ones are created one by one
  // in the submenu's native menu by the window's own add.
  if (!OwnerWithEntry() || HasItems()) {
    return Add(object, before);
  }
  return RecreateOwnerEntry([this, object, before] { return Add(object, before); });
}

ZafWindowObject* ZafPopUpMenu::SubtractMenuItem(ZafWindowObject* object) {
  // Only the last item changes the kind of the owner's entry, back to a plain command.
  if (!OwnerWithEntry() || !object || object->Parent() != this || First() != Last()) {
    return Subtract(object);
  }
  return RecreateOwnerEntry([this, object] { return Subtract(object); });
}

void ZafPopUpMenu::DestroyMenuItems() {
  if (!OwnerWithEntry() || !HasItems()) {
    Destroy();
    return;
  }
  RecreateOwnerEntry([this] {
    Destroy();
    return nullptr;
  });
}

void ZafPopUpMenu::SortMenuItems() {
  if (!screenID) {
    Sort();
    return;
  }
  // The entries stand at their items' places: taken down in the old order, made again in the new one. The
  // menu's own handle stays, so an owner's cascade entry still leads to it.
  NotifyChildrenDestroy();
  Sort();
  for (ZafElement* element = First(); element; element = element->Next()) {
    static_cast<ZafWindowObject*>(element)->Event(ZafEventRecord(CreateEvent, 0));
  }
}

ZafWindowObject* ZafPopUpMenu::OwnerFocusObject() {
  if (focus) {
    return CurrentChild() ? FocusObject() : this;
  }
  return parent && parent->Focus() ? parent : nullptr;
}

void ZafPopUpMenu::WriteAsSubmenu(ZafObjectPersistence& persistence) {
  ZafFile* file = persistence.File();
  if (!file) {
    return;
  }
  if (!HasItems()) {
    file->WriteString(u"");
    return;
  }
  if (!StringID() || !*StringID()) {
    SetStringID(kSubmenuName);
  }
  file->WriteString(StringID());
  Write(persistence);
}

void ZafPopUpMenu::ReadAsSubmenu(ZafObjectPersistence& persistence) {
  ZafFile* file = persistence.File();
  if (!file) {
    return;
  }
  ZafIChar* text = nullptr;
  file->ReadString(text);
  const std::unique_ptr<ZafIChar[]> name(text);
  if (file->Error() != ZAF_ERROR_NONE || !name || !*name.get()) {
    return;
  }
  // Read below the item's record, which stays open; an error of the submenu is the item's too.
  ReadStored(name.get(), persistence);
  if (error != ZAF_ERROR_NONE && persistence.Error() == ZAF_ERROR_NONE) {
    persistence.SetError(error);
  }
}

ZafPopUpMenu* ZafPopUpMenu::SubmenuOf(ZafWindowObject* object) {
  if (object && (object->IsA(ID_ZAF_POP_UP_ITEM) || object->IsA(ID_ZAF_PULL_DOWN_ITEM))) {
    return &static_cast<ZafMenuItem*>(object)->Submenu();
  }
  return nullptr;
}

ZafObjectConstructor ZafPopUpMenu::ReadFunction() const {
  return &ZafPopUpMenu::Read;
}

ZafWindowObject* ZafPopUpMenu::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafPopUpMenu(name, persistence);
}
