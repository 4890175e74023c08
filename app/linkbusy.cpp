#include "app/linkbusy.h"

#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowobject.h"

namespace {

bool busy = false;
const QvEvent* busyFor = nullptr;
bool exitKept = false;

}  // namespace

LinkBusyClaim::LinkBusyClaim(const QvEvent* event) : owned(!busy) {
  if (owned) {
    busy = true;
    busyFor = event;
  }
}

LinkBusyClaim::~LinkBusyClaim() {
  if (owned) {
    busy = false;
    busyFor = nullptr;
    QueueKeptExit();
  }
}

bool LinkBusyClaim::LinkIsBusy() {
  return busy;
}

bool LinkBusyClaim::IsBusyFor(const QvEvent* event) {
  return busy && event != nullptr && busyFor == event;
}

void LinkBusyClaim::KeepExit() {
  exitKept = busy;
}

void LinkBusyClaim::QueueExit() {
  exitKept = true;
  QueueKeptExit();
}

void LinkBusyClaim::QueueKeptExit() {
  if (!exitKept || busy) {
    return;
  }
  // A full queue keeps the exit for the next try; without a queue there is no loop to end.
  ZafEventManager* queue = ZafWindowObject::eventManager;
  exitKept = queue != nullptr && !queue->Put(ZafEventRecord(ExitEvent, 0), Q_END);
}
