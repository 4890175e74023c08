#pragma once
// Records the messages windows receive, for message-sequence tests: a window procedure that logs
// (window, message, wParam, lParam) and then hands the message to default processing, and a way to compare
// the log against a short expected list of the messages a test cares about.

#include <functional>
#include <string>
#include <vector>

#include "native/native.h"

namespace native::test {

struct Logged {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;

  bool operator==(const Logged&) const = default;
};

class MessageSpy {
 public:
  MessageSpy();
  ~MessageSpy();

  // A class whose procedure logs and then calls `handler` when set (answering its result), else
  // DefWindowProc. The class is registered once per spy under a name unique to it.
  LPCWSTR className() const { return className_.c_str(); }
  LPCWSTR doubleClickClassName() const { return doubleClickClassName_.c_str(); }
  std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> handler;

  HWND createTopLevel(const RECT& rect, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND owner = nullptr,
                      LPCWSTR className = nullptr);
  HWND createChild(HWND parent, const RECT& rect, DWORD style = WS_CHILD | WS_VISIBLE, int id = 0,
                   LPCWSTR className = nullptr);

  void clear() { log_.clear(); }
  const std::vector<Logged>& log() const { return log_; }
  // The logged messages whose number is in `messages`, in order.
  std::vector<Logged> only(std::initializer_list<UINT> messages) const;
  // Just the message numbers of those.
  std::vector<UINT> numbersOf(std::initializer_list<UINT> messages) const;

  static MessageSpy* active;

 private:
  static LRESULT spyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::u16string className_;
  std::u16string doubleClickClassName_;
  std::vector<Logged> log_;
};

// Packing helper for expected lists.
inline LPARAM handleParam(HWND window) {
  return reinterpret_cast<LPARAM>(window);
}
inline WPARAM handleWord(HWND window) {
  return reinterpret_cast<WPARAM>(window);
}

}  // namespace native::test
