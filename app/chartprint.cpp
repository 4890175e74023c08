#include "app/chartprint.h"

#include <memory>
#include <optional>

#include "app/busypointer.h"
#include "app/chartlabelfont.h"
#include "app/chartload.h"
#include "app/chartstatus.h"
#include "app/producttitle.h"
#include "app/programalert.h"
#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "chart/cf_chartengine.h"
#include "chart/cf_chartmodel.h"
#include "chart/zafchartcontrol.h"
#include "foundation/kdatetime.h"
#include "framework/win32/zafprinter.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvsettings.h"
#include "toolkit/kztextfit.h"

namespace {

// Text alignments of the printer's text lines.
constexpr int32_t kLeft = 0;
constexpr int32_t kRight = 1;
constexpr int32_t kCentre = 2;
constexpr int32_t kNormalFont = 0;
constexpr int32_t kTitleFont = 1;
// Room the chart leaves at the page's right edge, in printer pixels.
constexpr int32_t kRightRoom = 200;
constexpr uint8_t kWhite = 15;
// The result's athlete texts that name the athlete.
constexpr int32_t kLastNameField = 0;
constexpr int32_t kFirstNameField = 1;

std::unique_ptr<ZafPrinter>& SharedPrinter() {
  static std::unique_ptr<ZafPrinter> printer;
  return printer;
}

KString Text(const char16_t* path, const char16_t* fallback) {
  return QvSettings::Text(path, fallback);
}

// The competition's name and " - " when there is one, the event's file title, and " (event-round-heat)"
// when the event has all three.
KString TitleLine(const QvEvent* event) {
  KString text = QvSettings::Text(u"\\Competition\\Name");
  if (!text.IsEmpty()) {
    text.Append(u" - ");
  }
  if (event == nullptr) {
    return text;
  }
  event->GetFileTitle(text);
  if (event->HasEventRoundHeat()) {
    text.Append(u" (")
        .Append(event->EventNumber())
        .AppendChar(u'-')
        .Append(event->RoundNumber())
        .AppendChar(u'-')
        .Append(event->HeatNumber())
        .AppendChar(u')');
  }
  return text;
}

// For one lane's chart, the lane it shows and its athlete: "Lane", a blank and the result's lane, then
// " - " and the first and last names that are not empty; empty for every lane's chart. The line fits
// `width` in the printer's current font: names too long for it are cut with "...", the lane kept whole.
KString LaneLine(const QvZChartPane& pane, ZafPrinter& printer, int32_t width) {
  const std::optional<ChartRows> rows = pane.ShownRows();
  const QvResult* result = rows ? rows->ShownResult() : nullptr;
  if (result == nullptr) {
    return KString();
  }
  KString names;
  for (const int32_t field : {kFirstNameField, kLastNameField}) {
    if (const KString& name = result->AthleteField(field); !name.IsEmpty()) {
      names.Append(names.IsEmpty() ? u"" : u" ").Append(name);
    }
  }
  const KZTextMeasure measure = [&printer](const char16_t* text, int32_t count) {
    return printer.TextSize(text, count).Width();
  };
  KString text = rows->ShownLaneTitle();
  if (!names.IsEmpty()) {
    text.Append(u" - ");
    const int32_t room = width - measure(text.CStr(), text.Length());
    text.Append(KZShortenedText(names, room, measure));
  }
  // Only a lane text wider than the line itself is left to cut.
  return KZShortenedText(text, width, measure);
}

}  // namespace

ZafPrinter& ChartPrint::Printer() {
  std::unique_ptr<ZafPrinter>& printer = SharedPrinter();
  if (!printer) {
    printer = std::make_unique<ZafPrinter>();
  }
  return *printer;
}

void ChartPrint::ReleasePrinter() {
  SharedPrinter().reset();
}

void ChartPrint::Setup() {
  ZafPrintJobRecord record;
  Printer().PrintDialog(record);
}

bool ChartPrint::Print(QvZChartPane& pane) {
  ZafPrinter& printer = Printer();
  ZafPrintJobRecord record;
  if (printer.PrintDialog(record) != 1) {
    return false;
  }
  if (printer.BeginDocument(pane.PrintTitle().CStr()) != 0) {
    printer.Open();
    ShowNumberedError(kPrinterNotResponding);
    return false;
  }
  {
    BusyPointer busy;
    ShowChartStatus(Text(u"\\Strings\\Event\\Chart\\Print\\Printing", u"Printing Chart..."), 0);
    printer.BeginPage();
    PrintChart(printer, pane, PrintHeader(printer, pane, 1, 1));
    printer.EndPage();
    printer.EndDocument();
    ShowChartStatus(KString(), -1);
  }
  return true;
}

ChartPrint::Space ChartPrint::PrintHeader(ZafPrinter& printer, const QvZChartPane& pane, int32_t page,
                                          int32_t pages) {
  // The printable area: the drawing origin lies at its top left corner.
  const int32_t width = printer.PrintableWidth();
  const QvEvent* event = pane.Owner() != nullptr ? pane.Owner()->EventDocument() : nullptr;
  KString printTime;
  KDateTime(1).AppendDateTime(printTime);
  printer.SetFont(kNormalFont);
  const int32_t band = printer.TextLine(0, 0, width, printTime.CStr(), -1, kLeft, false);
  printer.SetFont(kTitleFont);
  const KString title = TitleLine(event);
  int32_t below = printer.TextLine(0, 0, width, title.CStr(), -1, kCentre, false);
  printer.SetFont(kNormalFont);
  KString pageText = Text(u"\\Strings\\Event\\Chart\\Print\\Page", u"Page");
  pageText.AppendChar(u' ').AppendInt(page).AppendChar(u' ');
  pageText.Append(Text(u"\\Strings\\Event\\Chart\\Print\\Of", u"of")).AppendChar(u' ').AppendInt(pages);
  printer.TextLine(0, 0, width, pageText.CStr(), -1, kRight, false);
  KString start = Text(u"\\Strings\\Event\\Chart\\Print\\Start", u"Start:");
  if (event != nullptr) {
    start.AppendChar(u' ');
    event->InfoBlock().AppendTime(start);
    start.AppendChar(u' ');
    event->InfoBlock().AppendDate(start);
  }
  below = printer.TextLine(0, below, width, start.CStr(), -1, kCentre, false);
  if (const KString lane = LaneLine(pane, printer, width); !lane.IsEmpty()) {
    below = printer.TextLine(0, below, width, lane.CStr(), -1, kCentre, false);
  }
  const KString maker = ProductTitle();
  const int32_t makerTop = printer.PrintableHeight() - 2 * band;
  printer.TextLine(0, makerTop, width, maker.CStr(), -1, kLeft, false);
  return {below, makerTop - 1};
}

void ChartPrint::PrintChart(ZafPrinter& printer, QvZChartPane& pane, const Space& space) {
  const std::optional<ChartRows> rows = pane.ShownRows();
  if (!rows) {
    return;
  }
  // The printed chart puts each value on the same sample as the screen's chart does. It keeps clear of the
  // header and the maker line: its background would cover them.
  ZafChartControl chart(0, 0, 10, 5, cf_ChartEngine::kLine, cf_ChartEngine::k2D, cf_ChartModel::kZeroBased);
  chart.SetCoordinateType(ZAF_PIXEL);
  chart.SetRegion({0, 0, printer.PrintableWidth() - kRightRoom, space.bottom - space.top, ZAF_PIXEL});
  const ChartLabelFont font(&printer);
  ChartLoadOptions options = pane.LoadOptions();
  options.labelFont = font.Slot();
  ChartLoad load(&chart);
  load.LoadTraces(*rows, {-1, -1}, true, options);
  chart.SetBackgroundColor(kWhite, kWhite);
  ZafDisplay* screen = ZafWindowObject::display;
  ZafWindowObject::display = &printer;
  // The chart draws from its own origin: the display's origin moves it, and the clip it draws in, below the
  // header.
  const int32_t savedOriginY = printer.originY;
  printer.originY = savedOriginY + space.top;
  chart.Event(ZafEventRecord(SizedEvent, 0));
  chart.Draw(ZafEventRecord(RedisplayEvent, 0), RedisplayEvent);
  printer.originY = savedOriginY;
  ZafWindowObject::display = screen;
}
