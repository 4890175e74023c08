// The main frame's Options commands in the running program: which dialog opens, the X-range check that
// reopens it, and what the event windows are told afterwards.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzeventmdi.h"
#include "app/qvzoptionsdialog.h"
#include "app/tests/programtest.h"
#include "foundation/kmessage.h"
#include "foundation/kregistry.h"
#include "foundation/krfloat.h"
#include "toolkit/kzreal.h"
#include "framework/core/zafwindowmanager.h"
#include "model/qvevent.h"
#include "model/yleg.h"
#include "model/ylegimage.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzregistrydialog.h"

namespace {

// An image of a leg that notes the notifications its leg passes on.
class RecordingImage : public YLegImage {
 public:
  explicit RecordingImage(std::vector<uint32_t>& heard) : heard(heard) {}
  void OnLegLoaded(YLeg&) override {}
  void Deliver(KMessage& message) override { heard.push_back(message.code & KMessage::kWhatMask); }

 private:
  std::vector<uint32_t>& heard;
};

class OptionsLoopTest : public ProgramTest {
 protected:
  template <typename Dialog>
  static Dialog* Front() {
    return dynamic_cast<Dialog*>(ZafWindowObject::windowManager->FrontWindow());
  }
  // Waits for the options dialog, notes its page and answers it.
  // Answers the next options dialog, after typing `minX` and `maxX` into the chart page when given.
  void AnswerOptions(std::vector<int32_t>& pages, ZafEventType answer,
                     std::optional<std::pair<double, double>> range = std::nullopt) {
    When(
        "the options dialog", [] { return Front<QvZOptionsDialog>() != nullptr; },
        [&pages, answer, range] {
          QvZOptionsDialog* dialog = Front<QvZOptionsDialog>();
          pages.push_back(dialog->FirstPage());
          if (range) {
            dialog->MinXField()->SetValue(range->first);
            dialog->MaxXField()->SetValue(range->second);
          }
          Post(answer);
        });
  }
  double Float(const char16_t* path) const { return KRegistry::GetFloat(program->Settings(), path)->Value(); }
};

}  // namespace

TEST_F(OptionsLoopTest, CtrlAndShiftOpenTheRawSettingsEditorFromFileOptionsOnly) {
  std::vector<int32_t> pages;
  bool editor = false;
  Then([this] {
    driver.keyDown(native::VK_CONTROL);
    driver.keyDown(native::VK_SHIFT);
  });
  Then([] { Post(QvZOptionsDialog::kGeneralCommand); });
  When(
      "the raw settings editor", [] { return Front<KZRegistryDialog>() != nullptr; },
      [&editor] {
        editor = true;
        Post(KZDialog::kCancelResult);
      });
  Then([] { Post(QvZOptionsDialog::kChartCommand); });
  AnswerOptions(pages, KZDialog::kCancelResult);
  Then([this] {
    driver.keyUp(native::VK_SHIFT);
    driver.keyUp(native::VK_CONTROL);
  });
  Then([] { Post(QvZOptionsDialog::kGeneralCommand); });
  AnswerOptions(pages, KZDialog::kCancelResult);
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(editor);
  EXPECT_EQ(pages, (std::vector<int32_t>{QvZOptionsDialog::kChart, QvZOptionsDialog::kGeneral}));
}

TEST_F(OptionsLoopTest, AMinimumNotBelowTheMaximumShowsTheMessageAndReopensTheChartPage) {
  std::vector<int32_t> pages;
  Then([] { Post(QvZOptionsDialog::kResultsCommand); });
  AnswerOptions(pages, KZDialog::kOkResult, std::pair{1.0, 1.0});
  AnswerWithKey(u"Error", native::VK_RETURN);
  // The reopened page shows the range the chart uses for a crossed one, -3 to 2, which the settings then
  // hold; Cancel ends the loop with them.
  AnswerOptions(pages, KZDialog::kCancelResult);
  double minimum = 0;
  Then([&] {
    minimum = Float(u"\\Chart\\Axes\\MinX");
    Post(ExitEvent);
  });
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(pages, (std::vector<int32_t>{QvZOptionsDialog::kResults, QvZOptionsDialog::kChart}));
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_DOUBLE_EQ(minimum, -3.0);
}

TEST_F(OptionsLoopTest, ARangeInOrderBeyondTheChartsReopensTheSamePageWithoutAMessage) {
  std::vector<int32_t> pages;
  Then([] { Post(QvZOptionsDialog::kSerialCommand); });
  AnswerOptions(pages, KZDialog::kOkResult, std::pair{-5.0, 1.0});
  AnswerOptions(pages, KZDialog::kCancelResult);
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(pages, (std::vector<int32_t>{QvZOptionsDialog::kSerial, QvZOptionsDialog::kSerial}));
  EXPECT_TRUE(seen.empty());
}

TEST_F(OptionsLoopTest, AfterOkEveryEventWindowRedrawsResetsAndClearsAfterCancelOnlyResetsAndClears) {
  std::vector<uint32_t> heard;
  std::vector<int32_t> pages;
  std::vector<uint32_t> afterOk;
  Then([] { Post(NewCommand); });
  When(
      "a new event window", [] { return EventWindows().size() == 1; },
      [&] {
        QvEvent& event = *EventWindows()[0]->GetEvent();
        event.Leg(0)->InsertImage(0, std::make_unique<RecordingImage>(heard), 0);
      });
  // The redraw the new image left pending goes out at the next idle tick first.
  Then([] {});
  Then([&] {
    heard.clear();
    Post(QvZOptionsDialog::kGeneralCommand);
  });
  AnswerOptions(pages, KZDialog::kOkResult);
  Then([&] {
    afterOk = heard;
    heard.clear();
    Post(QvZOptionsDialog::kGeneralCommand);
  });
  AnswerOptions(pages, KZDialog::kCancelResult);
  Then([] {
    EventWindows()[0]->GetEvent()->SetModified(false);
    Post(ExitEvent);
  });
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(afterOk, (std::vector<uint32_t>{25, 12, 30}));
  EXPECT_EQ(heard, (std::vector<uint32_t>{12, 30}));
}
