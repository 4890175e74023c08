// The charts of a downloaded event at the sizes users give them, every lane's and one lane's: whatever the
// size, the texts the chart draws (time numbers, lane labels, line titles, axis titles) lie whole in the
// chart, none prints over another or sits on the plot where the lines run, no axis title touches the plot's
// border, and a line's title stands at its own line, above the plot; "Gun" and lane 1 stay while their
// axis shows a label, and the reaction time's title while any line's title does; at a roomy size every
// label and every title is drawn.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzresultspane.h"
#include "app/tests/downloadedeventtest.h"
#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_3dtextmarker.h"
#include "chart/cf_chartengine.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_chartview.h"
#include "chart/cf_datagroup.h"
#include "chart/zafchartcontrol.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"
#include "native/native.h"

namespace {

// Drawn texts of the axes' titles are recorded under this axis.
constexpr int32_t kAxisTitle = 0;
constexpr int32_t kMarkerAxis = 1;
constexpr int32_t kTimeAxis = 2;
constexpr int32_t kLaneAxis = 3;
constexpr int32_t kValueAxis = 4;
// Texts side by side at least this far apart read as two.
constexpr int32_t kSideGap = 3;
// A line's title starting or ending beside its line keeps no more than this many pixels from it.
constexpr int32_t kLineReach = 4;
// The chart of every lane rather than of one results row.
constexpr int32_t kAllLanes = -1;

struct DrawnText {
  int32_t axis;
  std::string text;
  cf_2DRect rect;
};

// A chart at a size of the event window's frame, or of the main frame with its event maximised.
struct Case {
  std::string name;
  int32_t row;
  bool frame;
  int32_t width, height;
  bool roomy = false;
  // The time numbers drawn, left to right, where given.
  std::vector<std::string> times = {};
  // The lines' titles, then the axis titles drawn, where given.
  std::vector<std::string> titles = {};
  // The time axis from -range to range seconds rather than the default -3 to 2 s.
  double range = 0;
  // The lane labels drawn, top to bottom, where given.
  std::vector<std::string> lanes = {};
  // The power numbers drawn, from 0 up, where given.
  std::vector<std::string> values = {};
};

class ChartLabelSizesTest : public DownloadedEventTest {
 protected:
  static std::string Text(const cf_3DTextMarker& marker) {
    return KString(marker.GetText()->Text()).ToUtf8();
  }
  // Every text the chart drew last, the axis titles with axis 0; a hidden axis draws none.
  static std::vector<DrawnText> Drawn() {
    std::vector<DrawnText> drawn;
    for (int32_t axis = 1; axis <= static_cast<int32_t>(cf_ChartEngine::kAxisCount); ++axis) {
      const cf_3DGridTickSeries& series = Control().GetAxis(axis);
      for (int32_t i = 1; series.IsVisible() && i <= series.GetItemCount(); ++i) {
        const cf_3DTextMarker& item = *series.GetItem(i);
        if (!item.DrawnTextRect().IsEmpty()) {
          drawn.push_back({axis, Text(item), item.DrawnTextRect()});
        }
      }
    }
    for (int32_t axis = 1; axis <= static_cast<int32_t>(cf_ChartEngine::kAxisCount); ++axis) {
      cf_3DTextMarker& title = Control().GetAxis(axis).Title();
      if (Control().GetAxis(axis).IsVisible() && !title.DrawnTextRect().IsEmpty()) {
        drawn.push_back({kAxisTitle, Text(title), title.DrawnTextRect()});
      }
    }
    return drawn;
  }
  // The text of the label that the program marked as its axis's key one; empty when it marked none.
  static std::string KeyText(const cf_DataGroup& group) {
    for (int32_t i = 1; i <= group.Count(); ++i) {
      if (group.GetPoint(i).IsKeyLabel()) {
        return KString(group.GetPoint(i).Label()->Text()).ToUtf8();
      }
    }
    return {};
  }
  static bool HasText(const cf_3DTextMarker& marker) {
    return marker.IsTextShown() && marker.GetText() != nullptr && marker.GetText()->Length() > 0;
  }
  // The texts the chart has to show on a shown axis (its items with a text shown), or of its shown axes'
  // titles.
  static int32_t Labels(int32_t axis) {
    int32_t count = 0;
    for (int32_t a = 1; a <= static_cast<int32_t>(cf_ChartEngine::kAxisCount); ++a) {
      cf_3DGridTickSeries& series = Control().GetAxis(a);
      if (!series.IsVisible()) {
        continue;
      }
      count += axis == kAxisTitle && HasText(series.Title()) ? 1 : 0;
      for (int32_t i = 1; a == axis && i <= series.GetItemCount(); ++i) {
        count += HasText(*series.GetItem(i)) ? 1 : 0;
      }
    }
    return count;
  }
  static std::vector<std::string> DrawnOn(const std::vector<DrawnText>& drawn, int32_t axis) {
    std::vector<std::string> texts;
    for (const DrawnText& text : drawn) {
      if (text.axis == axis) {
        texts.push_back(text.text);
      }
    }
    return texts;
  }

  void ExpectReadable(const Case& size) {
    const std::vector<DrawnText> drawn = Drawn();
    const native::RECT chart = driver.screenRect(Control().ScreenID());
    const cf_2DRect& plot = Control().GetEngine()->GetKernel().PlotRect();
    const cf_3DGridTickSeries& markers = Control().GetAxis(kMarkerAxis);
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      const DrawnText& text = drawn[i];
      SCOPED_TRACE(text.text);
      const cf_2DRect& rect = text.rect;
      EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= chart.right - chart.left &&
                  rect.bottom <= chart.bottom - chart.top)
          << "cut by the chart's edge";
      EXPECT_FALSE(rect.Overlaps(plot)) << "on the plot";
      if (text.axis == kAxisTitle) {
        const cf_2DRect apart{rect.left - kSideGap, rect.top - kSideGap, rect.right + kSideGap,
                              rect.bottom + kSideGap};
        EXPECT_FALSE(apart.Overlaps(plot)) << "against the plot's border";
      }
      for (std::size_t j = 0; j < i; ++j) {
        const cf_2DRect apart{rect.left - kSideGap, rect.top, rect.right + kSideGap, rect.bottom};
        EXPECT_FALSE(apart.Overlaps(drawn[j].rect)) << "over " << drawn[j].text;
      }
      if (text.axis != kMarkerAxis) {
        continue;
      }
      EXPECT_LE(rect.bottom, plot.top) << "under the top of its line";
      // A line's title stands beside or over its own line, and over no other line with a title.
      const cf_3DTextMarker* own = nullptr;
      for (int32_t m = 1; m <= markers.GetItemCount(); ++m) {
        own = markers.GetItem(m)->DrawnTextRect() == rect ? markers.GetItem(m) : own;
      }
      ASSERT_NE(own, nullptr);
      const int32_t ownX = own->GetAnchorPoint().GetScreenX();
      EXPECT_TRUE(rect.left - kLineReach <= ownX && ownX < rect.right + kLineReach) << "away from its line";
      for (int32_t m = 1; m <= markers.GetItemCount(); ++m) {
        const cf_3DTextMarker& line = *markers.GetItem(m);
        const int32_t x = line.GetAnchorPoint().GetScreenX();
        EXPECT_TRUE(x == ownX || line.DrawnTextRect().IsEmpty() || x < rect.left || x >= rect.right)
            << "over the line of " << Text(line);
      }
    }
    // Every lane's label stands in its own band, above its baseline and below the baseline of the lane
    // above, beside its own trace.
    const cf_3DGridTickSeries& laneAxis = Control().GetAxis(kLaneAxis);
    for (int32_t i = 1; size.row == kAllLanes && i <= laneAxis.GetItemCount(); ++i) {
      const cf_3DTextMarker& label = *laneAxis.GetItem(i);
      const int32_t baseline = label.GetAnchorPoint().GetScreenY();
      for (int32_t j = 1; !label.DrawnTextRect().IsEmpty() && j <= laneAxis.GetItemCount(); ++j) {
        const int32_t other = laneAxis.GetItem(j)->GetAnchorPoint().GetScreenY();
        EXPECT_TRUE(other < baseline ? label.DrawnTextRect().top >= other
                                     : label.DrawnTextRect().bottom <= baseline)
            << Text(label) << " outside its band, against " << Text(*laneAxis.GetItem(j));
      }
    }
    const std::vector<std::string> times = DrawnOn(drawn, kTimeAxis);
    EXPECT_TRUE(times.empty() || std::count(times.begin(), times.end(), gun) == 1) << "without " << gun;
    const std::vector<std::string> lanes = DrawnOn(drawn, kLaneAxis);
    EXPECT_TRUE(size.row != kAllLanes || lanes.empty() ||
                std::any_of(lanes.begin(), lanes.end(),
                            [](const std::string& lane) { return lane.rfind("Lane 1 ", 0) == 0; }))
        << "without lane 1";
    // On one lane's chart the reaction time's title is the last line title to go.
    const std::vector<std::string> lineTitles = DrawnOn(drawn, kMarkerAxis);
    const std::string reaction = KeyText(Control().GetModel()->GetGroups());
    EXPECT_EQ(reaction.empty(), size.row == kAllLanes);
    EXPECT_TRUE(reaction.empty() || lineTitles.empty() ||
                std::count(lineTitles.begin(), lineTitles.end(), reaction) == 1)
        << "without the reaction time";
    if (!size.times.empty()) {
      EXPECT_EQ(times, size.times);
    }
    if (!size.titles.empty()) {
      std::vector<std::string> titles = lineTitles;
      const std::vector<std::string> axisTitles = DrawnOn(drawn, kAxisTitle);
      titles.insert(titles.end(), axisTitles.begin(), axisTitles.end());
      EXPECT_EQ(titles, size.titles);
    }
    if (!size.lanes.empty()) {
      EXPECT_EQ(lanes, size.lanes);
    }
    if (!size.values.empty()) {
      EXPECT_EQ(DrawnOn(drawn, kValueAxis), size.values);
    }
    if (size.roomy) {
      for (const int32_t axis : {kAxisTitle, kMarkerAxis, kTimeAxis, kLaneAxis, kValueAxis}) {
        EXPECT_EQ(static_cast<int32_t>(DrawnOn(drawn, axis).size()), Labels(axis)) << "axis " << axis;
      }
      EXPECT_EQ(Labels(kTimeAxis), 11);
      EXPECT_EQ(Labels(kLaneAxis), size.row == kAllLanes ? 8 : 1);
      EXPECT_EQ(Labels(kMarkerAxis), size.row == kAllLanes ? 2 : 3);
      EXPECT_EQ(Labels(kAxisTitle), 2);
    }
  }

  // The time axis's label of the gun.
  std::string gun = "Gun";

  // Shows every lane or the row's lane alone over the row's time range, then sets the size.
  void Show(const Case& size, int32_t& shown, double& range) {
    if (size.range != range) {
      range = size.range;
      Then([range] {
        const bool narrowed = range > 0;
        ASSERT_TRUE(QvSettings::Write(KString::FromUtf8(
            "\\Chart\\Axes\\MinX:Float=" + (narrowed ? "-" + std::to_string(range) : std::string("-3")))));
        ASSERT_TRUE(QvSettings::Write(KString::FromUtf8(
            "\\Chart\\Axes\\MaxX:Float=" + (narrowed ? std::to_string(range) : std::string("2")))));
        Frame()->RedrawAllEvents();
      });
    }
    if (size.row != shown && size.row == kAllLanes) {
      Then([this] { Click(ShowAllChartsButton()); });
    } else if (size.row != shown) {
      ChooseRow(size.row);
    }
    shown = size.row;
    When(
        "the chart shown",
        [&size] {
          // The chart's legend names the row it shows alone, counted from 1.
          const std::string legend = ChartWindow()->ToolBar()->Caption().ToUtf8();
          return legend.rfind(size.row == kAllLanes ? " " : "Lane " + std::to_string(size.row + 1) + " ",
                              0) == 0 &&
                 Control().GetChartView()->IsDrawn();
        },
        [&size] {
          native::HWND window =
              size.frame ? Frame()->ScreenID() : native::GetParent(CurrentEventWindow()->ScreenID());
          native::SetWindowPos(window, nullptr, 0, 0, size.width, size.height,
                               native::SWP_NOMOVE | native::SWP_NOZORDER);
        });
  }
};

// Sizes of the event window's frame (five events tiled across or down in a 1024x768 or 800x600 frame) or of
// the main frame with its event maximised, for every lane's chart and for one lane's; then sweeps of sizes.
TEST_F(ChartLabelSizesTest, LabelsThatWouldNotReadAreLeftOutAndARoomyChartShowsThemAll) {
  const std::vector<std::string> reactionOnLegal = {"0.1", "Legal", "Time (seconds)", "Power"};
  std::vector<Case> cases = {
      {"tiled across", kAllLanes, false, 1016, 132},
      {"tiled down", kAllLanes, false, 201, 660},
      {"tiled across, 800x600", kAllLanes, false, 792, 98},
      {"tiled down, 800x600", kAllLanes, false, 150, 500},
      {"time numbers every 10th", kAllLanes, false, 150, 160, false, {"Gun"}},
      {"time numbers every 5th", kAllLanes, false, 200, 160, false, {"-2.5", "Gun"}},
      {"800x600 frame", kAllLanes, true, 800, 600},
      {"390x290 frame", kAllLanes, true, 390, 290},
      {"1024x768 frame", kAllLanes, true, 1024, 768, true},
      // Lane 8's reaction on the Gun line, its title 16 pixels from Legal's. Its power named at the right,
      // the power numbers in one notation.
      {"1080x768 frame, row 7",
       7,
       true,
       1080,
       768,
       true,
       {},
       {},
       0,
       {"Power 580"},
       {"0", "717,400", "1,434,800", "2,152,200", "2,869,600", "3,587,000"}},
      {"1130x768 frame, row 7", 7, true, 1130, 768, true},
      // Lane 5's reaction on the Legal line, over a second: both titles in rows above the plot.
      {"1024x768 frame, a second, row 4", 4, true, 1024, 768, false, {}, reactionOnLegal, 0.5},
      {"1016x180, a second, row 4", 4, false, 1016, 180, false, {}, reactionOnLegal, 0.5},
      {"1016x300, a second, row 4", 4, false, 1016, 300, false, {}, reactionOnLegal, 0.5},
      {"1016x467, a second, row 4", 4, false, 1016, 467, false, {}, reactionOnLegal, 0.5},
  };
  // Reaction lines a few pixels from the Legal line, or from the Gun line.
  for (const int32_t row : {0, 1, 2, 3, 4, 6}) {
    cases.push_back({"1024x768 frame, row " + std::to_string(row), row, true, 1024, 768, true});
  }
  const auto sweep = [&cases](int32_t row, std::vector<int32_t> widths, std::vector<int32_t> heights) {
    for (const int32_t width : widths) {
      for (const int32_t height : heights) {
        cases.push_back(
            {std::to_string(width) + "x" + std::to_string(height) + ", row " + std::to_string(row), row,
             false, width, height});
      }
    }
  };
  sweep(6, {110, 211, 450, 1016}, {160, 258});
  // A chart 162x43, its plot 1 pixel high, its lane labels all but level.
  cases.push_back({"162x43 chart", kAllLanes, false, 170, 152});
  // Narrow charts: "Power" clear of the time's title, which it would touch; lane 1, above its baseline
  // at the plot's top, before Legal's title, which would touch it.
  cases.push_back({"137x152, row -1", kAllLanes, false, 137, 152});
  cases.push_back(
      {"137x269, row -1", kAllLanes, false, 137, 269, false, {}, {"Set", "Time (seconds)", "Power"}});
  cases.push_back({"174x165, row -1",
                   kAllLanes,
                   false,
                   174,
                   165,
                   false,
                   {"-2.5", "Gun"},
                   {"Set", "Time (seconds)", "Power"},
                   false,
                   {"Lane 1 (0.150)"}});
  // The time axis narrowed to -0.2..0.2 s on a chart 61 pixels high: Legal's title stays above the plot,
  // clear of the time numbers.
  cases.push_back({"300x144, -0.2 to 0.2 s, row -1",
                   kAllLanes,
                   false,
                   300,
                   144,
                   false,
                   {"-0.2", "-0.1", "Gun", "0.1", "0.2"},
                   {"Legal", "Time (seconds)", "Power"},
                   0.2});
  sweep(kAllLanes, {110, 200, 300, 450, 1016}, {117, 160, 211, 240, 258});
  // Set 0.100 s before the gun, the reactions about the Legal line and just before the gun: the lines of
  // Set, Gun, the reaction and Legal within 0.2 s. Lane 4's title stands over Legal's line, lane 7's over
  // Set's. The gun is labelled "0", which reads as a number: the time numbers are still thinned counting
  // from it.
  std::vector<Case> closeLines = {{"1024x768 frame, Set near the gun, row 3", 3, true, 1024, 768},
                                  {"1024x768 frame, Set near the gun, row 6", 6, true, 1024, 768},
                                  {"150x160, Set near the gun, row 6", 6, false, 150, 160, false, {"-2.5", "0"}}};
  for (const int32_t width : {110, 150, 192, 450, 1016}) {
    closeLines.push_back({std::to_string(width) + "x258, Set near the gun, row 6", 6, false, width, 258});
  }

  // Lane 1's reaction at 0.150 s, lane 2's at 0.142, lane 3's at 0.095, lane 4's at 0.088, lane 5's at
  // 0.100, lane 7's at -0.020 and lane 8's at 0.000.
  CuScenario trials = EightLanes();
  trials.reactionTimes = {150, 142, 95, 88, 100, CuScenario::kNone, -20, 0};
  const auto unchanged = [] { CurrentEventWindow()->GetEvent()->SetModified(false); };
  DownloadIntoNewEvent(trials);
  AfterOperation(unchanged);
  int32_t shown = kAllLanes;
  double range = 0;
  const auto check = [&](const std::vector<Case>& sizes) {
    for (const Case& size : sizes) {
      Show(size, shown, range);
      When(
          "the chart drawn at its new size", [] { return Control().GetChartView()->IsDrawn(); },
          [this, &size] {
            SCOPED_TRACE(size.name);
            ExpectReadable(size);
          });
    }
  };
  check(cases);
  CuScenario setNearGun;
  setNearGun.setWord = 501900;
  setNearGun.reactionTimes = {101, 99, 105, 95, 110, 100, -5, 150};
  Then([this] {
    gun = "0";
    ASSERT_TRUE(QvSettings::Write(KString(u"\\Strings\\Chart\\Gun:String=0")));
  });
  DownloadIntoAnotherEvent(setNearGun);
  AfterOperation(unchanged);
  shown = kAllLanes;
  check(closeLines);
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

}  // namespace
