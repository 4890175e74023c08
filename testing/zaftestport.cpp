// The back-end operations of the window classes that are not built yet, reduced to bookkeeping. The
// framework's tests link this beside the back-end.
#include "testing/zaftestport.h"

#include <cstdint>

#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowmanager.h"

int ZafTestPort::quitMessages = 0;
int ZafTestPort::nativeDispatches = 0;
std::vector<ZafWindow*> ZafTestPort::enabledBehind;

void ZafTestPort::Reset() {
  quitMessages = 0;
  nativeDispatches = 0;
  enabledBehind.clear();
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
