// The chart of a new event window over a real download: the simulator's port is named in the options,
// Download Trace runs through the event window's results window, and the chart draws the unit's traces (a
// ramp per lane) in every lane's band with the Gun line at the column the chart's projection gives for the
// gun's sample. Choosing a row of the results then shows that row's lane alone, with the Set, Gun, Legal and
// Reaction lines at the columns of their samples, and Show All Charts brings every lane back. The chart's
// print, export and data follow the lane it shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/chartdatatext.h"
#include "app/framecommands.h"
#include "app/qvzchartdatadialog.h"
#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/qvzeventmdi.h"
#include "app/qvzoptionsdialog.h"
#include "app/qvzresultspane.h"
#include "app/qvzresultswindow.h"
#include "app/tests/chartwindowbutton.h"
#include "app/tests/desktoppixels.h"
#include "app/tests/downloadedeventtest.h"
#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_3dpointseries.h"
#include "chart/cf_3dtextmarker.h"
#include "chart/cf_chartengine.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_chartview.h"
#include "chart/zafchartcontrol.h"
#include "foundation/kfiledialog.h"
#include "model/qvevent.h"
#include "native/native.h"
#include "native/print/printdlg.h"
#include "native/print/printerdevice.h"
#include "native/tests/printedpages.h"
#include "testing/testpictures.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kztoolbar.h"

namespace {

// Samples of the 5001-sample window from -3 s to 2 s: the gun, the Legal line 100 ms after it, the Set line
// 2 s before it (the simulator's set and gun words lie 2000 ms apart), and a sample right of the gun where
// every ramp stands above its baseline.
constexpr int32_t kGunSample = 3000;
constexpr int32_t kLegalSample = 3100;
constexpr int32_t kSetSample = 1000;
constexpr int32_t kRampSample = 3300;
// The row chosen in the results: lane 2, whose reaction time of 142 ms puts the Reaction line at sample
// 3142 with the number 0.142.
constexpr int32_t kChosenRow = 1;
constexpr int32_t kChosenReactionSample = 3142;
constexpr const char16_t* kChosenReactionText = u"0.142";
constexpr int32_t kLanes = 8;
// The chart axis that carries the Set, Gun, Legal and Reaction lines, and the one of the lane labels.
constexpr int32_t kMarkerAxis = 1;
constexpr int32_t kLaneAxis = 3;
// Desktop colours: the traces' pen (colour choice 4), a false start's and the lines'.
constexpr native::COLORREF kTraceBlue = 0xff0000;
constexpr native::COLORREF kFalseStartRed = 0x0000ff;
constexpr native::COLORREF kBlack = 0;

class ChartDownloadTest : public DownloadedEventTest {
 protected:
  // The chart window's tool-bar text.
  static std::string Legend() { return ChartWindow()->ToolBar()->Caption().ToUtf8(); }
  native::RECT ChartRect() { return driver.screenRect(Control().ScreenID()); }

  // The traces the chart drew last (its series of more than one point); none while it waits to be drawn.
  static std::vector<const cf_3DPointSeries*> Traces() {
    std::vector<const cf_3DPointSeries*> traces;
    if (!Control().GetChartView()->IsDrawn()) {
      return traces;
    }
    for (const auto& object : Control().GetEngine()->SeriesObjects()) {
      const auto* series = dynamic_cast<const cf_3DPointSeries*>(object.get());
      if (series != nullptr && series->GetPointCount() > 1) {
        traces.push_back(series);
      }
    }
    return traces;
  }
  // Where the chart's projection put a sample of a trace on the desktop.
  native::POINT SamplePoint(const cf_3DPointSeries& trace, int32_t sample) {
    const cf_2DPoint at = trace.ScreenPoints().at(static_cast<std::size_t>(sample));
    return {ChartRect().left + at.x, ChartRect().top + at.y};
  }
  // The desktop column of the marker line with that text nearest to `column`; -1 when there is none.
  int32_t MarkerColumn(const std::u16string& text, int32_t column) {
    const cf_3DGridTickSeries& axis = Control().GetAxis(kMarkerAxis);
    int32_t nearest = -1;
    for (int32_t i = 1; i <= axis.GetItemCount(); ++i) {
      const cf_3DTextMarker& item = *axis.GetItem(i);
      const std::u16string itemText = item.GetText() != nullptr ? item.GetText()->Text() : u"";
      const int32_t at = ChartRect().left + item.GetAnchorPoint().GetScreenX();
      if (itemText == text && (nearest < 0 || std::abs(at - column) < std::abs(nearest - column))) {
        nearest = at;
      }
    }
    return nearest;
  }
  // The black pixels of a desktop column over the chart control.
  int32_t BlackPixels(int32_t column) {
    int32_t count = 0;
    for (int32_t y = ChartRect().top; y < ChartRect().bottom; ++y) {
      count += driver.pixel(column, y) == kBlack ? 1 : 0;
    }
    return count;
  }
  // The marker line with that text stands where the projection puts its sample of the trace, and crosses
  // the plot there. Answers its column.
  int32_t ExpectLineAt(const std::u16string& text, int32_t sample, const cf_3DPointSeries& trace) {
    SCOPED_TRACE(testing::Message() << "the line \"" << KString(text.c_str()).ToUtf8() << "\" at " << sample);
    const int32_t expected = SamplePoint(trace, sample).x;
    const int32_t column = MarkerColumn(text, expected);
    EXPECT_NEAR(column, expected, 1);
    EXPECT_GT(BlackPixels(column), (ChartRect().bottom - ChartRect().top) / 2);
    return column;
  }
  // Down a desktop column over the chart control: for each trace (a run of a trace colour), how far it stands
  // above the next black pixel below it, its lane's baseline.
  std::vector<int32_t> TraceLifts(int32_t column) {
    const native::RECT chart = ChartRect();
    std::vector<int32_t> lifts;
    bool inTrace = false;
    for (int32_t y = chart.top; y < chart.bottom; ++y) {
      const native::COLORREF colour = driver.pixel(column, y);
      const bool trace = colour == kTraceBlue || colour == kFalseStartRed;
      if (trace && !inTrace) {
        int32_t below = y + 1;
        while (below < chart.bottom && driver.pixel(column, below) != kBlack) {
          ++below;
        }
        lifts.push_back(below - y);
      }
      inTrace = trace;
    }
    return lifts;
  }
  // All-charts mode: the Set, Gun and Legal lines (the Reaction line belongs to single mode) at the columns
  // of their samples, the Gun line only there, and every lane's ramp above its baseline right of the gun,
  // higher the higher the lane's number (lane 7's false start in red).
  void ExpectAllCharts() {
    ASSERT_EQ(Traces().size(), static_cast<std::size_t>(kLanes));
    const cf_3DPointSeries& trace = *Traces().front();
    EXPECT_EQ(Control().GetAxis(kMarkerAxis).GetItemCount(), 3);
    ExpectLineAt(u"Set", kSetSample, trace);
    ExpectLineAt(u"Legal", kLegalSample, trace);
    const int32_t gun = ExpectLineAt(u"", kGunSample, trace);
    const int32_t height = ChartRect().bottom - ChartRect().top;
    EXPECT_LT(BlackPixels(gun - 2), height / 10);
    EXPECT_LT(BlackPixels(gun + 2), height / 10);
    const std::vector<int32_t> lifts = TraceLifts(SamplePoint(trace, kRampSample).x);
    ASSERT_EQ(lifts.size(), static_cast<std::size_t>(kLanes));
    for (std::size_t lane = 1; lane < lifts.size(); ++lane) {
      EXPECT_GT(lifts[lane], lifts[lane - 1]) << "lane " << lane + 1;
    }
    EXPECT_GT(lifts.front(), 3);
  }

  void Snapshot(const std::string& name) { EXPECT_TRUE(driver.snapshot(TestPicturePath(name))); }

  // One click on a row's Last Name makes the row current and leaves the chart as it is.
  void ClickLastName(int32_t row) {
    QvZResultsPane& pane = *ResultsWindow().Pane();
    KRect cell = pane.CellRegion({0, row});
    pane.ColumnRegion({0, row}, 4, cell, KZEditableSelector::kColumnEditor);
    const KPoint at = pane.ToScreenPoint({cell.left + 4, cell.top + 4});
    driver.click(at.x, at.y);
  }
};

TEST_F(ChartDownloadTest, DownloadedTracesDrawInAllChartsAndSingleModeWithTheLinesAtTheirProjectedColumns) {
  DownloadIntoNewEvent();
  AfterOperation([this] {
    CurrentEventWindow()->GetEvent()->SetModified(false);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(Control().GetModel()->SeriesCount(), kLanes);
  });
  When(
      "every lane drawn", [] { return Traces().size() == static_cast<std::size_t>(kLanes); },
      [this] {
        Snapshot("chart_download_all.png");
        ExpectAllCharts();
      });
  ChooseRow(kChosenRow);
  When(
      "the chosen lane drawn alone", [] { return !ResultsWindow().AllTraces() && Traces().size() == 1; },
      [this] {
        Snapshot("chart_download_single.png");
        EXPECT_EQ(ResultsWindow().Pane()->CurrentCell().y, kChosenRow);
        EXPECT_TRUE(ShowAllChartsButton()->Visible());
        EXPECT_EQ(Control().GetModel()->SeriesCount(), 1);
        EXPECT_EQ(Legend(), "Lane 2     (Set Time = 2.000s)");
        // The chosen lane's ramp in the trace colour where the projection puts its samples.
        const cf_3DPointSeries& trace = *Traces().front();
        for (const int32_t sample : {2000, kRampSample, 4900}) {
          const native::POINT at = SamplePoint(trace, sample);
          EXPECT_EQ(driver.pixel(at.x, at.y), kTraceBlue) << "sample " << sample;
        }
        ExpectLineAt(u"Set", kSetSample, trace);
        ExpectLineAt(u"", kGunSample, trace);
        ExpectLineAt(u"Legal", kLegalSample, trace);
        ExpectLineAt(kChosenReactionText, kChosenReactionSample, trace);
      });
  Then([this] { Click(ShowAllChartsButton()); });
  When(
      "every lane drawn again", [] { return ResultsWindow().AllTraces() && Traces().size() > 1; },
      [this] {
        EXPECT_FALSE(ShowAllChartsButton()->Visible());
        EXPECT_EQ(Legend(), "     (Set Time = 2.000s)");
        ExpectAllCharts();
      });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

// A line switch of the chart's tool bar changes its line alone: one press keeps the lane labels, and the
// second gives back the chart as it was, in every lane's chart and in one lane's. Lane 1's chart keeps lane
// 1's numbers after a press on lane 2's Last Name made lane 2's row current.
TEST_F(ChartDownloadTest, ALineSwitchPressedTwiceGivesTheChartBackAsItWas) {
  const auto pixels = [this] { return driver.pixels(ChartRect()); };
  // The texts an axis drew: the lane labels (and the power in one lane's chart), or the lines'.
  const auto axisTexts = [](int32_t axisNumber) {
    const cf_3DGridTickSeries& axis = Control().GetAxis(axisNumber);
    std::vector<std::u16string> texts;
    for (int32_t i = 1; i <= axis.GetItemCount(); ++i) {
      texts.push_back(axis.GetItem(i)->GetText() != nullptr ? axis.GetItem(i)->GetText()->Text() : u"");
    }
    return texts;
  };
  const auto laneLabels = [&] { return axisTexts(kLaneAxis); };
  const auto lineTexts = [&] { return axisTexts(kMarkerAxis); };
  const auto lines = [] {
    return Control().GetChartView()->IsDrawn() ? Control().GetAxis(kMarkerAxis).GetItemCount() : -1;
  };
  const auto pressSet = [this] { Click(ChartWindowButton(*ChartWindow(), QvZChartWindow::kShowSetCommand)); };
  std::vector<native::COLORREF> before;
  std::vector<std::u16string> labels;
  std::vector<std::u16string> texts;
  int32_t shownLines = 0;
  DownloadIntoNewEvent();
  AfterOperation([] { CurrentEventWindow()->GetEvent()->SetModified(false); });
  When(
      "every lane drawn", [] { return Traces().size() == static_cast<std::size_t>(kLanes); }, [] {});
  for (const bool single : {false, true}) {
    if (single) {
      ChooseRow(0);
      When(
          "lane 1 drawn alone", [] { return !ResultsWindow().AllTraces() && Traces().size() == 1; },
          [this] { ClickLastName(kChosenRow); });
      When(
          "lane 2's row current", [] { return ResultsWindow().Pane()->CurrentCell().y == kChosenRow; },
          [] {});
    }
    Then([&, single] {
      SCOPED_TRACE(single ? "one lane" : "every lane");
      before = pixels();
      labels = laneLabels();
      texts = lineTexts();
      shownLines = lines();
      EXPECT_EQ(labels.size(), single ? 1u : static_cast<std::size_t>(kLanes));
      if (single) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), u"0.15"), texts.end()) << "lane 1's reaction";
      }
      pressSet();
    });
    When(
        "the Set line gone", [&] { return lines() == shownLines - 1; },
        [&, single] {
          SCOPED_TRACE(single ? "one lane" : "every lane");
          EXPECT_EQ(laneLabels(), labels);
          EXPECT_GT(DifferingPixels(pixels(), before), 0) << "the Set line went";
          // Pressed again at a user's pace, no double click.
          driver.advanceClock(600);
          pressSet();
        });
    When(
        "the Set line back", [&] { return lines() == shownLines; },
        [&, single] {
          SCOPED_TRACE(single ? "one lane" : "every lane");
          EXPECT_EQ(laneLabels(), labels);
          EXPECT_EQ(lineTexts(), texts);
          EXPECT_EQ(DifferingPixels(pixels(), before), 0);
        });
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

// With lane 1's chart shown alone, one click on lane 2's Last Name makes lane 2's row current and leaves the
// chart on lane 1; Chart > Options answered OK without a change redraws it still on lane 1, under a legend
// naming lane 1; then Chart > Print, the name Export Bitmap offers and Chart Data stay lane 1's: the page
// below the header as printed before the click, the name ending in "-1", X at the gun 1300 (the
// simulator's ramp: 1000 a lane and a tenth of the sample).
TEST_F(ChartDownloadTest, PrintExportAndChartDataTakeTheLaneTheChartShows) {
  native::test::PrintFolder folder;
  const std::string printed = folder.file("chart.pdf");
  native::SetPrintDialogRunner(
      [&printed](const native::PrintDialogRequest&, native::PrintDialogChoice& choice) {
        choice.printer = native::PrinterDevice::kPdfFilePrinter;
        choice.outputFile = printed;
        return true;
      });
  std::string offered;
  Make({u"-devel"});
  KSetFileDialogHook([&offered](KFileDialogRequest& request) {
    offered = request.file->Name().ToUtf8();
    return -1;
  });
  const auto dataDialog = [] {
    return dynamic_cast<QvZChartDataDialog*>(ZafWindowObject::windowManager->FrontWindow());
  };
  struct Case {
    ZafEventType command;
    std::function<std::string()> output;  // empty until the command has given it
  } cases[] = {
      {QvZOptionsDialog::kChartCommand,
       [this, answered = false]() mutable {
         if (auto* options = dynamic_cast<QvZOptionsDialog*>(ZafWindowObject::windowManager->FrontWindow())) {
           Click(FindIn<KZButton>(options,
                                  [](KZButton& button) { return button.Value() == KZDialog::kOkResult; }));
           answered = true;
           return std::string();
         }
         return std::exchange(answered, false) ? Legend() : std::string();
       }},
      {QvZChartPane::kPrintCommand,
       [&folder, &printed] {
         if (native::test::pdfInfo(printed, "Pages") != "1") {
           return std::string();
         }
         std::system(
             ("pdftoppm -gray -r 100 -y 100 -W 800 -H 1000 '" + printed + "' '" + folder.file("page") + "'")
                 .c_str());
         std::remove(printed.c_str());
         return native::test::readFile(folder.file("page-1.pgm"));
       }},
      {QvZChartPane::kExportBitmapCommand, [&offered] { return std::exchange(offered, {}); }},
      {ChartShowDataCommand,
       [&dataDialog] { return dataDialog() != nullptr ? ChartDataCell(kGunSample, kDataX).ToUtf8() : ""; }},
  };
  // Each command's output before the click and after it; the chart data dialog is closed again.
  std::vector<std::string> outputs[2] = {std::vector<std::string>(4), std::vector<std::string>(4)};
  const auto giveOutputs = [&](std::vector<std::string>& into) {
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      Then([&cases, i] { Post(cases[i].command); });
      When(
          "the command's output", [&cases, &into, i] { return !(into[i] = cases[i].output()).empty(); },
          [this, &dataDialog] {
            if (dataDialog() != nullptr) {
              driver.pressKey(native::VK_ESCAPE);
            }
          });
    }
  };
  DownloadIntoNewEvent();
  AfterOperation([] { CurrentEventWindow()->GetEvent()->SetModified(false); });
  ChooseRow(0);
  When(
      "lane 1 drawn alone", [] { return !ResultsWindow().AllTraces() && Traces().size() == 1; }, [] {});
  giveOutputs(outputs[0]);
  Then([this] { ClickLastName(kChosenRow); });
  When(
      "lane 2's row current", [] { return ResultsWindow().Pane()->CurrentCell().y == kChosenRow; }, [] {});
  giveOutputs(outputs[1]);
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  native::SetPrintDialogRunner(nullptr);
  EXPECT_EQ(outputs[1][0], "Lane 1     (Set Time = 2.000s)");
  EXPECT_TRUE(outputs[1][1] == outputs[0][1]) << "the page printed after the click differs";
  EXPECT_TRUE(outputs[1][2].ends_with("-1")) << outputs[1][2];
  EXPECT_EQ(outputs[1][3], "1300");
}

}  // namespace
