// A menu entry on the native window system: its entry in the native menu of its parent, made on create
// and taken out on destroy, its text and state pushed into the entry as they change, and the native
// command that chooses it.
#include "framework/core/zafmenuitem.h"

#include "framework/data/zafclassid.h"
#include "framework/win32/zafmnemonictext.h"
#include "native/native.h"

ZafEventType ZafMenuItem::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  switch (code) {
    case E_OSEVENT:
      return NativeEvent(event);
    case ChosenEvent:
    case ChosenByDoubleClickEvent:
      // A disabled entry (a separator among them) is never chosen, whatever sends the choice.
      return IsDisabledUp() ? code : ZafButton::Event(event);
    case CreateEvent:
      Event(ZafEventRecord(PrepareEvent, 0));
      Event(ZafEventRecord(NativeAttachedEvent, 0));
      RedrawMenuBar();
      return code;
    case DestroyEvent:
      DestroyEntry();
      return code;
    case NativeAttachedEvent:
    case NativeGoneEvent:
    case PrepareEvent:
      // The submenu first: a cascade's entry is made with the submenu's native menu as its command.
      submenu.Event(event);
      ZafWindowObject::Event(event);
      return code;
    case AddObjectEvent:
      AddMenuItem(event.windowObject);
      return code;
    case SubtractObjectEvent:
      SubtractMenuItem(event.windowObject);
      return code;
    case FocusGainedEvent:
      if (nonCurrent) {
        // A separator never becomes the highlighted entry.
        return code;
      }
      ZafWindowObject::Event(event);
      Event(ZafEventRecord(FocusGainEvent, 0));
      return code;
    case FocusLostEvent:
      if (submenu.Focus()) {
        submenu.Event(event);
      }
      Event(ZafEventRecord(FocusLoseEvent, 0));
      ZafWindowObject::Event(event);
      return code;
    default:
      return ZafButton::Event(event);
  }
}

ZafEventType ZafMenuItem::NativeEvent(const ZafEventRecord& event) {
  switch (event.osEvent.message) {
    case native::WM_COMMAND:
    case native::WM_SYSCOMMAND:
      return Event(ZafEventRecord(ChosenEvent, 0));
    default:
      return ZafWindowObject::NativeEvent(event);
  }
}

void ZafMenuItem::CreateNative() {
  screenID = parent ? parent->ScreenID() : nullptr;
  if (!screenID) {
    return;
  }
  const std::unique_ptr<ZafIChar[]> text = EntryText();
  // By position rather than appended, so that an entry added in front of others lands in its place.
  native::InsertMenu(ContainingMenu(), static_cast<native::UINT>(EntryPosition()),
                     EntryFlags() | native::MF_BYPOSITION, EntryIdentifier(), text ? text.get() : u"");
}

ZafMenuItem::~ZafMenuItem() {
  if (screenID && Listed()) {
    DestroyEntry();
  }
}

void ZafMenuItem::DestroyEntry() {
  // By place, not by command: a separator has no command to be found by, and a cascade's command is its
  // submenu's handle, wider than the command word. An entry out of its list has no place to go by.
  if (screenID && Listed()) {
    native::RemoveMenu(ContainingMenu(), static_cast<native::UINT>(EntryPosition()), native::MF_BYPOSITION);
  }
  submenu.Event(ZafEventRecord(DestroyEvent, 0));
  Event(ZafEventRecord(NativeGoneEvent, 0));
}

bool ZafMenuItem::SetDisabled(bool flag) {
  if (flag == disabled) {
    return disabled;
  }
  disabled = flag;
  if (screenID) {
    native::EnableMenuItem(
        ContainingMenu(), static_cast<native::UINT>(EntryPosition()),
        native::MF_BYPOSITION | (EntryFlags() & (native::MF_GRAYED | native::MF_DISABLED)));
    RedrawMenuBar();
  }
  return disabled;
}

int ZafMenuItem::UpdateNativeText() {
  if (!screenID) {
    return 0;
  }
  const std::unique_ptr<ZafIChar[]> text = EntryText();
  // The entry is replaced as a whole, so its state goes with the new text: a changed text must not
  // enable a greyed entry or clear a check mark.
  native::ModifyMenu(ContainingMenu(), static_cast<native::UINT>(EntryPosition()),
                     EntryFlags() | native::MF_BYPOSITION, EntryIdentifier(), text ? text.get() : u"");
  RedrawMenuBar();
  return 0;
}

bool ZafMenuItem::SetVisible(bool flag) {
  visible = flag;
  return visible;
}

bool ZafMenuItem::SetAutomaticUpdate(bool flag) {
  automaticUpdate = flag;
  return automaticUpdate;
}

bool ZafMenuItem::SetFocus(bool flag) {
  // A disabled entry or a separator never holds the focus.
  focus = flag && !IsDisabledUp() && !IsNonCurrentUp();
  return focus;
}

native::UINT_PTR ZafMenuItem::EntryIdentifier() const {
  return submenu.EntryIdentifier(NumberID());
}

native::UINT ZafMenuItem::EntryFlags() const {
  native::UINT flags = native::MF_STRING;
  if (submenu.ScreenID() && submenu.HasItems()) {
    flags |= native::MF_POPUP;
  }
  if (disabled) {
    flags |= native::MF_GRAYED;
  }
  return flags;
}

int32_t ZafMenuItem::EntryPosition() {
  return ListIndex();
}

std::unique_ptr<ZafIChar[]> ZafMenuItem::EntryText() {
  return ZafMnemonicText(Text(), hotKeyIndex);
}

void ZafMenuItem::RedrawMenuBar() {
  ZafWindowObject* root = RootObject();
  // A free-standing menu's root is the menu itself, whose handle is a menu, not a frame window.
  if (root == this || root->IsA(ID_ZAF_POP_UP_MENU) || root->IsA(ID_ZAF_PULL_DOWN_MENU)) {
    return;
  }
  if (const native::HWND frame = root->ScreenID(2)) {
    native::DrawMenuBar(frame);
  }
}

ZafEventType ZafMenuItem::Draw(const ZafEventRecord&, ZafEventType drawType) {
  return drawType;
}

void ZafMenuItem::SetDisplayColors(ZafPaletteStruct&, uint16_t, uint16_t) {}

void ZafMenuItem::UpdateNative() {}

void ZafMenuItem::RedisplayNative(const ZafEventRecord&) {}
