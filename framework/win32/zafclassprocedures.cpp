#include "framework/win32/zafclassprocedures.h"

#include "native/native.h"

native::LRESULT ZafClassProcedures::DefaultMDIFrame(native::HWND window, native::UINT message,
                                                    native::WPARAM wParam, native::LPARAM lParam) {
  return native::DefFrameProc(window, nullptr, message, wParam, lParam);
}

native::WNDPROC ZafClassProcedures::mdiFrameProcedure = &ZafClassProcedures::DefaultMDIFrame;
native::WNDPROC ZafClassProcedures::mdiChildProcedure = &native::DefMDIChildProc;
