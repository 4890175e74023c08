#include "native/user/messagequeue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "native/user/messages.h"

namespace native {

namespace {
const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(std::intptr_t{-1});
}

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

void MessageQueue::post(const MSG& message) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(message);
  }
  wake();
}

void MessageQueue::postAhead(const MSG& message) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_front(message);
  }
  wake();
}

bool MessageQueue::takeIf(const MessageFilter& filter, const std::function<bool(const MSG&)>& which,
                          bool remove, MSG* out) {
  std::lock_guard lock(mutex_);
  for (auto it = posted_.begin(); it != posted_.end(); ++it) {
    if (filter.matches(*it) && (!which || which(*it))) {
      *out = *it;
      if (remove) {
        posted_.erase(it);
      }
      return true;
    }
  }
  return false;
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
  if (!quitPending_ || std::any_of(posted_.begin(), posted_.end(),
                                   [&](const MSG& message) { return filter.matches(message); })) {
    return false;
  }
  *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode_), 0, 0, POINT{0, 0}};
  if (remove) {
    quitPending_ = false;
  }
  return true;
}

void MessageQueue::pushInput(const HostInput& input) {
  if (input.kind == HostInput::Kind::MouseMove && !input_.empty() &&
      input_.back().kind == HostInput::Kind::MouseMove) {
    input_.back() = input;
  } else {
    input_.push_back(input);
  }
}

bool MessageQueue::popInput(HostInput* out) {
  if (input_.empty()) {
    return false;
  }
  *out = input_.front();
  input_.pop_front();
  return true;
}

}  // namespace native
