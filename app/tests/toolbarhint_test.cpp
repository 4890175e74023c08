// A tool bar button's hint in the running program's status bar: shown while the pointer is on the button,
// gone once it has left the button, out of the program's window too.
#include <gtest/gtest.h>

#include <string>

#include "app/framecommands.h"
#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/qvzcontrol.h"
#include "app/qvzstatusbar.h"
#include "app/tests/dialogtestsupport.h"
#include "app/tests/programtest.h"
#include "model/qvevent.h"
#include "toolkit/kzstatusstring.h"
#include "toolkit/kztoolbar.h"

namespace {

using ToolBarHintTest = ProgramTest;

std::u16string StatusText() {
  const ZafIChar* text = QvZControl::GetStatusBar()->statusText->Text();
  return text ? text : u"";
}

}  // namespace

TEST_F(ToolBarHintTest, TheHintGoesWhenThePointerLeavesTheProgramsWindow) {
  const auto exportButton = [] {
    QvZChartWindow* chart = CurrentPane<QvZChartWindow>(PaneKind::kChart);
    return chart ? ButtonGiving(chart->ToolBar(), QvZChartPane::kExportBitmapCommand) : nullptr;
  };
  Then([] { Post(NewCommand); });
  When(
      "the chart window's export button",
      [exportButton] { return exportButton() && exportButton()->ScreenID(); },
      [this, exportButton] {
        const native::RECT button = driver.screenRect(exportButton()->ScreenID());
        driver.mouseMove((button.left + button.right) / 2, (button.top + button.bottom) / 2);
      });
  When(
      "the hint", [] { return !StatusText().empty(); },
      [this] {
        EXPECT_EQ(StatusText(), u"Export chart as a bitmap file");
        driver.mouseLeave();
        // Past the tip timer's period.
        driver.advanceClock(1000);
      });
  When(
      "the hint gone", [] { return StatusText().empty(); }, [] {});
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}
