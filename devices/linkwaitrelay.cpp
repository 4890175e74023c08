#include "devices/linkwaitrelay.h"

void LinkWaitRelay::Busy(bool busy) {
  if (program != nullptr) {
    program->Busy(busy);
  }
}

void LinkWaitRelay::Serve() {
  if (serveLink) {
    serveLink();
  }
  if (program != nullptr) {
    program->Serve();
  }
}

bool LinkWaitRelay::WaitsEnd() const {
  return program != nullptr && program->WaitsEnd();
}
