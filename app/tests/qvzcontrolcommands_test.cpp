#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/linkbusy.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzscheduledialog.h"
#include "app/tests/programtest.h"
#include "app/yzapplication.h"
#include "devices/qvschedule.h"
#include "devices/qvscoreboards.h"
#include "foundation/kregistry.h"
#include "foundation/krgroup.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "imaging/ui/yzhardwarebar.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/yleg.h"
#include "native/shell/helpviewer.h"
#include "native/user/virtualkeys.h"
#include "testing/ptypair.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzpulldownmenu.h"
#include "toolkit/kzstring.h"
#include "tools/cusim/cuscenario.h"
#include "tools/cusim/cusimulator.h"

namespace {

class FrameCommandsTest : public ProgramTest {
 protected:
  FrameCommandsTest() { std::filesystem::create_directories(FilePath("events/out")); }
  ~FrameCommandsTest() override { native::HelpViewer::setLauncher(nullptr); }

  std::string EventPath(const std::string& name) const { return FilePath("events/" + name); }

  // The main menu's items with a command from `first` to `last`, in menu order.
  static std::vector<KZPopUpItem*> MenuItems(ZafEventType first, ZafEventType last) {
    std::vector<KZPopUpItem*> items;
    KZPullDownMenu* bar = KZApplication::mainMenuBar;
    for (auto* entry = static_cast<ZafWindowObject*>(bar->First()); entry;
         entry = static_cast<ZafWindowObject*>(entry->Next())) {
      if (auto* pullDown = dynamic_cast<KZPullDownItem*>(entry)) {
        KZPopUpItem::ForEachItem(pullDown->Submenu(), [&](KZPopUpItem& item) {
          if (item.Value() >= first && item.Value() <= last) {
            items.push_back(&item);
          }
        });
      }
    }
    return items;
  }

  void UseEventFolder() {
    Setting(u"\\Database\\File\\DataOutDir:String=" +
            std::u16string(KString::FromUtf8(EventPath("out/")).CStr()));
  }
};

}  // namespace

TEST_F(FrameCommandsTest, OpenTakesTheFileWithItsFalseStartsMarkedOrANewDocumentByTheChosenFilter) {
  UseEventFolder();
  Setting(u"\\Event\\SingleEvent:Int=0");
  Then([] { Post(NewCommand); });
  When(
      "a new event window", [] { return EventWindows().size() == 1; },
      [this] {
        // Saved with a false start its marks do not show yet, as an older build could leave it.
        EventWindows()[0]->GetEvent()->Leg(0)->Results().GetNth(0, nullptr)->SetReactionTime(50);
        AnswerFileDialog(EventPath("Heat.qve"));
        EventWindows()[0]->Save(QvZEventMDI::kSave);
        Post(CloseWindowEvent);
      });
  When(
      "the window to close", [] { return EventWindows().empty(); },
      [this] {
        AnswerFileDialog(EventPath("Heat.qve"), 0);
        Post(OpenCommand);
      });
  When(
      "the opened file's window", [] { return EventWindows().size() == 1; },
      [this] {
        QvEvent& event = *EventWindows()[0]->GetEvent();
        EXPECT_TRUE(event.Leg(0)->Results().GetNth(0, nullptr)->IsFalseStartCharged());
        EXPECT_TRUE(event.IsModified());
        event.SetModified(false);
        EXPECT_EQ(std::u16string(EventWindows()[0]->Text()), u"Heat");
        // The second filter takes the file in as a new document, saved at once under a name asked for.
        std::filesystem::copy_file(EventPath("Heat.qve"), EventPath("Source.qve"));
        AnswerFileDialog(EventPath("Source.qve"), 1);
        AnswerFileDialog(EventPath("Copy.qve"));
        Post(OpenCommand);
      });
  When(
      "the second window", [] { return EventWindows().size() == 2; },
      [this] {
        EXPECT_TRUE(FileExists("events/Copy.qve"));
        EXPECT_FALSE(EventWindows()[1]->GetEvent()->IsModified());
        Post(ExitEvent);
      });
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(fileDialogs, (std::vector<KFileDialogRequest::Kind>{
                             KFileDialogRequest::Kind::kSave, KFileDialogRequest::Kind::kOpen,
                             KFileDialogRequest::Kind::kOpen, KFileDialogRequest::Kind::kSave}));
}

TEST_F(FrameCommandsTest, UnderTheSingleEventRuleACancelledCloseKeepsEverything) {
  Then([] { Post(NewCommand); });
  When(
      "a new event window", [] { return EventWindows().size() == 1; },
      [] {
        EventWindows()[0]->GetEvent()->SetModified(true);
        Post(NewCommand);
      });
  AnswerWithClick(u"Close Event Window", KZDialog::kCancelResult);
  When(
      "the question to end", [] { return FrontMessage() == nullptr; },
      [] {
        ASSERT_EQ(EventWindows().size(), 1u);
        EXPECT_TRUE(EventWindows()[0]->GetEvent()->IsModified());
        EventWindows()[0]->GetEvent()->SetModified(false);
        Post(ExitEvent);
      });
  EXPECT_EQ(Run(), 0);
}

TEST_F(FrameCommandsTest, TheScoreboardsInitializeAndRefreshNeverReachAWindow) {
  const struct {
    ZafEventType code;
    bool dispatched;
  } cases[] = {{10151, true}, {10152, false}, {10155, false}, {10157, false}, {10158, true}};
  Then([&] {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.code);
      ZafWindowObject::eventManager->Put(ZafEventRecord(static_cast<int32_t>(c.code), 0), Q_END);
      ZafEventRecord event;
      EXPECT_EQ(program->GetEvent(event, Q_NO_BLOCK), c.dispatched);
      EXPECT_EQ(event.type, c.code);
    }
    Post(ExitEvent);
  });
  EXPECT_EQ(Run(), 0);
}

TEST_F(FrameCommandsTest, AboutShowsTheVersionAndHelpOpensTheHelpFile) {
  std::vector<std::string> shown;
  native::HelpViewer::setLauncher([&shown](const std::string& file) {
    shown.push_back(file);
    return true;
  });
  // A help file in a form the desktop opens, beside the program.
  WriteFile("Kestrove_Help.html", "<p>help</p>");
  Then([] { Post(AboutCommand); });
  AnswerWithKey(u"About Kestrove Pellacorvine", native::VK_RETURN);
  Then([] { Post(HelpContentsCommand); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, u"\r\nVersion:  2.04\r\nReleased:  Jul 28 2020\r\n\r\n");
  EXPECT_EQ(shown, std::vector<std::string>{FilePath("Kestrove_Help.html")});
  EXPECT_EQ(ReadFile("kestrove.log").find("no help file"), std::string::npos);
}

TEST_F(FrameCommandsTest, HelpWithoutAHelpFileSaysWhichFileItLacks) {
  Then([] { Post(HelpContentsCommand); });
  AnswerWithKey(u"Error", native::VK_RETURN);
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text,
            u"The help could not be shown. It needs this file, or one of the same name ending in "
            u".html or .pdf, and xdg-open to open it:\r\n" +
                std::u16string(KString::FromUtf8(FilePath("Kestrove_Help.hlp")).CStr()));
}

TEST_F(FrameCommandsTest, TheChartDevelopmentItemsSetTheProgramWideDisplay) {
  Then([] {
    Post(10170);
    Post(ChartLocalAlgorithmLineCommand);
  });
  Then([] {
    EXPECT_EQ(QvZControl::ChartDisplayMode(), 10170);
    EXPECT_FALSE(QvZControl::LocalAlgorithmLine());
    // Put back for the tests that follow.
    Post(ChartLastDisplayMode);
    Post(ChartLocalAlgorithmLineCommand);
  });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(QvZControl::ChartDisplayMode(), ChartLastDisplayMode);
  EXPECT_TRUE(QvZControl::LocalAlgorithmLine());
}

TEST_F(FrameCommandsTest, TheScheduleStepsOpenTheRacesEventsAndAWindowsStepGoesOnFromItsRace) {
  const std::string dataIn = FilePath("datain");
  ASSERT_EQ(std::system((std::string(KESTROVE_PFPEER) + " startlists '" + dataIn + "' >/dev/null").c_str()),
            0);
  Setting(u"\\Database\\File\\DataInDir:String=" + std::u16string(KString::FromUtf8(dataIn + "/").CStr()));
  UseEventFolder();
  auto heatShown = [] {
    const std::vector<QvZEventMDI*> windows = EventWindows();
    return windows.size() == 1 ? windows[0]->GetEvent()->HeatNumber().ToUtf8() : std::string();
  };
  Then([] { Post(ScheduleNextCommand); });
  When(
      "heat 1", [heatShown] { return heatShown() == "1"; },
      [] {
        EXPECT_FALSE(EventWindows()[0]->GetEvent()->IsModified());
        // The start lists come in the code set the program reads by default: the accented name is whole.
        const QvResults& results = EventWindows()[0]->GetEvent()->Leg(0)->Results();
        std::vector<std::string> lastNames;
        for (int32_t row = 0; row < results.Count(); ++row) {
          lastNames.push_back(results.GetNth(row, nullptr)->AthleteField(0).ToUtf8());
        }
        EXPECT_NE(std::find(lastNames.begin(), lastNames.end(),
                            "Garc\xc3\xad"
                            "a"),
                  lastNames.end());
        Post(ScheduleNextCommand);
      });
  When(
      "heat 2", [heatShown] { return heatShown() == "2"; }, [] { Post(SchedulePreviousCommand); });
  When(
      "heat 1 again", [heatShown] { return heatShown() == "1"; }, [] { Post(ScheduleGotoCommand); });
  When(
      "the schedule dialog",
      [] {
        return dynamic_cast<QvZScheduleDialog*>(ZafWindowObject::windowManager->FrontWindow()) != nullptr;
      },
      [] {
        auto* dialog = dynamic_cast<QvZScheduleDialog*>(ZafWindowObject::windowManager->FrontWindow());
        dialog->EventField()->SetText(u"1");
        dialog->RoundField()->SetText(u"1");
        dialog->HeatField()->SetText(u"3");
        Post(KZDialog::kOkResult);
      });
  When(
      "heat 3", [heatShown] { return heatShown() == "3"; },
      [] {
        // The results pane's buttons step from the race their window holds (the schedule has gone back
        // meanwhile), and the race they go to becomes the schedule's current one.
        QvSchedule* schedule = YZApplication::Current()->Schedule();
        schedule->SetCurrent(*schedule->GetNth(1));
        QvZEventMDI* next = Frame()->ScheduleGoto(1, EventWindows()[0], 0);
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->GetEvent()->HeatNumber().ToUtf8(), "4");
        EXPECT_EQ(schedule->Current().GetHeatText().ToUtf8(), "4");
        Post(ExitEvent);
      });
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
}

// ---- uploads to the control unit's boot monitor ----

namespace {

// The program with its control-unit link port on a simulated unit that speaks the boot monitor.
class UploadCommandsTest : public FrameCommandsTest {
 protected:
  UploadCommandsTest() {
    CuScenario scenario;
    scenario.bootMonitor = true;
    simulator = std::make_unique<CuSimulator>(scenario);
    setenv("KESTROVE_COM77", simulator->DevicePath().c_str(), 1);
    Setting(u"\\SerialPorts\\Control unit\\SerialPort:String=77,19200,8,N,1.0");
    Setting(u"\\Serial\\ShortTimeout:Int=200");
    WriteFile("sensor.img", std::string(200, '\x5a'));
  }
  ~UploadCommandsTest() override { unsetenv("KESTROVE_COM77"); }

  std::unique_ptr<CuSimulator> simulator;
};

}  // namespace

TEST_F(UploadCommandsTest, YesUploadsAgainWithoutAskingForTheFileAndNoEnds) {
  Then([this] {
    AnswerFileDialog(FilePath("sensor.img"));
    Post(UpdateFirmwareCommand);
  });
  AnswerWithClick(u"Update Firmware", KZDialog::kOkResult);
  AnswerWithClick(u"Update Firmware", KZDialog::kYesResult);
  AnswerWithClick(u"Update Firmware", KZDialog::kOkResult);
  AnswerWithClick(u"Update Firmware", KZDialog::kNoResult);
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].text, seen[2].text) << "the power message before each upload";
  EXPECT_EQ(seen[1].text, u"Update the firmware of another control unit?");
  EXPECT_EQ(fileDialogs.size(), 1u) << "the second pass takes the same file";
  EXPECT_EQ(simulator->Flash(0, 200), std::vector<uint8_t>(200, 0x5a));
}

TEST_F(UploadCommandsTest, ATerminationSignalAtThePowerQuestionClosesItAndSendsNothing) {
  Then([this] {
    AnswerFileDialog(FilePath("sensor.img"));
    Post(UpdateFirmwareCommand);
  });
  When(
      "the power question", [] { return FrontMessage() != nullptr; }, [] { raise(SIGTERM); });
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(fileDialogs.empty());
  EXPECT_TRUE(simulator->MonitorLines().empty());
}

TEST_F(UploadCommandsTest, WhileTheLinkIsBusyAnUploadDoesNothing) {
  auto claim = std::make_shared<std::unique_ptr<LinkBusyClaim>>();
  Then([claim] {
    *claim = std::make_unique<LinkBusyClaim>(nullptr);
    Post(UpdateFirmwareCommand);
    Post(LoadAudioCommand);
  });
  Then([claim] {
    EXPECT_EQ(FrontMessage(), nullptr);
    claim->reset();
    Post(ExitEvent);
  });
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
  EXPECT_TRUE(simulator->MonitorLines().empty());
}

TEST_F(FrameCommandsTest, TheMenuEnablesTheFramesAndTheWindowsCommandsButNoScoreboardsWithoutBoards) {
  const struct {
    ZafEventType command;
    bool enabled;
  } cases[] = {{NewCommand, true},
               {OpenCommand, true},
               {ScheduleNextCommand, true},
               {UpdateFirmwareCommand, true},
               {AboutCommand, true},
               {ScoreboardInitializeCommand, false},
               {ScoreboardTimeOfDayCommand, false},
               {ScoreboardEditMessageCommand, false},
               // The current event window enables its file commands.
               {SaveCommand, true},
               {SaveQxfCommand, true}};
  Then([] { Post(NewCommand); });
  When(
      "a new event window", [] { return EventWindows().size() == 1; },
      [&] {
        KZPullDownMenu* bar = KZApplication::mainMenuBar;
        bar->ResetItems();
        for (const auto& c : cases) {
          SCOPED_TRACE(c.command);
          const std::vector<KZPopUpItem*> items = MenuItems(c.command, c.command);
          ASSERT_FALSE(items.empty());
          EXPECT_EQ(!items[0]->Disabled(), c.enabled);
        }
        // Chosen all the same, they show nothing.
        Post(ScoreboardEditMessageCommand);
        Post(ScoreboardTimeOfDayCommand);
      });
  Then([] {
    EXPECT_EQ(FrontMessage(), nullptr);
    Post(ExitEvent);
  });
  EXPECT_EQ(Run(), 0);
}

// ---- scoreboards ----

namespace {

// The program with one board, driven by the sample script, on a pseudo-terminal.
class ScoreboardCommandsTest : public FrameCommandsTest {
 protected:
  ScoreboardCommandsTest() {
    board.MapToPort(77);
    WriteFile("line.lss", ";;Initialization\n#2 \"INIT\" #3\n;;Message\n\"|\" M\n");
    Make();
    program->atStep["long-lived objects"] = [] {
      KRGroup* entry = QvScoreboards::NewEntry();
      KRegistry::AddLine(entry, u"Script:String=line.lss");
      KRegistry::AddLine(entry, u"SerialPort:String=77,9600,8,N,1.0");
    };
  }

  ktest::PtyPair board;
};

}  // namespace

TEST_F(ScoreboardCommandsTest, TheCommandsReachTheBoardsAndTheCurrentEventIsTheirs) {
  Then([this] {
    QvScoreboards* scoreboards = program->Scoreboards();
    ASSERT_NE(scoreboards, nullptr);
    Post(ScoreboardTimeOfDayCommand);
    Post(NewCommand);
  });
  When(
      "a new event window", [] { return EventWindows().size() == 1; }, [] {});
  Then([this] {
    QvScoreboards* scoreboards = program->Scoreboards();
    EXPECT_TRUE(scoreboards->GetFlag1());
    EXPECT_FALSE(scoreboards->GetFlag2());
    EXPECT_EQ(scoreboards->GetCurrentEvent(), EventWindows()[0]->GetEvent());
    KZPullDownMenu* bar = KZApplication::mainMenuBar;
    bar->ResetItems();
    const std::vector<KZPopUpItem*> items =
        MenuItems(ScoreboardInitializeCommand, ScoreboardSendMessageCommand);
    EXPECT_EQ(items.size(), 6u);
    for (KZPopUpItem* item : items) {
      EXPECT_FALSE(item->Disabled()) << item->Value();
      EXPECT_EQ(item->Selected(), item->Value() == ScoreboardTimeOfDayCommand) << item->Value();
    }
    Post(ScoreboardTimeOfDayCommand);
  });
  Then([this] {
    EXPECT_FALSE(program->Scoreboards()->GetFlag1());
    Post(CloseWindowEvent);
  });
  When(
      "the window to close", [] { return EventWindows().empty(); },
      [this] {
        // The boards' task must not read the deleted event.
        EXPECT_EQ(program->Scoreboards()->GetCurrentEvent(), nullptr);
        Post(ExitEvent);
      });
  EXPECT_EQ(Run(), 0);
}
