#pragma once
// Keeps the message loop's wait in step with a link that is served from the idle tick: the link's sockets
// are waited on with the events it names (a ready socket only ends the wait; the idle pass that follows
// serves the link), and its time becomes a deadline of the idle work.

#include <map>

#include "devices/linkwait.h"

class LinkWaiting {
 public:
  LinkWaiting() = default;
  LinkWaiting(const LinkWaiting&) = delete;
  LinkWaiting& operator=(const LinkWaiting&) = delete;
  ~LinkWaiting();

  // Waits from now on for what the link asks for after its last poll, and for nothing else.
  void Follow(const LinkWait& wait);

 private:
  // The descriptors registered with the wait and their events.
  std::map<int, short> registered;
};
