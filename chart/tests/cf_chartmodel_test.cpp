// The chart model: series made on demand with their colours, positions and automatic labels by domain
// mode, the computed ranges with their settings, first-use defaults, the legend, and when the engine is
// told to rebuild.

#include "chart/cf_chartmodel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "chart/tests/charttestengine.h"

namespace {

std::u16string LabelOf(const cf_XYZ& point) {
  return point.Label() ? std::u16string(point.Label()->Text()) : u"(none)";
}

std::string Narrow(const std::u16string& text) {
  return {text.begin(), text.end()};
}

// The Domain group's labels, apart by spaces.
std::string DomainLabels(cf_ChartModel& model) {
  std::string labels;
  for (int32_t i = 1; i <= model.GetDomain().Count(); ++i) {
    labels += (i > 1 ? " " : "") + Narrow(LabelOf(model.GetDomain().GetPoint(i)));
  }
  return labels;
}

// Series n holds the values, selected in order.
void AddSeries(cf_ChartModel& model, const std::vector<std::vector<double>>& series) {
  for (std::size_t n = 0; n < series.size(); ++n) {
    model.SelectSeries(static_cast<int32_t>(n + 1));
    for (double y : series[n]) {
      model.AddValue(y, nullptr, nullptr);
    }
  }
}

TEST(cf_ChartModel, MakesSeriesOnDemandInPaletteColours) {
  struct Case {
    int32_t select;
    int32_t count, current;
    bf_Color color;
  };
  const Case cases[] = {
      {1, 1, 1, 12}, {5, 5, 5, 11}, {0, 1, 1, 12}, {-3, 1, 1, 12}, {17, 17, 17, 12}, {16, 16, 16, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.select);
    cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
    const cf_DataGroup& group = model.SelectSeries(c.select);
    EXPECT_EQ(model.SeriesCount(), c.count);
    EXPECT_EQ(model.CurrentSeries(), c.current);
    EXPECT_EQ(model.FirstSeries(), 1);
    EXPECT_EQ(model.LastSeries(), c.count);
    EXPECT_EQ(group.DispAttribs().BackColor(), c.color);
    EXPECT_EQ(group.DispAttribs().ForeColor(), bf_Black);
    EXPECT_FALSE(group.HasPoints());
  }
  cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
  model.SetSeriesColor(18, 3);
  model.SetSeriesColor(0, 5);
  EXPECT_EQ(model.SeriesColor(2), 3) << "series 18 shares its palette entry with series 2";
  EXPECT_EQ(model.SeriesColor(0), bf_Black);
  EXPECT_EQ(model.SeriesStyle(4), 0u);
  EXPECT_FALSE(model.IsChanged()) << "selecting series changes no data";
}

TEST(cf_ChartModel, PlacesValuesAndLabelsByDomainMode) {
  struct Case {
    const char* name;
    int32_t mode;
    std::vector<const char16_t*> domainLabels;  // given with each value, or null
    std::string points;                         // each new point's x, and "=" its label when it shows one
    std::string domain;                         // the Domain group's labels afterwards
  };
  const Case cases[] = {
      {"counted", cf_ChartModel::kCounted, {nullptr, nullptr, nullptr}, "1 2 3", "1 2 3"},
      {"zero-based", cf_ChartModel::kZeroBased, {nullptr, nullptr, nullptr}, "0 1 2", "0 1 2"},
      {"an unknown mode counts", 7, {nullptr, nullptr}, "1 2", "1 2"},
      {"given labels are shown by the points",
       cf_ChartModel::kZeroBased,
       {u"Gun", nullptr, u""},
       "0=Gun 1 2=",
       "Gun 1 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_ChartModel model(nullptr, c.mode);
    std::string points;
    for (const char16_t* label : c.domainLabels) {
      const cf_XYZ& point = model.AddValue(5, label, nullptr);
      points += (points.empty() ? "" : " ") + std::to_string(static_cast<int>(point.X())) +
                (point.Label() ? "=" + Narrow(LabelOf(point)) : "");
    }
    EXPECT_EQ(points, c.points);
    EXPECT_EQ(DomainLabels(model), c.domain);
    EXPECT_TRUE(model.IsChanged());
  }

  // A second, shorter series adds no further domain labels; a range label is shown instead of the domain's.
  cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
  AddSeries(model, {{1, 2, 3}, {4}});
  const cf_XYZ& point = model.AddValue(9, u"ignored", u"Power");
  EXPECT_EQ(model.GetDomain().Count(), 4);
  EXPECT_EQ(LabelOf(point), u"Power");
  EXPECT_EQ(model.GetRange().GetPoint(1).X(), 2);
  EXPECT_EQ(model.GetRange().GetPoint(1).Y(), 9);

  model.SetDomainMode(cf_ChartModel::kZeroBased, false);
  EXPECT_EQ(model.GetDomain().Count(), 4);
  EXPECT_EQ(LabelOf(model.GetDomain().GetPoint(4)), u"3");
  EXPECT_EQ(model.GetDomain().Name(), cf_String(u"Domain"));
  model.AddXYValue(2.5, 1, u"half", nullptr);
  EXPECT_EQ(model.DomainMode(), cf_ChartModel::kOwnX);
  model.SetDomainMode(cf_ChartModel::kOwnX, false);
  EXPECT_EQ(model.GetDomain().Count(), 3) << "own x takes series 1's positions";
  EXPECT_EQ(LabelOf(model.GetDomain().GetPoint(2)), u"2");
}

TEST(cf_ChartModel, AddsAWholeSeriesOfValuesAsOneByOne) {
  struct Case {
    const char* name;
    int32_t mode;
    std::vector<std::vector<double>> before;  // series 1, 2, ... filled value by value first
    int32_t series;
    std::vector<double> values;
    std::string points;  // the series' points afterwards, x:y, then y's extent and sum
    std::string domain;
  };
  const Case cases[] = {
      {"a fresh series", cf_ChartModel::kZeroBased, {}, 1, {5, -2, 7}, "0:5 1:-2 2:7 y -2..7 10", "0 1 2"},
      {"a second series", cf_ChartModel::kCounted, {{1, 2}}, 2, {4, 4, 6}, "1:4 2:4 3:6 y 4..6 14", "1 2 3"},
      {"a series continued", cf_ChartModel::kZeroBased, {{3}}, 1, {9, 1}, "0:3 1:9 2:1 y 1..9 13", "0 1 2"},
      {"no values", cf_ChartModel::kCounted, {}, 3, {}, "y 0..0 0", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_ChartModel model(nullptr, c.mode);
    AddSeries(model, c.before);
    model.AddValues(c.series, c.values.data(), static_cast<int32_t>(c.values.size()));
    EXPECT_EQ(model.CurrentSeries(), c.series);
    const cf_DataGroup& group = model.SelectSeries(c.series);
    std::string points;
    for (const cf_XYZ& point : group.Points()) {
      points += std::to_string(static_cast<int>(point.X())) + ":" +
                std::to_string(static_cast<int>(point.Y())) + " ";
      EXPECT_EQ(point.Z(), c.series);
      EXPECT_FALSE(point.HasLabel());
    }
    points += "y " + std::to_string(static_cast<int>(group.MinY())) + ".." +
              std::to_string(static_cast<int>(group.MaxY())) + " " +
              std::to_string(static_cast<int>(group.SumY()));
    EXPECT_EQ(points, c.points);
    EXPECT_EQ(DomainLabels(model), c.domain);
    EXPECT_EQ(model.IsChanged(), !c.values.empty());
  }
}

TEST(cf_ChartModel, ComputesTheDomainRange) {
  struct Case {
    const char* name;
    int32_t mode;
    std::vector<int32_t> lengths;
    double max, min, step;
  };
  const Case cases[] = {
      {"zero-based, one series ends at its last position", cf_ChartModel::kZeroBased, {5}, 4, 0, 1},
      {"zero-based, series 1 the longest", cf_ChartModel::kZeroBased, {5, 3}, 4, 0, 1},
      {"zero-based, a longer second series", cf_ChartModel::kZeroBased, {5, 6}, 5, 0, 1},
      {"counted", cf_ChartModel::kCounted, {5, 3}, 5, 1, 1},
      {"counted, a longer second series", cf_ChartModel::kCounted, {2, 7}, 7, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_ChartModel model(nullptr, c.mode);
    std::vector<std::vector<double>> series;
    for (int32_t length : c.lengths) {
      series.emplace_back(static_cast<std::size_t>(length), 1.0);
    }
    AddSeries(model, series);
    EXPECT_EQ(model.DomainMax(), c.max);
    EXPECT_EQ(model.DomainMin(), c.min);
    EXPECT_EQ(model.DomainSpan(), c.max - c.min);
    EXPECT_EQ(model.MinDomainStep(), c.step);
  }

  cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
  model.AddXYValue(-2, 0, nullptr, nullptr);
  model.AddXYValue(-1.75, 0, nullptr, nullptr);
  model.SelectSeries(2);
  model.AddXYValue(4, 0, nullptr, nullptr);
  model.AddXYValue(6, 0, nullptr, nullptr);
  EXPECT_EQ(model.DomainMax(), 6);
  EXPECT_EQ(model.DomainMin(), -2);
  EXPECT_EQ(model.MinDomainStep(), 0.25);
  EXPECT_EQ(model.SeriesSpan(), 1) << "series 1 to 2";
  model.SetFixedDomainMax(5);
  model.SetFixedDomainMin(-3);
  EXPECT_EQ(model.DomainSpan(), 9) << "a fixed maximum only raises, a fixed minimum only lowers";
}

TEST(cf_ChartModel, ComputesTheValueRangeFromItsSettings) {
  struct Case {
    const char* name;
    std::vector<double> values;
    std::vector<double> rangeLabels;
    bool forceZero;
    double zeroFactor, fixedMin, fixedMax, margin;
    bool round;
    double min, max;
  };
  const double none = std::nan("");
  const Case cases[] = {
      {"a span that reaches 0 from the data", {2, 7}, {}, false, 1, none, none, 0, false, 0, 7},
      {"a span that does not", {5, 7, 9}, {}, false, 1, none, none, 0, false, 5, 9},
      {"forced to 0", {5, 7, 9}, {}, true, 1, none, none, 0, false, 0, 9},
      {"no pull to 0 with factor 0", {2, 7}, {}, false, 0, none, none, 0, false, 2, 7},
      {"negative data and the empty range group", {-9, -4}, {}, false, 1, none, none, 0, false, -9, 0},
      {"negative data pulled up to 0", {-9, -4}, {-6}, false, 1, none, none, 0, false, -9, 0},
      {"negative data kept below 0", {-9, -8}, {-8.5}, false, 0.1, none, none, 0, false, -9, -8},
      {"a range label widens the maximum", {1, 3}, {12}, false, 1, none, none, 0, false, 0, 12},
      {"fixed limits only widen", {2, 7}, {}, false, 0, 4, 8, 0, false, 2, 8},
      {"margins, then rounding outwards", {2.2, 7.1}, {}, false, 0, none, none, 0.5, true, 1, 8},
      {"rounding goes up, not to the nearest", {2.2, 7.2}, {}, false, 0, none, none, 0, true, 2, 8},
      {"a negative range rounds outwards", {-9.2, -4.7}, {-6}, false, 0, none, none, 0, true, -10, -4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_ChartModel model(nullptr, cf_ChartModel::kZeroBased);
    AddSeries(model, {c.values});
    for (double y : c.rangeLabels) {
      model.AddRangeLabel(y, u"lane");
    }
    model.SetForceZero(c.forceZero);
    model.SetZeroFactor(c.zeroFactor);
    if (!std::isnan(c.fixedMin)) {
      model.SetFixedValueMin(c.fixedMin);
      model.SetFixedValueMax(c.fixedMax);
    }
    model.SetValueMinMargin(c.margin);
    model.SetValueMaxMargin(c.margin);
    model.SetRoundValueMin(c.round);
    model.SetRoundValueMax(c.round);
    EXPECT_EQ(model.ValueMin(), c.min);
    EXPECT_EQ(model.ValueMax(), c.max);
    EXPECT_EQ(model.ValueSpan(), c.max - c.min);
  }
}

TEST(cf_ChartModel, StacksValuesByPointIndex) {
  cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
  AddSeries(model, {{1, -2, 3}, {4, -5}, {-1, 6, 2, 7}});
  model.SelectSeries(1);
  EXPECT_EQ(model.StackedValueMax(), 7) << "index 4 alone; index 1 gives 5, index 2 gives 6, index 3 gives 5";
  EXPECT_EQ(model.CurrentSeries(), 3);
  EXPECT_EQ(model.StackedValueMin(), -7);
  EXPECT_EQ(model.StackedValueSpan(), 14);
  model.SetFixedValueMax(20);
  model.SetValueMinMargin(1);
  EXPECT_EQ(model.StackedValueMax(), 20);
  EXPECT_EQ(model.StackedValueMin(), -8);
}

TEST(cf_ChartModel, GivesGroupsTheirDefaultsOnFirstUse) {
  using Check = bool (cf_TextAttribs::*)() const;
  struct Case {
    int32_t axis;
    Check titleAcross, titleUpDown;
    int32_t titleAngle;
    Check labelAcross, labelUpDown;
  };
  const Check right = &cf_TextAttribs::IsRight;  // the text stands left of its anchor
  const Check left = &cf_TextAttribs::IsLeft;
  const Check bottom = &cf_TextAttribs::IsBottom;  // above its anchor
  const Check top = &cf_TextAttribs::IsTop;
  const Check centreX = &cf_TextAttribs::IsCentreX;
  const Check centreY = &cf_TextAttribs::IsCentreY;
  const Case cases[] = {
      {1, right, bottom, 0, centreX, bottom}, {2, left, top, 0, centreX, top},
      {3, left, top, -90, left, centreY},     {4, right, bottom, 90, right, centreY},
      {5, left, top, 0, left, top},           {6, right, bottom, 0, right, bottom},
      {7, centreX, top, 0, centreX, top},     {9, centreX, centreY, 0, centreX, centreY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.axis);
    cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
    const cf_DataGroup& titleGroup = model.GetAxisTitleGroup(c.axis);
    const cf_TextAttribs& title = titleGroup.TextAttribs();
    const cf_TextAttribs& label = model.GetAxisLabelGroup(c.axis).TextAttribs();
    EXPECT_TRUE((title.*c.titleAcross)() && (title.*c.titleUpDown)());
    EXPECT_EQ(title.Angle(), c.titleAngle);
    EXPECT_TRUE((label.*c.labelAcross)() && (label.*c.labelUpDown)());
    EXPECT_EQ(titleGroup.DispAttribs().BackColor(), bf_Black);
  }

  cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
  EXPECT_EQ(&model.GetAxisTitleGroup(0), &model.GetAxisTitleGroup(2)) << "other numbers are axis 2";
  model.GetAxisTitleGroup(4).TextAttribs().SetCentreX();
  model.SetAxisTitle(u"Power", 4, -117, -90, 0);
  const cf_DataGroup& power = model.GetAxisTitleGroup(4);
  EXPECT_TRUE(power.TextAttribs().IsCentreX()) << "the defaults come once";
  EXPECT_EQ(power.Name(), cf_String(u"Power"));
  EXPECT_EQ(power.GetPoint(1).X(), -117);
  EXPECT_TRUE(model.IsChanged());
  model.ClearAxisTitles();
  EXPECT_EQ(power.Name(), cf_String(u"")) << "a cleared title shows nothing, where it was shared";
  EXPECT_TRUE(model.GetAxisTitleGroup(4).TextAttribs().IsRight()) << "and takes its defaults again";
  model.SetSeriesPassFlags(1, 0, true);
  EXPECT_EQ(model.SelectSeries(1).DispAttribs().PrimarySwitch(), 1);
  EXPECT_EQ(model.SelectSeries(3).DispAttribs().PrimarySwitch(), 1) << "a new series takes the flag";
}

TEST(cf_ChartModel, KeepsALegendApartFromTheData) {
  cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
  model.SetLegendWidth(3);
  model.AddLegendEntry(u"Lane 1", 10, 20, 0);
  EXPECT_EQ(model.GetLegendEntry(3).Name(), cf_String(u"Un-assigned Legend!"));
  EXPECT_EQ(model.LegendCount(), 3);
  const cf_DataGroup& first = model.GetLegendEntry(1);
  EXPECT_EQ(first.Name(), cf_String(u"Lane 1"));
  EXPECT_EQ(first.GetPoint(1).Y(), 20);
  EXPECT_TRUE(first.TextAttribs().IsLeft());
  EXPECT_EQ(first.TextAttribs().ForeColor(), 12);
  EXPECT_EQ(first.DispAttribs().Width(), 3u) << "its first use still came";
  EXPECT_EQ(first.DispAttribs().PrimarySwitch(), 1);
  EXPECT_EQ(model.GetLegendEntry(2).DispAttribs().BackColor(), 10);

  model.SetTitle(u"Heat 3", 1, 0, 125, -125);
  AddSeries(model, {{1, 2}, {3}});
  model.ClearData();
  EXPECT_EQ(model.SeriesCount(), 1);
  EXPECT_EQ(model.CurrentSeries(), 1);
  EXPECT_FALSE(model.SelectSeries(1).HasPoints());
  EXPECT_EQ(model.GetDomain().Count(), 0);
  EXPECT_EQ(model.GetDomain().Name(), cf_String(u"Domain"));
  EXPECT_EQ(model.LegendCount(), 3);
  EXPECT_EQ(model.GetTitleGroup(1).Name(), cf_String(u"Heat 3"));
  model.ClearTitles();
  EXPECT_EQ(model.GetTitleGroup(1).Name(), cf_String(u""));
}

TEST(cf_ChartModel, RebuildsTheEngineWhenAskedOrChanged) {
  struct Case {
    const char* name;
    std::function<void(cf_ChartModel&)> change;
    bool build, place, project, screen, fit;
    std::string stages;
  };
  const auto none = [](cf_ChartModel&) {};
  const Case cases[] = {
      {"nothing asked, nothing changed", none, false, false, false, false, false, ""},
      {"a later stage alone", none, false, false, true, false, true, "project fit "},
      {"changed data rebuild everything", [](cf_ChartModel& m) { m.AddValue(1, nullptr, nullptr); }, false,
       false, false, false, false, "build place project screen fit "},
      {"a setting changes no data", [](cf_ChartModel& m) { m.SetForceZero(true); }, false, true, false, false,
       false, "place "},
      {"a cleared legend is rebuilt", [](cf_ChartModel& m) { m.ClearLegend(); }, false, false, false, false,
       false, "build place project screen fit "},
      {"a build asked", none, true, false, false, false, false, "build place project screen fit "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEngine engine;
    cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
    model.Update(true, true, true, true, true);
    EXPECT_EQ(model.SetEngine(nullptr), 0);
    EXPECT_EQ(model.SetEngine(&engine), 1);
    model.Update(false, false, false, false, false);
    engine.stages.clear();
    c.change(model);
    model.Update(c.build, c.place, c.project, c.screen, c.fit);
    EXPECT_EQ(engine.stages, c.stages);
    EXPECT_FALSE(model.IsChanged());
  }
  TestEngine engine;
  cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
  EXPECT_EQ(model.SetDomainMode(cf_ChartModel::kZeroBased, true), 0) << "no engine";
  model.SetEngine(&engine);
  EXPECT_EQ(model.SetDomainMode(cf_ChartModel::kZeroBased, false), 0);
  EXPECT_EQ(model.SetDomainMode(cf_ChartModel::kZeroBased, true), 1);
  EXPECT_EQ(engine.stages, "build place project screen fit ");
}

}  // namespace
