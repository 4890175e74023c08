#include "framework/core/zafapplication.h"

#include "framework/core/zafdatamanager.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zaferrorsystem.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafobjectpersistence.h"
#include "framework/win32/zafmswindowsapp.h"

namespace {

ZafApplication::ServiceObserver serviceObserver = nullptr;

}  // namespace

ZafApplication::ZafApplication(int argc, ZafIChar** argv) : argc(argc), argv(argv) {
  // A service that fails to come up must not leave the ones before it running: no destructor follows a
  // constructor that throws.
  try {
    StartServices();
  } catch (...) {
    StopServices();
    throw;
  }
}

ZafApplication::~ZafApplication() {
  StopServices();
}

int32_t ZafApplication::SetStatus(int32_t newStatus) {
  status = newStatus;
  return status;
}

void ZafApplication::SetServiceObserver(ServiceObserver observer) {
  serviceObserver = observer;
}

void ZafApplication::Started(const char* name, std::function<void()> stop) {
  running.push_back({name, std::move(stop)});
  if (serviceObserver) {
    serviceObserver(name, true);
  }
}

void ZafApplication::StopServices() {
  while (!running.empty()) {
    const RunningService service = std::move(running.back());
    running.pop_back();
    service.stop();
    if (serviceObserver) {
      serviceObserver(service.name, false);
    }
  }
}
