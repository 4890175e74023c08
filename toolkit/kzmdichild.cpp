#include "toolkit/kzmdichild.h"

#include "framework/core/zafpopupmenu.h"
#include "native/user/windowapi.h"

KZMDIChild::KZMDIChild(int32_t left, int32_t top, int32_t width, int32_t height)
    : ZafMDIWindow(left, top, width, height, ZAF_MDI_CHILD), KZWindowLeech(this) {
  AddStandardFrame(u"");
}

KZMDIChild::KZMDIChild(const KRect& rect) : KZMDIChild(rect.left, rect.top, rect.Width(), rect.Height()) {}

KZMDIChild::~KZMDIChild() {
  LeaveWindowMenu();
}

void KZMDIChild::LeaveWindowMenu() {
  if (auto* menu = dynamic_cast<ZafPopUpMenu*>(windowItem.Parent())) {
    menu->SubtractMenuItem(&windowItem);
  }
}

ZafEventType KZMDIChild::Event(const ZafEventRecord& event) {
  if (const ZafEventType taken = KZWindowLeech::Event(event)) {
    return taken;
  }
  return ZafMDIWindow::Event(event);
}

void KZMDIChild::Activate() {
  const native::HWND outer = ScreenID(2);
  if (!Minimized() && outer && native::IsIconic(outer)) {
    // Minimized by the system, without the framework knowing: the flag must say so for the restore.
    minimized = true;
  }
  if (Minimized()) {
    SetMinimized(false);
  }
  KZWindowLeech::TakeFocus();
}

void KZMDIChild::SetTitle(const ZafIChar* text) {
  SetText(text);
  windowItem.SetText(text);
}

void KZMDIChild::TakeFocus() {
  Activate();
}
