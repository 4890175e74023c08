#include <gtest/gtest.h>
#include <unistd.h>

#include "native/user/waitset.h"

namespace native::test {

namespace {

// A pipe nothing is written to: waiting on it alone would block.
class QuietPipe {
 public:
  QuietPipe() { EXPECT_EQ(pipe(fds_), 0); }
  ~QuietPipe() {
    close(fds_[0]);
    close(fds_[1]);
  }
  int readEnd() const { return fds_[0]; }

 private:
  int fds_[2]{-1, -1};
};

}  // namespace

TEST(WaitSetBeforeWait, RunsAtEveryWaitAndInputItQueuedKeepsTheWaitFromBlocking) {
  QuietPipe quiet;
  WaitSet waits;
  int runs = 0;
  bool queuedInput = false;
  waits.setBeforeWait([&](WaitSet::Screen) {
    ++runs;
    return queuedInput;
  });
  EXPECT_FALSE(waits.wait(quiet.readEnd(), 0));
  EXPECT_EQ(runs, 1);
  // With input queued by the hook, a wait without limit only looks.
  queuedInput = true;
  EXPECT_FALSE(waits.wait(quiet.readEnd(), -1));
  EXPECT_EQ(runs, 2);
  waits.setBeforeWait(nullptr);
  EXPECT_FALSE(waits.wait(quiet.readEnd(), 0));
  EXPECT_EQ(runs, 2);
}

}  // namespace native::test
