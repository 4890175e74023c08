#include "app/linkbusy.h"

namespace {

bool busy = false;
const QvEvent* busyFor = nullptr;

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
  }
}

bool LinkBusyClaim::LinkIsBusy() {
  return busy;
}

bool LinkBusyClaim::IsBusyFor(const QvEvent* event) {
  return busy && event != nullptr && busyFor == event;
}
