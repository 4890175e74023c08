#include "framework/core/zafeventmanager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafdevice.h"
#include "framework/core/zafhelptips.h"
#include "framework/data/zafclassid.h"
#include "native/user/messages.h"

// Holds the queue's lock as a Put from another thread does while it links its record in.
class EventQueueLock {
 public:
  explicit EventQueueLock(ZafEventManager& manager) : lock(manager.queueMutex) {}

 private:
  std::lock_guard<std::mutex> lock;
};

namespace {

std::vector<int32_t> DrainTypes(ZafEventManager& manager) {
  std::vector<int32_t> types;
  ZafEventRecord event;
  while (manager.TakeQueued(event)) {
    types.push_back(event.type);
  }
  return types;
}

TEST(EventQueue, EndFlagAppendsAndNoFlagGoesInFrontOfTheHead) {
  ZafEventManager manager;
  manager.Put(ZafEventRecord(101, 0), Q_END);
  manager.Put(ZafEventRecord(102, 0), Q_END);
  manager.Put(ZafEventRecord(103, 0), 0);
  manager.Put(ZafEventRecord(104, 0), Q_END | 1);
  EXPECT_EQ(DrainTypes(manager), (std::vector<int32_t>{103, 101, 102, 104}));
}

TEST(EventQueue, FullQueueRefusesWithoutLosingWhatIsQueued) {
  ZafEventManager manager;
  for (int i = 0; i < ZafEventManager::kQueueSize; ++i) {
    ASSERT_TRUE(manager.Put(ZafEventRecord(1000 + i, i)));
  }
  EXPECT_FALSE(manager.Put(ZafEventRecord(5000, 0)));
  EXPECT_FALSE(manager.Put(ZafEventRecord(5001, 0), 0));
  EXPECT_EQ(manager.QueuedCount(), ZafEventManager::kQueueSize);
  ZafEventRecord event;
  ASSERT_TRUE(manager.TakeQueued(event));
  EXPECT_EQ(event.type, 1000);
  // The freed slot is used again.
  EXPECT_TRUE(manager.Put(ZafEventRecord(5002, 0)));
  const std::vector<int32_t> types = DrainTypes(manager);
  ASSERT_EQ(types.size(), 100u);
  EXPECT_EQ(types.front(), 1001);
  EXPECT_EQ(types.back(), 5002);
}

TEST(EventQueue, CopiesTheWholeRecordAndItsText) {
  ZafEventManager manager;
  ZafEventRecord event(-3600, 5, 1, 2, 3, 4, 2);
  event.modifiers = 0x1100;
  event.osEvent.message = native::WM_KEYDOWN;
  event.SetText(u"title");
  ASSERT_TRUE(manager.Put(event));
  event.SetText(u"changed after Put");

  ZafEventRecord taken;
  ASSERT_TRUE(manager.TakeQueued(taken));
  EXPECT_EQ(taken.type, -3600);
  EXPECT_EQ(taken.value, 5);
  EXPECT_EQ(taken.modifiers, 0x1100);
  EXPECT_EQ(taken.osEvent.message, native::WM_KEYDOWN);
  EXPECT_EQ(taken.Region(), (ZafRegionStruct{1, 2, 3, 4, 2}));
  ASSERT_NE(taken.Text(), nullptr);
  EXPECT_EQ(std::u16string(taken.Text()), u"title");
  EXPECT_FALSE(manager.TakeQueued(taken));
}

TEST(EventQueue, PeekLeavesAndTakeRemovesAtTheChosenEnd) {
  struct Case {
    const char* name;
    uint32_t flags;
    int32_t expected;
    std::vector<int32_t> afterTake;
  } cases[] = {
      {"head", 0, 101, {102, 103}},
      {"end", Q_END, 103, {101, 102}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafEventManager manager;
    ZafEventRecord event;
    EXPECT_FALSE(manager.PeekQueued(event, c.flags));
    EXPECT_FALSE(manager.TakeQueued(event, c.flags));
    for (int32_t type : {101, 102, 103}) {
      ASSERT_TRUE(manager.Put(ZafEventRecord(type, 0)));
    }
    ASSERT_TRUE(manager.PeekQueued(event, c.flags));
    EXPECT_EQ(event.type, c.expected);
    EXPECT_EQ(manager.QueuedCount(), 3);
    ASSERT_TRUE(manager.TakeQueued(event, c.flags));
    EXPECT_EQ(event.type, c.expected);
    EXPECT_EQ(DrainTypes(manager), c.afterTake);
  }
}

TEST(EventQueue, HandOverWaitsWhileAnotherThreadPuts) {
  ZafEventManager manager;
  manager.Put(ZafEventRecord(101, 0));
  std::atomic<bool> handedOver = false;
  std::thread walker;
  {
    EventQueueLock put(manager);
    walker = std::thread([&] {
      manager.HandOver(nullptr, nullptr);
      handedOver = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(handedOver);
  }
  walker.join();
  EXPECT_TRUE(handedOver);
}

TEST(EventRecord, ClearAndTheConstructorsZeroEveryOtherWord) {
  ZafEventRecord event(-200, 7, 1, 2, 3, 4, 2);
  event.SetText(u"x");
  event.word1 = 9;
  event.Clear();
  EXPECT_EQ(event.type, 0);
  EXPECT_EQ(event.value, 0);
  EXPECT_EQ(event.word1, 0);
  EXPECT_EQ(event.Text(), nullptr);
  EXPECT_EQ(event.Region(), (ZafRegionStruct{0, 0, 0, 0, 0}));
  const ZafEventRecord plain(-17, 3);
  EXPECT_EQ(plain.addressedObject, nullptr);
  EXPECT_EQ(plain.referenceObject, nullptr);
  EXPECT_EQ(plain.Position(), (ZafPositionStruct{0, 0, 0}));
}

TEST(EventRecord, ViewsShareTheFiveDataWords) {
  ZafEventRecord event;
  event.SetScroll({10, 0, 100, 20, -3});
  EXPECT_EQ(event.Scroll().delta, -3);
  EXPECT_EQ(event.Region().bottom, 20);
  event.SetPosition({4, 5, 2});
  EXPECT_EQ(event.Region().left, 4);
  EXPECT_EQ(event.Region().top, 5);
}

TEST(EventRecord, CategoryOfNativeMessagesAndEventRanges) {
  struct Case {
    int32_t type;
    native::UINT message;
    int32_t expected;
  } cases[] = {
      {E_OSEVENT, native::WM_KEYDOWN, 10},
      {E_OSEVENT, native::WM_SYSKEYUP, 10},
      {E_OSEVENT, native::WM_CHAR, 0},
      {E_OSEVENT, native::WM_MOUSEMOVE, 30},
      {E_OSEVENT, native::WM_MBUTTONDBLCLK, 30},
      {E_OSEVENT, native::WM_MBUTTONDBLCLK + 1, 0},
      {E_OSEVENT, native::WM_NCMOUSEMOVE, 30},
      {E_OSEVENT, native::WM_NCMBUTTONDBLCLK, 30},
      {E_KEY, 0, 10},
      {E_MOUSE, 0, 30},
      {-1, 0, -2999},
      {-2999, 0, -2999},
      {-3000, 0, 0},
      {100, 0, 100},
      {9999, 0, 100},
      {10000, 0, 0},
      {0, 0, 0},
      {99, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " message " << c.message);
    ZafEventRecord event(c.type, 0);
    event.osEvent.message = c.message;
    EXPECT_EQ(ZafEventRecord::Category(event), c.expected);
  }
}

TEST(EventManagerDevices, RequestsReachOnlyDevicesOfTheirType) {
  std::vector<int32_t> log;
  ZafEventManager manager;
  manager.Add(new RecordingDevice(E_MOUSE, &log));
  manager.Add(new RecordingDevice(E_HELP_TIPS, &log));
  manager.Add(new RecordingDevice(E_HELP_TIPS, &log));
  EXPECT_EQ(manager.SendToDevice(E_MOUSE, DefaultImage), D_ON);
  EXPECT_EQ(log, (std::vector<int32_t>{E_MOUSE * 100000 + DefaultImage}));
  log.clear();
  manager.SendToDevices(ZafEventRecord(-3509, 0), E_HELP_TIPS);
  EXPECT_EQ(log, (std::vector<int32_t>(2, E_HELP_TIPS * 100000 - 3509)));
  // No keyboard device: nothing is sent and the answer is 0.
  EXPECT_EQ(manager.SendToDevice(E_KEY, D_STATE), 0);
}

TEST(EventManagerDevices, SubtractHandsTheDeviceBackAndRefusesStrangers) {
  ZafEventManager manager;
  auto* tips = new ZafHelpTips(D_ON, ZAF_TIPS_AND_HELP_BAR);
  manager.Add(tips);
  EXPECT_EQ(manager.Device(E_HELP_TIPS), tips);
  ZafHelpTips stranger(D_OFF, ZAF_TIPS_ONLY);
  EXPECT_EQ(manager.Subtract(&stranger), nullptr);
  EXPECT_EQ(manager.Subtract(tips), tips);
  EXPECT_EQ(manager.Device(E_HELP_TIPS), nullptr);
  // Out of the list, the device still answers its requests.
  EXPECT_EQ(tips->Event(ZafEventRecord(D_STATE, 0)), D_ON);
  delete tips;
}

TEST(HelpTips, StartsQuietAndSharesItsDelays) {
  ZafHelpTips tips(D_ON, ZAF_TIPS_AND_HELP_BAR);
  EXPECT_EQ(tips.deviceType, E_HELP_TIPS);
  EXPECT_TRUE(tips.IsA(ID_ZAF_DEVICE));
  EXPECT_FALSE(tips.tipShown);
  EXPECT_FALSE(tips.armed);
  EXPECT_EQ(tips.savedText, nullptr);
  EXPECT_EQ(ZafHelpTips::FirstDelay(), 500);
  EXPECT_EQ(ZafHelpTips::SetTipDelay(250), 250);
  EXPECT_EQ(ZafHelpTips::TipDelay(), 250);
  ZafHelpTips::SetTipDelay(500);
}

}  // namespace
