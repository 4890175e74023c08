// The event manager: a queue of at most 100 event records taken from a fixed pool (queueing never
// allocates), the list of input devices, and the switch that lets the native half read native input.
#ifndef FRAMEWORK_CORE_ZAFEVENTMANAGER_H
#define FRAMEWORK_CORE_ZAFEVENTMANAGER_H

#include <cstdint>

#include "framework/core/zafeventrecord.h"
#include "framework/data/zaflist.h"
#include "framework/data/zaflistblock.h"

class ZafDevice;

// Put placement: append at the end of the queue (otherwise the record goes in front of the head).
inline constexpr uint32_t Q_END = 2;

class ZafEventManager {
 public:
  static constexpr int kQueueSize = 100;

  ZafEventManager();
  ZafEventManager(const ZafEventManager&) = delete;
  ZafEventManager& operator=(const ZafEventManager&) = delete;
  virtual ~ZafEventManager();

  // Copies the record into a free queue element: at the end with Q_END, else in front of the head.
  // False, with nothing queued, when the queue is full.
  bool Put(const ZafEventRecord& event, uint32_t flags = Q_END);
  // Takes the record at the head of the queue; false when the queue is empty.
  bool TakeQueued(ZafEventRecord& event);
  int QueuedCount() const { return queueBlock.Count(); }

  // The manager owns its devices. A device already in a list is refused (null).
  ZafDevice* Add(ZafDevice* device);
  // Unlinks the device without deleting it; null when it is not one of this manager's.
  ZafDevice* Subtract(ZafDevice* device);
  // The first device of that type, or null.
  ZafDevice* Device(int32_t deviceType) const;

  // A request to the device of that type; its reply, or 0 when there is no such device.
  int32_t SendToDevice(int32_t deviceType, int32_t requestCode);
  // Hands the event to every device of that type.
  void SendToDevices(const ZafEventRecord& event, int32_t deviceType);

  // Non-zero lets the native half read native messages without waiting for them.
  int32_t nativeInput = 0;

 private:
  ZafListBlock queueBlock;
  ZafList devices;
};

#endif
