// The charts of a downloaded event at the sizes users give them, every lane's and one lane's: whatever the
// size, the texts the chart draws (time numbers, lane labels, line titles, axis titles) lie whole in the
// chart, none prints over another or sits on the plot where the lines run, no axis title touches the plot's
// border, and a line's title stands at its own line; "Gun" and lane 1 stay while their axis shows a label;
// at a roomy size every label and every title is drawn.

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
#include "chart/cf_chartview.h"
#include "chart/zafchartcontrol.h"
#include "model/qvevent.h"
#include "native/native.h"

namespace {

// Drawn texts of the axes' titles are recorded under this axis.
constexpr int32_t kAxisTitle = 0;
constexpr int32_t kMarkerAxis = 1;
constexpr int32_t kTimeAxis = 2;
constexpr int32_t kLaneAxis = 3;
constexpr int32_t kValueAxis = 4;
// Texts side by side at least this far apart read as two.
constexpr int32_t kSideGap = 2;
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
    const std::vector<std::string> times = DrawnOn(drawn, kTimeAxis);
    EXPECT_TRUE(times.empty() || std::count(times.begin(), times.end(), "Gun") == 1) << "without Gun";
    const std::vector<std::string> lanes = DrawnOn(drawn, kLaneAxis);
    EXPECT_TRUE(size.row != kAllLanes || lanes.empty() ||
                std::any_of(lanes.begin(), lanes.end(),
                            [](const std::string& lane) { return lane.rfind("Lane 1 ", 0) == 0; }))
        << "without lane 1";
    if (!size.times.empty()) {
      EXPECT_EQ(times, size.times);
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

  // Shows every lane or the row's lane alone, then sets the size.
  void Show(const Case& size, int32_t& shown) {
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
  };
  // Lane 1's reaction at 0.150 s, lane 2's at 0.142, lane 3's at 0.095, lane 4's and 5's at 0.088 and lane
  // 7's at -0.020: its line a few pixels from the Legal line, or from the Gun line.
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
  sweep(kAllLanes, {110, 200, 300, 450, 1016}, {117, 160, 211, 240, 258});
  DownloadIntoNewEvent();
  AfterOperation([] { CurrentEventWindow()->GetEvent()->SetModified(false); });
  int32_t shown = kAllLanes;
  for (const Case& size : cases) {
    Show(size, shown);
    When(
        "the chart drawn at its new size", [] { return Control().GetChartView()->IsDrawn(); },
        [this, &size] {
          SCOPED_TRACE(size.name);
          ExpectReadable(size);
        });
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

}  // namespace
