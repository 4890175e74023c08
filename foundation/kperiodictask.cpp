#include "foundation/kperiodictask.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "foundation/ktime.h"

namespace {

// Tick code and the sanitizers need far more stack than the 32 KiB some callers ask for.
constexpr size_t kMinimumStackBytes = 256 * 1024;

KPeriodicTask::VirtualClock* installedClock = nullptr;

// Nice value of a task priority: each step above normal is five nice steps, time critical the highest.
int NiceValue(int32_t priority) {
  int32_t step = std::clamp(priority, -2, 2);
  if (priority >= 15) {
    step = 4;
  } else if (priority <= -15) {
    step = -4;
  }
  return -5 * step;
}

}  // namespace

KPeriodicTask::~KPeriodicTask() {
  Stop();
}

bool KPeriodicTask::Start(int32_t newPeriodMs, int32_t newPriority, int32_t stackBytes) {
  std::unique_lock lock(stateMutex);
  if (started || newPeriodMs < 1) {
    return false;
  }
  if (ownThread) {
    // A worker that stopped itself from Tick is still ending: wait for it before making the next one.
    if (pthread_equal(pthread_self(), thread)) {
      return false;
    }
    lock.unlock();
    pthread_join(thread, nullptr);
    lock.lock();
    ownThread = false;
  }
  periodMs = newPeriodMs;
  priority = newPriority;
  running = false;
  stopRequested = false;
  if (VirtualClock* clock = VirtualClock::Installed()) {
    itsClock = clock;
    started = true;
    lock.unlock();
    clock->Attach(this);
    return true;
  }
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  size_t stack = std::max(kMinimumStackBytes, static_cast<size_t>(std::max(stackBytes, 0)));
  pthread_attr_setstacksize(&attributes, stack);
  int result = pthread_create(&thread, &attributes, &KPeriodicTask::ThreadMain, this);
  pthread_attr_destroy(&attributes);
  if (result != 0) {
    return false;
  }
  started = true;
  ownThread = true;
  return true;
}

void KPeriodicTask::Resume() {
  std::lock_guard lock(stateMutex);
  running = started;
}

void KPeriodicTask::Pause() {
  std::lock_guard lock(stateMutex);
  running = false;
}

bool KPeriodicTask::IsRunning() const {
  std::lock_guard lock(stateMutex);
  return running;
}

void KPeriodicTask::Stop() {
  std::unique_lock lock(stateMutex);
  const bool onWorker = ownThread && pthread_equal(pthread_self(), thread);
  if (!started && (!ownThread || onWorker)) {
    return;
  }
  started = false;
  running = false;
  stopRequested = true;
  if (VirtualClock* clock = itsClock) {
    itsClock = nullptr;
    lock.unlock();
    clock->Detach(this);
    return;
  }
  lock.unlock();
  wakeEvent.notify_all();
  if (onWorker) {
    // Stop from inside Tick: the worker ends when Tick returns; the next Stop, Start or the destructor,
    // on another thread, waits for it, so the thread never outlives the task.
    return;
  }
  pthread_join(thread, nullptr);
  lock.lock();
  ownThread = false;
}

void* KPeriodicTask::ThreadMain(void* task) {
  static_cast<KPeriodicTask*>(task)->WorkerLoop();
  return nullptr;
}

void KPeriodicTask::WorkerLoop() {
  ApplyPriority();
  std::unique_lock lock(stateMutex);
  while (!stopRequested) {
    wakeEvent.wait_for(lock, std::chrono::milliseconds(periodMs), [this] { return stopRequested; });
    if (stopRequested || !running) {
      continue;
    }
    lock.unlock();
    Tick(KGetTickCount());
    lock.lock();
  }
}

void KPeriodicTask::ApplyPriority() const {
  // Only this thread: on Linux a thread id names one thread for setpriority. Raising the priority needs a
  // privilege most users lack; the task then simply runs at normal priority.
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), NiceValue(priority));
}

KPeriodicTask::VirtualClock::VirtualClock(uint32_t startTick) : now(startTick) {
  installedClock = this;
  // Everything that reads the tick count sees the virtual time, as the tasks' own ticks do.
  KSetTickSource([] { return installedClock != nullptr ? installedClock->Now() : 0u; });
}

KPeriodicTask::VirtualClock::~VirtualClock() {
  while (!entries.empty()) {
    entries.front().task->Stop();
  }
  if (installedClock == this) {
    installedClock = nullptr;
    KSetTickSource(nullptr);
  }
}

KPeriodicTask::VirtualClock* KPeriodicTask::VirtualClock::Installed() {
  return installedClock;
}

void KPeriodicTask::VirtualClock::Advance(uint32_t milliseconds) {
  const uint32_t target = now + milliseconds;
  for (;;) {
    // The earliest due task; the first in Start order among equals. Differences keep the order right
    // across the wrap of the 32-bit tick count.
    auto next = entries.end();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
      if (static_cast<int32_t>(it->due - target) <= 0 &&
          (next == entries.end() || static_cast<int32_t>(it->due - next->due) < 0)) {
        next = it;
      }
    }
    if (next == entries.end()) {
      break;
    }
    KPeriodicTask* task = next->task;
    now = next->due;
    next->due += static_cast<uint32_t>(task->periodMs);
    // Tick may pause, resume or stop any task, so nothing of the list is held across the call.
    if (task->IsRunning()) {
      task->Tick(now);
    }
  }
  now = target;
}

void KPeriodicTask::VirtualClock::Attach(KPeriodicTask* task) {
  entries.push_back({task, now + static_cast<uint32_t>(task->periodMs)});
}

void KPeriodicTask::VirtualClock::Detach(KPeriodicTask* task) {
  std::erase_if(entries, [task](const Entry& entry) { return entry.task == task; });
}
