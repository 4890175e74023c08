#include "app/qvzeventmdi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/downloadstop.h"
#include "app/eventpanetable.h"
#include "app/framecommands.h"
#include "app/linkbusy.h"
#include "app/panewindowmakers.h"
#include "app/qvzcontrol.h"
#include "app/qvzresultspane.h"
#include "app/qvzresultswindow.h"
#include "app/tests/programtest.h"
#include "app/tests/testpanewindow.h"
#include "devices/tests/scripteddatabase.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/yleg.h"
#include "native/user/menuloop.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowapi.h"
#include "testing/ptypair.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzeditableselector.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzgeomrc.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzprompt.h"

namespace {

std::u16string Utf16(const std::string& text) {
  return KString::FromUtf8(text).CStr();
}

constexpr char16_t kCloseTitle[] = u"Close Event Window";
constexpr char16_t kExitTitle[] = u"Exit Kestrove Pellacorvine";

// The program with its event files in a folder of their own and File > Save naming "Heat.qve" there.
class EventWindowTest : public ProgramTest {
 protected:
  EventWindowTest() {
    std::filesystem::create_directories(EventPath("out"));
    Setting(u"\\Event\\Directory:String=" + Utf16(EventPath("")));
    Setting(u"\\Database\\File\\DataOutDir:String=" + Utf16(EventPath("out/")));
  }

  std::string EventPath(const std::string& name) const { return FilePath("events/" + name); }

  static QvZEventMDI* Only() {
    const std::vector<QvZEventMDI*> windows = EventWindows();
    return windows.size() == 1 ? windows[0] : nullptr;
  }
  static bool WindowCount(std::size_t count) { return EventWindows().size() == count; }

  // File > New, then the document is marked modified.
  void NewModifiedEvent() {
    Then([] { Post(NewCommand); });
    When(
        "a new event window",
        [] { return CurrentEventWindow() != nullptr && !CurrentEventWindow()->GetEvent()->IsModified(); },
        [] { CurrentEventWindow()->GetEvent()->SetModified(true); });
  }

  void KeyWith(native::UINT modifier, native::UINT key) {
    driver.keyDown(modifier);
    driver.pressKey(key);
    driver.keyUp(modifier);
  }

  // File > Save naming "Heat.qve" and File > Save QXF on the new event, each answering the error it brings.
  void SaveAndSaveQxfAnsweringErrors() {
    Then([this] {
      AnswerFileDialog(EventPath("Heat.qve"));
      Post(SaveCommand);
    });
    AnswerWithKey(u"Error", native::VK_RETURN);
    Then([] { Post(SaveQxfCommand); });
    AnswerWithKey(u"Error", native::VK_RETURN);
    ExitProgram();
  }

  std::vector<std::u16string> SeenTitles() const {
    std::vector<std::u16string> titles;
    for (const SeenMessage& message : seen) {
      titles.push_back(message.title);
    }
    return titles;
  }
};

std::u16string Title(QvZEventMDI* window) {
  return window->Text();
}

}  // namespace

TEST_F(EventWindowTest, NewGivesAMaximisedWindowWithDefaultLanesThatSavesAndCloses) {
  // Lane 3 is marked missing, so only its result takes the state of a lane not in use.
  Setting(u"\\Event\\Results\\Lanes\\Missing\\Lane3:Int=0");
  // The program's own pane windows are taken back, as before any kind of pane window is built.
  Then([] {
    for (const PaneKind kind : {PaneKind::kSummary, PaneKind::kResults, PaneKind::kChart}) {
      PaneWindowMakers::Register(kind, nullptr);
    }
  });
  NewModifiedEvent();
  Then([this] {
    QvZEventMDI* window = Only();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Maximized());
    EXPECT_TRUE(window->Panes().Panes().empty());
    // Without pane windows the chart and results commands come back unchanged.
    for (const ZafEventType code :
         {FirstChartCommand, LastChartCommand, FirstResultsCommand, LastResultsCommand}) {
      EXPECT_EQ(window->Event(ZafEventRecord(static_cast<int32_t>(code), 0)), code);
    }
    QvResults& results = window->GetEvent()->Leg(0)->Results();
    ASSERT_EQ(results.Count(nullptr), 8);
    for (int32_t lane = 1; lane <= 8; ++lane) {
      SCOPED_TRACE(lane);
      QvResult* result = results.FindByField(QvResult::kLaneField, KString(std::to_string(lane).c_str()));
      ASSERT_NE(result, nullptr);
      EXPECT_EQ(result->Status(), lane == 3 ? QvResult::kLaneNotUsed : QvResult::kValid);
    }
    AnswerFileDialog(EventPath("Heat.qve"));
    Post(SaveCommand);
  });
  When(
      "the save", [this] { return FileExists("events/Heat.qve"); },
      [] {
        EXPECT_EQ(Title(Only()), u"Heat");
        EXPECT_FALSE(Only()->GetEvent()->IsModified());
        Post(CloseWindowEvent);
      });
  When(
      "the window to close", [] { return WindowCount(0); }, [this] { ExitProgram(); });
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
  // One warning for each entry of the built-in layout whose window nobody makes.
  const std::string log = ReadFile("kestrove.log");
  EXPECT_NE(log.find("no window for pane Chart1"), std::string::npos);
  EXPECT_NE(log.find("no window for pane Results1"), std::string::npos);
}

// ---- the close prompt ----

struct CloseCase {
  const char* name;
  // How the prompt is answered: the button of that result, or with no button (0) the key, or with no key
  // the close box.
  ZafEventType button;
  native::UINT key;
  // The save dialog's file, empty to cancel it.
  std::string saveAs;
  bool closes;
};

class ClosePromptTest : public EventWindowTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(ClosePromptTest, OnlyNoOrASuccessfulSaveLetsTheWindowClose) {
  const CloseCase& c = GetParam();
  NewModifiedEvent();
  Then([this, c] {
    if (!c.saveAs.empty()) {
      AnswerFileDialog(EventPath(c.saveAs));
    }
    Post(CloseWindowEvent);
  });
  if (c.button != 0) {
    AnswerWithClick(kCloseTitle, c.button);
  } else if (c.key != 0) {
    AnswerWithKey(kCloseTitle, c.key);
  } else {
    AnswerWithCloseBox(kCloseTitle);
  }
  When(
      "the prompt to end", [] { return FrontMessage() == nullptr; }, [] { Post(ExitEvent); });
  // The exit asks again for a window that stayed: No lets the program end.
  if (!c.closes) {
    AnswerWithClick(kExitTitle, KZDialog::kNoResult);
  }
  EXPECT_EQ(Run(), 0);
  ASSERT_GE(seen.size(), 1u);
  // A new document has no file yet: it goes by the name Save As proposes.
  EXPECT_EQ(seen[0].text, u"'Event' has changed. Save before closing?");
  EXPECT_EQ(seen.size(), c.closes ? 1u : 2u) << "a window that stayed is asked again at the exit";
  if (!c.saveAs.empty()) {
    EXPECT_TRUE(FileExists("events/" + c.saveAs));
  }
  // A results file goes with a saved document only.
  EXPECT_EQ(FileExists("events/out/Saved.qxf"), !c.saveAs.empty());
  EXPECT_EQ(ReadFile("kestrove.log").find("WriteQXF"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ClosePromptTest,
    testing::Values(CloseCase{"YesSaves", KZDialog::kYesResult, 0, "Saved.qve", true},
                    CloseCase{"YesWithTheSaveCancelledStays", KZDialog::kYesResult, 0, "", false},
                    CloseCase{"NoDrops", KZDialog::kNoResult, 0, "", true},
                    CloseCase{"CancelStays", KZDialog::kCancelResult, 0, "", false},
                    CloseCase{"EscapeStays", 0, native::VK_ESCAPE, "", false},
                    CloseCase{"TheCloseBoxStays", 0, 0, "", false}),
    [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

// A new event closes at Ctrl+W without a question: nothing in it changed.
TEST_F(EventWindowTest, ANewEventClosesWithoutAQuestion) {
  Then([this] { KeyWith(native::VK_CONTROL, 'N'); });
  When(
      "a new event's results", [] { return CurrentPane<QvZResultsWindow>(PaneKind::kResults) != nullptr; },
      [this] { KeyWith(native::VK_CONTROL, 'W'); });
  When(
      "the window to close", [] { return WindowCount(0); }, [this] { ExitProgram(); });
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
}

TEST_F(EventWindowTest, AnExitStopsAtTheFirstRefusalAndAsksUnderTheSameTitleNextTime) {
  NewModifiedEvent();
  Setting(u"\\Event\\SingleEvent:Int=0");
  NewModifiedEvent();
  ExitProgram();
  AnswerWithClick(kExitTitle, KZDialog::kCancelResult);
  When(
      "the refused exit", [] { return FrontMessage() == nullptr; }, [this] { EXPECT_TRUE(WindowCount(2)); });
  ExitProgram();
  AnswerWithClick(kExitTitle, KZDialog::kNoResult);
  AnswerWithClick(kExitTitle, KZDialog::kNoResult);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(SeenTitles(), (std::vector<std::u16string>{kExitTitle, kExitTitle, kExitTitle}));
}

// ---- an edit open in the results table ----

TEST_F(EventWindowTest, AnEditEndedByAHotKeyTheMenuBarOrACloseRequestKeepsItsText) {
  const auto pane = [] { return CurrentPane<QvZResultsWindow>(PaneKind::kResults)->Pane(); };
  const auto lastName = [pane] { return pane()->ResultAt(pane()->CurrentCell().y)->AthleteField(0); };
  // The keys open the menu bar; in its menu the bar entry `highlighted` shows and the text is stored.
  const auto menuOpenedBy = [&](std::function<void()> keys, int highlighted) {
    return [&, keys, highlighted] {
      AnswerPopUpMenu(keys, [&, highlighted](native::HWND) {
        EXPECT_EQ(native::MenuLoop::running()->highlightedBarEntry(Frame()->ScreenID(2)), highlighted);
        EXPECT_EQ(lastName(), KString(u"Zoe"));
        driver.pressKey(native::VK_ESCAPE);
        driver.pressKey(native::VK_ESCAPE);
      });
    };
  };
  struct Case {
    const char* name;
    std::function<void()> addEndingSteps;
    bool saved;
    const char16_t* asked;  // the question's text; null: none
    const char16_t* setting = nullptr;
  };
  const Case cases[] = {
      {"Ctrl+S stores, then saves",
       [&] {
         Then([&] {
           AnswerFileDialog(EventPath("Heat.qve"));
           KeyWith(native::VK_CONTROL, 'S');
         });
       },
       true, nullptr},
      // File comes after the maximised event window's icon.
      {"Alt+F stores, and the File menu opens and stays open",
       menuOpenedBy([&] { KeyWith(native::VK_MENU, 'F'); }, 1), false, nullptr},
      // F10 and Alt alone highlight the icon, whose menu Down opens.
      {"F10 stores, and the menu bar opens",
       menuOpenedBy(
           [&] {
             driver.pressKey(native::VK_F10);
             driver.pressKey(native::VK_DOWN);
           },
           0),
       false, nullptr},
      {"Alt pressed and let go alone stores, and the menu bar opens",
       menuOpenedBy(
           [&] {
             driver.pressKey(native::VK_MENU);
             driver.pressKey(native::VK_DOWN);
           },
           0),
       false, nullptr},
      {"the window system's close request asks with the text stored",
       [&] {
         Then([] { native::PostMessage(Frame()->ScreenID(2), native::WM_CLOSE, 0, 0); });
         AnswerWithClick(kExitTitle, KZDialog::kCancelResult);
       },
       false, u"'Event' has changed. Save before exiting?"},
      // Last: the setting stays for the cases after it.
      {"Ctrl+C stays the field's, even where a menu item has it",
       [&] {
         Then([&] {
           KeyWith(native::VK_CONTROL, 'C');
           driver.pressKey(native::VK_RETURN);
         });
       },
       false, nullptr, u"\\Strings\\MenuBar\\File\\Save:String=&Save,C"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(EventPath("Heat.qve"));
    if (c.setting) {
      Setting(c.setting);
    }
    Make();
    script = ProgramScript();
    seen.clear();
    fileDialogs.clear();
    Then([] { Post(NewCommand); });
    // A press on lane 1's Last Name, in the current row of an unchanged event, edits it.
    When(
        "the results table of a new event", [] { return CurrentPane<QvZResultsWindow>(PaneKind::kResults); },
        [&] {
          KRect cell = pane()->CellRegion(pane()->CurrentCell());
          pane()->ColumnRegion(pane()->CurrentCell(), 4, cell, KZEditableSelector::kColumnEditor);
          const KPoint at = pane()->ToScreenPoint({cell.left + 4, cell.top + 4});
          driver.click(at.x, at.y);
        });
    When(
        "the field", [&] { return pane()->Editing(); }, [this] { driver.typeText(u"Zoe"); });
    c.addEndingSteps();
    When(
        "the edit's end", [&] { return !pane()->Editing() && FrontMessage() == nullptr; },
        [&] {
          EXPECT_EQ(lastName(), KString(u"Zoe"));
          EXPECT_EQ(CurrentEventWindow()->GetEvent()->IsModified(), !c.saved);
          CurrentEventWindow()->GetEvent()->SetModified(false);
          Post(ExitEvent);
        });
    EXPECT_EQ(Run(), 0);
    // The document holds a text as its length, then its UTF-16 code units.
    const bool saved =
        FileExists("events/Heat.qve") &&
        ReadFile("events/Heat.qve").find(std::string("\x03\0\0\0Z\0o\0e\0", 10)) != std::string::npos;
    EXPECT_EQ(saved, c.saved);
    EXPECT_EQ(fileDialogs.size(), c.saved ? 1u : 0u);
    ASSERT_EQ(seen.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(seen[0].text, c.asked);
    }
  }
}

// ---- saves ----

TEST_F(EventWindowTest, AFalseStartCopyLeavesTheDocumentItsNameAndMark) {
  NewModifiedEvent();
  Then([this] {
    AnswerFileDialog(EventPath("Heat.qve"));
    Only()->Save(QvZEventMDI::kSave);
    Only()->GetEvent()->SetModified(true);
    EXPECT_TRUE(Only()->Save(QvZEventMDI::kSaveFalseStartCopy));
    EXPECT_TRUE(FileExists("events/Heat-FS1.qve"));
    EXPECT_EQ(Title(Only()), u"Heat");
    EXPECT_TRUE(Only()->GetEvent()->IsModified());
    std::filesystem::remove(EventPath("Heat.qve"));
    EXPECT_TRUE(Only()->Save(QvZEventMDI::kSave));
    EXPECT_TRUE(FileExists("events/Heat.qve"));
    EXPECT_FALSE(Only()->GetEvent()->IsModified());
  });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(fileDialogs.size(), 1u) << "only the first save asks for a name";
}

TEST_F(EventWindowTest, AnEventOpenedAndSavedIsTheSameFile) {
  Setting(u"\\Event\\Results\\DefaultLanes:Int=15");
  NewModifiedEvent();
  Then([this] {
    // The table paged down, as its scroll bar does, then saved and closed.
    QvZResultsPane* table = CurrentPane<QvZResultsWindow>(PaneKind::kResults)->Pane();
    table->ScrollByCommand(KZScroller::kPageDown, true);
    ASSERT_GT(table->Position().y, 0);
    AnswerFileDialog(EventPath("Stored.qve"));
    ASSERT_TRUE(Only()->Save(QvZEventMDI::kSave));
    Post(CloseWindowEvent);
  });
  When(
      "the window to close", [] { return WindowCount(0); },
      [this] {
        const KString path = KString::FromUtf8(EventPath("Stored.qve"));
        ASSERT_NE(Frame()->OpenEventFile(&path), nullptr);
        AnswerFileDialog(EventPath("Again.qve"));
        ASSERT_TRUE(Only()->Save(QvZEventMDI::kSaveAs));
        EXPECT_TRUE(ReadFile("events/Again.qve") == ReadFile("events/Stored.qve"));
      });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

// Of two windows, the one behind holds a file: a save in the front window never writes it (named another
// way, or offered for the same race); the exit asks about the window behind with it in front, the main
// window restored when it was minimised. The message's close box cancels the question; both windows stay as
// they were.
TEST_F(EventWindowTest, NoSaveWritesAnotherWindowsFileAndAQuestionShowsItsWindow) {
  const std::string dataIn = FilePath("datain");
  ASSERT_EQ(std::system((std::string(KESTROVE_PFPEER) + " startlists '" + dataIn + "' >/dev/null").c_str()),
            0);
  Setting(u"\\Database\\File\\DataInDir:String=" + Utf16(dataIn + "/"));
  Setting(u"\\Event\\SingleEvent:Int=0");
  struct Case {
    const char* name;
    bool race;  // the window behind race 1-1-1's from the schedule, else both new events
    const char* file;
    ZafEventType command;  // given to the front window
    const char* answer;    // the save dialog's, null for none
    bool frontModified;
    const char16_t* title;
    std::string text;
    bool mainMinimised = false;
  };
  const std::string held = "' cannot be written: it is the file of the event window ";
  const Case cases[] = {
      {"Save As onto it, named through ./", false, "Heat.qve", SaveAsCommand, "./Heat.qve", true, u"Error",
       "'" + EventPath("./Heat.qve") + held + "'Heat'."},
      {"Save of a second window of one race under the name offered", true, "1-1-1.qve", SaveCommand,
       "1-1-1.qve", true, u"Error", "'" + EventPath("1-1-1.qve") + held + "'1-1-1'."},
      {"the exit", false, "Heat.qve", ExitEvent, nullptr, false, kExitTitle,
       "'" + EventPath("Heat.qve") + "' has changed. Save before exiting?"},
      {"the exit with the main window minimised", false, "Heat.qve", ExitEvent, nullptr, false, kExitTitle,
       "'" + EventPath("Heat.qve") + "' has changed. Save before exiting?", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Make();
    script = ProgramScript();
    seen.clear();
    fileDialogs.clear();
    std::filesystem::remove(EventPath(c.file));
    QvZEventMDI* windows[2] = {};  // behind, front
    std::u16string titles[2];
    std::string bytes;
    QvZEventMDI* inFrontWhenAsked = nullptr;
    bool mainShownWhenAsked = false;
    Then([&] {
      windows[0] = c.race ? Frame()->ScheduleGoto(1, nullptr, 0) : Frame()->NewEvent();
      // Its file then differs from any the front window would write.
      windows[0]->GetEvent()->SetTitle(KString(u"Behind"));
      AnswerFileDialog(EventPath(c.file));
      ASSERT_TRUE(windows[0]->Save(QvZEventMDI::kSave));
      windows[0]->GetEvent()->SetModified(true);
      bytes = ReadFile("events/" + std::string(c.file));
      windows[1] = Frame()->NewEvent();
      windows[1]->GetEvent()->SetModified(c.frontModified);
      titles[0] = Title(windows[0]);
      titles[1] = Title(windows[1]);
      if (c.answer != nullptr) {
        AnswerFileDialog(EventPath(c.answer));
      }
      if (c.mainMinimised) {
        native::SendMessage(Frame()->ScreenID(2), native::WM_SYSCOMMAND, native::SC_MINIMIZE, 0);
        ASSERT_TRUE(native::IsIconic(Frame()->ScreenID(2)));
      }
      Post(c.command);
    });
    When(
        "the message", [] { return FrontMessage() != nullptr; },
        [&] {
          inFrontWhenAsked = CurrentEventWindow();
          mainShownWhenAsked = !native::IsIconic(Frame()->ScreenID(2));
        });
    AnswerWithCloseBox(c.title);
    When(
        "the message to close", [] { return FrontMessage() == nullptr; },
        [&] {
          EXPECT_TRUE(WindowCount(2));
          EXPECT_EQ(ReadFile("events/" + std::string(c.file)), bytes);
          EXPECT_EQ(Title(windows[0]), titles[0]);
          EXPECT_EQ(Title(windows[1]), titles[1]);
          EXPECT_TRUE(windows[0]->GetEvent()->IsModified());
          EXPECT_EQ(windows[1]->GetEvent()->IsModified(), c.frontModified);
          windows[0]->GetEvent()->SetModified(false);
          windows[1]->GetEvent()->SetModified(false);
          Post(ExitEvent);
        });
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(KString(seen[0].text.c_str()).ToUtf8(), c.text);
    EXPECT_EQ(inFrontWhenAsked, windows[c.command == ExitEvent ? 0 : 1]);
    EXPECT_TRUE(mainShownWhenAsked);
    EXPECT_EQ(fileDialogs.size(), c.answer != nullptr ? 3u : 1u) << "a refused name brings the dialog back";
  }
}

TEST_F(EventWindowTest, AResultsFileThatCannotBeWrittenIsReportedOnceByEachCommand) {
  Setting(u"\\Database\\File\\DataOutDir:String=/proc/kestrove-none/");
  NewModifiedEvent();
  SaveAndSaveQxfAnsweringErrors();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NE(seen[0].text.find(u"(33002)"), std::u16string::npos);
  EXPECT_NE(seen[1].text.find(u"(3002)"), std::u16string::npos);
  EXPECT_TRUE(FileExists("events/Heat.qve"));
}

TEST_F(EventWindowTest, ResultsTheDatabaseDoesNotTakeAreToldWithTheLinksErrorByEachCommand) {
  ktest::PtyPair pair;
  pair.MapToPort(241);
  Setting(u"\\Database\\Mode:Int=2");
  Setting(u"\\Database\\Serial\\SerialPort:String=241,19200,8,N,1.0");
  Setting(u"\\Database\\Serial\\Timeout:Int=150");
  Setting(u"\\Database\\QXF\\SerialPort:String=0,0,0");
  // The database refuses the results of the save and is silent about those of Save QXF.
  pftest::ScriptedDatabase database(
      pair, {pftest::Answer("HMM", "DB"), pftest::Answer("SRP", ""), pftest::Answer("AMB", "refused"), ""},
      30000);
  NewModifiedEvent();
  SaveAndSaveQxfAnsweringErrors();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].text, u"The database did not take the results; the .qxf file was written (35002,5006).");
  EXPECT_EQ(seen[1].text, u"The database did not take the results; the .qxf file was written (35002,5002).");
  EXPECT_TRUE(FileExists("events/out/Heat.qxf"));
  EXPECT_EQ(database.Requests().size(), 4u);
}

TEST_F(EventWindowTest, NeitherAFalseStartCopyOfANewEventAFailedSaveNorClosingUnsavedWritesAResultsFile) {
  const std::string resultsFile = "events/out/12-1-3.qxf";
  NewModifiedEvent();
  Then([] { Post(SaveFalseStartCommand); });
  When(
      "the false-start copy of the event never saved", [this] { return FileExists("events/Event-FS1.qve"); },
      [this] {
        EXPECT_TRUE(std::filesystem::is_empty(EventPath("out/")));
        Only()->GetEvent()->SetEventRoundHeat(u"12", u"1", u"3");
        AnswerFileDialog(EventPath("missing/Heat.qve"));
        Post(SaveAsCommand);
      });
  AnswerWithKey(u"Error", native::VK_RETURN);
  Then([this, resultsFile] {
    EXPECT_FALSE(FileExists(resultsFile)) << "after the failed save";
    AnswerFileDialog(EventPath("Heat.qve"));
    Post(SaveAsCommand);
  });
  When(
      "the results file of the save", [this, resultsFile] { return FileExists(resultsFile); },
      [this, resultsFile] {
        std::filesystem::remove(FilePath(resultsFile));
        Only()->GetEvent()->SetModified(true);
        Post(CloseWindowEvent);
      });
  AnswerWithClick(kCloseTitle, KZDialog::kNoResult);
  When(
      "the window to close", [] { return WindowCount(0); },
      [this, resultsFile] {
        EXPECT_FALSE(FileExists(resultsFile)) << "after closing unsaved";
        ExitProgram();
      });
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(ReadFile("kestrove.log").find("WriteQXF"), std::string::npos);
}

TEST_F(EventWindowTest, SaveQxfWritesTheResultsFileIntoTheDataOutFolder) {
  NewModifiedEvent();
  Then([this] {
    AnswerFileDialog(EventPath("Heat.qve"));
    Post(SaveCommand);
  });
  When(
      "the save", [this] { return FileExists("events/Heat.qve"); },
      [this] {
        std::filesystem::remove_all(EventPath("out/"));
        std::filesystem::create_directories(EventPath("out/"));
        Post(SaveQxfCommand);
      });
  When(
      "the results file", [this] { return !std::filesystem::is_empty(EventPath("out/")); },
      [this] { ExitProgram(); });
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
}

// ---- panes ----

TEST_F(EventWindowTest, TestPaneWindowsAreLaidOutTakeTheCommandsAndLetGoOfTheirViews) {
  // The test's pane windows take the place of the program's, whose makers the start registered.
  std::optional<TestPaneWindowMaker> results;
  std::optional<TestPaneWindowMaker> chart;
  bool chartGone = false;
  Then([&] {
    results.emplace(PaneKind::kResults);
    chart.emplace(PaneKind::kChart);
    Post(NewCommand);
  });
  When(
      "a new event window", [] { return WindowCount(1); },
      [&] {
        QvZEventMDI& window = *Only();
        ASSERT_EQ(results->made.size(), 1u);
        ASSERT_EQ(chart->made.size(), 1u);
        TestPaneWindow& table = *results->made[0];
        TestPaneWindow& plot = *chart->made[0];
        plot.destroyed = &chartGone;
        const auto& panes = window.Panes().Panes();
        ASSERT_EQ(panes.size(), 2u);
        struct Expected {
          int32_t values[4];
          int32_t rightOffset;
          int32_t bottomOffset;
        } expected[] = {{{0, 26, 100, 100}, -1, -1}, {{0, 0, 100, 26}, -1, -2}};
        for (std::size_t i = 0; i < panes.size(); ++i) {
          SCOPED_TRACE(i);
          const auto& c = panes[i]->Constraints();
          for (int edge = 0; edge < 4; ++edge) {
            EXPECT_EQ(c[edge]->Value(), expected[i].values[edge]);
          }
          EXPECT_EQ(c[2]->EdgeOffset(), expected[i].rightOffset);
          EXPECT_EQ(c[3]->EdgeOffset(), expected[i].bottomOffset);
        }
        EXPECT_EQ(table.model.resultsView, window.CurrentLeg()->Results().View(0));
        EXPECT_NE(plot.model.chartView, nullptr);
        EXPECT_EQ(window.CurrentWindow(PaneKind::kResults), &table);
        EXPECT_EQ(window.CurrentWindow(PaneKind::kChart), &plot);
        EXPECT_EQ(window.CurrentWindow(PaneKind::kSummary), nullptr);

        EXPECT_EQ(window.Event(ZafEventRecord(10480, 0)), 10480);
        EXPECT_EQ(window.Event(ZafEventRecord(10500, 0)), 10500);
        window.Event(ZafEventRecord(UpdateMenuEvent, 0));
        EXPECT_EQ(plot.received, (std::vector<ZafEventType>{10480, UpdateMenuEvent}));
        EXPECT_EQ(table.received, (std::vector<ZafEventType>{10500, UpdateMenuEvent}));

        window.EnlargeChart(&plot);
        EXPECT_NE(table.Parent(), &window);
        EXPECT_EQ(panes[0]->Constraints()[3]->Value(), 100);
        window.RestoreChart(&plot);
        EXPECT_EQ(table.Parent(), &window);
        EXPECT_EQ(panes[0]->Constraints()[1]->Value(), 26);
        Post(CloseWindowEvent);
      });
  When(
      "the window to close", [] { return WindowCount(0); }, [this] { ExitProgram(); });
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(chartGone);
}

TEST_F(EventWindowTest, AWindowWhoseLinkOperationRunsRefusesToCloseWithoutAsking) {
  NewModifiedEvent();
  auto claim = std::make_shared<std::unique_ptr<LinkBusyClaim>>();
  auto operation = std::make_shared<std::unique_ptr<DownloadStop::Operation>>();
  // The claim stands for an operation on the link, which holds the download stop with it: the exit asked
  // meanwhile is taken back at its end, as the operation would.
  Then([claim, operation] {
    *operation = std::make_unique<DownloadStop::Operation>(false);
    *claim = std::make_unique<LinkBusyClaim>(Only()->GetEvent());
    for (const ZafEventType query : {ChildCloseQueryEvent, QueryExitEvent}) {
      EXPECT_EQ(Only()->Event(ZafEventRecord(static_cast<int32_t>(query), 0)), 0);
    }
    // Under the single-event rule New is refused with it.
    Post(NewCommand);
  });
  Then([claim, operation] {
    EXPECT_EQ(FrontMessage(), nullptr);
    EXPECT_TRUE(WindowCount(1));
    claim->reset();
    operation->reset();
    Only()->GetEvent()->SetModified(false);
    Post(ExitEvent);
  });
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
}
