#pragma once
// Chart > Print and Chart > Printer Setup: one page with a header (the print time, the event's title, the
// page number, the start time, for one lane's chart the lane and its athlete, and the program's name)
// above the chart of the pane, drawn again for the printer. Every chart pane prints through one printer, made
// when first needed and kept until the chart windows' class clean-up.

#include <cstdint>

#include "foundation/kstring.h"

class QvZChartPane;
class ZafPrinter;

class ChartPrint {
 public:
  // The error shown when the printer does not take the document.
  static constexpr int32_t kPrinterNotResponding = 4001;

  // The chart printer; made on the first call.
  static ZafPrinter& Printer();
  static void ReleasePrinter();

  // The print dialog, then the page; nothing after a cancelled dialog. True when the page was printed.
  static bool Print(QvZChartPane& pane);
  // The print dialog alone.
  static void Setup();

  // The part of the page between the header and the maker line, in printer coordinates.
  struct Space {
    int32_t top;
    int32_t bottom;
  };

  // The header of page `page` of `pages` and the maker line; answers the space left between them.
  static Space PrintHeader(ZafPrinter& printer, const QvZChartPane& pane, int32_t page, int32_t pages);
  // The pane's chart in that space, in the current display mode, on the same samples as on screen.
  static void PrintChart(ZafPrinter& printer, QvZChartPane& pane, const Space& space);
};
