#include "native/tests/dialogscript.h"

namespace native::test {

namespace {

constexpr const WCHAR* kOwnerClass = u"DialogScriptOwner";

}  // namespace

DialogScript::DialogScript(TestDriver& driver) : driver_(driver) {
  WNDCLASS description{};
  description.lpfnWndProc = &DialogScript::procedure;
  description.lpszClassName = kOwnerClass;
  description.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
  RegisterClass(&description);
  owner_ = CreateWindowEx(0, kOwnerClass, u"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                          nullptr, nullptr, nullptr);
  SetWindowLong(owner_, GWL_USERDATA, reinterpret_cast<LONG_PTR>(this));
  driver_.pumpUntilIdle();
}

DialogScript::~DialogScript() {
  DestroyWindow(owner_);
}

HWND DialogScript::control(HWND dialog, int id) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetWindowLong(child, GWL_ID) == id) {
      return child;
    }
  }
  return nullptr;
}

POINT DialogScript::centre(HWND window) const {
  RECT rect = driver_.screenRect(window);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void DialogScript::click(int controlId) {
  add([this, controlId](HWND dialog) {
    POINT at = centre(control(dialog, controlId));
    driver_.click(at.x, at.y);
  });
}

void DialogScript::doubleClick(int controlId) {
  add([this, controlId](HWND dialog) {
    POINT at = centre(control(dialog, controlId));
    driver_.doubleClick(at.x, at.y);
  });
}

void DialogScript::type(std::u16string text) {
  add([this, text](HWND) { driver_.typeText(text); });
}

void DialogScript::press(UINT virtualKey) {
  add([this, virtualKey](HWND) { driver_.pressKey(virtualKey); });
}

void DialogScript::replaceText(int controlId, std::u16string text) {
  click(controlId);
  add([controlId](HWND dialog) { SendMessage(control(dialog, controlId), EM_SETSEL, 0, -1); });
  type(std::move(text));
}

void DialogScript::idle(HWND dialog) {
  dialog_ = dialog;
  if (next_ < steps_.size()) {
    steps_[next_++](dialog);
    // A step that only looks gives the loop nothing to wake for: this nudge brings the next idle turn.
    PostMessage(owner_, WM_NULL, 0, 0);
    return;
  }
  overran_ = true;
  PostMessage(dialog, WM_CLOSE, 0, 0);
}

LRESULT DialogScript::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENTERIDLE) {
    auto* script = reinterpret_cast<DialogScript*>(GetWindowLong(window, GWL_USERDATA));
    if (script != nullptr) {
      script->idle(reinterpret_cast<HWND>(lParam));
    }
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace native::test
