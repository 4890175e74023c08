// The chart data dialog: its cells over the trace buffers, the list opening at the gun, and the text
// export (Cancel keeps the dialog, a written export closes it).

#include "app/qvzchartdatadialog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/chartdatatext.h"
#include "app/chartsettings.h"
#include "app/charttraces.h"
#include "foundation/kfiledialog.h"
#include "foundation/tests/ktempfolder.h"
#include "model/qvresult.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

// A result whose trace holds X 5 and Y -3 from sample 0 to 4999.
std::unique_ptr<QvResult> FlatResult() {
  auto result = std::make_unique<QvResult>();
  std::vector<int32_t> x(QvTrace::kBlockSize * QvTrace::kMaxBlocks, 5);
  std::vector<int32_t> y(x.size(), -3);
  result->SetTrace(0, std::move(x), std::move(y));
  return result;
}

// The file's lines, each with the CR of its line end (the stream writes CR LF).
std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

class ChartDataDialogTest : public KZDialogTest {
 protected:
  ChartDataDialogTest() {
    KSetFileDialogHook([this](KFileDialogRequest& request) {
      if (answers.empty()) {
        return -1;
      }
      const std::string answer = answers.front();
      answers.erase(answers.begin());
      if (answer.empty()) {
        return -1;
      }
      request.file->SetName(KString::FromUtf8(answer));
      return 0;
    });
  }
  ~ChartDataDialogTest() override { KSetFileDialogHook({}); }

  void Prepare(const QvResult* result) {
    ChartTraces::Shared().Prepare(result, kChartSummed, ChartSettings());
  }

  KTempFolder folder;
  // The names the file dialog answers in turn; an empty one cancels.
  std::vector<std::string> answers;
};

}  // namespace

TEST_F(ChartDataDialogTest, CellsShowTheTraceBuffers) {
  const auto result = FlatResult();
  Prepare(result.get());
  struct Case {
    int32_t row;
    std::vector<std::string> cells;
  };
  // |5| + |-3| summed over 192 samples is 1536, reached at sample 191.
  const Case cases[] = {
      {0, {"-3.000", "5", "-3", "0.0000", "0.0000"}},
      {191, {"-2.809", "5", "-3", "1536.0000", "1536.0000"}},
      {192, {"-2.808", "5", "-3", "1536.0000", "0.0000"}},
      {3000, {"0.000", "5", "-3", "1536.0000", "0.0000"}},
      {5000, {"2.000", "0", "0", "0.0000", "-1536.0000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    std::vector<std::string> cells;
    for (int32_t column = 0; column < kDataColumnCount; ++column) {
      cells.push_back(ChartDataCell(c.row, column).ToUtf8());
    }
    EXPECT_EQ(cells, c.cells);
  }
  EXPECT_TRUE(ChartDataCell(5001, kDataTime).IsEmpty());
  // Without a trace every sample is 0.
  Prepare(nullptr);
  EXPECT_EQ(ChartDataCell(3000, kDataX).ToUtf8() + ChartDataCell(3000, kDataY).ToUtf8(), "00");
}

TEST_F(ChartDataDialogTest, ListOpensAtTheGun) {
  Prepare(nullptr);
  QvZChartDataDialog dialog;
  int32_t top = -1;
  application.Run(
      {[&] { top = dialog.List()->Position().y; }, [] { KZScriptedApplication::Post(KZDialog::kOkResult); }});
  EXPECT_EQ(dialog.Execute(), KZDialog::kOkResult);
  EXPECT_EQ(top, 3000);
}

TEST_F(ChartDataDialogTest, ExportAfterACancelWritesEverySampleAndCloses) {
  const auto result = FlatResult();
  Prepare(result.get());
  const std::string path = folder.Path() + "/trace";
  answers = {"", path};
  QvZChartDataDialog dialog;
  int32_t statusAfterCancel = 0;
  application.Run({[] { KZScriptedApplication::Post(QvZChartDataDialog::kExportCommand); },
                   [&] {
                     statusAfterCancel = dialog.ExportStatus();
                     KZScriptedApplication::Post(QvZChartDataDialog::kExportCommand);
                   }});
  EXPECT_EQ(dialog.Execute(), KZDialog::kOkResult);
  EXPECT_EQ(statusAfterCancel, QvZChartDataDialog::kExportCancelled);
  const std::vector<std::string> lines = Lines(path + ".txt");
  ASSERT_EQ(lines.size(), 5001u);
  EXPECT_EQ(lines[0], "-3.000000\t5\t-3\r");
  EXPECT_EQ(lines[3000], "0.000000\t5\t-3\r");
  EXPECT_EQ(lines[5000], "2.000000\t0\t0\r");
}
