#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/core/zafhelptips.h"
#include "framework/win32/tests/zafeventobjecttest.h"

namespace {

constexpr int32_t kFirstDelay = 500;
constexpr int32_t kTipDelay = 100;

class HelpTipsTest : public ZafEventObjectTest {
 protected:
  HelpTipsTest() {
    events.nativeInput = 1;
    ZafHelpTips::SetFirstDelay(kFirstDelay);
    ZafHelpTips::SetTipDelay(kTipDelay);
    front->SetDestroyable(false);
    manager->Add(front.get());
    driver.pumpUntilIdle();
    // In a framework window, so that a click keeps the front window current.
    objectWindow = Place(object, 5, 5, 30, 20, front->ScreenID());
    otherWindow = Place(other, 60, 5, 30, 20, front->ScreenID());
    object.SetTipText(u"Open");
    other.SetTipText(u"Save");
  }
  ~HelpTipsTest() override {
    events.Subtract(tips);
    delete tips;
    manager->Subtract(front.get());
    ZafHelpTips::SetFirstDelay(500);
    ZafHelpTips::SetTipDelay(500);
  }

  void UseDevice(int32_t mode) {
    events.Subtract(tips);
    delete tips;
    tips = static_cast<ZafHelpTips*>(events.Add(new ZafHelpTips(D_ON, mode)));
  }

  // The program's loop: every waiting event and native message goes through the event manager, whose
  // devices see each one first, to the window manager.
  void Loop() {
    ZafEventRecord event;
    for (int limit = 1000; limit > 0 && events.Get(event, Q_NO_BLOCK) == Q_EVENT_TAKEN; --limit) {
      manager->Event(event);
    }
  }
  void PointAt(native::HWND window) {
    const native::POINT point = ScreenPoint(window, 5, 5);
    driver.mouseMove(point.x, point.y);
    Loop();
  }
  void Wait(int32_t milliseconds) {
    driver.advanceClock(static_cast<std::uint64_t>(milliseconds));
    Loop();
  }
  bool TipShown() const { return tips->tipShown && tips->tipWindow && native::IsWindow(tips->tipWindow); }

  std::unique_ptr<ZafWindow> front = std::make_unique<ZafWindow>(30, 15, 20, 5);
  ZafHelpTips* tips = static_cast<ZafHelpTips*>(events.Add(new ZafHelpTips(D_ON, ZAF_TIPS_AND_HELP_BAR)));
  native::HWND objectWindow = nullptr;
  native::HWND otherWindow = nullptr;
};

TEST_F(HelpTipsTest, TipAfterTheFirstDelayNextAfterTheTipDelayAndAClickHides) {
  ASSERT_TRUE(manager->Focus());
  ASSERT_TRUE(front->Focus());

  PointAt(objectWindow);
  Wait(kFirstDelay - 1);
  EXPECT_FALSE(TipShown()) << "not before the first delay";
  Wait(1);
  ASSERT_TRUE(TipShown());
  const native::POINT pointer = ScreenPoint(objectWindow, 5, 5);
  const native::RECT placed = driver.screenRect(tips->tipWindow);
  EXPECT_EQ(placed.left, pointer.x);
  EXPECT_EQ(placed.top, pointer.y + 16);
  EXPECT_EQ(driver.windowAt(placed.left + 2, placed.top + 2), tips->tipWindow) << "the tip is on top";

  PointAt(otherWindow);
  EXPECT_FALSE(TipShown()) << "leaving the object hides its tip";
  EXPECT_TRUE(ZafHelpTips::TipsActive());
  Wait(kTipDelay - 1);
  EXPECT_FALSE(TipShown()) << "the next tip never comes at once";
  Wait(1);
  ASSERT_TRUE(TipShown()) << "the next tip comes after the tip delay";

  driver.mouseDown();
  Loop();
  driver.mouseUp();
  Loop();
  EXPECT_FALSE(TipShown()) << "a click hides the tip";
  EXPECT_FALSE(ZafHelpTips::TipsActive());

  PointAt(objectWindow);
  Wait(kTipDelay);
  EXPECT_FALSE(TipShown()) << "after a click the next tip waits the first delay again";
  Wait(kFirstDelay - kTipDelay);
  EXPECT_TRUE(TipShown());
  driver.pressKey(native::VK_SPACE);
  Loop();
  EXPECT_FALSE(TipShown()) << "a key hides the tip";
}

TEST_F(HelpTipsTest, HelpBarShowsTheObjectsHelpTextAndGetsItsOwnTextBack) {
  struct Case {
    const char* name;
    int32_t mode;
    const char16_t* whileOnObject;
  } cases[] = {
      {"tips only", ZAF_TIPS_ONLY, u"Ready"},
      {"help bar only", ZAF_HELP_BAR_ONLY, u"Opens a file"},
      {"both", ZAF_TIPS_AND_HELP_BAR, u"Opens a file"},
  };
  EventObject bar;
  bar.text = u"Ready";
  object.SetThirdText(u"Opens a file");
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    UseDevice(test.mode);
    ZafEventRecord makeBar(HelpBarEvent, 0);
    makeBar.windowObject = &bar;
    events.SendToDevices(makeBar, E_HELP_TIPS);
    ASSERT_EQ(manager->helpTipObject, &bar);
    PointAt(objectWindow);
    EXPECT_EQ(bar.text, test.whileOnObject);
    PointAt(otherWindow);
    EXPECT_EQ(bar.text, u"Ready") << "leaving gives the bar its own text back";

    ZafEventRecord hint(HelpHintEvent, 0);
    hint.windowObject = &object;
    events.SendToDevices(hint, E_HELP_TIPS);
    EXPECT_EQ(bar.text, test.whileOnObject) << "a highlighted entry's help";
    events.SendToDevices(ZafEventRecord(HelpHintEvent, 0), E_HELP_TIPS);
    EXPECT_EQ(bar.text, u"Ready") << "no entry: the bar's own text";
  }
  manager->helpTipObject = nullptr;
}

}  // namespace
