#include "foundation/kperiodictask.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "foundation/ktime.h"

namespace {

// Records each tick as "<name>@<tick>" into a shared log.
class RecordingTask : public KPeriodicTask {
 public:
  RecordingTask(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
  ~RecordingTask() override { Stop(); }

  std::function<void()> onTick;

 protected:
  void Tick(uint32_t tickCount) override {
    log.push_back(name + "@" + std::to_string(tickCount));
    if (onTick) {
      onTick();
    }
  }

 private:
  std::string name;
  std::vector<std::string>& log;
};

using Log = std::vector<std::string>;

TEST(KPeriodicTask, StartsPausedAndTicksOnlyWhileRunning) {
  KPeriodicTask::VirtualClock clock(1000);
  Log log;
  RecordingTask task("a", log);
  ASSERT_TRUE(task.Start(100, 1, 32768));
  EXPECT_FALSE(task.IsRunning());
  clock.Advance(250);
  EXPECT_TRUE(log.empty());

  task.Resume();
  EXPECT_TRUE(task.IsRunning());
  clock.Advance(150);  // 1250 -> 1400: the periods end at 1300 and 1400
  EXPECT_EQ(log, (Log{"a@1300", "a@1400"}));

  task.Pause();
  EXPECT_FALSE(task.IsRunning());
  clock.Advance(300);
  EXPECT_EQ(log.size(), 2u);

  task.Resume();
  clock.Advance(100);
  EXPECT_EQ(log.back(), "a@1800") << "pausing keeps the phase of the period";
}

TEST(KPeriodicTask, StopEndsTicksAndAllowsANewStart) {
  KPeriodicTask::VirtualClock clock;
  Log log;
  RecordingTask task("a", log);
  ASSERT_TRUE(task.Start(10, 0, 0));
  EXPECT_FALSE(task.Start(10, 0, 0)) << "already started";
  task.Resume();
  task.Stop();
  EXPECT_FALSE(task.IsRunning());
  clock.Advance(100);
  EXPECT_TRUE(log.empty());
  task.Stop();  // harmless again

  ASSERT_TRUE(task.Start(30, 0, 0));
  task.Resume();
  clock.Advance(60);
  EXPECT_EQ(log, (Log{"a@130", "a@160"}));
}

TEST(KPeriodicTask, RefusesPeriodsBelowOneMillisecond) {
  KPeriodicTask::VirtualClock clock;
  Log log;
  RecordingTask task("a", log);
  for (int32_t period : {0, -1, -500}) {
    SCOPED_TRACE(period);
    EXPECT_FALSE(task.Start(period, 0, 0));
  }
}

TEST(KPeriodicTask, TasksTickInTimeOrderAndStartOrderOnTies) {
  KPeriodicTask::VirtualClock clock;
  Log log;
  RecordingTask slow("slow", log);
  RecordingTask fast("fast", log);
  ASSERT_TRUE(slow.Start(20, 0, 0));
  ASSERT_TRUE(fast.Start(10, 0, 0));
  slow.Resume();
  fast.Resume();
  clock.Advance(40);
  EXPECT_EQ(log, (Log{"fast@10", "slow@20", "fast@20", "fast@30", "slow@40", "fast@40"}));
  EXPECT_EQ(clock.Now(), 40u);
}

TEST(KPeriodicTask, TickCountWrapsWithoutLosingPeriods) {
  KPeriodicTask::VirtualClock clock(0xFFFFFFF0u);
  Log log;
  RecordingTask task("a", log);
  ASSERT_TRUE(task.Start(16, 0, 0));
  task.Resume();
  clock.Advance(48);
  EXPECT_EQ(log, (Log{"a@0", "a@16", "a@32"}));
}

TEST(KPeriodicTask, TickMayStopItsOwnTask) {
  KPeriodicTask::VirtualClock clock;
  Log log;
  RecordingTask task("a", log);
  task.onTick = [&] { task.Stop(); };
  ASSERT_TRUE(task.Start(5, 0, 0));
  task.Resume();
  clock.Advance(50);
  EXPECT_EQ(log, (Log{"a@5"}));
}

TEST(KPeriodicTask, TickCountFollowsTheVirtualClockWhileItExists) {
  {
    KPeriodicTask::VirtualClock clock(777);
    EXPECT_EQ(KGetTickCount(), 777u);
    clock.Advance(23);
    EXPECT_EQ(KGetTickCount(), 800u);
  }
  EXPECT_EQ(KPeriodicTask::VirtualClock::Installed(), nullptr);
}

TEST(KPeriodicTask, ResumeBeforeStartDoesNothing) {
  KPeriodicTask::VirtualClock clock;
  Log log;
  RecordingTask task("a", log);
  task.Resume();
  EXPECT_FALSE(task.IsRunning());
  ASSERT_TRUE(task.Start(10, 0, 0));
  clock.Advance(50);
  EXPECT_TRUE(log.empty()) << "Start always begins paused";
}

TEST(KPeriodicTask, RealThreadTicksAfterResumeAndNeverAfterStop) {
  ASSERT_EQ(KPeriodicTask::VirtualClock::Installed(), nullptr);
  std::mutex mutex;
  std::condition_variable ticked;
  int ticks = 0;
  Log unused;
  RecordingTask task("real", unused);
  task.onTick = [&] {
    std::lock_guard lock(mutex);
    ++ticks;
    ticked.notify_all();
  };
  ASSERT_TRUE(task.Start(1, 1, 32768));
  task.Resume();
  {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(ticked.wait_for(lock, std::chrono::milliseconds(800), [&] { return ticks >= 3; }));
  }
  task.Stop();
  task.Resume();
  EXPECT_FALSE(task.IsRunning()) << "a stopped task cannot be resumed without a new Start";
  EXPECT_EQ(unused.size(), static_cast<size_t>(ticks));
}

TEST(KPeriodicTask, RealThreadStoppedFromTickEndsAndCanStartAgain) {
  std::mutex mutex;
  std::condition_variable ticked;
  int ticks = 0;
  Log unused;
  RecordingTask task("real", unused);
  task.onTick = [&] {
    task.Stop();
    std::lock_guard lock(mutex);
    ++ticks;
    ticked.notify_all();
  };
  auto waitForTicks = [&](int wanted) {
    std::unique_lock lock(mutex);
    return ticked.wait_for(lock, std::chrono::milliseconds(800), [&] { return ticks >= wanted; });
  };
  ASSERT_TRUE(task.Start(1, 0, 0));
  task.Resume();
  ASSERT_TRUE(waitForTicks(1));
  ASSERT_TRUE(task.Start(1, 0, 0)) << "waits for the worker that stopped itself";
  EXPECT_EQ(ticks, 1) << "the stopped worker ticked no more";
  task.Resume();
  ASSERT_TRUE(waitForTicks(2));
  task.Stop();
  EXPECT_EQ(ticks, 2);
}

}  // namespace
