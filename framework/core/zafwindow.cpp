#include "framework/core/zafwindow.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/zafborder.h"
#include "framework/core/zafbutton.h"
#include "framework/core/zafgeometrymanager.h"
#include "framework/core/zafmaximizebutton.h"
#include "framework/core/zafminimizebutton.h"
#include "framework/core/zafnameentry.h"
#include "framework/core/zafpulldownmenu.h"
#include "framework/core/zafscrollbar.h"
#include "framework/core/zafsystembutton.h"
#include "framework/core/zaftitle.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zaffilesystem.h"
#include "framework/data/zafstringdata.h"
#include "framework/data/zafstrlib.h"

namespace {

// Arrows, Tab and Shift-Tab, Page Up and Down, Enter. Duplicate rows never decide and stay as they are.
constexpr ZafEventMap kEventMap[] = {
    {1051, ZAF_KEYBOARD_DEVICE, 40, 512},        {1051, ZAF_KEYBOARD_DEVICE, 40, 512},
    {1052, ZAF_KEYBOARD_DEVICE, 37, 512},        {1052, ZAF_KEYBOARD_DEVICE, 37, 512},
    {1055, ZAF_KEYBOARD_DEVICE, 9, 512},         {1059, ZAF_KEYBOARD_DEVICE, 34, 512},
    {1059, ZAF_KEYBOARD_DEVICE, 34, 512},        {1058, ZAF_KEYBOARD_DEVICE, 33, 512},
    {1058, ZAF_KEYBOARD_DEVICE, 33, 512},        {1054, ZAF_KEYBOARD_DEVICE, 9, 515},
    {1053, ZAF_KEYBOARD_DEVICE, 39, 512},        {1053, ZAF_KEYBOARD_DEVICE, 39, 512},
    {1050, ZAF_KEYBOARD_DEVICE, 38, 512},        {1050, ZAF_KEYBOARD_DEVICE, 38, 512},
    {ChosenEvent, ZAF_KEYBOARD_DEVICE, 13, 512}, {EndOfEventMap, 0, 0, 0},
};

// Window record flags.
enum WindowFlag : uint16_t {
  kDestroyable = 0x0001,
  kLocked = 0x0002,
  kMaximized = 0x0004,
  kMinimized = 0x0008,
  kMovable = 0x0010,
  kSizeable = 0x0020,
  kTemporary = 0x0040,
  kModal = 0x0080,
  kSystemKeys = 0x0100,
};

ZafWindowObject* AsObject(ZafElement* element) {
  return static_cast<ZafWindowObject*>(static_cast<ZafElement*>(element));
}

// The created top-level windows that `owner` owns, directly or through windows it owns, each once and
// every owner before the windows it owns. Owners that own each other in a ring end the search.
std::vector<ZafWindow*> CreatedWindowsOwnedBy(ZafWindow& owner) {
  std::vector<ZafWindow*> owned;
  ZafWindowManager* manager = ZafWindowObject::windowManager;
  if (owner.Parent() || !manager) {
    return owned;
  }
  std::vector<ZafWindow*> owners{&owner};
  for (std::size_t next = 0; next < owners.size(); ++next) {
    for (ZafElement* element = manager->First(); element; element = element->Next()) {
      // Only windows are listed in the window manager.
      auto* window = static_cast<ZafWindow*>(AsObject(element));
      if (window->Owner() == owners[next] && window->ScreenID() &&
          std::find(owners.begin(), owners.end(), window) == owners.end()) {
        owners.push_back(window);
        owned.push_back(window);
      }
    }
  }
  return owned;
}

}  // namespace

ZafWindow::ZafWindow(int32_t left, int32_t top, int32_t width, int32_t height)
    : ZafWindowObject(left, top, width, height), clientRegion{0, 0, width - 1, height - 1, ZAF_CELL} {}

ZafWindow::ZafWindow(const ZafWindow& other)
    : ZafWindowObject(other),
      ZafList(other.CompareFunction()),
      clientRegion(other.clientRegion),
      restoreRegion(other.restoreRegion),
      destroyable(other.destroyable),
      locked(other.locked),
      maximized(other.maximized),
      minimized(other.minimized),
      modal(other.modal),
      movable(other.movable),
      systemKeys(other.systemKeys),
      selectionType(other.selectionType),
      sizeable(other.sizeable),
      temporary(other.temporary) {
  for (const ZafList* list : {&other.support, static_cast<const ZafList*>(&other)}) {
    for (ZafElement* element = list->First(); element; element = element->Next()) {
      Add(AsObject(element)->Duplicate());
    }
  }
  if (other.defaultButton) {
    // The source's button may have no counterpart (it was not among its objects): then there is none.
    if (ZafWindowObject* button = OwnObjectByName(other.defaultButton->StringID())) {
      SetDefaultButton(button, true);
    }
  }
}

ZafWindowObject* ZafWindow::OwnObjectByName(const ZafIChar* name) {
  // A name from "~" would be searched from the window manager, in other windows.
  if (!name || !*name || name[0] == u'~') {
    return nullptr;
  }
  ZafWindowObject* found = SearchPath(name);
  for (ZafWindowObject* object = found; object; object = object->Parent()) {
    if (object == this) {
      return found;
    }
  }
  return nullptr;
}

ZafWindow::ZafWindow(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafWindowObject(name, persistence, u"ZafWindow", ID_ZAF_WINDOW) {
  ReadWindow(persistence);
  LeaveReadLevel(persistence);
}

void ZafWindow::ReadStoredWindow(const ZafIChar* name, ZafObjectPersistence& persistence,
                                 const ZafIChar* className, ZafClassID classID) {
  if (EnterReadLevel(name, persistence, className, classID)) {
    ReadWindow(persistence);
  }
  LeaveReadLevel(persistence);
}

ZafWindow::~ZafWindow() {
  LeaveDefaultButtons();
  support.Destroy();
  ZafList::Destroy();
  // The client window sits in the frame: it goes first.
  ReleaseNativeWindow(screenID);
  ReleaseNativeWindow(frameHandle);
}

ZafClassID ZafWindow::ClassID() const {
  return ID_ZAF_WINDOW;
}

const ZafIChar* ZafWindow::ClassName() const {
  return u"ZafWindow";
}

bool ZafWindow::IsA(ZafClassID id) const {
  return id == ID_ZAF_WINDOW || ZafWindowObject::IsA(id);
}

bool ZafWindow::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafWindow") == 0) || ZafWindowObject::IsAName(name);
}

ZafWindowObject* ZafWindow::Duplicate() {
  return new ZafWindow(*this);
}

void ZafWindow::TellSharingSupportObjects(const ZafEventRecord& event) {
  for (ZafElement* element = support.First(); element; element = element->Next()) {
    if (ZafWindowObject* object = AsObject(element); SharesNativeWindow(object)) {
      object->Event(event);
    }
  }
}

bool ZafWindow::SharesNativeWindow(const ZafWindowObject* object) {
  return object->SupportObject() && !object->OwnNativeWindow();
}

ZafEventType ZafWindow::MapEvent(const ZafEventRecord& event) {
  const ZafEventType logical = MapEventTable(kEventMap, event);
  return logical == EndOfEventMap ? ZafWindowObject::MapEvent(event) : logical;
}

// ---- Objects ----

ZafWindowObject* ZafWindow::Add(ZafWindowObject* object, ZafWindowObject* before) {
  if (!object || object->Parent()) {
    return object;
  }
  // A window cannot hold itself or one of its ancestors: the tree would become a loop.
  for (ZafWindowObject* ancestor = this; ancestor; ancestor = ancestor->Parent()) {
    if (ancestor == object) {
      return object;
    }
  }
  ZafList& list = object->SupportObject() ? support : *this;
  // An object still linked in another list (a top-level window in the window manager's) is refused by
  // the list and keeps its place.
  ZafElement* linked =
      before && list.Index(before) >= 0 ? list.Insert(object, before) : list.ZafList::Add(object);
  if (!linked) {
    return object;
  }
  const bool hadFocus = object->Focus();
  const bool wasSelected = object->Selected();
  object->SetFocus(false);
  object->SetSelected(false);
  object->SetParent(this);
  if (screenID) {
    CreateAdded(object);
  }
  if (hadFocus) {
    if (focus) {
      object->SetFocus(true);
    } else if (&list == this) {
      SetCurrent(object);
    }
  }
  if (wasSelected) {
    object->SetSelected(true);
  }
  return object;
}

void ZafWindow::AddStandardFrame(ZafStringData* title, ZafWindowObject* extra) {
  Add(new ZafBorder());
  Add(new ZafMaximizeButton());
  Add(new ZafMinimizeButton());
  // Options 0: the platform's own system menu.
  Add(new ZafSystemButton(0));
  Add(new ZafTitle(title));
  if (extra) {
    Add(extra);
  }
}

void ZafWindow::AddStandardFrame(const ZafIChar* title, ZafWindowObject* extra) {
  AddStandardFrame(new ZafStringData(title), extra);
}

ZafWindowObject* ZafWindow::Subtract(ZafWindowObject* object) {
  if (!object || object->Parent() != this) {
    return nullptr;
  }
  ZafList& list = object->SupportObject() ? support : *this;
  if (!list.ZafList::Subtract(object)) {
    return nullptr;
  }
  ForgetDefaultButtons(object);
  if (object->ScreenID()) {
    object->Event(ZafEventRecord(DestroyEvent, 0));
    // A frame part taken out lets go of the window's native window (a title no longer sets its caption).
    if (SharesNativeWindow(object)) {
      object->Event(ZafEventRecord(NativeGoneEvent, 0));
    }
  }
  object->SetParent(nullptr);
  if (screenID && object->SupportObject()) {
    // A frame part stood for styles of the frame, which only a new frame drops; a bar leaves room that
    // the client window takes.
    if (object->OwnNativeWindow()) {
      RelayoutFrame();
    } else if (MadeItsNativeWindows()) {
      Recreate();
    }
  }
  return object;
}

void ZafWindow::CreateAdded(ZafWindowObject* object) {
  if (!object->SupportObject()) {
    object->Event(ZafEventRecord(CreateEvent, 0));
    return;
  }
  // A frame part stands for styles of the frame, and a bar needs a frame to sit in: a window without one
  // is made anew, and the new object is created with it. A native window handed to the window from
  // outside is not the window's to make anew: the object only takes its place in it.
  if (!object->OwnNativeWindow() || !frameHandle) {
    if (MadeItsNativeWindows()) {
      Recreate();
      return;
    }
    object->Event(ZafEventRecord(CreateEvent, 0));
    if (SharesNativeWindow(object)) {
      object->Event(ZafEventRecord(NativeAttachedEvent, 0));
    }
    return;
  }
  // A bar is created hidden and shown once the frame has made room for it.
  const bool wasVisible = object->Visible();
  object->SetVisible(false);
  object->Event(ZafEventRecord(CreateEvent, 0));
  RelayoutFrame();
  object->SetVisible(wasVisible);
}

void ZafWindow::Recreate() {
  ZafWindowManager* manager = windowManager;
  // Temporary windows it owns are closed first: the activation that destroying a frame causes closes
  // them anyway, and would delete one in the middle of its own destruction.
  for (ZafWindow* window : CreatedWindowsOwnedBy(*this)) {
    if (window->Temporary() && manager && manager->Index(window) >= 0) {
      manager->Remove(window);
    }
  }
  // Destroying the frame would take the native windows it owns along behind their objects' backs: they
  // go first, the windows they own before them, and are made again over the new frame.
  const std::vector<ZafWindow*> owned = CreatedWindowsOwnedBy(*this);
  ZafWindow* front = manager ? manager->FrontWindow() : nullptr;
  for (auto window = owned.rbegin(); window != owned.rend(); ++window) {
    (*window)->Event(ZafEventRecord(DestroyEvent, 0));
  }
  Event(ZafEventRecord(DestroyEvent, 0));
  const auto create = [](ZafWindow& window) {
    window.Event(ZafEventRecord(CreateEvent, 0));
    // The bars were created after the frame was placed: the client window makes room for them now.
    window.RelayoutFrame();
  };
  create(*this);
  for (ZafWindow* window : owned) {
    create(*window);
  }
  // Made anew, the windows were shown and brought forward one by one: the window that was in front
  // before (a modal dialog, say) comes back to the front, and the others take their places behind or in
  // front of the modal windows.
  if (front && manager->Index(front) >= 0 && manager->FrontWindow() != front) {
    front->SetFocus(true);
  }
  TakeModalState();
  for (ZafWindow* window : owned) {
    window->TakeModalState();
  }
}

void ZafWindow::ForgetDefaultButtons(ZafWindowObject* leaving) {
  // The default buttons live on the root, and a window keeps those it had as a root: one inside the
  // leaving object must not be left behind on any of them.
  auto inside = [leaving](ZafWindowObject* button) {
    for (ZafWindowObject* object = button; object; object = object->Parent()) {
      if (object == leaving) {
        return true;
      }
    }
    return false;
  };
  for (ZafWindowObject* object = this; object && object->IsA(ID_ZAF_WINDOW); object = object->Parent()) {
    auto* window = static_cast<ZafWindow*>(object);
    if (inside(window->currentDefaultButton)) {
      window->currentDefaultButton = nullptr;
    }
    if (inside(window->defaultButton)) {
      window->defaultButton = nullptr;
    }
  }
}

void ZafWindow::NotifyChildrenDestroy() {
  for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
    AsObject(element)->Event(ZafEventRecord(DestroyEvent, 0));
  }
}

void ZafWindow::Destroy() {
  NotifyChildrenDestroy();
  for (ZafElement* element = ZafList::First(); element; element = ZafList::First()) {
    ZafWindowObject* object = AsObject(element);
    ForgetDefaultButtons(object);
    ZafList::Subtract(object);
    delete object;
  }
}

void ZafWindow::BroadcastToChildren(const ZafEventRecord& event, int depth) {
  ForEachObject([&event](ZafWindowObject* object) {
    object->Event(event);
    return false;
  });
  if (depth == -1 || depth > 0) {
    const int next = depth > 0 ? depth - 1 : depth;
    ForEachObject([&event, next](ZafWindowObject* object) {
      if (object->IsA(ID_ZAF_WINDOW)) {
        static_cast<ZafWindow*>(object)->BroadcastToChildren(event, next);
      }
      return false;
    });
  }
}

ZafWindowObject* ZafWindow::FindObject(ZafNumberID id) {
  if (ZafWindowObject* self = ZafWindowObject::FindObject(id)) {
    return self;
  }
  if (ZafIsReservedNumberID(id)) {
    return SupportObjectByID(id);
  }
  ZafWindowObject* found = nullptr;
  ForEachObject([&found, id](ZafWindowObject* object) {
    found = object->FindObject(id);
    return found != nullptr;
  });
  return found;
}

ZafWindowObject* ZafWindow::FindObjectByName(const ZafIChar* name) {
  if (ZafWindowObject* self = ZafWindowObject::FindObjectByName(name)) {
    return self;
  }
  if (!name || name[0] == u'~') {
    return nullptr;
  }
  return SearchPath(name);
}

// A name without "~" is searched through the whole tree; "first~rest" matches a direct object named
// first and asks it for rest ("first~" answers the direct object itself).
ZafWindowObject* ZafWindow::SearchPath(const ZafIChar* name) {
  const ZafIChar* tilde = ZafStrChr(name, u'~');
  ZafWindowObject* found = nullptr;
  if (!tilde) {
    ForEachObject([&found, name](ZafWindowObject* object) {
      found = object->FindObjectByName(name);
      return found != nullptr;
    });
    return found;
  }
  const std::u16string first(name, tilde);
  const ZafIChar* rest = tilde + 1;
  ForEachObject([&found, &first](ZafWindowObject* object) {
    if (object->StringID() && first == object->StringID()) {
      found = object;
    }
    return found != nullptr;
  });
  if (!found || !*rest) {
    return found;
  }
  return found->FindObjectByName(rest);
}

ZafWindowObject* ZafWindow::FocusObject() {
  ZafWindowObject* current = CurrentChild();
  if (current && current->Focus()) {
    return current->FocusObject();
  }
  return focus ? this : nullptr;
}

ZafWindowObject* ZafWindow::SupportObjectByID(ZafNumberID id) const {
  for (ZafElement* element = support.First(); element; element = element->Next()) {
    if (element->NumberID() == id) {
      return AsObject(element);
    }
  }
  return nullptr;
}

ZafGeometryManager* ZafWindow::GeometryManager() const {
  ZafWindowObject* object = SupportObjectByID(ZAF_NUMID_GEOMETRY);
  return object && object->IsA(ID_ZAF_GEOMETRY_MANAGER) ? static_cast<ZafGeometryManager*>(object) : nullptr;
}

ZafScrollBar* ZafWindow::HorizontalScrollBar() const {
  return dynamic_cast<ZafScrollBar*>(SupportObjectByID(ZAF_NUMID_HZ_SCROLL));
}

ZafScrollBar* ZafWindow::VerticalScrollBar() const {
  return dynamic_cast<ZafScrollBar*>(SupportObjectByID(ZAF_NUMID_VT_SCROLL));
}

ZafScrollBar* ZafWindow::CornerScrollBar() const {
  return dynamic_cast<ZafScrollBar*>(SupportObjectByID(ZAF_NUMID_CORNER_SCROLL));
}

ZafWindowObject* ZafWindow::Border() const {
  ZafWindowObject* object = SupportObjectByID(ZAF_NUMID_BORDER);
  return object && object->IsA(ID_ZAF_BORDER) ? object : nullptr;
}

ZafWindowObject* ZafWindow::TitleObject() const {
  ZafWindowObject* object = SupportObjectByID(ZAF_NUMID_TITLE);
  return object && object->IsA(ID_ZAF_TITLE) ? object : nullptr;
}

ZafSystemButton* ZafWindow::SystemButton() const {
  ZafWindowObject* object = SupportObjectByID(ZAF_NUMID_SYSTEM);
  return object && object->IsA(ID_ZAF_SYSTEM_BUTTON) ? static_cast<ZafSystemButton*>(object) : nullptr;
}

ZafPullDownMenu* ZafWindow::PullDownMenu() const {
  ZafWindowObject* object = SupportObjectByID(ZAF_NUMID_PULL_DOWN_MENU);
  return object && object->IsA(ID_ZAF_PULL_DOWN_MENU) ? static_cast<ZafPullDownMenu*>(object) : nullptr;
}

ZafPopUpMenu* ZafWindow::SystemMenu() const {
  ZafSystemButton* button = SystemButton();
  return button ? &button->SystemMenu() : nullptr;
}

int32_t ZafWindow::SetCoordinateType(int32_t type) {
  if (!screenID) {
    ZafWindowObject::SetCoordinateType(type);
    clientRegion.coordinateType = type;
  }
  return coordinateType;
}

const ZafIChar* ZafWindow::Text() {
  ZafWindowObject* title = TitleObject();
  return title ? title->Text() : nullptr;
}

int ZafWindow::SetText(const ZafIChar* text) {
  ZafWindowObject* title = TitleObject();
  return title ? title->SetText(text) : 1;
}

// ---- Flags ----

bool ZafWindow::Changed() {
  if (changed) {
    return true;
  }
  for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
    if (AsObject(element)->Changed()) {
      return true;
    }
  }
  return false;
}

bool ZafWindow::SetChanged(bool flag) {
  changed = flag;
  if (!changed) {
    for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
      AsObject(element)->SetChanged(false);
    }
  }
  return changed;
}

bool ZafWindow::SetCtrlDrag(bool) {
  ctrlDrag = false;
  return false;
}

bool ZafWindow::SetShiftCtrlDrag(bool) {
  shiftCtrlDrag = false;
  return false;
}

bool ZafWindow::SetShiftDrag(bool) {
  shiftDrag = false;
  return false;
}

bool ZafWindow::SetParentDrawBorder(bool) {
  parentDrawBorder = false;
  return false;
}

bool ZafWindow::SetParentDrawFocus(bool) {
  parentDrawFocus = false;
  return false;
}

bool ZafWindow::SetSelected(bool) {
  selected = false;
  return false;
}

bool ZafWindow::SetDestroyable(bool flag) {
  destroyable = flag;
  return destroyable;
}

bool ZafWindow::SetLocked(bool flag) {
  return SetBeforeCreation(locked, flag);
}

bool ZafWindow::SetModal(bool flag) {
  return SetBeforeCreation(modal, flag);
}

bool ZafWindow::SetMovable(bool flag) {
  return SetBeforeCreation(movable, flag);
}

bool ZafWindow::SetSizeable(bool flag) {
  return SetBeforeCreation(sizeable, flag);
}

bool ZafWindow::SetSystemKeys(bool flag) {
  systemKeys = flag;
  return systemKeys;
}

bool ZafWindow::SetTemporary(bool flag) {
  return SetBeforeCreation(temporary, flag);
}

ZafWindow* ZafWindow::SetOwner(ZafWindow* newOwner) {
  if (!screenID && !parent && newOwner != this) {
    owner = newOwner;
  }
  return owner;
}

// ---- Focus, selection and default buttons ----

ZafWindowObject* ZafWindow::NotifyFocus(ZafWindowObject* focusObject, bool setFocus) {
  if (focusObject == this) {
    return ZafWindowObject::NotifyFocus(focusObject, setFocus);
  }
  ZafWindowObject* current = CurrentChild();
  if (!setFocus) {
    if (current) {
      if (ZafWindowObject* refused = current->NotifyFocus(focusObject, false)) {
        return refused;
      }
    }
    return ZafWindowObject::NotifyFocus(this, false);
  }
  ZafWindowObject* refused = nullptr;
  if (!focus) {
    refused = ZafWindowObject::NotifyFocus(this, true);
    if (!refused && current && current != focusObject &&
        current->Event(ZafEventRecord(ValidityQueryEvent, 0)) == -1) {
      // The current field holds an invalid value: the focus goes back to it.
      Event(ZafEventRecord(FocusRequestEvent, 0));
      refused = current;
    }
  } else if (current && current != focusObject) {
    refused = current->NotifyFocus(this, false);
  }
  if (!refused && focusObject && focusObject->Parent() == this && !focusObject->SupportObject()) {
    SetCurrent(focusObject);
  }
  FollowDefaultButton(focusObject);
  return refused;
}

void ZafWindow::FollowDefaultButton(ZafWindowObject* gaining) {
  ZafWindowObject* root = RootObject();
  if (!root->IsA(ID_ZAF_WINDOW)) {
    return;
  }
  auto* rootWindow = static_cast<ZafWindow*>(root);
  ZafWindowObject* permanent = rootWindow->defaultButton;
  if (!permanent) {
    return;
  }
  // A button that may be a default button takes the role while it has the focus; any other object gives
  // it back to the permanent default button.
  if (gaining && gaining->IsA(ID_ZAF_BUTTON) && static_cast<ZafButton*>(gaining)->DefaultCapable()) {
    ZafWindowObject* previous = rootWindow->currentDefaultButton;
    rootWindow->currentDefaultButton = gaining;
    if (previous == permanent && previous != gaining) {
      previous->Event(ZafEventRecord(DefaultButtonChangedEvent, 0));
    }
    return;
  }
  rootWindow->SetDefaultButton(permanent, false);
}

ZafWindowObject* ZafWindow::NotifySelection(ZafWindowObject* object, bool setSelected) {
  if (!object || object->SupportObject() || selectionType != 0) {
    return nullptr;
  }
  if (setSelected) {
    for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
      ZafWindowObject* other = AsObject(element);
      if (other != object && other->Selected()) {
        other->SetSelected(false);
      }
    }
    if (object->Parent() == this) {
      SetCurrent(object);
    }
    return nullptr;
  }
  for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
    if (AsObject(element)->Selected()) {
      return nullptr;
    }
  }
  // The last selected child stays selected: a single-selection window always has one.
  object->SetSelected(true);
  return nullptr;
}

ZafWindowObject* ZafWindow::SetDefaultButton(ZafWindowObject* button, bool permanent) {
  ZafWindowObject* root = RootObject();
  if (root != this && root->IsA(ID_ZAF_WINDOW)) {
    return static_cast<ZafWindow*>(root)->SetDefaultButton(button, permanent);
  }
  // Only a button of this tree: one elsewhere would be left behind here when it is deleted.
  if (button && button->RootObject() != this) {
    return permanent ? defaultButton : currentDefaultButton;
  }
  auto tell = [](ZafWindowObject* changedButton) {
    if (changedButton) {
      changedButton->Event(ZafEventRecord(DefaultButtonChangedEvent, 0));
    }
  };
  if (!permanent) {
    if (button != currentDefaultButton) {
      // Only the permanent default button draws differently for being the current one.
      ZafWindowObject* previous = currentDefaultButton;
      currentDefaultButton = button;
      for (ZafWindowObject* changedButton : {previous, button}) {
        if (changedButton == defaultButton) {
          tell(changedButton);
        }
      }
    }
    return currentDefaultButton;
  }
  if (button != defaultButton) {
    if (!currentDefaultButton || (currentDefaultButton == defaultButton && !currentDefaultButton->Focus())) {
      // The old permanent button gives up both roles: both buttons redraw.
      ZafWindowObject* previous = currentDefaultButton;
      currentDefaultButton = button;
      defaultButton = button;
      tell(previous);
      tell(button);
    }
    defaultButton = button;
  }
  return defaultButton;
}

ZafWindowObject* ZafWindow::DefaultButton(bool permanent) {
  ZafWindow* root = this;
  if (ZafWindowObject* top = RootObject(); top != this && top->IsA(ID_ZAF_WINDOW)) {
    root = static_cast<ZafWindow*>(top);
  }
  return permanent ? root->defaultButton : root->currentDefaultButton;
}

int ZafWindow::CompareAscending(ZafElement* first, ZafElement* second) {
  const ZafIChar* a = AsObject(first)->Text();
  const ZafIChar* b = AsObject(second)->Text();
  if (!a) {
    return -1;
  }
  if (!b) {
    return 1;
  }
  return ZafStrCmp(a, b);
}

int ZafWindow::CompareDescending(ZafElement* first, ZafElement* second) {
  const ZafIChar* a = AsObject(first)->Text();
  const ZafIChar* b = AsObject(second)->Text();
  if (!a) {
    return 1;
  }
  if (!b) {
    return -1;
  }
  return ZafStrCmp(b, a);
}

// ---- Storage ----

ZafObjectConstructor ZafWindow::ReadFunction() const {
  return &ZafWindow::Read;
}

ZafWindowObject* ZafWindow::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafWindow(name, persistence);
}

ZafError ZafWindow::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteWindowFields(persistence);
  }
  return EndWrite(persistence);
}

void ZafWindow::WriteWindowFields(ZafObjectPersistence& persistence) {
  ZafFile& file = *persistence.File();
  ZafRegionStruct client = clientRegion;
  client.ConvertCoordinates(coordinateType, display);
  file.WriteInt32(client.Width());
  file.WriteInt32(client.Height());
  const uint16_t flags = (destroyable ? kDestroyable : 0) | (locked ? kLocked : 0) |
                         (maximized ? kMaximized : 0) | (minimized ? kMinimized : 0) |
                         (movable ? kMovable : 0) | (sizeable ? kSizeable : 0) |
                         (temporary ? kTemporary : 0) | (modal ? kModal : 0) | (systemKeys ? kSystemKeys : 0);
  file.WriteUInt16(flags);
  file.WriteUInt16(static_cast<uint16_t>(selectionType & 15));
  const ZafIChar* compareName =
      CompareFunction() ? persistence.CompareFunctionName(CompareFunction()) : nullptr;
  file.WriteString(defaultButton ? defaultButton->StringID() : nullptr);
  file.WriteString(compareName);
  if (compareName && *compareName) {
    ZafNameEntry::Write(persistence, ZafNameEntry::compareFunction, nullptr, compareName);
  }
  WriteSupportObjects(persistence);
  WriteChildren(persistence);
}

void ZafWindow::WriteList(ZafList& list, ZafObjectPersistence& persistence) {
  for (ZafElement* element = list.First(); element && persistence.Error() == ZAF_ERROR_NONE;
       element = element->Next()) {
    AsObject(element)->Write(persistence);
  }
}

void ZafWindow::WriteSupportObjects(ZafObjectPersistence& persistence) {
  WriteList(support, persistence);
}

void ZafWindow::WriteChildren(ZafObjectPersistence& persistence) {
  WriteList(*this, persistence);
}

void ZafWindow::ReadWindow(ZafObjectPersistence& persistence) {
  ZafFile* file = persistence.File();
  if (!file || persistence.Error() != ZAF_ERROR_NONE || file->Error() != ZAF_ERROR_NONE) {
    return;
  }
  int32_t width = 0;
  int32_t height = 0;
  uint16_t flags = 0;
  uint16_t selection = 0;
  file->ReadInt32(width);
  file->ReadInt32(height);
  file->ReadUInt16(flags);
  file->ReadUInt16(selection);
  ZafIChar* text = nullptr;
  file->ReadString(text);
  std::unique_ptr<ZafIChar[]> defaultName(text);
  // The record's compare-function name is only informative: the function is named by the
  // "compareFunction" file, which is read below.
  text = nullptr;
  file->ReadString(text);
  delete[] text;
  if (file->Error() != ZAF_ERROR_NONE) {
    return;
  }
  if (width < 0 || height < 0) {
    // No region has a negative size; such a record was not written by a window.
    persistence.SetError(ZAF_ERROR_READ);
    return;
  }
  clientRegion = {0, 0, width - 1, height - 1, coordinateType};
  destroyable = flags & kDestroyable;
  locked = flags & kLocked;
  maximized = flags & kMaximized;
  minimized = flags & kMinimized;
  movable = flags & kMovable;
  sizeable = flags & kSizeable;
  temporary = flags & kTemporary;
  modal = flags & kModal;
  systemKeys = flags & kSystemKeys;
  selectionType = selection & 15;
  if (std::u16string compareName;
      ZafNameEntry::Read(persistence, ZafNameEntry::compareFunction, nullptr, compareName) &&
      !compareName.empty()) {
    SetCompareFunction(persistence.CompareFunction(compareName.c_str()));
  }
  if (persistence.Error() != ZAF_ERROR_NONE) {
    return;
  }
  ReadStoredObjects(persistence);
  if (ZafWindowObject* button = OwnObjectByName(defaultName.get()); button && button->IsA(ID_ZAF_BUTTON)) {
    SetDefaultButton(button, true);
  }
}

void ZafWindow::ReadStoredObjects(ZafObjectPersistence& persistence) {
  // The objects are the tagged directories beside this window's own object file, in the file system
  // that holds it.
  struct Entry {
    std::u16string name;
    std::u16string className;
    ZafClassID classID;
  };
  std::vector<Entry> entries;
  for (ZafFileSystem* fileSystem : persistence.FileList()) {
    std::vector<Entry> found;
    bool holdsThisWindow = false;
    ZafFileInfoStruct info;
    for (int more = fileSystem->FindFirst(info, u"*", nullptr, 0); more == 0;
         more = fileSystem->FindNext(info, u"*", nullptr, 0)) {
      if (info.type == ZAF_ENTRY_DIRECTORY && info.numberID != 0) {
        found.push_back({info.name, info.stringID, info.numberID});
      } else if (info.type == ZAF_ENTRY_FILE && info.name == u"objectData") {
        holdsThisWindow = true;
      }
    }
    fileSystem->FindClose(info);
    if (holdsThisWindow) {
      entries = std::move(found);
      break;
    }
  }
  for (const Entry& entry : entries) {
    ZafObjectConstructor construct = persistence.ObjectConstructor(entry.classID, entry.className.c_str());
    if (!construct) {
      continue;
    }
    if (ZafWindowObject* object = construct(entry.name.c_str(), persistence)) {
      Add(object);
    }
    if (persistence.Error() != ZAF_ERROR_NONE) {
      break;
    }
  }
}
