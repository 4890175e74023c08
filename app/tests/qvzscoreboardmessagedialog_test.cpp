#include "app/qvzscoreboardmessagedialog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/tests/dialogtestsupport.h"
#include "devices/qvscoreboards.h"
#include "foundation/kperiodictask.h"
#include "foundation/krgroup.h"
#include "foundation/tests/ktempfolder.h"
#include "testing/ptypair.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kztext.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

// A board that shows each message line between STX and ETX.
constexpr const char* kMessageScript = ";;MessageHeader\n#2\n;;Message\nM\n;;MessageTrailer\n#3\n";
constexpr int32_t kBoardPort = 77;

// One board on a pseudo-terminal, its output task driven by a virtual clock.
class QvZScoreboardMessageDialogTest : public KZDialogTest {
 protected:
  QvZScoreboardMessageDialogTest() {
    for (const char16_t* line : {u"\\Strings\\Scoreboards\\MessageDlg\\Title:String=Scoreboard Message",
                                 u"\\Strings\\Scoreboards\\MessageDlg\\Send:String=Send",
                                 u"\\Strings\\Scoreboards\\DefaultName:String=Board"}) {
      Setting(line);
    }
    std::ofstream(folder.Path() + "/board.lss") << kMessageScript;
    QvScoreboards::Setup(KString::FromUtf8(folder.Path()));
    board.MapToPort(kBoardPort);
    KRGroup* entry = QvScoreboards::NewEntry();
    KRegistry::AddLine(entry, KString(u"Script:String=board.lss"));
    KRegistry::AddLine(entry, KString(u"SerialPort:String=77,9600,8,N,1.0"));
    scoreboards = std::make_unique<QvScoreboards>();
    clock.Advance(QvScoreboards::kPeriodMs);
  }
  ~QvZScoreboardMessageDialogTest() override { scoreboards.reset(); }

  std::string Kept() {
    KString text;
    scoreboards->ListMessages(text);
    return text.ToUtf8();
  }

  KTempFolder folder;
  ktest::PtyPair board;
  KPeriodicTask::VirtualClock clock{1000};
  std::unique_ptr<QvScoreboards> scoreboards;
};

}  // namespace

TEST_F(QvZScoreboardMessageDialogTest, TheBoxOpensWithTheKeptMessage) {
  EXPECT_EQ(Narrow(QvZScoreboardMessageDialog(*scoreboards).MessageBox()->Text()), "");
  scoreboards->SendMessage(u"Wind\r\n+1.2");
  EXPECT_EQ(Narrow(QvZScoreboardMessageDialog(*scoreboards).MessageBox()->Text()), "Wind\r\n+1.2");
}

TEST_F(QvZScoreboardMessageDialogTest, ItsButtonsAreSendOkAndCancel) {
  QvZScoreboardMessageDialog dialog(*scoreboards);
  dialog.CreateButtons();
  std::vector<KZButton*> buttons;
  Collect(&dialog, buttons);
  std::vector<std::string> labels;
  for (KZButton* button : buttons) {
    labels.push_back(Narrow(button->Text()) + "=" + std::to_string(button->Value()));
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"Send=10163", "OK=-2999", "Cancel=-2993"}));
}

TEST_F(QvZScoreboardMessageDialogTest, SendShowsTheTextAtOnceAndOkHandsItOverAgain) {
  struct Case {
    const char* name;
    bool send;
    ZafEventType end;
    std::string shown;  // what the board shows
    std::string kept;   // the message the boards keep afterwards
  } cases[] = {
      {"Send, then Ok", true, KZDialog::kOkResult,
       "\x02"
       "first\x03",
       "second"},
      {"Send, then Cancel", true, KZDialog::kCancelResult,
       "\x02"
       "first\x03",
       "first"},
      {"Ok alone", false, KZDialog::kOkResult, "", "second"},
      {"Cancel alone", false, KZDialog::kCancelResult, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    scoreboards->SendMessage(KString());
    QvZScoreboardMessageDialog dialog(*scoreboards);
    application.Run({[&] {
                       dialog.MessageBox()->SetText(u"first");
                       if (c.send) {
                         Click(ButtonGiving(&dialog, QvZScoreboardMessageDialog::kSendMessage));
                       }
                     },
                     [&] { clock.Advance(QvScoreboards::kPeriodMs); },
                     [&] { dialog.MessageBox()->SetText(u"second"); },
                     [&] { KZScriptedApplication::Post(c.end); }});
    EXPECT_EQ(dialog.Execute(), c.end);
    EXPECT_EQ(board.Receive(c.shown.size(), 100), c.shown);
    EXPECT_EQ(Kept(), c.kept);
    // Ok hands the text over without asking the boards to show it.
    clock.Advance(QvScoreboards::kPeriodMs);
    EXPECT_TRUE(board.NothingReceived(50));
  }
}
