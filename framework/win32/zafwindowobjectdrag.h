// The pointer handling that window objects share for their native mouse messages: tips follow the object
// under the pointer, a press on a draggable object arms a drag that a move of 4 pixels starts, and while a
// drag runs every move and release is offered to the framework object under the pointer, in whatever
// window. The state is process-wide: there is one pointer and one GUI thread.
#ifndef FRAMEWORK_WIN32_ZAFWINDOWOBJECTDRAG_H
#define FRAMEWORK_WIN32_ZAFWINDOWOBJECTDRAG_H

#include <vector>

#include "framework/core/zafeventtypes.h"
#include "native/user/nativetypes.h"

class ZafEventRecord;
class ZafWindowObject;

class ZafWindowObjectDrag {
 public:
  // How far, in pixels along x or y, the pointer must move from the press point to start a drag.
  static constexpr int kThreshold = 4;
  // The tip timer: started once, without a window, when the first object becomes the tip object.
  static constexpr native::UINT_PTR kTipTimerID = 3;
  static constexpr native::UINT kTipTimerPeriod = 500;

  // WM_LBUTTONDOWN and WM_RBUTTONDOWN.
  static ZafEventType ButtonDown(ZafWindowObject& object, const ZafEventRecord& event);
  // WM_MOUSEMOVE: tips, the start of a drag, and the drag over another object.
  static ZafEventType MouseMove(ZafWindowObject& object, const ZafEventRecord& event);
  // WM_LBUTTONUP and WM_RBUTTONUP: the drop, then the end of the drag.
  static ZafEventType ButtonUp(ZafWindowObject& object, const ZafEventRecord& event);

  // Posts the left-button release that lets a window's class procedure finish a press that a focus change
  // interrupted. The release is marked, so that it neither ends nor drops a drag.
  static void PostFocusButtonUp(native::HWND window);
  // True, forgetting the mark, when the message is a release that PostFocusButtonUp posted.
  static bool TakeFocusButtonUp(const native::MSG& message);
  // The window is going: its pending marks and an arm it holds go with it.
  static void ForgetWindow(native::HWND window);

  // The default processing of a native message: its window's class procedure.
  static ZafEventType DefaultProcedure(const ZafEventRecord& event);
  // Sets the pointer image through the mouse device.
  static void SetMouseImage(ZafEventType image);

  // The framework object that a native window holds: its own, or else its parent's. Only windows that run
  // the framework's window procedure hold one; other windows use their user data for their own state.
  static ZafWindowObject* FrameworkObjectAt(native::HWND window, native::HWND* holder);

  // The running tip timer (0: none). The window manager kills it once the pointer has left the tip
  // object, and sets it back to 0, so that the next tip object starts it again.
  static native::UINT_PTR tipTimer;

 private:
  // The window of the press that armed a drag (null: not armed), and the press point in its client
  // coordinates.
  static native::HWND armedWindow;
  static native::POINT pressPoint;
  // One entry per marked release still in the queue.
  static std::vector<native::HWND> focusButtonUps;
};

#endif
