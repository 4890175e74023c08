#include "toolkit/kzprinter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "foundation/kregistry.h"
#include "foundation/krint.h"
#include "native/native.h"
#include "native/print/printerdevice.h"
#include "native/testdriver.h"
#include "native/tests/printedpages.h"

namespace {

constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();

std::u16string Text(const KString& text) {
  return std::u16string(text.Data(), static_cast<std::size_t>(text.Length()));
}

// The print dialog answers with the test's printer and file (at first "PDF file" writing to the test's
// folder) on A4; the save dialog answers with what the test chose.
class KZPrinterTest : public testing::Test {
 protected:
  KZPrinterTest() {
    native::SetPrintDialogRunner(
        [this](const native::PrintDialogRequest&, native::PrintDialogChoice& choice) {
          choice.printer = chosenPrinter;
          choice.outputFile = chosenFile;
          choice.paper = native::Paper{};
          return true;
        });
    KSetFileDialogHook([this](KFileDialogRequest& request) {
      asked.push_back(Text(request.filter) + u" " + Text(request.file->Name()));
      return saveAnswer;
    });
  }
  ~KZPrinterTest() override {
    native::SetPrintDialogRunner(nullptr);
    KSetFileDialogHook(nullptr);
  }

  native::TestDriver driver{native::DesktopOptions{640, 480, 96}};
  native::test::PrintFolder folder;
  std::string chosenPrinter = native::PrinterDevice::kPdfFilePrinter;
  std::string chosenFile = folder.file("job.pdf");
  std::vector<std::u16string> asked;
  int32_t saveAnswer = 0;
};

TEST(KZPrinterGeometry, PageIsMeasuredInsideTheMarginsOrRefusedWithNothingChanged) {
  native::TestDriver driver;
  struct Case {
    const char* name;
    int32_t millimetres, pixels;
    int32_t left, right;
    bool measured;
    int32_t printableWidth, pageWidth, pixelWidth;
  };
  const Case cases[] = {
      {"254 mm, no margins", 254, 3000, 0, 0, true, 10000, 750, 3000},
      {"half-inch margins", 254, 3000, 500, 500, true, 9000, 675, 2700},
      {"negative margins count as none", 254, 3000, -500, -1, true, 10000, 750, 3000},
      {"margins as wide as the paper", 254, 3000, 5000, 5000, false, 0, 0, 0},
      {"margins leave less than a page unit", 254, 3000, 9987, 0, false, 0, 0, 0},
      {"huge margins", 254, 3000, kMaxInt, kMaxInt, false, 0, 0, 0},
      {"a device of 0 mm", 0, 3000, 0, 0, false, 0, 0, 0},
      {"a device of 0 pixels", 254, 0, 0, 0, false, 0, 0, 0},
      {"a device of negative size", -254, 3000, 0, 0, false, 0, 0, 0},
      {"a device larger than any paper", kMaxInt, kMaxInt, 0, 0, false, 0, 0, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    KZPrinter printer;
    ASSERT_TRUE(printer.MeasurePage(100, 100, 1181, 1181));
    const int32_t before[] = {printer.PrintableWidth(), printer.PageWidth(), printer.PrintablePixelWidth()};
    printer.SetMargin(KZPrinter::kLeft, test.left);
    printer.SetMargin(KZPrinter::kRight, test.right);
    EXPECT_EQ(printer.MeasurePage(test.millimetres, test.millimetres, test.pixels, test.pixels),
              test.measured);
    const int32_t after[] = {printer.PrintableWidth(), printer.PageWidth(), printer.PrintablePixelWidth()};
    const std::vector<int32_t> expected =
        test.measured ? std::vector<int32_t>{test.printableWidth, test.pageWidth, test.pixelWidth}
                      : std::vector<int32_t>(std::begin(before), std::end(before));
    EXPECT_EQ(std::vector<int32_t>(std::begin(after), std::end(after)), expected);
    EXPECT_EQ(printer.PageHeight(), test.measured ? 750 : before[1]) << "top and bottom margins are 0";
  }
}

TEST(KZPrinterGeometry, LineHeightAndUnitConversionsFollowTheDeviceResolution) {
  native::TestDriver driver;
  KZPrinter printer;
  ASSERT_TRUE(printer.MeasurePage(254, 254, 3000, 6000));  // 300 across, 600 down
  const std::pair<int32_t, int32_t> cases[] = {{300, 53}, {400, 71},   {0, 53},
                                               {301, 54}, {1200, 108}, {-1, 85}};
  for (const auto& [resolution, height] : cases) {
    SCOPED_TRACE(resolution);
    EXPECT_EQ(printer.LineHeight(resolution), height);
  }
  const native::POINT device = printer.ToDevice(native::POINT{750, 75});
  EXPECT_EQ(std::make_pair(device.x, device.y), std::make_pair(3000, 600));
  const native::RECT page = printer.ToPage(native::RECT{2999, 601, 3000, 6000});
  EXPECT_EQ(std::vector<int32_t>({page.left, page.top, page.right, page.bottom}),
            std::vector<int32_t>({749, 75, 750, 750}))
      << "truncating";
}

TEST(KZPrinterMargins, DialogValuesConvertInTheirUnitWithoutOverflow) {
  struct Case {
    double value;
    int32_t unit;
    int32_t thousandths;
  };
  const Case cases[] = {
      {0.5, KZPrinter::kCentimetres, 196},   {0.5, KZPrinter::kInches, 500},
      {2.54, KZPrinter::kCentimetres, 1000}, {1e300, KZPrinter::kInches, kMaxInt},
      {-2, KZPrinter::kInches, 0},           {std::nan(""), KZPrinter::kCentimetres, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.value);
    EXPECT_EQ(KZPrinter::MarginFromValue(test.value, test.unit), test.thousandths);
  }
  EXPECT_EQ(Text(KZPrinter::MarginText(196, KZPrinter::kCentimetres)), u"0.50");
  EXPECT_EQ(Text(KZPrinter::MarginText(500, KZPrinter::kInches)), u"0.50");
  EXPECT_EQ(Text(KZPrinter::MarginText(1000, KZPrinter::kCentimetres)), u"2.54");
}

TEST(KZPrinterMargins, SettingsGroupNeedsAllFiveValues) {
  native::TestDriver driver;
  KRegistry::RegisterTypes();
  KRegistry settings;
  const char16_t* lines[] = {u"M\\:=",           u"M\\Left:Int=250",   u"M\\Right:Int=-4",
                             u"M\\Top:Int=1000", u"M\\Bottom:Int=0",   u"M\\Unit:Int=1",
                             u"Short\\:=",       u"Short\\Left:Int=9", nullptr};
  KRegistry::AddLines(&settings, lines);
  KZPrinter printer;
  EXPECT_FALSE(printer.LoadMargins(KRegistry::GetGroup(&settings, u"Short")));
  EXPECT_EQ(printer.Margin(KZPrinter::kLeft), 0) << "nothing loaded from an incomplete group";
  ASSERT_TRUE(printer.LoadMargins(KRegistry::GetGroup(&settings, u"M")));
  EXPECT_EQ(printer.Margin(KZPrinter::kLeft), 250);
  EXPECT_EQ(printer.Margin(KZPrinter::kRight), 0) << "a negative margin from the file";
  EXPECT_EQ(printer.Margin(KZPrinter::kTop), 1000);
  EXPECT_EQ(printer.Unit(), KZPrinter::kCentimetres);

  printer.SetMargin(KZPrinter::kBottom, 196);
  printer.SetUnit(KZPrinter::kInches);
  ASSERT_TRUE(printer.SaveMargins(KRegistry::GetGroup(&settings, u"M")));
  EXPECT_EQ(KRegistry::GetInt(&settings, u"M\\Bottom")->Value(), 196);
  EXPECT_EQ(KRegistry::GetInt(&settings, u"M\\Right")->Value(), 0);
  EXPECT_EQ(KRegistry::GetInt(&settings, u"M\\Unit")->Value(), KZPrinter::kInches);
  EXPECT_FALSE(printer.SaveMargins(KRegistry::GetGroup(&settings, u"Short")));
}

TEST(KZPrinterText, AlignmentCodesChooseTheTextFormat) {
  struct Case {
    int32_t horizontal, vertical;
    native::UINT format;
  };
  const Case cases[] = {
      {0, 0, native::DT_LEFT | native::DT_TOP},
      {1, 0, native::DT_RIGHT},
      {2, 0, native::DT_CENTER},
      {0, 1, native::DT_BOTTOM},
      {0, 2, native::DT_VCENTER},
      {0, 7, native::DT_VCENTER},
      {5, 1, native::DT_LEFT | native::DT_BOTTOM},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.horizontal) + "/" + std::to_string(test.vertical));
    EXPECT_EQ(KZPrinter::AlignmentFormat(test.horizontal, test.vertical), test.format);
  }
}

// Widths in page units of the rows' font, where "." is 3 wide, ".." 6, "..." 10 and "1..." 16.
TEST_F(KZPrinterTest, ShortenedTextShowsAsMuchOfItsCutMarkAsFits) {
  struct Case {
    const char16_t* text;
    int32_t width;
    const char16_t* shortened;
  };
  const Case cases[] = {
      {u"1234", 23, u"12..."},
      {u"Athletic Club of the Northern Lakes Region", 115, u"Athletic Club of the..."},
      {u"1234", 15, u"..."},
      {u"1234", 9, u".."},
      {u"1234", 3, u"."},
      {u"1234", 2, u""},
  };
  KZPrinter printer;
  ASSERT_TRUE(printer.PrintDialog());
  ASSERT_TRUE(printer.CreateFonts());
  printer.SetFlag(1);
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.width));
    EXPECT_EQ(Text(printer.ShortenText(KString(test.text), test.width)), test.shortened);
  }
}

TEST_F(KZPrinterTest, WithoutAJobNothingIsDoneAndCancellingTheFileNameStartsNothing) {
  KZPrinter printer;
  const native::RECT rect{0, 0, 100, 20};
  EXPECT_FALSE(printer.CreateFonts()) << "no print dialog: no context";
  EXPECT_FALSE(printer.StartDoc(u"Results"));
  EXPECT_FALSE(printer.StartPage());
  EXPECT_FALSE(printer.DrawText(rect, u"Lane 1", 0, 0));
  EXPECT_FALSE(printer.DrawLines(rect));
  EXPECT_FALSE(printer.EndPage());
  EXPECT_FALSE(printer.EndDoc());
  EXPECT_FALSE(printer.AbortDoc());
  EXPECT_FALSE(printer.IsLandscape()) << "the default printer prints upright";
  printer.SetLandscape(1);
  EXPECT_TRUE(printer.IsLandscape());
  printer.SetLandscape(2);
  EXPECT_FALSE(printer.IsLandscape()) << "only 1 turns the page";

  printer.SetMargin(KZPrinter::kTop, 6000);
  printer.SetMargin(KZPrinter::kBottom, 6000);
  ASSERT_TRUE(printer.PrintDialog());
  EXPECT_FALSE(printer.CreateFonts()) << "margins taller than the sheet";
  EXPECT_FALSE(printer.StartDoc(u"Results")) << "the failed set-up released the context";

  printer.SetMargin(KZPrinter::kTop, 0);
  printer.SetMargin(KZPrinter::kBottom, 0);
  {
    native::test::FakePrintService service(folder);
    chosenPrinter = "lab laser";
    chosenFile = folder.file("job.ps");
    ASSERT_TRUE(printer.PrintDialog());
    ASSERT_TRUE(printer.CreateFonts());
    saveAnswer = -1;
    EXPECT_FALSE(printer.StartDoc(u"Results"));
  }
  EXPECT_EQ(asked, std::vector<std::u16string>{u"ps " + Text(KString::FromUtf8(folder.file("job.ps")))})
      << "a system printer's job sent to a file asks for the name, starting from the print dialog's file";
  printer.ReleaseObjects();
  EXPECT_TRUE(folder.names().empty());
}

// Two pages with one-inch margins: text cut to the page, rules reaching past it, rows past the page's end
// and bitmaps; pdfinfo reads two pages, and no ink lies outside the printable area inside the margins.
TEST_F(KZPrinterTest, TwoPagesGoToPdfAndNothingLeavesThePrintableArea) {
  if (!native::test::haveTool("pdfinfo") || !native::test::haveTool("pdftoppm")) {
    GTEST_SKIP() << "poppler-utils is not installed";
  }
  KZPrinter printer;
  for (KZPrinter::Side side : {KZPrinter::kLeft, KZPrinter::kTop, KZPrinter::kRight, KZPrinter::kBottom}) {
    printer.SetMargin(side, 1000);
  }
  ASSERT_TRUE(printer.PrintDialog());
  ASSERT_TRUE(printer.CreateFonts());
  EXPECT_EQ(printer.ResolutionX(), 300);
  EXPECT_NEAR(printer.FontHeight(KZPrinter::kBoldSlot), 13, 2) << "heights in page units";
  EXPECT_EQ(printer.RowHeight(), printer.FontHeight(KZPrinter::kBoldSlot) + 7);
  EXPECT_EQ(printer.FontHeight(2), 0);
  EXPECT_EQ(printer.FontHeight(10), 0);

  const std::u16string wide(400, u'W');
  const int32_t cut = printer.FitText(wide.c_str(), -1, 100);
  ASSERT_GT(cut, 0);
  EXPECT_LE(printer.TextExtent(wide.c_str(), cut).cx, 100);
  EXPECT_GT(printer.TextExtent(wide.c_str(), cut + 1).cx, 100) << "cut at the last character that fits";

  ASSERT_TRUE(printer.StartDoc(u"Results"));
  EXPECT_TRUE(asked.empty()) << "a \"PDF file\" job goes to its file without asking";
  const int32_t width = printer.PageWidth();
  const int32_t lastRow = printer.PageHeight() / printer.RowHeight() - 1;
  ASSERT_TRUE(printer.StartPage());
  printer.SetFlag(KZPrinter::kBoldSlot);
  EXPECT_TRUE(printer.DrawText({0, 0, width, 1}, u"Start list", KZPrinter::kAlignCentre, 0));
  EXPECT_TRUE(printer.DrawLines({-5000, 0, 5000000, 1})) << "a rule wider than the page is cut to it";
  printer.SetFlag(1);
  EXPECT_TRUE(printer.DrawText({-300, 1, width + 300, 2}, wide.c_str(), KZPrinter::kAlignRight, 0));
  EXPECT_TRUE(printer.DrawText({0, lastRow, width, lastRow + 1}, u"Last row", 0, 1));
  EXPECT_FALSE(printer.DrawText({0, lastRow + 1, width, lastRow + 2}, u"Overflow", 0, 0));
  EXPECT_FALSE(printer.DrawText({0, kMaxInt - 1, width, kMaxInt}, u"Far row", 0, 0));
  EXPECT_FALSE(printer.DrawLines({0, kMaxInt - 1, width, kMaxInt}));
  ASSERT_TRUE(printer.EndPage());

  ASSERT_TRUE(printer.StartPage());
  const std::vector<uint8_t> black15(16 * 16 * 2, 0);
  const std::vector<uint8_t> grey8(16 * 16, 0);
  EXPECT_TRUE(printer.DrawBitmap({-100, -100, width + 100, 150}, {0, 0, 16, 16}, black15.data(), 15));
  EXPECT_FALSE(printer.DrawBitmap({0, 200, 50, 250}, {0, 0, 16, 16}, grey8.data(), 8));
  ASSERT_TRUE(printer.EndPage());
  ASSERT_TRUE(printer.EndDoc());
  printer.ReleaseObjects();

  const std::string pdf = folder.file("job.pdf");
  EXPECT_EQ(native::test::pdfInfo(pdf, "Pages"), "2");
  ASSERT_EQ(std::system(("pdftoppm -r 60 -gray '" + pdf + "' '" + folder.file("page") + "'").c_str()), 0);
  // At 60 per inch the printable area starts 1.25 inches (a quarter inch unprintable and the margin) in.
  const int32_t inside = 75;
  for (const char* name : {"page-1.pgm", "page-2.pgm"}) {
    SCOPED_TRACE(name);
    const native::test::GreyPicture picture = native::test::GreyPicture::read(folder.file(name));
    ASSERT_GT(picture.width, 2 * inside);
    int outside = 0;
    int within = 0;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        const bool onPage =
            x >= inside - 1 && x <= picture.width - inside && y >= inside - 1 && y <= picture.height - inside;
        (onPage ? within : outside) += picture.dark(x, y) ? 1 : 0;
      }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(within, 100);
  }
}

}  // namespace
