// The chart a load builds, read back from the chart's model as data: series and their values, the time
// axis labels, the lane labels, the marker lines and the pens.

#include "app/chartload.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/tests/chartsettingstree.h"
#include "chart/cf_chartengine.h"
#include "chart/cf_chartmodel.h"
#include "chart/zafchartcontrol.h"
#include "model/qvresult.h"

namespace {

struct Label {
  double position;
  std::u16string text;
  friend bool operator==(const Label&, const Label&) = default;
};

void PrintTo(const Label& label, std::ostream* out) {
  *out << label.position << " \"" << KString(label.text.c_str()).ToUtf8() << '"';
}

enum class Along { kX, kY, kZ };

std::vector<Label> Labels(const cf_DataGroup& group, Along along) {
  std::vector<Label> labels;
  for (const cf_XYZ& point : group.Points()) {
    const double position = along == Along::kX ? point.X() : along == Along::kY ? point.Y() : point.Z();
    labels.push_back({position, point.Label() != nullptr ? point.Label()->Text() : u""});
  }
  return labels;
}

// A result in a lane whose trace is flat: X 0 and Y `force` over samples 0 to 4999.
std::unique_ptr<QvResult> LaneResult(const char16_t* lane, int32_t force = 2) {
  auto result = std::make_unique<QvResult>();
  result->SetAthleteField3(KString(lane));
  std::vector<int32_t> x(QvTrace::kBlockSize * QvTrace::kMaxBlocks, 0);
  std::vector<int32_t> y(x.size(), force);
  result->SetTrace(0, std::move(x), std::move(y));
  return result;
}

class ChartLoadTest : public testing::Test {
 protected:
  ChartLoadTest()
      : chart(1, 1, 60, 20, cf_ChartEngine::kLine, cf_ChartEngine::k2D, cf_ChartModel::kZeroBased) {}

  ChartRows Rows(std::initializer_list<const char16_t*> lanes) {
    ChartRows rows;
    for (const char16_t* lane : lanes) {
      owned.push_back(LaneResult(lane));
      rows.results.push_back(owned.back().get());
    }
    return rows;
  }
  void Load(const ChartRows& rows, bool reload = true) { load.LoadTraces(rows, {-1, -1}, reload, options); }
  cf_ChartModel& Model() { return *chart.GetModel(); }
  cf_DataGroup& Series(int32_t n) { return Model().SelectSeries(n); }
  std::vector<Label> Domain() { return Labels(Model().GetDomain(), Along::kX); }
  std::vector<Label> Range() { return Labels(Model().GetRange(), Along::kY); }
  std::vector<Label> Markers() { return Labels(Model().GetGroups(), Along::kZ); }

  ChartSettingsTree tree;
  ZafChartControl chart;
  ChartLoad load{&chart};
  ChartLoadOptions options;
  std::vector<std::unique_ptr<QvResult>> owned;
};

}  // namespace

TEST_F(ChartLoadTest, DefaultTimeAxisIs5000SamplesLabelledEveryHalfSecond) {
  ChartRows rows = Rows({u"1"});
  rows.allCharts = false;
  rows.selectedRow = 0;
  Load(rows);
  EXPECT_EQ(Series(1).Count(), 5000);
  const std::vector<Label> domain = Domain();
  ASSERT_EQ(domain.size(), 51u);
  EXPECT_EQ(domain[0], (Label{0, u"-3"}));
  EXPECT_EQ(domain[1], (Label{100, u""}));
  EXPECT_EQ(domain[5], (Label{500, u"-2.5"}));
  EXPECT_EQ(domain[30], (Label{3000, u"Gun"}));
  EXPECT_EQ(domain[35], (Label{3500, u"0.5"}));
  EXPECT_EQ(domain[50], (Label{5000, u"2"}));
  // Plot values below 500 take the default scale 1000, plus 10 % and rounded up to 2000.
  EXPECT_EQ(load.Scale(), 2000);
  EXPECT_FALSE(load.RangeTooSmall());
}

TEST_F(ChartLoadTest, AllLanesDrawEachRowInItsBand) {
  Load(Rows({u"3", u"4", u"5", u"6"}));
  ASSERT_EQ(load.Scale(), 2000);
  // Lane j is series 9 - j, lifted by 8 - j bands; lanes without a result get one baseline value.
  struct Case {
    int32_t lane;
    int32_t values;
    double first;
  };
  const Case cases[] = {{1, 1, 14000},   {2, 1, 12000}, {3, 5000, 10000},
                        {6, 5000, 4000}, {7, 1, 2000},  {8, 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lane);
    const cf_DataGroup& series = Series(9 - c.lane);
    ASSERT_EQ(series.Count(), c.values);
    EXPECT_EQ(series.GetPoint(0).Y(), c.first);
  }
  // The integral of |0| + |2| over 192 samples, lifted into lane 3's band.
  EXPECT_EQ(Series(6).GetPoint(4999).Y(), 10000 + 384);
  std::vector<Label> lanes = Range();
  std::sort(lanes.begin(), lanes.end(),
            [](const Label& a, const Label& b) { return a.position < b.position; });
  EXPECT_EQ(lanes, (std::vector<Label>{{0, u"Lane 8"},
                                       {2000, u"Lane 7"},
                                       {4000, u"Lane 6"},
                                       {6000, u"Lane 5"},
                                       {8000, u"Lane 4"},
                                       {10000, u"Lane 3"},
                                       {12000, u"Lane 2"},
                                       {14000, u"Lane 1"}}));
}

TEST_F(ChartLoadTest, EmptyListGivesLabelledBandsWithoutSeries) {
  Load(ChartRows{});
  EXPECT_EQ(load.Scale(), 30000);
  EXPECT_EQ(Model().FixedValueMax(), 240000);
  ASSERT_EQ(Range().size(), 8u);
  EXPECT_EQ(Range().back(), (Label{210000, u"Lane 1"}));
  for (int32_t series = 1; series <= 8; ++series) {
    EXPECT_EQ(Series(series).Count(), 0);
  }
}

TEST_F(ChartLoadTest, UnworkableSettingsDrawWithTheDefaults) {
  tree.Set(u"\\Chart\\Axes\\MinX:Float=5");
  tree.Set(u"\\Chart\\Axes\\MaxX:Float=-9");
  tree.Set(u"\\Chart\\Plotting\\PowerRoundVal:Int=0");
  Load(Rows({u"3", u"3", u"0", u"99", u"x"}));
  EXPECT_EQ(load.Scale(), 2000);
  EXPECT_EQ(Series(6).Count(), 5000);
  EXPECT_EQ(Domain().size(), 51u);
}

TEST_F(ChartLoadTest, TooSmallARangeHasNoTimeLabels) {
  tree.Set(u"\\Chart\\Axes\\MinX:Float=-0.004");
  tree.Set(u"\\Chart\\Axes\\MaxX:Float=0");
  Load(Rows({u"1"}));
  EXPECT_TRUE(load.RangeTooSmall());
  EXPECT_TRUE(Domain().empty());
  EXPECT_EQ(Series(8).Count(), 4);
}

TEST_F(ChartLoadTest, FalseStartsDrawRedByTheSetting) {
  struct Case {
    bool falseStart, charged, allInRed;
    bf_Color expected;
  };
  // Red is palette 12; the built-in trace colour choice 4 is palette 9.
  const Case cases[] = {{false, false, false, 9}, {true, false, false, 9}, {true, true, false, 12},
                        {true, false, true, 12},  {true, true, true, 12},  {false, false, true, 9}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.falseStart << c.charged << c.allInRed);
    tree.Set(c.allInRed ? u"\\Event\\Results\\ShowAllFSInRed:Bool=1"
                        : u"\\Event\\Results\\ShowAllFSInRed:Bool=0");
    ChartRows rows = Rows({u"1"});
    owned.back()->SetFalseStart(c.falseStart);
    owned.back()->SetFalseStartCharged(c.charged);
    Load(rows);
    EXPECT_EQ(chart.GetSeriesAttribs(8).BackColor(), c.expected);
  }
}

TEST_F(ChartLoadTest, MarkerLinesStandAtTheirSamples) {
  struct Case {
    const char* name;
    int32_t setTime;
    bool single;
    std::vector<Label> expected;
  };
  const Case cases[] = {
      {"set 1.5 s before the gun, one lane",
       1500,
       true,
       {{3143, u"0.143"}, {3143, u""}, {1500, u"Set"}, {3000, u""}, {3100, u"Legal"}}},
      {"set outside the window", 3500, true, {{3143, u"0.143"}, {3143, u""}, {3000, u""}, {3100, u"Legal"}}},
      {"all lanes: no reaction line", 1500, false, {{1500, u"Set"}, {3000, u""}, {3100, u"Legal"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChartRows rows = Rows({u"1"});
    rows.allCharts = !c.single;
    rows.selectedRow = 0;
    owned.back()->SetTime3(c.setTime);
    owned.back()->SetReactionTime(143);
    Load(rows);
    EXPECT_EQ(Markers(), c.expected);
  }
}

TEST_F(ChartLoadTest, LocalReactionLineOnlyForDevelopersInOneLane) {
  struct Case {
    const char* name;
    bool developer, localAlgorithm, single, reaction;
    bool marked;
  };
  const Case cases[] = {
      {"developer, switch on, one lane", true, true, true, true, true},
      {"without -devel", false, true, true, true, false},
      {"switch off", true, false, true, true, false},
      {"no reaction time", true, true, true, false, false},
      {"all lanes", true, true, false, true, false},
  };
  // A push from 0.8 s before the gun, 0.7 s after the set command: the search marks it at -0.8 s.
  const Label number{2200, u"-0.8"};
  const Label line{2200, u""};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto result = std::make_unique<QvResult>();
    std::vector<int32_t> x(QvTrace::kBlockSize * QvTrace::kMaxBlocks, 0);
    std::vector<int32_t> y(x.size(), 0);
    std::fill(y.begin() + 2200, y.end(), 100);
    result->SetTrace(0, std::move(x), std::move(y));
    result->SetTime3(1500);
    if (c.reaction) {
      result->SetReactionTime(143);
    }
    ChartRows rows;
    rows.results.push_back(result.get());
    rows.selectedRow = 0;
    rows.allCharts = !c.single;
    options.developer = c.developer;
    options.localAlgorithm = c.localAlgorithm;
    Load(rows);
    const std::vector<Label> domain = Domain();
    const std::vector<Label> markers = Markers();
    EXPECT_EQ(std::count(domain.begin(), domain.end(), number), c.marked ? 1 : 0);
    EXPECT_EQ(std::count(markers.begin(), markers.end(), line), c.marked ? 1 : 0);
  }
}
