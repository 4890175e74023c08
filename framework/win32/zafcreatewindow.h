// Creates the native window of a window object and binds the two: the object goes into the window's user
// data and the window's messages into the framework's window procedure.
#ifndef FRAMEWORK_WIN32_ZAFCREATEWINDOW_H
#define FRAMEWORK_WIN32_ZAFCREATEWINDOW_H

#include "native/user/nativetypes.h"

class ZafWindowObject;

// Without a parent window the object's parent supplies it: its screen ID, or for a support object the
// parent's frame. The child ID is the object's number ID when it has a parent. The window starts with
// position and size 0 (UpdateNative places it) and takes its place in the z-order after the nearest
// earlier sibling that has a native window of its own. Null when the window system refuses the window.
native::HWND ZafCreateWindow(ZafWindowObject* object, const char16_t* className = u"ZafWindow",
                             native::DWORD style = 0, const char16_t* text = nullptr,
                             native::HWND parentWindow = nullptr, native::DWORD extendedStyle = 0,
                             native::HINSTANCE instance = nullptr, void* creationParameter = nullptr);

// The window a child is placed in: a window's frame when it has one, else its screen ID.
native::HWND ZafFrameOrScreenID(const ZafWindowObject* object);

#endif
