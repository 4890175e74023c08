#include "framework/win32/zafqueuedinput.h"

#include "framework/core/zafeventmanager.h"
#include "framework/core/zafeventrecord.h"

bool ZafDropQueuedHead(ZafEventManager* events, int32_t category) {
  ZafEventRecord head;
  if (!events || !events->TakeQueued(head)) {
    return false;
  }
  if (ZafEventRecord::Category(head) == category) {
    return true;
  }
  // Taking the head made room, so putting it back in front cannot fail.
  events->Put(head, 0);
  return false;
}
