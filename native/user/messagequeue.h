#pragma once
// The GUI thread's message queue: posted messages in arrival order (any thread may post: a mutex guards them
// and an eventfd wakes a blocked loop), the pending quit request, and the raw input the host delivers, kept
// apart until the loop turns it into messages.

#include <deque>
#include <functional>
#include <mutex>

#include "native/user/nativetypes.h"

namespace native {

// Raw input from the host (the headless desktop's test driver, or the display connection).
struct HostInput {
  enum class Kind { MouseMove, ButtonDown, ButtonUp, KeyDown, KeyUp };
  Kind kind = Kind::MouseMove;
  POINT point{};        // screen position of the pointer
  int button = 0;       // 0 left, 1 right, 2 middle
  UINT virtualKey = 0;  // for key input
  DWORD time = 0;
  // The character the host's keymap typed with a key press; 0 when it typed none, and the key's character
  // is then the US layout's.
  char32_t character = 0;
  // A key release the host made itself because its window lost the keyboard focus with the key still down.
  bool focusLost = false;
};

// Which messages a retrieval accepts: one window (null: any, or the thread-message marker -1: only messages
// without a window) and a message range (0, 0: all).
struct MessageFilter {
  HWND window = nullptr;
  UINT first = 0;
  UINT last = 0;

  bool matches(const MSG& message) const;
};

class MessageQueue {
 public:
  MessageQueue();
  ~MessageQueue();
  MessageQueue(const MessageQueue&) = delete;
  MessageQueue& operator=(const MessageQueue&) = delete;

  // Any thread.
  void post(const MSG& message);
  // GUI thread: the characters TranslateMessage makes go ahead of everything else.
  void postAhead(const MSG& message);
  // The first posted message the filter accepts, taken out when `remove` is set.
  bool take(const MessageFilter& filter, bool remove, MSG* out) { return takeIf(filter, {}, remove, out); }
  // The same among those `which` picks (none: all); `which` runs under the queue's lock.
  bool takeIf(const MessageFilter& filter, const std::function<bool(const MSG&)>& which, bool remove,
              MSG* out);

  void postQuit(int exitCode);
  // The quit message is answered once no posted message the filter accepts is left; the quit message itself
  // passes every filter.
  bool takeQuit(const MessageFilter& filter, bool remove, MSG* out);

  // Readable while something was posted, or wake() was called, since the last clearWake().
  int wakeDescriptor() const { return wakeFd_; }
  void clearWake();
  // Any thread.
  void wake();

  // Host input, GUI thread only. Consecutive pointer moves collapse into the last one.
  void pushInput(const HostInput& input);
  // Input handed back to be routed again, ahead of what the host delivered since.
  void pushInputAhead(const HostInput& input) { input_.push_front(input); }
  bool popInput(HostInput* out);
  bool hasInput() const { return !input_.empty(); }

 private:
  std::mutex mutex_;
  std::deque<MSG> posted_;
  bool quitPending_ = false;
  int quitCode_ = 0;
  int wakeFd_ = -1;
  std::deque<HostInput> input_;
};

}  // namespace native
