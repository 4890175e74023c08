#include "app/qvzresultswindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzscheduledialog.h"
#include "app/tests/resultslinktest.h"
#include "app/yzapplication.h"
#include "devices/qvschedule.h"
#include "foundation/kdatetime.h"
#include "toolkit/kzstring.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kztoolbar.h"

namespace {

class QvZResultsWindowTest : public ResultsLinkTest {
 protected:
  KZTBButton* ShowAllChartsButton() {
    return FindIn<KZTBButton>(window->ToolBar(), [](KZTBButton& button) {
      return button.Value() == QvZResultsPane::kShowAllChartsCommand;
    });
  }
};

TEST_F(QvZResultsWindowTest, TheTitleShowsTheTrialsStartOnceTheViewHasAResult) {
  OpenWindow();
  Then([&] {
    // A new window shows every trace, so Show All Charts is hidden.
    EXPECT_TRUE(window->AllTraces());
    ASSERT_NE(ShowAllChartsButton(), nullptr);
    EXPECT_FALSE(ShowAllChartsButton()->Visible());
    KDateTime when;
    when.year = 2026;
    when.month = 5;
    when.day = 14;
    when.hour = 15;
    when.minute = 4;
    when.second = 5;
    ASSERT_TRUE(event->SetInfoBlock(when));
    window->UpdateTitle(true);
    // No result yet: the text stays as it was.
    EXPECT_EQ(window->ToolBar()->Caption().ToUtf8(), "");
    MakeLanes(1);
    window->UpdateTitle(true);
    EXPECT_EQ(window->ToolBar()->Caption().ToUtf8(), "Start:  3:04:05 PM 5/14/2026");
    // Without a view the table is empty and the text is kept.
    window->SetEvent(nullptr);
    EXPECT_EQ(window->Pane()->Results(), nullptr);
    EXPECT_EQ(window->Pane()->Extent().y, 0);
  });
  RunToEnd();
}

// The text a title request carries: its length, then four characters a word.
std::string TextOf(const QvPacket& request) {
  std::string text;
  for (uint32_t i = 0; i < request.words.at(0); ++i) {
    text.push_back(static_cast<char>((request.words.at(1 + i / 4) >> (8 * (i % 4))) & 0xFF));
  }
  return text;
}

// Lane 6 of the event window's event charged with a false start of 0.077, as a download leaves it.
void ChargeLane6(QvEvent& event) {
  QvResults& results = event.Leg(0)->Results();
  results.FindByField(QvResult::kLaneField, u"6")->SetReactionTime(77);
  results.MarkFalseStarts();
}

// A step places the race into the window's event when the event holds that race or none; another race, a
// neighbour or one chosen in the Goto Event dialog, opens in a document of its own, as File > Next event
// opens it, after the question the single-event rule asks about an unsaved change. Each step sends the unit
// the lane states of the race placed (two bits a lane from bit 2, 2 for a lane not in use), then its title.
TEST_F(QvZResultsWindowTest,
       TheScheduleButtonsStepTheWindowsEventAndSendItsLaneStatesAndTitleCutTo62Characters) {
  const std::string dataIn = FilePath("datain");
  ASSERT_EQ(std::system((std::string(KESTROVE_PFPEER) + " startlists '" + dataIn + "' >/dev/null").c_str()),
            0);
  // Heat 2 gets a name longer than the unit shows, and nobody in lane 4.
  const std::string longName = "100 m Heat 2 of the made-up meet and a name the unit cannot show whole";
  std::string races = ReadFile("datain/vesk.evt");
  races.replace(races.find("100 m Heat 2"), 12, longName);
  const size_t lane4 = races.find(",204,4,");
  races.erase(lane4, races.find('\n', lane4) + 1 - lane4);
  WriteFile("datain/vesk.evt", races);
  Setting(u"\\Database\\File\\DataInDir:String=" + std::u16string(KString::FromUtf8(dataIn + "/").CStr()));
  StartSimulator(EightLanes());
  OpenWindow();
  // File > New: an event without a race.
  Then([] { ASSERT_NE(Frame()->NewEvent(), nullptr); });
  size_t sent = 0;  // the requests the unit had before the step
  struct Case {
    const char* name;
    ZafEventType button;
    bool linkBusy;
    bool unsaved;  // the event holds a change not saved; the close question is cancelled
    const char* heat;
    bool keepsLane6;  // the window's event placed again, else a document of the race alone
    bool modified;
    std::string title;  // empty: nothing sent
    uint32_t laneMask;
    const char16_t* chosenHeat = nullptr;  // the Goto Event dialog's answer: race 1-1-<heat>
    // The schedule's current race set before the step: its entry from 0, -1 none (as after a start).
    std::optional<int32_t> scheduleEntry = std::nullopt;
    bool corrected = false;  // lane 2's last name corrected to "Bergström" and saved
  };
  for (const Case& c :
       {Case{"a race named in an event that had none", QvZResultsPane::kScheduleNextCommand, false, false,
             "1", true, true, "100 m Heat 1", 0},
        Case{"another race", QvZResultsPane::kScheduleNextCommand, false, false, "2", false, false,
             longName.substr(0, 62), 0x200},
        Case{"back to the race before", QvZResultsPane::kSchedulePreviousCommand, false, false, "1", false,
             false, "100 m Heat 1", 0},
        // A window's steps go from its race, whatever the schedule stands at.
        Case{"before the first race, the schedule at the next", QvZResultsPane::kSchedulePreviousCommand,
             false, false, "1", true, false, "", 0, nullptr, 1, true},
        Case{"the race after a reopened one", QvZResultsPane::kScheduleNextCommand, false, false, "2", false,
             false, longName.substr(0, 62), 0x200, nullptr, -1, true},
        Case{"another race, the question about the change cancelled", QvZResultsPane::kScheduleNextCommand,
             false, true, "2", true, true, "", 0},
        // Another operation holds the link: its results stay where they are.
        Case{"the link busy", QvZResultsPane::kScheduleNextCommand, true, false, "2", true, false, "", 0},
        Case{"another race chosen in the dialog", QvZResultsPane::kScheduleChooseCommand, false, false, "1",
             false, false, "100 m Heat 1", 0, u"1"},
        Case{"the window's own race chosen in the dialog", QvZResultsPane::kScheduleChooseCommand, false,
             false, "1", true, false, "", 0, u"1", std::nullopt, true}}) {
    When(
        "one event window", [] { return EventWindows().size() == 1; },
        [this, c, &sent] {
          SCOPED_TRACE(c.name);
          QvEvent& before = *EventWindows()[0]->GetEvent();
          ChargeLane6(before);
          if (c.corrected) {
            before.Leg(0)
                ->Results()
                .FindByField(QvResult::kLaneField, u"2")
                ->SetAthleteField(0, KString(u"Bergström"));
          }
          if (c.scheduleEntry.has_value()) {
            QvSchedule& schedule = *YZApplication::Current()->Schedule();
            const QvScheduleItem* entry = schedule.GetNth(*c.scheduleEntry);
            schedule.SetCurrent(entry != nullptr ? *entry : QvScheduleItem());
          }
          before.SetModified(c.unsaved);
          sent = simulator->Requests().size();
          {
            const std::optional<LinkBusyClaim> claim =
                c.linkBusy ? std::make_optional<LinkBusyClaim>(nullptr) : std::nullopt;
            EventWindows()[0]->Event(ZafEventRecord(c.button, 0));
          }
          ASSERT_EQ(EventWindows().size(), 1u);
          QvZEventMDI* eventWindow = EventWindows()[0];
          QvEvent& event = *eventWindow->GetEvent();
          EXPECT_EQ(event.HeatNumber().ToUtf8(), c.heat);
          // The caption names the heat the window holds now, as Save As would.
          EXPECT_EQ(KString(eventWindow->Text()).ToUtf8(), std::string("1-1-") + c.heat);
          EXPECT_EQ(event.IsModified(), c.modified);
          const QvResult* lane6 = event.Leg(0)->Results().FindByField(QvResult::kLaneField, u"6");
          EXPECT_EQ(lane6->GetReactionTime().ToMilliseconds(), c.keepsLane6 ? 77 : YTime::kNoMilliseconds);
          EXPECT_EQ(lane6->IsFalseStartCharged(), c.keepsLane6);
          if (c.corrected && c.keepsLane6) {
            EXPECT_EQ(
                event.Leg(0)->Results().FindByField(QvResult::kLaneField, u"2")->AthleteField(0).ToUtf8(),
                "Bergstr\xc3\xb6m");
          }
          EXPECT_EQ(seen.size(), c.unsaved ? 1u : 0u);
          if (c.title.empty()) {
            EXPECT_EQ(simulator->Requests().size(), sent);
          }
          seen.clear();
          event.SetModified(false);
        });
    if (c.chosenHeat != nullptr) {
      When(
          "the schedule dialog",
          [] {
            return dynamic_cast<QvZScheduleDialog*>(ZafWindowObject::windowManager->FrontWindow()) != nullptr;
          },
          [c] {
            auto* dialog = dynamic_cast<QvZScheduleDialog*>(ZafWindowObject::windowManager->FrontWindow());
            dialog->EventField()->SetText(u"1");
            dialog->RoundField()->SetText(u"1");
            dialog->HeatField()->SetText(c.chosenHeat);
            Post(KZDialog::kOkResult);
          });
    }
    if (c.unsaved) {
      AnswerWithClick(u"Close Event Window", KZDialog::kCancelResult);
    }
    if (c.title.empty()) {
      continue;
    }
    // A window of its own sends them from its first idle ticks.
    When(
        "the title",
        [this, &sent] {
          const std::vector<QvPacket> requests = simulator->Requests();
          return requests.size() > sent && requests.back().command == QvPacket::kText;
        },
        [this, c, &sent] {
          SCOPED_TRACE(c.name);
          const std::vector<QvPacket> requests = simulator->Requests();
          const auto laneStates =
              std::find_if(requests.begin() + static_cast<std::ptrdiff_t>(sent), requests.end(),
                           [](const QvPacket& request) { return request.command == QvPacket::kLaneStates; });
          ASSERT_NE(laneStates, requests.end());
          EXPECT_EQ(laneStates->words.at(1), c.laneMask);
          EXPECT_EQ(TextOf(requests.back()), c.title);
        });
  }
  RunToEnd();
}

}  // namespace
