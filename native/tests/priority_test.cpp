#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "native/shell/priority.h"

namespace native::test {

namespace {

int threadNice() {
  errno = 0;
  return getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
}

// Runs the body on a thread of its own: nice values are per thread, so nothing leaks into other tests.
template <typename Body>
void onOwnThread(Body body) {
  std::thread thread(body);
  thread.join();
}

}  // namespace

TEST(Priority, LowerRequestsLeaveTheThreadAtItsLevel) {
  onOwnThread([] {
    int before = threadNice();
    EXPECT_EQ(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST), TRUE);
    EXPECT_EQ(SetPriorityClass(GetCurrentProcess(), IDLE_PRIORITY_CLASS), TRUE);
    EXPECT_EQ(SetThreadPriority(GetCurrentThread(), -15), TRUE);
    EXPECT_EQ(threadNice(), before);
  });
}

TEST(Priority, HigherRequestsRaiseAtMostModestlyAndAlwaysSucceed) {
  onOwnThread([] {
    int before = threadNice();
    EXPECT_EQ(SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS), TRUE);
    EXPECT_EQ(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST), TRUE);
    int after = threadNice();
    // Raised to -5 where the system allows it, unchanged where it does not.
    EXPECT_TRUE(after == before || after == -5) << before << " -> " << after;
    EXPECT_LE(after, before);
  });
}

TEST(Priority, OtherHandlesAreAnsweredWithoutEffect) {
  onOwnThread([] {
    int before = threadNice();
    EXPECT_EQ(SetThreadPriority(nullptr, THREAD_PRIORITY_HIGHEST), TRUE);
    EXPECT_EQ(SetPriorityClass(nullptr, HIGH_PRIORITY_CLASS), TRUE);
    EXPECT_EQ(threadNice(), before);
  });
}

}  // namespace native::test
