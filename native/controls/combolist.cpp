#include "native/controls/combolist.h"

#include "native/controls/combobox.h"
#include "native/controls/controlconstants.h"
#include "native/user/focusmanager.h"
#include "native/user/messageapi.h"
#include "native/user/rects.h"
#include "native/user/styles.h"
#include "native/user/windowpos.h"

namespace native {

ListBox::Routing ComboList::routing() const {
  return Routing{comboWindow_, GetParent(comboWindow_), ODT_COMBOBOX,
                 static_cast<UINT>(GetWindowLong(comboWindow_, GWL_ID)), comboWindow_};
}

ComboBox* ComboList::combo() const {
  return dynamic_cast<ComboBox*>(reinterpret_cast<ControlWindow*>(GetWindowLong(comboWindow_, 0)));
}

LRESULT ComboList::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      // The combo box passes itself as the creation parameter.
      if (const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam)) {
        comboWindow_ = static_cast<HWND>(create->lpCreateParams);
      }
      return ListBox::handle(message, wParam, lParam);
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      press(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      release(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSEMOVE:
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: the list closes as if the user had clicked elsewhere.
      if (ComboBox* box = combo(); box != nullptr && reinterpret_cast<HWND>(lParam) != window()) {
        box->listDismissed();
      }
      return 0;
    default:
      return ListBox::handle(message, wParam, lParam);
  }
}

void ComboList::press(POINT point) {
  ComboBox* box = combo();
  if (box == nullptr) {
    return;
  }
  RECT client = clientRect();
  if (PtInRect(&client, point) == FALSE) {
    // The list's own scroll bar works while the list holds the mouse; any other place closes the list.
    POINT screen = point;
    ClientToScreen(window(), &screen);
    LPARAM screenParam = MAKELPARAM(screen.x, screen.y);
    LRESULT hit = SendMessage(window(), WM_NCHITTEST, 0, screenParam);
    if (hit == HTVSCROLL) {
      SendMessage(window(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), screenParam);
    } else {
      box->listDismissed();
    }
    return;
  }
  pressedItem_ = itemAt(point);
  if (box->simple() && pressedItem_ >= 0) {
    box->listChose(pressedItem_);
  }
}

void ComboList::release(POINT point) {
  int pressed = pressedItem_;
  pressedItem_ = -1;
  ComboBox* box = combo();
  if (box == nullptr || box->simple() || pressed < 0) {
    return;
  }
  int index = itemAt(point);
  if (index >= 0) {
    box->listChose(index);
  }
}

}  // namespace native
