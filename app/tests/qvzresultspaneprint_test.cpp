#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/tests/resultslinktest.h"
#include "imaging/ui/yzprinter.h"
#include "native/native.h"
#include "native/print/printerdevice.h"
#include "native/tests/printedpages.h"
#include "toolkit/kzstatusbar.h"
#include "toolkit/kzstatusstring.h"

namespace {

// Printing goes to a PDF file of the test's folder through the scripted print dialog.
class ResultsPrintTest : public ResultsLinkTest {
 protected:
  ResultsPrintTest() {
    native::SetPrintDialogRunner(
        [this](const native::PrintDialogRequest&, native::PrintDialogChoice& choice) {
          choice.printer = native::PrinterDevice::kPdfFilePrinter;
          choice.outputFile = pdf;
          choice.paper = native::Paper{};
          return printDialogAnswer;
        });
  }
  ~ResultsPrintTest() override { native::SetPrintDialogRunner(nullptr); }

  void SetUp() override {
    if (!native::test::haveTool("pdfinfo") || !native::test::haveTool("pdftoppm")) {
      GTEST_SKIP() << "poppler-utils is not installed";
    }
  }

  // The event "Heat 1.evt" of competition "Spring Games", event 100, round 1, heat 2.
  void NameTheEvent() {
    ASSERT_NE(KRegistry::AddLine(program->Settings(), KString(u"\\Competition\\Name:String=Spring Games")),
              nullptr);
    QvZResultsPane::UnregisterPrintDefaults();
    QvZResultsPane::RegisterPrintDefaults();
    event->SetEventRoundHeat(KString(u"100"), KString(u"1"), KString(u"2"));
  }
  int32_t LinesPerPage() const {
    const YZPrinter& printer = *QvZResultsPane::Printer();
    return printer.PageHeight() / printer.RowHeight();
  }
  std::string Pages() const { return native::test::pdfInfo(pdf, "Pages"); }
  // A page of the job at 60 dots an inch.
  native::test::GreyPicture Page(int32_t page) const {
    const std::string number = std::to_string(page);
    std::system(("pdftoppm -r 60 -gray -f " + number + " -l " + number + " '" + pdf + "' '" +
                 folder.file("page") + "'")
                    .c_str());
    return native::test::GreyPicture::read(folder.file("page-" + number + ".pgm"));
  }
  // Dark pixels in a rectangle of the page.
  static int32_t Ink(const native::test::GreyPicture& page, int32_t left, int32_t right, int32_t top,
                     int32_t bottom) {
    int32_t dark = 0;
    for (int32_t y = top; y < bottom; ++y) {
      for (int32_t x = left; x < right; ++x) {
        dark += page.dark(x, y) ? 1 : 0;
      }
    }
    return dark;
  }

  // The pixels of the titles' rule, the row dark across most of the page in its top fifth: dark or not.
  static std::vector<bool> TitlesRule(const native::test::GreyPicture& page) {
    for (int32_t y = 0; y < page.height / 5; ++y) {
      if (Ink(page, 0, page.width, y, y + 1) > page.width * 3 / 4) {
        std::vector<bool> dark;
        for (int32_t x = 0; x < page.width; ++x) {
          dark.push_back(page.dark(x, y));
        }
        return dark;
      }
    }
    return {};
  }

  native::test::PrintFolder folder;
  std::string pdf = folder.file("results.pdf");
  bool printDialogAnswer = true;
  bool printed = false;
};

TEST_F(ResultsPrintTest, OnePageWithoutResultsOrWithAPageFullAndTwoWithOneMore) {
  int32_t rowsPerPage = 0;
  OpenWindow();
  Then([&] {
    NameTheEvent();
    printed = Pane().Print();
    rowsPerPage = LinesPerPage() - 6;
  });
  AfterOperation([&] {
    EXPECT_TRUE(printed);
    EXPECT_EQ(Pages(), "1");
    const native::test::GreyPicture page = Page(1);
    ASSERT_GT(page.width, 300);
    const int32_t third = page.width / 3;
    // The header's three parts: the print time, the page number, the event.
    for (int32_t part = 0; part < 3; ++part) {
      EXPECT_GT(Ink(page, part * third, (part + 1) * third, 0, page.height / 20), 0)
          << "header part " << part;
    }
    // The titles' rules make one dark row across most of the page.
    EXPECT_FALSE(TitlesRule(page).empty());
    // The footer: the lowest line holds ink at its left only.
    int32_t lowest = page.height - 1;
    while (lowest > 0 && Ink(page, 0, page.width, lowest, lowest + 1) == 0) {
      --lowest;
    }
    EXPECT_GT(lowest, page.height * 9 / 10);
    EXPECT_GT(Ink(page, 0, third, lowest - 10, lowest + 1), 0);
    EXPECT_EQ(Ink(page, third, page.width, lowest - 10, lowest + 1), 0);
    MakeLanes(rowsPerPage);
    printed = Pane().Print();
  });
  AfterOperation([&] {
    EXPECT_TRUE(printed);
    EXPECT_EQ(Pages(), "1");
    MakeLanes(1);
    Lane(1).SetAthleteField2(KString(u"Athletic Club of the Northern Lakes Region"));
    printed = Pane().Print();
  });
  AfterOperation([&] {
    EXPECT_TRUE(printed);
    EXPECT_EQ(Pages(), "2");
    // The first page's long affiliation widens its column on the second page too.
    EXPECT_EQ(TitlesRule(Page(2)), TitlesRule(Page(1)));
  });
  RunToEnd();
}

TEST_F(ResultsPrintTest, ACancelledDialogATooSmallPageAndTheBreakKeyPrintNothing) {
  struct Case {
    const char* name;
    bool dialogAnswer;
    bool smallPage;
    bool breakKey;
  } cases[] = {
      {"cancelled", false, false, false},
      {"six lines a page", true, true, false},
      {"the break key", true, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(pdf);
    std::filesystem::remove(FilePath("kestrove.log"));
    std::filesystem::remove(FilePath("kestrove.cfg"));
    printDialogAnswer = c.dialogAnswer;
    OpenWindow();
    Then([&] {
      // The printer takes its margins at the class set-up, and writes them back at the clean-up.
      QvZResultsPane::UnregisterPrintDefaults();
      if (c.smallPage) {
        for (const char16_t* line : {u"\\Event\\Results\\Print\\Margins\\Top:Int=4750",
                                     u"\\Event\\Results\\Print\\Margins\\Bottom:Int=4750"}) {
          ASSERT_NE(KRegistry::AddLine(program->Settings(), KString(line)), nullptr);
        }
      }
      QvZResultsPane::RegisterPrintDefaults();
      MakeLanes(3);
      if (c.breakKey) {
        native::PostMessage(KZApplication::mainFrame->ScreenID(), native::WM_KEYDOWN, native::VK_ESCAPE, 0);
      }
      EXPECT_FALSE(Pane().Print());
      if (c.smallPage) {
        EXPECT_LE(LinesPerPage(), 6);
      }
      if (c.breakKey) {
        const ZafIChar* status = program->StatusBar()->statusText->Text();
        EXPECT_EQ(KString(status != nullptr ? status : u"").ToUtf8(), "Operation aborted by user.");
      }
    });
    RunToEnd();
    EXPECT_EQ(Pages(), "");
    EXPECT_EQ(ReadFile("kestrove.log").find("QvZResultsPane::Print: page too small") != std::string::npos,
              c.smallPage);
  }
}

}  // namespace
