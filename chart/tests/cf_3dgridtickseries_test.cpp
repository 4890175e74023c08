// Axis grids and ticks: the items of value runs and category axes with their label, grid and major
// counters, where each face puts an item, settings that re-flag the items made, and staggered labels.

#include "chart/cf_3dgridtickseries.h"

#include <cmath>
#include <sstream>

#include "chart/cf_chartmodel.h"
#include "chart/tests/charttestbed.h"
#include "chart/tests/charttestengine.h"

namespace {

// Each item as its label, then L when the label shows, G with a grid line, m with a half (minor) tick and
// - without a tick.
std::string Describe(const cf_3DGridTickSeries& axis) {
  std::ostringstream out;
  for (int32_t i = 1; i <= axis.GetItemCount(); ++i) {
    const cf_3DTextMarker& item = *axis.GetItem(i);
    const cf_3DPoint& bend = item.GetBendPoint();
    const cf_3DPoint& end = item.GetTextPoint();
    const double tick = std::hypot(end.GetBoxX() - bend.GetBoxX(), end.GetBoxY() - bend.GetBoxY());
    out << (i > 1 ? " " : "")
        << std::string(item.GetText()->Text(), item.GetText()->Text() + item.GetText()->Length())
        << (item.IsTextShown() ? "L" : "") << (item.GetFirstLeader() ? "G" : "")
        << (std::abs(tick - 1.5) < 1e-9 ? "m" : "") << (item.GetSecondLeader() ? "" : "-");
  }
  return out.str();
}

// A model whose values, and an engine whose y range, run from lo to hi.
void ValuesFrom(cf_ChartModel& model, TestEngine& engine, double lo, double hi) {
  model.SetZeroFactor(0);
  model.AddValue(lo, nullptr, nullptr);
  model.AddValue(hi, nullptr, nullptr);
  if (hi < 0) {
    model.SetValueMaxMargin(hi);
  }
  engine.SetRange(1, lo, hi);
}

TEST(cf_3DGridTickSeries, RunsValueTicksFromZeroToTheEnds) {
  struct Case {
    const char* name;
    int32_t mode;
    double lo, hi;
    double step;  // 0: the automatic step over the divisions
    int32_t divisions, labels, grids, majors;
    bool endLabels;
    std::string items;
  };
  const int32_t counted = cf_ChartModel::kCounted;
  const int32_t zeroBased = cf_ChartModel::kZeroBased;
  const Case cases[] = {
      {"0 to 10 in ten divisions", counted, 0, 10, 0, 10, 1, 0, 1, true, "0L 1L 2L 3L 4L 5L 6L 7L 8L 9L 10L"},
      {"no divisions make no ticks", counted, 0, 10, 0, 0, 1, 0, 1, true, ""},
      {"-5 to 5 by 2 from the zero item", zeroBased, -5, 5, 2, 10, 1, 0, 1, true, "0L 2L 4L 5L -2L -4L -5L"},
      {"2 to 9 by 3", counted, 2, 9, 3, 10, 1, 0, 1, true, "2L 5L 8L 9L"},
      {"below 0 only", counted, -9, -2, 3, 10, 1, 0, 1, true, "-2L -5L -8L -9L"},
      {"equal ends make no ticks", counted, 3, 3, 1, 10, 1, 0, 1, true, ""},
      {"a tenth, without a stray item before the end", counted, 0, 1, 0.1, 10, 1, 0, 1, true,
       "0L 0.1L 0.2L 0.3L 0.4L 0.5L 0.6L 0.7L 0.8L 0.9L 1L"},
      {"every second label, the end's forced", counted, 0, 9, 1, 10, 2, 0, 1, true,
       "0L 1 2L 3 4L 5 6L 7 8L 9L"},
      {"every second label, none forced", zeroBased, -3, 3, 1, 10, 2, 0, 1, false, "0L 1 2L 3 -1 -2L -3"},
      {"every third tick full length", counted, 0, 6, 1, 10, 1, 0, 3, true, "0L 1Lm 2Lm 3L 4Lm 5Lm 6L"},
      {"grid lines every second item", zeroBased, -2, 4, 1, 10, 1, 2, 1, true, "0LG 1L 2LG 3L 4LG -1L -2LG"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEngine engine;
    cf_ChartModel model(nullptr, c.mode);
    ValuesFrom(model, engine, c.lo, c.hi);
    cf_3DGridTickSeries& axis = engine.leftY;
    EXPECT_TRUE(c.step > 0 ? axis.SetTickStep(c.step) : axis.SetTickCount(c.divisions));
    axis.SetLabelInterval(c.labels);
    axis.SetMarkInterval(c.grids);
    axis.SetMinorCount(c.majors);
    axis.SetLabelAtMax(c.endLabels);
    axis.SetLabelAtMin(c.endLabels);
    EXPECT_EQ(axis.Build(model), c.items.empty() ? 0 : 1);
    EXPECT_EQ(Describe(axis), c.items);
  }
  TestEngine engine;
  EXPECT_FALSE(engine.leftY.SetTickCount(-4));
  EXPECT_EQ(engine.leftY.GetTickCount(), 0);
  EXPECT_FALSE(engine.leftY.SetTickStep(-1));
  EXPECT_EQ(engine.leftY.GetTickStep(), 0);
  EXPECT_FALSE(engine.leftY.IsAutoStep());
}

TEST(cf_3DGridTickSeries, SpansTheDomainWithAtLeastAWholeStep) {
  struct Case {
    const char* name;
    int32_t type, mode;
    std::string items;
  };
  // Five values in one series.
  const Case cases[] = {
      {"zero-based line ends at the last position", cf_ChartEngine::kLine, cf_ChartModel::kZeroBased,
       "0L 1L 2L 3L 4L"},
      {"zero-based columns take one more slot", cf_ChartEngine::kCol, cf_ChartModel::kZeroBased,
       "0L 1L 2L 3L 4L 5L"},
      {"counted", cf_ChartEngine::kLine, cf_ChartModel::kCounted, "1L 2L 3L 4L 5L"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEngine engine(c.type);
    cf_ChartModel model(nullptr, c.mode);
    for (double y : {3.0, 1.0, 4.0, 1.0, 5.0}) {
      model.AddValue(y, nullptr, nullptr);
    }
    engine.SetRange(0, model.DomainMin(), model.DomainMax());
    engine.bottomX.Build(model);
    EXPECT_EQ(Describe(engine.bottomX), c.items);
    EXPECT_EQ(engine.bottomX.GetTickStep(), 1) << "half a position rounds up to one";
  }
}

TEST(cf_3DGridTickSeries, TakesCategoriesFromTheLabelGroups) {
  struct Case {
    const char* name;
    uint32_t style;
    double step;
    std::string items;
  };
  const Case cases[] = {
      {"domain texts or positions", cf_3DGridTickSeries::kDomainCategories, 1, "GunL 1.5L L 2.5L 4L"},
      {"every second domain item", cf_3DGridTickSeries::kDomainCategories, 2, "GunL L 4L"},
      {"a step below one makes none", cf_3DGridTickSeries::kDomainCategories, 0.5, ""},
      {"range values", cf_3DGridTickSeries::kRangeCategories, 1, "1L 2L 3L 4L"},
      {"running sums of the range", cf_3DGridTickSeries::kRangeRunningSums, 1, "1L 3L 6L 10L"},
      {"group positions", cf_3DGridTickSeries::kGroupCategories, 1, "SetL 0.143L 1250L"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEngine engine;
    cf_ChartModel model(nullptr, cf_ChartModel::kZeroBased);
    model.AddDomainLabel(0, u"Gun");
    model.AddDomainNumberLabel(1, 1.5);
    model.AddDomainLabel(2, u"");
    model.AddDomainNumberLabel(3, 2.5);
    model.GetDomain().AddPoint(4, 0, 0);
    for (double y : {1.0, 2.0, 3.0, 4.0}) {
      model.GetRange().AddPoint(0, y, 0);
    }
    model.AddGroupLabel(800, u"Set");
    model.AddGroupNumberLabel(1100, 0.143);
    model.GetGroups().AddPoint(3, 0, 1250);
    cf_3DGridTickSeries& axis = engine.bottomX;
    axis.SetStyle(c.style);
    axis.SetTickStep(c.step);
    axis.Build(model);
    EXPECT_EQ(Describe(axis), c.items);
  }
}

TEST(cf_3DGridTickSeries, EachFacePutsItsItemOnItsEdge) {
  struct Point {
    double x, y, z;
  };
  struct Case {
    const char* name;
    uint32_t axis;
    double value;
    bool minor, invert;
    Point p0, p1, p2;
  };
  const Case cases[] = {
      {"back face x", 1, 5, false, false, {50, 0, 0}, {50, 100, 0}, {50, 103, 0}},
      {"bottom face x, minor", 2, 5, true, false, {50, 0, 0}, {50, 0, 100}, {50, -1.5, 100}},
      {"back face y", 3, 10, false, false, {0, 50, 0}, {100, 50, 0}, {103, 50, 0}},
      {"left face y, inverted", 4, 10, false, true, {0, 50, 0}, {0, 50, 100}, {3, 50, 100}},
      {"bottom face z", 5, 1, false, false, {0, 0, 20}, {100, 0, 20}, {103, 0, 20}},
      {"left face z", 6, 1, false, false, {0, 0, 20}, {0, 100, 20}, {-3, 100, 20}},
      {"polar floor, never inverted", 7, 0, true, true, {-50, -50, -50}, {50, -50, 0}, {51.5, -50, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestEngine engine;
    engine.SetRange(0, 0, 10);
    engine.SetRange(1, 0, 20);
    engine.SetRange(2, 0, 5);
    cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
    cf_3DGridTickSeries& axis = *engine.GetAxis(c.axis);
    axis.SetStyle(cf_3DGridTickSeries::kNothing);
    axis.SetInvertTicks(c.invert);
    EXPECT_EQ(axis.Build(model), 0);
    const cf_3DTextMarker& item = *axis.CreateItem(c.value, c.minor);
    const std::pair<const cf_3DPoint*, Point> points[] = {
        {&item.GetAnchorPoint(), c.p0}, {&item.GetBendPoint(), c.p1}, {&item.GetTextPoint(), c.p2}};
    for (const auto& [point, expected] : points) {
      EXPECT_NEAR(point->GetBoxX(), expected.x, 1e-9);
      EXPECT_NEAR(point->GetBoxY(), expected.y, 1e-9);
      EXPECT_NEAR(point->GetBoxZ(), expected.z, 1e-9);
    }
    EXPECT_EQ(item.GetTextAtBend(), c.invert && c.axis != 7) << "inverted labels stay on the edge";
    EXPECT_EQ(item.TextSwitch(), 1);
  }
}

TEST(cf_3DGridTickSeries, SettingsReflagTheItemsMade) {
  TestEngine engine;
  cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
  ValuesFrom(model, engine, 0, 6);
  cf_3DGridTickSeries& axis = engine.leftY;
  axis.SetTickStep(1);
  axis.Build(model);
  axis.SetMarkInterval(3);
  axis.SetAllItemsFlag(true);
  axis.SetInvertTicks(true);
  axis.SetEndItemAtMax(false);
  EXPECT_EQ(Describe(axis), "0LG- 1L- 2L- 3LG- 4L- 5L- 6LG-");
  EXPECT_FALSE(axis.GetItem(1)->GetTextAtBend()) << "inverting waits for the next build";
  axis.SetLabelInterval(0);
  EXPECT_FALSE(axis.GetLabelAtMax());
  EXPECT_EQ(Describe(axis), "0G- 1- 2- 3G- 4- 5- 6G-");
  EXPECT_FALSE(axis.SetMarkInterval(-2));
  EXPECT_EQ(axis.GetMarkInterval(), 0);
  axis.Build(model);
  EXPECT_EQ(Describe(axis), "0- 1- 2- 3- 4- 5-") << "no end item, and no label forced";
  EXPECT_TRUE(axis.GetItem(1)->GetTextAtBend());
  axis.Hide();
  EXPECT_EQ(axis.Build(model), 0);
  EXPECT_EQ(axis.GetItemCount(), 0);
}

TEST_F(ChartDrawTest, StaggeredLabelsAlternateAboveAndBelow) {
  TestEngine engine;
  cf_Kernel& kernel = engine.GetKernel();
  window.drawRegion = {0, 0, 100, 100, ZAF_PIXEL};
  kernel.SetRotation(0, 0);
  for (void (cf_Kernel::*margin)(double) : {&cf_Kernel::SetLeftMargin, &cf_Kernel::SetRightMargin,
                                            &cf_Kernel::SetTopMargin, &cf_Kernel::SetBottomMargin}) {
    (kernel.*margin)(0);
  }
  kernel.FitToDisplay(context);
  engine.SetRange(0, 0, 3);
  cf_ChartModel model(nullptr, cf_ChartModel::kZeroBased);
  for (const char16_t* text : {u"a", u"b", u"", u"c"}) {
    model.AddDomainLabel(model.GetDomain().Count(), text);
  }
  model.GetAxisLabelGroup(2).TextAttribs().SetLabelOptionB();
  cf_3DGridTickSeries& axis = engine.bottomX;
  axis.SetStyle(cf_3DGridTickSeries::kDomainCategories);
  axis.Build(model);
  axis.Project(kernel);
  axis.ToScreen(kernel);

  const DrawState before = State();
  const std::size_t mark = Mark();
  axis.DrawPrimary(context);
  std::vector<std::string> texts;
  for (const std::string& call : CallsSince(mark)) {
    if (call.rfind("Text ", 0) == 0) {
      texts.push_back(call);
    }
  }
  // The ticks end 3 pixels below the floor's front edge at y 50; the empty label takes its turn unseen.
  const std::vector<std::string> expected = {"Text 46 29 \"a\" -1 0", "Text 79 53 \"b\" -1 0",
                                             "Text 146 53 \"c\" -1 0"};
  EXPECT_EQ(texts, expected);
  EXPECT_EQ(State(), before);
  EXPECT_EQ(axis.GetItem(1)->TextSwitch(), 1);
}

}  // namespace
