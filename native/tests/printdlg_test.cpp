#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "native/native.h"
#include "native/print/printapi.h"
#include "native/print/printdialog.h"
#include "native/print/printdlg.h"
#include "native/print/printerblocks.h"
#include "native/print/printerdevice.h"
#include "native/testdriver.h"
#include "native/tests/dialogscript.h"
#include "native/tests/printedpages.h"

namespace native::test {

namespace {

// Installs a scripted print dialog for one test and removes it afterwards.
class ScriptedPrintDialog {
 public:
  explicit ScriptedPrintDialog(PrintDialogRunner runner) { SetPrintDialogRunner(std::move(runner)); }
  ~ScriptedPrintDialog() { SetPrintDialogRunner(nullptr); }
};

PRINTDLG emptyRecord(DWORD flags) {
  PRINTDLG record{};
  record.lStructSize = sizeof(PRINTDLG);
  record.Flags = flags;
  record.nFromPage = 1;
  record.nToPage = 1;
  record.nMinPage = 1;
  record.nMaxPage = 9;
  record.nCopies = 1;
  return record;
}

void freeBlocks(PRINTDLG& record) {
  GlobalFree(record.hDevMode);
  GlobalFree(record.hDevNames);
  if (record.hDC != nullptr) {
    DeleteDC(record.hDC);
  }
}

HGLOBAL rawBlock(const std::vector<char>& bytes) {
  HGLOBAL block = GlobalAlloc(GHND, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

std::vector<char> namesHeader(WORD driver, WORD device, WORD output) {
  DEVNAMES header{driver, device, output, 0};
  std::vector<char> bytes(sizeof header);
  std::memcpy(bytes.data(), &header, sizeof header);
  return bytes;
}

// The default printer's settings turned to landscape, as a caller keeps them from an earlier setup.
HGLOBAL landscapeDevMode() {
  PRINTDLG defaults = emptyRecord(PD_RETURNDEFAULT);
  if (!PrintDlg(&defaults)) {
    return nullptr;
  }
  DEVMODE landscape = *PrinterBlocks::readDevMode(defaults.hDevMode);
  landscape.dmOrientation = DMORIENT_LANDSCAPE;
  freeBlocks(defaults);
  return PrinterBlocks::writeDevMode(landscape);
}

}  // namespace

TEST(PrinterBlocks, DeviceNamesRoundTrip) {
  const DeviceNames cases[] = {
      {"", "PDF file", "", true},
      {"driver", "Büro Drucker", "/tmp/out file.pdf", false},
      {"", "", "", false},
  };
  for (const DeviceNames& names : cases) {
    SCOPED_TRACE(names.device);
    HGLOBAL block = PrinterBlocks::writeNames(names);
    std::optional<DeviceNames> back = PrinterBlocks::readNames(block);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->driver, names.driver);
    EXPECT_EQ(back->device, names.device);
    EXPECT_EQ(back->output, names.output);
    EXPECT_EQ(back->isDefault, names.isDefault);
    GlobalFree(block);
  }
  EXPECT_EQ(PrinterBlocks::writeNames(DeviceNames{"", std::string(70000, 'x'), "", false}), nullptr)
      << "names beyond the 16-bit offsets";
}

TEST(PrinterBlocks, MalformedDeviceNamesAreRefused) {
  std::vector<char> unterminated = namesHeader(8, 9, 10);
  unterminated.insert(unterminated.end(), {'\0', '\0', 'x'});
  std::vector<char> offsetInHeader = namesHeader(2, 8, 8);
  offsetInHeader.push_back('\0');
  std::vector<char> offsetPastEnd = namesHeader(8, 8, 400);
  offsetPastEnd.push_back('\0');
  struct Case {
    const char* name;
    std::vector<char> bytes;
  };
  const Case cases[] = {
      {"shorter than the header", {'\0', '\0'}},
      {"last name not terminated", unterminated},
      {"offset inside the header", offsetInHeader},
      {"offset past the end", offsetPastEnd},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    HGLOBAL block = rawBlock(test.bytes);
    EXPECT_FALSE(PrinterBlocks::readNames(block).has_value());
    GlobalFree(block);
  }
  EXPECT_FALSE(PrinterBlocks::readNames(nullptr).has_value());
}

TEST(PrinterBlocks, DevModeRoundTripAndShortBlocks) {
  DEVMODE mode = DefaultDevMode("PDF file");
  mode.dmOrientation = DMORIENT_LANDSCAPE;
  HGLOBAL block = PrinterBlocks::writeDevMode(mode);
  std::optional<DEVMODE> back = PrinterBlocks::readDevMode(block);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(std::memcmp(&*back, &mode, sizeof mode), 0);
  GlobalFree(block);

  HGLOBAL shortBlock = rawBlock(std::vector<char>(sizeof(DEVMODE) - 1, 'x'));
  EXPECT_FALSE(PrinterBlocks::readDevMode(shortBlock).has_value());
  GlobalFree(shortBlock);

  // A name that fills its field is cut so it still ends inside it.
  HGLOBAL unterminated = rawBlock(std::vector<char>(sizeof(DEVMODE), 'x'));
  std::optional<DEVMODE> cut = PrinterBlocks::readDevMode(unterminated);
  ASSERT_TRUE(cut.has_value());
  EXPECT_EQ(std::strlen(cut->dmDeviceName), static_cast<std::size_t>(CCHDEVICENAME - 1));
  GlobalFree(unterminated);
}

TEST(PrintDlg, ReturnDefaultGivesThePdfPrinterWithoutADialog) {
  TestDriver driver;
  bool shown = false;
  ScriptedPrintDialog script(
      [&shown](const PrintDialogRequest&, PrintDialogChoice&) { return shown = true; });
  PRINTDLG record = emptyRecord(PD_RETURNDEFAULT | PD_RETURNDC);
  ASSERT_TRUE(PrintDlg(&record));
  EXPECT_FALSE(shown);
  std::optional<DeviceNames> names = PrinterBlocks::readNames(record.hDevNames);
  ASSERT_TRUE(names.has_value());
  EXPECT_EQ(names->device, PrinterDevice::kPdfFilePrinter);
  EXPECT_TRUE(names->isDefault);
  std::optional<DEVMODE> mode = PrinterBlocks::readDevMode(record.hDevMode);
  ASSERT_TRUE(mode.has_value());
  EXPECT_NE(mode->dmFields & DM_ORIENTATION, 0u);
  EXPECT_EQ(mode->dmOrientation, DMORIENT_PORTRAIT);
  ASSERT_NE(record.hDC, nullptr);
  EXPECT_EQ(GetDeviceCaps(record.hDC, LOGPIXELSY), 300);
  freeBlocks(record);
}

TEST(PrintDlg, BadRecordsAreRefused) {
  TestDriver driver;
  PRINTDLG wrongSize = emptyRecord(PD_RETURNDEFAULT);
  wrongSize.lStructSize = 4;
  EXPECT_FALSE(PrintDlg(&wrongSize));
  EXPECT_FALSE(PrintDlg(nullptr));
  PRINTDLG withBlocks = emptyRecord(PD_RETURNDEFAULT);
  withBlocks.hDevMode = GlobalAlloc(GHND, 8);
  EXPECT_FALSE(PrintDlg(&withBlocks)) << "defaults need empty blocks";
  GlobalFree(withBlocks.hDevMode);
}

TEST(PrintDlg, ThePrintDialogAnswersTheChoice) {
  TestDriver driver;
  PrintDialogRequest seen;
  PrintDialogChoice started;
  ScriptedPrintDialog script([&](const PrintDialogRequest& request, PrintDialogChoice& choice) {
    seen = request;
    started = choice;
    choice.outputFile = "/tmp/chosen.pdf";
    choice.paper.landscape = true;
    choice.copies = 3;
    choice.collate = false;
    choice.pageRange = true;
    choice.fromPage = 2;
    choice.toPage = 40;  // beyond the last page: held to it
    return true;
  });
  PRINTDLG record = emptyRecord(PD_RETURNDC | PD_COLLATE | PD_NOSELECTION);
  ASSERT_TRUE(PrintDlg(&record));
  EXPECT_FALSE(seen.setup);
  EXPECT_TRUE(seen.pageNumbers);
  EXPECT_EQ(seen.printers.front(), PrinterDevice::kPdfFilePrinter);
  EXPECT_TRUE(started.collate);
  EXPECT_EQ(record.Flags & PD_COLLATE, 0u);
  EXPECT_NE(record.Flags & PD_PAGENUMS, 0u);
  EXPECT_EQ(record.nFromPage, 2);
  EXPECT_EQ(record.nToPage, 9);
  EXPECT_EQ(record.nCopies, 3);
  EXPECT_EQ(PrinterBlocks::readNames(record.hDevNames)->output, "/tmp/chosen.pdf");
  EXPECT_EQ(PrinterBlocks::readDevMode(record.hDevMode)->dmOrientation, DMORIENT_LANDSCAPE);
  ASSERT_NE(record.hDC, nullptr);
  EXPECT_GT(GetDeviceCaps(record.hDC, PHYSICALWIDTH), GetDeviceCaps(record.hDC, PHYSICALHEIGHT));
  freeBlocks(record);
}

TEST(PrintDlg, PrintToFileIsASystemPrintersJobSentToAFile) {
  TestDriver driver;
  PrintFolder folder;
  FakePrintService service(folder);
  struct Case {
    const char* name;
    const char* printer;
    const char* outputFile;
    bool printToFile;
  };
  const Case cases[] = {
      {"\"PDF file\" writes where its File field says", "PDF file", "/tmp/results.pdf", false},
      {"a system printer", "lab laser", "", false},
      {"a system printer's job sent to a file", "lab laser", "/tmp/results.ps", true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ScriptedPrintDialog script([&test](const PrintDialogRequest&, PrintDialogChoice& choice) {
      choice.printer = test.printer;
      choice.outputFile = test.outputFile;
      return true;
    });
    PRINTDLG record = emptyRecord(PD_PRINTTOFILE);
    ASSERT_TRUE(PrintDlg(&record));
    EXPECT_EQ((record.Flags & PD_PRINTTOFILE) != 0, test.printToFile);
    EXPECT_EQ(PrinterBlocks::readNames(record.hDevNames)->output, test.outputFile);
    freeBlocks(record);
  }
}

TEST(PrintDlg, PageRangeAndCopiesFollowTheFlags) {
  TestDriver driver;
  struct Case {
    const char* name;
    DWORD flags;
    bool pageRangeOffered;
    int copiesInRecord;
    short copiesInDevMode;
    int fromPage;
    int toPage;
  };
  const Case cases[] = {
      {"no page numbers: the whole range", PD_NOPAGENUMS, false, 2, 1, 1, 9},
      {"page numbers chosen", 0, true, 2, 1, 3, 4},
      {"device mode keeps the copies", PD_USEDEVMODECOPIES, true, 1, 2, 3, 4},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    bool offered = false;
    ScriptedPrintDialog script([&offered](const PrintDialogRequest& request, PrintDialogChoice& choice) {
      offered = request.pageNumbers;
      choice.pageRange = true;
      choice.fromPage = 3;
      choice.toPage = 4;
      choice.copies = 2;
      return true;
    });
    PRINTDLG record = emptyRecord(test.flags);
    ASSERT_TRUE(PrintDlg(&record));
    EXPECT_EQ(offered, test.pageRangeOffered);
    EXPECT_EQ(record.nCopies, test.copiesInRecord);
    EXPECT_EQ(PrinterBlocks::readDevMode(record.hDevMode)->dmCopies, test.copiesInDevMode);
    EXPECT_EQ(record.nFromPage, test.fromPage);
    EXPECT_EQ(record.nToPage, test.toPage);
    EXPECT_EQ(record.hDC, nullptr) << "no PD_RETURNDC";
    freeBlocks(record);
  }
}

TEST(PrintDlg, CancelAndUnknownPrintersKeepTheCallersBlocks) {
  TestDriver driver;
  PRINTDLG record = emptyRecord(PD_RETURNDEFAULT);
  ASSERT_TRUE(PrintDlg(&record));
  HGLOBAL mode = record.hDevMode;
  HGLOBAL names = record.hDevNames;
  struct Case {
    const char* name;
    bool ok;
    const char* printer;
  };
  const Case cases[] = {{"cancel", false, "PDF file"}, {"printer not offered", true, "Elsewhere"}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ScriptedPrintDialog script([&test](const PrintDialogRequest&, PrintDialogChoice& choice) {
      choice.printer = test.printer;
      return test.ok;
    });
    record.Flags = PD_PRINTSETUP | PD_RETURNDC;
    EXPECT_FALSE(PrintDlg(&record));
    EXPECT_EQ(record.hDevMode, mode);
    EXPECT_EQ(record.hDevNames, names);
    EXPECT_NE(GlobalSize(mode), 0u);
  }
  freeBlocks(record);
}

TEST(PrintDlg, SetupStartsFromTheCallersSettings) {
  TestDriver driver;
  PRINTDLG record = emptyRecord(0);
  record.hDevMode = landscapeDevMode();
  ASSERT_NE(record.hDevMode, nullptr);
  bool startedLandscape = false;
  bool offeredPages = true;
  ScriptedPrintDialog script([&](const PrintDialogRequest& request, PrintDialogChoice& choice) {
    startedLandscape = choice.paper.landscape;
    offeredPages = request.pageNumbers;
    return request.setup;
  });
  record.Flags = PD_PRINTSETUP;
  EXPECT_TRUE(PrintDlg(&record));
  EXPECT_TRUE(startedLandscape);
  EXPECT_FALSE(offeredPages);
  freeBlocks(record);
}

TEST(PrintDialog, ChoicesMadeByMouseAndKeyboardComeBack) {
  TestDriver driver;
  DialogScript script(driver);
  script.replaceText(PrintDialog::kOutputFile, u"/tmp/chosen.pdf");
  script.click(PrintDialog::kLandscape);
  script.replaceText(PrintDialog::kCopies, u"2");
  script.click(PrintDialog::kCollate);
  script.click(PrintDialog::kPageRange);
  script.replaceText(PrintDialog::kFromPage, u"3");
  script.replaceText(PrintDialog::kToPage, u"5");
  bool ownerDisabled = false;
  script.add([&](HWND) { ownerDisabled = !IsWindowEnabled(script.owner()); });
  script.click(IDOK);
  PRINTDLG record = emptyRecord(PD_RETURNDC | PD_COLLATE | PD_NOSELECTION);
  record.hwndOwner = script.owner();
  ASSERT_TRUE(PrintDlg(&record));
  EXPECT_TRUE(script.finished());
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(script.owner()));
  EXPECT_EQ(PrinterBlocks::readNames(record.hDevNames)->output, "/tmp/chosen.pdf");
  EXPECT_EQ(PrinterBlocks::readDevMode(record.hDevMode)->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(record.nCopies, 2);
  EXPECT_EQ(record.Flags & PD_COLLATE, 0u) << "collate was switched off";
  EXPECT_NE(record.Flags & PD_PAGENUMS, 0u);
  EXPECT_EQ(record.nFromPage, 3);
  EXPECT_EQ(record.nToPage, 5);
  ASSERT_NE(record.hDC, nullptr);
  EXPECT_GT(GetDeviceCaps(record.hDC, PHYSICALWIDTH), GetDeviceCaps(record.hDC, PHYSICALHEIGHT));
  freeBlocks(record);
}

TEST(PrintDialog, KeyboardAloneFillsTheFileAndConfirms) {
  TestDriver driver;
  DialogScript script(driver);
  // The printer list has the focus first; Tab reaches the file field.
  script.press(VK_TAB);
  script.type(u"/tmp/keys.pdf");
  script.press(VK_RETURN);
  PRINTDLG record = emptyRecord(PD_PRINTSETUP);
  record.hwndOwner = script.owner();
  ASSERT_TRUE(PrintDlg(&record));
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(PrinterBlocks::readNames(record.hDevNames)->output, "/tmp/keys.pdf");
  freeBlocks(record);
}

TEST(PrintDialog, OkIsRefusedUntilTheFieldsAreSound) {
  TestDriver driver;
  struct Case {
    const char* name;
    std::function<void(DialogScript&)> mistake;
    int fieldToFix;
    std::u16string fix;
  };
  const Case cases[] = {
      {"PDF file without a file", [](DialogScript&) {}, PrintDialog::kOutputFile, u"/tmp/a.pdf"},
      {"no copies",
       [](DialogScript& script) {
         script.replaceText(PrintDialog::kOutputFile, u"/tmp/a.pdf");
         script.replaceText(PrintDialog::kCopies, u"0");
       },
       PrintDialog::kCopies, u"1"},
      {"first page beyond the last",
       [](DialogScript& script) {
         script.replaceText(PrintDialog::kOutputFile, u"/tmp/a.pdf");
         script.click(PrintDialog::kPageRange);
         script.replaceText(PrintDialog::kToPage, u"9");
         script.replaceText(PrintDialog::kFromPage, u"12");
       },
       PrintDialog::kFromPage, u"9"},
      {"range backwards",
       [](DialogScript& script) {
         script.replaceText(PrintDialog::kOutputFile, u"/tmp/a.pdf");
         script.click(PrintDialog::kPageRange);
         script.replaceText(PrintDialog::kFromPage, u"4");
         script.replaceText(PrintDialog::kToPage, u"2");
       },
       PrintDialog::kToPage, u"6"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    DialogScript script(driver);
    test.mistake(script);
    unsigned beeps = driver.beepCount();
    script.click(IDOK);
    bool stillOpen = false;
    bool fieldFocused = false;
    script.add([&](HWND dialog) {
      stillOpen = IsWindowVisible(dialog) != FALSE;
      fieldFocused = GetFocus() == DialogScript::control(dialog, test.fieldToFix);
    });
    // The refused field has its text selected: typing replaces it.
    script.type(test.fix);
    script.press(VK_RETURN);
    PRINTDLG record = emptyRecord(0);
    record.hwndOwner = script.owner();
    ASSERT_TRUE(PrintDlg(&record));
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(fieldFocused);
    EXPECT_EQ(driver.beepCount(), beeps + 1);
    freeBlocks(record);
  }
}

TEST(PrintDialog, EscapeAndTheCloseBoxCancel) {
  TestDriver driver;
  struct Case {
    const char* name;
    std::function<void(DialogScript&)> cancel;
  };
  const Case cases[] = {
      {"Escape", [](DialogScript& script) { script.press(VK_ESCAPE); }},
      {"Cancel button", [](DialogScript& script) { script.click(IDCANCEL); }},
      {"Enter on Cancel, reached backwards past the first control",
       [&driver](DialogScript& script) {
         // From the file field: back to the printer list, then round to Cancel.
         script.add([&driver](HWND) {
           driver.keyDown(VK_SHIFT);
           driver.pressKey(VK_TAB);
           driver.pressKey(VK_TAB);
           driver.keyUp(VK_SHIFT);
         });
         script.press(VK_RETURN);
       }},
      {"close box",
       [](DialogScript& script) { script.add([](HWND dialog) { PostMessage(dialog, WM_CLOSE, 0, 0); }); }},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    DialogScript script(driver);
    script.replaceText(PrintDialog::kOutputFile, u"/tmp/never.pdf");
    test.cancel(script);
    PRINTDLG record = emptyRecord(PD_RETURNDC);
    record.hwndOwner = script.owner();
    EXPECT_FALSE(PrintDlg(&record));
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(record.hDevMode, nullptr);
    EXPECT_EQ(record.hDC, nullptr);
    EXPECT_TRUE(IsWindowEnabled(script.owner()));
  }
}

TEST(PrintDialog, WithoutPageNumbersTheRangeCannotBeChosen) {
  TestDriver driver;
  DialogScript script(driver);
  bool rangeEnabled = true;
  script.add([&](HWND dialog) {
    rangeEnabled = IsWindowEnabled(DialogScript::control(dialog, PrintDialog::kPageRange)) != FALSE;
  });
  script.replaceText(PrintDialog::kOutputFile, u"/tmp/a.pdf");
  script.press(VK_RETURN);
  PRINTDLG record = emptyRecord(PD_NOPAGENUMS);
  record.hwndOwner = script.owner();
  ASSERT_TRUE(PrintDlg(&record));
  EXPECT_FALSE(rangeEnabled);
  EXPECT_EQ(record.nFromPage, 1);
  EXPECT_EQ(record.nToPage, 9);
  freeBlocks(record);
}

TEST(PrintDialog, SetupTakesPaperAndOrientationWithoutAFile) {
  TestDriver driver;
  DialogScript script(driver);
  script.click(PrintDialog::kLandscape);
  script.click(IDOK);
  PRINTDLG record = emptyRecord(PD_PRINTSETUP);
  record.hwndOwner = script.owner();
  ASSERT_TRUE(PrintDlg(&record));
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(PrinterBlocks::readNames(record.hDevNames)->device, PrinterDevice::kPdfFilePrinter);
  EXPECT_EQ(PrinterBlocks::readNames(record.hDevNames)->output, "");
  EXPECT_EQ(PrinterBlocks::readDevMode(record.hDevMode)->dmOrientation, DMORIENT_LANDSCAPE);
  freeBlocks(record);
}

// Tab reaches the orientation as one stop, at the orientation chosen: Space there keeps it, and the next
// Tab leaves the group.
TEST(PrintDialog, TabEntersARadioGroupAtItsCheckedButton) {
  TestDriver driver;
  DialogScript script(driver);
  // From the printer list past the file field and the paper list.
  for (int stop = 0; stop < 3; ++stop) {
    script.press(VK_TAB);
  }
  bool enteredAtLandscape = false;
  script.add([&](HWND dialog) {
    enteredAtLandscape = GetFocus() == DialogScript::control(dialog, PrintDialog::kLandscape);
  });
  script.press(VK_SPACE);
  script.press(VK_TAB);
  bool leftForOk = false;
  script.add([&](HWND dialog) { leftForOk = GetFocus() == DialogScript::control(dialog, IDOK); });
  script.press(VK_RETURN);
  PRINTDLG record = emptyRecord(PD_PRINTSETUP);
  record.hwndOwner = script.owner();
  record.hDevMode = landscapeDevMode();
  ASSERT_TRUE(PrintDlg(&record));
  EXPECT_TRUE(script.finished());
  EXPECT_TRUE(enteredAtLandscape);
  EXPECT_TRUE(leftForOk);
  EXPECT_EQ(PrinterBlocks::readDevMode(record.hDevMode)->dmOrientation, DMORIENT_LANDSCAPE);
  freeBlocks(record);
}

// A child window given as the owner stands for its top-level window, which the dialog disables.
TEST(PrintDialog, AChildWindowAsOwnerDisablesItsTopLevelWindow) {
  TestDriver driver;
  DialogScript script(driver);
  HWND child = CreateWindowEx(0, kStaticClass, u"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, script.owner(),
                              nullptr, nullptr, nullptr);
  // Whichever window hears of the dialog's waits, the script runs.
  static WNDPROC childProcedure = nullptr;
  childProcedure = reinterpret_cast<WNDPROC>(SetWindowLong(
      child, GWL_WNDPROC,
      reinterpret_cast<LONG_PTR>(+[](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_ENTERIDLE) {
          return SendMessage(GetParent(window), message, wParam, lParam);
        }
        return CallWindowProc(childProcedure, window, message, wParam, lParam);
      })));
  bool ownerDisabled = false;
  script.add([&](HWND) { ownerDisabled = !IsWindowEnabled(script.owner()); });
  script.press(VK_ESCAPE);
  PRINTDLG record = emptyRecord(PD_PRINTSETUP);
  record.hwndOwner = child;
  EXPECT_FALSE(PrintDlg(&record));
  EXPECT_TRUE(script.finished());
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(script.owner()));
  EXPECT_TRUE(IsWindowEnabled(child));
}

}  // namespace native::test
