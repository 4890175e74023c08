#include "model/qvchange.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "foundation/klog.h"
#include "foundation/tests/ktempfolder.h"
#include "model/tests/qvmodeltestsupport.h"

namespace {

// True when another thread can take the event's lock at once (the lock is recursive, so this thread
// always could).
bool LockIsFree(QvEvent& event) {
  bool taken = false;
  std::thread other([&] {
    taken = event.Mutex().Lock(1);
    if (taken) {
      event.Mutex().Unlock();
    }
  });
  other.join();
  return taken;
}

// A listener that throws when it receives a message with any of the given flags.
class ThrowingListener : public KMessageObject {
 public:
  explicit ThrowingListener(uint32_t flags) : flags(flags) {}
  int32_t Receive(KMessage& message) override {
    if ((message.code & flags) != 0) {
      throw std::runtime_error("listener broke");
    }
    return 0;
  }
  uint32_t flags;
};

}  // namespace

TEST(QvChange, TheLockIsHeldFromTheBeginOfAChangeToItsEnd) {
  QvEvent event;
  event.NewFromSchedule(1, 0);
  struct Prober : KMessageObject {
    explicit Prober(QvEvent& event) : event(event) {}
    int32_t Receive(KMessage& message) override {
      bool taken = false;
      std::thread other([&] {
        taken = event.Mutex().Lock(1);
        if (taken) {
          event.Mutex().Unlock();
        }
      });
      other.join();
      (message.code & KMessage::kBefore) != 0 ? freeAtBegin.push_back(taken) : freeAtEnd.push_back(taken);
      return 0;
    }
    QvEvent& event;
    std::vector<bool> freeAtBegin;
    std::vector<bool> freeAtEnd;
  } prober(event);
  event.AddListener(&prober);
  event.SetTitle(u"Final");
  event.RemoveListener(&prober);
  EXPECT_EQ(prober.freeAtBegin, std::vector<bool>{false});
  EXPECT_EQ(prober.freeAtEnd, std::vector<bool>{false});
  EXPECT_TRUE(LockIsFree(event));
}

TEST(QvChange, AListenerThatThrowsAtTheBeginStopsTheChangeAndFreesTheLock) {
  QvEvent event;
  event.SetTitle(u"kept");
  event.SetModified(false);
  ThrowingListener listener(KMessage::kBeginBatch);
  event.AddListener(&listener);
  EXPECT_THROW(event.SetTitle(u"changed"), std::runtime_error);
  EXPECT_EQ(Narrow(event.GetTitle()), "kept");
  EXPECT_FALSE(event.IsModified());
  EXPECT_TRUE(LockIsFree(event));
  // The document goes on working once the listener is gone.
  event.RemoveListener(&listener);
  event.SetTitle(u"changed");
  EXPECT_EQ(Narrow(event.GetTitle()), "changed");
  EXPECT_TRUE(LockIsFree(event));
}

TEST(QvChange, AListenerThatThrowsAtTheEndIsLoggedAndTheChangeStands) {
  KTempFolder folder;
  const std::string logPath = folder.Path() + "/model.log";
  KLog log(logPath);
  KLog::SetProgramLog(&log);
  QvEvent event;
  event.NewFromSchedule(1, 0);
  event.SetModified(false);
  ThrowingListener listener(KMessage::kEndBatch);
  event.AddListener(&listener);
  QvResult* result = event.Leg(0)->Results().NewResult();
  result->SetPower(1500);
  event.SetTitle(u"changed");
  KLog::SetProgramLog(nullptr);
  EXPECT_NE(result, nullptr);
  EXPECT_EQ(event.Leg(0)->Results().Count(), 1);
  EXPECT_EQ(result->GetPower(), 1500);
  EXPECT_EQ(Narrow(event.GetTitle()), "changed");
  EXPECT_TRUE(event.IsModified());
  EXPECT_TRUE(LockIsFree(event));
  std::ifstream in(logPath);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[0].find("QvChange::~QvChange: the end of a change failed: listener broke"),
            std::string::npos);
}
