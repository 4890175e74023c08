// Under the single-event rule a document is opened (or made from the schedule) before the current event
// window closes: every road that fails leaves that window as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzeventmdi.h"
#include "app/qvzscheduledialog.h"
#include "app/tests/programtest.h"
#include "imaging/ui/yzhardwarebar.h"
#include "model/qvevent.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzdialog.h"

namespace {

class OpenBeforeCloseTest : public ProgramTest {
 protected:
  OpenBeforeCloseTest() {
    std::filesystem::create_directories(FilePath("events/out"));
    Setting(u"\\Event\\SingleEvent:Int=1");
    Setting(u"\\Database\\File\\DataOutDir:String=" +
            std::u16string(KString::FromUtf8(EventPath("out/")).CStr()));
  }

  std::string EventPath(const std::string& name) const { return FilePath("events/" + name); }

  // Makes a new event window, saved as `name` when one is given, and notes it in `window`.
  void NewEventWindow(std::shared_ptr<QvZEventMDI*> window, const std::string& name = "") {
    Then([] { Post(NewCommand); });
    When(
        "a new event window", [] { return EventWindows().size() == 1; },
        [this, window, name] {
          *window = EventWindows()[0];
          if (!name.empty()) {
            AnswerFileDialog(EventPath(name));
            (*window)->Save(QvZEventMDI::kSave);
          }
        });
  }

  // Checks at the next idle pass that the window is the only one and was left as it was.
  void ThenOnlyWindowIs(std::shared_ptr<QvZEventMDI*> window, const std::string& what) {
    Then([window, what] {
      SCOPED_TRACE(what);
      EXPECT_EQ(EventWindows(), std::vector<QvZEventMDI*>{*window});
    });
  }
};

}  // namespace

TEST_F(OpenBeforeCloseTest, AnOpenEventCommandThatFailsLeavesTheWindow) {
  ASSERT_EQ(::mkfifo(EventPath("pipe.qve").c_str(), 0600), 0);
  auto window = std::make_shared<QvZEventMDI*>(nullptr);
  NewEventWindow(window);
  auto answer = std::make_shared<std::shared_future<std::string>>();
  Then([this, answer] { *answer = SendCommand("OpenEvent," + EventPath("pipe.qve")); });
  AnswerWithKey(u"Error", native::VK_RETURN);
  When(
      "the command served", [this] { return program->PendingCommand().IsEmpty() && !FrontMessage(); },
      [answer] { EXPECT_EQ(answer->get(), "ACK"); });
  ThenOnlyWindowIs(window, "after the FIFO");
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, u"Error opening a file (3002).");
}

TEST_F(OpenBeforeCloseTest, FileOpenOfNoFileOrOfOneThatFailsLeavesTheWindow) {
  auto window = std::make_shared<QvZEventMDI*>(nullptr);
  NewEventWindow(window, "Heat.qve");
  // No answer: the dialog is cancelled.
  Then([] { Post(OpenCommand); });
  ThenOnlyWindowIs(window, "after a cancelled dialog");
  Then([this] {
    AnswerFileDialog(EventPath("missing.qve"));
    Post(OpenCommand);
  });
  AnswerWithKey(u"Error", native::VK_RETURN);
  ThenOnlyWindowIs(window, "after a file that cannot be opened");
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(seen.size(), 1u);
}

TEST_F(OpenBeforeCloseTest, NextPastTheLastRaceOrACancelledGotoLeavesTheWindow) {
  const std::string dataIn = FilePath("datain");
  ASSERT_EQ(std::system((std::string(KESTROVE_PFPEER) + " startlists '" + dataIn + "' >/dev/null").c_str()),
            0);
  Setting(u"\\Database\\File\\DataInDir:String=" + std::u16string(KString::FromUtf8(dataIn + "/").CStr()));
  auto window = std::make_shared<QvZEventMDI*>(nullptr);
  // From no race, Previous goes to the schedule's last one.
  Then([] { Post(SchedulePreviousCommand); });
  When(
      "the last race's window", [] { return EventWindows().size() == 1; },
      [window] {
        *window = EventWindows()[0];
        Post(ScheduleNextCommand);
      });
  ThenOnlyWindowIs(window, "after Next past the last race");
  Then([] { Post(ScheduleGotoCommand); });
  When(
      "the schedule dialog",
      [] {
        return dynamic_cast<QvZScheduleDialog*>(ZafWindowObject::windowManager->FrontWindow()) != nullptr;
      },
      [] { Post(KZDialog::kCancelResult); });
  ThenOnlyWindowIs(window, "after a cancelled Goto");
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
}
