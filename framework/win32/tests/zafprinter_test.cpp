#include "framework/win32/zafprinter.h"

#include <gtest/gtest.h>

#include "framework/core/zafwindowobject.h"
#include "framework/win32/zafmswindowsapp.h"
#include "native/native.h"
#include "native/print/printerblocks.h"
#include "native/print/printerdevice.h"
#include "native/testdriver.h"
#include "native/tests/printedpages.h"
#include "testing/zaftestapplication.h"

namespace {

using native::test::GreyPicture;

// Rendered at 60 per inch, one picture pixel is five printer pixels of the sheet.
constexpr int kRenderScale = 5;

// Dark picture pixels in the sheet's rows [top, bottom) and columns [left, right), in printer pixels.
int InkIn(const GreyPicture& picture, int left, int top, int right, int bottom) {
  int ink = 0;
  for (int y = top / kRenderScale; y < bottom / kRenderScale; ++y) {
    for (int x = left / kRenderScale; x < right / kRenderScale; ++x) {
      ink += picture.dark(x, y) ? 1 : 0;
    }
  }
  return ink;
}

// A framework object in printer pixels with a black face, printed where its region says.
class BlackObject : public ZafWindowObject {
 public:
  explicit BlackObject(const ZafRegionStruct& area) : ZafWindowObject(0, 0, 1, 1) {
    SetRegion(area);
    ownNativeWindow = false;
  }
  ZafPaletteStruct LogicalPalette(uint16_t, uint16_t) override {
    ZafPaletteStruct palette;
    palette.colorForeground = ZAF_OS_COLOR_INDEX;
    palette.colorBackground = ZAF_OS_COLOR_INDEX;
    palette.osForeground = native::RGB(0, 0, 0);
    palette.osBackground = native::RGB(0, 0, 0);
    return palette;
  }
};

class ZafPrinterTest : public testing::Test {
 protected:
  ZafPrinterTest() {
    native::SetPrintDialogRunner([this](const native::PrintDialogRequest& offer, native::PrintDialogChoice& choice) {
      offered = offer;
      choice.printer = native::PrinterDevice::kPdfFilePrinter;
      choice.outputFile = outputFile.empty() ? folder.file("job.pdf") : outputFile;
      choice.paper = native::Paper{};
      choice.paper.landscape = offer.setup;
      choice.copies = 2;
      return true;
    });
  }
  ~ZafPrinterTest() override { native::SetPrintDialogRunner(nullptr); }

  std::string Render() {
    const std::string command =
        "pdftoppm -r 60 -gray '" + folder.file("job.pdf") + "' '" + folder.file("page") + "'";
    return std::system(command.c_str()) == 0 ? folder.file("page") : "";
  }

  native::TestDriver driver{native::DesktopOptions{640, 480, 96}};
  ZafTestApplication application;
  native::test::PrintFolder folder;
  native::PrintDialogRequest offered;
  // Where the dialog sends the job; empty for job.pdf in the folder.
  std::string outputFile;
};

}  // namespace

TEST_F(ZafPrinterTest, TwoPagesPrintTheirLinesWhereThePageModelPutsThemAndLandscapeTurnsTheSheetOnce) {
  if (!native::test::haveTool("pdfinfo") || !native::test::haveTool("pdftoppm")) {
    GTEST_SKIP() << "poppler-utils is not installed";
  }
  ZafPrinter printer;
  ASSERT_NE(printer.PrinterContext(), nullptr);
  EXPECT_EQ(printer.Landscape(), 0) << "the default printer prints upright";

  ZafPrintJobRecord record{0, 1, 1, 1, 1, 2};
  ASSERT_EQ(printer.PrintDialog(record), 1);
  EXPECT_EQ(offered.maxPage, 2);
  EXPECT_EQ(record.copies, 2u);
  EXPECT_EQ(record.firstPage, 1u) << "no range chosen: the whole document";
  EXPECT_EQ(record.lastPage, 2u);
  EXPECT_EQ(printer.PageWidth(), 2480) << "A4 at 300 per inch";
  EXPECT_EQ(printer.PageHeight(), 3507);

  // An outermost drawing outside a document leaves the printer its context.
  printer.BeginDraw(nullptr, nullptr, {0, 0, 10, 10, ZAF_PIXEL}, {0, 0, 10, 10, ZAF_PIXEL});
  printer.EndDraw();
  ASSERT_NE(printer.PrinterContext(), nullptr);

  printer.SetFont(1);
  printer.BeginDocument(u"Start list");
  printer.BeginDocument(nullptr);  // nested: the same document
  printer.BeginPage();
  const int32_t belowFirst = printer.TextLine(0, 0, 1500, u"Lane one", -1, 0, false);
  printer.TextLine(0, 900, 1500, u"Lane two", -1, 0, false);
  printer.EndPage();
  printer.EndDocument();
  printer.BeginPage();
  printer.TextLine(0, 300, 1500, u"Lane three", -1, 0, false);
  BlackObject object({100, 1500, 699, 1799, ZAF_PIXEL});
  ZafWindowObject::display = &printer;
  ZafEventRecord redisplay;
  redisplay.type = RedisplayEvent;
  object.Draw(redisplay, RedisplayEvent);
  ZafWindowObject::display = nullptr;
  printer.EndPage();
  printer.EndDocument();

  EXPECT_EQ(native::test::pdfInfo(folder.file("job.pdf"), "Pages"), "2");
  EXPECT_EQ(native::test::pdfInfo(folder.file("job.pdf"), "Page size"), "595.2 x 841.92 pts (A4)");
  ASSERT_GT(belowFirst, 20);
  ASSERT_LT(belowFirst, 120);
  const std::string pages = Render();
  ASSERT_FALSE(pages.empty());
  // The page model's origin lies at the half-inch margins: 150 printer pixels in from the sheet's corner.
  const int margin = 150;
  struct Line {
    const char* file;
    int top;
  };
  const Line lines[] = {{"-1.pgm", 0}, {"-1.pgm", 900}, {"-2.pgm", 300}};
  for (const Line& line : lines) {
    SCOPED_TRACE(std::string(line.file) + " line at " + std::to_string(line.top));
    const GreyPicture picture = GreyPicture::read(pages + line.file);
    ASSERT_GT(picture.width, 0);
    const int top = margin + line.top;
    EXPECT_GT(InkIn(picture, margin, top, margin + 600, top + belowFirst), 10);
    EXPECT_EQ(InkIn(picture, 0, top - 60, 2480, top - 5), 0) << "nothing just above the line";
    EXPECT_EQ(InkIn(picture, 0, top, margin - 10, top + belowFirst), 0) << "nothing left of the margin";
  }
  EXPECT_EQ(InkIn(GreyPicture::read(pages + "-1.pgm"), 0, margin + belowFirst + 10, 2480, margin + 890), 0);
  const GreyPicture second = GreyPicture::read(pages + "-2.pgm");
  EXPECT_EQ(InkIn(second, margin + 110, margin + 1510, margin + 690, margin + 1790), 116 * 56)
      << "the object's face is black all over";
  EXPECT_EQ(InkIn(second, margin + 710, margin + 1500, 2480, margin + 1800), 0) << "nothing right of it";
  EXPECT_EQ(InkIn(second, 0, margin + 1810, 2480, 3400), 0) << "nothing below it";

  EXPECT_EQ(printer.SetLandscape(1), 1);
  EXPECT_EQ(printer.PageWidth(), 3507) << "turned once";
  EXPECT_EQ(printer.PageHeight(), 2480);
  EXPECT_EQ(printer.PrintableWidth(), 3507 - 300);
  printer.BeginDocument(u"Landscape");
  printer.BeginPage();
  printer.TextLine(0, 0, 1500, u"Wide", -1, 0, false);
  printer.EndPage();
  printer.EndDocument();
  EXPECT_EQ(native::test::pdfInfo(folder.file("job.pdf"), "Pages"), "1");
  EXPECT_EQ(native::test::pdfInfo(folder.file("job.pdf"), "Page size"), "841.92 x 595.2 pts (A4)");
}

TEST_F(ZafPrinterTest, ThePrintSetupDialogTurnsThePageAndKeepsTheNewPrinter) {
  ZafPrinter printer;
  const native::HDC before = printer.PrinterContext();
  ASSERT_EQ(printer.PrintSetupDialog(), 1);
  EXPECT_TRUE(offered.setup);
  EXPECT_EQ(offered.owner, nullptr) << "no window to own it";
  EXPECT_NE(printer.PrinterContext(), before);
  EXPECT_EQ(printer.Landscape(), 1);
  EXPECT_EQ(printer.PageWidth(), 3507);
  EXPECT_EQ(printer.PageHeight(), 2480);
}

TEST_F(ZafPrinterTest, OnlyAReportedLandscapeTurnsThePage) {
  struct Case {
    const char* name;
    native::DWORD fields;
    short orientation;
    bool landscape;
  };
  const Case cases[] = {
      {"no orientation reported", 0, native::DMORIENT_LANDSCAPE, false},
      {"portrait", native::DM_ORIENTATION, native::DMORIENT_PORTRAIT, false},
      {"landscape", native::DM_ORIENTATION, native::DMORIENT_LANDSCAPE, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    native::DEVMODE mode{};
    mode.dmSize = sizeof(mode);
    mode.dmFields = c.fields;
    mode.dmOrientation = c.orientation;
    const native::HGLOBAL block = native::PrinterBlocks::writeDevMode(mode);
    EXPECT_EQ(ZafPrinter::IsLandscape(block), c.landscape);
    native::GlobalFree(block);
  }
  EXPECT_FALSE(ZafPrinter::IsLandscape(nullptr));
}

TEST_F(ZafPrinterTest, ClipsLieInsideThePrintableAreaAndInnerDrawingsGiveTheirsBack) {
  ZafPrinter printer;
  ASSERT_NE(printer.PrinterContext(), nullptr);
  // The default printer has no file to print to until the dialog names one.
  ZafPrintJobRecord record;
  ASSERT_EQ(printer.PrintDialog(record), 1);
  ASSERT_EQ(printer.BeginDocument(nullptr), 0);
  printer.BeginPage();
  // The clip box comes back in page coordinates: the clip moved in by the margins as far as the drawing origin.
  const int32_t right = printer.PrintableWidth() - 1;
  const int32_t bottom = printer.PrintableHeight() - 1;
  struct Case {
    const char* name;
    ZafRegionStruct clip;
    ZafRegionStruct box;
  };
  const Case cases[] = {
      {"inside", {10, 20, 110, 220, ZAF_PIXEL}, {10, 20, 111, 221, ZAF_PIXEL}},
      {"wider than the printable area", {-500, -500, 99999, 99999, ZAF_PIXEL},
       {0, 0, right + 1, bottom + 1, ZAF_PIXEL}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    printer.BeginDraw(nullptr, nullptr, c.clip, c.clip);
    EXPECT_EQ(printer.ClipRegion(), c.box);
    EXPECT_EQ(printer.clipRegion, c.clip) << "kept as given";
    printer.EndDraw();
    EXPECT_EQ(printer.ClipRegion(),
              (ZafRegionStruct{0, 0, right + 1, bottom + 1, ZAF_PIXEL}))
        << "the page clip is back";
  }
  printer.EndPage();
  printer.EndDocument();
  EXPECT_NE(printer.PrinterContext(), nullptr);
}

TEST_F(ZafPrinterTest, ADocumentThatCannotStartAnswersFailureAndLeavesNoneOpen) {
  ZafPrinter printer;
  const native::HDC context = printer.SaveState(nullptr);
  EXPECT_NE(printer.BeginDocument(u"No printer"), 0);
  printer.EndDocument();
  printer.SaveState(context);

  // A job whose file cannot be made is refused by the printer.
  outputFile = folder.file("missing/job.pdf");
  ZafPrintJobRecord record;
  ASSERT_EQ(printer.PrintDialog(record), 1);
  EXPECT_NE(printer.BeginDocument(u"Refused"), 0);
  printer.EndDocument();

  // Nothing stayed open: the next document is a document of its own, with its one page.
  outputFile = folder.file("job.pdf");
  ASSERT_EQ(printer.PrintDialog(record), 1);
  ASSERT_EQ(printer.BeginDocument(u"Accepted"), 0);
  printer.BeginPage();
  printer.TextLine(0, 0, 1500, u"Lane one", -1, 0, false);
  printer.EndPage();
  printer.EndDocument();
  EXPECT_EQ(native::test::pdfInfo(folder.file("job.pdf"), "Pages"), "1");
}
