// The multiple-document interface on the native window system: a frame is a "ZafMDIFrame" window holding an
// "MDICLIENT" window, a child is a "ZafMDIChild" window that the client creates, holding a content window.
// The framework's window commands become the client's messages; the active child leads its frame's list;
// a modal child keeps the older children out of reach while it lives.
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafmdiwindow.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafclassid.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafsupportstyles.h"
#include "framework/win32/zafwindowprocedure.h"
#include "native/native.h"

namespace {

// The identifier of the first child window the client numbers.
constexpr native::UINT kFirstChildID = 0x1000;

struct MDIStyles {
  native::DWORD outer = native::WS_CLIPSIBLINGS | native::WS_CLIPCHILDREN;
  native::DWORD extended = 0;
  native::DWORD client = native::WS_CHILD | native::WS_VISIBLE;
};

ZafMDIWindow* ObjectOf(native::HWND window) {
  return reinterpret_cast<ZafMDIWindow*>(native::GetWindowLong(window, native::GWL_USERDATA));
}

}  // namespace

// ---- Creation ----

void ZafMDIWindow::CreateNative() {
  if (IsFrame()) {
    CreateFrameNative();
  } else {
    CreateChildNative();
  }
}

namespace {

MDIStyles StylesOf(ZafMDIWindow& window, ZafList& support) {
  MDIStyles styles;
  for (ZafElement* element = support.First(); element; element = element->Next()) {
    const auto* object = static_cast<const ZafWindowObject*>(element);
    if (object->NumberID() == ZAF_NUMID_BORDER) {
      styles.outer |= window.Sizeable() ? native::WS_THICKFRAME : native::WS_BORDER;
    }
    const ZafSupportStyles bits = ZafSupportStyle(object->NumberID());
    styles.outer |= bits.frame;
    styles.client |= bits.client;
  }
  if (window.Bordered() && (styles.outer & (native::WS_BORDER | native::WS_THICKFRAME)) == 0) {
    if (window.IsFrame()) {
      styles.outer |= native::WS_BORDER;
    } else {
      styles.extended |= native::WS_EX_CLIENTEDGE;
    }
  }
  if (window.IsFrame() && (styles.outer & native::WS_CAPTION) != native::WS_CAPTION) {
    styles.outer |= native::WS_POPUP;
  }
  if (window.Visible()) {
    styles.outer |= native::WS_VISIBLE;
  }
  if (window.Maximized()) {
    styles.outer |= native::WS_MAXIMIZE;
  }
  if (window.Minimized()) {
    styles.outer |= native::WS_MINIMIZE;
  }
  return styles;
}

}  // namespace

void ZafMDIWindow::CreateFrameNative() {
  const MDIStyles styles = StylesOf(*this, support);
  native::CLIENTCREATESTRUCT client{nullptr, kFirstChildID};
  CreateFrameAndClient(ZafMSWindowsApp::mdiFrameClassName, styles.outer, styles.extended,
                       styles.client | native::WS_CLIPCHILDREN | native::MDIS_ALLCHILDSTYLES, &FrameProcedure,
                       native::kMdiClientClass, &client);
}

void ZafMDIWindow::CreateChildNative() {
  if (!parent || !parent->ScreenID()) {
    return;
  }
  const MDIStyles styles = StylesOf(*this, support);
  const native::HWND client = parent->ScreenID();
  native::MDICREATESTRUCT create{
      ZafMSWindowsApp::mdiChildClassName, u"", ZafMSWindowsApp::instance, 0, 0, 0, 0, styles.outer, 0};
  frameHandle = reinterpret_cast<native::HWND>(
      native::SendMessage(client, native::WM_MDICREATE, 0, reinterpret_cast<native::LPARAM>(&create)));
  if (!frameHandle) {
    return;
  }
  if (ZafElement* before = ZafElement::Previous()) {
    if (const native::HWND earlier = static_cast<ZafWindowObject*>(before)->ScreenID(2)) {
      native::SetWindowPos(frameHandle, earlier, 0, 0, 0, 0,
                           native::SWP_NOSIZE | native::SWP_NOMOVE | native::SWP_NOREDRAW);
    }
  }
  const native::HWND top = native::GetWindow(client, native::GW_CHILD);
  if (top &&
      top != reinterpret_cast<native::HWND>(native::SendMessage(client, native::WM_MDIGETACTIVE, 0, 0))) {
    native::SendMessage(client, native::WM_MDIACTIVATE, reinterpret_cast<native::WPARAM>(top), 0);
  }
  native::SetWindowLong(frameHandle, native::GWL_USERDATA,
                        reinterpret_cast<native::LONG_PTR>(static_cast<ZafWindowObject*>(this)));
  screenID = ZafCreateWindow(this, ZafMSWindowsApp::windowClassName, styles.client, nullptr, frameHandle,
                             native::WS_EX_NOPARENTNOTIFY);
}

// ---- Events ----

ZafEventType ZafMDIWindow::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  switch (code) {
    case E_OSEVENT:
      return NativeEvent(event);
    case PrepareEvent:
      SettleType();
      return ZafWindow::Event(event);
    case CreateEvent: {
      const ZafEventType answer = ZafWindow::Event(event);
      // A child is made hidden, so the client does not activate it: the one that leads its frame's list
      // becomes the active child once it is shown.
      if (!IsFrame() && frameHandle && parent && static_cast<ZafWindow*>(parent)->FirstChild() == this) {
        native::SendMessage(parent->ScreenID(), native::WM_MDIACTIVATE,
                            reinterpret_cast<native::WPARAM>(frameHandle), 0);
      }
      return answer;
    }
    case DestroyEvent:
      if (IsFrame() || !frameHandle) {
        return ZafWindow::Event(event);
      }
      ForEachObject([&event](ZafWindowObject* object) {
        object->Event(event);
        return false;
      });
      if (modal) {
        // The children behind take the state their own settings give them again, up to the next modal one.
        for (native::HWND behind = native::GetWindow(frameHandle, native::GW_HWNDNEXT); behind;
             behind = native::GetWindow(behind, native::GW_HWNDNEXT)) {
          ZafMDIWindow* object = ObjectOf(behind);
          if (!object) {
            break;
          }
          native::EnableWindow(behind, object->IsDisabledUp() ? native::FALSE : native::TRUE);
          if (object->Modal()) {
            break;
          }
        }
      }
      if (focus) {
        if (windowManager) {
          windowManager->focusObject = nullptr;
        }
        NotifyFocus(nullptr, false);
      }
      native::SendMessage(parent->ScreenID(), native::WM_MDIDESTROY,
                          reinterpret_cast<native::WPARAM>(frameHandle), 0);
      Event(ZafEventRecord(NativeGoneEvent, 0));
      return code;
    case FitEvent: {
      const ZafEventType answer = ZafWindow::Event(event);
      if (!IsFrame() && modal) {
        for (ZafElement* element = ZafElement::Next(); element; element = element->Next()) {
          if (const native::HWND later = static_cast<ZafWindowObject*>(element)->ScreenID(2)) {
            native::EnableWindow(later, native::FALSE);
          }
        }
      }
      return answer;
    }
    case CloseWindowEvent:
      CloseChild(event);
      return code;
    case ChildMaximizeEvent:
    case ChildMinimizeEvent:
    case ChildRestoreEvent:
      if (IsFrame()) {
        ZafWindowObject* current = CurrentChild();
        return current ? current->Event(event) : code;
      }
      if (code == ChildMaximizeEvent) {
        SetMaximized(true);
      } else if (code == ChildMinimizeEvent) {
        SetMinimized(true);
      } else if (frameHandle) {
        native::SendMessage(parent->ScreenID(), native::WM_MDIRESTORE,
                            reinterpret_cast<native::WPARAM>(frameHandle), 0);
      }
      return code;
    case NextChildEvent:
    case ArrangeIconsEvent:
    case CascadeEvent:
    case TileEvent:
      if (!IsFrame() || !screenID) {
        return ZafWindow::Event(event);
      }
      if (code == NextChildEvent) {
        if (ZafWindowObject* current = CurrentChild(); current && current->ScreenID(2)) {
          native::SendMessage(screenID, native::WM_MDINEXT,
                              reinterpret_cast<native::WPARAM>(current->ScreenID(2)), 0);
        }
      } else if (code == ArrangeIconsEvent) {
        native::SendMessage(screenID, native::WM_MDIICONARRANGE, 0, 0);
      } else if (code == CascadeEvent) {
        native::SendMessage(screenID, native::WM_MDICASCADE, 0, 0);
      } else {
        native::SendMessage(screenID, native::WM_MDITILE, native::MDITILE_HORIZONTAL, 0);
      }
      return code;
    default:
      return ZafWindow::Event(event);
  }
}

void ZafMDIWindow::CloseChild(const ZafEventRecord& event) {
  ZafWindowObject* named = event.windowObject;
  ZafWindowObject* target = named && named->Parent() == this ? named : CurrentChild();
  if (!target || !target->IsA(ID_ZAF_WINDOW)) {
    return;
  }
  auto* window = static_cast<ZafWindow*>(target);
  if (window->Locked() || window->Event(ZafEventRecord(CloseQueryEvent, 0)) != 0) {
    return;
  }
  Subtract(window);
  if (window->Destroyable()) {
    delete window;
  }
}

ZafWindowObject* ZafMDIWindow::NotifyFocus(ZafWindowObject* focusObject, bool setFocus) {
  if (!IsFrame() || !setFocus || !focusObject || focusObject == this || !focusObject->IsA(ID_ZAF_WINDOW)) {
    return ZafWindow::NotifyFocus(focusObject, setFocus);
  }
  if (screenID && focusObject->ScreenID(2)) {
    native::SendMessage(screenID, native::WM_MDIACTIVATE,
                        reinterpret_cast<native::WPARAM>(focusObject->ScreenID(2)), 0);
  }
  ZafWindowObject* answer = ZafWindow::NotifyFocus(focusObject, setFocus);
  if (!answer && Index(focusObject) >= 0) {
    // The active child leads the list.
    ZafList::Subtract(focusObject);
    ZafList::Insert(focusObject, ZafList::First());
    SetCurrent(focusObject);
  }
  return answer;
}

bool ZafMDIWindow::SetMaximized(bool flag) {
  if (IsFrame()) {
    return ZafWindow::SetMaximized(flag);
  }
  if (flag != maximized) {
    maximized = flag;
    if (frameHandle && parent) {
      native::SendMessage(parent->ScreenID(), flag ? native::WM_MDIMAXIMIZE : native::WM_MDIRESTORE,
                          reinterpret_cast<native::WPARAM>(frameHandle), 0);
    }
  }
  return maximized;
}

bool ZafMDIWindow::SetMinimized(bool flag) {
  if (IsFrame() || flag || !frameHandle || !parent || native::IsIconic(frameHandle) == native::FALSE) {
    return ZafWindow::SetMinimized(flag);
  }
  // An icon comes back through the client, as its Restore box brings it back: one that was maximised is
  // maximised again with its system menu and boxes in the frame's bar and its title in the frame's caption.
  native::SendMessage(parent->ScreenID(), native::WM_MDIRESTORE,
                      reinterpret_cast<native::WPARAM>(frameHandle), 0);
  TakeNativeState();
  return minimized;
}

void ZafMDIWindow::SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) {
  if (type != ZAF_PM_BACKGROUND) {
    ZafWindow::SetDisplayColors(palette, type, state);
    return;
  }
  const native::COLORREF color =
      native::GetSysColor(IsFrame() ? native::COLOR_APPWORKSPACE : native::COLOR_BTNFACE);
  if (palette.colorForeground == ZAF_COLOR_SYSTEM && palette.osForeground == ZAF_OS_COLOR_NOT_SET) {
    palette.osForeground = color;
  }
  if (palette.colorBackground == ZAF_COLOR_SYSTEM && palette.osBackground == ZAF_OS_COLOR_NOT_SET) {
    palette.osBackground = color;
  }
}

ZafEventType ZafMDIWindow::NativeEvent(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  switch (message.message) {
    case native::WM_MOUSEACTIVATE:
      if (!Focus()) {
        ZafWindowObject* requester = (IsDisabledUp() || IsNonCurrentUp()) ? RootObject() : this;
        requester->Event(ZafEventRecord(FocusRequestEvent, 0));
        return native::MA_ACTIVATE;
      }
      return ZafCallClassProcedure(message.hwnd, message.message, message.wParam, message.lParam);
    case native::WM_HSCROLL:
    case native::WM_VSCROLL:
      // The client scrolls itself.
      return ZafCallClassProcedure(message.hwnd, message.message, message.wParam, message.lParam);
    default:
      return ZafWindow::NativeEvent(event);
  }
}

// ---- The window procedures ----

native::LRESULT ZafMDIWindow::FrameDefault(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  if (IsFrame()) {
    return native::DefFrameProc(message.hwnd, screenID, message.message, message.wParam, message.lParam);
  }
  return native::DefMDIChildProc(message.hwnd, message.message, message.wParam, message.lParam);
}

native::LRESULT ZafMDIWindow::FrameProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                             native::LPARAM lParam) {
  ZafMDIWindow* object = ObjectOf(window);
  if (message == native::WM_SIZE) {
    // The framework places the client itself.
    return 0;
  }
  if (!object || (message == native::WM_COMMAND && native::LOWORD(wParam) >= native::SC_SIZE)) {
    // Commands of a maximized child's system menu go straight to the default frame processing.
    return native::DefFrameProc(window, object ? object->screenID : nullptr, message, wParam, lParam);
  }
  return object->FrameEvent(ZafNativeEvent(window, message, wParam, lParam));
}

native::LRESULT ZafMDIWindow::ChildProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                             native::LPARAM lParam) {
  ZafMDIWindow* object = ObjectOf(window);
  if (!object) {
    // The client creates and activates the child before its object is bound to it.
    return native::DefMDIChildProc(window, message, wParam, lParam);
  }
  switch (message) {
    case native::WM_CLOSE:
      if (eventManager) {
        ZafEventRecord close(CloseWindowEvent, 0);
        close.windowObject = object;
        eventManager->Put(close, Q_END);
      }
      return 0;
    case native::WM_MDIACTIVATE:
      object->FrameEvent(ZafNativeEvent(window, message, wParam, lParam));
      if (reinterpret_cast<native::HWND>(lParam) == window) {
        object->SetFocus(true);
      }
      return 0;
    default:
      return object->FrameEvent(ZafNativeEvent(window, message, wParam, lParam));
  }
}
