#include "native/user/modalpasses.h"

#include <utility>

#include "native/user/messageapi.h"

namespace native {

namespace {

using Clock = std::chrono::steady_clock;

std::function<DWORD()>& service() {
  static std::function<DWORD()> serve;
  return serve;
}
std::function<void()>& closeRequest() {
  static std::function<void()> close;
  return close;
}
// Modal loops open, nested in one another.
int openLoops = 0;
bool endRequested = false;
// What is served may look at the queue, but never serves again inside itself.
bool serving = false;

}  // namespace

void ModalPasses::SetService(std::function<DWORD()> serve) {
  service() = std::move(serve);
}

void ModalPasses::SetCloseRequest(std::function<void()> close) {
  closeRequest() = std::move(close);
}

const std::function<void()>& ModalPasses::CloseRequest() {
  return closeRequest();
}

void ModalPasses::EndAll() {
  endRequested = openLoops > 0;
}

// The first pass serves.
ModalPasses::ModalPasses() : lastServed(Clock::now() - std::chrono::milliseconds(kServeEveryMs)) {
  ++openLoops;
}

ModalPasses::~ModalPasses() {
  if (--openLoops == 0) {
    endRequested = false;
  }
}

bool ModalPasses::ending() const {
  return endRequested;
}

void ModalPasses::serve() {
  if (Clock::now() - lastServed >= std::chrono::milliseconds(kServeEveryMs)) {
    serveNow();
  }
}

void ModalPasses::wait() {
  WaitForInput(waitMs);
  serveNow();
}

void ModalPasses::serveNow() {
  lastServed = Clock::now();
  if (serving || !service()) {
    waitMs = INFINITE;
    return;
  }
  serving = true;
  waitMs = service()();
  serving = false;
}

}  // namespace native
