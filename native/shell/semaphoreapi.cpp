#include "native/shell/semaphoreapi.h"

#include <memory>
#include <mutex>
#include <optional>

#include "native/shell/namedcounter.h"
#include "native/user/handletable.h"

namespace native {

namespace {

// Semaphores are the only kernel objects with handles of their own; any thread may use them.
struct Handles {
  std::mutex mutex;
  HandleTable<NamedCounter, HANDLE> table;
};

Handles& handles() {
  static Handles instance;
  return instance;
}

HANDLE hold(const char* name, NamedCounter::Mode mode, LONG initial, LONG maximum) {
  if (name == nullptr) {
    return nullptr;
  }
  std::unique_ptr<NamedCounter> counter = NamedCounter::open(name, mode, initial, maximum, nullptr);
  if (counter == nullptr) {
    return nullptr;
  }
  std::lock_guard<std::mutex> guard(handles().mutex);
  return handles().table.add(std::move(counter));
}

}  // namespace

HANDLE CreateSemaphoreA(void*, LONG initial, LONG maximum, const char* name) {
  return hold(name, NamedCounter::Mode::OpenOrCreate, initial, maximum);
}

HANDLE OpenSemaphoreA(DWORD, BOOL, const char* name) {
  return hold(name, NamedCounter::Mode::OpenExisting, 0, 0);
}

BOOL ReleaseSemaphore(HANDLE semaphore, LONG count, LONG* previous) {
  std::lock_guard<std::mutex> guard(handles().mutex);
  NamedCounter* counter = handles().table.find(semaphore);
  std::optional<LONG> before = counter == nullptr ? std::nullopt : counter->release(count);
  if (!before.has_value()) {
    return FALSE;
  }
  if (previous != nullptr) {
    *previous = *before;
  }
  return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
  std::lock_guard<std::mutex> guard(handles().mutex);
  return handles().table.remove(handle) != nullptr ? TRUE : FALSE;
}

}  // namespace native
