// The event manager's Get over the native message queue: the one place where native messages enter the
// framework's event queue.
#include "framework/core/zafeventmanager.h"

#include "native/native.h"

namespace {

// Whether a native message may be read now: always when waiting is allowed, else only when one is there
// and the manager lets native input in without waiting.
bool NativeMessageReady(uint32_t flags, int32_t nativeInput) {
  if (!(flags & Q_NO_BLOCK)) {
    return true;
  }
  native::MSG pending{};
  return nativeInput && native::PeekMessage(&pending, nullptr, 0, 0, native::PM_NOREMOVE);
}

}  // namespace

int32_t ZafEventManager::Get(ZafEventRecord& event, uint32_t flags) {
  for (;;) {
    if (!(flags & Q_NO_POLL)) {
      if (QueuedCount() == 0 && NativeMessageReady(flags, nativeInput)) {
        native::MSG message{};
        // WM_QUIT (FALSE) fills the message like any other and goes to the loop; -1 fills nothing.
        if (native::GetMessage(&message, nullptr, 0, 0) == -1) {
          break;
        }
        // The queue was empty, so there is room.
        Put(ZafEventRecord(E_OSEVENT, message), Q_END);
      }
      PollDevices();
    }
    if ((flags & Q_NO_DESTROY) ? PeekQueued(event, flags) : TakeQueued(event, flags)) {
      return Q_EVENT_TAKEN;
    }
    // With Q_NO_POLL nothing can fill an empty queue, so waiting would never end.
    if (flags & (Q_NO_BLOCK | Q_NO_POLL)) {
      break;
    }
  }
  event.type = E_NO_EVENT;
  return Q_NO_EVENT;
}

void ZafEventManager::WakeReader() {
  native::WakeMessageLoop();
}
