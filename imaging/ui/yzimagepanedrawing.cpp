// The image pane's drawing: the image strips, the overlays, the cursor with its erase, the marks and the
// result lines.
#include <algorithm>

#include "foundation/ksparsearray.h"
#include "imaging/ui/yzimagepane.h"
#include "imaging/ui/yzimagepanesettings.h"
#include "imaging/ui/yzpiecewalk.h"
#include "imaging/ybitmappiece.h"
#include "imaging/yimage.h"
#include "imaging/yimageview.h"
#include "imaging/yoverlay.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/yleg.h"

namespace {

// Drawing pieces: 15 bits a pixel, rows aligned to 4 bytes.
constexpr uint32_t kDrawingPieces = YBitmapOptions::kDepth15 | YBitmapOptions::kAlign4;
constexpr int32_t kPieceBits = 15;
constexpr int32_t kOverlayBits = 24;
constexpr int32_t kSolidLine = 0;

ZafPaletteStruct Pen(uint8_t colour) {
  ZafPaletteStruct palette;
  palette.lineStyle = kSolidLine;
  palette.colorForeground = colour;
  return palette;
}

}  // namespace

void YZImagePane::DrawCells(const KRect& units) {
  if (!image || !view) {
    KZScroller::DrawCells(units);
    return;
  }
  BeginDraw();
  DrawImage(units);
  if (overlayLocations.Count() > 0) {
    DrawOverlays(units);
  }
  if (!cursorDirty) {
    DrawCursor();
  }
  DrawResultLines();
  DrawMarks();
  EndDraw();
}

void YZImagePane::DrawImage(const KRect& units) {
  YZForEachPiece(*image, *view, units, kDrawingPieces, [this](const YBitmapPiece& piece, const KRect&) {
    DrawUnitBits(piece.covered, piece.pixels.data(), kPieceBits, static_cast<int32_t>(piece.stride), -1);
  });
}

void YZImagePane::DrawOverlays(const KRect& units) {
  KSparseArray& overlays = Overlays();
  for (auto* item = overlayLocations.Next(nullptr); item; item = overlayLocations.Next(item)) {
    const auto* location = static_cast<const YOverlayLocation*>(item);
    auto* overlay = static_cast<YOverlay*>(overlays.Item(location->number));
    if (!overlay) {
      continue;
    }
    const uint8_t* bits = overlay->Lock();
    if (!bits) {
      continue;
    }
    const KBitmap& picture = overlay->Bitmap();
    const KPoint centre = image->PointToView(location->position, *view, false);
    const int32_t left = centre.x - picture.Width() / 2;
    const int32_t top = centre.y - picture.Height() / 2;
    const KRect placed{left, top, left + picture.Width() - 1, top + picture.Height() - 1};
    if (placed.Intersects(units)) {
      DrawUnitBits(placed, bits, kOverlayBits, picture.Stride(), -1);
    }
    overlay->Unlock();
  }
}

// ---- The cursor ----

int32_t YZImagePane::LastImageRow() {
  const KRect visible = VisibleRange(false);
  return visible.top + std::min(visible.Height() - 1, extent.y - 1);
}

void YZImagePane::DrawColumnLine(int32_t x, uint8_t colour, int32_t top, int32_t bottom) {
  const KZDrawingState previous = ApplyPalette(Pen(colour));
  DrawUnitLine({x, top}, {x, bottom}, 1);
  SetDrawingState(previous);
}

void YZImagePane::DrawCursor() {
  if (!view || !view->PositionShown()) {
    return;
  }
  using namespace YZImagePaneSettings;
  const KPoint at = view->Origin();
  const int32_t half = std::max(0, Value(kCrossWidth) / 2);
  const int32_t lines = std::max(1, std::min(Value(kCursorWidth), half));
  const int32_t step = OrientationRight() ? 1 : -1;
  const int32_t lastColumn = extent.x - 1;
  const int32_t top = VisibleRange(false).top;
  const int32_t bottom = LastImageRow();
  const uint8_t colour = CursorColour();
  BeginDraw();
  const KZDrawingState previous = ApplyPalette(Pen(colour));
  DrawUnitLine({std::min(at.x + half, lastColumn), at.y}, {std::max(0, at.x - half), at.y}, 1);
  SetDrawingState(previous);
  for (int32_t line = 0; line < lines; ++line) {
    DrawColumnLine(std::clamp(at.x + line * step, 0, std::max(0, lastColumn)), colour, top, bottom);
  }
  EndDraw();
  cursorReach = std::max(cursorReach, half);
}

void YZImagePane::EraseCursor() {
  if (view && view->PositionShown()) {
    cursorDirty = true;
    const KRect visible = VisibleRange(false);
    const int32_t x = view->Origin().x;
    RedrawUnits({x - cursorReach, visible.top, x + cursorReach, visible.top + visible.Height() - 1},
                RedisplayEvent);
    cursorReach = 0;
    cursorDirty = false;
  }
  if (view) {
    view->SetFlag(false);
  }
}

// ---- Marks and result lines ----

QvResults* YZImagePane::Results() const {
  auto* leg = image ? dynamic_cast<YLeg*>(image->Owner()) : nullptr;
  return leg ? &leg->Results() : nullptr;
}

int32_t YZImagePane::ResultColumn(const QvResult& result) {
  const YTime& time = result.GetMainTime(nullptr);
  return time.HasResolution() ? image->FrameOfTime(time, *view, false) : -1;
}

void YZImagePane::DrawMarks() {
  if (!view || !view->MarksShown()) {
    return;
  }
  const KRect marks = view->Marks();
  BeginDraw();
  const KZDrawingState previous = ApplyPalette(Pen(YZImagePaneSettings::kMarksColour));
  FillUnits(marks, 1, false);
  SetDrawingState(previous);
  if (QvResults* results = resultsSelected ? Results() : nullptr) {
    for (const QvResult* result = results->FindNextMatching(nullptr, image, nullptr); result;
         result = results->FindNextMatching(result, image, nullptr)) {
      const int32_t column = ResultColumn(*result);
      if (column > marks.left && column < marks.right) {
        DrawColumnLine(column, YZImagePaneSettings::kMarksColour, marks.top - 1, marks.bottom + 1);
      }
    }
  }
  EndDraw();
}

void YZImagePane::EraseMarks() {
  if (!view) {
    return;
  }
  if (resultsSelected) {
    if (QvResults* results = Results()) {
      results->SelectAll(false, image, nullptr);
    }
    resultsSelected = false;
  }
  const bool shown = view->MarksShown();
  view->SetShowLines(false);
  if (shown) {
    const KRect marks = view->Marks();
    RedrawUnits({marks.left, marks.top - 1, marks.right, marks.bottom + 1}, RedisplayEvent);
  }
}

void YZImagePane::DrawResultLines() {
  QvResults* results = Results();
  if (!results || YZImagePaneSettings::Value(YZImagePaneSettings::kShowLines) == 0) {
    return;
  }
  const int32_t frames = extent.x;
  const KRect visible = VisibleRange(true);
  const int32_t margin = std::max(1, (view->Zoom().XNumerator() + view->Zoom().XDenominator() - 1) /
                                         std::max(1, view->Zoom().XDenominator()));
  int32_t first = std::max(0, visible.left - margin);
  int32_t last = std::min(frames - 1, visible.right);
  if (!OrientationRight()) {
    first = std::max(0, visible.left);
    last = std::min(frames - 1, visible.right + margin);
  }
  YTime from = view->TimeAt(first);
  YTime to = view->TimeAt(last);
  if (to < from) {
    std::swap(from, to);
  }
  for (QvResult* result = results->Iterate(nullptr, nullptr); result;
       result = results->Iterate(result, nullptr)) {
    const YTime& time = result->GetMainTime(nullptr);
    if (time.HasResolution() && !(time < from) && !(to < time)) {
      DrawResultAt(time);
    }
  }
}

void YZImagePane::DrawResultAt(const YTime& time) {
  const int32_t frame = image->FrameOfTime(time, *view, true);
  if (frame > 0 && frame < extent.x - 1) {
    BeginDraw();
    DrawColumnLine(frame, YZImagePaneSettings::CursorColour(), VisibleRange(false).top, LastImageRow());
    EndDraw();
  }
}

void YZImagePane::DrawResultLine(const YTime& time) {
  if (image && view && YZImagePaneSettings::Value(YZImagePaneSettings::kShowLines) != 0) {
    DrawResultAt(time);
  }
}
