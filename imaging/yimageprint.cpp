// The state of a print run: the marks of the selected results and the time scale in the margins of each
// frame.

#include <algorithm>
#include <climits>
#include <new>

#include "imaging/yimage.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"
#include "imaging/yimaginglog.h"
#include "model/qvresult.h"
#include "model/qvsettings.h"
#include "model/yleg.h"

namespace {

constexpr const char16_t* kPrintLineColourPath = u"\\Event\\Image\\Selection\\PrintLineColor";
// The print-line times: a second marks the whole margin, a tenth a long tick, a hundredth a short one.
constexpr int64_t kPrintLinePeriods[] = {YTime::kUnitsPerSecond, YTime::kUnitsPerSecond / 10,
                                         YTime::kUnitsPerSecond / 100};
// The margin is this fraction of the printed rectangle's height; the ticks a half and a quarter of it.
constexpr int32_t kMarginDivisor = 20;

bool colourSettingLoaded = false;

int64_t FloorDivide(int64_t value, int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

}  // namespace

void YImage::LoadSettings() {
  colourSettingLoaded = true;
}

void YImage::ForgetSettings() {
  colourSettingLoaded = false;
}

int32_t YImage::PrintLineValue() const {
  static constexpr int32_t kGray[] = {0, 128, 255, 128};
  static constexpr int32_t kColour[] = {0, 0x7C00, 0x7FFF, 0x03E0};
  if (!colourSettingLoaded) {
    return 0;
  }
  const int32_t setting = QvSettings::Int(kPrintLineColourPath, 0, {0, 3});
  return IsColour() ? kColour[setting] : kGray[setting];
}

bool YImage::BeginPrinting(const KRect& rect, const QvResultFilter* selection, const YImageView& view,
                           uint32_t options) {
  print = PrintState{};
  print.printing = true;
  print.options = options;
  print.rect = rect;
  if (const auto* leg = dynamic_cast<const YLeg*>(Owner())) {
    const QvResults& results = leg->Results();
    int32_t count = 0;
    for (const QvResult* r = results.FindNextMatching(nullptr, this, selection); r != nullptr;
         r = results.FindNextMatching(r, this, selection)) {
      ++count;
    }
    try {
      print.marks.reserve(static_cast<size_t>(count));
      for (const QvResult* r = results.FindNextMatching(nullptr, this, selection); r != nullptr;
           r = results.FindNextMatching(r, this, selection)) {
        print.marks.push_back(FrameOfTime(r->GetMainTime(selection), view, false));
      }
    } catch (const std::bad_alloc&) {
      YLogError("YImage::BeginPrinting: can't allocate printMarks");
      print.marks.clear();
    }
  }
  if ((options & kPrintTimeScale) != 0) {
    print.margin = std::max(rect.Height() / kMarginDivisor, 0);
    print.ticks[0] = print.margin;
    print.ticks[1] = print.margin / 2;
    print.ticks[2] = print.margin / 4;
  }
  return true;
}

void YImage::EndPrinting() {
  print = PrintState{};
}

int32_t YImage::PrintLineAt(const YImageView& view, int32_t x) {
  if (!print.printing || print.margin <= 0) {
    return 0;
  }
  const int32_t frame = ViewXToFrame(x, view);
  const YTime now = TimeAt(frame, false);
  const YTime before = TimeAt(frame - 1, false);
  if (!now.HasResolution() || !before.HasResolution()) {
    return 0;
  }
  // A frame carries the line of every period whose multiple lies after the frame before it and not
  // after itself.
  for (size_t i = 0; i < std::size(kPrintLinePeriods); ++i) {
    if (FloorDivide(now.Units(), kPrintLinePeriods[i]) != FloorDivide(before.Units(), kPrintLinePeriods[i])) {
      return print.ticks[i];
    }
  }
  return 0;
}

template <typename Pixel>
void YImage::PaintPrintMarks(int32_t x, int32_t top, int32_t rows, const YImageView& view, Pixel* column) {
  const int32_t height = PixelsShown(view);
  const int32_t margin = print.margin;
  if (std::find(print.marks.begin(), print.marks.end(), x) != print.marks.end()) {
    const auto line = static_cast<Pixel>(PrintLineValue());
    for (int32_t y = std::max(top, margin); y < std::min(top + rows, height - margin); ++y) {
      column[y - top] = line;
    }
  }
  if ((print.options & kPrintTimeScale) == 0 || margin <= 0) {
    return;
  }
  const int32_t tick = PrintLineAt(view, x);
  const auto white = static_cast<Pixel>(IsColour() ? 0x7FFF : 255);
  for (int32_t y = top; y < top + rows; ++y) {
    if (y < margin) {
      column[y - top] = y >= margin - tick ? Pixel{0} : white;
    } else if (y >= height - margin) {
      column[y - top] = y < height - margin + tick ? Pixel{0} : white;
    }
  }
}

template void YImage::PaintPrintMarks<uint8_t>(int32_t, int32_t, int32_t, const YImageView&, uint8_t*);
template void YImage::PaintPrintMarks<uint16_t>(int32_t, int32_t, int32_t, const YImageView&, uint16_t*);
