#include "app/qvzstatusbar.h"

#include <gtest/gtest.h>

#include <string>

#include "app/tests/frametestbed.h"
#include "foundation/kperiodictask.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzprogressbar.h"
#include "toolkit/kzstatusstring.h"
#include "toolkit/kztbbutton.h"

namespace {

class MainStatusBarTest : public FrameTestBed {
 protected:
  MainStatusBarTest() {
    ShowFrame();
    bar = QvZControl::GetStatusBar();
  }
  std::u16string Text() const { return bar->statusText->Text(); }

  QvZStatusBar* bar = nullptr;
};

}  // namespace

TEST_F(MainStatusBarTest, TheTextFillsTheBarUpToTheProgressWhichKeepsAScrollBarsWidthFromTheRight) {
  // Inclusive pixel edges, in the coordinates of the bar's client area.
  const ZafRegionStruct client = bar->ClientRegion();
  const ZafRegionStruct text = bar->statusText->Region();
  const ZafRegionStruct progress = bar->progress->Region();
  EXPECT_EQ(bar->Region().Height(), KZWindowObjectLeech::FontHeight(1) + 8);
  EXPECT_EQ(progress.right, client.right - 16) << "a vertical scroll bar is 16 pixels wide";
  EXPECT_EQ(progress.Width(), 102);
  EXPECT_EQ(text.left, client.left + 2);
  EXPECT_EQ(text.right, progress.left - 1 - 2);
  for (const ZafRegionStruct& field : {text, progress}) {
    EXPECT_EQ(field.top, client.top + 2);
    EXPECT_EQ(field.bottom, client.bottom);
  }
}

TEST_F(MainStatusBarTest, EachCommandShowsItsOwnHelpTextAndAnyOtherNone) {
  KRegistry lacking;
  struct Case {
    int32_t command;
    const char16_t* shown;
    KRegistry* settings;
  } cases[] = {
      {10003, u"Save the selected Kestrove Event", &settings},
      {10489, u"Show/Hide Power Line", &settings},
      {10531, u"Turn on/off ability to overlay traces", &settings},
      {10534, u"", &settings},
      {10540,
       u"Load the event after this window's in the schedule in a new window (in this one if it holds none)",
       &settings},
      {10580, u"", &settings},
      {10584, u"Load the next event from the schedule", &settings},
      {10481, u"", &settings},
      {10578, u"", &lacking},  // a language file without the text
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    QvSettings::SetRoot(c.settings);
    bar->SetText(u"before");
    bar->ShowFlyOver(c.command);
    EXPECT_EQ(Text(), c.shown);
  }
  QvSettings::SetRoot(&settings);
}

TEST_F(MainStatusBarTest, ThePointerOnAButtonShowsItsHelpAndLeavingClearsTheWholeBar) {
  YZHardwareBar* tools = frame->HardwareBar();
  bar->SetProgress(40);
  struct Step {
    const char* name;
    ZafWindowObject* under;  // null: off the bar
    const char16_t* shown;
    int32_t progress;
  } steps[] = {
      {"onto New", tools->ButtonAt(YZHardwareBar::kNew), u"Create a new Kestrove Event", 40},
      {"on to Next", tools->ButtonAt(YZHardwareBar::kNext), u"Load the next event from the schedule", -1},
      {"off the bar", nullptr, u"", -1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    const native::RECT rect = driver.screenRect((step.under ? step.under : tools)->ScreenID());
    driver.mouseMove((rect.left + rect.right) / 2,
                     step.under ? (rect.top + rect.bottom) / 2 : rect.bottom + 100);
    driver.pumpUntilIdle();
    EXPECT_EQ(Text(), step.shown);
    EXPECT_EQ(bar->progress->Progress(), step.progress);
  }
}

TEST_F(MainStatusBarTest, TheFramesIdleTicksNeverClearAProgress) {
  KPeriodicTask::VirtualClock clock(1000);
  bar->SetText(u"Saving main file...");
  bar->SetProgress(60);
  for (int tick = 0; tick < 3; ++tick) {
    clock.Advance(600000);
    frame->Event(ZafEventRecord(IdleTickEvent, 0));
  }
  EXPECT_EQ(Text(), u"Saving main file...");
  EXPECT_EQ(bar->progress->Progress(), 60);
}
