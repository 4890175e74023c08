#include "native/tests/messagespy.h"

#include <algorithm>

namespace native::test {

MessageSpy* MessageSpy::active = nullptr;

MessageSpy::MessageSpy() {
  static int serial = 0;
  ++serial;
  className_ = u"Spy" + std::u16string(1, static_cast<char16_t>(u'A' + serial % 26)) +
               std::u16string(1, static_cast<char16_t>(u'A' + serial / 26 % 26));
  doubleClickClassName_ = className_ + u"Dbl";
  WNDCLASS description{};
  description.lpfnWndProc = spyProcedure;
  description.lpszClassName = className_.c_str();
  description.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClass(&description);
  description.style = CS_DBLCLKS;
  description.lpszClassName = doubleClickClassName_.c_str();
  RegisterClass(&description);
  active = this;
}

MessageSpy::~MessageSpy() {
  active = nullptr;
}

LRESULT MessageSpy::spyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (active == nullptr) {
    return DefWindowProc(window, message, wParam, lParam);
  }
  active->log_.push_back(Logged{window, message, wParam, lParam});
  if (active->handler) {
    return active->handler(window, message, wParam, lParam);
  }
  return DefWindowProc(window, message, wParam, lParam);
}

HWND MessageSpy::createTopLevel(const RECT& rect, DWORD style, HWND owner, LPCWSTR className) {
  return CreateWindowEx(0, className != nullptr ? className : className_.c_str(), u"top", style, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top, owner, nullptr, nullptr,
                        nullptr);
}

HWND MessageSpy::createChild(HWND parent, const RECT& rect, DWORD style, int id, LPCWSTR className) {
  return CreateWindowEx(0, className != nullptr ? className : className_.c_str(), u"child", style, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                        reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
}

std::vector<Logged> MessageSpy::only(std::initializer_list<UINT> messages) const {
  std::vector<Logged> picked;
  std::copy_if(log_.begin(), log_.end(), std::back_inserter(picked), [&](const Logged& entry) {
    return std::find(messages.begin(), messages.end(), entry.message) != messages.end();
  });
  return picked;
}

std::vector<UINT> MessageSpy::numbersOf(std::initializer_list<UINT> messages) const {
  std::vector<UINT> numbers;
  for (const Logged& entry : only(messages)) {
    numbers.push_back(entry.message);
  }
  return numbers;
}

}  // namespace native::test
