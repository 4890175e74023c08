// The summary window in a running program: a layout with a Summary entry makes one in each event window.
#include <gtest/gtest.h>

#include <string>

#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzeventpane.h"
#include "app/qvzeventwindow.h"
#include "app/tests/programtest.h"
#include "model/qvevent.h"

namespace {

class SummaryWindowTest : public ProgramTest {
 protected:
  SummaryWindowTest() : ProgramTest({800, 600, 96}) {}
};

}  // namespace

TEST_F(SummaryWindowTest, ALayoutWithASummaryEntryShowsTheEventsItems) {
  WriteFile(
      "kestrove.cfg",
      "Registry Version: 1.00\n\\Event\\Layout\\:=\n\\Event\\Layout\\Summary1:String=0,0,100,100,Summary\n");
  QvZEventWindow* summary = nullptr;
  int32_t rows = 0;
  Then([&] {
    QvZEventMDI* window = program->Frame()->NewEvent();
    ASSERT_NE(window, nullptr);
    summary = dynamic_cast<QvZEventWindow*>(window->CurrentWindow(PaneKind::kSummary));
    ASSERT_NE(summary, nullptr);
    rows = summary->Pane()->Extent().y;
    summary->Pane()->Refresh();
    // Nothing to save at exit.
  });
  Then([&] { EXPECT_TRUE(driver.snapshot(testing::TempDir() + "summary_window.png")); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_NE(summary, nullptr);
  // The event, its start and its wind, then its leg with its results.
  EXPECT_EQ(rows, 5);
}
