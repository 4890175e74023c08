#pragma once
// Turns host input into window messages at the moment the loop takes it, so that hit tests, capture,
// activation and the keyboard state are those of that moment. Mouse input goes to the capturing window, or
// to the window under the pointer after WM_NCHITTEST, WM_SETCURSOR and (for a press in an inactive top-level
// window) WM_MOUSEACTIVATE; key input goes to the focus, or as system keys to the active window.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "native/user/messagequeue.h"
#include "native/user/nativetypes.h"

namespace native {

class InputRouter {
 public:
  // The message the input means, or none: nobody may receive it, or the clicked window ate the click.
  std::optional<MSG> translate(const HostInput& input);
  // The input of the last button press delivered, when `press` is the message it was delivered as and no
  // input was translated since. Answered once.
  std::optional<HostInput> takePress(const MSG& press);
  // The next press pairs with no click before it.
  void forgetLastClick() { lastClick_ = Click{}; }
  // The pointer at `point` takes the shape the window under it gives it (WM_SETCURSOR after its hit test), as
  // a move there would give it, but no window hears of a move.
  void showCursorAt(POINT point);
  // Takes out of the queued input the first key that `which` picks, as the message it would become now,
  // read with the keys held when it was typed; the rest stays queued as it came. The look goes on from where
  // the last one stopped, so a key passed over is not judged again, and its cost follows the input that
  // came since, not the input held.
  std::optional<MSG> takeKeyAhead(const std::function<bool(const MSG&)>& which);
  // Whether the input lets go of a key or button whose press was turned into its message.
  static bool endsRoutedPress(const HostInput& input);

 private:
  struct PointerTarget {
    HWND window;
    LRESULT hit;
  };
  // The window that takes the pointer at `point`, with its hit-test code; none over the bare desktop.
  static std::optional<PointerTarget> windowUnder(POINT point);
  // Sends WM_SETCURSOR for `message` to the window under the pointer. False when the window is behind a modal
  // one and gets no input.
  static bool tellCursor(const PointerTarget& under, UINT message);
  std::optional<MSG> translateMouse(const HostInput& input);
  std::optional<MSG> translateKey(const HostInput& input);
  // The key message of `input` for the focus (without one, a system key for the active window), given
  // whether the key was down before it, and with the key state read after it.
  static MSG keyMessage(const HostInput& input, bool wasDown);
  bool isDoubleClick(HWND window, int button, bool nonClient, const HostInput& input);

  struct Click {
    HWND window = nullptr;
    int button = 0;
    bool nonClient = false;
    DWORD time = 0;
    POINT point{};
  };
  Click lastClick_;
  struct DeliveredPress {
    HostInput input;
    MSG message;
  };
  std::optional<DeliveredPress> lastPress_;
  // Where the look ahead through queued keys stopped: the last input it looked at, and the key state after
  // it.
  std::uint64_t lookedThrough_ = 0;
  std::array<BYTE, 256> lookedState_{};
};

}  // namespace native
