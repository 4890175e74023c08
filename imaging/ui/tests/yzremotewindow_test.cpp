#include "imaging/ui/yzremotewindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "devices/tests/fakeinterface.h"
#include "devices/yhardware.h"
#include "foundation/kperiodictask.h"
#include "imaging/ui/yzremotepane.h"
#include "toolkit/tests/kzpanetestbed.h"

namespace {

class RemoteTest : public KZPaneTest {
 protected:
  RemoteTest() {
    YZRemotePane::Register();
    auto device = std::make_unique<FakeInterface>(kTarget);
    recorder = device.get();
    hardware.AddInterface(std::move(device));
    window = Show(new YZRemoteWindow(7, &hardware.View()));
    window->SetValue(kTarget);
  }
  ~RemoteTest() override {
    ZafWindowObject::windowManager->Subtract(window);
    delete window;
    YZRemotePane::Unregister();
  }

  // A pointer event at the middle of a button, in the button's pixels.
  void Click(YZRemotePane::Button button, const Button& state) {
    ZafWindowObject* object = window->Pane()->ButtonAt(button);
    object->Event(Pointer(object, state, YZRemotePane::kButtonSize / 2, YZRemotePane::kButtonSize / 2));
  }

  static constexpr int32_t kTarget = 4;
  YHardware hardware{8};
  FakeInterface* recorder = nullptr;
  YZRemoteWindow* window = nullptr;
};

TEST_F(RemoteTest, EveryButtonSendsItsCommandCharacterAndHeldModeToTheTarget) {
  struct Case {
    YZRemotePane::Button button;
    const char* sent;
  } cases[] = {
      {YZRemotePane::kUp, "A8A6"},        {YZRemotePane::kDown, "B8B6"},
      {YZRemotePane::kLeft, "C8C6"},      {YZRemotePane::kRight, "D8D6"},
      {YZRemotePane::kClockwise, "9896"}, {YZRemotePane::kCounterClockwise, "8886"},
      {YZRemotePane::kIrisClose, "3833"}, {YZRemotePane::kIrisOpen, "2823"},
      {YZRemotePane::kFocusNear, "7873"}, {YZRemotePane::kFocusFar, "6863"},
      {YZRemotePane::kZoomIn, "5853"},    {YZRemotePane::kZoomOut, "4843"},
  };
  KPeriodicTask::VirtualClock clock(1000);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sent);
    recorder->remote.clear();
    Click(c.button, kLeftPress);
    clock.Advance(501);
    Click(c.button, kLeftHeld);
    Click(c.button, kLeftRelease);
    EXPECT_EQ(recorder->remote, std::string(c.sent) + "00");
  }
}

TEST_F(RemoteTest, TheHeldCommandGoesOnceAfterHalfASecondAndAStopOnlyAfterIt) {
  struct Case {
    const char* name;
    YZRemotePane::Button button;
    uint32_t start;
    std::vector<uint32_t> heldAt;  // ms after the press
    uint32_t releaseAt;
    const char* sent;
  } cases[] = {
      {"a click shorter than 500 ms", YZRemotePane::kUp, 1000, {100, 400}, 450, "A8"},
      {"held exactly 500 ms", YZRemotePane::kUp, 1000, {500}, 500, "A8"},
      {"zoom in held for a second", YZRemotePane::kZoomIn, 1000, {200, 501, 700, 1000}, 1000, "585300"},
      {"held across the wrap of the tick count", YZRemotePane::kUp, 0xFFFFFF00u, {300, 600}, 900, "A8A600"},
      {"held still: no move, no held command", YZRemotePane::kUp, 1000, {}, 1000, "A8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    recorder->remote.clear();
    KPeriodicTask::VirtualClock clock(c.start);
    Click(c.button, kLeftPress);
    for (uint32_t at : c.heldAt) {
      clock.Advance(c.start + at - clock.Now());
      Click(c.button, kLeftHeld);
    }
    clock.Advance(c.start + c.releaseAt - clock.Now());
    Click(c.button, kLeftRelease);
    // A second release, as a capture let go twice, stops nothing more.
    window->Pane()->Press(YZRemotePane::kReleased);
    EXPECT_EQ(recorder->remote, c.sent);
  }
}

}  // namespace
