// What a switched-off input device does at each poll: the event at the head of the queue is dropped when it
// is of the device's own kind, so that its input never reaches a window.
#ifndef FRAMEWORK_WIN32_ZAFQUEUEDINPUT_H
#define FRAMEWORK_WIN32_ZAFQUEUEDINPUT_H

#include <cstdint>

class ZafEventManager;

// Drops the head event when its category (ZafEventRecord::Category) is the given one; true when it did.
// Any other head event stays where it was. An empty queue or no manager drops nothing.
bool ZafDropQueuedHead(ZafEventManager* events, int32_t category);

#endif
