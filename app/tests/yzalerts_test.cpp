#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "app/tests/programtest.h"
#include "app/yzapplication.h"
#include "foundation/kregistry.h"
#include "imaging/yimagereporter.h"
#include "model/qvsettings.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzmessagewindow.h"

namespace {

class YZAlertsTest : public ProgramTest {
 protected:
  // Runs the program, calls `alert` at its first idle pass and answers the window it shows as `answer`
  // does, then exits.
  void ShowDuringRun(const std::function<void()>& alert, const std::function<void()>& answer) {
    Then(alert);
    answer();
    ExitProgram();
    EXPECT_EQ(Run(), 0);
  }
};

TEST_F(YZAlertsTest, TheNumberedAlertFindsItsTextByCodeThenByThousand) {
  struct Case {
    int32_t code;
    int32_t subCode;
    const char16_t* text;
  } cases[] = {
      {3004, -1, u"Error reading from a file (3004)."},
      {3099, -1, u"File error (3099)."},
      {5002, 2, u"Serial communication receive timeout (5002,2)."},
      {5001, 0, u"Serial communication receive error (5001,0)."},
      {7123, -1, u"Operation failed (7123)."},
      // Rounded toward minus infinity: -1 looks up -1, then -1000.
      {-1, -1, u"Below zero (-1)."},
      {-1001, 3, u"Operation failed (-1001,3)."},
  };
  Make({u"-noregistry"});
  Then(
      [] { KRegistry::AddLine(QvSettings::Root(), KString(u"\\Strings\\Errors\\-1000:String=Below zero")); });
  for (const Case& c : cases) {
    Then([this, c] { program->ShowError(c.code, c.subCode); });
    // Answered by keys and clicks alike.
    if (c.code % 2) {
      AnswerWithKey(u"Error", native::VK_RETURN);
    } else {
      AnswerWithClick(u"Error", KZDialog::kOkResult);
    }
  }
  Then([] { KRegistry::AddLine(QvSettings::Root(), KString(u"\\Strings\\Errors\\-1:String=Minus one")); });
  Then([this] { program->ShowError(-1, -1); });
  AnswerWithKey(u"Error", native::VK_RETURN);
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), std::size(cases) + 1);
  for (size_t index = 0; index < std::size(cases); ++index) {
    EXPECT_EQ(seen[index].text, cases[index].text);
  }
  EXPECT_EQ(seen.back().text, u"Minus one (-1).");
}

TEST_F(YZAlertsTest, AnExceptionEscapingAHandlerIsAlert1001AndTheLoopGoesOn) {
  Make({u"-noregistry"});
  Then([] { throw std::runtime_error("a handler failed"); });
  AnswerWithKey(u"Error", native::VK_RETURN);
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, u"Unhandled main loop exception (1001).");
}

TEST_F(YZAlertsTest, TheCommandServicesAlertHasTheBuiltInTexts) {
  TestProgram& started = Make();
  started.atStep["command service"] = [&started] { started.ShowError(1002, -1); };
  std::u16string button;
  When(
      "the alert", [] { return FrontMessage() != nullptr; },
      [&button] {
        KZButton* ok = FindIn<KZButton>(FrontMessage(), [](KZButton&) { return true; });
        ASSERT_NE(ok, nullptr);
        button = ok->Text();
      });
  AnswerWithKey(u"Error", native::VK_RETURN);
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, u"Error initializing DDE server (1002).");
  EXPECT_EQ(button, u"OK");
}

TEST_F(YZAlertsTest, TitlesComeFromTheLanguageOnceItIsLoaded) {
  WriteFile("English.lng",
            "English (United States),en_US\nRegistry Version: 1.00\n\\Strings\\Alerts\\Error:String=Fault\n"
            "\\Strings\\Alerts\\Message:String=Note\n");
  Make();
  Then([this] { program->Error(KString(u"Lane 3 is busy.")); });
  AnswerWithKey(u"Fault", native::VK_RETURN);
  Then([this] { program->Message(KString(u"Saved.")); });
  AnswerWithClick(u"Note", KZDialog::kOkResult);
  Then([this] { program->Message(KString(u"Export"), KString(u"Written.")); });
  AnswerWithKey(u"Export", native::VK_RETURN);
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(seen.size(), 3u);
}

TEST_F(YZAlertsTest, QuestionsAnswerTheButtonsCodeUnchanged) {
  struct Case {
    bool withIgnore;
    ZafEventType button;
  } cases[] = {
      {false, KZDialog::kAbortResult}, {false, KZDialog::kRetryResult}, {true, KZDialog::kAbortResult},
      {true, KZDialog::kRetryResult},  {true, KZDialog::kIgnoreResult},
  };
  Make({u"-noregistry"});
  std::vector<int32_t> answers;
  for (const Case& c : cases) {
    Then([this, c, &answers] {
      const KString title(u"Download");
      const KString text(u"Lane 4 did not answer.");
      answers.push_back(c.withIgnore ? program->AskCancel(title, text) : program->Ask(title, text));
    });
    AnswerWithClick(u"Download", c.button);
  }
  // Enter takes the default button, Retry.
  Then([this, &answers] { answers.push_back(program->AskCancel(KString(u"Download"), KString(u"Again?"))); });
  AnswerWithKey(u"Download", native::VK_RETURN);
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(answers, (std::vector<int32_t>{-2996, -2995, -2996, -2995, -2994, -2995}));
}

TEST_F(YZAlertsTest, TheImageWindowsReportThroughTheProgramsAlerts) {
  Make({u"-noregistry"});
  std::vector<bool> okAnswers;
  Then([] { YImageReporter::Current().ErrorAlert(3004, -1); });
  AnswerWithKey(u"Error", native::VK_RETURN);
  Then([] {
    YImageReporter::Current().ErrorMessage(KString(u"No rectangle is marked."), KString(u"Export"));
  });
  AnswerWithKey(u"Export", native::VK_RETURN);
  for (ZafEventType button : {KZDialog::kOkResult, KZDialog::kCancelResult}) {
    Then([&okAnswers] {
      okAnswers.push_back(
          YImageReporter::Current().AskOkCancel(KString(u"Overlay"), KString(u"Replace it?")));
    });
    AnswerWithClick(u"Overlay", button);
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].text, u"Error reading from a file (3004).");
  EXPECT_EQ(seen[1].text, u"No rectangle is marked.");
  EXPECT_EQ(okAnswers, (std::vector<bool>{true, false}));
}

}  // namespace
