// The window procedures of the framework's MDI window classes. "ZafMDIFrame" and "ZafMDIChild" are
// registered with these slots; until the MDI windows install their own procedures here (before the
// application object registers the classes), the classes run the window system's default MDI processing.
#ifndef FRAMEWORK_WIN32_ZAFCLASSPROCEDURES_H
#define FRAMEWORK_WIN32_ZAFCLASSPROCEDURES_H

#include "native/user/nativetypes.h"

struct ZafClassProcedures {
  // Default MDI frame processing without an MDI client (the frame's client is known only to the frame
  // window object, which installs its own procedure).
  static native::LRESULT DefaultMDIFrame(native::HWND window, native::UINT message, native::WPARAM wParam,
                                         native::LPARAM lParam);

  static native::WNDPROC mdiFrameProcedure;
  static native::WNDPROC mdiChildProcedure;
};

#endif
