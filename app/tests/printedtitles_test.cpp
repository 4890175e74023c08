// Results > Print and Chart > Print in the running program: the results' column titles and texts, the
// chart's time-axis title (of every lane's chart and of one lane's) and the lane and athlete that one lane's
// chart shows come out whole on the printed page, read from the page's picture; the lane line reads as its
// text printed alone, and keeps its lane whole when the athlete's name is cut with "..." to the line. A lane
// with long free texts has them cut with "..." and takes no column off the page; its id is printed whole.
// False starts and a lane not in use are told in words: the lane not in use keeps its number, and a false
// start the official set is named once.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/framecommands.h"
#include "app/qvzchartpane.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzresultspane.h"
#include "app/tests/programtest.h"
#include "framework/win32/zafprinter.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/yleg.h"
#include "native/print/printdlg.h"
#include "native/print/printerdevice.h"
#include "native/tests/printedpages.h"

namespace {

using native::test::GreyPicture;

// A rectangle of the page's picture, right and bottom exclusive.
struct Box {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

bool RowHasInk(const GreyPicture& page, int y, int left, int right) {
  for (int x = left; x < right; ++x) {
    if (page.dark(x, y)) {
      return true;
    }
  }
  return false;
}

// The smallest box holding the dark pixels of the rows from `top` to `bottom` between `left` and `right`.
Box InkBox(const GreyPicture& page, Box area) {
  Box ink{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (page.dark(x, y)) {
        ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
               std::max(ink.bottom, y + 1)};
      }
    }
  }
  return ink;
}

// How many pixels of the row are dark.
int DarkInRow(const GreyPicture& page, int y) {
  int dark = 0;
  for (int x = 0; x < page.width; ++x) {
    dark += page.dark(x, y) ? 1 : 0;
  }
  return dark;
}

// The ink of the line of text nearest above row `y` between `left` and `right`.
Box LineAbove(const GreyPicture& page, int y, int left, int right) {
  while (y > 0 && !RowHasInk(page, y - 1, left, right)) {
    --y;
  }
  const int bottom = y;
  while (y > 0 && RowHasInk(page, y - 1, left, right)) {
    --y;
  }
  return InkBox(page, {left, y, right, bottom});
}

// The piece under column `column` of the first rule from row `from` on (a row dark over most of the page's
// width; each column has a piece of its own).
Box RulePiece(const GreyPicture& page, int column, int from = 0) {
  int rule = from;
  while (rule < page.height && DarkInRow(page, rule) < page.width * 3 / 4) {
    ++rule;
  }
  int left = 0;
  int right = 0;
  for (int piece = 0; piece <= column; ++piece) {
    left = right;
    while (left < page.width && !page.dark(left, rule)) {
      ++left;
    }
    right = left;
    while (right < page.width && page.dark(right, rule)) {
      ++right;
    }
  }
  return {left, rule, right, rule + 1};
}

// The text of a column on line `row` of the table (0 the titles, 1 the first lane), above the column's
// piece of the line's rule (the titles' heavy rule, then each next rule below it).
Box Cell(const GreyPicture& page, int column, int row) {
  Box piece = RulePiece(page, column);
  for (int line = 0; line < row; ++line) {
    int below = piece.top;
    while (DarkInRow(page, below) > 0) {
      ++below;
    }
    piece = RulePiece(page, column, below);
  }
  return LineAbove(page, piece.top, piece.left, piece.right);
}

// The last 12 pixels of the second lane's affiliation, the lane of long free texts.
Box AffiliationEnd(const GreyPicture& page) {
  const Box text = Cell(page, 5, 2);
  return InkBox(page, {text.right - 12, text.top, text.right, text.bottom});
}

// The line of text nearest above the maker line (the page's lowest ink) in the middle third of the page.
Box TextAboveMakerLine(const GreyPicture& page) {
  int y = page.height;
  while (y > 0 && !RowHasInk(page, y - 1, 0, page.width)) {
    --y;
  }
  while (y > 0 && RowHasInk(page, y - 1, 0, page.width)) {
    --y;
  }
  return LineAbove(page, y, page.width / 3, page.width * 2 / 3);
}

// Line `n` of text counted from 0 at the page's top.
Box TextLineFromTop(const GreyPicture& page, int n) {
  int y = 0;
  for (int line = 0;; ++line) {
    while (y < page.height && !RowHasInk(page, y, 0, page.width)) {
      ++y;
    }
    const int top = y;
    while (y < page.height && RowHasInk(page, y, 0, page.width)) {
      ++y;
    }
    if (line == n || y == page.height) {
      return InkBox(page, {0, top, page.width, y});
    }
  }
}

// The grey of a pixel inside the picture, 0 black to 255 white.
int Grey(const GreyPicture& page, int x, int y) {
  return static_cast<unsigned char>(page.pixels[static_cast<std::size_t>(y) * page.width + x]);
}

// Whether the two boxes hold the same picture: the same size, and each pixel within a few grey levels of
// the other's (the smoothing of a line's edges changes by a level with the line's height on the sheet).
bool SamePicture(const GreyPicture& page, Box box, const GreyPicture& other, Box otherBox) {
  constexpr int kGreyLevels = 4;
  if (box.right - box.left != otherBox.right - otherBox.left ||
      box.bottom - box.top != otherBox.bottom - otherBox.top) {
    return false;
  }
  for (int y = 0; y < box.bottom - box.top; ++y) {
    for (int x = 0; x < box.right - box.left; ++x) {
      if (std::abs(Grey(page, box.left + x, box.top + y) - Grey(other, otherBox.left + x, otherBox.top + y)) >
          kGreyLevels) {
        return false;
      }
    }
  }
  return true;
}

// The text `times` over.
std::u16string Repeated(const std::u16string& text, int times) {
  std::u16string repeated;
  for (int time = 0; time < times; ++time) {
    repeated += text;
  }
  return repeated;
}

// Lane 2's last name, long enough to overrun the chart page's header line.
void AVeryLongLastName(QvResults& results) {
  results.GetNth(1, nullptr)->SetAthleteField0(KString(Repeated(u"Vandenberghe-Oyelaran-", 12).c_str()));
}

// Lanes 3 and 5 false starts, lane 3 charged as the lowest of the lanes in use; lane 4, lower still, not in
// use: as a download leaves them.
void FalseStartsBesideALaneNotInUse(QvResults& results) {
  const int32_t reactionTimes[] = {77, 71, 88};
  for (int32_t lane = 3; lane <= 5; ++lane) {
    results.GetNth(lane - 1, nullptr)->SetReactionTime(reactionTimes[lane - 3]);
  }
  results.GetNth(3, nullptr)->SetStatus(QvResult::kLaneNotUsed);
  results.MarkFalseStarts();
}

class PrintedTitlesTest : public ProgramTest {
 protected:
  PrintedTitlesTest() {
    native::SetPrintDialogRunner(
        [this](const native::PrintDialogRequest&, native::PrintDialogChoice& choice) {
          choice.printer = native::PrinterDevice::kPdfFilePrinter;
          choice.outputFile = output;
          choice.paper = native::Paper{};
          choice.paper.landscape = landscape;
          return true;
        });
  }
  ~PrintedTitlesTest() override { native::SetPrintDialogRunner(nullptr); }

  void SetUp() override {
    if (!native::test::haveTool("pdftoppm")) {
      GTEST_SKIP() << "poppler-utils is not installed";
    }
  }

  // The printed page at 100 dots an inch.
  GreyPicture Page() const { return Picture(output, "-r 100"); }

  // The top of the printed page in the printer's own pixels (300 dots an inch): two lines printed alike
  // look alike there, whatever their height on the sheet.
  GreyPicture PageTop(const std::string& pdf) const { return Picture(pdf, "-r 300 -H 900"); }

  // The top of a page like the last one with `text` alone on it, printed as the chart's header prints its
  // lines: the printer's first font, centred across the printable width.
  GreyPicture PrintedAlone(const std::u16string& text) {
    constexpr int32_t kFirstFont = 0;
    constexpr int32_t kCentred = 2;
    constexpr int32_t kTop = 100;  // clear of the sheet's edge, which would cut the smoothing of the line
    const std::string chartPage = output;
    output = folder.file("alone.pdf");
    {
      ZafPrinter printer;
      ZafPrintJobRecord record;
      EXPECT_EQ(printer.PrintDialog(record), 1);
      EXPECT_EQ(printer.BeginDocument(u"alone"), 0);
      printer.BeginPage();
      printer.SetFont(kFirstFont);
      printer.TextLine(0, kTop, printer.PrintableWidth(), text.c_str(), -1, kCentred, false);
      printer.EndPage();
      printer.EndDocument();
    }
    const GreyPicture picture = PageTop(output);
    output = chartPage;
    return picture;
  }

  native::test::PrintFolder folder;
  std::string output = folder.file("printed.pdf");
  bool landscape = false;

 private:
  GreyPicture Picture(const std::string& pdf, const std::string& options) const {
    std::system(("pdftoppm " + options + " -gray '" + pdf + "' '" + folder.file("page") + "'").c_str());
    return GreyPicture::read(folder.file("page-1.pgm"));
  }
};

}  // namespace

TEST_F(PrintedTitlesTest, TitlesArePrintedWhole) {
  struct Case {
    const char* text;
    ZafEventType command;
    bool landscape;
    std::function<Box(const GreyPicture&)> find;
    int width;
    int height;
    int chartRow = -1;  // the results row whose lane the chart shows alone; -1 every lane
    std::function<void(QvResults&)> change = nullptr;  // made to the results before this row's print
    std::u16string printed = u"";  // when given, the text found reads so: it looks as this text printed alone
  } cases[] = {
      {"Lane, the results' first column title on an upright A4 sheet", QvZResultsPane::kPrintCommand, false,
       [](const GreyPicture& page) { return Cell(page, 0, 0); }, 38, 11},
      {"Time (seconds), the chart's time axis on a sideways A4 sheet", QvZChartPane::kPrintCommand, true,
       TextAboveMakerLine, 83, 10},
      {"Did not start, the first lane's status on an upright A4 sheet", QvZResultsPane::kPrintCommand, false,
       [](const GreyPicture& page) { return Cell(page, 1, 1); }, 84, 10},
      {"Power, the last column's title, beside a lane of long free texts", QvZResultsPane::kPrintCommand,
       false, [](const GreyPicture& page) { return Cell(page, 8, 0); }, 51, 11},
      {"the id 17 of the lane of long free texts, whole", QvZResultsPane::kPrintCommand, false,
       [](const GreyPicture& page) { return Cell(page, 2, 2); }, 15, 10},
      {"the reaction time of the lane of long free texts", QvZResultsPane::kPrintCommand, false,
       [](const GreyPicture& page) { return Cell(page, 7, 2); }, 37, 10},
      {"the cut affiliation of the lane of long free texts ends in three dots", QvZResultsPane::kPrintCommand,
       false, AffiliationEnd, 11, 2},
      {"the last lane's power", QvZResultsPane::kPrintCommand, false,
       [](const GreyPicture& page) { return Cell(page, 8, 8); }, 23, 10},
      {"Time (seconds), lane 1's chart's time axis on a sideways A4 sheet", QvZChartPane::kPrintCommand, true,
       TextAboveMakerLine, 82, 10, 0},
      {"Valid, False start, charged: the status of lane 3, the lowest false start",
       QvZResultsPane::kPrintCommand, false, [](const GreyPicture& page) { return Cell(page, 1, 3); }, 176,
       13, -1, FalseStartsBesideALaneNotInUse},
      {"Valid, False start: the status of lane 5, a false start not charged", QvZResultsPane::kPrintCommand,
       false, [](const GreyPicture& page) { return Cell(page, 1, 5); }, 112, 12},
      {"Not in use and nothing right of it on the line of lane 4, whatever time it holds",
       QvZResultsPane::kPrintCommand, false,
       [](const GreyPicture& page) {
         const Box status = Cell(page, 1, 4);
         return InkBox(page, {status.left, status.top, page.width, status.bottom});
       },
       67, 10},
      {"4, the lane number of lane 4, not in use", QvZResultsPane::kPrintCommand, false,
       [](const GreyPicture& page) { return Cell(page, 0, 4); }, 7, 10},
      {"False start, once: the status of lane 5, a false start the official set to False start",
       QvZResultsPane::kPrintCommand, false, [](const GreyPicture& page) { return Cell(page, 1, 5); }, 69, 11,
       -1, [](QvResults& results) { results.GetNth(4, nullptr)->SetStatus(QvResult::kFalseStart); }},
      {"Lane 2 - Maximiliana Theodora Vandenberghe-Oyelaran, under the start on lane 2's chart's page",
       QvZChartPane::kPrintCommand, true, [](const GreyPicture& page) { return TextLineFromTop(page, 2); },
       305, 11, 1, nullptr, u"Lane 2 - Maximiliana Theodora Vandenberghe-Oyelaran"},
      {"Lane 2 whole and its very long name cut with three dots to the line, on lane 2's chart's page",
       QvZChartPane::kPrintCommand, true, [](const GreyPicture& page) { return TextLineFromTop(page, 2); },
       1063, 11, 1, AVeryLongLastName,
       u"Lane 2 - Maximiliana Theodora " + Repeated(u"Vandenberghe-Oyelaran-", 6) + u"Vandenb..."},
  };
  Make({u"-noregistry"});
  Then([] { Post(NewCommand); });
  Then([] {
    QvResults& results = Frame()->CurrentEventWindow()->GetEvent()->Leg(0)->Results();
    for (QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
         result = results.Iterate(result, nullptr)) {
      result->SetReactionTime(123);
      result->SetPower(707);
    }
    results.Iterate(nullptr, nullptr)->SetStatus(QvResult::kDidNotStart);
    QvResult& longTexts = *results.Iterate(results.Iterate(nullptr, nullptr), nullptr);
    longTexts.SetAthleteField4(KString(u"17"));
    longTexts.SetAthleteField1(KString(u"Maximiliana Theodora"));
    longTexts.SetAthleteField0(KString(u"Vandenberghe-Oyelaran"));
    longTexts.SetAthleteField2(KString(u"Athletic Club of the Northern Lakes Region"));
    longTexts.SetAthleteField5(KString(u"GER-2026-000481-B"));
  });
  for (const Case& c : cases) {
    if (c.chartRow >= 0) {
      ChooseRow(c.chartRow);
    }
    Then([this, &c] {
      if (c.change) {
        c.change(Frame()->CurrentEventWindow()->GetEvent()->Leg(0)->Results());
      }
      landscape = c.landscape;
      std::remove(output.c_str());
      Post(c.command);
    });
    Then([this, &c] {
      SCOPED_TRACE(c.text);
      const GreyPicture page = Page();
      ASSERT_GT(page.height, 0);
      const Box text = c.find(page);
      EXPECT_EQ(text.right - text.left, c.width);
      EXPECT_EQ(text.bottom - text.top, c.height);
      if (!c.printed.empty()) {
        const GreyPicture top = PageTop(output);
        const GreyPicture alone = PrintedAlone(c.printed);
        EXPECT_TRUE(SamePicture(top, c.find(top), alone, TextLineFromTop(alone, 0)));
      }
    });
  }
  Then([] { Frame()->CurrentEventWindow()->GetEvent()->SetModified(false); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}
