#include "imaging/ui/yzhardwarebar.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "devices/tests/fakeinterface.h"
#include "devices/yhardware.h"
#include "foundation/kmessage.h"
#include "foundation/kperiodictask.h"
#include "framework/data/zafbitmapdata.h"
#include "imaging/yimageblockmanager.h"
#include "model/qvevent.h"
#include "toolkit/kzcontrol.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

// A bar that counts its status updates and refreshes.
class CountingBar : public YZHardwareBar {
 public:
  using YZHardwareBar::YZHardwareBar;
  void UpdateStatus() override { ++updates; }
  void RefreshControls() override { ++refreshes; }
  int updates = 0;
  int refreshes = 0;
};

class HardwareBarTest : public KZDialogTest {
 protected:
  HardwareBarTest() {
    YZHardwareBar::Register();
    YImageBlockManager::CreateGlobal(2);
    hardware.AddInterface(std::make_unique<FakeInterface>(1));
    bar = std::make_unique<CountingBar>(nullptr, hardware.View());
  }
  ~HardwareBarTest() override {
    YImageBlockManager::DeleteGlobal();
    YZHardwareBar::Unregister();
  }
  // Message windows shown at the next loop's first idle pass; the loop is answered with `answer`.
  void CountQuestionsAndAnswer(ZafEventType answer) {
    application.Run({[this] {
                       for (ZafElement* window = ZafWindowObject::windowManager->First(); window;
                            window = window->Next()) {
                         questions += dynamic_cast<KZMessageWindow*>(window) ? 1 : 0;
                       }
                     },
                     [answer] { KZScriptedApplication::Post(answer); }});
  }

  YHardware hardware{8};
  std::unique_ptr<CountingBar> bar;
  int questions = 0;
};

}  // namespace

TEST(YZHardwareBarWidth, AnOpenBitmapLowerThanTwoLinesLessTwoWidensEveryButtonByTheDifference) {
  struct Case {
    int32_t fontHeight;
    int32_t bitmapHeight;
    int32_t extra;
  } cases[] = {{16, 20, 10}, {16, 29, 1}, {16, 30, 0}, {11, 20, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bitmapHeight);
    EXPECT_EQ(YZHardwareBar::ExtraWidth(c.fontHeight, c.bitmapHeight), c.extra);
  }
}

TEST_F(HardwareBarTest, SixButtonsLeftToRightAndTheViewsToolBarWhileItLives) {
  const int32_t commands[] = {10578, 10579, 10003, 10582, 10583, 10584};
  ZafElement* child = bar->First();
  for (int button = 0; button < YZHardwareBar::kButtonCount;
       ++button, child = child ? child->Next() : nullptr) {
    SCOPED_TRACE(button);
    ASSERT_EQ(child, bar->ButtonAt(static_cast<YZHardwareBar::Button>(button)));
    EXPECT_EQ(static_cast<KZTBButton*>(child)->Value(), commands[button]);
  }
  EXPECT_EQ(child, nullptr);
  EXPECT_EQ(hardware.View().ToolBar(), bar.get());
  for (int32_t code : {21, 22, 23, 24, 40}) {
    hardware.Notify(code);
  }
  EXPECT_EQ(bar->refreshes, 1) << "only a change of the armed events refreshes";
  bar.reset();
  EXPECT_EQ(hardware.View().ToolBar(), nullptr);
}

// While a device is present each tick also asks the loop for the tick of the next update, so a waiting
// loop still updates every 100 ms; without a device it asks for nothing.
TEST_F(HardwareBarTest,
       TheIdleTickUpdatesTheStatusOnlyStrictlyMoreThanAHundredMillisecondsAfterTheLastUpdate) {
  YHardware withoutDevice(8);
  struct Case {
    const char* name;
    std::vector<uint32_t> ticks;
    int updates;
    std::optional<uint32_t> nextTickWithin;
    bool device = true;
  } cases[] = {
      {"100 ms apart", {1000, 1100}, 1, 1},
      {"101 ms apart", {1000, 1101}, 2, 101},
      {"a tick between does not put the next update off", {1000, 1050, 1101}, 2, 101},
      {"across the wrap of the tick count", {0xFFFFFFC0, 0x30}, 2, 101},
      {"a first tick past half the count's range", {0x90000000, 0x90000064}, 1, 1},
      {"no device", {1000, 1101}, 2, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KPeriodicTask::VirtualClock clock(c.ticks.front());
    bar = std::make_unique<CountingBar>(nullptr, (c.device ? hardware : withoutDevice).View());
    for (uint32_t tick : c.ticks) {
      clock.Advance(tick - clock.Now());
      application.ClearIdleTimeout();
      bar->Event(ZafEventRecord(IdleTickEvent, 0));
    }
    EXPECT_EQ(bar->updates, c.updates);
    EXPECT_EQ(application.IdleTimeout(), c.nextTickWithin);
  }
}

TEST_F(HardwareBarTest, StoppingARunningCaptureAsksFirstAndACancelChangesNothing) {
  struct Case {
    const char* name;
    bool capturing;
    ZafEventType answer;
    int questions;
    bool stopped;
  } cases[] = {
      {"Cancel", true, KZDialog::kCancelResult, 1, false},
      {"Ok", true, KZDialog::kOkResult, 1, true},
      {"no capture: no question", false, KZDialog::kOkResult, 0, true},
  };
  QvEvent event;
  YLeg& leg = *event.NewLeg();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar = std::make_unique<CountingBar>(nullptr, hardware.View());
    questions = 0;
    if (c.capturing) {
      ASSERT_TRUE(hardware.StartCapture(event, leg));
    }
    CountQuestionsAndAnswer(c.answer);
    bar->Event(ZafEventRecord(StopCaptureCommand, 0));
    EXPECT_EQ(questions, c.questions);
    EXPECT_EQ(hardware.IsCaptureStarted() == YHardware::kIdle, c.stopped);
    EXPECT_EQ(bar->updates + bar->refreshes, c.stopped ? 2 : 0);
    hardware.StopCapture();
  }
}

TEST_F(HardwareBarTest, ABarThatOutlivesTheBitmapsCleanUpKeepsThemUntilItGoes) {
  ZafBitmapData* open = bar->ButtonAt(YZHardwareBar::kOpen)->Bitmap();
  ASSERT_NE(open, nullptr);
  YZHardwareBar::Unregister();
  EXPECT_EQ(open->Count(), 1) << "still the button's, and alive";
  // The buttons let go of the bitmaps; the sanitizer sees any use after they went.
  bar.reset();
  YZHardwareBar::Register();
}

namespace {

// A frame whose event commands answer one event (or none) and note what they were asked.
class EventCommandsFrame : public KZControl, public YZEventCommands {
 public:
  EventCommandsFrame() : KZControl(0, 0, 400, 300) { event.NewLeg(); }
  QvEvent* NewEventDocument() override { return Answer(0); }
  QvEvent* OpenEventDocument() override { return Answer(0); }
  QvEvent* ScheduleStep(int32_t direction) override { return Answer(direction); }

  QvEvent* Answer(int32_t direction) {
    directions.push_back(direction);
    return answers ? &event : nullptr;
  }

  QvEvent event;
  bool answers = true;
  std::vector<int32_t> directions;
};

// The first leg's notifications, by their number.
class LegListener : public KMessageObject {
 public:
  int32_t Receive(KMessage& message) override {
    codes.push_back(static_cast<int32_t>(message.code & 0xFFFF));
    return 0;
  }
  std::vector<int32_t> codes;
};

}  // namespace

TEST_F(HardwareBarTest, TheDocumentButtonsAskTheFrameAndNotifyTheLegOfTheEventShown) {
  struct Case {
    ZafEventType command;
    bool answered;
    int32_t direction;
    int refreshes;
    std::vector<int32_t> notifications;
  } cases[] = {
      {NewEventCommand, true, 0, 1, {25, 42}},
      {OpenEventCommand, true, 0, 0, {25}},
      {SchedulePreviousCommand, true, -1, 1, {25, 42, 41}},
      {ScheduleGotoCommand, true, 0, 1, {25, 42, 41}},
      {ScheduleNextCommand, true, 1, 1, {25, 42, 41}},
      {ScheduleNextCommand, false, 1, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    EventCommandsFrame frame;
    frame.answers = c.answered;
    LegListener listener;
    frame.event.AddListener(&listener);
    CountingBar documentBar(&frame, hardware.View());
    documentBar.Event(ZafEventRecord(static_cast<int32_t>(c.command), 0));
    EXPECT_EQ(frame.directions, std::vector<int32_t>{c.direction});
    EXPECT_EQ(documentBar.refreshes, c.refreshes);
    EXPECT_EQ(listener.codes, c.notifications);
    frame.event.RemoveListener(&listener);
  }
}
