#include "app/qvzwaveformdialog.h"

#include <gtest/gtest.h>

#include "app/tests/resultslinktest.h"
#include "devices/qvserialport.h"
#include "foundation/kserialport.h"

namespace {

class QvZWaveformDialogTest : public ResultsLinkTest {
 protected:
  // Opens the link port on the simulator as a caller of the dialog does, and shows the dialog for lane 2.
  void RunDialog() {
    Then([this] {
      KSerialPort& port = LinkPort::Port();
      port.OpenSettings(KString(u"77,19200,8,N,1.0"), KSerialPort::kRead | KSerialPort::kWrite);
      port.SetTimeout(100);
      dialog = new QvZWaveformDialog(port, 2, answer, *QvSerialPort::GetNth(0));
      result = dialog->Execute();
      delete dialog;
      dialog = nullptr;
      port.Close();
    });
  }
  void WhenShown(std::function<void()> act) {
    When(
        "the waveform dialog", [this] { return dialog != nullptr && dialog->ScreenID() != nullptr; },
        std::move(act));
  }
  std::vector<std::string> Row(int32_t row) {
    std::vector<std::string> texts;
    for (int32_t column = 0; column < 3; ++column) {
      KString text;
      uint32_t flags = 0;
      dialog->Selector()->CellText({0, row}, column, text, flags);
      texts.push_back(text.ToUtf8());
    }
    return texts;
  }

  QvZWaveformDialog* dialog = nullptr;
  int32_t answer = 0;
  ZafEventType result = 0;
};

TEST_F(QvZWaveformDialogTest, ListsTheStoredTrialsAndDownloadNeedsAChosenRow) {
  CuScenario scenario = EightLanes();
  StartSimulator(scenario);
  OpenWindow();
  RunDialog();
  WhenShown([this] {
    EXPECT_EQ(dialog->TrialCount(), 3);
    for (int32_t row = 0; row < 3; ++row) {
      EXPECT_EQ(Row(row), (std::vector<std::string>{"Control Unit", std::to_string(row + 1), "0.142"}));
    }
    EXPECT_TRUE(dialog->DownloadButton()->Disabled());
    EXPECT_FALSE(dialog->DownloadAllButton()->Disabled());
    // Without a chosen row Download keeps the dialog open.
    dialog->Event(ZafEventRecord(static_cast<int32_t>(QvZWaveformDialog::kDownload), 0));
  });
  Then([this] {
    ASSERT_NE(dialog, nullptr);
    EXPECT_LT(answer, 0);
    dialog->Selector()->SetCurrentCell({0, 1});
    EXPECT_FALSE(dialog->DownloadButton()->Disabled());
    Click(dialog->DownloadButton());
  });
  Then([this] {
    EXPECT_EQ(dialog, nullptr);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(result, KZDialog::kOkResult);
    // The count and the three headers, all of lane 2's sensor.
    const std::vector<QvPacket> requests = simulator->Requests();
    ASSERT_EQ(requests.size(), 4u);
    for (const QvPacket& request : requests) {
      EXPECT_EQ(request.destination, 514);
    }
  });
  RunToEnd();
}

TEST_F(QvZWaveformDialogTest, ASensorWithoutTrialsOffersNeitherButton) {
  CuScenario scenario = EightLanes();
  scenario.storedTrials = 0;
  StartSimulator(scenario);
  OpenWindow();
  RunDialog();
  WhenShown([this] {
    EXPECT_EQ(dialog->TrialCount(), 0);
    EXPECT_TRUE(dialog->DownloadButton()->Disabled());
    EXPECT_TRUE(dialog->DownloadAllButton()->Disabled());
    Post(KZDialog::kCancelResult);
  });
  Then([this] { EXPECT_EQ(result, KZDialog::kCancelResult); });
  RunToEnd();
}

}  // namespace
