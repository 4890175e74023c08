#include "framework/core/zafeventmanager.h"

#include "framework/core/zafdevice.h"
#include "framework/core/zafwindowobject.h"

namespace {

// A queue slot: one record of the pool.
class QueueElement : public ZafElement {
 public:
  ZafEventRecord event;
};

}  // namespace

ZafEventManager::ZafEventManager() {
  for (int i = 0; i < kQueueSize; ++i) {
    queueBlock.AddFreeElement(new QueueElement);
  }
}

ZafEventManager::~ZafEventManager() = default;

bool ZafEventManager::Put(const ZafEventRecord& event, uint32_t flags) {
  {
    std::lock_guard lock(queueMutex);
    auto* element = static_cast<QueueElement*>(queueBlock.TakeFreeElement());
    if (!element) {
      return false;
    }
    element->event = event;
    queueBlock.Insert(element, (flags & Q_END) ? nullptr : queueBlock.First());
  }
  WakeReader();
  return true;
}

int ZafEventManager::QueuedCount() const {
  std::lock_guard lock(queueMutex);
  return queueBlock.Count();
}

ZafElement* ZafEventManager::QueuedElement(uint32_t flags) const {
  return (flags & Q_END) ? queueBlock.Last() : queueBlock.First();
}

bool ZafEventManager::PeekQueued(ZafEventRecord& event, uint32_t flags) const {
  std::lock_guard lock(queueMutex);
  const auto* element = static_cast<const QueueElement*>(QueuedElement(flags));
  if (!element) {
    return false;
  }
  event = element->event;
  return true;
}

bool ZafEventManager::TakeQueued(ZafEventRecord& event, uint32_t flags) {
  std::lock_guard lock(queueMutex);
  auto* element = static_cast<QueueElement*>(QueuedElement(flags));
  if (!element) {
    return false;
  }
  event = element->event;
  // The pooled copy lets go of any text now, so the taker holds the only reference.
  element->event.Clear();
  queueBlock.Release(element);
  return true;
}

bool ZafEventManager::TakeQueuedType(ZafEventType type) {
  std::lock_guard lock(queueMutex);
  for (ZafElement* element = queueBlock.First(); element; element = element->Next()) {
    ZafEventRecord& event = static_cast<QueueElement*>(element)->event;
    if (event.type == type) {
      event.Clear();
      queueBlock.Release(element);
      return true;
    }
  }
  return false;
}

void ZafEventManager::ForgetObject(const ZafWindowObject* object) {
  std::lock_guard lock(queueMutex);
  for (ZafElement* element = queueBlock.First(); element;) {
    ZafElement* next = element->Next();
    ZafEventRecord& event = static_cast<QueueElement*>(element)->event;
    if (event.windowObject == object || event.addressedObject == object) {
      event.Clear();
      queueBlock.Release(element);
    } else if (event.referenceObject == object) {
      event.referenceObject = nullptr;
    }
    element = next;
  }
}

void ZafEventManager::HandOver(const ZafWindowObject* sender, ZafWindowObject* receiver) {
  std::lock_guard lock(queueMutex);
  for (ZafElement* element = queueBlock.First(); element; element = element->Next()) {
    ZafEventRecord& event = static_cast<QueueElement*>(element)->event;
    for (const ZafWindowObject* object = event.windowObject; object; object = object->Parent()) {
      if (object == sender) {
        event.windowObject = nullptr;
        event.addressedObject = receiver;
        break;
      }
    }
  }
}

ZafDevice* ZafEventManager::Add(ZafDevice* device) {
  return static_cast<ZafDevice*>(devices.Add(device));
}

ZafDevice* ZafEventManager::Subtract(ZafDevice* device) {
  return static_cast<ZafDevice*>(devices.Subtract(device));
}

void ZafEventManager::PollDevices() {
  for (auto* element = devices.First(); element;) {
    // A device may take itself out of the list while it polls.
    auto* next = element->Next();
    static_cast<ZafDevice*>(element)->Poll();
    element = next;
  }
}

ZafDevice* ZafEventManager::Device(int32_t deviceType) const {
  for (auto* element = devices.First(); element; element = element->Next()) {
    auto* device = static_cast<ZafDevice*>(element);
    if (device->deviceType == deviceType) {
      return device;
    }
  }
  return nullptr;
}

int32_t ZafEventManager::SendToDevice(int32_t deviceType, int32_t requestCode) {
  ZafDevice* device = Device(deviceType);
  return device ? device->Event(ZafEventRecord(requestCode, 0)) : 0;
}

void ZafEventManager::SendToDevices(const ZafEventRecord& event, int32_t deviceType) {
  for (auto* element = devices.First(); element;) {
    // A device may take itself out of the list while it handles the event.
    auto* next = element->Next();
    auto* device = static_cast<ZafDevice*>(element);
    if (device->deviceType == deviceType) {
      device->Event(event);
    }
    element = next;
  }
}
