#include "framework/win32/zafprintdialog.h"

#include <gtest/gtest.h>

#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafprinter.h"
#include "native/print/printdlg.h"
#include "native/print/printerdevice.h"
#include "native/testdriver.h"
#include "native/tests/printedpages.h"
#include "testing/zaftestapplication.h"

namespace {

// What the scripted user does in the dialog.
struct UserChoice {
  bool ok, pageRange;
  int fromPage, toPage, copies;
  bool collate;
};

struct Case {
  const char* name;
  ZafPrintJobRecord record;
  bool pageNumbersAllowed;
  uint8_t secondCopyOption;
  UserChoice user;
  // What the dialog was offered.
  bool offeredPageNumbers;
  int offeredMaxPage;
  int offeredCopies;
  bool offeredCollate;
  // What came back.
  ZafEventType answer;
  ZafPrintJobRecord expected;
};

class ZafPrintDialogTest : public testing::Test {
 protected:
  native::TestDriver driver{native::DesktopOptions{640, 480, 96}};
  ZafTestApplication application;
  native::test::PrintFolder folder;
};

}  // namespace

TEST_F(ZafPrintDialogTest, TheRecordIsOfferedToThePrintDialogAndTakesTheAnswer) {
  const Case cases[] = {
      {"a page range, three copies, uncollated", {1, 2, 1, 9, 1, 9}, true, 1, {true, true, 3, 5, 3, false},
       true, 9, 2, true, ZAF_PRINT_DIALOG_OK, {0, 3, 3, 5, 1, 9}},
      {"no page numbers: the whole range whatever the user tried", {0, 1, 4, 4, 2, 7}, false, 1,
       {true, true, 3, 5, 1, true}, false, 7, 1, false, ZAF_PRINT_DIALOG_OK, {1, 1, 2, 7, 2, 7}},
      {"a copy option cleared: the printer repeats, the program prints once", {0, 4, 1, 1, 1, 1}, true, 0,
       {true, false, 1, 1, 3, false}, true, 1, 1, false, ZAF_PRINT_DIALOG_OK, {0, 1, 1, 1, 1, 1}},
      {"cancel leaves the record as it was", {1, 2, 3, 4, 1, 9}, true, 1, {false, true, 5, 6, 7, false}, true, 9,
       2, true, ZAF_PRINT_DIALOG_CANCEL, {1, 2, 3, 4, 1, 9}},
      {"pages beyond 16 bits are offered as the largest, not wrapped", {0, 70000, 1, 70000, 1, 70000}, true, 1,
       {true, false, 1, 1, 2, false}, true, 65535, 65535, false, ZAF_PRINT_DIALOG_OK, {0, 2, 1, 70000, 1, 70000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    native::PrintDialogRequest offered;
    native::PrintDialogChoice started;
    native::SetPrintDialogRunner([&](const native::PrintDialogRequest& offer, native::PrintDialogChoice& choice) {
      offered = offer;
      started = choice;
      choice.printer = native::PrinterDevice::kPdfFilePrinter;
      choice.outputFile = folder.file("job.pdf");
      choice.pageRange = c.user.pageRange;
      choice.fromPage = c.user.fromPage;
      choice.toPage = c.user.toPage;
      choice.copies = c.user.copies;
      choice.collate = c.user.collate;
      return c.user.ok;
    });
    ZafPrinter printer;
    ZafPrintJobRecord record = c.record;
    ZafPrintDialog dialog(printer, record);
    dialog.pageNumbersAllowed = c.pageNumbersAllowed ? 1 : 0;
    dialog.copyOptions[1] = c.secondCopyOption;
    const native::HDC before = printer.PrinterContext();
    EXPECT_EQ(dialog.Run(), c.answer);
    native::SetPrintDialogRunner(nullptr);

    EXPECT_EQ(offered.pageNumbers, c.offeredPageNumbers);
    EXPECT_EQ(offered.maxPage, c.offeredMaxPage);
    EXPECT_EQ(started.copies, c.offeredCopies);
    EXPECT_EQ(started.collate, c.offeredCollate);
    EXPECT_TRUE(record == c.expected);
    EXPECT_EQ(printer.PrinterContext() != before, c.answer == ZAF_PRINT_DIALOG_OK)
        << "OK alone gives the printer the chosen context";
  }
}
