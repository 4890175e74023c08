#pragma once
// The scoreboard tests' fixture: a settings tree with two boards on pseudo-terminal pairs, their scripts in
// a temporary folder, an event, a log file and the task's virtual clock.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "devices/qvscoreboards.h"
#include "foundation/kdatetime.h"
#include "foundation/klog.h"
#include "foundation/kperiodictask.h"
#include "foundation/kregistry.h"
#include "foundation/krgroup.h"
#include "model/qvevent.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"
#include "model/yleg.h"
#include "model/ytime.h"
#include "testing/ptypair.h"

// Board A: one line of text with places, names and times.
inline constexpr const char* kLineScript =
    "width 16\n"
    ";;Initialization\n#2 \"INIT-A\" #3\n"
    ";;ResultsHeader\n#2\n"
    ";;Result\nP2> \" \" N6< T6>\n"
    ";;ResultsTrailer\n#3\n"
    ";;TimeOfDay\n#2 \"T\" H8> #3\n"
    ";;MessageHeader\n#2 \"MSG\"\n"
    ";;Message\n\"|\" M\n"
    ";;MessageTrailer\n#3\n";

// Board B: a results board addressed by lane.
inline constexpr const char* kResultsScript =
    ";;Initialization\n#27 \"B\"\n"
    ";;ResultsHeader\n\"<\"\n"
    ";;Result\n\"L\" L \"=\" N\n"
    ";;ResultsTrailer\n\">\"\n"
    ";;Message\nM\n";

// Two boards, A and B, on two pseudo-terminal pairs (ports 77 and 78), driven by a virtual clock.
class QvScoreboardsTest : public ::testing::Test {
 protected:
  static KDateTime TestTime() { return testTime; }
  void SetUp() override {
    KRegistry::RegisterTypes();
    QvSettings::SetRoot(&registry);
    YTime::Setup();
    folder = std::filesystem::temp_directory_path() / ("kestrove-scoreboards-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "line.lss") << kLineScript;
    std::ofstream(folder / "RESULTS.LSS") << kResultsScript;
    std::ofstream(folder / "notes.txt") << "not a script";
    log = std::make_unique<KLog>((folder / "test.log").string());
    KLog::SetProgramLog(log.get());
    QvScoreboards::Setup(KString::FromUtf8(folder.string()));
    QvScoreboards::SetTimeOfDaySource(&TestTime);
    testTime = KDateTime();
    boardA.MapToPort(77);
    boardB.MapToPort(78);
    entryA = AddBoard(u"line.lss", u"77,9600,8,N,1.0");
    entryB = AddBoard(u"RESULTS.LSS", u"78,9600,8,N,1.0");
  }
  void TearDown() override {
    boards.reset();
    QvScoreboards::SetTimeOfDaySource(nullptr);
    KLog::SetProgramLog(nullptr);
    log.reset();
    std::filesystem::remove_all(folder);
    QvSettings::SetRoot(nullptr);
  }

  KRGroup* AddBoard(const char16_t* script, const char16_t* port) {
    KRGroup* entry = QvScoreboards::NewEntry();
    Set(entry, KString(u"Script:String=").Append(script));
    Set(entry, KString(u"SerialPort:String=").Append(port));
    return entry;
  }
  static void Set(KRGroup* entry, const KString& line) {
    ASSERT_NE(KRegistry::AddLine(entry, line), nullptr);
  }

  // Makes the boards and lets the first tick open the ports and initialise them.
  void StartBoards() {
    boards = std::make_unique<QvScoreboards>();
    clock.Advance(QvScoreboards::kPeriodMs);
    ASSERT_EQ(boardA.Receive(8), "\x02INIT-A\x03");
    ASSERT_EQ(boardB.Receive(2),
              "\x1b"
              "B");
  }

  // Adds results to the event's first leg: last name, finish time in ms (0: none), lane.
  void AddResult(const char16_t* name, int32_t finishMs, const char16_t* lane) {
    QvResult* result = event.Leg(0)->Results().NewResult();
    ASSERT_NE(result, nullptr);
    result->SetAthleteField0(name);
    result->SetAthleteField3(lane);
    if (finishMs > 0) {
      result->SetFinishTime(YTime::FromMilliseconds(finishMs));
    }
  }

  std::string LogText() const {
    std::ifstream file(folder / "test.log");
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  static inline KDateTime testTime;
  KRegistry registry;
  std::filesystem::path folder;
  std::unique_ptr<KLog> log;
  ktest::PtyPair boardA;
  ktest::PtyPair boardB;
  KRGroup* entryA = nullptr;
  KRGroup* entryB = nullptr;
  KPeriodicTask::VirtualClock clock{1000};
  QvEvent event;
  std::unique_ptr<QvScoreboards> boards;
};
