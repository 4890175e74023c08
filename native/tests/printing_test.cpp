#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "native/native.h"
#include "native/print/paper.h"
#include "native/print/printapi.h"
#include "native/print/printerdevice.h"
#include "native/print/systemprinters.h"
#include "native/testdriver.h"
#include "native/tests/printedpages.h"

namespace native::test {

namespace {

DEVMODE paperMode(short paperSize, short orientation) {
  DEVMODE mode = DefaultDevMode(PrinterDevice::kPdfFilePrinter);
  mode.dmFields = DM_PAPERSIZE | DM_ORIENTATION;
  mode.dmPaperSize = paperSize;
  mode.dmOrientation = orientation;
  return mode;
}

// Prints `pages` pages, each with a thick black bar 2 inches down (one inch further on the second page) and
// 2 to 5 inches across (device pixels from the printable area's corner), and a word 100 pixels high under it.
int printBars(HDC dc, const std::string& output, int pages) {
  DOCINFO info{sizeof(DOCINFO), "Bars", output.empty() ? nullptr : output.c_str(), nullptr, 0};
  if (StartDoc(dc, &info) <= 0) {
    return SP_ERROR;
  }
  HGDIOBJ pen = CreatePen(PS_SOLID, 30, RGB(0, 0, 0));
  HGDIOBJ font = CreateFont(-100, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, u"Helvetica");
  for (int page = 0; page < pages; ++page) {
    StartPage(dc);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, 600, 600 + page * 300, nullptr);
    LineTo(dc, 1500, 600 + page * 300);
    SelectObject(dc, old);
    old = SelectObject(dc, font);
    TextOut(dc, 600, 1200, u"Kestrove", 8);
    SelectObject(dc, old);
    EndPage(dc);
  }
  int ended = EndDoc(dc);
  DeleteObject(pen);
  DeleteObject(font);
  return ended;
}

}  // namespace

TEST(Printing, TwoPagesLandOnPaperOfTheChosenSizeAndOrientation) {
  if (!haveTool("pdfinfo")) {
    GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
  }
  TestDriver driver;
  struct Case {
    const char* name;
    DEVMODE mode;
    const char* pageSize;
  };
  DEVMODE custom = paperMode(0, DMORIENT_PORTRAIT);
  custom.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
  custom.dmPaperWidth = 1480;
  custom.dmPaperLength = 2100;
  const Case cases[] = {
      {"A4 portrait", paperMode(DMPAPER_A4, DMORIENT_PORTRAIT), "595.2 x 841.92 pts (A4)"},
      {"A4 landscape swaps the page", paperMode(DMPAPER_A4, DMORIENT_LANDSCAPE), "841.92 x 595.2 pts (A4)"},
      {"letter portrait", paperMode(DMPAPER_LETTER, DMORIENT_PORTRAIT), "612 x 792 pts (letter)"},
      {"letter landscape", paperMode(DMPAPER_LETTER, DMORIENT_LANDSCAPE), "792 x 612 pts (letter)"},
      {"A5 by width and length", custom, "419.52 x 595.2 pts"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    PrintFolder folder;
    std::string path = folder.file("out.pdf");
    HDC dc = CreateDC(nullptr, PrinterDevice::kPdfFilePrinter, path.c_str(), &test.mode);
    ASSERT_NE(dc, nullptr);
    EXPECT_GT(printBars(dc, "", 2), 0);
    DeleteDC(dc);
    EXPECT_EQ(pdfInfo(path, "Pages"), "2");
    EXPECT_EQ(pdfInfo(path, "Page size"), test.pageSize);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"out.pdf"});
  }
}

TEST(Printing, LinesAndTextAppearWhereTheyWereDrawn) {
  if (!haveTool("pdftoppm")) {
    GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  }
  TestDriver driver;
  PrintFolder folder;
  DEVMODE mode = paperMode(DMPAPER_A4, DMORIENT_PORTRAIT);
  HDC dc = CreateDC(nullptr, PrinterDevice::kPdfFilePrinter, folder.file("out.pdf").c_str(), &mode);
  ASSERT_GT(printBars(dc, "", 2), 0);
  DeleteDC(dc);
  // 60 dpi: one rendered pixel is five printer pixels; the sheet's corner lies 75 printer pixels out.
  std::string render = "pdftoppm -r 60 -gray '" + folder.file("out.pdf") + "' '" + folder.file("page") + "'";
  ASSERT_EQ(std::system(render.c_str()), 0);
  auto dark = [](const GreyPicture& image, int printerX, int printerY) {
    return image.dark((printerX + PrinterDevice::kPhysicalOffset) / 5,
                      (printerY + PrinterDevice::kPhysicalOffset) / 5);
  };
  struct Case {
    const char* file;
    int barY;
  };
  const Case pages[] = {{"page-1.pgm", 600}, {"page-2.pgm", 900}};
  for (const Case& page : pages) {
    SCOPED_TRACE(page.file);
    GreyPicture image = GreyPicture::read(folder.file(page.file));
    ASSERT_EQ(image.width, 496) << "A4 at 60 dpi";
    EXPECT_TRUE(dark(image, 1000, page.barY));
    EXPECT_FALSE(dark(image, 1000, page.barY - 60));
    EXPECT_FALSE(dark(image, 1000, page.barY + 60));
    EXPECT_FALSE(dark(image, 1700, page.barY));
    int inkInWord = 0;
    for (int x = 600; x < 1000; x += 5) {
      for (int y = 1200; y < 1300; y += 5) {
        inkInWord += dark(image, x, y) ? 1 : 0;
      }
    }
    EXPECT_GT(inkInWord, 20);
  }
}

TEST(Printing, DeviceCapsDescribeThePrintableAreaAt300Dpi) {
  TestDriver driver;
  struct Case {
    const char* name;
    DEVMODE mode;
    int physicalWidth;
    int physicalHeight;
  };
  const Case cases[] = {
      {"A4 portrait", paperMode(DMPAPER_A4, DMORIENT_PORTRAIT), 2480, 3508},
      {"A4 landscape", paperMode(DMPAPER_A4, DMORIENT_LANDSCAPE), 3508, 2480},
      {"letter portrait", paperMode(DMPAPER_LETTER, DMORIENT_PORTRAIT), 2550, 3300},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    HDC dc = CreateDC(nullptr, PrinterDevice::kPdfFilePrinter, "", &test.mode);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 300);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 300);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), test.physicalWidth);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), test.physicalHeight);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 75);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETY), 75);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), test.physicalWidth - 150);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), test.physicalHeight - 150);
    EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE, 0);
    DeleteDC(dc);
  }
}

TEST(Printing, OutputNamedWithPsExtensionIsPostScript) {
  TestDriver driver;
  PrintFolder folder;
  HDC dc = CreateDC(nullptr, PrinterDevice::kPdfFilePrinter, "", nullptr);
  struct Case {
    const char* file;
    const char* magic;
  };
  const Case cases[] = {{"job.ps", "%!PS"}, {"JOB.PS", "%!PS"}, {"job.pdf", "%PDF"}, {"ps", "%PDF"}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.file);
    ASSERT_GT(printBars(dc, folder.file(test.file), 1), 0);
    EXPECT_EQ(readFile(folder.file(test.file)).substr(0, 4), test.magic);
  }
  DeleteDC(dc);
}

TEST(Printing, APrintedFileGetsTheModeOfEveryOtherFile) {
  TestDriver driver;
  PrintFolder folder;
  HDC dc = CreateDC(nullptr, PrinterDevice::kPdfFilePrinter, "", nullptr);
  const mode_t saved = ::umask(0);
  struct Case {
    mode_t umask;
    mode_t mode;
  };
  for (const Case& test : {Case{022, 0644}, Case{027, 0640}}) {
    SCOPED_TRACE(test.umask);
    ::umask(test.umask);
    const std::string file = folder.file("job" + std::to_string(test.umask) + ".pdf");
    // Expectations only, so that the umask is put back whatever happens.
    EXPECT_GT(printBars(dc, file, 1), 0);
    struct stat status {};
    EXPECT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, test.mode);
  }
  ::umask(saved);
  DeleteDC(dc);
}

TEST(Printing, AbandonedJobsLeaveTheEarlierFileAndNoLitter) {
  TestDriver driver;
  PrintFolder folder;
  std::string path = folder.file("out.pdf");
  std::ofstream(path) << "earlier";
  DOCINFO info{sizeof(DOCINFO), "Doc", nullptr, nullptr, 0};
  struct Case {
    const char* name;
    bool deleteInstead;
  };
  const Case cases[] = {{"AbortDoc", false}, {"DeleteDC while printing", true}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    HDC dc = CreateDC(nullptr, PrinterDevice::kPdfFilePrinter, path.c_str(), nullptr);
    ASSERT_GT(StartDoc(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    if (test.deleteInstead) {
      DeleteDC(dc);
    } else {
      EXPECT_GT(AbortDoc(dc), 0);
      EXPECT_EQ(EndDoc(dc), SP_ERROR);
      DeleteDC(dc);
    }
    EXPECT_EQ(readFile(path), "earlier");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"out.pdf"});
  }
}

TEST(Printing, JobLeftRunningWhenTheWindowSystemEndsLeavesNoFile) {
  PrintFolder folder;
  {
    TestDriver driver;
    HDC dc = CreateDC(nullptr, PrinterDevice::kPdfFilePrinter, folder.file("out.pdf").c_str(), nullptr);
    DOCINFO info{sizeof(DOCINFO), "Doc", nullptr, nullptr, 0};
    ASSERT_GT(StartDoc(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    EXPECT_EQ(folder.names().size(), 1u) << "the temporary file";
  }
  EXPECT_TRUE(folder.names().empty());
}

TEST(Printing, CallsOutOfOrderAreRefused) {
  TestDriver driver;
  PrintFolder folder;
  HDC dc = CreateDC(nullptr, PrinterDevice::kPdfFilePrinter, folder.file("a.pdf").c_str(), nullptr);
  HDC screen = GetDC(nullptr);
  DOCINFO info{sizeof(DOCINFO), "Doc", nullptr, nullptr, 0};
  EXPECT_EQ(StartPage(dc), SP_ERROR) << "no document";
  EXPECT_EQ(EndPage(dc), SP_ERROR) << "no document";
  EXPECT_EQ(EndDoc(dc), SP_ERROR) << "no document";
  EXPECT_EQ(StartDoc(screen, &info), SP_ERROR) << "not a printer";
  EXPECT_EQ(StartDoc(dc, nullptr), SP_ERROR);
  ASSERT_GT(StartDoc(dc, &info), 0);
  EXPECT_EQ(StartDoc(dc, &info), SP_ERROR) << "one document at a time";
  EXPECT_EQ(EndPage(dc), SP_ERROR) << "no page";
  ASSERT_GT(StartPage(dc), 0);
  EXPECT_EQ(StartPage(dc), SP_ERROR) << "page already open";
  // The open page is printed when the document ends.
  EXPECT_GT(EndDoc(dc), 0);
  EXPECT_EQ(EndDoc(dc), SP_ERROR) << "already ended";
  ReleaseDC(nullptr, screen);
  DeleteDC(dc);
  if (haveTool("pdfinfo")) {
    EXPECT_EQ(pdfInfo(folder.file("a.pdf"), "Pages"), "1");
  }
}

TEST(Printing, JobsWithNowhereToGoFailToStart) {
  TestDriver driver;
  struct Case {
    const char* name;
    const char* contextOutput;
    const char* documentOutput;
  };
  const Case cases[] = {
      {"PDF file without a file", "", nullptr},
      {"folder that does not exist", "", "/nonexistent-kestrove/out.pdf"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    HDC dc = CreateDC(nullptr, PrinterDevice::kPdfFilePrinter, test.contextOutput, nullptr);
    DOCINFO info{sizeof(DOCINFO), "Doc", test.documentOutput, nullptr, 0};
    EXPECT_EQ(StartDoc(dc, &info), SP_ERROR);
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    DeleteDC(dc);
  }
  EXPECT_EQ(CreateDC(nullptr, "No such printer", "", nullptr), nullptr);
}

TEST(Printing, DocumentPropertiesMergesTheCallersChoices) {
  TestDriver driver;
  HPRINTER printer = nullptr;
  EXPECT_FALSE(OpenPrinter("No such printer", &printer, nullptr));
  ASSERT_TRUE(OpenPrinter(PrinterDevice::kPdfFilePrinter, &printer, nullptr));
  EXPECT_EQ(DocumentProperties(nullptr, printer, nullptr, nullptr, nullptr, 0),
            static_cast<long>(sizeof(DEVMODE)));
  EXPECT_EQ(DocumentProperties(nullptr, printer, nullptr, nullptr, nullptr, DM_OUT_BUFFER), -1);
  DEVMODE in{};
  in.dmFields = DM_ORIENTATION | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_COPIES;
  in.dmOrientation = DMORIENT_LANDSCAPE;
  in.dmPaperWidth = 2100;
  in.dmPaperLength = 2970;
  in.dmCopies = 3;
  DEVMODE out{};
  ASSERT_EQ(DocumentProperties(nullptr, printer, nullptr, &out, &in, DM_IN_BUFFER | DM_OUT_BUFFER), IDOK);
  EXPECT_STREQ(out.dmDeviceName, PrinterDevice::kPdfFilePrinter);
  EXPECT_EQ(out.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(out.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(out.dmCopies, 3);
  EXPECT_NE(out.dmFields & DM_PAPERWIDTH, 0u);
  EXPECT_TRUE(ClosePrinter(printer));
  EXPECT_FALSE(ClosePrinter(printer));
  EXPECT_EQ(DocumentProperties(nullptr, printer, nullptr, &out, &in, DM_OUT_BUFFER), -1);
}

TEST(Paper, DeviceModeChoicesOverTheBase) {
  struct Case {
    const char* name;
    DWORD fields;
    short paperSize;
    short width;
    short length;
    short orientation;
    Paper expected;
  };
  const Paper a4{};
  const Case cases[] = {
      {"nothing listed keeps the base", 0, DMPAPER_LETTER, 100, 100, DMORIENT_LANDSCAPE, a4},
      {"letter by size", DM_PAPERSIZE, DMPAPER_LETTER, 0, 0, 0, {2159, 2794, false}},
      {"unknown size keeps the base", DM_PAPERSIZE, 99, 0, 0, 0, a4},
      {"width and length win over size",
       DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH,
       DMPAPER_LETTER,
       1000,
       1500,
       0,
       {1000, 1500, false}},
      {"width alone is not a size", DM_PAPERWIDTH, 0, 1000, 0, 0, a4},
      {"tiny sheets grow to an inch", DM_PAPERWIDTH | DM_PAPERLENGTH, 0, 1, 1, 0, {254, 254, false}},
      {"huge sheets shrink to 600 mm",
       DM_PAPERWIDTH | DM_PAPERLENGTH,
       0,
       32000,
       32000,
       0,
       {6000, 6000, false}},
      {"negative sizes are ignored", DM_PAPERWIDTH | DM_PAPERLENGTH, 0, -5, -5, 0, a4},
      {"landscape", DM_ORIENTATION, 0, 0, 0, DMORIENT_LANDSCAPE, {2100, 2970, true}},
      {"unknown orientation is ignored", DM_ORIENTATION, 0, 0, 0, 7, a4},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    DEVMODE mode{};
    mode.dmFields = test.fields;
    mode.dmPaperSize = test.paperSize;
    mode.dmPaperWidth = test.width;
    mode.dmPaperLength = test.length;
    mode.dmOrientation = test.orientation;
    Paper paper = Paper::fromDevMode(&mode, a4);
    EXPECT_EQ(paper.width, test.expected.width);
    EXPECT_EQ(paper.length, test.expected.length);
    EXPECT_EQ(paper.landscape, test.expected.landscape);
    // What is stored reads back as the same sheet.
    DEVMODE stored{};
    paper.store(&stored);
    Paper again = Paper::fromDevMode(&stored, Paper{1000, 1000, false});
    EXPECT_EQ(again.width, paper.width);
    EXPECT_EQ(again.length, paper.length);
    EXPECT_EQ(again.landscape, paper.landscape);
  }
}

TEST(Paper, LocaleChoosesLetterOrA4) {
  EXPECT_EQ(Paper::fromLocaleNamed("C").width, Paper::kLetterWidth);
  EXPECT_EQ(Paper::fromLocaleNamed("POSIX").length, Paper::kLetterLength);
  EXPECT_EQ(Paper::fromLocaleNamed("no_SUCH.locale").width, Paper::kA4Width);
  locale_t german = newlocale(LC_ALL_MASK, "de_DE.UTF-8", static_cast<locale_t>(nullptr));
  if (german != static_cast<locale_t>(nullptr)) {
    freelocale(german);
    EXPECT_EQ(Paper::fromLocaleNamed("de_DE.UTF-8").width, Paper::kA4Width);
  }
}

TEST(SystemPrinters, JobsGoToTheSpoolerAsPdf) {
  TestDriver driver;
  PrintFolder folder;
  FakePrintService service(folder);
  EXPECT_EQ(PrinterNames(), (std::vector<std::string>{"PDF file", "office", "lab laser"}));
  HDC dc = CreateDC(nullptr, "lab laser", "", nullptr);
  ASSERT_NE(dc, nullptr);
  ASSERT_GT(printBars(dc, "", 2), 0);
  DeleteDC(dc);
  const std::string expectedArguments = "-d\nlab laser\n-t\nBars\n--\n/";
  EXPECT_EQ(readFile(folder.file("lp-arguments")).substr(0, expectedArguments.size()), expectedArguments);
  EXPECT_EQ(readFile(folder.file("spooled")).substr(0, 4), "%PDF");
  if (haveTool("pdfinfo")) {
    EXPECT_EQ(pdfInfo(folder.file("spooled"), "Pages"), "2");
  }
  // The spool file is gone once the spooler has its copy.
  std::string spooled = readFile(folder.file("lp-arguments"));
  std::string spoolPath = spooled.substr(spooled.rfind("--\n") + 3);
  spoolPath.pop_back();
  EXPECT_NE(access(spoolPath.c_str(), F_OK), 0) << spoolPath;

  HDC refused = CreateDC(nullptr, "office", "", nullptr);
  EXPECT_EQ(printBars(refused, "", 1), SP_ERROR) << "the spooler's refusal is the job's failure";
  DeleteDC(refused);
}

TEST(SystemPrinters, ListingKeepsOneNameALine) {
  struct Case {
    const char* name;
    std::string listing;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"empty", "", {}},
      {"two printers", "office\nlab_laser\n", {"office", "lab_laser"}},
      {"blank lines and trailing spaces", "\noffice  \r\n\n", {"office"}},
      {"control characters drop the line", std::string("bad\x1b[0m\ngood\n"), {"good"}},
      {"no final newline", "office", {"office"}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(SystemPrinters::parseListing(test.listing), test.expected);
  }
}

}  // namespace native::test
