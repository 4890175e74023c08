#pragma once
// KPeriodicTask: the program's only source of worker threads (the scoreboard output, a serial port's repeat
// sender, the menu watchdog). A task's Tick runs on its own thread once per period while the task runs.

#include <pthread.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

// A worker thread that waits on its wake event with the period as time-out and, while running, calls Tick
// with the current millisecond tick count. Start creates the thread paused; Resume and Pause switch ticking
// on and off; Stop wakes the thread and waits for it to end.
//
// A derived class calls Stop in its own destructor: by the time the base destructor runs, the derived part
// that Tick uses is already gone, so the base's own Stop is only the last guard.
class KPeriodicTask {
 public:
  class VirtualClock;

  KPeriodicTask() = default;
  virtual ~KPeriodicTask();
  KPeriodicTask(const KPeriodicTask&) = delete;
  KPeriodicTask& operator=(const KPeriodicTask&) = delete;

  // Creates the worker paused. priority: 0 normal, 1 above normal, 2 highest, 15 time critical, negative
  // values below normal; it becomes a nice value as far as the system allows (a refused raise is not an
  // error). stackBytes is a lower bound: the thread gets at least 256 KiB. False when the task is already
  // started, the period is below 1 ms, the thread cannot be made, or Tick calls it on a task it stopped.
  bool Start(int32_t periodMs, int32_t priority, int32_t stackBytes);
  void Resume();
  void Pause();
  bool IsRunning() const;
  // Wakes the worker and waits for it to end; harmless on a task that is not started. Called from Tick,
  // it lets the worker end after that tick; a later Stop, Start or the destructor waits for it.
  void Stop();

 protected:
  // Called on the worker thread once per period while the task runs, with the tick count of the moment.
  virtual void Tick(uint32_t tickCount) = 0;

 private:
  static void* ThreadMain(void* task);
  void WorkerLoop();
  void ApplyPriority() const;

  int32_t periodMs = 0;
  int32_t priority = 0;
  bool started = false;
  bool running = false;
  bool stopRequested = false;
  bool ownThread = false;  // a real worker thread exists and must be joined
  pthread_t thread{};
  VirtualClock* itsClock = nullptr;  // set while a virtual clock drives the task instead of a thread
  mutable std::mutex stateMutex;
  std::condition_variable wakeEvent;
};

// Drives periodic tasks on a virtual clock, for tests: while one exists, tasks started create no thread;
// Advance moves the clock forward and calls each running task's Tick at every whole period since its Start,
// in time order, on the calling thread. KGetTickCount reads the virtual time too. One virtual clock at a
// time.
class KPeriodicTask::VirtualClock {
 public:
  explicit VirtualClock(uint32_t startTick = 0);
  ~VirtualClock();
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;

  uint32_t Now() const { return now; }
  void Advance(uint32_t milliseconds);

  // The clock that tasks started now attach to, or null for real threads.
  static VirtualClock* Installed();

 private:
  friend class KPeriodicTask;
  struct Entry {
    KPeriodicTask* task;
    uint32_t due;
  };
  void Attach(KPeriodicTask* task);
  void Detach(KPeriodicTask* task);

  uint32_t now;
  std::vector<Entry> entries;  // in Start order, which breaks ties between tasks due at the same tick
};
