#include "devices/qxffile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "devices/csvfields.h"
#include "devices/qvschedule.h"
#include "devices/tests/photofinishtestsupport.h"
#include "foundation/kstream.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/yleg.h"

namespace {

using pftest::Narrow;

std::u16string Wide(const std::string& utf8) {
  const KString text = KString::FromUtf8(utf8);
  return std::u16string(text.Data(), static_cast<size_t>(text.Length()));
}

// An event 5-1-2 with lanes 4, 2, 6 and 3 made in that order; lane 6 is not in use.
void BuildRace(QvEvent& event) {
  event.NewLeg();
  event.SetEventRoundHeat(u"5", u"1", u"2");
  event.SetTitle(u"200 m, Women");
  QvResults& results = event.Leg(0)->Results();
  struct Lane {
    const char16_t* lane;
    const char16_t* last;
    int32_t status;
    int32_t reaction;
    int32_t power;
  } lanes[] = {
      {u"4", u"M\u00fcller", QvResult::kValid, 145, 1200},
      {u"2", u"Roe \"Speedy\"", QvResult::kFalseStart, -20, 0},
      {u"6", u"Nobody", QvResult::kLaneNotUsed, 300, 0},
      {u"3", u"Doe", QvResult::kDidNotStart, YTime::kNoMilliseconds, QvResult::kNoPower},
  };
  for (const Lane& lane : lanes) {
    QvResult* result = results.NewResult();
    result->SetAthleteField(3, lane.lane);
    result->SetAthleteField(0, lane.last);
    result->SetAthleteField(1, u"Ann");
    result->SetAthleteField(2, u"Club, East");
    result->SetAthleteField(4, KString(u"id").Append(lane.lane));
    result->SetStatus(lane.status);
    result->SetReactionTime(lane.reaction);
    result->SetPower(lane.power);
  }
  results.MarkFalseStarts();
}

const char kExpectedUtf8[] =
    "5,1,2,\"200 m, Women\"\r\n"
    "2,id2,\"Roe \"\"Speedy\"\"\",Ann,\"Club, East\",,2,-0.020,2,\r\n"
    "3,id3,Doe,Ann,\"Club, East\",,1,,0,\r\n"
    "4,id4,M\xc3\xbcller,Ann,\"Club, East\",,0,0.145,0,1200\r\n";

TEST(QxfFile, LinesFollowTheLanesAndLeaveOutLanesNotInUse) {
  QvEvent event;
  BuildRace(event);
  std::string joined;
  for (const KString& line : QxfFile::Lines(event)) {
    joined += Narrow(line) + "\r\n";
  }
  EXPECT_EQ(joined, kExpectedUtf8);
}

TEST(QxfFile, NamesCannotLeaveTheFolder) {
  struct Case {
    const char16_t* name;
    const char* safe;
  } cases[] = {
      {u"1-1-1", "1-1-1"},
      {u"../../etc/passwd", "_._.._etc_passwd"},
      {u".hidden", "_hidden"},
      {u"a\\b\x01", "a_b_"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.safe);
    EXPECT_EQ(Narrow(QxfFile::SafeName(c.name)), c.safe);
  }
}

class QxfWriteTest : public pftest::SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    std::filesystem::create_directory(folder.File("out"));
    AddSetting(u"\\Database\\File\\DataOutDir:String=" + Wide(folder.File("out")));
    AddSetting(u"\\Database\\QXF\\SerialPort:String=0,0,0");
  }
};

TEST_F(QxfWriteTest, WritesTheLinesInEitherCodeSet) {
  std::string utf16("\xff\xfe");
  for (unsigned char c : std::string("5,1,2,\"200 m, Women\"\r\n")) {
    utf16 += static_cast<char>(c);
    utf16 += '\0';
  }
  struct Case {
    const char16_t* charMode;
    int32_t encoding;
    std::string start;  // the file's first bytes
    std::string muller;
  } cases[] = {
      {u"\\Database\\File\\CharModeVXF:Int=0", KStream::kEncodingByte, "5,1,2,\"200 m, Women\"\r\n",
       "M\xfcller"},
      {u"\\Database\\File\\CharModeVXF:Int=2", KStream::kEncodingLocal, "5,1,2,\"200 m, Women\"\r\n",
       "M\xc3\xbcller"},
      {u"\\Database\\File\\CharModeVXF:Int=1", KStream::kEncodingUtf16, utf16,
       std::string("M\0\xfc\0l\0l\0e\0r\0", 12)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(KString(c.charMode)));
    AddSetting(c.charMode);
    QvSchedule schedule;
    QvEvent event;
    BuildRace(event);
    ASSERT_TRUE(schedule.WriteQXF(event, 0));
    const std::string bytes = pftest::ReadBytes(folder.File("out/5-1-2.qxf"));
    EXPECT_EQ(bytes.substr(0, c.start.size()), c.start);
    EXPECT_NE(bytes.find(c.muller), std::string::npos);
    std::vector<KString> lines;
    ASSERT_TRUE(QxfFile::Read(KString::FromUtf8(folder.File("out/5-1-2.qxf")), c.encoding, lines));
    std::string joined;
    for (const KString& line : lines) {
      joined += Narrow(line) + "\r\n";
    }
    EXPECT_EQ(joined, kExpectedUtf8);
  }
}

TEST_F(QxfWriteTest, NothingIsWrittenWhenTheSettingIsOff) {
  AddSetting(u"\\Database\\File\\WriteVXF:Bool=0");
  QvSchedule schedule;
  QvEvent event;
  BuildRace(event);
  EXPECT_TRUE(schedule.WriteQXF(event, 0));
  EXPECT_TRUE(std::filesystem::is_empty(folder.File("out")));
}

TEST_F(QxfWriteTest, AFailedWriteAnswersFalseLogsAndLeavesNoFile) {
  struct Case {
    const char* name;
    std::string outFolder;
  } cases[] = {
      {"missing folder", folder.File("no/such/folder")},
      {"target is a folder", folder.File("out")},
  };
  std::filesystem::create_directory(folder.File("out/5-1-2.qxf"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AddSetting(u"\\Database\\File\\DataOutDir:String=" + Wide(c.outFolder));
    QvSchedule schedule;
    QvEvent event;
    BuildRace(event);
    EXPECT_FALSE(schedule.WriteQXF(event, 0));
    EXPECT_NE(LogText().find("E: "), std::string::npos);
    EXPECT_NE(LogText().find("QvSchedule::WriteQXF: 33002 Error writing .qxf file"), std::string::npos);
  }
  // Only the folder in the way is left: no temporary or half-written file.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.File("out"))) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"5-1-2.qxf"});
}

TEST_F(QxfWriteTest, AnEventWithoutNumbersOrFileCannotBeWritten) {
  QvSchedule schedule;
  QvEvent event;
  event.NewLeg();
  EXPECT_FALSE(schedule.WriteQXF(event, 0));
  EXPECT_NE(LogText().find("33002"), std::string::npos);
}

TEST_F(QxfWriteTest, ReactionTimeAnswersFollowTheRaceCheck) {
  QvSchedule schedule;
  QvEvent race;
  BuildRace(race);
  ASSERT_TRUE(schedule.WriteQXF(race, 0));
  // A file named for 7-1-1 that holds another race, as when files were copied by hand.
  pftest::WriteBytes(folder.File("out/7-1-1.qxf"), "8,1,1,Other\r\n1,id,X,Y,Z,,0,0.150,0,\r\n");
  struct Case {
    bool ignoreCheck;
    const char16_t* event;
    const char16_t* heat;
    const char* firstLine;  // null: no answer
  } cases[] = {
      {false, u"5", u"2", "5,1,2,\"200 m, Women\""},
      {false, u"005", u"02", "5,1,2,\"200 m, Women\""},
      {false, u"7", u"1", nullptr},
      {false, u"6", u"1", nullptr},
      {true, u"7", u"1", "8,1,1,Other"},
      {true, u"6", u"1", "5,1,2,\"200 m, Women\""},  // the race written last
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(KString(c.event)) + (c.ignoreCheck ? " ignoring" : " checking"));
    AddSetting(c.ignoreCheck ? u"\\Database\\QXF\\IgnoreERHCheck:Bool=1"
                             : u"\\Database\\QXF\\IgnoreERHCheck:Bool=0");
    std::vector<KString> lines;
    const bool answered = schedule.AnswerReactionTimes(c.event, u"1", c.heat, lines);
    ASSERT_EQ(answered, c.firstLine != nullptr);
    if (answered) {
      EXPECT_EQ(Narrow(lines[0]), c.firstLine);
    }
  }
}

}  // namespace
