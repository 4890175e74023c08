// The event manager: a queue of at most 100 event records taken from a fixed pool (queueing never
// allocates), the list of input devices, and the switch that lets the native half read native input. Any
// thread may put an event in the queue; a put wakes the loop waiting for input.
#ifndef FRAMEWORK_CORE_ZAFEVENTMANAGER_H
#define FRAMEWORK_CORE_ZAFEVENTMANAGER_H

#include <cstdint>
#include <mutex>

#include "framework/core/zafeventrecord.h"
#include "framework/core/zafeventtypes.h"
#include "framework/data/zaflist.h"
#include "framework/data/zaflistblock.h"

class ZafDevice;
class ZafWindowObject;

// Put placement: append at the end of the queue (otherwise the record goes in front of the head). For Get
// and the queue's look-ups: take from the end instead of the head.
inline constexpr uint32_t Q_END = 2;
// Get flags: answer at once instead of waiting for a native message; leave the event in the queue; read no
// native messages and poll no devices.
inline constexpr uint32_t Q_NO_BLOCK = 1;
inline constexpr uint32_t Q_NO_DESTROY = 4;
inline constexpr uint32_t Q_NO_POLL = 8;

// Get's answers, and the event type it gives when nothing was there.
inline constexpr int32_t Q_EVENT_TAKEN = 0;
inline constexpr int32_t Q_NO_EVENT = -2;
inline constexpr int32_t E_NO_EVENT = 9999;

class ZafEventManager {
 public:
  static constexpr int kQueueSize = 100;

  ZafEventManager();
  ZafEventManager(const ZafEventManager&) = delete;
  ZafEventManager& operator=(const ZafEventManager&) = delete;
  virtual ~ZafEventManager();

  // Copies the record into a free queue element: at the end with Q_END, else in front of the head, and
  // wakes the program's loop. False, with nothing queued, when the queue is full.
  bool Put(const ZafEventRecord& event, uint32_t flags = Q_END);
  // Takes the record at the head of the queue (with Q_END, at its end); false when the queue is empty.
  bool TakeQueued(ZafEventRecord& event, uint32_t flags = 0);
  // Copies the record at the head (with Q_END, at the end) and leaves it queued; false when empty.
  bool PeekQueued(ZafEventRecord& event, uint32_t flags = 0) const;
  // Takes the first queued record of that type out, wherever it lies, and leaves the others in their
  // order; false when none is queued.
  bool TakeQueuedType(ZafEventType type);
  // The next event for the program's loop, reading the native message queue and polling the devices as
  // the Q_ flags allow. Q_EVENT_TAKEN, or Q_NO_EVENT with the event's type set to E_NO_EVENT when nothing
  // can be had: without waiting (Q_NO_BLOCK), with an empty queue and nothing to read (Q_NO_POLL), or when
  // the native queue cannot be read. Implemented by the native back-end.
  int32_t Get(ZafEventRecord& event, uint32_t flags = 0);
  int QueuedCount() const;
  // A deleted object leaves no trace in the queue: records about it (as their object or the object they
  // are addressed to) are dropped, and positions given in its coordinates count as untranslated.
  void ForgetObject(const ZafWindowObject* object);
  // The records that `sender` or an object inside it sent (a pop-up menu's choice, sent by one of its
  // items) are addressed to `receiver` instead and name no sender: they are served even after the sender
  // is deleted, and are still dropped with the receiver.
  void HandOver(const ZafWindowObject* sender, ZafWindowObject* receiver);

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
  // The element Q_END selects: the head or the end of the queue, or null when it is empty.
  ZafElement* QueuedElement(uint32_t flags) const;
  // Runs every device's Poll in list order.
  void PollDevices();
  // Ends the native wait for input. Implemented by the native back-end.
  static void WakeReader();

  // Guards the queue against puts from other threads; tests hold it as such a put does.
  friend class EventQueueLock;
  mutable std::mutex queueMutex;
  ZafListBlock queueBlock;
  ZafList devices;
};

#endif
