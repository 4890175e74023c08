#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "devices/qvscoreboards.h"
#include "devices/tests/qvscoreboardsfixture.h"

namespace {

// Board A's first and second page with Adams (10.20) ahead of Cole (10.50), places on.
const std::string kAdamsFirst("\x02 1 Adams  10.20\x03");
const std::string kColeSecond("\x02 2 Cole   10.50\x03");

class QvScoreboardsRequestTest : public QvScoreboardsTest {
 protected:
  // Board A pages manually, one result a page, with places; the event holds Cole and Adams.
  void UseManualBoardA() {
    Set(entryA, KString(u"ResultsMode:Int=2"));
    Set(entryA, KString(u"SendPlace:Int=1"));
    event.NewLeg();
    AddResult(u"Cole", 10500, u"3");
    AddResult(u"Adams", 10200, u"5");
  }
  QvResult* Result(int32_t index) { return event.Leg(0)->Results().GetNth(index, nullptr); }
};

TEST_F(QvScoreboardsRequestTest, RefreshOrInitializeThatHasToOpenThePortStartsTheManualPages) {
  struct Case {
    const char* name;
    std::function<void(QvScoreboards&)> request;
  };
  const Case cases[] = {
      {"Refresh", [](QvScoreboards& boards) { boards.InvalidateAll(); }},
      {"Initialize", [](QvScoreboards& boards) { boards.RequestStop(); }},
  };
  UseManualBoardA();
  Set(entryA, KString(u"SerialPort:String=81,9600,8,N,1.0"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setenv("KESTROVE_COM81", "/nonexistent/kestrove-port", 1);
    boards = std::make_unique<QvScoreboards>();
    boards->SetCurrentEvent(&event);
    clock.Advance(QvScoreboards::kPeriodMs);
    EXPECT_EQ(boardB.Receive(2),
              "\x1b"
              "B");

    ktest::PtyPair late;
    late.MapToPort(81);
    c.request(*boards);
    clock.Advance(QvScoreboards::kPeriodMs);
    EXPECT_EQ(late.Receive(8 + kAdamsFirst.size()), "\x02INIT-A\x03" + kAdamsFirst);
    clock.Advance(5000);
    EXPECT_EQ(late.Receive(kColeSecond.size()), kColeSecond);
    boards.reset();
    boardB.Receive(2, 50);  // Initialize initialises board B too
  }
  unsetenv("KESTROVE_COM81");
}

TEST_F(QvScoreboardsRequestTest, RefreshIsKeptWhenTheEventOrItsResultsChangeInTheSameTick) {
  UseManualBoardA();
  QvEvent other;
  other.NewLeg();
  QvResult* only = other.Leg(0)->Results().NewResult();
  ASSERT_NE(only, nullptr);
  only->SetAthleteField0(u"Dunn");
  only->SetFinishTime(YTime::FromMilliseconds(10900));
  struct Case {
    const char* name;
    std::function<void()> change;
    std::string firstPage;
  };
  const Case cases[] = {
      {"the results change", [&] { Result(0)->SetFinishTime(YTime::FromMilliseconds(10100)); },
       "\x02 1 Cole   10.10\x03"},
      {"another event", [&] { boards->SetCurrentEvent(&other); }, "\x02 1 Dunn   10.90\x03"},
      {"the first event again", [&] { boards->SetCurrentEvent(&event); }, "\x02 1 Cole   10.10\x03"},
  };
  StartBoards();
  boards->SetCurrentEvent(&event);
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_TRUE(boardA.NothingReceived(50));  // manual: nothing before a Refresh
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boards->InvalidateAll();
    c.change();
    clock.Advance(QvScoreboards::kPeriodMs);
    EXPECT_EQ(boardA.Receive(c.firstPage.size()), c.firstPage);
    clock.Advance(20000);  // lets the run end
    boardA.Receive(64, 50);
  }
}

TEST_F(QvScoreboardsRequestTest, ManualRunGoesOnWithTheCurrentResultsWhenTheyChange) {
  UseManualBoardA();
  StartBoards();
  boards->SetCurrentEvent(&event);
  boards->InvalidateAll();
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardA.Receive(kAdamsFirst.size()), kAdamsFirst);

  Result(0)->SetFinishTime(YTime::FromMilliseconds(10100));  // Cole now leads
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_TRUE(boardA.NothingReceived(50));  // the run keeps its page time
  clock.Advance(4900);
  EXPECT_EQ(boardA.Receive(17), std::string("\x02 2 Adams  10.20\x03"));
  clock.Advance(10000);
  EXPECT_TRUE(boardA.NothingReceived(50));  // the run ended after its last page

  // Fewer results under a running sequence (another event with one result) end it without an empty page.
  QvEvent other;
  other.NewLeg();
  ASSERT_NE(other.Leg(0)->Results().NewResult(), nullptr);
  boards->InvalidateAll();
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardA.Receive(17), std::string("\x02 1 Cole   10.10\x03"));
  boards->SetCurrentEvent(&other);
  clock.Advance(10000);
  EXPECT_TRUE(boardA.NothingReceived(50));
}

TEST_F(QvScoreboardsRequestTest, PortSettingEqualToTheOneInForceChangesNothing) {
  ktest::PtyPair other;
  other.MapToPort(79);
  struct Case {
    const char* name;
    std::vector<const char16_t*> settings;  // stored one after the other before the tick
  };
  const Case cases[] = {
      {"the same text stored again", {u"77,9600,8,N,1.0"}},
      {"a change taken back before the tick", {u"79,19200,8,N,1.0", u"77,9600,8,N,1.0"}},
  };
  StartBoards();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char16_t* text : c.settings) {
      Set(entryA, KString(u"SerialPort:String=").Append(text));
    }
    clock.Advance(QvScoreboards::kPeriodMs);
    EXPECT_TRUE(boardA.NothingReceived(50));
    EXPECT_TRUE(other.NothingReceived(0));
  }
  boards->SendMessage(u"still here");
  boards->RequestClear();
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardA.Receive(17), std::string("\x02MSG|still here\x03"));
}

TEST_F(QvScoreboardsRequestTest, InitializeReadsTheBoardsScriptAgain) {
  struct Case {
    const char* name;
    const char* lineScript;  // written over line.lss; null: the file is removed
    const char16_t* scriptSetting;
    std::string expected;
    const char* logged;  // null: no new log line expected
  };
  const Case cases[] = {
      {"an edited script", ";;Initialization\n#2 \"INIT-2\" #3\n", u"line.lss", "\x02INIT-2\x03", nullptr},
      {"a fault is logged and left out", ";;Initialization\n#2 \"INIT-3\" #3 Q #4\n", u"line.lss",
       "\x02INIT-3\x03", "script line.lss, line 2: unknown command 'Q'"},
      {"another script chosen", nullptr, u"RESULTS.LSS",
       "\x1b"
       "B",
       nullptr},
      {"a script gone", nullptr, u"line.lss", "", "cannot read the script"},
  };
  StartBoards();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.lineScript != nullptr) {
      std::ofstream(folder / "line.lss", std::ios::trunc) << c.lineScript;
    } else {
      std::filesystem::remove(folder / "line.lss");
    }
    Set(entryA, KString(u"Script:String=").Append(c.scriptSetting));
    boards->RequestStop();
    clock.Advance(QvScoreboards::kPeriodMs);
    if (c.expected.empty()) {
      EXPECT_TRUE(boardA.NothingReceived(50));
    } else {
      EXPECT_EQ(boardA.Receive(c.expected.size()), c.expected);
    }
    if (c.logged != nullptr) {
      EXPECT_NE(LogText().find(c.logged), std::string::npos) << LogText();
    }
    EXPECT_EQ(boardB.Receive(2),
              "\x1b"
              "B");
  }
  EXPECT_TRUE(boards->ListensTo(entryA));  // a board without its script keeps its port
}

TEST_F(QvScoreboardsRequestTest, PagesAndTheTimeOfDayTakeTurnsUnderTheUpdateDelay) {
  Set(entryA, KString(u"MinUpdateDelay:Int=1000"));
  Set(entryA, KString(u"ResultsMode:Int=1"));
  Set(entryA, KString(u"SendPlace:Int=1"));
  event.NewLeg();
  AddResult(u"Cole", 10500, u"3");
  AddResult(u"Adams", 10200, u"5");
  testTime.hour = 8;
  StartBoards();
  boards->SetFlag1(true);
  boards->SetFlag2(true);
  boards->SetCurrentEvent(&event);
  // Both are due when the delay after the initialisation has passed; the time goes first.
  clock.Advance(1000);
  EXPECT_EQ(boardA.Receive(11), std::string("\x02T08:00:00\x03"));
  // A new second every time the delay passes: the page waiting since then gets its turn.
  testTime.second = 1;
  clock.Advance(1000);
  EXPECT_EQ(boardA.Receive(kAdamsFirst.size()), kAdamsFirst);
  testTime.second = 2;
  clock.Advance(1000);
  EXPECT_EQ(boardA.Receive(11), std::string("\x02T08:00:02\x03"));
}

// The task writes to the ports after releasing the event: a board whose line takes no more bytes never
// keeps the event from being changed.
TEST_F(QvScoreboardsRequestTest, EventIsFreeWhileABoardsLineIsSlow) {
  StartBoards();
  boards->SetCurrentEvent(&event);
  clock.Advance(QvScoreboards::kPeriodMs);
  // Far more than a pseudo-terminal buffers while nobody reads it: the write waits for its time-out.
  const std::u16string longLine(1 << 20, u'x');
  boards->SendMessage(KString(longLine.data(), static_cast<int32_t>(longLine.size())));
  boards->RequestClear();
  std::thread task([this] { clock.Advance(QvScoreboards::kPeriodMs); });
  // The write has begun; the bound only matters when the machine is very busy.
  EXPECT_EQ(boardA.Receive(1, 10000), "\x02");
  const bool free = event.Mutex().Lock(0);
  if (free) {
    event.Mutex().Unlock();
  }
  task.join();
  EXPECT_TRUE(free);
  EXPECT_NE(LogText().find("cannot send, error"), std::string::npos) << LogText();
}

}  // namespace
