#include "native/user/messageapi.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "native/user/keyboard.h"
#include "native/user/localtext.h"
#include "native/user/messages.h"
#include "native/user/painting.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

bool guiThreadSystem(WindowSystem** out) {
  WindowSystem* system = WindowSystem::current();
  if (system == nullptr) {
    system = &WindowSystem::get();
  }
  *out = system;
  return system->onGuiThread();
}

bool findMessage(WindowSystem& system, const MessageFilter& filter, bool remove, MSG* out) {
  MessageQueue& queue = system.queue();
  // Input is turned into its message only when a take that admits it comes to it: a look for other
  // messages leaves it for the window that has the focus, or lies under the pointer, when it is acted on.
  while (std::optional<HostInput> input = queue.takeInputFor(filter, &InputRouter::endsRoutedPress)) {
    if (std::optional<MSG> message = system.input().translate(*input)) {
      queue.postInput(*message, input->arrival);
    }
  }
  if (queue.take(filter, remove, out)) {
    if (remove) {
      system.keyboard().takeMessage(*out);
    }
    return true;
  }
  if (queue.takeQuit(filter, remove, out)) {
    return true;
  }
  // WM_PAINT stays until the window validates its update region, so it is never taken out.
  if (nextPaintMessage(filter, out)) {
    return true;
  }
  if (auto timer = system.timers().due(filter, remove, system.clock().nowMs())) {
    *out = *timer;
    out->pt = system.desktop().cursorPosition();
    return true;
  }
  blinkCaretWhenDue(system);
  return false;
}

// Whether a retrieval of any message would answer one now; queued input counts without being turned into
// its message.
bool anyMessage(WindowSystem& system) {
  MSG message{};
  return system.queue().hasMessageFor(MessageFilter{}, &InputRouter::endsRoutedPress) ||
         findMessage(system, MessageFilter{}, false, &message);
}

// How long a wait may last for the next timer the filter accepts or the caret's next blink, whichever comes
// first: milliseconds, or -1 when nothing is due.
int waitForDue(WindowSystem& system, const MessageFilter& filter) {
  std::optional<std::uint64_t> due = system.timers().nextDue(filter);
  if (std::optional<std::uint64_t> blink = system.caret().nextBlinkMs(); blink && (!due || *blink < *due)) {
    due = blink;
  }
  return due ? system.clock().waitMs(*due) : -1;
}

}  // namespace

BOOL GetMessage(MSG* message, HWND window, UINT first, UINT last) {
  WindowSystem* system = nullptr;
  if (message == nullptr || !guiThreadSystem(&system)) {
    return -1;
  }
  MessageFilter filter{window, first, last};
  for (;;) {
    // Clear the wake-up before looking, so a post that lands after the look still wakes the wait.
    system->queue().clearWake();
    if (findMessage(*system, filter, true, message)) {
      return message->message == WM_QUIT ? FALSE : TRUE;
    }
    system->waitSet().wait(system->queue().wakeDescriptor(), waitForDue(*system, filter));
  }
}

BOOL WaitForInput(DWORD timeoutMs) {
  WindowSystem* system = nullptr;
  if (!guiThreadSystem(&system)) {
    return FALSE;
  }
  const MessageFilter any{};
  // Clear the wake-up before looking, so a post that lands after the look still ends the wait.
  system->queue().clearWake();
  if (anyMessage(*system)) {
    return TRUE;
  }
  int timeout = timeoutMs == INFINITE ? -1 : static_cast<int>(std::min<DWORD>(timeoutMs, INT_MAX));
  if (const int untilDue = waitForDue(*system, any); untilDue >= 0 && (timeout < 0 || untilDue < timeout)) {
    timeout = untilDue;
  }
  system->waitSet().wait(system->queue().wakeDescriptor(), timeout);
  return anyMessage(*system) ? TRUE : FALSE;
}

BOOL PeekMessage(MSG* message, HWND window, UINT first, UINT last, UINT options) {
  WindowSystem* system = nullptr;
  if (message == nullptr || !guiThreadSystem(&system)) {
    return FALSE;
  }
  MessageFilter filter{window, first, last};
  bool remove = (options & PM_REMOVE) != 0;
  if (findMessage(*system, filter, remove, message)) {
    return TRUE;
  }
  // The look may queue input without a descriptor's callback: the display host's hook before the wait takes
  // what its connection already holds.
  const WaitSet::Screen screen =
      (options & PM_NOYIELD) != 0 ? WaitSet::Screen::kHeld : WaitSet::Screen::kShown;
  system->waitSet().wait(system->queue().wakeDescriptor(), 0, screen);
  return findMessage(*system, filter, remove, message) ? TRUE : FALSE;
}

BOOL TakeMessageIf(MSG* message, UINT first, UINT last, const std::function<bool(const MSG&)>& which) {
  WindowSystem* system = nullptr;
  if (message == nullptr || !guiThreadSystem(&system)) {
    return FALSE;
  }
  Keyboard& keyboard = system->keyboard();
  const std::array<BYTE, 256> taken = keyboard.state();
  const auto asTyped = [&which, &keyboard](const MSG& queued) {
    if (!which || which(queued)) {
      return true;
    }
    keyboard.takeMessage(queued);
    return false;
  };
  const MessageFilter filter{nullptr, first, last};
  const bool found = system->queue().takeIf(filter, asTyped, true, message);
  keyboard.restoreTaken(taken);
  if (found) {
    keyboard.takeMessage(*message);
    return TRUE;
  }
  if (!filter.admitsKeys()) {
    return FALSE;
  }
  const auto picked = [&which](const MSG& key) { return !which || which(key); };
  if (std::optional<MSG> key = system->input().takeKeyAhead(picked)) {
    *message = *key;
    return TRUE;
  }
  return FALSE;
}

void RunReadyDescriptors() {
  WindowSystem* system = nullptr;
  if (guiThreadSystem(&system)) {
    // The display host's hook before the wait also takes what its connection already holds.
    system->waitSet().wait(system->queue().wakeDescriptor(), 0);
  }
}

BOOL RoutePressAgain(const MSG& press) {
  WindowSystem* system = nullptr;
  if (!guiThreadSystem(&system)) {
    return FALSE;
  }
  const std::optional<HostInput> input = system->input().takePress(press);
  if (!input) {
    return FALSE;
  }
  system->queue().pushInputAhead(*input);
  return TRUE;
}

InputFloor::InputFloor() {
  WindowSystem* system = nullptr;
  if (guiThreadSystem(&system)) {
    // What the display connection holds was made before as well: it comes in first, without showing the
    // screen, so that what changed before the question goes out with it in one picture.
    system->waitSet().wait(system->queue().wakeDescriptor(), 0, WaitSet::Screen::kHeld);
    outer_ = system->queue().raiseInputFloor();
  }
}

InputFloor::~InputFloor() {
  WindowSystem* system = nullptr;
  if (guiThreadSystem(&system)) {
    system->queue().restoreInputFloor(outer_);
    // The held input is there to take again.
    system->queue().wake();
  }
}

void ForgetLastClick() {
  WindowSystem* system = nullptr;
  if (guiThreadSystem(&system)) {
    system->input().forgetLastClick();
  }
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowSystem* system = WindowSystem::current();
  if (system == nullptr) {
    return FALSE;
  }
  MSG posted{window, message, wParam, lParam, 0, POINT{}};
  // Only the GUI thread may look at windows and the clock; a worker's post is checked when it is dispatched.
  if (system->onGuiThread()) {
    if (window != nullptr && system->windows().find(window) == nullptr) {
      return FALSE;
    }
    posted.time = static_cast<DWORD>(system->clock().nowMs());
    posted.pt = system->desktop().cursorPosition();
  }
  system->queue().post(posted, system->onGuiThread());
  return TRUE;
}

BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowSystem* system = WindowSystem::current();
  if (system == nullptr || static_cast<pid_t>(threadId) != system->guiThread()) {
    return FALSE;
  }
  system->queue().post(MSG{nullptr, message, wParam, lParam, 0, POINT{}});
  return TRUE;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* narrow = reinterpret_cast<const MDICREATESTRUCTA*>(lParam);
  if (message != WM_MDICREATE || narrow == nullptr) {
    return SendMessage(window, message, wParam, lParam);
  }
  // The wide texts live until the receiver has answered.
  std::u16string className = utf16FromUtf8(narrow->szClass != nullptr ? narrow->szClass : "");
  std::u16string title = utf16FromUtf8(narrow->szTitle != nullptr ? narrow->szTitle : "");
  MDICREATESTRUCT wide{className.c_str(), title.c_str(), narrow->hOwner, narrow->x,     narrow->y,
                       narrow->cx,        narrow->cy,    narrow->style,  narrow->lParam};
  return SendMessage(window, message, wParam, reinterpret_cast<LPARAM>(&wide));
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowSystem* system = nullptr;
  if (!guiThreadSystem(&system)) {
    return 0;
  }
  const WindowRecord* record = system->windows().find(window);
  if (record == nullptr) {
    return 0;
  }
  return record->procedure(window, message, wParam, lParam);
}

LRESULT DispatchMessage(const MSG* message) {
  WindowSystem* system = nullptr;
  if (message == nullptr || !guiThreadSystem(&system)) {
    return 0;
  }
  // The outer message's moment comes back however the dispatch ends.
  struct Moment {
    WindowSystem& system;
    const WindowSystem::MessageMoment outer;
    ~Moment() { system.dispatched = outer; }
  } moment{*system, std::exchange(system->dispatched, {message->time, message->pt})};
  if (message->message == WM_TIMER && message->lParam != 0) {
    auto callback = reinterpret_cast<TIMERPROC>(message->lParam);
    // The callback address comes in a message anyone can post; only a running timer's own one is called.
    if (system->timers().hasProcedure(message->hwnd, message->wParam, callback)) {
      callback(message->hwnd, WM_TIMER, message->wParam, static_cast<DWORD>(system->clock().nowMs()));
      return 0;
    }
  }
  return message->hwnd == nullptr
             ? 0
             : SendMessage(message->hwnd, message->message, message->wParam, message->lParam);
}

LONG GetMessageTime() {
  return static_cast<LONG>(WindowSystem::get().dispatched.time);
}

DWORD GetMessagePos() {
  const POINT& point = WindowSystem::get().dispatched.point;
  return static_cast<DWORD>(MAKELONG(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
}

BOOL TranslateMessage(const MSG* message) {
  if (message == nullptr) {
    return FALSE;
  }
  UINT kind = message->message;
  if (kind != WM_KEYDOWN && kind != WM_KEYUP && kind != WM_SYSKEYDOWN && kind != WM_SYSKEYUP) {
    return FALSE;
  }
  if (kind == WM_KEYDOWN || kind == WM_SYSKEYDOWN) {
    std::u16string characters = utf16FromCodePoint(typedCharacter(message->lParam));
    if (characters.empty()) {
      BYTE state[256];
      WORD character = 0;
      GetKeyboardState(state);
      if (ToAscii(static_cast<UINT>(message->wParam), 0, state, &character, 0) == 1) {
        characters.push_back(static_cast<char16_t>(character));
      }
    }
    // A character beyond 16 bits goes as its two UTF-16 halves, the way texts hold it; each message goes
    // ahead of everything else, so the last goes first.
    UINT charMessage = kind == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    for (auto half = characters.rbegin(); half != characters.rend(); ++half) {
      WindowSystem::get().queue().postAhead(
          MSG{message->hwnd, charMessage, *half, message->lParam, message->time, message->pt});
    }
  }
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  WindowSystem::get().queue().postQuit(exitCode);
}

void WakeMessageLoop() {
  // The GUI thread itself is not waiting while it runs.
  WindowSystem* system = WindowSystem::current();
  if (system != nullptr && !system->onGuiThread()) {
    system->queue().wake();
  }
}

DWORD GetCurrentThreadId() {
  return static_cast<DWORD>(gettid());
}

BOOL RegisterWaitDescriptor(int fd, short events, std::function<void(short)> callback) {
  return WindowSystem::get().waitSet().add(fd, events, std::move(callback)) ? TRUE : FALSE;
}

BOOL UnregisterWaitDescriptor(int fd) {
  return WindowSystem::get().waitSet().remove(fd) ? TRUE : FALSE;
}

}  // namespace native
