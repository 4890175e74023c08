#include "app/linkwaiting.h"

#include <poll.h>

#include <algorithm>

#include "native/user/messageapi.h"
#include "toolkit/kzapplication.h"

LinkWaiting::~LinkWaiting() {
  Follow(LinkWait{});
}

void LinkWaiting::Follow(const LinkWait& wait) {
  std::map<int, short> wanted;
  for (const LinkWait::Socket& socket : wait.sockets) {
    wanted[socket.descriptor] = socket.events;
  }
  for (auto it = registered.begin(); it != registered.end();) {
    const auto kept = wanted.find(it->first);
    if (kept != wanted.end() && kept->second == it->second) {
      wanted.erase(kept);
      ++it;
    } else {
      native::UnregisterWaitDescriptor(it->first);
      it = registered.erase(it);
    }
  }
  for (const auto& [wantedDescriptor, events] : wanted) {
    // The wait drops a descriptor that was closed while it waited; the next Follow registers it again.
    const int descriptor = wantedDescriptor;
    const auto forgetClosed = [this, descriptor](short ready) {
      if (ready & POLLNVAL) {
        registered.erase(descriptor);
      }
    };
    if (native::RegisterWaitDescriptor(descriptor, events, forgetClosed)) {
      registered.emplace(descriptor, events);
    }
  }
  if (wait.withinMs) {
    KZApplication::IdleAgainWithin(static_cast<uint32_t>(std::clamp<int64_t>(*wait.withinMs, 0, INT32_MAX)));
  }
}
