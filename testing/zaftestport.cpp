// The back-end operations of the window classes reduced to bookkeeping: a native window is a number, and
// focus is the flag alone. The framework core's tests link this in place of the back-end.
#include "testing/zaftestport.h"

#include <cstdint>

#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowmanager.h"

int ZafTestPort::nativeWindows = 0;
int ZafTestPort::quitMessages = 0;
int ZafTestPort::nativeDispatches = 0;
std::vector<ZafWindow*> ZafTestPort::enabledBehind;
std::vector<ZafWindowObject*> ZafTestPort::redisplayed;

void ZafTestPort::Reset() {
  nativeWindows = 0;
  quitMessages = 0;
  nativeDispatches = 0;
  enabledBehind.clear();
  redisplayed.clear();
}

// ---- Window object ----

ZafEventType ZafWindowObject::NativeEvent(const ZafEventRecord&) {
  return 0;
}

void ZafWindowObject::AttachNative() {
  if (ownNativeWindow || !parent) {
    screenID = reinterpret_cast<native::HWND>(static_cast<uintptr_t>(++ZafTestPort::nativeWindows));
  } else {
    screenID = parent->ScreenID();
  }
}

void ZafWindowObject::DestroyNative() {}

void ZafWindowObject::RedisplayNative(const ZafEventRecord&) {
  ZafTestPort::redisplayed.push_back(this);
}

ZafEventType ZafWindowObject::DragDropEvent(const ZafEventRecord& event) {
  return event.type;
}

void ZafWindowObject::SetDisplayColors(ZafPaletteStruct& palette, uint16_t, uint16_t) {
  palette.osForeground = 0x000000;
  palette.osBackground = 0xFFFFFF;
}

void ZafWindowObject::UpdatePalettes(uint16_t, uint16_t) {}

// The native window system would answer a focus change with its own notification, which runs the focus
// protocol; without a native window only the flag changes.
bool ZafWindowObject::SetFocus(bool flag) {
  if (!flag || !screenID) {
    focus = flag;
    return focus;
  }
  if (!focus) {
    NotifyFocus(this, true);
  }
  return focus;
}

bool ZafWindowObject::SetOwnNativeWindow(bool flag) {
  return SetBeforeCreation(ownNativeWindow, flag);
}

// ---- Window ----

ZafRegionStruct ZafWindow::ClientRegion(const ZafWindowObject*) {
  ZafRegionStruct client = clientRegion;
  client.ConvertCoordinates(ZAF_PIXEL, display);
  return {0, 0, client.Width() - 1, client.Height() - 1, ZAF_PIXEL};
}

void ZafWindow::SetRegion(const ZafRegionStruct& newRegion) {
  ZafWindowObject::SetRegion(newRegion);
  sizeIsClient = false;
}

bool ZafWindow::SetMaximized(bool flag) {
  maximized = flag;
  return maximized;
}

bool ZafWindow::SetMinimized(bool flag) {
  minimized = flag;
  return minimized;
}

uint32_t ZafWindow::SetSelectMultiple(bool flag) {
  selectionType = flag ? 1 : 0;
  return selectionType;
}

// ---- Window manager ----

ZafEventType ZafWindowManager::DispatchNative(const ZafEventRecord&) {
  ++ZafTestPort::nativeDispatches;
  return 0;
}

void ZafWindowManager::PostQuit(int) {
  ++ZafTestPort::quitMessages;
}

void ZafWindowManager::EnableBehind(ZafWindow* modalWindow) {
  ZafTestPort::enabledBehind.push_back(modalWindow);
}
