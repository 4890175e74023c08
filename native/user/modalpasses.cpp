#include "native/user/modalpasses.h"

#include <utility>

#include "native/user/messageapi.h"

namespace native {

namespace {

using Clock = std::chrono::steady_clock;

std::function<void()>& service() {
  static std::function<void()> serve;
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

void ModalPasses::SetService(std::function<void()> serve) {
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

ModalPasses::ModalPasses() : lastServed(Clock::now()) {
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
  const Clock::time_point now = Clock::now();
  if (serving || now - lastServed < std::chrono::milliseconds(kServeEveryMs)) {
    return;
  }
  lastServed = now;
  if (service()) {
    serving = true;
    service()();
    serving = false;
  }
}

void ModalPasses::wait() {
  const auto due = lastServed + std::chrono::milliseconds(kServeEveryMs);
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count();
  WaitForInput(left > 0 ? static_cast<DWORD>(left) : 0);
  serve();
}

}  // namespace native
