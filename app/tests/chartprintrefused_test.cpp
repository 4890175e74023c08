// Chart > Print in the running program when the printer refuses the document: the "Printer not responding"
// alert, nothing printed, and the next print a document of its own.

#include <gtest/gtest.h>

#include <string>

#include "app/framecommands.h"
#include "app/qvzchartpane.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/tests/programtest.h"
#include "model/qvevent.h"
#include "native/print/printdlg.h"
#include "native/print/printerdevice.h"
#include "native/tests/printedpages.h"
#include "toolkit/kzdialog.h"

namespace {

// The print dialog answers OK with the PDF file printer writing to `output`.
class ChartPrintRefusedTest : public ProgramTest {
 protected:
  ChartPrintRefusedTest() {
    native::SetPrintDialogRunner(
        [this](const native::PrintDialogRequest&, native::PrintDialogChoice& choice) {
          choice.printer = native::PrinterDevice::kPdfFilePrinter;
          choice.outputFile = output;
          choice.paper = native::Paper{};
          return true;
        });
  }
  ~ChartPrintRefusedTest() override { native::SetPrintDialogRunner(nullptr); }

  native::test::PrintFolder folder;
  std::string output;
};

}  // namespace

TEST_F(ChartPrintRefusedTest, ARefusedDocumentShowsTheAlertPrintsNothingAndLeavesNoDocumentOpen) {
  Make({u"-noregistry"});
  Then([] { Post(NewCommand); });
  // The printer cannot make the job's file: it refuses the document.
  Then([this] {
    output = folder.file("missing/chart.pdf");
    Post(QvZChartPane::kPrintCommand);
  });
  AnswerWithClick(u"Error", KZDialog::kOkResult);
  Then([this] {
    EXPECT_TRUE(folder.names().empty());
    output = folder.file("chart.pdf");
    Post(QvZChartPane::kPrintCommand);
  });
  Then([this] { EXPECT_EQ(native::test::pdfInfo(output, "Pages"), "1"); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 1U);
  EXPECT_EQ(seen[0].text, u"Printer not responding (4001).");
}
