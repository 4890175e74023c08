// The started program as a user meets it: the main frame after the splash, the reporters on its status
// bar, File > Exit from the keyboard, and the reaction-time link served while the program idles.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <string>

#include "app/qvzcontrol.h"
#include "app/qvzstatusbar.h"
#include "app/tests/programtest.h"
#include "app/yzapplication.h"
#include "devices/qvblocksensors.h"
#include "foundation/kregistry.h"
#include "foundation/kserialport.h"
#include "framework/core/tests/referencepicture.h"
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowmanager.h"
#include "imaging/yimagereporter.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowapi.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzprogressbar.h"
#include "toolkit/kzpulldownmenu.h"
#include "toolkit/kzstatusstring.h"

namespace {

// pfpeer's exit status for "no results" (RNR).
constexpr int kNoResults = 1;

class StartedProgramTest : public ProgramTest {
 protected:
  // Chooses File > Exit with the keys: Alt+F opens the menu, its last item is Exit. The keys are all typed
  // at once, since the open menu takes them in a loop of its own.
  void ExitThroughTheFileMenu() {
    Then([this] {
      driver.keyDown(native::VK_MENU);
      driver.pressKey('F');
      driver.keyUp(native::VK_MENU);
      driver.pressKey(native::VK_UP);
      driver.pressKey(native::VK_RETURN);
    });
  }
  // A configuration whose reaction-time link listens on a free port of this computer.
  int ListeningLink() {
    const int port = FreePort();
    WriteFile("kestrove.cfg", "Registry Version: 1.00\n\\Database\\QXF\\SerialPort:String=-2,0," +
                                  std::to_string(port) + "\n");
    return port;
  }
  pid_t AskReactionTimes(int port) {
    return StartProcess({KESTROVE_PFPEER, "rrq", "0", std::to_string(port), "1", "1", "1"});
  }
};

TEST_F(StartedProgramTest, AfterTheSplashTheMaximisedFrameRunsUntilFileExit) {
  bool zoomed = false;
  std::u16string title;
  bool globals = false;
  Then([&] {
    QvZControl* frame = program->Frame();
    ASSERT_NE(frame, nullptr);
    zoomed = native::IsZoomed(frame->ScreenID(2));
    title = driver.text(frame->ScreenID(2));
    globals = KZApplication::mainFrame == frame && KZApplication::mainMenuBar == QvZControl::GetMenuBar() &&
              program->StatusBar() == QvZControl::GetStatusBar() &&
              ZafWindowObject::windowManager->FrontWindow() == frame;
  });
  ExitThroughTheFileMenu();
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(zoomed);
  EXPECT_EQ(title, u"Kestrove Pellacorvine  v2.04");
  EXPECT_TRUE(globals);
  EXPECT_TRUE(FileExists("kestrove.cfg"));
}

TEST_F(StartedProgramTest, TheIdleProgramLooksAsItsReferencePicture) {
  int passes = 0;
  testing::AssertionResult looks = testing::AssertionFailure();
  When(
      "the frame drawn and idle", [&passes] { return ++passes > 2; },
      [&] { looks = MatchesReferencePicture(driver, "started-program.png"); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(looks);
}

TEST_F(StartedProgramTest, TheLinksReportOnTheMainStatusBar) {
  struct Seen {
    std::u16string text;
    int32_t progress;
  };
  Seen imaging{};
  Seen blockSensors{};
  const auto read = [this](Seen& seen) {
    KZStatusBar* bar = program->StatusBar();
    seen = {bar->statusText->Text(), bar->progress->Progress()};
  };
  Then([&] {
    YImageReporter::Current().StatusText(KString(u"Searching the image"));
    YImageReporter::Current().Progress(40);
    read(imaging);
  });
  Then([&] {
    program->StatusBar()->Clear();
    KRegistry::AddLine(program->Settings(), KString(u"\\Strings\\BlockSensor\\GetTrialList:String=Lane 3"));
    // The link says what it does before it finds the lane out of range.
    KSerialPort port;
    int32_t count = 0;
    QvBlockSensors::Global()->GetTrialList(port, -1, count);
    read(blockSensors);
  });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(imaging.text, u"Searching the image");
  EXPECT_EQ(imaging.progress, 40);
  EXPECT_EQ(blockSensors.text, u"Lane 3");
}

TEST_F(StartedProgramTest, TheLinkIsAnsweredIdleAndUnderAFieldsRefusal) {
  const int port = ListeningLink();
  const auto numberField = [] {
    return FindIn<KZInteger>(ZafWindowObject::windowManager->FrontWindow(), [](KZInteger&) { return true; });
  };
  // Asked while the program idles, then while a field's refusal waits for the user. A loop that stopped
  // serving the link would hold the answer until the user answers: the peer, which waits 5 s for it, would
  // give up and end with another status than "no results".
  int statuses[2] = {-1, -1};
  pid_t asking[2] = {-1, -1};
  Then([&] { asking[0] = AskReactionTimes(port); });
  WhenExited(asking[0], statuses[0]);
  Then([] {
    KZDialog dialog(u"Lanes", KZDialog::kOk | KZDialog::kCancel, KZDialog::kOk);
    dialog.AddInteger(8, 6, 1, 15);
    dialog.Execute();
  });
  When(
      "the dialog with its number field", [numberField] { return numberField() != nullptr; },
      [this, numberField] {
        Click(numberField());
        driver.pressKey(native::VK_BACK);
        driver.typeText(u"x");
      });
  // The field takes what was typed as the user's choice, and refuses it.
  When(
      "the letter in the field", [numberField] { return std::u16string(numberField()->Text()) == u"x"; },
      [numberField] {
        ZafEventRecord chosen(ChosenEvent, 0);
        chosen.windowObject = numberField();
        numberField()->Event(chosen);
      });
  When(
      "the refusal", [] { return FrontMessage() != nullptr; }, [&] { asking[1] = AskReactionTimes(port); });
  WhenExited(asking[1], statuses[1]);
  AnswerWithKey(u"Lanes", native::VK_RETURN);
  Then([] { Post(KZDialog::kCancelResult); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NE(seen[0].text.find(u"x"), std::u16string::npos);
  for (const int status : statuses) {
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kNoResults);
  }
}

}  // namespace
