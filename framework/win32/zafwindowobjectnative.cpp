// The window object's native window: making it (or sharing the parent's), giving it up, asking the native
// window system to repaint the object, switching between an own window and drawing in the parent's, and
// keeping the item of a native list or combo box in step with the object.
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/core/zafwindowobject.h"
#include "framework/data/zafclassid.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafmswindowsapp.h"
#include "native/controls/controlconstants.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/paintapi.h"
#include "native/user/styles.h"
#include "native/user/windowapi.h"

namespace {

constexpr native::UINT kRepaintFlags = native::RDW_INVALIDATE | native::RDW_ERASE | native::RDW_ALLCHILDREN;

// Marks a native region (inclusive corners) of `window` for repainting, background and children included.
void Repaint(native::HWND window, const ZafRegionStruct& area) {
  const native::RECT rect{area.left, area.top, area.right + 1, area.bottom + 1};
  native::RedrawWindow(window, &rect, nullptr, kRepaintFlags);
}

native::LPARAM TextParameter(const ZafIChar* text) {
  return reinterpret_cast<native::LPARAM>(text ? text : u"");
}

}  // namespace

native::HWND ZafWindowObject::ScreenID(int32_t) const {
  return screenID;
}

void ZafWindowObject::CreateNative() {
  // A child window needs a parent window; an object at the top of a tree has none, so its window is a
  // pop-up of its own on the desktop.
  native::DWORD style = (parent ? native::WS_CHILD : native::WS_POPUP) | native::WS_CLIPSIBLINGS;
  native::DWORD extendedStyle = 0;
  if (visible) {
    style |= native::WS_VISIBLE;
  }
  // In edit mode the window stays enabled so that it can be moved and sized; the drawing shows the state.
  if (IsDisabledUp() && !editMode) {
    style |= native::WS_DISABLED;
  }
  if (bordered && nativeDrawing) {
    if (ZafMSWindowsApp::system.newShell) {
      extendedStyle |= native::WS_EX_CLIENTEDGE;
    } else {
      style |= native::WS_BORDER;
    }
  }
  screenID = ZafCreateWindow(this, ZafMSWindowsApp::windowClassName, style, nullptr, nullptr, extendedStyle);
}

void ZafWindowObject::AttachNative() {
  if (screenID) {
    return;
  }
  if (ownNativeWindow) {
    CreateNative();
  } else if (parent) {
    screenID = parent->ScreenID();
  }
}

void ZafWindowObject::ReleaseNativeWindow(native::HWND& window) {
  if (window &&
      native::GetWindowLong(window, native::GWL_USERDATA) == reinterpret_cast<native::LONG_PTR>(this)) {
    // The window procedure hands messages of a window without an object to the class procedure.
    native::SetWindowLong(window, native::GWL_USERDATA, 0);
    native::DestroyWindow(window);
  }
  window = nullptr;
}

void ZafWindowObject::DestroyNative() {
  if (ownNativeWindow) {
    native::DestroyWindow(ScreenID(2));
    return;
  }
  // The base handler's redisplay, not a derived one: what must be repainted is the area the object leaves
  // in its parent's window, whatever a derived class would draw for itself.
  ZafWindowObject::Event(ZafEventRecord(RedisplayEvent, 0));
}

ZafRegionStruct ZafWindowObject::ConvertToDrawRegion(const ZafWindowObject* object,
                                                     const ZafRegionStruct* area) {
  if (ownNativeWindow) {
    if (area) {
      return *area;
    }
    if (object && object != this) {
      return object->Region();
    }
    return {0, 0, region.right - region.left, region.bottom - region.top, region.coordinateType};
  }
  ZafRegionStruct placed = region.Converted(ZAF_PIXEL, display);
  if (area) {
    const ZafRegionStruct inside = area->Converted(ZAF_PIXEL, display);
    placed = {placed.left + inside.left, placed.top + inside.top, placed.left + inside.right,
              placed.top + inside.bottom, ZAF_PIXEL};
  }
  ZafWindowObject* coordinateParent = parent ? parent : windowManager;
  return coordinateParent ? coordinateParent->RegionToNative(this, &placed) : placed;
}

void ZafWindowObject::RedisplayNative(const ZafEventRecord& event) {
  switch (event.type) {
    case DrawNowEvent:
      if (nativeDrawing && ownNativeWindow) {
        Event(ZafEventRecord(RedisplayEvent, 0));
        native::UpdateWindow(screenID);
      } else {
        Draw(event, DrawNowEvent);
      }
      return;
    case RedisplayEvent:
      if (ownNativeWindow) {
        native::RedrawWindow(screenID, nullptr, nullptr, kRepaintFlags);
      } else {
        Repaint(screenID, ConvertToDrawRegion());
      }
      return;
    case RedisplayRegionEvent: {
      const ZafRegionStruct area = event.Region();
      Repaint(screenID, ConvertToDrawRegion(nullptr, &area));
      return;
    }
    default:
      return;
  }
}

bool ZafWindowObject::SetOwnNativeWindow(bool flag) {
  // Switching to what is already in force would only lose the native window's state.
  if (!screenID || flag == ownNativeWindow) {
    ownNativeWindow = flag;
    return ownNativeWindow;
  }
  native::UpdateWindow(RootObject()->ScreenID());
  const native::HWND parentWindow = parent ? parent->ScreenID() : nullptr;
  if (parentWindow) {
    native::SendMessage(parentWindow, native::WM_SETREDRAW, native::FALSE, 0);
  }
  Event(ZafEventRecord(DestroyEvent, 0));
  ownNativeWindow = flag;
  Event(ZafEventRecord(NativeAttachedEvent, 0));
  if (ownNativeWindow) {
    ResetLastNativeRegion();
    UpdateNative();
  }
  if (parent) {
    if (parentWindow && parent->AutomaticUpdate()) {
      native::SendMessage(parentWindow, native::WM_SETREDRAW, native::TRUE, 0);
    }
    ZafEventRecord area(RedisplayRegionEvent, 0);
    area.SetRegion(region);
    parent->Event(area);
  }
  return ownNativeWindow;
}

int ZafWindowObject::UpdateNativeText() {
  if (!screenID || !parent || !parent->IsA(ID_ZAF_LIST) || !parent->NativeDrawing()) {
    return 1;
  }
  const auto* list = dynamic_cast<const ZafWindow*>(parent);
  const int index = list ? list->Index(this) : -1;
  // An index of -1 would mean "the end" to the native list: an object missing from its parent's list
  // must not touch some other entry.
  if (index < 0) {
    return 1;
  }
  const auto position = static_cast<native::WPARAM>(index);
  const native::LPARAM text = TextParameter(Text());
  const ZafWindowObject* owner = parent->Parent();
  if (owner && owner->IsA(ID_ZAF_COMBO_BOX)) {
    native::SendMessage(screenID, native::CB_DELETESTRING, position, 0);
    native::SendMessage(screenID, native::CB_INSERTSTRING, position, text);
    // The entry went out and came back: the chosen one stays chosen.
    if (selected) {
      native::SendMessage(screenID, native::CB_SETCURSEL, position, 0);
    }
    return 0;
  }
  native::SendMessage(screenID, native::LB_DELETESTRING, position, 0);
  native::SendMessage(screenID, native::LB_INSERTSTRING, position, text);
  if (selected) {
    if (list->SelectionType() != 0) {
      native::SendMessage(screenID, native::LB_SETSEL, native::TRUE, static_cast<native::LPARAM>(index));
    } else {
      native::SendMessage(screenID, native::LB_SETCURSEL, position, 0);
    }
  }
  return 0;
}
