#pragma once
// Chart > Export Bitmap: the whole desktop as it is after the file dialog, written as a JPEG or Targa file
// (by the chosen name's extension) under a temporary name that takes the chosen name once complete, so a
// stopped or failed export leaves no partial file and keeps an earlier one. The file chosen last is
// offered again, in its folder and format, for the rest of the run.

#include <cstdint>
#include <optional>
#include <vector>

#include "foundation/kstring.h"

class QvEvent;
class QvZChartPane;
struct ChartRows;

class ChartBitmapExport {
 public:
  // The desktop's pixels: 24-bit rows, top row first, blue, green, red, width x 3 bytes each.
  struct Capture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rows;
  };

  static void Export(QvZChartPane& pane);
  // "Qv-" and the event's event-round-heat text (its file title when it has none), and in one-lane mode
  // "-" and the lane of the result the chart shows (see ChartRows::ShownResult), when it has one; made
  // safe as a results file's name is.
  static KString DefaultName(const QvEvent* event, const ChartRows& rows);
  // The desktop now; nothing when it cannot be read.
  static std::optional<Capture> CaptureScreen();
  // The file offered next: the data-out folder until the first export.
  static KString& RememberedFile();
};
