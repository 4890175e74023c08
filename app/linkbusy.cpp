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
    if (exitKept && ZafWindowObject::eventManager) {
      ZafWindowObject::eventManager->Put(ZafEventRecord(ExitEvent, 0), Q_END);
    }
    exitKept = false;
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
