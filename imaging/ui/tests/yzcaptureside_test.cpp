// The capture side's lists and dialogs: the start list, the armed-event list, the manual-start dialog and
// the keyboard-capture dialog.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "devices/tests/fakeinterface.h"
#include "devices/yhardware.h"
#include "imaging/ui/yzevents.h"
#include "imaging/ui/yzkeyboardcapturedialog.h"
#include "imaging/ui/yzmanualstartdialog.h"
#include "imaging/ui/yzstarts.h"
#include "model/qvevent.h"
#include "model/ytime.h"
#include "toolkit/kzstring.h"
#include "toolkit/kzwindow.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

// Records the manual starts it is asked for: the offset's milliseconds, or -1 for none.
class StartRecorder : public FakeInterface {
 public:
  StartRecorder() : FakeInterface(1) {}
  bool ManualStart(const YTime* offset, bool) override {
    starts.push_back(offset ? offset->ToMilliseconds() : -1);
    return true;
  }
  std::vector<int32_t> starts;
};

// A window that records the events it gets.
class RecordingWindow : public KZWindow {
 public:
  RecordingWindow() : KZWindow(0, 0, 10, 5) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    events.push_back(event.type);
    return event.type;
  }
  std::vector<ZafEventType> events;
};

ZafEventRecord SpaceBar(int32_t modifiers) {
  ZafEventRecord key(E_KEY, 32);
  key.modifiers = modifiers;
  return key;
}

class CaptureSideTest : public KZDialogTest {
 protected:
  CaptureSideTest() {
    auto device = std::make_unique<StartRecorder>();
    recorder = device.get();
    hardware.AddInterface(std::move(device));
  }
  std::string Row(YZStarts& starts, int32_t row) {
    KString text;
    uint32_t flags = 0;
    starts.CellText({0, row}, 0, text, flags);
    return text.ToUtf8();
  }
  static std::string Formatted(int32_t seconds) {
    KString text;
    YTime::FromMilliseconds(1000 * seconds).Format(text);
    return text.ToUtf8();
  }

  YHardware hardware{8};
  StartRecorder* recorder = nullptr;
};

TEST_F(CaptureSideTest, TheStartListShowsTheNewestHundredFirstAndBeepsOnAChange) {
  YZStarts starts(hardware.View(), 100, 100);
  struct Case {
    int32_t recorded;  // starts recorded in all
    int32_t rows;
    int32_t newest;  // seconds of row 0 and of the last row
    int32_t oldest;
    unsigned beeps;
  } cases[] = {
      {0, 0, 0, 0, 0}, {3, 3, 3, 1, 1}, {3, 3, 3, 1, 0}, {100, 100, 100, 1, 1}, {130, 100, 130, 31, 1}};
  int32_t recorded = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.recorded);
    for (; recorded < c.recorded; ++recorded) {
      hardware.AddStartTime(YTime::FromMilliseconds(1000 * (recorded + 1)));
    }
    const unsigned beeps = driver.beepCount();
    starts.Update();
    EXPECT_EQ(driver.beepCount() - beeps, c.beeps);
    EXPECT_EQ(starts.Extent().y, c.rows);
    if (c.rows > 0) {
      EXPECT_EQ(Row(starts, 0), Formatted(c.newest));
      EXPECT_EQ(Row(starts, c.rows - 1), Formatted(c.oldest));
    }
  }
}

TEST_F(CaptureSideTest, TheEventListsStatusColumnIsTheWidestStatusTextAndTwo) {
  Setting(u"\\Strings\\Event\\ListCodes\\Armed:String=Armed");
  Setting(u"\\Strings\\Event\\ListCodes\\Capturing:String=Capturing now");
  Setting(u"\\Strings\\Event\\ListCodes\\Scoreboard:String=Board");
  YZEvents events(hardware.View(), 300, 100);
  const int32_t width = events.StatusWidth();
  EXPECT_EQ(width, events.TextWidth(u"Capturing now") + 2);
  EXPECT_GT(width, events.TextWidth(u"Board") + 2);
  struct Case {
    int32_t column;
    int32_t left;
    int32_t right;
  } cases[] = {{0, 10, 10 + width - 1}, {1, 10 + width, 10 + 2 * width - 1}, {3, 10 + 3 * width, 400}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.column);
    KRect row{10, 0, 400, 15};
    events.ColumnRegion({0, 0}, c.column, row, KZSelector::kColumnArea);
    EXPECT_EQ(row.left, c.left);
    EXPECT_EQ(row.right, c.right);
  }
  QvEvent first;
  QvEvent second;
  hardware.Arm(&first);
  hardware.Arm(&second);
  events.Refresh();
  EXPECT_EQ(events.Extent(), KPoint(1, 2));
}

TEST_F(CaptureSideTest, TheManualStartDialogRecordsAStartOnTheSpaceBarAndCloses) {
  struct Case {
    const char16_t* text;
    int32_t milliseconds;  // -1: a start without an offset
  } cases[] = {{nullptr, 0}, {u" 1.5 ", 1500}, {u"soon", -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.milliseconds);
    recorder->starts.clear();
    YZManualStartDialog dialog(&hardware);
    if (c.text) {
      dialog.OffsetField()->SetText(c.text);
    } else {
      EXPECT_EQ(std::u16string(dialog.OffsetField()->Text()), u"0.0");
    }
    application.Run({[&dialog] {
      dialog.Event(SpaceBar(0));  // a release alone records nothing
      dialog.Event(SpaceBar(0x200));
    }});
    EXPECT_EQ(dialog.Execute(), KZDialog::kOkResult);
    EXPECT_EQ(recorder->starts, std::vector<int32_t>{c.milliseconds});
  }
}

TEST_F(CaptureSideTest, TheKeyboardCaptureDialogBeepsOnTheSpaceBarAndTellsItsOpener) {
  RecordingWindow opener;
  YZKeyboardCaptureDialog dialog(&opener);
  const unsigned beeps = driver.beepCount();
  dialog.Event(SpaceBar(0));
  EXPECT_EQ(driver.beepCount(), beeps);
  dialog.Event(SpaceBar(0x200));
  EXPECT_EQ(driver.beepCount(), beeps + 1);
  EXPECT_TRUE(opener.events.empty());
  EXPECT_EQ(dialog.Event(ZafEventRecord(YZKeyboardCaptureDialog::kCaptured, 0)), 10186);
  EXPECT_EQ(opener.events, std::vector<ZafEventType>{10585});
}

}  // namespace
