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
  // What a wait does with what was drawn so far: shows it, or holds it back for a later wait when the wait
  // is a look made in the middle of drawing.
  enum class Screen { kShown, kHeld };
  using BeforeWait = std::function<bool(Screen screen)>;

  // Runs at the start of every wait, before anything blocks: a display host copies what was drawn to the
  // screen (unless it is held) and reads input its connection already holds. When it answers true (it queued
  // input) the wait only looks and does not block.
  void setBeforeWait(BeforeWait hook) { beforeWait_ = std::move(hook); }

  // Waits up to `timeoutMs` (-1: without limit, 0: just a look) for `wakeFd` or a registered descriptor and
  // runs the callbacks of those that are ready. A callback may add or remove registrations, its own included.
  // Answers whether any registered callback ran.
  bool wait(int wakeFd, int timeoutMs, Screen screen = Screen::kShown);

 private:
  struct Entry {
    int fd;
    short events;
    Callback callback;
    std::uint64_t serial;  // tells a re-registered descriptor from the one polled
  };
  const Entry* find(int fd, std::uint64_t serial) const;

  std::vector<Entry> entries_;
  BeforeWait beforeWait_;
  std::uint64_t nextSerial_ = 1;
};

}  // namespace native
