// The window procedure through which every native message of a framework window reaches its window object.
#ifndef FRAMEWORK_WIN32_ZAFWINDOWPROCEDURE_H
#define FRAMEWORK_WIN32_ZAFWINDOWPROCEDURE_H

#include "framework/core/zafeventrecord.h"
#include "native/user/nativetypes.h"

// A native message as an event record: type E_OSEVENT, value 0, the message's window and parameters, and
// the time and screen point of the message being dispatched.
ZafEventRecord ZafNativeEvent(native::HWND window, native::UINT message, native::WPARAM wParam = 0,
                              native::LPARAM lParam = 0);

// Wraps the message in an event record (type E_OSEVENT, value 0). Key messages go to the root object's
// Event with the window's object as the addressed object, so the root can route them; every other message
// goes to the object's own Event. A window whose user data holds no object yet (messages that arrive
// before the object is bound) gets its class procedure.
native::LRESULT ZafWindowProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                   native::LPARAM lParam);

// The class procedure of a window: where subclassed windows fall back for default processing.
native::LRESULT ZafCallClassProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                      native::LPARAM lParam);

#endif
