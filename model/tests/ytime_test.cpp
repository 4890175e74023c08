#include "model/ytime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "model/tests/qvmodeltestsupport.h"

namespace {

std::string Formatted(const YTime& time, int32_t resolution) {
  KString text;
  time.Format(text, resolution);
  return Narrow(text);
}

}  // namespace

using YTimeTest = ModelTest;

TEST(YTime, DefaultIsTheEmptyTime) {
  YTime time;
  EXPECT_FALSE(time.HasResolution());
  EXPECT_EQ(time.Units(), 0);
  EXPECT_EQ(time.Resolution(), -1);
  EXPECT_EQ(time.Source(), -1);
  EXPECT_EQ(time.ToMilliseconds(), YTime::kNoMilliseconds);
  EXPECT_EQ(Formatted(time, 80), "");
}

TEST_F(YTimeTest, MillisecondsSetIntoAFieldReadBackUnchanged) {
  for (int32_t ms : {0, 1, -1, 7, 999, 1000, 59999, 60000, 61234, 3599999, 3600000, 86399999, 86400000,
                     90061001, -1234, -86400001, std::numeric_limits<int32_t>::max()}) {
    SCOPED_TRACE(ms);
    // As a time field does it: the value at the default step and resolution, shown at the default
    // precision, read back.
    const YTime set(ms, YTime::DefaultStep(), YTime::DefaultResolution(), -1);
    KString text;
    set.Format(text, 0);
    YTime read;
    ASSERT_TRUE(read.Parse(text)) << Narrow(text);
    EXPECT_TRUE(read.HasResolution());
    EXPECT_EQ(read.ToMilliseconds(), ms);
  }
}

TEST_F(YTimeTest, FormatShowsOnlyTheFieldsNeeded) {
  struct Case {
    int64_t units;
    int32_t resolution;
    const char* text;
  } cases[] = {
      {0, 80, "0.000"},
      {80 * 1234, 80, "1.234"},
      {80 * 1234, 800, "1.23"},
      {80 * 1235, 800, "1.24"},  // halves round away from zero
      {80 * 1234, 8000, "1.2"},
      {80 * 1234, 80000, "1"},
      {80 * 1500, 80000, "2"},
      {80 * 1234, 16000, "1.2"},  // 0.2 s steps
      {80 * 1300, 16000, "1.4"},
      {8 * 12345, 8, "1.2345"},
      {80 * 61234, 80, "1:01.234"},
      {80 * 3600000, 800, "1:00:00.00"},
      {80LL * 90061001, 80, "1:01:01:01.001"},
      {-80 * 123, 80, "-0.123"},
      {-80 * 4, 800, "0.00"},  // rounds to zero: no sign
      {-80LL * 3723000, 8000, "-1:02:03.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Formatted(YTime(c.units, 1, 8, -1), c.resolution), c.text);
  }
}

TEST_F(YTimeTest, FormatAndParseUseTheSeparatorsOfTheSettings) {
  AddSetting(u"\\Strings\\Time\\NegChr:String=~");
  AddSetting(u"\\Strings\\Time\\HourMinuteSep:String=h");
  AddSetting(u"\\Strings\\Time\\MinuteSecondSep:String='");
  AddSetting(u"\\Strings\\Time\\SecondFracSep:String=,");
  YTime::Setup();
  const YTime time(int64_t{-3723450}, 80, 80, -1);
  EXPECT_EQ(Formatted(time, 80), "~1h02'03,450");
  YTime read;
  ASSERT_TRUE(read.Parse(u"~1h02'03,450"));
  EXPECT_EQ(read.ToMilliseconds(), -3723450);
  EXPECT_FALSE(read.Parse(u"1:02.5"));
}

TEST_F(YTimeTest, ParseTakesTheResolutionFromTheFraction) {
  struct Case {
    const char16_t* text;
    int64_t units;
    int64_t resolution;
  } cases[] = {
      {u"12", 960000, 80000},  {u"12.3", 984000, 8000},        {u"12.34", 987200, 800},
      {u"12.345", 987600, 80}, {u"12.3456", 987648, 8},        {u"  1:05.1 ", 5208000, 8000},
      {u"-0.5", -40000, 8000}, {u"1:00:00", 288000000, 80000}, {u"2:3:04:05.5", 14707640000, 8000},
      {u"0.000", 0, 80},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(KString(c.text)));
    YTime time;
    ASSERT_TRUE(time.Parse(c.text));
    EXPECT_EQ(time.Units(), c.units);
    EXPECT_EQ(time.Resolution(), c.resolution);
    EXPECT_EQ(time.Source(), -1);
  }
}

TEST_F(YTimeTest, ParseRefusesWhatIsNotATimeAndKeepsTheOldValue) {
  for (const char16_t* text :
       {u"", u" ", u"-", u"abc", u"1.", u".5", u"1..5", u"1:60", u"1:00:60", u"1:24:00:00", u"1.23456",
        u"1:2:3:4:5", u"12a", u"1:", u"1234567890", u"--1", u"1 2"}) {
    SCOPED_TRACE(Narrow(KString(text)));
    YTime time(int64_t{42}, 80, 80, 3);
    EXPECT_FALSE(time.Parse(text));
    EXPECT_EQ(time, YTime(int64_t{42}, 80, 80, 3));
  }
}

TEST(YTime, SetResolutionRoundsToTheNearestStep) {
  struct Case {
    int64_t units;
    int64_t resolution;
    int64_t rounded;
  } cases[] = {
      {119, 80, 80}, {120, 80, 160}, {-120, 80, -160}, {-119, 80, -80}, {7999, 8000, 8000}, {12345, 8, 12344},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    YTime time(c.units, 1, 8, 2);
    time.SetResolution(c.resolution);
    EXPECT_EQ(time.Units(), c.rounded);
    EXPECT_EQ(time.Resolution(), c.resolution);
    EXPECT_EQ(time.Source(), 2);
  }
  YTime empty;
  empty.SetResolution(80);
  EXPECT_FALSE(empty.HasResolution());
  YTime unchanged(int64_t{123}, 1, 8, -1);
  unchanged.SetResolution(0);
  EXPECT_EQ(unchanged.Units(), 123);
}

TEST_F(YTimeTest, RoundedUsesTheDefaultResolution) {
  const YTime time(int64_t{12345}, 8, 8, -1);
  EXPECT_EQ(time.Rounded().Resolution(), YTime::DefaultResolution());
  EXPECT_EQ(time.Rounded().ToMilliseconds(), 1235);
}

TEST(YTime, ToMillisecondsStaysWithinTheRangeAndNeverMeansNone) {
  EXPECT_EQ(YTime(KInt48::kMax, 1, 8, -1).ToMilliseconds(), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(YTime(KInt48::kMin, 1, 8, -1).ToMilliseconds(), YTime::kNoMilliseconds + 1);
  EXPECT_EQ(YTime(int64_t{-40}, 1, 8, -1).ToMilliseconds(), -1);
  EXPECT_EQ(YTime::FromMilliseconds(YTime::kNoMilliseconds), YTime());
}

TEST(YTime, ConstructionFromACameraTimeWord) {
  const YTime time(0xFFFFFFFFu, 16);
  EXPECT_EQ(time.Units(), 0xFFFFFFFFll);
  EXPECT_EQ(time.Resolution(), 16);
  EXPECT_TRUE(time.HasResolution());
}

TEST(YTime, OrdersByCountAndComparesEveryField) {
  const YTime a(int64_t{5}, 80, 80, 1);
  const YTime b(int64_t{5}, 80, 800, 1);
  const YTime later(int64_t{6}, 80, 80, 1);
  EXPECT_TRUE(a < later);
  EXPECT_FALSE(later < a);
  EXPECT_TRUE(a <= b && b <= a);
  EXPECT_FALSE(a == b);
  EXPECT_TRUE(a == YTime(int64_t{5}, 80, 80, 1));
}

TEST(YTime, StoredAsSixteenBytesLowWordFirst) {
  KMemoryStream stream;
  YTime(int64_t{-2}, 1, 80, 7).Write(stream);
  const std::vector<uint8_t> expected = {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x50, 0, 0, 0, 0, 0, 7, 0, 0, 0};
  EXPECT_EQ(stream.Bytes(), expected);
  YTime read;
  read.Read(stream);
  EXPECT_EQ(read, YTime(int64_t{-2}, 1, 80, 7));
}

TEST(YTime, EveryResolutionTheWriterWritesReadsBack) {
  // Constructors take any resolution; one that is not positive is a time without a value, and the reader
  // must take back whatever the writer wrote.
  for (int32_t resolution : {0, -2, INT32_MIN, -1, 8}) {
    SCOPED_TRACE(resolution);
    const YTime written(int64_t{12345}, 8, resolution, 3);
    KMemoryStream stream;
    written.Write(stream);
    YTime read;
    read.Read(stream);
    EXPECT_EQ(read, written);
    EXPECT_EQ(read.Resolution(), resolution);
    const bool valued = resolution > 0;
    EXPECT_EQ(read.HasResolution(), valued);
    // Nothing rounds or divides by a resolution that is not positive.
    KString text;
    read.Format(text);
    EXPECT_EQ(text.IsEmpty(), !valued);
    EXPECT_EQ(read.ToMilliseconds() == YTime::kNoMilliseconds, !valued);
    YTime rounded = read;
    rounded.SetResolution(800);
    EXPECT_EQ(rounded == read, !valued);
    EXPECT_EQ(read.Rounded() == read, !valued);
  }
}

TEST(YTime, TheLowest48BitResolutionReadsAsATimeWithoutAValue) {
  KMemoryStream stream({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0, 0, 0});
  YTime time;
  time.Read(stream);
  EXPECT_EQ(time.Resolution(), KInt48::kMin);
  EXPECT_FALSE(time.HasResolution());
  EXPECT_EQ(stream.Remaining(), 0);
}
