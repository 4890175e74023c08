#include "native/print/modaldialog.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "native/controls/button.h"
#include "native/controls/controlconstants.h"
#include "native/gdi/drawapi.h"
#include "native/gdi/objectapi.h"
#include "native/user/arrowtarget.h"
#include "native/user/classregistry.h"
#include "native/user/focusmanager.h"
#include "native/user/keyboard.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/modalpasses.h"
#include "native/user/styles.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowapi.h"
#include "native/user/windowpos.h"

namespace native {

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

ModalDialog* dialogOf(HWND window) {
  return reinterpret_cast<ModalDialog*>(GetWindowLong(window, GWL_USERDATA));
}

bool isKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR;
}

}  // namespace

ModalDialog::ModalDialog(HWND owner, const std::u16string& title, int clientWidth, int clientHeight)
    // Without an owner the dialog still belongs to the program: it takes the active window, which then
    // waits for it like any owner.
    : owner_(owner != nullptr ? owner : GetActiveWindow()) {
  window_ = CreateWindowEx(WS_EX_DLGMODALFRAME, MAKEINTATOM(kDialogClassAtom), title.c_str(), kDialogStyle, 0,
                           0, clientWidth, clientHeight, owner_, nullptr, nullptr, nullptr);
  if (window_ == nullptr) {
    return;
  }
  // A child window cannot own a pop-up: its top-level window becomes the owner, and that is the window
  // the dialog disables and tells of its waits.
  owner_ = GetWindow(window_, GW_OWNER);
  // The frame's thickness shows once the window exists: grow it by that, then centre it.
  RECT client{};
  GetClientRect(window_, &client);
  int width = 2 * clientWidth - (client.right - client.left);
  int height = 2 * clientHeight - (client.bottom - client.top);
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner_ != nullptr) {
    GetWindowRect(owner_, &area);
  }
  int x = std::max(0, area.left + (area.right - area.left - width) / 2);
  int y = std::max(0, area.top + (area.bottom - area.top - height) / 2);
  SetWindowPos(window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowLong(window_, GWL_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLong(window_, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&ModalDialog::procedure));
}

ModalDialog::~ModalDialog() {
  if (window_ != nullptr && IsWindow(window_)) {
    SetWindowLong(window_, GWL_USERDATA, 0);
    DestroyWindow(window_);
  }
}

HWND ModalDialog::addControl(LPCWSTR className, const std::u16string& text, DWORD style, const RECT& rect,
                             int id) {
  HWND control = CreateWindowEx(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, rect.left,
                                rect.top, rect.right - rect.left, rect.bottom - rect.top, window_,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  if (control == nullptr || std::u16string_view(className) != kButtonClass) {
    return control;
  }
  DWORD type = style & BS_TYPEMASK;
  if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
    pushButtons_.push_back(control);
  } else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
    radioButtons_.push_back(control);
  }
  return control;
}

HWND ModalDialog::item(int id) const {
  for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetWindowLong(child, GWL_ID) == id) {
      return child;
    }
  }
  return nullptr;
}

std::u16string ModalDialog::text(int id) const {
  HWND control = item(id);
  if (control == nullptr) {
    return {};
  }
  std::u16string value(static_cast<std::size_t>(SendMessage(control, WM_GETTEXTLENGTH, 0, 0)) + 1, u'\0');
  LRESULT copied = SendMessage(control, WM_GETTEXT, value.size(), reinterpret_cast<LPARAM>(value.data()));
  value.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
  return value;
}

void ModalDialog::setText(int id, const std::u16string& text) {
  SendMessage(item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool ModalDialog::checked(int id) const {
  return SendMessage(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ModalDialog::setChecked(int id, bool checked) {
  SendMessage(item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ModalDialog::enable(int id, bool enabled) {
  EnableWindow(item(id), enabled ? TRUE : FALSE);
}

void ModalDialog::focusAll(int id) {
  SetFocus(item(id));
  SendMessage(item(id), EM_SETSEL, 0, -1);
}

void ModalDialog::end(bool ok) {
  if (ok && !accept()) {
    return;
  }
  ok_ = ok;
  done_ = true;
}

bool ModalDialog::run() {
  if (window_ == nullptr) {
    return false;
  }
  bool ownerWasEnabled = owner_ != nullptr && IsWindowEnabled(owner_);
  if (ownerWasEnabled) {
    EnableWindow(owner_, FALSE);
  }
  ShowWindow(window_, SW_SHOW);
  SetActiveWindow(window_);
  if (startFocus_ != 0) {
    focusAll(startFocus_);
  } else {
    moveFocus(false);
  }
  ModalPasses passes;
  while (!done_ && IsWindow(window_)) {
    passes.serve();
    if (passes.ending()) {
      break;  // cancelled, as Escape cancels it
    }
    MSG message{};
    if (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE) == FALSE) {
      if (owner_ != nullptr) {
        SendMessage(owner_, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(window_));
      }
      if (!done_ && IsWindow(window_) && !passes.ending()) {
        passes.wait();
      }
      continue;
    }
    if (message.message == WM_QUIT) {
      // The quit request stays for the program's own loop; the dialog counts as cancelled.
      PostQuitMessage(static_cast<int>(message.wParam));
      ok_ = false;
      break;
    }
    if (isKeyMessage(message.message) && dialogKey(message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  if (ownerWasEnabled) {
    EnableWindow(owner_, TRUE);
  }
  if (IsWindow(window_)) {
    ShowWindow(window_, SW_HIDE);
  }
  if (owner_ != nullptr && IsWindow(owner_)) {
    SetActiveWindow(owner_);
  }
  return ok_;
}

bool ModalDialog::dialogKey(const MSG& message) {
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) {
    return false;
  }
  // An open drop-down list takes its own Enter and Escape.
  HWND focus = GetFocus();
  bool listOpen = focus != nullptr && (SendMessage(focus, CB_GETDROPPEDSTATE, 0, 0) != 0 ||
                                       SendMessage(GetParent(focus), CB_GETDROPPEDSTATE, 0, 0) != 0);
  UINT key = static_cast<UINT>(message.wParam);
  if (message.message == WM_CHAR) {
    // The characters of the dialog keys are spent once their key acted.
    return !listOpen && (key == u'\t' || key == u'\r' || key == 27);
  }
  if (message.message != WM_KEYDOWN || listOpen) {
    return false;
  }
  switch (key) {
    case VK_TAB:
      moveFocus((GetKeyState(VK_SHIFT) & 0x8000) != 0);
      return true;
    case VK_RETURN:
      // Enter presses the push button that has the focus (Cancel too), else OK.
      if (std::find(pushButtons_.begin(), pushButtons_.end(), focus) != pushButtons_.end()) {
        SendMessage(focus, BM_CLICK, 0, 0);
      } else {
        end(true);
      }
      return true;
    case VK_ESCAPE:
      end(false);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      // A push button has no use for the arrows: they move the focus on, as in every dialog of the
      // program. Any other control keeps its own.
      if (std::find(pushButtons_.begin(), pushButtons_.end(), focus) == pushButtons_.end()) {
        return false;
      }
      moveFocusByArrow(focus, key);
      return true;
    default:
      return false;
  }
}

std::vector<HWND> ModalDialog::tabStops() const {
  std::vector<HWND> stops;
  for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLong(child, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowEnabled(child) &&
        IsWindowVisible(child)) {
      stops.push_back(child);
    }
  }
  return stops;
}

void ModalDialog::focusStop(HWND stop) {
  HWND entry = entryOf(stop);
  SetFocus(entry);
  // A field reached by the keys has its text selected, ready to be typed over.
  SendMessage(entry, EM_SETSEL, 0, -1);
}

void ModalDialog::moveFocus(bool backwards) {
  const std::vector<HWND> stops = tabStops();
  if (stops.empty()) {
    SetFocus(window_);
    return;
  }
  HWND focus = GetFocus();
  std::size_t at = stops.size();
  for (std::size_t i = 0; i < stops.size(); ++i) {
    if (stopHolds(stops[i], focus)) {
      at = i;
    }
  }
  std::size_t next = 0;
  if (at == stops.size()) {
    next = backwards ? stops.size() - 1 : 0;
  } else {
    next = backwards ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
  }
  focusStop(stops[next]);
}

void ModalDialog::moveFocusByArrow(HWND focus, UINT virtualKey) {
  std::vector<HWND> others;
  std::vector<RECT> areas;
  for (HWND stop : tabStops()) {
    if (stop != focus) {
      RECT area{};
      GetWindowRect(stop, &area);
      others.push_back(stop);
      areas.push_back(area);
    }
  }
  RECT from{};
  GetWindowRect(focus, &from);
  if (const std::optional<std::size_t> target = arrowTarget(from, areas, virtualKey)) {
    focusStop(others[*target]);
  }
}

bool ModalDialog::isRadioButton(HWND control) const {
  return std::find(radioButtons_.begin(), radioButtons_.end(), control) != radioButtons_.end();
}

bool ModalDialog::stopHolds(HWND stop, HWND focus) const {
  if (stop == focus || IsChild(stop, focus)) {
    return true;
  }
  if (!isRadioButton(stop)) {
    return false;
  }
  const std::vector<HWND> group = controlGroup(stop);
  return std::find(group.begin(), group.end(), focus) != group.end();
}

HWND ModalDialog::entryOf(HWND stop) const {
  if (!isRadioButton(stop)) {
    return stop;
  }
  for (HWND member : controlGroup(stop)) {
    if (isRadioButton(member) && IsWindowEnabled(member) &&
        SendMessage(member, BM_GETCHECK, 0, 0) == BST_CHECKED) {
      return member;
    }
  }
  return stop;
}

LRESULT ModalDialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ModalDialog* dialog = dialogOf(window);
  if (dialog != nullptr) {
    switch (message) {
      case WM_COMMAND: {
        int id = LOWORD(wParam);
        int code = HIWORD(wParam);
        if ((id == IDOK || id == IDCANCEL) && code == BN_CLICKED) {
          dialog->end(id == IDOK);
        } else {
          dialog->onCommand(id, code);
        }
        return 0;
      }
      case WM_CLOSE:
        dialog->end(false);
        return 0;
      case WM_ENTERIDLE:
        if (dialog->owner_ != nullptr) {
          return SendMessage(dialog->owner_, WM_ENTERIDLE, wParam, lParam);
        }
        return 0;
      case WM_ERASEBKGND: {
        // Dialogs take the face colour of their controls, whatever the dialog class paints.
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
      }
      default:
        break;
    }
  }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace native
