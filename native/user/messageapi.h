#pragma once
// Taking, posting, sending and dispatching messages. Only the GUI thread may call these, except PostMessage
// and PostThreadMessage, which are safe from any thread and wake a blocked GetMessage.
//
// What a retrieval answers, in order: posted messages and host input in the order they came (input is
// turned into its message, and addressed, only by a retrieval whose range holds the input's
// kind; it may then go to another window than the one the retrieval asked for), the quit message once no
// posted message the filter accepts is left, WM_PAINT for a window waiting to be painted, then the WM_TIMER
// of a due timer. When none is there, GetMessage waits on the queue's wake-up and on the registered
// descriptors, whose callbacks run on the GUI thread.

#include <cstdint>
#include <functional>

#include "native/user/nativetypes.h"

namespace native {

// A wait without a time limit.
inline constexpr DWORD INFINITE = 0xFFFFFFFF;

// TRUE for a message, FALSE for WM_QUIT (the message is filled either way), -1 for bad arguments or a call
// from another thread. The window filter also takes (HWND)-1 for messages without a window.
BOOL GetMessage(MSG* message, HWND window, UINT first, UINT last);
// Waits, without taking anything, until a message is there, a registered descriptor's callback ran, the
// loop was woken (WakeMessageLoop, a post), a native timer fell due or `timeoutMs` passed (INFINITE: no
// limit). It may also end early for nothing; the caller looks again. TRUE when a message is there.
BOOL WaitForInput(DWORD timeoutMs);
// Never waits; it still looks at the registered descriptors once, and shows the screen as drawn so far
// unless `options` hold PM_NOYIELD.
BOOL PeekMessage(MSG* message, HWND window, UINT first, UINT last, UINT options);
// Takes out the first message of the range [first, last] that `which` picks, wherever it lies in the queue,
// and leaves every other message and input where it is, in its order: a wait takes out the one key it acts
// on and holds the rest for after it. Queued input is not turned into messages: a key of it is shown to
// `which` as the message it would be now, and only the key taken is taken. A key taken counts in the key
// state as taken, the others when they are. `which` reads the keys held when the message it looks at was
// typed (a Ctrl released after Ctrl+R, and queued, no longer holds Ctrl for an Escape typed after it).
// Queued input is looked at once: a later call looks only at the input that came since. Never waits, and
// runs no descriptor's callback: input the display connection still holds comes in at the next look
// (RunReadyDescriptors, or any PeekMessage). `which` runs with the queue locked and must not post.
BOOL TakeMessageIf(MSG* message, UINT first, UINT last, const std::function<bool(const MSG&)>& which);
// Runs the callbacks of the registered descriptors that are ready now, without waiting: the display's input
// and the command service's requests come in.
void RunReadyDescriptors();
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// While it lives, retrievals take only input made after it began (what the display connection held then
// counts as made before): the earlier input, and the messages it became, stay queued untouched and are
// taken, in their order, once it ends. The release of a key or button whose press was taken before goes
// through: it ends that press. A question the program asks holds one, so that it takes only the answers
// made to it.
class InputFloor {
 public:
  InputFloor();
  ~InputFloor();
  InputFloor(const InputFloor&) = delete;
  InputFloor& operator=(const InputFloor&) = delete;

 private:
  std::uint64_t outer_ = 0;
};
// Hands a press of a mouse button that the capturing window is handling back to the input, once that window
// has let go of the capture: the loop routes it again before any later input, to wherever it landed (a
// frame's box, a menu title, another window, which is activated), and the release goes with it. FALSE when
// the message is not the last press the loop delivered, as the window got it, or input was translated since
// (the press is then spent).
BOOL RoutePressAgain(const MSG& press);
// The last click is used up: the next press is no double click with it. For a window that made a press its
// own double click with a click the loop delivered to another window.
void ForgetLastClick();
BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
// Calls the window's current procedure and answers its result; 0 for a window that does not exist.
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The 8-bit form: messages whose records carry texts (WM_MDICREATE with MDICREATESTRUCTA) have them turned
// from the local code page into the wide form the window receives; other messages go as they are.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A WM_TIMER with a callback runs the callback, but only when it belongs to that running timer. While the
// message is dispatched, GetMessageTime and GetMessagePos answer its time and point; a dispatch nested in it
// gives the outer message's back when it returns.
LRESULT DispatchMessage(const MSG* message);
// The time of the message being dispatched, in the clock's milliseconds; 0 outside any dispatch.
LONG GetMessageTime();
// Its screen point: x in the low 16 bits, y in the high ones, each signed.
DWORD GetMessagePos();
// For WM_KEYDOWN and WM_SYSKEYDOWN, posts WM_CHAR or WM_SYSCHAR ahead of everything else: the character the
// host's keymap typed with the key (one beyond 16 bits as two messages, its UTF-16 halves), or else the one
// the key gives in the current keyboard state. TRUE for the four key messages.
BOOL TranslateMessage(const MSG* message);
void PostQuitMessage(int exitCode);
// Ends the GUI thread's wait without a message, from another thread: for input it queued elsewhere.
void WakeMessageLoop();
DWORD GetCurrentThreadId();

// Descriptors the loop waits on as well (the display connection, sockets): the callback runs on the GUI
// thread with the poll events that were ready. FALSE when the descriptor is bad or already registered.
BOOL RegisterWaitDescriptor(int fd, short events, std::function<void(short readyEvents)> callback);
BOOL UnregisterWaitDescriptor(int fd);

}  // namespace native
