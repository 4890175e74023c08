// The outer frame window of a window: activation, closing, the frame's new place and size (which move the
// client window and the bars inside it), the system menu's commands and entry states, and menu selection
// for the help bar. Whatever the frame does not take over goes to the window class's own procedure.
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/zafwindowprocedure.h"
#include "native/native.h"

namespace {

// Greys a system-menu entry, or enables it again.
void EnableSystemCommand(native::HMENU menu, native::WPARAM command, bool enabled) {
  native::EnableMenuItem(menu, static_cast<native::UINT>(command),
                         native::MF_BYCOMMAND | (enabled ? native::MF_ENABLED : native::MF_GRAYED));
}

// Greys a system-menu entry the window forbids; one it allows keeps the state the window system gave it
// for the window's placement (no Maximize, Size or Move for a maximised window).
void ForbidSystemCommand(native::HMENU menu, native::WPARAM command, bool allowed) {
  if (!allowed) {
    EnableSystemCommand(menu, command, false);
  }
}

}  // namespace

native::LRESULT ZafWindow::FrameProcedure(native::HWND frame, native::UINT message, native::WPARAM wParam,
                                          native::LPARAM lParam) {
  auto* window = reinterpret_cast<ZafWindow*>(native::GetWindowLong(frame, native::GWL_USERDATA));
  if (!window) {
    return ZafCallClassProcedure(frame, message, wParam, lParam);
  }
  return window->FrameEvent(ZafNativeEvent(frame, message, wParam, lParam));
}

native::LRESULT ZafWindow::FrameDefault(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  return ZafCallClassProcedure(message.hwnd, message.message, message.wParam, message.lParam);
}

native::LRESULT ZafWindow::FrameEvent(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  switch (message.message) {
    case native::WM_MOUSEACTIVATE: {
      ZafWindowObject* root = RootObject();
      if (root->Focus()) {
        return FrameDefault(event);
      }
      ZafWindowObject* requester = (IsDisabledUp() || IsNonCurrentUp()) ? root : this;
      requester->Event(ZafEventRecord(FocusRequestEvent, 0));
      return native::MA_ACTIVATE;
    }
    case native::WM_ACTIVATE:
      if (native::LOWORD(message.wParam) == native::WA_ACTIVE) {
        SetFocus(true);
      }
      return 0;
    case native::WM_CLOSE:
      // The window manager closes the window when the request comes round the queue, after asking it.
      if (eventManager) {
        ZafEventRecord close(CloseEvent, 0);
        close.windowObject = this;
        eventManager->Put(close, Q_END);
      }
      return 0;
    case native::WM_ACTIVATEAPP:
      if (message.wParam == 0 && focus && windowManager) {
        windowManager->NotifyFocus(nullptr, false);
      }
      return FrameDefault(event);
    case native::WM_QUERYDRAGICON:
      return 0;
    case native::WM_WINDOWPOSCHANGED:
      return FramePositionChanged(event);
    case native::WM_NCDESTROY:
      native::SetWindowLong(
          message.hwnd, native::GWL_WNDPROC,
          static_cast<native::LONG_PTR>(native::GetClassLong(message.hwnd, native::GCL_WNDPROC)));
      // The handle is about to be freed: nothing may reach it through the window any more.
      if (frameHandle == message.hwnd) {
        frameHandle = nullptr;
      }
      return FrameDefault(event);
    case native::WM_INITMENUPOPUP:
      if (native::HIWORD(static_cast<native::WPARAM>(message.lParam)) != 0) {
        const auto menu = reinterpret_cast<native::HMENU>(message.wParam);
        EnableSystemCommand(menu, native::SC_CLOSE, !locked);
        ForbidSystemCommand(menu, native::SC_MAXIMIZE, sizeable);
        ForbidSystemCommand(menu, native::SC_SIZE, sizeable);
        ForbidSystemCommand(menu, native::SC_MOVE, movable);
      }
      return FrameDefault(event);
    case native::WM_KEYDOWN:
    case native::WM_KEYUP:
    case native::WM_SYSKEYDOWN:
    case native::WM_SYSKEYUP:
      native::TranslateMessage(&message);
      return FrameDefault(event);
    case native::WM_COMMAND:
      return native::SendMessage(screenID, message.message, message.wParam, message.lParam);
    case native::WM_SYSCOMMAND:
      return FrameSystemCommand(event);
    case native::WM_MENUSELECT:
      return FrameMenuSelect(event);
    case native::WM_QUERYNEWPALETTE:
    case native::WM_PALETTECHANGED:
      return Event(event);
    default:
      return FrameDefault(event);
  }
}

native::LRESULT ZafWindow::FramePositionChanged(const ZafEventRecord& event) {
  const auto* position = reinterpret_cast<const native::WINDOWPOS*>(event.osEvent.lParam);
  if (!position) {
    return FrameDefault(event);
  }
  // A frame that changed its parts (a menu bar set or taken away) keeps its place and size, but not its
  // client area.
  const bool sized = (position->flags & native::SWP_NOSIZE) == 0;
  if (!sized && (position->flags & native::SWP_NOMOVE) != 0) {
    if (position->flags & native::SWP_FRAMECHANGED) {
      PlaceClient();
    }
    return FrameDefault(event);
  }
  // The region the native window had: when the program moved the window, `region` is the new one already.
  const ZafRegionStruct previous = lastNativeRegion;
  // A minimized frame is an icon: its place says nothing about the window's region.
  if (!minimized) {
    const ZafRegionStruct nativeArea{position->x, position->y, position->x + position->cx - 1,
                                     position->y + position->cy - 1, ZAF_PIXEL};
    ZafWindowObject* coordinateParent = parent ? parent : windowManager;
    region = coordinateParent ? coordinateParent->RegionFromNative(this, nativeArea) : nativeArea;
  }
  if ((position->flags & native::SWP_NOMOVE) == 0) {
    ZafEventRecord moved(MovedEvent, 0);
    moved.SetRegion(previous);
    Event(moved);
  }
  if (sized) {
    // The client window's size change reports the region the window had before this change.
    PlaceClient();
  }
  if (!minimized) {
    // The native window is where the region says: UpdateNative has nothing to move.
    lastNativeRegion = region;
  }
  return FrameDefault(event);
}

void ZafWindow::PlaceClient() {
  for (ZafElement* element = support.First(); element; element = element->Next()) {
    auto* object = static_cast<ZafWindowObject*>(element);
    if (object->OwnNativeWindow() && object->ScreenID()) {
      object->Event(ZafEventRecord(FitEvent, 0));
      object->UpdateNative();
    }
  }
  if (screenID) {
    const ZafRegionStruct client = FrameAreaLeftBefore(nullptr);
    native::MoveWindow(screenID, client.left, client.top, client.Width(), client.Height(), native::TRUE);
    native::UpdateWindow(screenID);
  }
}

native::LRESULT ZafWindow::FrameSystemCommand(const ZafEventRecord& event) {
  const native::WPARAM command = event.osEvent.wParam;
  if (command < native::SC_SIZE) {
    // An entry the system button added to the menu: its object answers.
    ZafWindowObject* object = FindObject(static_cast<ZafNumberID>(command));
    return object ? object->Event(event) : FrameDefault(event);
  }
  ZafEventType notice = 0;
  switch (command & 0xFFF0) {
    case native::SC_SIZE:
      if (!sizeable) {
        return 0;
      }
      return FrameDefault(event);
    case native::SC_MOVE:
      if (!movable) {
        return 0;
      }
      return FrameDefault(event);
    case native::SC_MAXIMIZE:
      notice = MaximizedEvent;
      break;
    case native::SC_MINIMIZE:
      notice = MinimizedEvent;
      break;
    case native::SC_RESTORE:
      notice = RestoredEvent;
      break;
    default:
      return FrameDefault(event);
  }
  // Only the normal region is worth restoring to: going from maximized to minimized keeps the one saved.
  if (notice != RestoredEvent && !maximized && !minimized) {
    restoreRegion = region;
  }
  maximized = notice == MaximizedEvent;
  minimized = notice == MinimizedEvent;
  const native::LRESULT result = FrameDefault(event);
  TakeNativeState();
  Event(ZafEventRecord(static_cast<int32_t>(notice), 0));
  return result;
}

native::LRESULT ZafWindow::FrameMenuSelect(const ZafEventRecord& event) {
  const native::UINT flags = native::HIWORD(event.osEvent.wParam);
  ZafWindowObject* pullDownMenu = SupportObjectByID(ZAF_NUMID_PULL_DOWN_MENU);
  ZafWindowObject* systemButton = SupportObjectByID(ZAF_NUMID_SYSTEM);
  if (flags == 0xFFFF) {
    // The menu closed: whichever of the two held the focus loses it.
    if (pullDownMenu && pullDownMenu->Focus()) {
      pullDownMenu->Event(ZafEventRecord(FocusLostEvent, 0));
    } else if (systemButton && systemButton->Focus()) {
      systemButton->Event(ZafEventRecord(FocusLostEvent, 0));
    }
  } else if (flags & native::MF_HILITE) {
    ZafWindowObject* target = (flags & native::MF_SYSMENU) ? systemButton : pullDownMenu;
    if (target) {
      target->Event(event);
    }
  }
  return 0;
}
