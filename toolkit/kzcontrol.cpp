#include "toolkit/kzcontrol.h"

#include "framework/core/zafeventmanager.h"
#include "native/controls/controlconstants.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzmdichild.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzpulldownmenu.h"
#include "toolkit/kzstatusbar.h"

namespace {

// Holds the window's automatic redraw off while it lives, so that the frame repaints once afterwards.
class RedrawHeld {
 public:
  explicit RedrawHeld(ZafWindowObject& window) : window(window), previous(window.AutomaticUpdate()) {
    window.SetAutomaticUpdate(false);
  }
  ~RedrawHeld() { window.SetAutomaticUpdate(previous); }
  RedrawHeld(const RedrawHeld&) = delete;
  RedrawHeld& operator=(const RedrawHeld&) = delete;

 private:
  ZafWindowObject& window;
  const bool previous;
};

}  // namespace

KZControl::KZControl(int32_t left, int32_t top, int32_t width, int32_t height)
    : ZafMDIWindow(left, top, width, height, ZAF_MDI_FRAME), KZWindowLeech(this) {
  AddStandardFrame(u"");
}

KZControl::~KZControl() {
  // The menu bar is deleted before the children, and the entries are the children's own.
  for (KZMDIChild* child = FindMDIChild(nullptr); child; child = FindMDIChild(child)) {
    child->LeaveWindowMenu();
  }
}

ZafWindowObject* KZControl::Add(ZafWindowObject* object, ZafWindowObject* position) {
  auto* child = dynamic_cast<KZMDIChild*>(object);
  if (!child) {
    return ZafMDIWindow::Add(object, position);
  }
  const ZafWindowObject* previousParent = child->Parent();
  {
    RedrawHeld held(*this);
    ZafMDIWindow::Add(child, position);
  }
  child->Activate();
  if (windowMenu && previousParent != this && child->Parent() == this && !child->windowItem.Parent()) {
    windowMenu->AddMenuItem(&child->windowItem);
    RebuildWindowMenu();
  }
  return object;
}

ZafWindowObject* KZControl::Subtract(ZafWindowObject* object) {
  auto* child = dynamic_cast<KZMDIChild*>(object);
  if (child && child->Parent() == this) {
    child->LeaveWindowMenu();
    RebuildWindowMenu();
  }
  return ZafMDIWindow::Subtract(object);
}

void KZControl::DeleteChild(ZafWindowObject* object) {
  if (Subtract(object)) {
    delete object;
  }
}

ZafEventType KZControl::Event(const ZafEventRecord& event) {
  if (const ZafEventType taken = KZWindowLeech::Event(event)) {
    return taken;
  }
  const ZafEventType code = MapEvent(event);
  if (code >= WindowMenuFirstCommand && code <= WindowMenuLastCommand) {
    ActivateByCommand(code);
    return code;
  }
  switch (code) {
    case TileVerticalCommand:
      // The frame's own procedure does not pass the tile on: the client arranges its children.
      if (screenID) {
        native::SendMessage(screenID, native::WM_MDITILE, native::MDITILE_VERTICAL, 0);
      }
      return code;
    case CascadeCommand:
    case TileHorizontalCommand:
      ZafMDIWindow::Event(ZafEventRecord(code == CascadeCommand ? CascadeEvent : TileEvent, 0));
      return code;
    case CloseWindowEvent:
      return CloseCommand(event);
    case CloseQueryEvent:
      // Closing the frame (its close box, Alt+F4, the window manager's close request) is the program's exit,
      // taken as File > Exit takes it: the open windows are asked and the program shuts down in order. The
      // frame itself stays until then.
      if (eventManager) {
        eventManager->Put(ZafEventRecord(ExitEvent, 0), Q_END);
      }
      return kNotClosed;
    case QueryExitEvent:
      return QueryExit();
    case UpdateMenuEvent:
      EnableMenuCommands();
      RebuildWindowMenu();
      return ZafMDIWindow::Event(event);
    case IdleTickEvent:
      return KZStatusBar::flyOverBar ? KZStatusBar::flyOverBar->Event(event) : 0;
    default:
      return ZafMDIWindow::Event(event);
  }
}

KZMDIChild* KZControl::FindMDIChild(ZafWindowObject* after) const {
  for (ZafElement* element = after ? after->Next() : First(); element; element = element->Next()) {
    if (auto* child = dynamic_cast<KZMDIChild*>(element)) {
      return child;
    }
  }
  return nullptr;
}

KZMDIChild* KZControl::NextMDIChild(ZafWindowObject* after) const {
  for (ZafElement* element = after ? after->Previous() : Last(); element; element = element->Previous()) {
    if (auto* child = dynamic_cast<KZMDIChild*>(element)) {
      return child;
    }
  }
  return nullptr;
}

KZMDIChild* KZControl::CurrentMDIChild() const {
  return dynamic_cast<KZMDIChild*>(CurrentChild());
}

int32_t KZControl::MDIChildCount() const {
  int32_t count = 0;
  for (KZMDIChild* child = FindMDIChild(nullptr); child; child = FindMDIChild(child)) {
    ++count;
  }
  return count;
}

void KZControl::AddToClient(ZafWindowObject* item) {
  if (windowMenu) {
    windowMenu->AddMenuItem(item);
  }
}

void KZControl::RebuildWindowMenu() {
  if (!windowMenu) {
    return;
  }
  const KZMDIChild* current = CurrentMDIChild();
  ZafEventType value = WindowMenuFirstCommand;
  for (ZafElement* element = windowMenu->Submenu().First(); element; element = element->Next()) {
    KZMDIChild* child = OwnerOfItem(element);
    if (!child) {
      continue;
    }
    KZPopUpItem& item = child->windowItem;
    // Past the last command an entry could activate nothing, and its value would be another command.
    const bool numbered = value <= WindowMenuLastCommand;
    item.SetValue(numbered ? value : KZMDIChild::kUnnumbered);
    item.SetEnabled(numbered, false);
    item.SetChecked(child == current, false);
    const int32_t index = value - WindowMenuFirstCommand;
    item.SetHotKey(windowKeyModifiers != 0 && index < kNumberedHotKeys
                       ? windowKeyModifiers | static_cast<uint32_t>(u'1' + index)
                       : 0);
    ++value;
  }
}

std::vector<ZafWindowObject*> KZControl::Children() const {
  std::vector<ZafWindowObject*> children;
  for (ZafElement* element = First(); element; element = element->Next()) {
    children.push_back(static_cast<ZafWindowObject*>(element));
  }
  return children;
}

bool KZControl::HoldsChild(const ZafWindowObject* object) const {
  // Addresses only: an earlier deletion may have taken the object along.
  for (const ZafElement* element = First(); element; element = element->Next()) {
    if (element == object) {
      return true;
    }
  }
  return false;
}

KZMDIChild* KZControl::OwnerOfItem(const ZafElement* item) const {
  for (KZMDIChild* child = FindMDIChild(nullptr); child; child = FindMDIChild(child)) {
    if (&child->windowItem == item) {
      return child;
    }
  }
  return nullptr;
}

void KZControl::ActivateByCommand(ZafEventType command) {
  for (KZMDIChild* child = FindMDIChild(nullptr); child; child = FindMDIChild(child)) {
    if (child->windowItem.Value() == command) {
      RedrawHeld held(*this);
      child->Activate();
      return;
    }
  }
}

ZafEventType KZControl::CloseCommand(const ZafEventRecord& event) {
  // A child's close box names its window; the menu command closes the current one.
  ZafWindowObject* named = event.windowObject;
  ZafWindowObject* child = named && named->Parent() == this ? named : CurrentChild();
  if (!child || child->Event(ZafEventRecord(ChildCloseQueryEvent, 0)) == 0) {
    return kNotClosed;
  }
  DeleteChild(child);
  return CloseWindowEvent;
}

ZafEventType KZControl::QueryExit() {
  for (ZafWindowObject* child : Children()) {
    if (HoldsChild(child) && child->Event(ZafEventRecord(QueryExitEvent, 0)) == 0) {
      return 0;
    }
  }
  DeleteChildren();
  return QueryExitEvent;
}

void KZControl::DeleteChildren() {
  // Each child once, and only while it is still here: a child that is refused or adds another cannot
  // keep the loop going.
  for (ZafWindowObject* child : Children()) {
    if (HoldsChild(child)) {
      DeleteChild(child);
    }
  }
}

void KZControl::EnableMenuCommands() {
  KZPullDownMenu* bar = KZApplication::mainMenuBar;
  if (!bar) {
    return;
  }
  if (CurrentChild()) {
    bar->EnableCommand(CloseWindowEvent, true);
  }
  for (const ZafEventType command : {ExitEvent, CascadeCommand, TileHorizontalCommand, TileVerticalCommand}) {
    bar->EnableCommand(command, true);
  }
}
