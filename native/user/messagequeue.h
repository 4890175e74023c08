#pragma once
// The GUI thread's message queue: posted messages in arrival order (any thread may post: a mutex guards them
// and an eventfd wakes a blocked loop), the pending quit request, and the raw input the host delivers, kept
// apart until a take that admits it turns it into its message. Posts and input share one arrival count, so a
// take answers whichever of them came first.

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

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
  // Its place in the queue's arrival count, given when it is queued.
  std::uint64_t arrival = 0;

  bool isKey() const { return kind == Kind::KeyDown || kind == Kind::KeyUp; }
};

// Which messages a retrieval accepts: one window (null: any, or the thread-message marker -1: only messages
// without a window) and a message range (0, 0: all).
struct MessageFilter {
  HWND window = nullptr;
  UINT first = 0;
  UINT last = 0;

  bool matches(const MSG& message) const;
  // Whether the input may become a message of the filter's range: input is turned into messages only for
  // a take whose range holds its kind.
  bool admits(const HostInput& input) const;
  bool admitsKeys() const;
  bool admitsMouse() const;
};

class MessageQueue {
 public:
  MessageQueue();
  ~MessageQueue();
  MessageQueue(const MessageQueue&) = delete;
  MessageQueue& operator=(const MessageQueue&) = delete;

  // Any thread. A message the GUI thread posts while it acts on input is part of that input's work: it
  // takes the input's place, ahead of the input made after it (a cell's editor opened by a click comes
  // before the keys typed into it). Other posts come in their own place.
  void post(const MSG& message, bool fromGuiThread = false);
  // GUI thread: the characters TranslateMessage makes go ahead of everything else, in the place of the input
  // last turned into a message.
  void postAhead(const MSG& message);
  // GUI thread: the message input became, in the input's place.
  void postInput(const MSG& message, std::uint64_t arrival);
  // The first posted message the filter accepts, taken out when `remove` is set.
  bool take(const MessageFilter& filter, bool remove, MSG* out) { return takeIf(filter, {}, remove, out); }
  // The same among those `which` picks (none: all); `which` runs under the queue's lock.
  bool takeIf(const MessageFilter& filter, const std::function<bool(const MSG&)>& which, bool remove,
              MSG* out);
  // Takes out the host input a take with `filter` turns into its message now: the first the filter admits,
  // when no posted message the filter accepts came before it (nor, with none posted, a quit request).
  // `endsTakenPress` tells the release of a key or button whose press was taken: it ends that press, so the
  // input floor lets it through.
  using PressTest = std::function<bool(const HostInput&)>;
  std::optional<HostInput> takeInputFor(const MessageFilter& filter, const PressTest& endsTakenPress);

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
  // Input handed back to be routed again, in its own place, ahead of what the host delivered since.
  void pushInputAhead(const HostInput& input) { input_.push_front(input); }
  // The input not yet turned into messages, oldest first. A look may take an entry out (eraseInput) but
  // leaves the others as they are.
  const std::deque<HostInput>& input() const { return input_; }
  void eraseInput(std::uint64_t arrival);
  // Whether a take with `filter` would find input or a posted message to answer.
  bool hasMessageFor(const MessageFilter& filter, const PressTest& endsTakenPress);

  // The input floor: while it is raised, input that arrived before it (and the messages such input became)
  // stays queued, untouched, and takes answer only what came after it. A modal question raises it so that
  // it takes only the answers made to it.
  std::uint64_t raiseInputFloor();
  void restoreInputFloor(std::uint64_t floor) { floor_ = floor; }

 private:
  struct Posted {
    MSG message;
    std::uint64_t arrival;
    bool fromInput;
  };
  bool heldByFloor(const Posted& posted) const { return posted.fromInput && posted.arrival <= floor_; }
  // The first input the filter admits and the floor lets through.
  std::deque<HostInput>::iterator firstAdmitted(const MessageFilter& filter, const PressTest& endsTakenPress);
  // The first posted message the filter accepts and the floor lets through; the lock is held.
  std::deque<Posted>::iterator firstAccepted(const MessageFilter& filter,
                                             const std::function<bool(const MSG&)>& which);
  std::uint64_t nextArrival() { return ++arrivals_; }

  std::mutex mutex_;
  std::deque<Posted> posted_;
  bool quitPending_ = false;
  int quitCode_ = 0;
  int wakeFd_ = -1;
  std::deque<HostInput> input_;
  // Guarded by the mutex: posts come from any thread.
  std::uint64_t arrivals_ = 0;
  std::uint64_t lastRouted_ = 0;
  std::uint64_t floor_ = 0;
};

}  // namespace native
