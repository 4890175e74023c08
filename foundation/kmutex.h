#pragma once
// KMutex: the lock that guards data shared between the GUI thread and the periodic tasks (event documents,
// scoreboards, the log, the image store).

#include <pthread.h>

#include <cstdint>

// A recursive lock with a time-out. The owning thread may take it again (each Lock needs its Unlock); a
// lock whose owner thread ended while holding it is handed to the next caller as acquired, so one crashed
// worker cannot wedge the program.
class KMutex {
 public:
  KMutex();
  ~KMutex();
  KMutex(const KMutex&) = delete;
  KMutex& operator=(const KMutex&) = delete;

  // Waits at most timeoutMs milliseconds for the lock (0 only tries, negative waits for ever); true when
  // the calling thread now holds it.
  bool Lock(int32_t timeoutMs = -1);
  void Unlock();

 private:
  bool Acquired(int result);

  pthread_mutex_t mutex;
};

// Releases a KMutex that the caller already holds when the scope ends, so that every return path (an
// exception included) lets go of the lock it took.
class KMutexHold {
 public:
  explicit KMutexHold(KMutex& mutex) : mutex(mutex) {}
  ~KMutexHold() { mutex.Unlock(); }
  KMutexHold(const KMutexHold&) = delete;
  KMutexHold& operator=(const KMutexHold&) = delete;

 private:
  KMutex& mutex;
};
