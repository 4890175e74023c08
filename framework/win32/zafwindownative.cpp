// The native windows of a window: one window, or an outer frame holding the support objects that have
// windows of their own (tool bars, status bars) and a client window placed in the area they leave free.
// Support objects without windows of their own (border, title, frame buttons, scroll bars) become styles
// of the frame. Also the frame's re-layout, the client-size fitting of a top-level window, and palette
// changes.
#include <cstdint>

#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafsupportstyles.h"
#include "native/native.h"
#include "native/user/nonclientpainter.h"

namespace {

// The styles a window's native windows are created with.
struct WindowStyles {
  native::DWORD frame = native::WS_CLIPSIBLINGS | native::WS_CLIPCHILDREN;
  native::DWORD extended = 0;
  native::DWORD client = native::WS_CHILD;
  bool separateFrame = false;
};

// The border of a window that cannot be sized: a thin line on the oldest systems, a dialog frame on the
// newer ones.
void AddFixedBorder(WindowStyles& styles) {
  const int32_t platform = ZafMSWindowsApp::system.platform;
  if (platform == ZafMSWindowsApp::Windows95 || platform == ZafMSWindowsApp::WindowsNT) {
    styles.extended |= native::WS_EX_DLGMODALFRAME;
  } else {
    styles.frame |= native::WS_BORDER;
  }
}

// The style bits a support object drawn by the frame itself stands for.
void AddSupportStyle(WindowStyles& styles, const ZafWindowObject& object, bool sizeable) {
  if (object.NumberID() == ZAF_NUMID_BORDER) {
    if (sizeable) {
      styles.frame |= native::WS_THICKFRAME;
    } else {
      AddFixedBorder(styles);
    }
    return;
  }
  // A window that cannot be sized cannot be maximized either.
  if (object.NumberID() == ZAF_NUMID_MAXIMIZE && !sizeable) {
    return;
  }
  const ZafSupportStyles bits = ZafSupportStyle(object.NumberID());
  styles.frame |= bits.frame;
  styles.client |= bits.client;
}

// The frame styles the support objects without windows of their own and the border give a window; the
// frame is separate when a support object has a window of its own, or when the window is top-level.
WindowStyles FrameStyles(ZafWindow& window) {
  const bool topLevel = window.Parent() == nullptr;
  WindowStyles styles;
  styles.separateFrame = topLevel;
  bool hasSupportObjects = false;
  for (ZafElement* element = window.SupportList().First(); element; element = element->Next()) {
    const auto* object = static_cast<const ZafWindowObject*>(element);
    hasSupportObjects = true;
    if (object->OwnNativeWindow()) {
      styles.separateFrame = true;
    } else {
      AddSupportStyle(styles, *object, window.Sizeable());
    }
  }
  // A bordered window that no border object frames gets a plain line, or the sunken edge of the new shell
  // on a child window.
  if (window.Bordered() && (styles.frame & native::WS_THICKFRAME) == 0 &&
      (styles.extended & native::WS_EX_DLGMODALFRAME) == 0 && (hasSupportObjects || window.NativeDrawing())) {
    if (topLevel || !ZafMSWindowsApp::system.newShell) {
      styles.frame |= native::WS_BORDER;
    } else {
      styles.extended |= native::WS_EX_CLIENTEDGE;
    }
  }
  if (topLevel && (styles.frame & native::WS_CAPTION) == 0) {
    styles.frame |= native::WS_POPUP;
  }
  return styles;
}

// The window's size as the native system counts it.
native::SIZE ClientSize(native::HWND window) {
  native::RECT client{};
  native::GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

bool SameSize(const native::SIZE& a, const native::SIZE& b) {
  return a.cx == b.cx && a.cy == b.cy;
}

}  // namespace

native::HWND ZafWindow::ScreenID(int32_t kind) const {
  if (kind == 2 && frameHandle && ownNativeWindow) {
    return frameHandle;
  }
  return screenID;
}

int32_t ZafWindow::LeastClientWidthForTitle() {
  const WindowStyles styles = FrameStyles(*this);
  const ZafIChar* title = Text();
  return native::NonClientPainter::clientWidthShowingTitle(styles.frame, styles.extended,
                                                           title ? title : u"");
}

void ZafWindow::CreateNative() {
  WindowStyles styles = FrameStyles(*this);
  if (visible) {
    styles.frame |= native::WS_VISIBLE;
  }
  // In edit mode the window stays enabled so that it can be moved and sized; the drawing shows the state.
  if (IsDisabledUp() && !editMode) {
    styles.frame |= native::WS_DISABLED;
  }
  if (parent) {
    styles.frame |= native::WS_CHILD;
  }
  if (maximized) {
    styles.frame |= native::WS_MAXIMIZE;
  }
  if (minimized) {
    styles.frame |= native::WS_MINIMIZE;
  }
  if (!styles.separateFrame) {
    screenID = ZafCreateWindow(this, ZafMSWindowsApp::windowClassName, styles.frame | styles.client, nullptr,
                               nullptr, styles.extended);
    return;
  }
  CreateFrameAndClient(ZafMSWindowsApp::windowClassName, styles.frame, styles.extended,
                       styles.client | native::WS_VISIBLE);
}

void ZafWindow::CreateFrameAndClient(const char16_t* frameClass, native::DWORD frameStyle,
                                     native::DWORD extendedStyle, native::DWORD clientStyle,
                                     native::WNDPROC frameProcedure, const char16_t* clientClass,
                                     void* clientParameter) {
  // An owned top-level window stays above its owner and goes with it.
  native::HWND ownerWindow = nullptr;
  if (!parent && owner && owner->ScreenID()) {
    ownerWindow = owner->ScreenID(2);
  }
  frameHandle = ZafCreateWindow(this, frameClass, frameStyle, nullptr, ownerWindow, extendedStyle);
  if (!frameHandle) {
    return;
  }
  native::SetWindowLong(frameHandle, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(frameProcedure));
  screenID = ZafCreateWindow(this, clientClass ? clientClass : ZafMSWindowsApp::windowClassName, clientStyle,
                             nullptr, frameHandle, native::WS_EX_NOPARENTNOTIFY, nullptr, clientParameter);
  if (!screenID) {
    // Without its client window the frame is of no use: nothing may be left half made.
    native::DestroyWindow(frameHandle);
    frameHandle = nullptr;
  }
}

bool ZafWindow::MadeItsNativeWindows() const {
  const native::HWND outer = ScreenID(2);
  return outer && ownNativeWindow &&
         native::GetWindowLong(outer, native::GWL_USERDATA) ==
             reinterpret_cast<native::LONG_PTR>(static_cast<const ZafWindowObject*>(this));
}

void ZafWindow::RelayoutFrame() {
  const native::HWND outer = ScreenID(2);
  if (!outer) {
    return;
  }
  native::RECT frame{};
  native::GetWindowRect(outer, &frame);
  // The frame's place as its parent's client area counts it (the screen's for a top-level window).
  const native::HWND parentWindow = native::GetParent(outer);
  if (parentWindow && (native::GetWindowLong(outer, native::GWL_STYLE) & native::WS_CHILD)) {
    native::MapWindowPoints(nullptr, parentWindow, &frame);
  }
  native::WINDOWPOS position{outer,
                             nullptr,
                             frame.left,
                             frame.top,
                             frame.right - frame.left,
                             frame.bottom - frame.top,
                             native::SWP_NOMOVE | native::SWP_NOZORDER | native::SWP_NOREDRAW |
                                 native::SWP_NOACTIVATE | native::SWP_NOOWNERZORDER |
                                 native::SWP_NOSENDCHANGING};
  native::SendMessage(outer, native::WM_WINDOWPOSCHANGED, 0, reinterpret_cast<native::LPARAM>(&position));
}

void ZafWindow::UpdateNative() {
  if (!ownNativeWindow) {
    clientRegion = {0, 0, region.right - region.left, region.bottom - region.top, ZAF_PIXEL};
    ZafWindowObject::UpdateNative();
    return;
  }
  if (parent || !sizeIsClient || !screenID || !frameHandle) {
    ZafWindowObject::UpdateNative();
    return;
  }
  const ZafRegionStruct wantedClient = clientRegion.Converted(ZAF_PIXEL, display);
  const native::SIZE wanted{wantedClient.Width(), wantedClient.Height()};
  // A tall frame first, so that a menu bar that wraps at this width does not change the client height
  // between the steps.
  region.bottom = region.top + 1000;
  ZafWindowObject::UpdateNative();
  native::SIZE client = ClientSize(screenID);
  // Each step adds what the client still lacks; a frame that no longer grows the client (the desktop's
  // limit, a minimized window) ends it, and so does a step count no honest frame needs.
  constexpr int kMaximumSteps = 8;
  for (int step = 0; step < kMaximumSteps && !SameSize(client, wanted); ++step) {
    region.right += wanted.cx - client.cx;
    region.bottom += wanted.cy - client.cy;
    ZafWindowObject::UpdateNative();
    sizeIsClient = false;
    const native::SIZE now = ClientSize(screenID);
    if (SameSize(now, client)) {
      break;
    }
    client = now;
  }
  sizeIsClient = false;
  // The region describes the outer frame, whatever size the client reached.
  native::RECT frame{};
  native::GetWindowRect(frameHandle, &frame);
  region = {frame.left, frame.top, frame.right - 1, frame.bottom - 1, ZAF_PIXEL};
  if (windowManager) {
    region = windowManager->RegionFromNative(this, region);
  }
  lastNativeRegion = region;
}

void ZafWindow::UpdatePalettes(uint16_t type, uint16_t state) {
  if (!screenID) {
    return;
  }
  if (ownNativeWindow && nativeDrawing) {
    native::SendMessage(screenID, native::WM_SETREDRAW, native::FALSE, 0);
    for (ZafList* list : {&support, static_cast<ZafList*>(this)}) {
      for (ZafElement* element = list->First(); element; element = element->Next()) {
        if (auto* object = static_cast<ZafWindowObject*>(element); object->OwnNativeWindow()) {
          object->UpdatePalettes(type, state);
        }
      }
    }
    // The window object's version redisplays the window; it switches redraw on again only for a window
    // that is shown, so a hidden one gets it back here, or it would never paint once shown. Without
    // automatic update the program asked for redraw to stay off.
    ZafWindowObject::UpdatePalettes(type, state);
    if (automaticUpdate) {
      native::SendMessage(screenID, native::WM_SETREDRAW, native::TRUE, 0);
    }
    return;
  }
  Event(ZafEventRecord(RedisplayEvent, 0));
}
