// Data groups and their points: running extents and sums, reading points without changing the group, labels
// owned, shared or made from x when read, and numbers formatted in full.

#include "chart/cf_datagroup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::u16string Text(const cf_String* label) {
  return label ? std::u16string(label->Text()) : u"(none)";
}

struct Point {
  double x, y;
};

cf_DataGroup GroupOf(const std::vector<Point>& points) {
  cf_DataGroup group(u"Lane 1");
  for (const Point& point : points) {
    group.AddPoint(point.x, point.y, 0);
  }
  return group;
}

TEST(cf_DataGroup, KeepsExtentsAndSumsOfWhatWasAdded) {
  struct Case {
    const char* name;
    std::vector<Point> points;
    double maxX, minX, sumX, maxY, minY, sumY, sumAbsY, smallestGap;
  };
  const Case cases[] = {
      {"none", {}, 0, 0, 0, 0, 0, 0, 0, 0},
      {"one", {{4, -3}}, 4, 4, 4, -3, -3, -3, 3, 0},
      {"falling x gives a negative gap", {{1, 5}, {3, -2}, {2, 7}}, 3, 1, 6, 7, -2, 10, 14, -1},
      {"rising x", {{0, 1}, {0.5, 1}, {2, 1}}, 2, 0, 2.5, 1, 1, 3, 3, 0.5},
      {"equal to the maximum changes nothing", {{1, 9}, {5, 9}, {5, 9}}, 5, 1, 11, 9, 9, 27, 27, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const cf_DataGroup group = GroupOf(c.points);
    EXPECT_EQ(group.Count(), static_cast<int32_t>(c.points.size()));
    EXPECT_EQ(group.MaxX(), c.maxX);
    EXPECT_EQ(group.MinX(), c.minX);
    EXPECT_EQ(group.SumX(), c.sumX);
    EXPECT_EQ(group.MaxY(), c.maxY);
    EXPECT_EQ(group.MinY(), c.minY);
    EXPECT_EQ(group.SumY(), c.sumY);
    EXPECT_EQ(group.SumAbsY(), c.sumAbsY);
    EXPECT_EQ(group.SmallestXGap(), c.smallestGap);
  }
}

TEST(cf_DataGroup, ReadingAPointNeverChangesTheGroup) {
  struct Case {
    std::vector<Point> points;
    int32_t index;
    double x;
  };
  const Case cases[] = {
      {{{1, 0}, {2, 0}, {3, 0}}, 0, 1},
      {{{1, 0}, {2, 0}, {3, 0}}, 2, 2},
      {{{1, 0}, {2, 0}, {3, 0}}, 9, 3},
      {{}, 1, 0},
      {{}, -4, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    const cf_DataGroup group = GroupOf(c.points);
    const cf_XYZ& point = group.GetPoint(c.index);
    EXPECT_EQ(point.X(), c.x);
    EXPECT_FALSE(point.HasLabel());
    EXPECT_EQ(group.Count(), static_cast<int32_t>(c.points.size())) << "a missing point reads as 0";
  }
}

TEST(cf_DataGroup, CopiesOwnLabelsAndSharesSharedOnes) {
  const cf_String shared(u"Gun");
  cf_DataGroup source(u"Domain");
  source.AddPoint(0, 0, 0).SetLabel(u"Set");
  source.AddPoint(1, 0, 0).UseLabel(&shared);
  source.AddPoint(2, 0, 0).SetLabel(u"");
  source.AddPoint(3, 0, 0);
  source.TextAttribs().SetFormat(u"%d");

  cf_DataGroup copy;
  copy = source;
  source.Clear();
  EXPECT_EQ(copy.Name(), cf_String(u"Domain"));
  EXPECT_EQ(copy.Count(), 4);
  EXPECT_EQ(copy.MaxX(), 3);
  EXPECT_EQ(Text(copy.GetPoint(1).Label()), u"Set") << "an own label outlives the source";
  EXPECT_EQ(copy.GetPoint(2).Label(), &shared);
  EXPECT_TRUE(copy.GetPoint(3).HasLabel()) << "an empty text is still a label";
  EXPECT_EQ(Text(copy.GetPoint(3).Label()), u"");
  EXPECT_FALSE(copy.GetPoint(4).HasLabel());
  EXPECT_EQ(copy.TextAttribs().Format(), cf_String(u"%g")) << "text attributes are not copied";
  EXPECT_TRUE(source.IsChanged());
  EXPECT_EQ(source.Name(), cf_String(u""));
  EXPECT_EQ(source.MaxX(), 0);

  cf_XYZ point = copy.GetPoint(2);
  point.SetLabel(u"Legal");
  EXPECT_EQ(Text(&shared), u"Gun") << "setting a label never writes into a shared one";
  EXPECT_EQ(Text(point.Label()), u"Legal");
}

TEST(cf_DataGroup, LabelOfXShowsTheXItWasSetFor) {
  struct Case {
    const char* road;
    void (*after)(cf_XYZ&);  // what happens to the point before its label is read
    std::u16string text;
  };
  static const cf_String shared(u"Gun");
  const Case cases[] = {
      {"read at once", [](cf_XYZ&) {}, u"2.5"},
      {"moved after", [](cf_XYZ& p) { p.Set(7, 0, 0); }, u"2.5"},
      {"null text keeps it", [](cf_XYZ& p) { p.SetLabel(nullptr); }, u"2.5"},
      {"text replaces it", [](cf_XYZ& p) { p.SetLabel(u"Set"); }, u"Set"},
      {"shared replaces it", [](cf_XYZ& p) { p.UseLabel(&shared); }, u"Gun"},
      {"copied", [](cf_XYZ& p) { p = cf_XYZ(cf_XYZ(p)); }, u"2.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.road);
    cf_DataGroup group;
    group.AddPoint(2.5, 1, 0).SetLabelToX();
    cf_XYZ point = group.GetPoint(1);
    c.after(point);
    EXPECT_TRUE(point.HasLabel());
    EXPECT_EQ(Text(point.Label()), c.text);
    EXPECT_EQ(Text(group.GetPoint(1).Label()), u"2.5");
  }
}

TEST(cf_String, FormatsNumbersInFull) {
  struct Case {
    double value;
    const char16_t* format;
    std::u16string text;
  };
  const Case cases[] = {
      {-1.234e+06, u"%g", u"-1.234e+06"},
      {0.143, u"%g", u"0.143"},
      {-2.5, u"%g", u"-2.5"},
      {1.5, u"%40.3f", std::u16string(35, u' ') + u"1.500"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    cf_XYZ point;
    point.SetLabelNumber(c.value, c.format);
    EXPECT_EQ(Text(point.Label()), c.text);
  }
  cf_String number(int32_t{-2147483647 - 1}, u"%d");
  EXPECT_EQ(std::u16string(number.Text()), u"-2147483648");
  number.Append(u" s");
  EXPECT_EQ(std::u16string(number.Text()), u"-2147483648 s");
  number.SetNumber(1.0, nullptr);
  EXPECT_EQ(number.Length(), 0);
}

}  // namespace
