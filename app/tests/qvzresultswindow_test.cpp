#include "app/qvzresultswindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/tests/resultslinktest.h"
#include "foundation/kdatetime.h"
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

// Each step sends the unit the lane states of the race placed (two bits a lane from bit 2, 2 for a lane not
// in use), then its title.
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
  Then([] { ASSERT_NE(Frame()->ScheduleGoto(1, nullptr, 0), nullptr); });
  struct Case {
    ZafEventType button;
    bool linkBusy;
    const char* heat;
    std::string title;  // empty: nothing sent
    uint32_t laneMask;
  };
  for (const Case& c : {Case{QvZResultsPane::kScheduleNextCommand, false, "2", longName.substr(0, 62), 0x200},
                        Case{QvZResultsPane::kSchedulePreviousCommand, false, "1", "100 m Heat 1", 0},
                        // Another operation holds the link: its results stay where they are.
                        Case{QvZResultsPane::kScheduleNextCommand, true, "1", "", 0}}) {
    When(
        "one event window", [] { return EventWindows().size() == 1; },
        [this, c] {
          QvZEventMDI* eventWindow = EventWindows()[0];
          eventWindow->GetEvent()->SetModified(false);
          const size_t before = simulator->Requests().size();
          {
            const std::optional<LinkBusyClaim> claim =
                c.linkBusy ? std::make_optional<LinkBusyClaim>(nullptr) : std::nullopt;
            eventWindow->Event(ZafEventRecord(c.button, 0));
          }
          EXPECT_EQ(EventWindows(), std::vector<QvZEventMDI*>{eventWindow});
          EXPECT_EQ(eventWindow->GetEvent()->HeatNumber().ToUtf8(), c.heat);
          // The caption names the heat the window holds now, as Save As would.
          EXPECT_EQ(KString(eventWindow->Text()).ToUtf8(), std::string("1-1-") + c.heat);
          EXPECT_EQ(eventWindow->GetEvent()->IsModified(), !c.linkBusy);
          const std::vector<QvPacket> requests = simulator->Requests();
          if (c.title.empty()) {
            EXPECT_EQ(requests.size(), before);
          } else {
            const auto laneStates = std::find_if(
                requests.begin() + static_cast<std::ptrdiff_t>(before), requests.end(),
                [](const QvPacket& request) { return request.command == QvPacket::kLaneStates; });
            ASSERT_NE(laneStates, requests.end());
            EXPECT_EQ(laneStates->words.at(1), c.laneMask);
            EXPECT_EQ(requests.back().command, QvPacket::kText);
            EXPECT_EQ(TextOf(requests.back()), c.title);
          }
          EXPECT_TRUE(seen.empty());
          eventWindow->GetEvent()->SetModified(false);
        });
  }
  RunToEnd();
}

}  // namespace
