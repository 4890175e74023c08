#include "framework/win32/zafcreatewindow.h"

#include <cstdint>

#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowobject.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafwindowprocedure.h"
#include "native/native.h"

namespace {

// Keeps the native z-order of sibling windows the order of the object list: the new window goes right
// below the nearest earlier sibling that has a native window of its own. Only needed when a later
// sibling already has its window (otherwise creation order is list order already).
void placeAmongSiblings(const ZafWindowObject* object, native::HWND window) {
  const auto* next = static_cast<const ZafWindowObject*>(object->Next());
  if (!next || !next->ScreenID()) {
    return;
  }
  native::HWND insertAfter = native::HWND_TOP;
  for (auto* sibling = static_cast<const ZafWindowObject*>(object->Previous()); sibling;
       sibling = static_cast<const ZafWindowObject*>(sibling->Previous())) {
    if (sibling->OwnNativeWindow() && sibling->ScreenID()) {
      insertAfter = ZafFrameOrScreenID(sibling);
      break;
    }
  }
  native::SetWindowPos(
      window, insertAfter, 0, 0, 0, 0,
      native::SWP_NOSIZE | native::SWP_NOMOVE | native::SWP_NOREDRAW | native::SWP_NOACTIVATE);
}

}  // namespace

native::HWND ZafFrameOrScreenID(const ZafWindowObject* object) {
  if (const auto* window = dynamic_cast<const ZafWindow*>(object); window && window->frameHandle) {
    return window->frameHandle;
  }
  return object->ScreenID();
}

native::HWND ZafCreateWindow(ZafWindowObject* object, const char16_t* className, native::DWORD style,
                             const char16_t* text, native::HWND parentWindow, native::DWORD extendedStyle,
                             native::HINSTANCE instance, void* creationParameter) {
  ZafWindowObject* parent = object->Parent();
  if (!parentWindow && parent) {
    parentWindow = object->SupportObject() ? ZafFrameOrScreenID(parent) : parent->ScreenID();
  }
  if (!instance) {
    instance = ZafMSWindowsApp::instance;
  }
  const auto childID =
      reinterpret_cast<native::HMENU>(static_cast<std::uintptr_t>(parent ? object->NumberID() : 0));
  native::HWND window = native::CreateWindowEx(extendedStyle, className, text, style, 0, 0, 0, 0,
                                               parentWindow, childID, instance, creationParameter);
  if (!window) {
    return nullptr;
  }
  placeAmongSiblings(object, window);
  native::SetWindowLong(window, native::GWL_USERDATA, reinterpret_cast<native::LONG_PTR>(object));
  native::SetWindowLong(window, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(&ZafWindowProcedure));
  return window;
}
