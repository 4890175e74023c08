#include "native/user/waitset.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

namespace native {

bool WaitSet::add(int fd, short events, Callback callback) {
  if (fd < 0 || !callback ||
      std::any_of(entries_.begin(), entries_.end(), [fd](const Entry& entry) { return entry.fd == fd; })) {
    return false;
  }
  entries_.push_back(Entry{fd, events, std::move(callback), nextSerial_++});
  return true;
}

bool WaitSet::remove(int fd) {
  return std::erase_if(entries_, [fd](const Entry& entry) { return entry.fd == fd; }) > 0;
}

const WaitSet::Entry* WaitSet::find(int fd, std::uint64_t serial) const {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const Entry& entry) { return entry.fd == fd && entry.serial == serial; });
  return it == entries_.end() ? nullptr : &*it;
}

bool WaitSet::wait(int wakeFd, int timeoutMs, Screen screen) {
  if (beforeWait_ && beforeWait_(screen)) {
    timeoutMs = 0;
  }
  std::vector<pollfd> fds;
  std::vector<std::uint64_t> serials;
  fds.push_back(pollfd{wakeFd, POLLIN, 0});
  for (const Entry& entry : entries_) {
    fds.push_back(pollfd{entry.fd, entry.events, 0});
    serials.push_back(entry.serial);
  }
  int ready = poll(fds.data(), fds.size(), timeoutMs);
  if (ready <= 0) {
    return false;  // time-out, or a signal (EINTR): the caller's loop looks again
  }
  bool ran = false;
  for (std::size_t i = 1; i < fds.size(); ++i) {
    if (fds[i].revents == 0) {
      continue;
    }
    // Copy the callback: it may remove its own registration while it runs.
    const Entry* entry = find(fds[i].fd, serials[i - 1]);
    if (entry != nullptr) {
      Callback callback = entry->callback;
      callback(fds[i].revents);
      ran = true;
      // A descriptor closed behind our back would make every later poll return at once.
      if ((fds[i].revents & POLLNVAL) != 0 && find(fds[i].fd, serials[i - 1]) != nullptr) {
        remove(fds[i].fd);
      }
    }
  }
  return ran;
}

}  // namespace native
