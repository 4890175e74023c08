// What a chart draws from before it draws: its settings as read (values that cannot work replaced), the
// trace buffers prepared from a result, the scale, and which lane band each row takes.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/chartlanes.h"
#include "app/chartsettings.h"
#include "app/charttraces.h"
#include "app/tests/chartsettingstree.h"
#include "foundation/krint.h"
#include "model/qvresult.h"

namespace {

// A result whose trace holds samples 0 to 4999 of the two channels.
std::unique_ptr<QvResult> TraceResult(const std::function<int32_t(int32_t)>& x,
                                      const std::function<int32_t(int32_t)>& y) {
  std::vector<int32_t> first(QvTrace::kBlockSize * QvTrace::kMaxBlocks);
  std::vector<int32_t> second(first.size());
  for (size_t i = 0; i < first.size(); ++i) {
    first[i] = x(static_cast<int32_t>(i));
    second[i] = y(static_cast<int32_t>(i));
  }
  auto result = std::make_unique<QvResult>();
  EXPECT_TRUE(result->SetTrace(0, std::move(first), std::move(second)));
  return result;
}

std::unique_ptr<QvResult> ConstantResult(int32_t x, int32_t y) {
  return TraceResult([x](int32_t) { return x; }, [y](int32_t) { return y; });
}

}  // namespace

TEST(ChartSettings, ReplacesValuesThatCannotWorkInTheTree) {
  struct Case {
    const char* name;
    std::vector<const char16_t*> lines;
    double minX, maxX;
    int32_t powerRound, filterLength, minScale, defScale, multiScale;
  };
  const Case cases[] = {
      {"built-in values", {}, -3, 2, 1000, 0, 500, 1000, 30000},
      {"ends outside the samples are clamped",
       {u"\\Chart\\Axes\\MinX:Float=-7", u"\\Chart\\Axes\\MaxX:Float=1.5"},
       -3,
       1.5,
       1000,
       0,
       500,
       1000,
       30000},
      {"crossed ends take the defaults",
       {u"\\Chart\\Axes\\MinX:Float=5", u"\\Chart\\Axes\\MaxX:Float=-9"},
       -3,
       2,
       1000,
       0,
       500,
       1000,
       30000},
      {"a tiny valid range stays",
       {u"\\Chart\\Axes\\MinX:Float=-0.004", u"\\Chart\\Axes\\MaxX:Float=0"},
       -0.004,
       0,
       1000,
       0,
       500,
       1000,
       30000},
      {"values that cannot work",
       {u"\\Chart\\Plotting\\PowerRoundVal:Int=0", u"\\Chart\\Plotting\\MinScaleVal:Int=-5",
        u"\\Chart\\Plotting\\DefScaleVal:Int=0", u"\\Chart\\Plotting\\MultiScaleVal:Int=-1",
        u"\\Chart\\Plotting\\FiltAvePts:Int=-3"},
       -3,
       2,
       1000,
       0,
       500,
       1000,
       30000},
      {"working values kept",
       {u"\\Chart\\Plotting\\PowerRoundVal:Int=250", u"\\Chart\\Plotting\\FiltAvePts:Int=5",
        u"\\Chart\\Plotting\\MinScaleVal:Int=1", u"\\Chart\\Plotting\\DefScaleVal:Int=7",
        u"\\Chart\\Plotting\\MultiScaleVal:Int=9"},
       -3,
       2,
       250,
       5,
       1,
       7,
       9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChartSettingsTree tree;
    for (const char16_t* line : c.lines) {
      tree.Set(line);
    }
    const ChartSettings settings = ChartSettings::Read();
    EXPECT_DOUBLE_EQ(settings.minX, c.minX);
    EXPECT_DOUBLE_EQ(settings.maxX, c.maxX);
    EXPECT_EQ(settings.powerRoundVal, c.powerRound);
    EXPECT_EQ(settings.filtAvePts, c.filterLength);
    EXPECT_EQ(settings.minScaleVal, c.minScale);
    EXPECT_EQ(settings.defScaleVal, c.defScale);
    EXPECT_EQ(settings.multiScaleVal, c.multiScale);
  }
  ChartSettingsTree tree;
  tree.Set(u"\\Chart\\Plotting\\PowerRoundVal:Int=0");
  ChartSettings::Read();
  EXPECT_EQ(KRegistry::GetInt(tree.Root(), u"\\Chart\\Plotting\\PowerRoundVal")->Value(), 1000);
}

TEST(ChartTraces, AverageOnlyFilteredModesOverAtMostTheWindow) {
  const auto ramp = TraceResult([](int32_t i) { return i; }, [](int32_t) { return 0; });
  struct Case {
    const char* name;
    int32_t mode;
    int32_t length;
    double minX, maxX;
    double at2, at3, at100;
  };
  const Case cases[] = {
      {"length 0 leaves the trace", kChartFilteredX, 0, -3, 2, 2, 3, 100},
      {"length 1 leaves the trace", kChartFilteredX, 1, -3, 2, 2, 3, 100},
      {"length 4 averages", kChartFilteredX, 4, -3, 2, 0, 1.5, 98.5},
      {"raw mode ignores the length", kChartRawX, 4, -3, 2, 2, 3, 100},
      {"length above the window is cut to it", kChartFilteredX, 10, -0.004, 0, 0, 1.5, 98.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChartSettings settings;
    settings.filtAvePts = c.length;
    settings.minX = c.minX;
    settings.maxX = c.maxX;
    ChartTraces& traces = ChartTraces::Shared();
    traces.Prepare(ramp.get(), c.mode, settings);
    EXPECT_DOUBLE_EQ(traces.PlotValue(c.mode, 2), c.at2);
    EXPECT_DOUBLE_EQ(traces.PlotValue(c.mode, 3), c.at3);
    EXPECT_DOUBLE_EQ(traces.PlotValue(c.mode, 100), c.at100);
    EXPECT_DOUBLE_EQ(traces.RawX()[100], 100);
  }
}

TEST(ChartTraces, SummedModeIntegratesBothChannelsOverTheStoredWindow) {
  const auto result = ConstantResult(3, -4);
  struct Case {
    int32_t sumLength;
    int32_t sample;
    double expected;
  };
  // The trace is stored up to sample 4999; |3| + |-4| summed over 192 samples is 1344.
  const Case cases[] = {{192, 190, 0}, {192, 191, 1344}, {192, 4999, 1344}, {192, 5000, 0},
                        {0, 0, 7},     {-5, 0, 7},       {1, 4999, 7},      {1, 5000, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sumLength << " at " << c.sample);
    ChartSettings settings;
    settings.sumIntegral = c.sumLength;
    ChartTraces& traces = ChartTraces::Shared();
    traces.Prepare(result.get(), kChartSummed, settings);
    EXPECT_DOUBLE_EQ(traces.PlotX()[10], 7);
    EXPECT_DOUBLE_EQ(traces.PlotY()[c.sample], c.expected);
  }
}

TEST(ChartTraces, KeepsNothingOfTheTracePreparedBefore) {
  const auto full = ConstantResult(5, 6);
  // Samples 1000 to 1999 of 3 and -4.
  auto windowed = std::make_unique<QvResult>();
  ASSERT_TRUE(windowed->SetTrace(1000, std::vector<int32_t>(1000, 3), std::vector<int32_t>(1000, -4)));
  struct Case {
    const char* name;
    int32_t mode;
    const double* (ChartTraces::*buffer)() const;
    int32_t sample;
    double expected;
  };
  const Case cases[] = {
      {"filtered before the window", kChartFilteredX, &ChartTraces::PlotX, 500, 0},
      {"summed X before the window", kChartSummed, &ChartTraces::PlotX, 500, 0},
      {"summed X after it", kChartSummed, &ChartTraces::PlotX, 2500, 0},
      {"summed Y before its first whole sum", kChartSummed, &ChartTraces::PlotY, 100, 0},
      {"summed Y after the window", kChartSummed, &ChartTraces::PlotY, 2500, 0},
      {"summed Y inside the window", kChartSummed, &ChartTraces::PlotY, 1500, 1344},
  };
  // Unfiltered and filtered: the sums of whole samples and of their means.
  for (const int32_t filter : {0, 4}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.name << ", filter " << filter);
      // The trace before is summed from its first sample on, so every sample of its buffers is non-zero.
      ChartSettings before;
      before.sumIntegral = 1;
      ChartSettings settings;
      settings.filtAvePts = filter;
      ChartTraces& traces = ChartTraces::Shared();
      traces.Prepare(full.get(), kChartSummed, before);
      traces.Prepare(windowed.get(), c.mode, settings);
      EXPECT_DOUBLE_EQ((traces.*c.buffer)()[c.sample], c.expected);
    }
  }
}

TEST(ChartTraces, ScaleOnlyGrowsWithHeadroomAndRounding) {
  struct Case {
    const char* name;
    int32_t plotted;
    int32_t before;
    int32_t round;
    int32_t expected;
  };
  const Case cases[] = {
      {"below the least scale", 400, 0, 1000, 2000},
      {"above it", 1900, 0, 1000, 3000},
      {"rounded to 250", 1900, 0, 250, 2250},
      {"smaller than the scale so far", 400, 2000, 1000, 2000},
      {"grows past the scale so far", 2600, 2000, 1000, 3000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChartSettings settings;
    settings.powerRoundVal = c.round;
    const auto result = ConstantResult(0, c.plotted);
    ChartTraces& traces = ChartTraces::Shared();
    traces.Prepare(result.get(), kChartFilteredY, settings);
    EXPECT_EQ(traces.GrowScale(c.before, settings), c.expected);
  }
}

TEST(ChartLanes, EachBandTakesExactlyOneRowAndIsItsOwnLane) {
  struct Case {
    const char* name;
    std::vector<KString> texts;
    int32_t lanes;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {"lanes 3 to 6 of 8", {u"3", u"4", u"5", u"6"}, 8, {3, 4, 5, 6, 1, 2, 7, 8}},
      {"taken, 0, out of range, no number", {u"3", u"3", u"0", u"99", u"x"}, 8, {3, 1, 2, 4, 5, 6, 7, 8}},
      {"lanes 1 to 4 as the rows' own numbering", {u"1", u"2", u"3", u"4"}, 6, {1, 2, 3, 4, 5, 6}},
      {"blanks around a number", {u" 2 "}, 3, {2, 1, 3}},
      {"no results", {}, 3, {1, 2, 3}},
      {"no lanes", {}, 0, {}},
      {"lane 6 of 8 left out", {u"1", u"2", u"3", u"4", u"5", u"7", u"8"}, 7, {1, 2, 3, 4, 5, 7, 8, 6}},
      {"lane 15, and 16 past the most a unit serves",
       {u"15", u"16"},
       2,
       {15, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AssignChartLanes(c.texts, c.lanes), c.expected);
  }
}
