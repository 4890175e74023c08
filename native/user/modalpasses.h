#pragma once
// The window system's own modal loops (a menu, a dialog) take the thread's messages until they end, so the
// program's own loop and its idle work wait for them. Each such loop runs its passes through a ModalPasses
// object: a pass serves what the program installed (the links it must answer whatever is open) at least
// every kServeEveryMs, and once the program asks the open loops to end (an exit asked from outside), each
// of them ends as Escape would end it, innermost first.

#include <chrono>
#include <functional>

#include "native/user/nativetypes.h"

namespace native {

class ModalPasses {
 public:
  // The longest time between two servings while a loop runs, in milliseconds.
  static constexpr DWORD kServeEveryMs = 100;

  // What the passes serve; empty (the default): nothing.
  static void SetService(std::function<void()> serve);
  // Every modal loop open now ends as Escape would end it, and so does any loop opened before the last of
  // them has ended; without an open loop nothing happens.
  static void EndAll();
  // What the window manager's close of the program's display asks (the program's exit, which ends the open
  // loops); empty (the default): the front window is closed.
  static void SetCloseRequest(std::function<void()> close);
  static const std::function<void()>& CloseRequest();

  // A modal loop opens for the object's life.
  ModalPasses();
  ~ModalPasses();
  ModalPasses(const ModalPasses&) = delete;
  ModalPasses& operator=(const ModalPasses&) = delete;

  // Whether the loop must end as Escape would end it.
  bool ending() const;
  // Each pass: serves when kServeEveryMs have passed since the last serving.
  void serve();
  // Once the queue has run dry: waits for input until the next serving is due, then serves when it is.
  void wait();

 private:
  std::chrono::steady_clock::time_point lastServed;
};

}  // namespace native
