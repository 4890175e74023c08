#include "native/tests/controlharness.h"

namespace native::test {

ControlHarness::ControlHarness() {
  parent = spy.createTopLevel(RECT{0, 0, 400, 300}, WS_POPUP | WS_VISIBLE);
  driver.pumpUntilIdle();
}

HWND ControlHarness::create(LPCWSTR className, DWORD style, const RECT& rect, LPCWSTR text, int id) {
  HWND control = CreateWindowEx(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
  driver.pumpUntilIdle();
  return control;
}

POINT ControlHarness::centre(HWND control) const {
  RECT rect = driver.screenRect(control);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ControlHarness::click(HWND control) {
  POINT point = centre(control);
  driver.click(point.x, point.y);
  driver.pumpUntilIdle();
}

std::vector<WORD> ControlHarness::notifications(HWND control) const {
  std::vector<WORD> codes;
  for (const Logged& entry : spy.only({WM_COMMAND})) {
    if (entry.window == parent && entry.lParam == handleParam(control)) {
      codes.push_back(HIWORD(entry.wParam));
    }
  }
  return codes;
}

std::vector<std::pair<WORD, int>> ControlHarness::scrolls(HWND control) const {
  std::vector<std::pair<WORD, int>> codes;
  for (const Logged& entry : spy.only({WM_HSCROLL, WM_VSCROLL})) {
    if (entry.window == parent && entry.lParam == handleParam(control)) {
      codes.emplace_back(LOWORD(entry.wParam), static_cast<SHORT>(HIWORD(entry.wParam)));
    }
  }
  return codes;
}

}  // namespace native::test
