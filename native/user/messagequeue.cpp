#include "native/user/messagequeue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "native/user/messages.h"

namespace native {

namespace {

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(std::intptr_t{-1});

// Key codes, then the mouse buttons.
constexpr std::size_t kKeysAndButtons = 256 + 3;

std::size_t pressIndex(const HostInput& input) {
  return input.isKey() ? (input.virtualKey & 0xFF) : 256 + static_cast<std::size_t>(input.button % 3);
}

}  // namespace

bool MessageFilter::matches(const MSG& message) const {
  if (window == kThreadMessagesOnly) {
    if (message.hwnd != nullptr) {
      return false;
    }
  } else if (window != nullptr && message.hwnd != window) {
    return false;
  }
  return (first == 0 && last == 0) || (message.message >= first && message.message <= last);
}

bool MessageFilter::admitsKeys() const {
  const auto holds = [this](UINT message) { return message >= first && message <= last; };
  return window != kThreadMessagesOnly && ((first == 0 && last == 0) || holds(WM_KEYDOWN) ||
                                           holds(WM_KEYUP) || holds(WM_SYSKEYDOWN) || holds(WM_SYSKEYUP));
}

bool MessageFilter::admitsMouse() const {
  const auto overlaps = [this](UINT low, UINT high) { return first <= high && last >= low; };
  return window != kThreadMessagesOnly &&
         ((first == 0 && last == 0) || overlaps(WM_MOUSEFIRST, WM_MOUSELAST) ||
          overlaps(WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK));
}

bool MessageFilter::admits(const HostInput& input) const {
  return input.isKey() ? admitsKeys() : admitsMouse();
}

MessageQueue::MessageQueue() : wakeFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (wakeFd_ < 0) {
    throw std::runtime_error("the message queue cannot create its wake-up descriptor");
  }
}

MessageQueue::~MessageQueue() {
  close(wakeFd_);
}

void MessageQueue::wake() {
  std::uint64_t one = 1;
  // A full counter still reads as readable, so a failed write loses no wake-up.
  [[maybe_unused]] ssize_t written = write(wakeFd_, &one, sizeof one);
}

void MessageQueue::clearWake() {
  std::uint64_t count = 0;
  [[maybe_unused]] ssize_t got = read(wakeFd_, &count, sizeof count);
}

void MessageQueue::post(const MSG& message, bool fromGuiThread) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(Posted{message, fromGuiThread ? lastRouted_ : nextArrival(), false});
  }
  wake();
}

void MessageQueue::postAhead(const MSG& message) {
  {
    std::lock_guard lock(mutex_);
    // A character of a key no input made (a key message sent by hand) is no held input.
    posted_.push_front(Posted{message, lastRouted_, lastRouted_ != 0});
  }
  wake();
}

void MessageQueue::postInput(const MSG& message, std::uint64_t arrival) {
  std::lock_guard lock(mutex_);
  const auto later = std::find_if(posted_.begin(), posted_.end(),
                                  [arrival](const Posted& posted) { return posted.arrival > arrival; });
  posted_.insert(later, Posted{message, arrival, true});
}

std::deque<MessageQueue::Posted>::iterator MessageQueue::firstAccepted(
    const MessageFilter& filter, const std::function<bool(const MSG&)>& which) {
  return std::find_if(posted_.begin(), posted_.end(), [&](const Posted& posted) {
    return !heldByFloor(posted) && filter.matches(posted.message) && (!which || which(posted.message));
  });
}

bool MessageQueue::takeIf(const MessageFilter& filter, const std::function<bool(const MSG&)>& which,
                          bool remove, MSG* out) {
  std::lock_guard lock(mutex_);
  const auto found = firstAccepted(filter, which);
  if (found == posted_.end()) {
    return false;
  }
  *out = found->message;
  if (remove) {
    posted_.erase(found);
  }
  return true;
}

std::deque<HostInput>::iterator MessageQueue::firstAdmitted(const MessageFilter& filter,
                                                            const PressTest& endsTakenPress) {
  // A look for other messages (paints, a window's own posts) passes the held input by at no cost.
  if (!filter.admitsKeys() && !filter.admitsMouse()) {
    return input_.end();
  }
  // Keys and buttons pressed in the held input: their releases end those presses, and are held with them.
  std::bitset<kKeysAndButtons> heldPresses;
  return std::find_if(input_.begin(), input_.end(), [&](const HostInput& input) {
    if (input.arrival > floor_) {
      return filter.admits(input);
    }
    const bool release = input.kind == HostInput::Kind::KeyUp || input.kind == HostInput::Kind::ButtonUp;
    if (input.kind == HostInput::Kind::KeyDown || input.kind == HostInput::Kind::ButtonDown) {
      heldPresses.set(pressIndex(input));
    }
    return release && filter.admits(input) && !heldPresses.test(pressIndex(input)) && endsTakenPress(input);
  });
}

std::optional<HostInput> MessageQueue::takeInputFor(const MessageFilter& filter,
                                                    const PressTest& endsTakenPress) {
  const auto admitted = firstAdmitted(filter, endsTakenPress);
  if (admitted == input_.end()) {
    return std::nullopt;
  }
  std::lock_guard lock(mutex_);
  const auto posted = firstAccepted(filter, {});
  if (posted != posted_.end() ? posted->arrival < admitted->arrival : quitPending_) {
    return std::nullopt;
  }
  const HostInput input = *admitted;
  input_.erase(admitted);
  lastRouted_ = input.arrival;
  return input;
}

bool MessageQueue::hasMessageFor(const MessageFilter& filter, const PressTest& endsTakenPress) {
  if (firstAdmitted(filter, endsTakenPress) != input_.end()) {
    return true;
  }
  std::lock_guard lock(mutex_);
  return firstAccepted(filter, {}) != posted_.end();
}

std::uint64_t MessageQueue::raiseInputFloor() {
  std::lock_guard lock(mutex_);
  return std::exchange(floor_, arrivals_);
}

void MessageQueue::postQuit(int exitCode) {
  {
    std::lock_guard lock(mutex_);
    quitPending_ = true;
    quitCode_ = exitCode;
  }
  wake();
}

bool MessageQueue::takeQuit(const MessageFilter& filter, bool remove, MSG* out) {
  std::lock_guard lock(mutex_);
  if (!quitPending_ || firstAccepted(filter, {}) != posted_.end()) {
    return false;
  }
  *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode_), 0, 0, POINT{0, 0}};
  if (remove) {
    quitPending_ = false;
  }
  return true;
}

void MessageQueue::pushInput(const HostInput& input) {
  HostInput queued = input;
  {
    std::lock_guard lock(mutex_);
    queued.arrival = nextArrival();
  }
  if (queued.kind == HostInput::Kind::MouseMove && !input_.empty() &&
      input_.back().kind == HostInput::Kind::MouseMove && input_.back().arrival > floor_) {
    input_.back() = queued;
  } else {
    input_.push_back(queued);
  }
}

void MessageQueue::eraseInput(std::uint64_t arrival) {
  const auto found = std::find_if(input_.begin(), input_.end(),
                                  [arrival](const HostInput& input) { return input.arrival == arrival; });
  if (found != input_.end()) {
    input_.erase(found);
  }
}

}  // namespace native
