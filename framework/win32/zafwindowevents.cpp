// What a window makes of the framework's window-level events: it is created hidden and then shown in its
// state, it takes its objects down with it, passes the preparation and the native window to the frame
// parts that live in it, closes through the queue, is maximized, minimized and restored, offers hot keys
// round its objects, lays its children out again when it is sized or moved, and leaves what it does not
// take to its current child.
#include "framework/core/zafwindow.h"

#include "framework/core/zafeventmanager.h"
#include "framework/core/zafgeometrymanager.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafclassid.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafwindowkeys.h"
#include "native/native.h"

namespace {

ZafWindowObject* AsObject(ZafElement* element) {
  return static_cast<ZafWindowObject*>(element);
}

template <typename Visit>
void VisitChildren(ZafWindow& window, Visit visit) {
  for (ZafElement* element = window.First(); element;) {
    ZafElement* next = element->Next();
    visit(AsObject(element));
    element = next;
  }
}

// The events that scrolling classes act on through ScrollEvent: the scroll bars' changes, the whole
// scroll records and the range updates.
bool IsScrollEvent(ZafEventType code) {
  switch (code) {
    case VerticalScrollEvent:
    case HorizontalScrollEvent:
    case ScrollVerticalByEvent:
    case ScrollHorizontalByEvent:
      return true;
    default:
      // -307 to -304: the range updates and the two codes beside them.
      return code >= ScrollHorizontalRangeEvent && code <= ScrollHorizontalRangeEvent + 3;
  }
}

bool HasArea(const ZafRegionStruct& region) {
  return region.left < region.right && region.top < region.bottom;
}

// Children drawn in the window's area are told of the move; children with windows of their own sit in the
// native window the window is drawn in and are moved there.
void MoveChildrenWithWindow(ZafWindow& window, const ZafEventRecord& event) {
  VisitChildren(window, [&window, &event](ZafWindowObject* child) {
    if (!child->OwnNativeWindow()) {
      child->Event(event);
      return;
    }
    const native::HWND childWindow = ZafFrameOrScreenID(child);
    if (!childWindow) {
      return;
    }
    const ZafRegionStruct area = window.RegionToNative(child);
    native::MoveWindow(childWindow, area.left, area.top, area.Width(), area.Height(), native::TRUE);
    native::UpdateWindow(childWindow);
  });
}

// A modal top-level window keeps the user away from the top-level windows behind it. Windows in front of
// it are never touched: a modal window made anew must not lock out the modal window in front of it, the
// one the user is working in.
void DisableWindowsBehind(ZafWindow& modalWindow) {
  ZafWindowManager* manager = ZafWindowObject::windowManager;
  if (modalWindow.Parent() || !manager || manager->Index(&modalWindow) < 0) {
    return;
  }
  for (ZafElement* element = modalWindow.ZafElement::Next(); element; element = element->Next()) {
    if (const native::HWND behind = ZafFrameOrScreenID(AsObject(element))) {
      native::EnableWindow(behind, native::FALSE);
    }
  }
}

}  // namespace

void ZafWindow::TakeModalState() {
  ZafWindowManager* manager = windowManager;
  const native::HWND outer = ZafFrameOrScreenID(this);
  if (parent || !manager || !outer || manager->Index(this) < 0) {
    return;
  }
  for (ZafElement* element = manager->First(); element != this; element = element->Next()) {
    // Only windows are listed in the window manager.
    if (static_cast<ZafWindow*>(AsObject(element))->Modal()) {
      native::EnableWindow(outer, native::FALSE);
      return;
    }
  }
}

ZafEventType ZafWindow::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  if (code == E_OSEVENT) {
    return NativeEvent(event);
  }
  if (IsScrollEvent(code)) {
    return ScrollEvent(event);
  }
  switch (code) {
    case CreateEvent: {
      if ((maximized || minimized) && HasArea(restoreRegion)) {
        SetRegion(restoreRegion);
      }
      // Created hidden and in its normal size, then shown in its state, so the window appears once.
      const bool wasVisible = visible;
      const bool wasMaximized = maximized;
      const bool wasMinimized = minimized;
      visible = false;
      maximized = false;
      minimized = false;
      const ZafEventType answer = ZafWindowObject::Event(event);
      ForEachObject([&event](ZafWindowObject* object) {
        object->Event(event);
        return false;
      });
      // Bars made with their own native windows take their room in the frame.
      RelayoutFrame();
      SetMaximized(wasMaximized);
      SetMinimized(wasMinimized);
      SetVisible(wasVisible);
      return answer;
    }
    case DestroyEvent:
      ForEachObject([&event](ZafWindowObject* object) {
        object->Event(event);
        return false;
      });
      return ZafWindowObject::Event(event);
    case PrepareEvent: {
      const ZafEventType answer = ZafWindowObject::Event(event);
      ConvertRegion(clientRegion, ZAF_PIXEL);
      // Every object is prepared with the window, so that a menu bar already lives in the frame (and
      // takes its room) when the frame is sized for the client area.
      ForEachObject([&event](ZafWindowObject* object) {
        object->Event(event);
        return false;
      });
      if (modal) {
        DisableWindowsBehind(*this);
      }
      return answer;
    }
    case NativeAttachedEvent: {
      const ZafEventType answer = ZafWindowObject::Event(event);
      TellSharingSupportObjects(event);
      return answer;
    }
    case NativeGoneEvent:
      if (!parent && windowManager && windowManager->helpTipObject &&
          windowManager->helpTipObject->RootObject() == this) {
        windowManager->helpTipObject = nullptr;
        if (eventManager) {
          // The help-tip device lets go of the help bar that lived in this window.
          eventManager->SendToDevices(ZafEventRecord(HelpBarEvent, 0), E_HELP_TIPS);
        }
      }
      TellSharingSupportObjects(event);
      frameHandle = nullptr;
      return ZafWindowObject::Event(event);
    case DrawNowEvent:
      BroadcastToChildren(event, 0);
      return code;
    case RestoreEvent:
      if (maximized) {
        SetMaximized(false);
      } else if (minimized) {
        SetMinimized(false);
      }
      return code;
    case MaximizeEvent:
      SetMaximized(true);
      return code;
    case MinimizeEvent:
      SetMinimized(true);
      return code;
    case CloseEvent:
      // The window manager closes windows; the request goes round the queue naming this window's root. A
      // request that names its window already came round once and is not queued again, so a grab that
      // takes every event cannot keep it circling.
      if (eventManager && !event.windowObject) {
        ZafEventRecord close = event;
        close.windowObject = RootObject();
        close.addressedObject = nullptr;
        eventManager->Put(close, Q_END);
      }
      return code;
    case HotKeyEvent:
      return ZafWindowKeys::Offer(*this, event, nullptr, true);
    case SetRegionEvent:
      if (screenID && supportObject && parent && parent->IsA(ID_ZAF_WINDOW)) {
        // A bar inside the frame: the frame places it and the client window round it.
        SetRegion(event.Region());
        SetCoordinateTypeOfRegion(ZAF_PIXEL);
        static_cast<ZafWindow*>(parent)->RelayoutFrame();
        return code;
      }
      return ZafWindowObject::Event(event);
    case CloseQueryEvent:
      return locked ? -1 : 0;
    case SizedEvent: {
      const ZafEventRecord fit(FitEvent, 0);
      VisitChildren(*this, [&fit](ZafWindowObject* child) { child->Event(fit); });
      if (ZafWindowObject* geometry = GeometryManager()) {
        geometry->Event(fit);
      }
      VisitChildren(*this, [](ZafWindowObject* child) { child->UpdateNative(); });
      return code;
    }
    case MovedEvent:
      if (!ownNativeWindow) {
        MoveChildrenWithWindow(*this, event);
      }
      return code;
    case AddObjectEvent:
      Add(event.windowObject);
      return code;
    case SubtractObjectEvent:
      Subtract(event.windowObject);
      return code;
    default: {
      const ZafEventType answer = ZafWindowObject::Event(event);
      ZafWindowObject* current = CurrentChild();
      return answer == UnknownEventResult && current ? current->Event(event) : answer;
    }
  }
}
