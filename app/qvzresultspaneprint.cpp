// The results pane's printout: a page header with the print time, the page number and the event's title,
// a start line, the column titles over heavy rules, one line per result in the pane's order and the
// program's title as the footer, on the one results printer of the program.
#include <algorithm>
#include <array>
#include <memory>

#include "app/busypointer.h"
#include "app/mainstatusbar.h"
#include "app/producttitle.h"
#include "app/qvzresultspane.h"
#include "app/yzapplication.h"
#include "foundation/kdatetime.h"
#include "foundation/klog.h"
#include "foundation/kregistry.h"
#include "imaging/ui/yzprinter.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/qvresultsview.h"
#include "model/qvsettings.h"
#include "model/ystart.h"
#include "toolkit/kzstatusbar.h"

namespace {

constexpr const char16_t* kMarginsGroup = u"\\Event\\Results\\Print\\Margins";
// The header, the start line, a blank line, the titles and the footer leave the rest of a page to rows.
constexpr int32_t kLinesBesideRows = 6;
constexpr int32_t kTitleLine = 3;
// Each cell ends this many device units inside its column.
constexpr int32_t kCellGap = 3;
// The printer's font slots: the plain text, the header's right side and the rows, the titles.
constexpr int32_t kPlainSlot = 0;
constexpr int32_t kRowSlot = 1;

struct PrintColumn {
  const char16_t* key;
  const char16_t* title;
  int32_t placement;
};

constexpr PrintColumn kColumns[QvZResultsPane::kColumnCount] = {
    {u"\\Strings\\Event\\Results\\Print\\Fields\\LaneNum", u"Lane", KZPrinter::kAlignLeft},
    {u"\\Strings\\Event\\Results\\Print\\Fields\\Status", u"Status", KZPrinter::kAlignLeft},
    {u"\\Strings\\Event\\Results\\Print\\Fields\\Id", u"Id", KZPrinter::kAlignLeft},
    {u"\\Strings\\Event\\Results\\Print\\Fields\\FirstName", u"First Name", KZPrinter::kAlignLeft},
    {u"\\Strings\\Event\\Results\\Print\\Fields\\LastName", u"Last Name", KZPrinter::kAlignLeft},
    {u"\\Strings\\Event\\Results\\Print\\Fields\\Affiliation", u"Affiliation", KZPrinter::kAlignLeft},
    {u"\\Strings\\Event\\Results\\Print\\Fields\\License", u"License", KZPrinter::kAlignLeft},
    {u"\\Strings\\Event\\Results\\Print\\Fields\\ReactionTime", u"Reaction Time", KZPrinter::kAlignCentre},
    {u"\\Strings\\Event\\Results\\Print\\Fields\\Power", u"Power", KZPrinter::kAlignCentre},
};

std::unique_ptr<YZPrinter> resultsPrinter;
KString competitionName;
KString printTime;

KString PrintText(const char16_t* name, const char16_t* fallback) {
  return QvSettings::Text(KString(u"\\Strings\\Event\\Results\\Print\\").Append(name).CStr(), fallback);
}

// One line of the whole printable width.
native::RECT Line(const KZPrinter& printer, int32_t line) {
  return {0, line, printer.PageWidth(), line + 1};
}

void DrawOnLine(KZPrinter& printer, int32_t line, const KString& text, int32_t placement, int32_t slot) {
  printer.SetFlag(slot);
  printer.DrawText(Line(printer, line), text.CStr(), placement, KZPrinter::kAlignTop);
}

KString RightHeaderText(const QvEvent* event) {
  KString text;
  if (!competitionName.IsEmpty()) {
    text.Append(competitionName).Append(u" - ");
  }
  if (event == nullptr) {
    return text;
  }
  event->GetFileTitle(text);
  if (event->HasEventRoundHeat()) {
    text.Append(u" (").Append(event->EventNumber()).AppendChar(u'-').Append(event->RoundNumber());
    text.AppendChar(u'-').Append(event->HeatNumber()).AppendChar(u')');
  }
  return text;
}

KString StartLineText(const QvEvent* event) {
  KString text = PrintText(u"Start", u"Start:");
  text.AppendChar(u' ');
  if (event == nullptr) {
    return text;
  }
  event->InfoBlock().AppendTime(text);
  text.AppendChar(u' ');
  event->InfoBlock().AppendDate(text);
  text.AppendChar(u' ');
  // An event without a start shows the empty time.
  if (const YStart* start = event->GetStartCount() > 0 ? event->GetStart(0) : nullptr) {
    start->FirstTime().Format(text);
  }
  return text;
}

// What a row prints in a column: the screen's text, in words where the screen has colours. A lane not in
// use prints its lane number and "Not in use" only, since a time it holds belongs to nobody, as on the
// scoreboards. A false start's status names it, and the athlete charged with it, after the status the
// official set.
KString PrintedCellText(QvZResultsPane& pane, int32_t row, int32_t column) {
  KString text;
  const QvResult* result = pane.ResultAt(row);
  if (result == nullptr) {
    return text;
  }
  if (result->IsStatus7() && column != QvZResultsPane::kLaneColumn) {
    return column == QvZResultsPane::kStatusColumn ? PrintText(u"NotInUse", u"Not in use") : text;
  }
  uint32_t flags = 0;
  pane.CellText({0, row}, column, text, flags);
  if (column == QvZResultsPane::kStatusColumn) {
    result->AppendFalseStartMarks(text);
  }
  return text;
}

}  // namespace

void QvZResultsPane::RegisterPrintDefaults() {
  resultsPrinter = std::make_unique<YZPrinter>();
  resultsPrinter->LoadMargins(KRegistry::GetGroup(QvSettings::Root(), KString::View(kMarginsGroup)));
  competitionName = QvSettings::Text(u"\\Competition\\Name");
}

void QvZResultsPane::UnregisterPrintDefaults() {
  if (resultsPrinter != nullptr) {
    resultsPrinter->SaveMargins(KRegistry::GetGroup(QvSettings::Root(), KString::View(kMarginsGroup)));
  }
  resultsPrinter.reset();
  competitionName = KString();
}

YZPrinter* QvZResultsPane::Printer() {
  return resultsPrinter.get();
}

bool QvZResultsPane::Print() {
  YZPrinter* printer = Printer();
  if (printer == nullptr || !printer->PrintDialog()) {
    return false;
  }
  KString jobName(kProductName);
  jobName.AppendChar(u' ').Append(PrintText(u"Title", u"Results Printout"));
  if (!printer->CreateFonts() || !printer->StartDoc(jobName)) {
    printer->AbortDoc();
    printer->ReleaseObjects();
    if (YZApplication* application = YZApplication::Current()) {
      application->ShowError(4001, -1);
    }
    return false;
  }
  const int32_t rowsPerPage = printer->PageHeight() / printer->RowHeight() - kLinesBesideRows;
  if (rowsPerPage <= 0) {
    printer->AbortDoc();
    printer->ReleaseObjects();
    if (KLog* log = KLog::ProgramLog()) {
      log->Error(KString(u"QvZResultsPane::Print: page too small"));
    }
    return false;
  }
  const BusyPointer busy;
  KZStatusBar* bar = MainStatusBar();
  if (bar != nullptr) {
    bar->SetText(PrintText(u"Printing", u"Printing results..."));
    bar->SetProgress(0);
  }
  printTime = KString();
  KDateTime(1).AppendDateTime(printTime);
  const int32_t count = itsResults != nullptr ? itsResults->Count(itsView) : 0;
  const int32_t pages = std::max(1, (count + rowsPerPage - 1) / rowsPerPage);
  bool brokenOff = false;
  for (int32_t page = 0; page < pages && !brokenOff; ++page) {
    brokenOff = KZApplication::application != nullptr && KZApplication::application->TakeBreakKey();
    if (brokenOff) {
      break;
    }
    if (bar != nullptr) {
      bar->SetProgress(page * 100 / pages);
    }
    printer->StartPage();
    PrintHeaderAndFooter(*printer, page + 1, pages);
    PrintRows(*printer, kTitleLine, page * rowsPerPage, rowsPerPage);
    printer->EndPage();
  }
  if (brokenOff) {
    printer->AbortDoc();
  } else {
    printer->EndDoc();
  }
  printer->ReleaseObjects();
  if (bar != nullptr) {
    bar->Clear();
    if (brokenOff) {
      bar->SetText(QvSettings::Text(u"\\Strings\\Alerts\\UserAborted", u"Operation aborted by user."));
    }
  }
  return !brokenOff;
}

void QvZResultsPane::PrintHeaderAndFooter(KZPrinter& printer, int32_t page, int32_t pages) {
  const QvEvent* event = GetEvent();
  DrawOnLine(printer, 0, printTime, KZPrinter::kAlignLeft, kPlainSlot);
  DrawOnLine(printer, 0, RightHeaderText(event), KZPrinter::kAlignRight, kRowSlot);
  KString pageText = PrintText(u"Page", u"Page");
  pageText.AppendChar(u' ').AppendInt(page).AppendChar(u' ').Append(PrintText(u"Of", u"of"));
  pageText.AppendChar(u' ').AppendInt(pages);
  DrawOnLine(printer, 0, pageText, KZPrinter::kAlignCentre, kPlainSlot);
  DrawOnLine(printer, 1, StartLineText(event), KZPrinter::kAlignRight, kRowSlot);
  DrawOnLine(printer, printer.PageHeight() / printer.RowHeight() - 1, ProductTitle(), KZPrinter::kAlignLeft,
             kPlainSlot);
}

void QvZResultsPane::PrintRows(KZPrinter& printer, int32_t titleLine, int32_t first, int32_t rows) {
  // The columns keep the widths the user gave them on the screen, each at least as wide as its title in
  // the titles' font and as its widest text on any page in the rows' font, so that they line up from page
  // to page; when they are wider together than the page, they are fitted to it, so that no column falls
  // off its right edge.
  std::array<KString, kColumnCount> titles;
  std::array<int32_t, kColumnCount> titleWidths{};
  std::array<int32_t, kColumnCount> widest{};
  const auto cellText = [this](int32_t row, int32_t column) { return PrintedCellText(*this, row, column); };
  const auto widen = [&printer](int32_t& width, const KString& text) {
    width = std::max(width, printer.TextExtent(text.CStr()).cx + kCellGap);
  };
  printer.SetFlag(KZPrinter::kBoldSlot);
  for (int32_t column = 0; column < kColumnCount; ++column) {
    titles[column] = QvSettings::Text(kColumns[column].key, kColumns[column].title);
    widen(titleWidths[column], titles[column]);
  }
  printer.SetFlag(kRowSlot);
  for (int32_t row = 0; ResultAt(row) != nullptr; ++row) {
    for (int32_t column = 0; column < kColumnCount; ++column) {
      widen(widest[column], cellText(row, column));
    }
  }
  if (itsView != nullptr) {
    itsView->FitColumns(printer.PageWidth(), titleWidths, widest);
  }
  const auto start = [this](int32_t column) { return itsView != nullptr ? itsView->ColumnStart(column) : 0; };
  // A text cut to its column ends in "..." so that a reader sees it is cut.
  const auto drawCell = [&printer, &start](int32_t column, int32_t line, const KString& text) {
    const native::RECT rect{start(column), line, start(column + 1) - kCellGap, line + 1};
    printer.DrawText(rect, printer.ShortenText(text, rect.right - rect.left).CStr(),
                     kColumns[column].placement, KZPrinter::kAlignTop);
    printer.DrawLines(rect);
  };
  printer.SetFlag(KZPrinter::kBoldSlot);
  for (int32_t column = 0; column < kColumnCount; ++column) {
    drawCell(column, titleLine, titles[column]);
  }
  printer.SetFlag(kRowSlot);
  int32_t line = titleLine + 1;
  for (int32_t row = first; row < first + rows && ResultAt(row) != nullptr; ++row, ++line) {
    for (int32_t column = 0; column < kColumnCount; ++column) {
      drawCell(column, line, cellText(row, column));
    }
  }
}
