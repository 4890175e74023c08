// A new event at 1024 x 768 shows lanes 1 to 7 of its 8 in the results table: the table's vertical scroll
// bar is drawn from the first drawing on, and its down arrow brings lane 8 into view.

#include <gtest/gtest.h>

#include "app/framecommands.h"
#include "app/qvzresultspane.h"
#include "app/qvzresultswindow.h"
#include "app/tests/programtest.h"
#include "model/qvevent.h"
#include "native/native.h"
#include "testing/testpictures.h"

namespace {

// The last row, lane 8.
constexpr int32_t kLane8 = 7;

class ResultsTableScrollTest : public ProgramTest {
 protected:
  ResultsTableScrollTest() : ProgramTest({1024, 768, 96}) {}

  static QvZResultsPane* Pane() {
    auto* window = CurrentPane<QvZResultsWindow>(PaneKind::kResults);
    return window != nullptr ? window->Pane() : nullptr;
  }
  // The vertical scroll bar along the table's right edge, on the desktop.
  native::RECT Bar() {
    native::RECT bar = driver.screenRect(Pane()->ScreenID());
    bar.left = bar.right - native::GetSystemMetrics(native::SM_CXVSCROLL);
    return bar;
  }
  // The black pixels of the bar: its arrows.
  int32_t ArrowPixels() {
    const native::RECT bar = Bar();
    int32_t black = 0;
    for (int y = bar.top; y < bar.bottom; ++y) {
      for (int x = bar.left; x < bar.right; ++x) {
        black += driver.pixel(x, y) == 0 ? 1 : 0;
      }
    }
    return black;
  }
};

TEST_F(ResultsTableScrollTest, LaneEightCanBeScrolledTo) {
  Then([] { Post(NewCommand); });
  When(
      "the new event's results", [] { return Pane() != nullptr && Pane()->ScreenID() != nullptr; },
      [this] {
        EXPECT_TRUE(driver.snapshot(TestPicturePath("results-new-event.png")));
        EXPECT_FALSE(Pane()->IsCellVisible({0, kLane8}, false));
        EXPECT_GT(ArrowPixels(), 10) << "the scroll bar's arrows are drawn";
        // The down arrow, at the bar's foot.
        const native::RECT bar = Bar();
        driver.click((bar.left + bar.right) / 2, bar.bottom - (bar.right - bar.left) / 2);
      });
  Then([] { EXPECT_TRUE(Pane()->IsCellVisible({0, kLane8}, false)); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

}  // namespace
