#include "devices/databaselink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "devices/qvschedule.h"
#include "devices/startlist.h"
#include "devices/tests/photofinishtestsupport.h"
#include "devices/tests/scripteddatabase.h"
#include "foundation/kx.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/yleg.h"
#include "testing/ptypair.h"

namespace {

using pftest::Answer;
using pftest::Narrow;
using pftest::ScriptedDatabase;

constexpr int32_t kPort = 241;
constexpr const char16_t* kPortSettings = u"241,19200,8,N,1.0";
// Short, since the tests that wait for nothing wait this long.
constexpr int32_t kTimeoutMs = 150;

// A link over the pair's device side, on the database's clock: its waits run out only on a quiet line.
std::unique_ptr<DatabaseLink> LinkTo(const ScriptedDatabase& database, bool checksum = true,
                                     int32_t charMode = 0) {
  auto port = std::make_unique<pftest::CountedPort>();
  port->OpenSettings(kPortSettings, KSerialPort::kRead | KSerialPort::kWrite);
  auto link = std::make_unique<DatabaseLink>(database.QuietAfterAnswers(*port));
  link->Attach(std::move(port), charMode, checksum, kTimeoutMs);
  return link;
}

TEST(DatabaseLink, ExchangesEveryRequestWithAndWithoutTheSum) {
  for (bool checksum : {true, false}) {
    SCOPED_TRACE(checksum ? "with sum" : "without sum");
    ktest::PtyPair pair;
    pair.MapToPort(kPort);
    ScriptedDatabase database(
        pair,
        {Answer("HMM", "Finish Line DB\r\n", checksum), Answer("SRP", "1,1,1\r\n2,1,1,Final\r\n", checksum),
         Answer("IRP", "2,1,1,Final\r\n,7,3,M\xc3\xbcller,Ann,Club\r\n", checksum),
         Answer("ROK", "", checksum)});
    const std::unique_ptr<DatabaseLink> owned = LinkTo(database, checksum, 1);
    DatabaseLink& link = *owned;
    KString name;
    EXPECT_EQ(link.Hello(name), DatabaseLink::kAnswered);
    EXPECT_EQ(Narrow(name), "Finish Line DB");
    StartList lists;
    EXPECT_EQ(link.RequestSchedule(lists), DatabaseLink::kAnswered);
    EXPECT_EQ(lists.Schedule().size(), 2u);
    EXPECT_EQ(link.RequestRace(u"2", u"1", u"1", lists), DatabaseLink::kAnswered);
    const StartList::Race* race = lists.FindRace(u"2", u"1", u"1");
    ASSERT_NE(race, nullptr);
    ASSERT_EQ(race->competitors.size(), 1u);
    EXPECT_EQ(Narrow(race->competitors[0].lastName), "M\xc3\xbcller");
    EXPECT_EQ(link.SendResults({u"2,1,1,Final", u"3,7,M\u00fcller,Ann,Club,,0,0.150,0,"}),
              DatabaseLink::kAnswered);

    const std::vector<DatabaseFrame>& requests = database.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].code + requests[1].code + requests[2].code + requests[3].code, "HFLSRQIRQRFL");
    EXPECT_EQ(requests[2].payload, "2,1,1\r\n");
    EXPECT_EQ(requests[3].payload, "2,1,1,Final\r\n3,7,M\xc3\xbcller,Ann,Club,,0,0.150,0,\r\n");
    for (const DatabaseFrame& request : requests) {
      EXPECT_EQ(request.hasChecksum, checksum);
    }
  }
}

TEST(DatabaseLink, AnAnswerWithABadSumIsRefusedAndCounted) {
  ktest::PtyPair pair;
  pair.MapToPort(kPort);
  std::string bad = Answer("HMM", "DB");
  bad[bad.size() - 3] ^= 1;
  ScriptedDatabase database(pair, {bad});
  const std::unique_ptr<DatabaseLink> owned = LinkTo(database);
  DatabaseLink& link = *owned;
  KString name;
  EXPECT_EQ(link.Hello(name), DatabaseLink::kNoAnswer);
  EXPECT_EQ(link.Reader().BadChecksums(), 1);
}

TEST(DatabaseLink, RefusalsAndStrayFramesAreToldApart) {
  ktest::PtyPair pair;
  pair.MapToPort(kPort);
  // An answer about another race, then the refusal of the race.
  ScriptedDatabase database(pair,
                            {Answer("IRP", "1,1,1,Heat\r\n,5,3,Doe\r\n") + Answer("AMB", "no such race")});
  const std::unique_ptr<DatabaseLink> owned = LinkTo(database);
  DatabaseLink& link = *owned;
  StartList lists;
  EXPECT_EQ(link.RequestRace(u"9", u"9", u"9", lists), DatabaseLink::kRefused);
  EXPECT_EQ(link.StrayFrames(), 1);
  EXPECT_TRUE(lists.Races().empty());
}

TEST(DatabaseLink, ASilentOrNoisyDatabaseEndsInNoAnswer) {
  ktest::PtyPair pair;
  pair.MapToPort(kPort);
  ScriptedDatabase database(pair, {"\x01SRP\x02" + std::string(300, 'x')});  // an answer that never ends
  const std::unique_ptr<DatabaseLink> owned = LinkTo(database);
  DatabaseLink& link = *owned;
  StartList lists;
  EXPECT_EQ(link.RequestSchedule(lists), DatabaseLink::kNoAnswer);
  EXPECT_TRUE(lists.Schedule().empty());
}

TEST(DatabaseLink, AnAnswerThatCameTooLateNeverAnswersTheNextRequest) {
  // Results go twice; the database answers each request with the next reply.
  constexpr DatabaseLink::Outcome kYes = DatabaseLink::kAnswered;
  constexpr DatabaseLink::Outcome kNo = DatabaseLink::kNoAnswer;
  struct Case {
    const char* name;
    std::vector<std::string> replies;
    DatabaseLink::Outcome first;
    DatabaseLink::Outcome second;
    std::string requests;
  } cases[] = {
      // The first confirmation is doubled: the second waits on the line before the results are sent again.
      {"a confirmation that waits", {Answer("ROK", "") + Answer("ROK", ""), ""}, kYes, kNo, "RFL RFL"},
      // A confirmation begun before the hello is sent and completed after.
      {"a confirmation begun before", {"\x01ROK\x02", "\x04"}, kNo, kNo, "RFL HFL"},
      // Each answer comes after the link gave up and sent its next request; the third would confirm results
      // sent although the hello got no answer.
      {"a database too slow", {"", Answer("ROK", ""), Answer("ROK", "")}, kNo, kNo, "RFL HFL"},
      {"a database that catches up",
       {"", Answer("AMB", "") + Answer("HMM", "DB"), Answer("ROK", "")},
       kNo,
       kYes,
       "RFL HFL RFL"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ktest::PtyPair pair;
    pair.MapToPort(kPort);
    ScriptedDatabase database(pair, c.replies);
    const std::unique_ptr<DatabaseLink> owned = LinkTo(database);
    DatabaseLink& link = *owned;
    EXPECT_EQ(link.SendResults({u"1,1,1,Final"}), c.first);
    EXPECT_EQ(link.SendResults({u"1,1,1,Final"}), c.second);
    std::string requests;
    for (const DatabaseFrame& request : database.Requests()) {
      requests += (requests.empty() ? "" : " ") + request.code;
    }
    EXPECT_EQ(requests, c.requests);
  }
}

TEST(DatabaseLink, ResultsTooLongForAFrameAreNotSent) {
  ktest::PtyPair pair;
  pair.MapToPort(kPort);
  DatabaseLink link;
  link.Open(kPortSettings, 0, true, kTimeoutMs);
  const std::vector<KString> lines(101, KString(std::u16string(700, u'x').c_str()));
  EXPECT_EQ(link.SendResults(lines), DatabaseLink::kNoAnswer);
  EXPECT_TRUE(pair.NothingReceived(50));
}

TEST(DatabaseLink, TheTimeoutStaysWithinItsBounds) {
  struct Case {
    int32_t given;
    int32_t used;
  } cases[] = {
      {-5, DatabaseLink::kDefaultTimeoutMs},
      {0, DatabaseLink::kDefaultTimeoutMs},
      {1, 1},
      {DatabaseLink::kMaxTimeoutMs, DatabaseLink::kMaxTimeoutMs},
      {DatabaseLink::kMaxTimeoutMs + 1, DatabaseLink::kMaxTimeoutMs},
      {std::numeric_limits<int32_t>::max(), DatabaseLink::kMaxTimeoutMs},
  };
  ktest::PtyPair pair;
  pair.MapToPort(kPort);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    DatabaseLink link;
    link.Open(kPortSettings, 0, true, c.given);
    EXPECT_EQ(link.Timeout(), c.used);
  }
}

TEST(DatabaseLink, AClosedOrMissingPortAnswersNothing) {
  DatabaseLink link;
  KString name;
  EXPECT_EQ(link.Hello(name), DatabaseLink::kNoAnswer);
  EXPECT_THROW(link.Open(u"0,19200,8,N,1.0", 0, true, kTimeoutMs), KXSerialPort);
}

TEST(DatabaseLink, ARequestWithoutAnAnswerNamesWhy) {
  std::string badSum = Answer("HMM", "DB");
  badSum[badSum.size() - 3] ^= 1;
  struct Case {
    const char* name;
    std::string reply;
    DatabaseLink::Outcome outcome;
    int32_t error;
  } cases[] = {
      {"silent", "", DatabaseLink::kNoAnswer, kErrSerialTimeout},
      {"broken off",
       "\x01HMM\x02"
       "Finish Li",
       DatabaseLink::kNoAnswer, kErrSerialTimeout},
      {"over the limit", "\x01HMM\x02" + std::string(DatabaseFrame::kMaxPayloadBytes + 1, 'x') + "\x04",
       DatabaseLink::kNoAnswer, kErrSerialReceive},
      {"a wrong sum", badSum, DatabaseLink::kNoAnswer, kErrSerialChecksum},
      // Read whole by its framing bytes, refused for what it holds, and no answer either.
      {"a NUL in the answer", "\x01HMM\x02" + std::string("D\0B", 3) + "\x04", DatabaseLink::kNoAnswer,
       kErrSerialReceive},
      {"refused", Answer("AMB", ""), DatabaseLink::kRefused, kErrSerialHandshake},
      {"answered", Answer("HMM", "DB"), DatabaseLink::kAnswered, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ktest::PtyPair pair;
    pair.MapToPort(kPort);
    ScriptedDatabase database(pair, {c.reply});
    const std::unique_ptr<DatabaseLink> owned = LinkTo(database);
    DatabaseLink& link = *owned;
    KString name;
    EXPECT_EQ(link.Hello(name), c.outcome);
    EXPECT_EQ(link.LastError(), c.error);
    EXPECT_EQ(database.Requests().size(), 1u);
  }
}

TEST(DatabaseLink, ARequestOpensALostPortAgainOnce) {
  struct Case {
    const char* name;
    bool openedFirst;
    bool pluggedIn;
    DatabaseLink::Outcome outcome;
    int32_t error;
  } cases[] = {
      {"no device at the open, then one", false, true, DatabaseLink::kAnswered, 0},
      {"pulled out and plugged in again", true, true, DatabaseLink::kAnswered, 0},
      {"pulled out", true, false, DatabaseLink::kNoAnswer, kErrSerialNotOpen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DatabaseLink link;
    if (c.openedFirst) {
      ktest::PtyPair first;
      first.MapToPort(kPort);
      link.Open(kPortSettings, 0, true, kTimeoutMs);
    } else {
      EXPECT_THROW(link.Open(kPortSettings, 0, true, kTimeoutMs), KXSerialPort);
    }
    // The first device is gone.
    KString name;
    if (!c.pluggedIn) {
      EXPECT_EQ(link.Hello(name), c.outcome);
      EXPECT_EQ(link.LastError(), c.error);
      continue;
    }
    ktest::PtyPair again;
    again.MapToPort(kPort);
    ScriptedDatabase database(again, {Answer("HMM", "DB")});
    EXPECT_EQ(link.Hello(name), c.outcome);
    EXPECT_EQ(link.LastError(), c.error);
    EXPECT_EQ(database.Requests().size(), 1u);
  }
}

class ScheduleOverLinkTest : public pftest::SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    std::filesystem::create_directory(folder.File("out"));
    const KString out = KString::FromUtf8(folder.File("out"));
    AddSetting(u"\\Database\\File\\DataOutDir:String=" + std::u16string(out.Data(), out.Length()));
    AddSetting(u"\\Database\\QXF\\SerialPort:String=0,0,0");
    AddSetting(u"\\Database\\Mode:Int=2");
    AddSetting(std::u16string(u"\\Database\\Serial\\SerialPort:String=") + kPortSettings);
    AddSetting(u"\\Database\\Serial\\Timeout:Int=150");
    pair.MapToPort(kPort);
  }
  ktest::PtyPair pair;
};

TEST_F(ScheduleOverLinkTest, TheScheduleRacesAndResultsTravelOverTheLink) {
  ScriptedDatabase database(
      pair, {Answer("HMM", "DB"), Answer("SRP", "1,1,1,Heat 1\r\n1,1,2,Heat 2\r\n"),
             Answer("IRP", "1,1,2,Heat 2\r\n,55,6,Roe,Ann,Striders,L-5\r\n"), Answer("ROK", "")});
  QvSchedule schedule;
  ASSERT_EQ(schedule.Count(), 2);
  EXPECT_EQ(Narrow(schedule.GetNth(1)->GetText()), "1-1-2 Heat 2");

  std::unique_ptr<QvEvent> event(schedule.ReadEventEntries(nullptr, 0, u"1", u"1", u"2", 0));
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(Narrow(event->GetTitle()), "Heat 2");
  QvResult* result = event->Leg(0)->Results().FindByField(3, u"6");
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(Narrow(result->AthleteField(0)), "Roe");

  EXPECT_TRUE(schedule.WriteQXF(*event, 0));
  const std::vector<DatabaseFrame>& requests = database.Requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[3].code, "RFL");
  EXPECT_EQ(requests[3].payload.substr(0, 14), "1,1,2,Heat 2\r\n");
}

TEST_F(ScheduleOverLinkTest, ADatabaseWithoutAnAnswerLeavesAnEmptyScheduleAndLogsWhy) {
  struct Case {
    std::string hello;  // the answer to the hello
    std::u16string timeout;
    const char* logged;
  } cases[] = {
      // Read whole by its framing bytes, and refused for the NUL.
      {"\x01HMM\x02" + std::string("D\0B", 3) + "\x04", u"150",
       "Database link: HMM refused: the payload holds a NUL"},
      {"", u"150",
       "QvSchedule::Load: 5002 Serial communication receive timeout: the database link did not answer"},
      {"", u"0", "\\Database\\Serial\\Timeout is 0, which cannot work: 3000 is used instead"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.logged);
    AddSetting(u"\\Database\\Serial\\Timeout:Int=" + c.timeout);
    const size_t logged = LogText().size();
    ScriptedDatabase database(pair, {c.hello});
    QvSchedule schedule;
    EXPECT_EQ(schedule.Count(), 0);
    EXPECT_NE(LogText().find(c.logged, logged), std::string::npos);
  }
}

TEST_F(ScheduleOverLinkTest, ARaceWithoutAnAnswerSaysSoAndCanBeAskedForAgain) {
  // The answer about heat 2 comes after the link gave up and asked again.
  ScriptedDatabase database(pair,
                            {Answer("HMM", "DB"), Answer("SRP", "1,1,1,Heat 1\r\n1,1,2,Heat 2\r\n"), "",
                             Answer("IRP", "1,1,2,Heat 2\r\n,56,6,Doe,Jo,Harriers\r\n") + Answer("HMM", "DB"),
                             Answer("IRP", "1,1,1,Heat 1\r\n,55,6,Roe,Ann,Striders\r\n")});
  QvSchedule schedule;
  ASSERT_EQ(schedule.Count(), 2);
  QvEvent event;
  const auto laneSix = [&event] {
    const QvResult* result = event.Leg(0) ? event.Leg(0)->Results().FindByField(3, u"6") : nullptr;
    return result != nullptr ? Narrow(result->AthleteField(0)) : std::string("no lane 6");
  };

  // Previous event, from none: the database stays silent about heat 2.
  EXPECT_EQ(schedule.ReadFiles(&event, 0, -1, 0), nullptr);
  EXPECT_EQ(schedule.LinkError(), kErrSerialTimeout);
  EXPECT_NE(LogText().find("QvSchedule::FindRace: 5002 Serial communication receive timeout: no answer "
                           "about race 1-1-2"),
            std::string::npos);
  EXPECT_FALSE(schedule.Current().IsSet());
  EXPECT_EQ(laneSix(), "no lane 6");

  // Next event: heat 1, whatever came late about heat 2.
  EXPECT_EQ(schedule.ReadFiles(&event, 0, 1, 0), &event);
  EXPECT_EQ(schedule.LinkError(), 0);
  EXPECT_EQ(Narrow(event.GetTitle()), "Heat 1");
  EXPECT_EQ(laneSix(), "Roe");
  std::string requests;
  for (const DatabaseFrame& request : database.Requests()) {
    requests += request.code + request.payload;
  }
  EXPECT_EQ(requests, "HFLSRQIRQ1,1,2\r\nHFLIRQ1,1,1\r\n");
}

TEST_F(ScheduleOverLinkTest, TheCompetitorsARaceCannotHoldAreLoggedEachTimeItIsRead) {
  std::string race = "1,1,1,Heat 1\r\n";  // 130 competitors, of whom a leg holds 100
  for (int32_t lane = 1; lane <= 130; ++lane) {
    race += "," + std::to_string(lane) + "," + std::to_string(lane) + ",Roe\r\n";
  }
  ScriptedDatabase database(
      pair, {Answer("HMM", "DB"), Answer("SRP", ""), Answer("IRP", race), Answer("IRP", race)});
  QvSchedule schedule;
  const std::string skipped = "QvSchedule::FindRace: IRP line 102: too many competitors in the race";
  const std::string more = "QvSchedule::FindRace: 10 more lines skipped";
  for (const int32_t visit : {1, 2}) {
    SCOPED_TRACE(visit);
    const size_t logged = LogText().size();
    EXPECT_NE(std::unique_ptr<QvEvent>(schedule.ReadEventEntries(nullptr, 0, u"1", u"1", u"1", 0)), nullptr);
    const std::string log = LogText().substr(logged);
    EXPECT_NE(log.find(skipped), std::string::npos);
    EXPECT_NE(log.find(more), std::string::npos);
  }
}

TEST_F(ScheduleOverLinkTest, AFailedLoadKeepsTheScheduleLoadedBefore) {
  ScriptedDatabase database(pair,
                            {Answer("HMM", "DB"), Answer("SRP", "1,1,1,Heat 1\r\n1,1,2,Heat 2\r\n"), ""});
  QvSchedule schedule;
  ASSERT_EQ(schedule.Count(), 2);
  EXPECT_FALSE(schedule.Load());
  EXPECT_EQ(schedule.LinkError(), kErrSerialTimeout);
  ASSERT_EQ(schedule.Count(), 2);
  EXPECT_EQ(Narrow(schedule.GetNth(1)->GetText()), "1-1-2 Heat 2");
  EXPECT_NE(LogText().find("QvSchedule::Load: 5002"), std::string::npos);
  EXPECT_EQ(database.Requests().size(), 3u);
}

TEST_F(ScheduleOverLinkTest, ARefusedResultsTransferFailsTheWrite) {
  ScriptedDatabase database(pair, {Answer("HMM", "DB"), Answer("SRP", ""), Answer("AMB", "results refused")});
  QvSchedule schedule;
  QvEvent event;
  event.NewLeg();
  event.SetEventRoundHeat(u"1", u"1", u"1");
  EXPECT_FALSE(schedule.WriteQXF(event, 0));
  EXPECT_NE(LogText().find("QvSchedule::WriteQXF: 35002 The database did not take the results; the .qxf file "
                           "was written: 5006 Serial communication handshake error: "),
            std::string::npos);
  EXPECT_EQ(schedule.TakeRefusedSend(), kErrSerialHandshake);
  EXPECT_EQ(schedule.TakeRefusedSend(), 0);
  // The file itself was written before the transfer.
  EXPECT_TRUE(std::filesystem::exists(folder.File("out/1-1-1.qxf")));
}

}  // namespace
