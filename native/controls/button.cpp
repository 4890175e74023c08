#include "native/controls/button.h"

#include "native/controls/controlconstants.h"
#include "native/controls/controllook.h"
#include "native/gdi/dcapi.h"
#include "native/gdi/drawapi.h"
#include "native/gdi/drawtext.h"
#include "native/gdi/objectapi.h"
#include "native/user/classregistry.h"
#include "native/user/focusmanager.h"
#include "native/user/keyboard.h"
#include "native/user/messageapi.h"
#include "native/user/paintapi.h"
#include "native/user/rects.h"
#include "native/user/styles.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowapi.h"

namespace native {

namespace {

// The focus mark's inset inside a push button's face, and around a check box's label, in pixels.
constexpr int kPushFocusInset = 1;
constexpr int kLabelFocusMargin = 1;
// A group box's label starts this far in from the frame's left edge.
constexpr int kGroupLabelIndent = 8;

// Key messages carry the previous key state in bit 30: set when the key repeats.
bool isRepeat(LPARAM lParam) {
  return (lParam & (LPARAM{1} << 30)) != 0;
}

RECT checkBoxRect(const RECT& client) {
  int top = client.top + (client.bottom - client.top - ControlLook::kCheckSize) / 2;
  return RECT{client.left, top, client.left + ControlLook::kCheckSize, top + ControlLook::kCheckSize};
}

RECT checkLabelRect(const RECT& client) {
  return RECT{client.left + ControlLook::kCheckSize + ControlLook::kCheckLabelGap, client.top, client.right,
              client.bottom};
}

// The rectangle a single line of text takes when laid out in `area` with `format`.
RECT textBounds(HDC dc, const std::u16string& text, const RECT& area, UINT format) {
  RECT measured = area;
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
  int width = measured.right - measured.left;
  int height = measured.bottom - measured.top;
  int top = area.top + (area.bottom - area.top - height) / 2;
  return RECT{area.left, top, area.left + width, top + height};
}

}  // namespace

DWORD Button::type() const {
  return style() & BS_TYPEMASK;
}

bool Button::isCheckType() const {
  DWORD kind = type();
  return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
         kind == BS_AUTORADIOBUTTON;
}

LRESULT Button::state() const {
  return check_ | (pushed_ ? BST_PUSHED : 0) | (focusShown_ ? BST_FOCUS : 0);
}

LRESULT Button::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case BM_GETCHECK:
      return check_;
    case BM_SETCHECK:
      setCheck(static_cast<LRESULT>(wParam));
      return 0;
    case BM_GETSTATE:
      return state();
    case BM_SETSTATE:
      setPushed(wParam != 0);
      return 0;
    case BM_SETSTYLE:
      // The low word is the button's own part of the style: its type and flags.
      SetWindowLong(window(), GWL_STYLE,
                    static_cast<LONG_PTR>((style() & 0xFFFF0000u) | (static_cast<DWORD>(wParam) & 0xFFFFu)));
      if (lParam != 0) {
        invalidate();
      }
      return 0;
    case BM_CLICK:
      if (enabled()) {
        setPushed(true);
        setPushed(false);
        click();
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      mousePress();
      return 0;
    case WM_MOUSEMOVE:
      mouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      mouseRelease();
      return 0;
    case WM_CAPTURECHANGED:
      if (mouseHeld_ && reinterpret_cast<HWND>(lParam) != window()) {
        loseHold();
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && !isRepeat(lParam) && !mouseHeld_) {
        spaceHeld_ = true;
        setPushed(true);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && spaceHeld_) {
        spaceHeld_ = false;
        bool wasPushed = pushed_;
        setPushed(false);
        if (wasPushed) {
          click();
        }
      }
      return 0;
    case WM_SETFOCUS:
      setFocusShown(true);
      return 0;
    case WM_KILLFOCUS:
      loseHold();
      setFocusShown(false);
      return 0;
    case WM_CANCELMODE:
      loseHold();
      return 0;
    case WM_TIMER:
      return 0;  // timers set on the button are the program's; the button keeps none of its own
    default:
      return handleCommon(message, wParam, lParam);
  }
}

void Button::setPushed(bool pushed) {
  if (pushed == pushed_) {
    return;
  }
  pushed_ = pushed;
  if (type() == BS_OWNERDRAW) {
    drawByOwnerNow(ODA_SELECT);
  } else {
    invalidate();
  }
}

void Button::setFocusShown(bool shown) {
  if (shown == focusShown_) {
    return;
  }
  focusShown_ = shown;
  if (type() == BS_OWNERDRAW) {
    drawByOwnerNow(ODA_FOCUS);
  } else {
    invalidate();
  }
}

void Button::setCheck(LRESULT check) {
  if (!isCheckType()) {
    return;
  }
  // Two-state buttons: anything but unchecked checks them.
  check = check == BST_UNCHECKED ? BST_UNCHECKED : BST_CHECKED;
  if (check != check_) {
    check_ = check;
    invalidate();
  }
}

void Button::click() {
  if (type() == BS_AUTOCHECKBOX) {
    setCheck(check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
  } else if (type() == BS_AUTORADIOBUTTON) {
    setCheck(BST_CHECKED);
    uncheckOtherAutoRadios();
  }
  notifyParent(BN_CLICKED);
}

std::vector<HWND> controlGroup(HWND control) {
  HWND start = control;
  while ((GetWindowLong(start, GWL_STYLE) & WS_GROUP) == 0) {
    HWND previous = GetWindow(start, GW_HWNDPREV);
    if (previous == nullptr) {
      break;
    }
    start = previous;
  }
  std::vector<HWND> group{start};
  for (HWND sibling = GetWindow(start, GW_HWNDNEXT);
       sibling != nullptr && (GetWindowLong(sibling, GWL_STYLE) & WS_GROUP) == 0;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    group.push_back(sibling);
  }
  return group;
}

void Button::uncheckOtherAutoRadios() const {
  for (HWND sibling : controlGroup(window())) {
    if (sibling != window() &&
        (static_cast<DWORD>(GetWindowLong(sibling, GWL_STYLE)) & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
        GetClassLong(sibling, GCL_WNDPROC) == GetClassLong(window(), GCL_WNDPROC)) {
      SendMessage(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
}

void Button::mousePress() {
  if (type() == BS_GROUPBOX) {
    return;
  }
  SetFocus(window());
  // Taking the focus can run a loop (a field that refuses to be left shows why); when the press ended in
  // it and the focus went elsewhere, there is no press left to hold.
  if (GetFocus() != window() && (GetKeyState(VK_LBUTTON) & 0x8000) == 0) {
    return;
  }
  SetCapture(window());
  mouseHeld_ = true;
  setPushed(true);
}

void Button::mouseMove(POINT point) {
  if (!mouseHeld_) {
    return;
  }
  RECT client = clientRect();
  setPushed(PtInRect(&client, point) != FALSE);
}

void Button::mouseRelease() {
  if (!mouseHeld_) {
    return;
  }
  bool wasPushed = pushed_;
  mouseHeld_ = false;
  ReleaseCapture();
  setPushed(false);
  if (wasPushed) {
    click();
  }
}

// The press ends without a click: the capture or the focus went elsewhere.
void Button::loseHold() {
  bool held = mouseHeld_ || spaceHeld_;
  spaceHeld_ = false;
  if (mouseHeld_) {
    mouseHeld_ = false;
    if (GetCapture() == window()) {
      ReleaseCapture();
    }
  }
  if (held) {
    setPushed(false);
  }
}

void Button::paint(HDC dc) {
  if (type() == BS_OWNERDRAW) {
    drawByOwner(dc, ODA_DRAWENTIRE);
    return;
  }
  RECT client = clientRect();
  HGDIOBJ previousFont = SelectObject(dc, ControlLook::fontOrDefault(font()));
  UINT ctlColor = type() == BS_GROUPBOX ? WM_CTLCOLORSTATIC : WM_CTLCOLORBTN;
  HBRUSH background = ControlLook::askColors(window(), dc, ctlColor);
  FillRect(dc, &client, background);
  switch (type()) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      paintCheck(dc, client);
      break;
    case BS_GROUPBOX:
      paintGroup(dc, client, background);
      break;
    default:
      paintPush(dc, client);
      break;
  }
  SelectObject(dc, previousFont);
}

void Button::paintPush(HDC dc, const RECT& client) {
  bool isDefault = type() == BS_DEFPUSHBUTTON;
  RECT face = ControlLook::pushFrame(dc, client, pushed_, isDefault);
  RECT textArea = face;
  if (pushed_) {
    OffsetRect(&textArea, 1, 1);
  }
  ControlLook::label(dc, text(), textArea, DT_CENTER | DT_VCENTER | DT_SINGLELINE, enabled());
  if (focusShown_) {
    InflateRect(&face, -kPushFocusInset, -kPushFocusInset);
    ControlLook::focusMark(dc, face);
  }
}

void Button::paintCheck(HDC dc, const RECT& client) {
  RECT box = checkBoxRect(client);
  bool checked = check_ == BST_CHECKED;
  if (type() == BS_RADIOBUTTON || type() == BS_AUTORADIOBUTTON) {
    ControlLook::radioButton(dc, box, checked, pushed_, enabled());
  } else {
    ControlLook::checkBox(dc, box, checked, pushed_, enabled());
  }
  std::u16string caption = text();
  RECT labelArea = checkLabelRect(client);
  ControlLook::label(dc, caption, labelArea, DT_LEFT | DT_VCENTER | DT_SINGLELINE, enabled());
  if (focusShown_ && !caption.empty()) {
    RECT mark = textBounds(dc, caption, labelArea, DT_LEFT | DT_SINGLELINE);
    InflateRect(&mark, kLabelFocusMargin, kLabelFocusMargin);
    IntersectRect(&mark, &mark, &client);
    ControlLook::focusMark(dc, mark);
  }
}

void Button::paintGroup(HDC dc, const RECT& client, HBRUSH background) {
  std::u16string caption = text();
  RECT labelArea{client.left + kGroupLabelIndent, client.top, client.right - kGroupLabelIndent,
                 client.bottom};
  RECT labelBounds = textBounds(dc, caption, labelArea, DT_LEFT | DT_SINGLELINE);
  labelBounds.top = client.top;
  labelBounds.bottom = client.top + (labelBounds.bottom - labelBounds.top);
  RECT frame{client.left, client.top + (labelBounds.bottom - labelBounds.top) / 2, client.right,
             client.bottom};
  ControlLook::groupFrame(dc, frame);
  if (!caption.empty()) {
    // The label interrupts the frame's top edge.
    RECT gap = labelBounds;
    InflateRect(&gap, 2, 0);
    FillRect(dc, &gap, background);
    ControlLook::label(dc, caption, labelBounds, DT_LEFT | DT_TOP | DT_SINGLELINE, enabled());
  }
}

void Button::drawByOwner(HDC dc, UINT action) {
  HWND parent = GetParent(window());
  if (parent == nullptr || dc == nullptr) {
    return;
  }
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetWindowLong(window(), GWL_ID));
  item.itemAction = action;
  item.itemState =
      (pushed_ ? ODS_SELECTED : 0) | (focusShown_ ? ODS_FOCUS : 0) | (enabled() ? 0 : ODS_DISABLED);
  item.hwndItem = window();
  item.hDC = dc;
  item.rcItem = clientRect();
  // The owner may change the context; the button's next drawing starts from the same state.
  int saved = SaveDC(dc);
  SendMessage(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  RestoreDC(dc, saved);
}

void Button::drawByOwnerNow(UINT action) {
  if (IsWindowVisible(window()) == FALSE) {
    return;
  }
  HDC dc = GetDC(window());
  drawByOwner(dc, action);
  ReleaseDC(window(), dc);
}

}  // namespace native
