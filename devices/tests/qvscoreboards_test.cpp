#include "devices/qvscoreboards.h"

#include <gtest/gtest.h>
#include <termios.h>

#include <cstdlib>
#include <future>
#include <thread>
#include <vector>

#include "devices/tests/qvscoreboardsfixture.h"

namespace {

TEST_F(QvScoreboardsTest, NewEntryHasTheDefaultKeysAndScriptsAreListed) {
  struct Case {
    const char16_t* path;
    const char16_t* value;
  };
  const Case cases[] = {
      {u"Name", u"Scoreboard"},  {u"Script", u""},       {u"CharMode", u"0"},
      {u"MinUpdateDelay", u"0"}, {u"ResultsMode", u"0"}, {u"SendPlace", u"0"},
      {u"PageMode", u"1"},       {u"PageSize", u"1"},    {u"PageTime", u"5000"},
      {u"IncludeFirst", u"0"},   {u"AffilAbbr", u"0"},   {u"SerialPort", u"0,9600,8,N,1.0"},
  };
  KRGroup* entry = QvScoreboards::NewEntry();
  ASSERT_NE(entry, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(KString(c.path).ToUtf8());
    const KRNode* node = KRegistry::Lookup(entry, KString(c.path));
    ASSERT_NE(node, nullptr);
    KString value;
    node->AppendValue(value);
    EXPECT_EQ(value, KString(c.value));
  }
  EXPECT_EQ(QvScoreboards::Count(), 3);
  EXPECT_EQ(QvScoreboards::GetNth(2), entry);
  EXPECT_EQ(QvScoreboards::GetNth(3), nullptr);
  entry->SetDeleted(true);
  EXPECT_EQ(QvScoreboards::Count(), 3);  // deleted entries keep their rows

  const KRNode* first = QvScoreboards::Find(nullptr);
  ASSERT_NE(first, nullptr);
  const KRNode* second = QvScoreboards::Find(first);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->Name(), KString(u"RESULTS.LSS"));
  EXPECT_EQ(second->Name(), KString(u"line.lss"));
  EXPECT_EQ(QvScoreboards::Find(second), nullptr);
}

TEST_F(QvScoreboardsTest, ResultsArePagedOutAndANewDownloadStartsFromTheFirstPage) {
  for (const char16_t* line : {u"ResultsMode:Int=1", u"SendPlace:Int=1", u"PageSize:Int=2",
                               u"PageTime:Int=5000", u"IncludeFirst:Bool=1"}) {
    Set(entryA, KString(line));
  }
  Set(entryB, KString(u"ResultsMode:Int=1"));
  Set(entryB, KString(u"PageMode:Int=0"));
  event.NewLeg();
  AddResult(u"Cole", 10500, u"3");
  AddResult(u"Adams", 10200, u"5");
  AddResult(u"Brown", 0, u"7");
  // Lane 8 is not in use; an older document left an athlete and a finish time in it.
  AddResult(u"Gone", 9900, u"8");
  event.Leg(0)->Results().GetNth(3, nullptr)->SetStatus(QvResult::kLaneNotUsed);
  StartBoards();
  EXPECT_EQ(boards->BoardCount(), 2);

  boards->SetCurrentEvent(&event);
  clock.Advance(QvScoreboards::kPeriodMs);
  const std::string firstPage = std::string("\x02 1 Adams  10.20 2 Cole   10.50\x03");
  const std::string secondPage = std::string("\x02 1 Adams  10.20   Brown       \x03");
  EXPECT_EQ(boardA.Receive(firstPage.size()), firstPage);
  EXPECT_EQ(boardB.Receive(26), "<L5=AdamsL3=ColeL7=Brown>");

  clock.Advance(4900);
  EXPECT_TRUE(boardA.NothingReceived(50));
  clock.Advance(100);
  EXPECT_EQ(boardA.Receive(secondPage.size()), secondPage);
  clock.Advance(5000);
  EXPECT_EQ(boardA.Receive(firstPage.size()), firstPage);  // after the last page the first comes again
  EXPECT_TRUE(boardB.NothingReceived(50));                 // one page is not sent again and again

  clock.Advance(2000);
  event.Leg(0)->Results().GetNth(2, nullptr)->SetFinishTime(YTime::FromMilliseconds(10100));
  clock.Advance(QvScoreboards::kPeriodMs);
  const std::string newFirst = std::string("\x02 1 Brown  10.10 2 Adams  10.20\x03");
  EXPECT_EQ(boardA.Receive(newFirst.size()), newFirst);
  EXPECT_EQ(boardB.Receive(26), "<L7=BrownL5=AdamsL3=Cole>");
}

TEST_F(QvScoreboardsTest, ManualResultsWaitForRefreshAndRunOnce) {
  Set(entryA, KString(u"ResultsMode:Int=2"));
  Set(entryA, KString(u"SendPlace:Int=1"));
  event.NewLeg();
  AddResult(u"Cole", 10500, u"3");
  AddResult(u"Adams", 10200, u"5");
  StartBoards();
  boards->SetCurrentEvent(&event);
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_TRUE(boardA.NothingReceived(50));

  boards->InvalidateAll();
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardA.Receive(17), std::string("\x02 1 Adams  10.20\x03"));
  clock.Advance(5000);
  EXPECT_EQ(boardA.Receive(17), std::string("\x02 2 Cole   10.50\x03"));
  clock.Advance(10000);
  EXPECT_TRUE(boardA.NothingReceived(50));
}

TEST_F(QvScoreboardsTest, TimeOfDayInTwelveAndTwentyFourHours) {
  StartBoards();
  testTime.hour = 13;
  testTime.minute = 2;
  testTime.second = 3;
  EXPECT_FALSE(boards->GetFlag1());
  boards->SetFlag1(true);
  EXPECT_TRUE(boards->GetFlag1());
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardA.Receive(11), std::string("\x02T 1:02:03\x03"));
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_TRUE(boardA.NothingReceived(50));  // the same second is not sent twice

  boards->SetFlag2(true);
  EXPECT_TRUE(boards->GetFlag2());
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardA.Receive(11), std::string("\x02T13:02:03\x03"));
  testTime.second = 4;
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardA.Receive(11), std::string("\x02T13:02:04\x03"));
  EXPECT_TRUE(boardB.NothingReceived(50));  // board B's script has no time of day
}

TEST_F(QvScoreboardsTest, MessageIsShownAndAnEmptyMessageGivesTheBoardsTheirResultsAgain) {
  // Board A's results as it shows them before the message, and at once after the empty message ends it
  // ("\x02MSG\x03" blanks it); board B shows no results.
  struct Case {
    const char* name;
    std::vector<const char16_t*> settings;
    bool refresh;
    std::string results;
  };
  const Case cases[] = {
      {"automatic, every result on one page",
       {u"ResultsMode:Int=1", u"PageMode:Int=0"},
       false,
       "\x02   Adams  10.20   Cole   10.50\x03"},
      {"automatic, a page at a time",
       {u"ResultsMode:Int=1", u"PageMode:Int=1"},
       false,
       "\x02   Adams  10.20\x03"},
      {"manual, after a Refresh", {u"ResultsMode:Int=2", u"PageMode:Int=1"}, true, "\x02   Adams  10.20\x03"},
      {"manual, never asked for", {u"ResultsMode:Int=2", u"PageMode:Int=1"}, false, ""},
  };
  event.NewLeg();
  AddResult(u"Cole", 10500, u"3");
  AddResult(u"Adams", 10200, u"5");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char16_t* line : c.settings) {
      Set(entryA, KString(line));
    }
    StartBoards();
    boards->SetCurrentEvent(&event);
    if (c.refresh) {
      boards->InvalidateAll();
    }
    clock.Advance(QvScoreboards::kPeriodMs);
    EXPECT_EQ(boardA.Receive(c.results.size(), 50), c.results);

    boards->SendMessage(u"Hello\r\nWorld\n");
    KString listed;
    boards->ListMessages(listed);
    EXPECT_EQ(listed, KString(u"Hello\r\nWorld"));
    clock.Advance(QvScoreboards::kPeriodMs);
    EXPECT_TRUE(boardA.NothingReceived(50));  // kept, not yet shown

    boards->RequestClear();
    clock.Advance(QvScoreboards::kPeriodMs);
    EXPECT_EQ(boardA.Receive(17), std::string("\x02MSG|Hello|World\x03"));
    EXPECT_EQ(boardB.Receive(10), "HelloWorld");

    boards->SendMessage(u"");
    boards->RequestClear();
    clock.Advance(QvScoreboards::kPeriodMs);
    EXPECT_EQ(boardA.Receive(5 + c.results.size()), std::string("\x02MSG\x03") + c.results);
    EXPECT_TRUE(boardA.NothingReceived(50));
    EXPECT_TRUE(boardB.NothingReceived(50));
    boards.reset();
  }
}

TEST_F(QvScoreboardsTest, PortIsReopenedWhenItsSettingChanges) {
  ktest::PtyPair moved;
  moved.MapToPort(79);
  StartBoards();
  EXPECT_TRUE(boards->ListensTo(entryA));
  Set(entryA, KString(u"SerialPort:String=79,19200,8,N,1.0"));
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(moved.Receive(8), "\x02INIT-A\x03");
  EXPECT_EQ(cfgetospeed(&(const termios&)moved.DeviceSettings()), B19200);
  EXPECT_TRUE(boardA.NothingReceived(50));
}

TEST_F(QvScoreboardsTest, BusyEventMakesTheTaskSkipItsTick) {
  Set(entryA, KString(u"ResultsMode:Int=1"));
  event.NewLeg();
  AddResult(u"Adams", 10200, u"5");
  StartBoards();
  boards->SetCurrentEvent(&event);
  EXPECT_EQ(boards->GetCurrentEvent(), &event);

  std::promise<void> held;
  std::promise<void> release;
  std::thread holder([&] {
    event.Mutex().Lock();
    held.set_value();
    release.get_future().wait();
    event.Mutex().Unlock();
  });
  held.get_future().wait();
  clock.Advance(3 * QvScoreboards::kPeriodMs);
  EXPECT_TRUE(boardA.NothingReceived(50));
  release.set_value();
  holder.join();
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardA.Receive(17), std::string("\x02   Adams  10.20\x03"));
}

TEST_F(QvScoreboardsTest, PortThatFailsToOpenIsLoggedAndTriedAgainOnTheNextRequest) {
  Set(entryB, KString(u"SerialPort:String=80,9600,8,N,1.0"));
  setenv("KESTROVE_COM80", "/nonexistent/kestrove-port", 1);
  boards = std::make_unique<QvScoreboards>();
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardA.Receive(8), "\x02INIT-A\x03");  // the other board goes on
  EXPECT_NE(LogText().find("cannot open port 80,9600,8,N,1.0"), std::string::npos) << LogText();

  ktest::PtyPair late;
  late.MapToPort(80);
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_TRUE(late.NothingReceived(50));  // no request, no new try
  boards->RequestStop();
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(late.Receive(2),
            "\x1b"
            "B");
  EXPECT_EQ(boardA.Receive(8), "\x02INIT-A\x03");
  unsetenv("KESTROVE_COM80");
}

TEST_F(QvScoreboardsTest, MissingScriptIsLoggedAndTheBoardSendsNothing) {
  Set(entryB, KString(u"Script:String=gone.lss"));
  boards = std::make_unique<QvScoreboards>();
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardA.Receive(8), "\x02INIT-A\x03");
  EXPECT_TRUE(boardB.NothingReceived(50));
  EXPECT_NE(LogText().find("no script named \"gone.lss\""), std::string::npos) << LogText();
}

}  // namespace

namespace {

TEST_F(QvScoreboardsTest, OutputWaitsForTheMinimumUpdateDelay) {
  Set(entryA, KString(u"MinUpdateDelay:Int=1000"));
  StartBoards();
  testTime.hour = 8;
  boards->SetFlag1(true);
  boards->SetFlag2(true);
  clock.Advance(500);
  EXPECT_TRUE(boardA.NothingReceived(50));  // the initialisation went out less than a second ago
  clock.Advance(500);
  EXPECT_EQ(boardA.Receive(11), std::string("\x02T08:00:00\x03"));
  testTime.second = 1;
  clock.Advance(900);
  EXPECT_TRUE(boardA.NothingReceived(50));
  clock.Advance(100);
  EXPECT_EQ(boardA.Receive(11), std::string("\x02T08:00:01\x03"));
}

TEST_F(QvScoreboardsTest, BoardCodeSetAppliesToTextAndInitializeRereadsIt) {
  StartBoards();
  boards->SendMessage(u"\u00E9");
  boards->RequestClear();
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardB.Receive(1), "\xE9");
  Set(entryB, KString(u"CharMode:Int=2"));
  boards->RequestClear();
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardB.Receive(1), "\xE9");  // the setting waits for Initialize
  boards->RequestStop();
  boards->RequestClear();
  clock.Advance(QvScoreboards::kPeriodMs);
  EXPECT_EQ(boardB.Receive(4),
            "\x1b"
            "B\xC3\xA9");
}

// Without a virtual clock the output task is a real thread; the destructor must stop it before the boards
// go, whatever the thread is doing.
TEST(QvScoreboardsThreadTest, DestructorStopsTheRunningTaskFirst) {
  KRegistry::RegisterTypes();
  KRegistry registry;
  QvSettings::SetRoot(&registry);
  QvScoreboards::NewEntry();
  QvScoreboards::NewEntry();
  for (int32_t round = 0; round < 3; ++round) {
    auto boards = std::make_unique<QvScoreboards>();
    EXPECT_EQ(boards->BoardCount(), 2);
    boards->InvalidateAll();
    boards->SetFlag1(true);
  }
  QvSettings::SetRoot(nullptr);
}

}  // namespace
