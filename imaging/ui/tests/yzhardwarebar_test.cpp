#include "imaging/ui/yzhardwarebar.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "devices/tests/fakeinterface.h"
#include "devices/yhardware.h"
#include "foundation/kdatetime.h"
#include "foundation/kperiodictask.h"
#include "framework/data/zafbitmapdata.h"
#include "imaging/yimageblockmanager.h"
#include "model/qvevent.h"
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

// A device that notes the event it was started for.
class RecordingDevice : public FakeInterface {
 public:
  using FakeInterface::FakeInterface;
  bool Start(QvEvent& event, YLeg& leg) override {
    startedEvent = &event;
    return FakeInterface::Start(event, leg);
  }
  QvEvent* startedEvent = nullptr;
};

class HardwareBarTest : public KZDialogTest {
 protected:
  HardwareBarTest() {
    YZHardwareBar::Register();
    YImageBlockManager::CreateGlobal(2);
  }
  ~HardwareBarTest() override {
    delete bar;
    YImageBlockManager::DeleteGlobal();
    YZHardwareBar::Unregister();
  }
  CountingBar* MakeBar() {
    bar = new CountingBar(nullptr, hardware.View());
    return bar;
  }
  // An armed event of one leg, dated `day` of March 2026.
  QvEvent& ArmedEvent(int day) {
    events.push_back(std::make_unique<QvEvent>());
    QvEvent& event = *events.back();
    event.NewLeg();
    KDateTime when;
    when.year = 2026;
    when.month = 3;
    when.day = day;
    when.hour = 9;
    event.SetInfoBlock(when);
    hardware.Arm(&event);
    return event;
  }
  RecordingDevice* AddDevice() {
    auto device = std::make_unique<RecordingDevice>(1);
    RecordingDevice* raw = device.get();
    hardware.AddInterface(std::move(device));
    return raw;
  }
  // Counts the message windows shown at the first idle pass of the next loop and answers with `answer`.
  void AnswerQuestion(ZafEventType answer) {
    application.Run(
        {[this] { questions += ShownMessages(); }, [answer] { KZScriptedApplication::Post(answer); }});
  }
  int ShownMessages() {
    std::vector<KZMessageWindow*> shown;
    for (auto* window = static_cast<ZafWindowObject*>(ZafWindowObject::windowManager->First()); window;
         window = static_cast<ZafWindowObject*>(window->Next())) {
      Collect(window, shown);
    }
    return static_cast<int>(shown.size());
  }

  YHardware hardware{8};
  std::vector<std::unique_ptr<QvEvent>> events;
  CountingBar* bar = nullptr;
  int questions = 0;
};

}  // namespace

TEST(YZHardwareBarWidth, AnOpenBitmapLowerThanTwoLinesLessTwoWidensEveryButtonByTheDifference) {
  struct Case {
    int32_t fontHeight;
    int32_t bitmapHeight;
    int32_t extra;
  } cases[] = {{16, 20, 10}, {16, 30, 0}, {16, 29, 1}, {16, 35, 0}, {11, 20, 0}, {13, 20, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bitmapHeight);
    EXPECT_EQ(YZHardwareBar::ExtraWidth(c.fontHeight, c.bitmapHeight), c.extra);
  }
}

TEST_F(HardwareBarTest, SixButtonsStandLeftToRightWithTheirCommandsAndTheBarIsTheViewsToolBar) {
  MakeBar();
  EXPECT_EQ(hardware.View().ToolBar(), bar);
  const int32_t commands[] = {10578, 10579, 10003, 10582, 10583, 10584};
  int32_t index = 0;
  for (auto* child = static_cast<ZafWindowObject*>(bar->First()); child;
       child = static_cast<ZafWindowObject*>(child->Next()), ++index) {
    SCOPED_TRACE(index);
    ASSERT_LT(index, YZHardwareBar::kButtonCount);
    EXPECT_EQ(child, bar->ButtonAt(static_cast<YZHardwareBar::Button>(index)));
    EXPECT_EQ(static_cast<KZTBButton*>(child)->Value(), commands[index]);
  }
  EXPECT_EQ(index, YZHardwareBar::kButtonCount);
  delete bar;
  bar = nullptr;
  EXPECT_EQ(hardware.View().ToolBar(), nullptr);
}

TEST_F(HardwareBarTest,
       TheIdleTickUpdatesTheStatusOnlyStrictlyMoreThanAHundredMillisecondsAfterTheLastUpdate) {
  struct Case {
    const char* name;
    uint32_t first;
    uint32_t second;
    int updates;
  } cases[] = {
      {"100 ms apart", 1000, 1100, 1},
      {"101 ms apart", 1000, 1101, 2},
      {"at once", 1000, 1000, 1},
      {"across the wrap of the tick count", 0xFFFFFFC0, 0x30, 2},
      {"a first tick past half the count's range", 0x90000000, 0x90000064, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KPeriodicTask::VirtualClock clock(c.first);
    MakeBar();
    bar->Event(ZafEventRecord(IdleTickEvent, 0));
    clock.Advance(c.second - c.first);
    bar->Event(ZafEventRecord(IdleTickEvent, 0));
    EXPECT_EQ(bar->updates, c.updates);
    delete bar;
    bar = nullptr;
  }
}

TEST_F(HardwareBarTest, ManyTicksInARowStillUpdateEveryHundredMilliseconds) {
  KPeriodicTask::VirtualClock clock(1000);
  MakeBar();
  for (int tick = 0; tick < 1000; ++tick) {
    bar->Event(ZafEventRecord(IdleTickEvent, 0));
    clock.Advance(1);
  }
  EXPECT_EQ(bar->updates, 10) << "one update each 101 ms of a second of 1 ms ticks";
}

TEST_F(HardwareBarTest, OnlyAChangeOfTheArmedEventsRefreshesTheControls) {
  MakeBar();
  for (int32_t code : {21, 22, 23, 24}) {
    hardware.Notify(code);
  }
  EXPECT_EQ(bar->refreshes, 0);
  hardware.Notify(40);
  EXPECT_EQ(bar->refreshes, 1);
}

TEST_F(HardwareBarTest, StoppingACaptureAsksFirstAndACancelChangesNothing) {
  RecordingDevice* device = AddDevice();
  struct Case {
    const char* name;
    bool capturing;
    ZafEventType answer;
    int questions;
    bool stopped;
  } cases[] = {
      {"a running capture, Cancel", true, KZDialog::kCancelResult, 1, false},
      {"a running capture, Ok", true, KZDialog::kOkResult, 1, true},
      {"no capture: stopped without a question", false, KZDialog::kOkResult, 0, true},
  };
  QvEvent& event = ArmedEvent(5);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeBar();
    questions = 0;
    device->stops = 0;
    if (c.capturing) {
      ASSERT_TRUE(hardware.StartCapture(event, *event.Leg(0)));
    }
    AnswerQuestion(c.answer);
    bar->Event(ZafEventRecord(StopCaptureCommand, 0));
    EXPECT_EQ(questions, c.questions);
    EXPECT_EQ(hardware.IsCaptureStarted() == YHardware::kStarted, !c.stopped);
    EXPECT_EQ(bar->updates, c.stopped ? 1 : 0);
    EXPECT_EQ(bar->refreshes, c.stopped ? 1 : 0);
    if (!c.stopped) {
      hardware.StopCapture();
    }
    delete bar;
    bar = nullptr;
  }
}

TEST_F(HardwareBarTest, StartingACaptureTakesTheLatestArmedEventUnlessOneRunsOrTheKeyboardButtonIsOn) {
  RecordingDevice* device = AddDevice();
  QvEvent& earlier = ArmedEvent(3);
  QvEvent& latest = ArmedEvent(9);
  ArmedEvent(7);
  QvEvent unarmed;
  unarmed.NewLeg();
  MakeBar();

  bar->StartCapture(&unarmed);
  EXPECT_EQ(device->starts, 0) << "an event that is not armed";

  bar->StartCapture(nullptr);
  EXPECT_EQ(device->starts, 1);
  EXPECT_EQ(device->startedEvent, &latest);
  EXPECT_EQ(bar->updates, 1);
  EXPECT_EQ(bar->refreshes, 1);

  bar->StartCapture(&earlier);
  EXPECT_EQ(device->starts, 1) << "a capture runs already";
  hardware.StopCapture();

  Setting(u"\\Hardware\\KeyboardButton:Bool=1");
  bar->StartCapture(&earlier);
  EXPECT_EQ(device->starts, 1) << "the keyboard button is in use";
}

TEST_F(HardwareBarTest, ABarThatOutlivesTheBitmapsCleanUpKeepsThemUntilItGoes) {
  MakeBar();
  ZafBitmapData* open = bar->ButtonAt(YZHardwareBar::kOpen)->Bitmap();
  ASSERT_NE(open, nullptr);
  YZHardwareBar::Unregister();
  EXPECT_EQ(open->Count(), 1) << "still the button's, and alive";
  // Deleting the bar lets the buttons go of the bitmaps; the sanitizer sees any use after they went.
  delete bar;
  bar = nullptr;
  YZHardwareBar::Register();
}
