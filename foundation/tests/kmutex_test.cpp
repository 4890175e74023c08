#include "foundation/kmutex.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace {

// Runs `attempt` on another thread and gives its answer: whether that thread got the lock (it lets go
// again at once).
bool OtherThreadGets(KMutex& mutex, int32_t timeoutMs) {
  return std::async(std::launch::async,
                    [&] {
                      bool got = mutex.Lock(timeoutMs);
                      if (got) {
                        mutex.Unlock();
                      }
                      return got;
                    })
      .get();
}

TEST(KMutex, TimesOutWhileAnotherThreadHoldsIt) {
  KMutex mutex;
  ASSERT_TRUE(mutex.Lock(-1));
  for (int32_t timeout : {0, 1, 20}) {
    SCOPED_TRACE(timeout);
    EXPECT_FALSE(OtherThreadGets(mutex, timeout));
  }
  mutex.Unlock();
  EXPECT_TRUE(OtherThreadGets(mutex, 0));
}

TEST(KMutex, OwnerTakesItAgainAndMustReleaseEveryTime) {
  KMutex mutex;
  ASSERT_TRUE(mutex.Lock(0));
  ASSERT_TRUE(mutex.Lock(5));
  ASSERT_TRUE(mutex.Lock(-1));
  mutex.Unlock();
  mutex.Unlock();
  EXPECT_FALSE(OtherThreadGets(mutex, 0)) << "one Lock is still outstanding";
  mutex.Unlock();
  EXPECT_TRUE(OtherThreadGets(mutex, 0));
}

TEST(KMutex, LockOfADeadOwnerIsAcquired) {
  KMutex mutex;
  std::thread([&] { ASSERT_TRUE(mutex.Lock(-1)); }).join();
  ASSERT_TRUE(mutex.Lock(50));
  mutex.Unlock();
  EXPECT_TRUE(OtherThreadGets(mutex, 0)) << "the lock works normally after it was recovered";
}

TEST(KMutex, WaitingForEverGetsTheLockWhenTheOwnerLetsGo) {
  KMutex mutex;
  std::promise<void> held;
  std::promise<void> release;
  std::thread owner([&] {
    mutex.Lock(-1);
    held.set_value();
    release.get_future().wait();
    mutex.Unlock();
  });
  held.get_future().wait();
  auto waiter = std::async(std::launch::async, [&] {
    bool got = mutex.Lock(-1);
    mutex.Unlock();
    return got;
  });
  release.set_value();
  EXPECT_TRUE(waiter.get());
  owner.join();
}

}  // namespace
