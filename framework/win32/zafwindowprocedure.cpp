#include "framework/win32/zafwindowprocedure.h"

#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowobject.h"
#include "native/native.h"

native::LRESULT ZafCallClassProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                      native::LPARAM lParam) {
  const auto classProcedure =
      reinterpret_cast<native::WNDPROC>(native::GetClassLong(window, native::GCL_WNDPROC));
  if (!classProcedure) {
    return native::DefWindowProc(window, message, wParam, lParam);
  }
  return native::CallWindowProc(classProcedure, window, message, wParam, lParam);
}

ZafEventRecord ZafNativeEvent(native::HWND window, native::UINT message, native::WPARAM wParam,
                              native::LPARAM lParam) {
  native::MSG nativeMessage{};
  nativeMessage.hwnd = window;
  nativeMessage.message = message;
  nativeMessage.wParam = wParam;
  nativeMessage.lParam = lParam;
  // The moment of the message being dispatched: two presses pair as clicks by their times and points.
  nativeMessage.time = static_cast<native::DWORD>(native::GetMessageTime());
  const native::DWORD position = native::GetMessagePos();
  nativeMessage.pt = {native::GET_X_LPARAM(position), native::GET_Y_LPARAM(position)};
  return ZafEventRecord(E_OSEVENT, nativeMessage);
}

native::LRESULT ZafWindowProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                   native::LPARAM lParam) {
  auto* object = reinterpret_cast<ZafWindowObject*>(native::GetWindowLong(window, native::GWL_USERDATA));
  if (!object) {
    return ZafCallClassProcedure(window, message, wParam, lParam);
  }
  ZafEventRecord event = ZafNativeEvent(window, message, wParam, lParam);
  if (ZafEventRecord::Category(event) == ZAF_CATEGORY_KEYBOARD) {
    event.addressedObject = object;
    return object->RootObject()->Event(event);
  }
  return object->Event(event);
}
