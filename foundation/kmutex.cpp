#include "foundation/kmutex.h"

#include <cerrno>
#include <ctime>

KMutex::KMutex() {
  pthread_mutexattr_t attributes;
  pthread_mutexattr_init(&attributes);
  pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
  // Robust: the kernel tells the next locker when the owner thread died holding the lock.
  pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST);
  pthread_mutex_init(&mutex, &attributes);
  pthread_mutexattr_destroy(&attributes);
}

KMutex::~KMutex() {
  pthread_mutex_destroy(&mutex);
}

bool KMutex::Lock(int32_t timeoutMs) {
  if (timeoutMs < 0) {
    return Acquired(pthread_mutex_lock(&mutex));
  }
  if (timeoutMs == 0) {
    return Acquired(pthread_mutex_trylock(&mutex));
  }
  // The monotonic clock, so that a change of the wall clock neither shortens nor stretches the wait.
  timespec deadline;
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  deadline.tv_sec += timeoutMs / 1000;
  deadline.tv_nsec += static_cast<long>(timeoutMs % 1000) * 1000000L;
  if (deadline.tv_nsec >= 1000000000L) {
    deadline.tv_sec += 1;
    deadline.tv_nsec -= 1000000000L;
  }
  return Acquired(pthread_mutex_clocklock(&mutex, CLOCK_MONOTONIC, &deadline));
}

void KMutex::Unlock() {
  pthread_mutex_unlock(&mutex);
}

bool KMutex::Acquired(int result) {
  if (result == EOWNERDEAD) {
    // The previous owner ended without unlocking; whatever it guarded is handed on as it stands.
    pthread_mutex_consistent(&mutex);
    return true;
  }
  return result == 0;
}
