// With the schedule on the serial database link, a race or a schedule that the database gives no answer
// about is told to the user, who can ask again; what was loaded before stays. While the program waits for
// the database, the other peers are answered.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzscheduledialog.h"
#include "app/tests/programtest.h"
#include "app/tests/realtimebound.h"
#include "devices/tests/scripteddatabase.h"
#include "framework/core/zafvtlist.h"
#include "imaging/ui/yzhardwarebar.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/yleg.h"
#include "native/user/cursortable.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/virtualkeys.h"
#include "testing/ptypair.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzdialog.h"

namespace {

constexpr int32_t kPort = 241;
// The database waits this long for each next request: the program starts between the first ones.
constexpr int kDatabaseQuietMs = 30000;

class DatabaseLinkFailureTest : public ProgramTest {
 protected:
  DatabaseLinkFailureTest() {
    pair.MapToPort(kPort);
    Setting(u"\\Database\\Mode:Int=2");
    Setting(u"\\Database\\Serial\\SerialPort:String=241,19200,8,N,1.0");
    Setting(u"\\Database\\Serial\\Timeout:Int=150");
    Setting(u"\\Database\\QXF\\SerialPort:String=0,0,0");
  }

  static QvZScheduleDialog* ScheduleDialog() {
    return dynamic_cast<QvZScheduleDialog*>(ZafWindowObject::windowManager->FrontWindow());
  }
  static std::string LaneSix(QvZEventMDI* window) {
    const QvResult* result = window->GetEvent()->Leg(0)->Results().FindByField(QvResult::kLaneField, u"6");
    return result != nullptr ? result->AthleteField(0).ToUtf8() : "no lane 6";
  }

  ktest::PtyPair pair;
};

}  // namespace

TEST_F(DatabaseLinkFailureTest, ASilentDatabaseIsToldAndTheStepCanBeTakenAgain) {
  pftest::ScriptedDatabase database(
      pair,
      {pftest::Answer("HMM", "DB"), pftest::Answer("SRP", "1,1,1,Heat 1\r\n1,1,2,Heat 2\r\n"), "",
       pftest::Answer("HMM", "DB"), pftest::Answer("IRP", "1,1,1,Heat 1\r\n,55,6,Roe,Ann,Striders\r\n"), ""},
      kDatabaseQuietMs);
  // Next event: no answer about heat 1. The user presses Enter while the program waits; the alert that
  // follows waits for a key pressed once it shows.
  Then([this] {
    Post(ScheduleNextCommand);
    driver.pressKey(native::VK_RETURN);
  });
  AnswerWithKey(u"Error", native::VK_RETURN);
  Then([] {
    EXPECT_TRUE(EventWindows().empty());
    Post(ScheduleNextCommand);
  });
  When(
      "heat 1's window", [] { return EventWindows().size() == 1; },
      [] {
        EXPECT_EQ(LaneSix(EventWindows()[0]), "Roe");
        Post(ScheduleGotoCommand);
      });
  // Load Schedule: no answer to the greeting.
  When(
      "the schedule dialog", [] { return ScheduleDialog() != nullptr; },
      [] { Post(QvZScheduleDialog::kReloadSchedule); });
  AnswerWithKey(u"Error", native::VK_RETURN);
  When(
      "the schedule dialog again", [] { return ScheduleDialog() != nullptr; },
      [] {
        EXPECT_EQ(ScheduleDialog()->EntryList()->List()->Count(), 2);
        Post(KZDialog::kCancelResult);
      });
  // Cancel asks for no race: nothing more is told.
  When(
      "the schedule dialog to close", [] { return ScheduleDialog() == nullptr; },
      [] { EXPECT_EQ(FrontMessage(), nullptr); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 2u);
  for (const SeenMessage& message : seen) {
    EXPECT_EQ(message.text, u"Serial communication receive timeout (5002).");
  }
  EXPECT_EQ(database.Requests().size(), 6u);
}

// The database holds back its answer about a race until the peers that ask meanwhile (a command's sender,
// the photo-finish system's reaction-time request) have theirs: the race comes only when the program
// answers them while it waits, with the busy pointer up.
TEST_F(DatabaseLinkFailureTest, PeersAskingWhileTheDatabaseIsWaitedForAreAnswered) {
  const int reactionPort = FreePort();
  Setting(KString(u"\\Database\\QXF\\SerialPort:String=-2,0,").AppendInt(reactionPort).CStr());
  Setting(u"\\Database\\Serial\\Timeout:Int=20000");
  std::string command;
  int reactionStatus = -1;
  native::HCURSOR waitingPointer = nullptr;
  pftest::ScriptedDatabase database(
      pair,
      {pftest::Answer("HMM", "DB"), pftest::Answer("SRP", "1,1,1,Heat 1\r\n"),
       pftest::Answer("IRP", "1,1,1,Heat 1\r\n,55,6,Roe,Ann,Striders\r\n")},
      kDatabaseQuietMs, [&](std::size_t request) {
        if (request == 2) {
          // The program is in the wait for the race: its pointer stays as it is until the answer.
          waitingPointer = native::GetCursor();
          command = SendCommand("Nothing").get();
          const pid_t asking =
              StartProcess({KESTROVE_PFPEER, "rrq", "0", std::to_string(reactionPort), "1", "1", "1"});
          if (asking > 0) {
            waitpid(asking, &reactionStatus, 0);
          }
        }
      });
  Then([] { Post(ScheduleNextCommand); });
  When(
      "heat 1's window", [] { return EventWindows().size() == 1; },
      [] { EXPECT_EQ(LaneSix(EventWindows()[0]), "Roe"); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(database.Requests().size(), 3u);
  EXPECT_EQ(command, "ACK");
  EXPECT_EQ(waitingPointer, native::LoadCursor(nullptr, native::IDC_WAIT));
  // pfpeer's status for RNR: no results of the race yet.
  EXPECT_TRUE(WIFEXITED(reactionStatus) && WEXITSTATUS(reactionStatus) == 1) << reactionStatus;
  EXPECT_TRUE(seen.empty());
}

// An exit asked while the program waits for the database's answer (here on a time-out of 30 s that the
// database lets pass) ends the wait at its next slice; the exit then takes File > Exit's road.
TEST_F(DatabaseLinkFailureTest, AnExitAskedWhileTheDatabaseIsWaitedForEndsTheWait) {
  struct Case {
    const char* name;
    std::function<void(native::HWND frame)> exit;
  };
  const Case cases[] = {
      {"SIGTERM", [](native::HWND) { raise(SIGTERM); }},
      {"the window manager's close",
       [](native::HWND frame) { native::PostMessage(frame, native::WM_CLOSE, 0, 0); }},
  };
  Setting(u"\\Database\\Serial\\Timeout:Int=30000");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Make();
    script = ProgramScript();
    seen.clear();
    std::atomic<native::HWND> frame = nullptr;
    // The race's request is not answered; the exit is asked as it comes.
    pftest::ScriptedDatabase database(
        pair, {pftest::Answer("HMM", "DB"), pftest::Answer("SRP", "1,1,1,Heat 1\r\n"), ""}, kDatabaseQuietMs,
        [&c, &frame](std::size_t request) {
          if (request == 2) {
            c.exit(frame);
          }
        });
    Then([&frame] {
      frame = Frame()->ScreenID(2);
      Post(ScheduleNextCommand);
    });
    // A third of the time-out: a wait that the exit does not end runs past it.
    const RealTimeBound bound(std::string("the exit, ") + c.name, std::chrono::seconds(10));
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(EventWindows().empty());
  }
}
