#include "framework/win32/zafwindowobjectdrag.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "framework/core/zafeventmanager.h"
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/core/zafwindowobject.h"
#include "framework/win32/zafmouse.h"
#include "framework/win32/zafwindowprocedure.h"
#include "native/native.h"

native::UINT_PTR ZafWindowObjectDrag::tipTimer = 0;
native::HWND ZafWindowObjectDrag::armedWindow = nullptr;
native::POINT ZafWindowObjectDrag::pressPoint{0, 0};
std::vector<native::HWND> ZafWindowObjectDrag::focusButtonUps;

namespace {

ZafWindowObject* DragObject() {
  return ZafWindowObject::windowManager ? ZafWindowObject::windowManager->dragObject : nullptr;
}

native::POINT PointOf(const ZafEventRecord& event) {
  return {native::GET_X_LPARAM(event.osEvent.lParam), native::GET_Y_LPARAM(event.osEvent.lParam)};
}

// The drag event for the keys held (from the message's key flags) and what the drag object allows: a
// key combination the object does not drag with counts as no keys.
ZafEventType ChooseDragEvent(const ZafWindowObject& dragObject, native::WPARAM keys, bool dropped) {
  const bool shift = (keys & native::MK_SHIFT) != 0;
  const bool control = (keys & native::MK_CONTROL) != 0;
  if (shift && control && dragObject.ShiftCtrlDrag()) {
    return dropped ? DropMoveCopyEvent : DragMoveCopyEvent;
  }
  if (control && !shift && dragObject.CtrlDrag()) {
    return dropped ? DropCopyEvent : DragCopyEvent;
  }
  if (shift && !control && dragObject.ShiftDrag()) {
    return dropped ? DropMoveEvent : DragMoveEvent;
  }
  return dropped ? DroppedEvent : DragOverEvent;
}

// Offers the drag to the framework object under the pointer: the over event on a move, the drop event
// on a release. The no-drop image shows where nothing takes it.
void OfferDrag(ZafWindowObject& object, const ZafEventRecord& event, ZafWindowObject& dragObject) {
  const bool moving = event.osEvent.message == native::WM_MOUSEMOVE;
  native::POINT point = PointOf(event);
  native::ClientToScreen(event.osEvent.hwnd, &point);
  native::HWND targetWindow = nullptr;
  ZafWindowObject* target =
      ZafWindowObjectDrag::FrameworkObjectAt(native::WindowFromPoint(point), &targetWindow);
  if (!target || (!target->AcceptDrop() && target != &object)) {
    if (moving) {
      ZafWindowObjectDrag::SetMouseImage(DM_CANCEL);
    }
    return;
  }
  native::ScreenToClient(targetWindow, &point);
  ZafEventRecord offer(ChooseDragEvent(dragObject, event.osEvent.wParam, !moving), 0);
  offer.SetPosition({point.x, point.y, ZAF_PIXEL});
  if (target->Event(offer) == DragRefusedResult) {
    ZafWindowObjectDrag::SetMouseImage(DM_CANCEL);
  }
}

}  // namespace

ZafEventType ZafWindowObjectDrag::DefaultProcedure(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  return static_cast<ZafEventType>(
      ZafCallClassProcedure(message.hwnd, message.message, message.wParam, message.lParam));
}

void ZafWindowObjectDrag::SetMouseImage(ZafEventType image) {
  if (ZafWindowObject::eventManager) {
    ZafWindowObject::eventManager->SendToDevice(E_MOUSE_DEVICE, image);
  }
}

ZafWindowObject* ZafWindowObjectDrag::FrameworkObjectAt(native::HWND window, native::HWND* holder) {
  for (native::HWND candidate : {window, window ? native::GetParent(window) : nullptr}) {
    if (!candidate || native::GetWindowLong(candidate, native::GWL_WNDPROC) !=
                          reinterpret_cast<native::LONG_PTR>(&ZafWindowProcedure)) {
      continue;
    }
    if (auto* object =
            reinterpret_cast<ZafWindowObject*>(native::GetWindowLong(candidate, native::GWL_USERDATA))) {
      if (holder) {
        *holder = candidate;
      }
      return object;
    }
  }
  return nullptr;
}

ZafEventType ZafWindowObjectDrag::ButtonDown(ZafWindowObject& object, const ZafEventRecord& event) {
  const ZafEventType result =
      object.IsNonCurrentUp() ? static_cast<ZafEventType>(event.osEvent.message) : DefaultProcedure(event);
  if (object.AnyDrag()) {
    const native::HWND window = event.osEvent.hwnd;
    armedWindow = window;
    pressPoint = PointOf(event);
    if (native::GetCapture() != window) {
      native::SetCapture(window);
    }
  }
  return result;
}

ZafEventType ZafWindowObjectDrag::MouseMove(ZafWindowObject& object, const ZafEventRecord& event) {
  if (ZafWindowManager* manager = ZafWindowObject::windowManager; manager && manager->tipObject != &object) {
    ZafWindowObject* previous = manager->tipObject;
    manager->tipObject = &object;
    if (previous) {
      previous->Event(ZafEventRecord(TipLeaveEvent, 0));
    }
    object.Event(ZafEventRecord(TipEnterEvent, 0));
    if (!tipTimer) {
      tipTimer = native::SetTimer(nullptr, kTipTimerID, kTipTimerPeriod, nullptr);
    }
  }
  const native::POINT point = PointOf(event);
  if (object.AnyDrag() && armedWindow && armedWindow == event.osEvent.hwnd &&
      (std::abs(point.x - pressPoint.x) >= kThreshold || std::abs(point.y - pressPoint.y) >= kThreshold)) {
    armedWindow = nullptr;
    ZafEventRecord begin(DragBeginEvent, 0);
    begin.SetPosition({point.x, point.y, ZAF_PIXEL});
    object.Event(begin);
  }
  ZafWindowObject* dragObject = DragObject();
  if (!dragObject) {
    return DefaultProcedure(event);
  }
  if (object.AnyDrag()) {
    OfferDrag(object, event, *dragObject);
  }
  return 0;
}

ZafEventType ZafWindowObjectDrag::ButtonUp(ZafWindowObject& object, const ZafEventRecord& event) {
  const native::HWND window = event.osEvent.hwnd;
  if (TakeFocusButtonUp(event.osEvent)) {
    // Only the class procedure sees the release a focus change posted: a drag runs on untouched.
    return object.IsNonCurrentUp() ? 0 : DefaultProcedure(event);
  }
  ZafEventType result = 0;
  if (!object.IsNonCurrentUp() && (event.osEvent.message == native::WM_LBUTTONUP || !DragObject())) {
    result = DefaultProcedure(event);
  }
  if (!object.AnyDrag()) {
    return result;
  }
  if (ZafWindowObject* dragObject = DragObject()) {
    OfferDrag(object, event, *dragObject);
  }
  if (native::GetCapture() == window) {
    native::ReleaseCapture();
  }
  armedWindow = nullptr;
  if (ZafWindowObject::windowManager) {
    ZafWindowObject::windowManager->dragObject = nullptr;
  }
  return result;
}

void ZafWindowObjectDrag::PostFocusButtonUp(native::HWND window) {
  if (native::PostMessage(window, native::WM_LBUTTONUP, 0, 0)) {
    focusButtonUps.push_back(window);
  }
}

bool ZafWindowObjectDrag::TakeFocusButtonUp(const native::MSG& message) {
  if (message.message != native::WM_LBUTTONUP || message.wParam != 0 || message.lParam != 0) {
    return false;
  }
  const auto mark = std::find(focusButtonUps.begin(), focusButtonUps.end(), message.hwnd);
  if (mark == focusButtonUps.end()) {
    return false;
  }
  focusButtonUps.erase(mark);
  return true;
}

void ZafWindowObjectDrag::ForgetWindow(native::HWND window) {
  focusButtonUps.erase(std::remove(focusButtonUps.begin(), focusButtonUps.end(), window),
                       focusButtonUps.end());
  if (armedWindow == window) {
    armedWindow = nullptr;
  }
}

// ---- The drag events of a window object ----

ZafEventType ZafWindowObject::DragDropEvent(const ZafEventRecord& event) {
  ZafEventType code = event.type;
  ZafWindowObject* dragObject = DragObject();
  if (!acceptDrop && code != DragBeginEvent) {
    // Without accepting drops an object still serves the drag it is the source of, itself or through a
    // child being dragged.
    bool source = false;
    for (const ZafWindowObject* object = dragObject; object && !source; object = object->parent) {
      source = object == this;
    }
    if (!source) {
      return DragRefusedResult;
    }
  }
  switch (code) {
    case DragBeginEvent:
      if (windowManager) {
        windowManager->dragObject = this;
      }
      return code;
    case DragEndEvent:
      if (windowManager) {
        windowManager->dragObject = nullptr;
      }
      return code;
    case DragOverEvent:
      if (dragObject && dragObject->ShiftDrag()) {
        ZafWindowObjectDrag::SetMouseImage(DM_DRAG_MOVE);
        return DragMoveEvent;
      }
      if (dragObject && dragObject->CtrlDrag()) {
        ZafWindowObjectDrag::SetMouseImage(DM_DRAG_COPY);
        return DragCopyEvent;
      }
      return DragRefusedResult;
    case DragMoveEvent:
      ZafWindowObjectDrag::SetMouseImage(DM_DRAG_MOVE);
      return code;
    case DragCopyEvent:
      ZafWindowObjectDrag::SetMouseImage(DM_DRAG_COPY);
      return code;
    case DroppedEvent:
      if (!dragObject || (!dragObject->ShiftDrag() && !dragObject->CtrlDrag())) {
        return DragRefusedResult;
      }
      code = dragObject->ShiftDrag() ? DropMoveEvent : DropCopyEvent;
      [[fallthrough]];
    case DropMoveEvent:
    case DropCopyEvent: {
      if (!dragObject || dragObject == this || IsDisabledUp()) {
        return DragRefusedResult;
      }
      const ZafIChar* dragged = dragObject->Text();
      if (dragged && *dragged) {
        // A copy: setting this object's text may change the source's.
        const std::u16string text(dragged);
        SetText(text.c_str());
        if (code == DropMoveEvent) {
          dragObject->SetText(u"");
        }
      }
      return code;
    }
    default:
      return DragRefusedResult;
  }
}
