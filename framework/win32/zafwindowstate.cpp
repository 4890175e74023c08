// The window's state setters that reach its native windows: maximized and minimized through the outer
// window, disabling that carries over to every object inside, focus handed on to the current child, and the
// selection mode, fixed once the native window exists.
#include "framework/core/zafwindow.h"

#include "framework/core/zafnotebook.h"
#include "framework/data/zafclassid.h"
#include "native/native.h"

bool ZafWindow::SetMaximized(bool flag) {
  if (flag == maximized) {
    return maximized;
  }
  // The normal place is what restoring (or creating the window again) comes back to.
  if (flag && !minimized && screenID) {
    restoreRegion = region;
  }
  maximized = flag;
  if (flag) {
    minimized = false;
  }
  if (screenID) {
    native::ShowWindow(ScreenID(2), flag ? native::SW_MAXIMIZE : native::SW_RESTORE);
    TakeNativeState();
  }
  return maximized;
}

bool ZafWindow::SetMinimized(bool flag) {
  if (flag == minimized) {
    return minimized;
  }
  if (flag && !maximized && screenID) {
    restoreRegion = region;
  }
  minimized = flag;
  if (flag) {
    maximized = false;
  }
  if (screenID) {
    native::ShowWindow(ScreenID(2), flag ? native::SW_SHOWMINIMIZED : native::SW_RESTORE);
    TakeNativeState();
  }
  return minimized;
}

// Restoring a window that was maximized before it was minimized brings it back maximized: the flags must
// say what the frame shows.
void ZafWindow::TakeNativeState() {
  const native::HWND outer = ScreenID(2);
  maximized = native::IsZoomed(outer) != native::FALSE;
  minimized = native::IsIconic(outer) != native::FALSE;
}

uint32_t ZafWindow::SetSelectMultiple(bool flag) {
  // The native list styles are fixed when the window is made.
  if (screenID) {
    return selectionType;
  }
  selectionType = flag ? 1 : 0;
  if (flag) {
    return selectionType;
  }
  // A single-selection window keeps one selected child: the current one when it is selected, else the
  // first selected one.
  ZafWindowObject* kept = CurrentChild();
  if (!kept || !kept->Selected()) {
    kept = nullptr;
    for (ZafElement* element = ZafList::First(); element && !kept; element = element->Next()) {
      if (auto* child = static_cast<ZafWindowObject*>(element); child->Selected()) {
        kept = child;
      }
    }
  }
  for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
    if (auto* child = static_cast<ZafWindowObject*>(element); child != kept && child->Selected()) {
      child->SetSelected(false);
    }
  }
  return selectionType;
}

bool ZafWindow::SetDisabled(bool flag) {
  if (flag == disabled) {
    return disabled;
  }
  ZafWindowObject::SetDisabled(flag);
  if (!screenID || editMode) {
    return disabled;
  }
  ForEachObject([this](ZafWindowObject* object) {
    if (!object->OwnNativeWindow() || !object->NativeDrawing() || object->EditMode()) {
      object->SetDisabled(disabled);
    } else if (const native::HWND window = object->ScreenID(2)) {
      native::EnableWindow(window, object->IsDisabledUp() ? native::FALSE : native::TRUE);
    }
    return false;
  });
  return disabled;
}

bool ZafWindow::SetFocus(bool flag) {
  // A page of a notebook is shown before it takes the focus.
  if (flag && parent && parent->IsA(ID_ZAF_NOTEBOOK)) {
    auto* notebook = static_cast<ZafNotebook*>(parent);
    notebook->SetCurrentPageIndex(notebook->Index(this));
  }
  if (!screenID) {
    return ZafWindowObject::SetFocus(flag);
  }
  ZafWindowObject* current = CurrentChild();
  if (flag && !current) {
    for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
      if (auto* child = static_cast<ZafWindowObject*>(element); !child->Disabled() && !child->NonCurrent()) {
        SetCurrent(child);
        current = child;
        break;
      }
    }
  }
  if (flag && current) {
    current->SetFocus(true);
  } else if (!flag && !parent) {
    // A top-level window gives the focus away by giving up activation.
    native::SetActiveWindow(native::GetDesktopWindow());
  } else {
    ZafWindowObject::SetFocus(flag);
  }
  return focus;
}
