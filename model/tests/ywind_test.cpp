#include "model/ywind.h"

#include <gtest/gtest.h>

#include "foundation/kmemorystream.h"
#include "foundation/kpersistent.h"
#include "foundation/kx.h"
#include "model/tests/qvmodeltestsupport.h"
#include "model/yfdm.h"
#include "model/ywindgauge.h"

namespace {

std::string Formatted(const YWind& wind) {
  KString text;
  wind.Format(text);
  return Narrow(text);
}

}  // namespace

using YWindTest = ModelTest;

TEST(YWind, ParseReadsASignAWholePartAndAtMostTwoDecimals) {
  struct Case {
    const char16_t* text;
    int32_t hundredths;
  } cases[] = {{u"0", 0},       {u"1", 100},    {u"1.5", 150}, {u"-0.25", -25},         {u"+2.01", 201},
               {u" 3.1 ", 310}, {u"12.", 1200}, {u"-0", 0},    {u"999999.99", 99999999}};
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(KString(c.text)));
    YWind wind;
    ASSERT_TRUE(wind.Parse(c.text, YWind::kFeetPerSecond));
    EXPECT_EQ(wind.Hundredths(), c.hundredths);
    EXPECT_EQ(wind.Units(), YWind::kFeetPerSecond);
  }
}

TEST(YWind, ParseRefusesWhatIsNotANumberAndChangesNothing) {
  for (const char16_t* text :
       {u"", u"-", u"+", u".5", u"1.234", u"1,5", u"abc", u"1e3", u"--1", u"1 2", u"1234567"}) {
    SCOPED_TRACE(Narrow(KString(text)));
    YWind wind;
    ASSERT_TRUE(wind.Parse(u"0.7", YWind::kMilesPerHour));
    EXPECT_FALSE(wind.Parse(text, YWind::kMetresPerSecond));
    EXPECT_EQ(wind.Hundredths(), 70);
    EXPECT_EQ(wind.Units(), YWind::kMilesPerHour);
  }
}

TEST(YWind, AReadingWithoutUnitsIsTakenAsMetresPerSecond) {
  YWind wind;
  ASSERT_TRUE(wind.Parse(u"1.2", YWind::kNoUnits));
  EXPECT_EQ(wind.Units(), YWind::kMetresPerSecond);
}

TEST(YWind, FormatShowsTheSignAndTenthsRoundedUp) {
  struct Case {
    const char16_t* reading;
    const char* text;
  } cases[] = {{u"2.0", "+2.0"},  {u"2.01", "+2.1"},  {u"2.09", "+2.1"}, {u"0.01", "+0.1"},
               {u"0", "0.0"},     {u"-0.05", "0.0"},  {u"-0.1", "-0.1"}, {u"-2.09", "-2.0"},
               {u"-2.1", "-2.1"}, {u"12.34", "+12.4"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    YWind wind;
    ASSERT_TRUE(wind.Parse(c.reading, YWind::kMetresPerSecond));
    EXPECT_EQ(Formatted(wind), c.text);
  }
  YWind none;
  EXPECT_EQ(Formatted(none), "");
}

TEST(YWind, FormatShowsStoredReadingsAtTheEndsOfTheRange) {
  struct Case {
    int32_t hundredths;
    const char* text;
  } cases[] = {{INT32_MAX, "+21474836.5"},
               {INT32_MAX - 8, "+21474836.4"},
               {INT32_MIN, "-21474836.4"},
               {INT32_MIN + 1, "-21474836.4"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    // Such readings only come from a file: a typed reading has at most six whole digits.
    KMemoryStream stream;
    KPersistent::WriteVersion(stream, KPersistent::kFamilyModel, YWind::kVersion);
    stream.WriteInt32(YWind::kMetresPerSecond);
    stream.WriteInt32(c.hundredths);
    YTime().Write(stream);
    for (int32_t field : {0, 0, 10000}) {
      stream.WriteInt32(field);
    }
    YWind wind;
    wind.Read(stream);
    ASSERT_EQ(wind.Hundredths(), c.hundredths);
    EXPECT_EQ(Formatted(wind), c.text);
  }
}

TEST_F(YWindTest, UnitsTextComesFromTheSettings) {
  AddSetting(u"\\Strings\\Event\\Wind\\Units\\MPH:String=mph");
  AddSetting(u"\\Strings\\Event\\Wind\\Units\\FPS:String=ft/s");
  AddSetting(u"\\Strings\\Event\\Wind\\Units\\MPS:String=m/s");
  const char* expected[] = {"mph", "ft/s", "m/s"};
  for (int32_t units = 0; units < 3; ++units) {
    YWind wind;
    wind.SetUnits(units);
    KString text;
    wind.UnitsText(text);
    EXPECT_EQ(Narrow(text), expected[units]);
  }
  YWind none;
  none.SetUnits(7);
  EXPECT_FALSE(none.HasUnits());
  KString text;
  none.UnitsText(text);
  EXPECT_TRUE(text.IsEmpty());
}

TEST(YWind, SetUnitsAndSetModeNotifyTheDocument) {
  QvEvent event;
  MessageRecorder recorder;
  event.AddListener(&recorder);
  YWind* wind = event.NewWind();
  recorder.codes.clear();
  wind->SetUnits(YWind::kMilesPerHour);
  wind->SetMode(4, 100, 8000);
  EXPECT_EQ(recorder.Changes(), (std::vector<uint32_t>{kQvWindChanged, kQvWindChanged}));
  EXPECT_EQ(wind->Mode(), 4);
  EXPECT_EQ(wind->StartOffset(), 100);
  EXPECT_EQ(wind->Duration(), 8000);
}

TEST(YWind, StoredRecordRoundTripsAndRefusesUnknownUnits) {
  YWind wind;
  ASSERT_TRUE(wind.Parse(u"-3.45", YWind::kFeetPerSecond));
  wind.SetMode(5, -200, 6000);
  wind.SetTime(YTime(int64_t{77}, 80, 80, 1));
  KMemoryStream stream;
  wind.Write(stream);
  EXPECT_EQ(stream.Bytes().size(), 4u + 4 + 4 + 16 + 12);
  YWind read;
  read.Read(stream);
  EXPECT_EQ(read, wind);

  std::vector<uint8_t> bytes = stream.Bytes();
  bytes[4] = 3;  // units
  KMemoryStream bad(bytes);
  YWind untouched;
  EXPECT_THROW(untouched.Read(bad), KXPersistent);
  EXPECT_FALSE(untouched.HasUnits());
}

TEST(YWind, GaugeAndDatabaseLinkAreNeverCreated) {
  EXPECT_EQ(YWindGauge::Instance(), nullptr);
  EXPECT_EQ(YFDM::Instance(), nullptr);
}
