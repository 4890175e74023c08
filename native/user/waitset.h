#pragma once
// The descriptors the message loop waits on besides its own wake-up: the display connection, the command
// service's socket, network links. Each has a callback that runs on the GUI thread when it is ready.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace native {

class WaitSet {
 public:
  using Callback = std::function<void(short readyEvents)>;

  // False when the descriptor is negative or already registered.
  bool add(int fd, short events, Callback callback);
  bool remove(int fd);
  // Runs at the start of every wait, before anything blocks: a display host copies what was drawn to the
  // screen and reads input its connection already holds. When it answers true (it queued input) the wait
  // only looks and does not block.
  void setBeforeWait(std::function<bool()> hook) { beforeWait_ = std::move(hook); }

  // Waits up to `timeoutMs` (-1: without limit, 0: just a look) for `wakeFd` or a registered descriptor and
  // runs the callbacks of those that are ready. A callback may add or remove registrations, its own included.
  // Answers whether any registered callback ran.
  bool wait(int wakeFd, int timeoutMs);

 private:
  struct Entry {
    int fd;
    short events;
    Callback callback;
    std::uint64_t serial;  // tells a re-registered descriptor from the one polled
  };
  const Entry* find(int fd, std::uint64_t serial) const;

  std::vector<Entry> entries_;
  std::function<bool()> beforeWait_;
  std::uint64_t nextSerial_ = 1;
};

}  // namespace native
