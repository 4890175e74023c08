#include "devices/qvschedule.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "devices/tests/photofinishtestsupport.h"
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

const char kSchedule[] =
    "; published by the photo-finish system\r\n"
    "1,1,1\r\n"
    "1,1,2\r\n"
    "\"3\",\"2\",\"1\"\r\n";
const char kRaces[] =
    "1,1,1,100 m Men Heat 1\r\n"
    ",101,3,Doe,John,Harriers,L-101\r\n"
    ",102,4,,,\r\n"
    ",103,5,\"Smith, Jr.\",Bob,\"Track \"\"A\"\"\"\r\n"
    "1,1,2,100 m Men Heat 2\r\n"
    ",201,1,Roe,Ann,Striders\r\n";
const char kPeople[] =
    "102,Poe,Edgar,Ravens,L-102\r\n"
    "301,Loe,Lia,Bees\r\n";

class ScheduleTest : public pftest::SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    std::filesystem::create_directory(folder.File("in"));
    std::filesystem::create_directory(folder.File("out"));
    SetFolders(folder.File("in"), folder.File("out"));
    AddSetting(u"\\Database\\QXF\\SerialPort:String=0,0,0");
  }
  void SetFolders(const std::string& in, const std::string& out) {
    AddSetting(u"\\Database\\File\\DataInDir:String=" + Wide(in));
    AddSetting(u"\\Database\\File\\DataOutDir:String=" + Wide(out));
  }
  void Publish() {
    pftest::WriteBytes(folder.File("in/vesk.sch"), kSchedule);
    pftest::WriteBytes(folder.File("in/vesk.evt"), kRaces);
    pftest::WriteBytes(folder.File("in/vesk.ppl"), kPeople);
  }
  // "lane:last/first/affiliation/id/licence" for every result of the event's first leg, in list order.
  static std::vector<std::string> Lanes(const QvEvent& event) {
    std::vector<std::string> lanes;
    const QvResults& results = event.Leg(0)->Results();
    for (QvResult* r = results.Iterate(nullptr, nullptr); r != nullptr; r = results.Iterate(r, nullptr)) {
      lanes.push_back(Narrow(r->AthleteField(3)) + ":" + Narrow(r->AthleteField(0)) + "/" +
                      Narrow(r->AthleteField(1)) + "/" + Narrow(r->AthleteField(2)) + "/" +
                      Narrow(r->AthleteField(4)) + "/" + Narrow(r->AthleteField(5)));
    }
    return lanes;
  }
  static std::string Race(const QvEvent& event) {
    return Narrow(event.EventNumber()) + "-" + Narrow(event.RoundNumber()) + "-" +
           Narrow(event.HeatNumber()) + " " + Narrow(event.GetTitle());
  }
};

TEST_F(ScheduleTest, RegistersAsTheModelsScheduleWhileItLives) {
  {
    QvSchedule schedule;
    EXPECT_EQ(QvEventSchedule::Registered(), &schedule);
  }
  EXPECT_EQ(QvEventSchedule::Registered(), nullptr);
}

TEST_F(ScheduleTest, LoadsTheEntriesWithTheirDisplayTexts) {
  Publish();
  QvSchedule schedule;
  ASSERT_EQ(schedule.Count(), 3);
  EXPECT_EQ(Narrow(schedule.GetNth(0)->GetText()), "1-1-1 100 m Men Heat 1");
  EXPECT_EQ(Narrow(schedule.GetNth(1)->GetText()), "1-1-2 100 m Men Heat 2");
  EXPECT_EQ(Narrow(schedule.GetNth(2)->GetText()), "3-2-1");
  EXPECT_EQ(schedule.GetNth(3), nullptr);
  EXPECT_EQ(schedule.GetNth(-1), nullptr);
  EXPECT_FALSE(schedule.Current().IsSet());
}

TEST_F(ScheduleTest, MissingFilesMakeAnEmptySchedule) {
  QvSchedule schedule;
  EXPECT_TRUE(schedule.Load());
  EXPECT_EQ(schedule.Count(), 0);
  EXPECT_EQ(schedule.ReadFiles(nullptr, 0, 1, 0), nullptr);
  EXPECT_EQ(schedule.ReadFiles(nullptr, 0, -1, 0), nullptr);
}

TEST_F(ScheduleTest, ModeNoneReadsNoStartLists) {
  Publish();
  AddSetting(u"\\Database\\Mode:Int=0");
  QvSchedule schedule;
  EXPECT_EQ(schedule.Count(), 0);
}

TEST_F(ScheduleTest, StepsThroughTheScheduleMakingNewEvents) {
  Publish();
  QvSchedule schedule;
  struct Step {
    int32_t direction;
    const char* race;  // null: nothing read
  } steps[] = {
      {1, "1-1-1 100 m Men Heat 1"},  {1, "1-1-2 100 m Men Heat 2"},  {1, "3-2-1 "}, {1, nullptr},
      {-1, "1-1-2 100 m Men Heat 2"}, {-1, "1-1-1 100 m Men Heat 1"}, {-1, nullptr},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.race != nullptr ? step.race : "end");
    std::unique_ptr<QvEvent> event(schedule.ReadFiles(nullptr, 0, step.direction, 0));
    if (step.race == nullptr) {
      EXPECT_EQ(event, nullptr);
      continue;
    }
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(Race(*event), step.race);
    EXPECT_EQ(event->GetLegCount(), 1);
  }
}

TEST_F(ScheduleTest, PreviousFromNoCurrentRaceGoesToTheLast) {
  Publish();
  QvSchedule schedule;
  std::unique_ptr<QvEvent> event(schedule.ReadFiles(nullptr, 0, -1, 0));
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(Race(*event), "3-2-1 ");
}

TEST_F(ScheduleTest, FillsTheLanesFromTheRaceAndThePeople) {
  Publish();
  QvSchedule schedule;
  std::unique_ptr<QvEvent> event(schedule.ReadEventEntries(nullptr, 0, u"1", u"1", u"1", 0));
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(Lanes(*event), (std::vector<std::string>{
                               "3:Doe/John/Harriers/101/L-101",
                               "4:Poe/Edgar/Ravens/102/L-102",  // names from the people file
                               "5:Smith, Jr./Bob/Track \"A\"/103/",
                           }));
  EXPECT_EQ(Narrow(schedule.Current().GetHeatText()), "1");
}

// Texts the lanes hold that the new race does not give (1-1-1's athletes here) are replaced when the user
// agrees to the question, else kept with the race's other texts.
TEST_F(ScheduleTest, RefillingAnEventKeepsTheLanesAndUsesOnlyTheRacesLanesReplacingTextsAsAnswered) {
  Publish();
  for (const bool replace : {true, false}) {
    SCOPED_TRACE(replace ? "replaced" : "kept");
    QvSchedule schedule;
    int32_t asked = 0;
    schedule.AskBeforeReplacing([&asked, replace] { return ++asked, replace; });
    QvEvent event;
    event.NewLeg();
    for (int32_t lane = 1; lane <= 4; ++lane) {
      QvResult* result = event.Leg(0)->Results().NewResult();
      result->SetAthleteField(3, KString().AppendInt(lane));
      result->SetReactionTime(100 - 10 * lane);
    }
    ASSERT_EQ(schedule.ReadEventEntries(&event, 0, u"1", u"1", u"1", 0), &event);
    EXPECT_EQ(asked, 0);
    event.Leg(0)->Results().GetNth(0, nullptr)->SetAthleteField(1, KString(u"Anna"));
    ASSERT_EQ(schedule.ReadEventEntries(&event, 0, u"001", u"1", u"02", 0), &event);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Race(event), "001-1-02 100 m Men Heat 2");
    const std::vector<std::string> replaced{"1:Roe/Ann/Striders/201/", "2:////", "3:////", "4:////",
                                            "5:////"};
    const std::vector<std::string> kept{"1:Roe/Anna/Striders/201/", "2:////", "3:Doe/John/Harriers/101/L-101",
                                        "4:Poe/Edgar/Ravens/102/L-102", "5:Smith, Jr./Bob/Track \"A\"/103/"};
    EXPECT_EQ(Lanes(event), replace ? replaced : kept);
    // Lane 1 alone has a competitor, and so the charge that lane 4 held in the race before.
    for (int32_t row = 0; row < 5; ++row) {
      const QvResult* result = event.Leg(0)->Results().GetNth(row, nullptr);
      EXPECT_EQ(result->IsStatus7(), row > 0);
      EXPECT_EQ(result->IsFalseStartCharged(), row == 0);
    }
    EXPECT_EQ(event.Leg(0)->Results().GetNth(0, nullptr)->GetReactionTime().ToMilliseconds(), 90);
  }
}

TEST_F(ScheduleTest, ARaceNotInTheListsKeepsItsNumbersOnly) {
  Publish();
  QvSchedule schedule;
  std::unique_ptr<QvEvent> event(schedule.ReadEventEntries(nullptr, 0, u"9", u"9", u"9", 0));
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(Race(*event), "9-9-9 ");
  EXPECT_TRUE(Lanes(*event).empty());
  EXPECT_EQ(schedule.ReadEventEntries(nullptr, 0, u"9", u"", u"9", 0), nullptr);
}

TEST_F(ScheduleTest, ChoosingAnIncompleteRaceKeepsTheCurrentOne) {
  Publish();
  QvSchedule schedule;
  std::unique_ptr<QvEvent> first(schedule.ReadFiles(nullptr, 0, 1, 0));
  ASSERT_NE(first, nullptr);
  struct Case {
    const char16_t* event;
    const char16_t* round;
    const char16_t* heat;
  } cases[] = {
      {u"", u"1", u"1"},
      {u"1", u"", u"1"},
      {u"1", u"1", u""},
      {u"", u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(KString(c.event)) + "-" + Narrow(KString(c.round)) + "-" + Narrow(KString(c.heat)));
    EXPECT_EQ(schedule.ReadEventEntries(nullptr, 0, c.event, c.round, c.heat, 0), nullptr);
    EXPECT_EQ(Narrow(schedule.Current().GetText()), "1-1-1 100 m Men Heat 1");
  }
  // The next step goes on from the race before the choice.
  std::unique_ptr<QvEvent> next(schedule.ReadFiles(nullptr, 0, 1, 0));
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(Race(*next), "1-1-2 100 m Men Heat 2");
}

TEST_F(ScheduleTest, StepsFollowListsPublishedSinceTheLastStep) {
  Publish();
  QvSchedule schedule;
  std::unique_ptr<QvEvent> first(schedule.ReadFiles(nullptr, 0, 1, 0));
  pftest::WriteBytes(folder.File("in/vesk.evt"), "1,1,2,Renamed\n,999,7,New,Comer\n");
  std::unique_ptr<QvEvent> second(schedule.ReadFiles(nullptr, 0, 1, 0));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(Race(*second), "1-1-2 Renamed");
  EXPECT_EQ(Lanes(*second), (std::vector<std::string>{"7:New/Comer//999/"}));
}

TEST_F(ScheduleTest, LookupFillsAResultFromItsId) {
  Publish();
  QvSchedule schedule;
  std::unique_ptr<QvEvent> event(schedule.ReadEventEntries(nullptr, 0, u"1", u"1", u"1", 0));
  QvResults& results = event->Leg(0)->Results();
  struct Case {
    const char16_t* id;
    bool found;
    const char* athlete;
  } cases[] = {
      {u"101", true, "Doe/John/Harriers/101/L-101"},  // a competitor of the race
      {u"301", true, "Loe/Lia/Bees/301/"},            // only in the people file
      {u"999", false, "///999/"},
      {u"", false, "////"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(KString(c.id)));
    QvResult* result = results.NewResult();
    result->SetAthleteField(4, c.id);
    EXPECT_EQ(schedule.LookupEvent(*result), c.found);
    EXPECT_EQ(Narrow(result->AthleteField(0)) + "/" + Narrow(result->AthleteField(1)) + "/" +
                  Narrow(result->AthleteField(2)) + "/" + Narrow(result->AthleteField(4)) + "/" +
                  Narrow(result->AthleteField(5)),
              c.athlete);
  }
}

TEST_F(ScheduleTest, ProblemsInTheFilesGoToTheLogEachTimeTheFilesAreRead) {
  pftest::WriteBytes(folder.File("in/vesk.sch"), "1,1,1\n\"2,1,1\n");
  QvSchedule schedule;
  EXPECT_EQ(schedule.Count(), 1);
  EXPECT_NE(LogText().find("W: "), std::string::npos);
  EXPECT_NE(LogText().find("QvSchedule::Load: vesk.sch line 2: a quoted field has no closing quote"),
            std::string::npos);
  // Published after the load, and read again at each visit of the race.
  pftest::WriteBytes(folder.File("in/vesk.evt"), "1,1,1,Heat 1\n,7,,Roe\n");
  for (const int32_t visit : {1, 2}) {
    SCOPED_TRACE(visit);
    const size_t logged = LogText().size();
    EXPECT_NE(std::unique_ptr<QvEvent>(schedule.ReadEventEntries(nullptr, 0, u"1", u"1", u"1", 0)), nullptr);
    EXPECT_NE(LogText().find("QvSchedule::FindRace: vesk.evt line 2: a competitor needs a lane", logged),
              std::string::npos);
  }
}

}  // namespace
