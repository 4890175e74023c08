// The all-lanes chart of a downloaded event at the sizes users give it: whatever the size, the texts the
// chart draws (time numbers, lane labels, line titles, axis titles) lie whole in the chart, none prints
// over another or sits on the plot where the lines run, no axis title touches the plot's border, and no
// line title stands over another line; at a roomy size every label and both axis titles are drawn.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
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
// Texts side by side at least this far apart read as two.
constexpr int32_t kSideGap = 2;

struct DrawnText {
  int32_t axis;
  std::string text;
  cf_2DRect rect;
};

class ChartLabelSizesTest : public DownloadedEventTest {
 protected:
  static ZafChartControl& Control() { return *ChartWindow()->Pane()->Control(); }

  // Every text the chart drew last, the axis titles with axis 0.
  static std::vector<DrawnText> Drawn() {
    std::vector<DrawnText> drawn;
    for (int32_t axis = 1; axis <= static_cast<int32_t>(cf_ChartEngine::kAxisCount); ++axis) {
      const cf_3DGridTickSeries& series = Control().GetAxis(axis);
      for (int32_t i = 1; i <= series.GetItemCount(); ++i) {
        const cf_3DTextMarker& item = *series.GetItem(i);
        if (!item.DrawnTextRect().IsEmpty()) {
          drawn.push_back({axis, KString(item.GetText()->Text()).ToUtf8(), item.DrawnTextRect()});
        }
      }
    }
    for (int32_t axis = 1; axis <= static_cast<int32_t>(cf_ChartEngine::kAxisCount); ++axis) {
      cf_3DTextMarker& title = Control().GetAxis(axis).Title();
      if (!title.DrawnTextRect().IsEmpty()) {
        drawn.push_back({kAxisTitle, KString(title.GetText()->Text()).ToUtf8(), title.DrawnTextRect()});
      }
    }
    return drawn;
  }
  // The labels the chart has to show on an axis (its items with a text shown).
  static int32_t Labels(int32_t axis) {
    const cf_3DGridTickSeries& series = Control().GetAxis(axis);
    int32_t count = 0;
    for (int32_t i = 1; i <= series.GetItemCount(); ++i) {
      const cf_3DTextMarker& item = *series.GetItem(i);
      count += item.IsTextShown() && item.GetText() != nullptr && item.GetText()->Length() > 0 ? 1 : 0;
    }
    return count;
  }
  static int32_t DrawnOn(const std::vector<DrawnText>& drawn, int32_t axis) {
    int32_t count = 0;
    for (const DrawnText& text : drawn) {
      count += text.axis == axis ? 1 : 0;
    }
    return count;
  }

  void ExpectReadable() {
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
      for (int32_t m = 1; m <= markers.GetItemCount(); ++m) {
        const cf_3DTextMarker& line = *markers.GetItem(m);
        const int32_t x = line.GetAnchorPoint().GetScreenX();
        const bool own = line.DrawnTextRect() == rect;
        EXPECT_TRUE(own || x < rect.left || x >= rect.right) << "over the line at " << x;
      }
    }
  }
};

// Sizes of the event window's frame (five events tiled across or down in a 1024x768 or 800x600 frame) or of
// the main frame with its event maximised.
TEST_F(ChartLabelSizesTest, LabelsThatWouldNotReadAreLeftOutAndARoomyChartShowsThemAll) {
  struct Case {
    const char* name;
    bool frame;
    int32_t width, height;
    bool roomy;
  };
  const Case cases[] = {
      {"tiled across", false, 1016, 132, false},        {"tiled down", false, 201, 660, false},
      {"tiled across, 800x600", false, 792, 98, false}, {"tiled down, 800x600", false, 150, 500, false},
      {"800x600 frame", true, 800, 600, false},         {"390x290 frame", true, 390, 290, false},
      {"1024x768 frame", true, 1024, 768, true},
  };
  DownloadIntoNewEvent();
  AfterOperation([] { CurrentEventWindow()->GetEvent()->SetModified(false); });
  for (const Case& size : cases) {
    Then([&size] {
      native::HWND window =
          size.frame ? Frame()->ScreenID() : native::GetParent(CurrentEventWindow()->ScreenID());
      native::SetWindowPos(window, nullptr, 0, 0, size.width, size.height,
                           native::SWP_NOMOVE | native::SWP_NOZORDER);
    });
    When(
        "the chart drawn at its new size", [] { return Control().GetChartView()->IsDrawn(); },
        [this, &size] {
          SCOPED_TRACE(size.name);
          ExpectReadable();
          if (size.roomy) {
            const std::vector<DrawnText> drawn = Drawn();
            for (const int32_t axis : {kMarkerAxis, kTimeAxis, kLaneAxis}) {
              EXPECT_EQ(DrawnOn(drawn, axis), Labels(axis)) << "axis " << axis;
            }
            EXPECT_EQ(Labels(kTimeAxis), 11);
            EXPECT_EQ(Labels(kLaneAxis), 8);
            EXPECT_EQ(Labels(kMarkerAxis), 2);
            EXPECT_EQ(DrawnOn(drawn, kAxisTitle), 2);
          }
        });
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

}  // namespace
