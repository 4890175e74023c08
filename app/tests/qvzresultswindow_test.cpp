#include "app/qvzresultswindow.h"

#include <gtest/gtest.h>

#include "app/tests/resultslinktest.h"
#include "foundation/kdatetime.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kztoolbar.h"

namespace {

class QvZResultsWindowTest : public ResultsLinkTest {
 protected:
  KZTBButton* ShowAllChartsButton() {
    return FindIn<KZTBButton>(window->ToolBar(), [](KZTBButton& button) {
      return button.Value() == QvZResultsPane::kShowAllChartsCommand;
    });
  }
};

TEST_F(QvZResultsWindowTest, TheTitleShowsTheTrialsStartOnceTheViewHasAResult) {
  OpenWindow();
  Then([&] {
    // A new window shows every trace, so Show All Charts is hidden.
    EXPECT_TRUE(window->AllTraces());
    ASSERT_NE(ShowAllChartsButton(), nullptr);
    EXPECT_FALSE(ShowAllChartsButton()->Visible());
    KDateTime when;
    when.year = 2026;
    when.month = 5;
    when.day = 14;
    when.hour = 15;
    when.minute = 4;
    when.second = 5;
    ASSERT_TRUE(event->SetInfoBlock(when));
    window->UpdateTitle(true);
    // No result yet: the text stays as it was.
    EXPECT_EQ(window->ToolBar()->Caption().ToUtf8(), "");
    MakeLanes(1);
    window->UpdateTitle(true);
    EXPECT_EQ(window->ToolBar()->Caption().ToUtf8(), "Start:  3:04:05 PM 5/14/2026");
    // Without a view the table is empty and the text is kept.
    window->SetEvent(nullptr);
    EXPECT_EQ(window->Pane()->Results(), nullptr);
    EXPECT_EQ(window->Pane()->Extent().y, 0);
  });
  RunToEnd();
}

}  // namespace
