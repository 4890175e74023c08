#pragma once
// The window system's own modal loops (a menu, a dialog) take the thread's messages until they end, so the
// program's own loop and its idle work wait for them. Each such loop runs its passes through a ModalPasses
// object: it serves what the program installed (the idle work that answers its links) whenever its wait for
// input ends, as the program's loop does, and on a pass at least every kServeEveryMs however much input
// comes; and once the program asks the open loops to end (an exit asked from outside), each of them ends
// as Escape would end it, innermost first. A dialog of the program, which runs the program's own loop,
// holds one only to count among the open loops and to learn that it must end.

#include <chrono>
#include <functional>

#include "native/user/messageapi.h"
#include "native/user/nativetypes.h"

namespace native {

class ModalPasses {
 public:
  // The longest time between two servings while a loop runs, in milliseconds.
  static constexpr DWORD kServeEveryMs = 100;

  // What the passes serve; it answers how long the loop may then wait for input, in milliseconds (INFINITE:
  // until input or a registered descriptor wakes it). Empty (the default): nothing; the loop waits for input.
  static void SetService(std::function<DWORD()> serve);
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
  // Once the queue has run dry: waits for input as long as the last serving allowed, then serves.
  void wait();

 private:
  void serveNow();

  std::chrono::steady_clock::time_point lastServed;
  DWORD waitMs = INFINITE;
};

}  // namespace native
