#include "toolkit/kzscroller.h"

#include <algorithm>
#include <limits>

#include "foundation/ktime.h"
#include "framework/core/zafscrollbar.h"
#include "framework/data/zafscrolldata.h"

namespace {

// The vertical range event, beside the horizontal one.
constexpr ZafEventType kScrollVerticalRangeEvent = ScrollHorizontalRangeEvent + 1;
// Left and top alignment of text in a rectangle.
constexpr int32_t kAlignStart = 0;

int32_t Saturated(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Unit counts and pixels: a unit of 0 or 1 pixel converts one to one.
int32_t UnitsToPixels(int32_t units, int32_t unit) {
  return unit > 1 ? Saturated(int64_t{units} * unit) : units;
}

int32_t LastPixelOf(int32_t units, int32_t unit) {
  return unit > 1 ? Saturated(int64_t{units} * unit + unit - 1) : units;
}

int32_t PixelsToUnits(int32_t pixels, int32_t unit) {
  if (unit <= 1) {
    return pixels;
  }
  return pixels >= 0 ? pixels / unit : Saturated((int64_t{pixels} - (unit - 1)) / unit);
}

int32_t WholeUnits(int32_t pixels, int32_t unit) {
  return unit > 1 ? pixels / unit : pixels;
}

int32_t UnitsRoundedUp(int32_t pixels, int32_t unit) {
  return unit > 1 ? Saturated((int64_t{pixels} + unit - 1) / unit) : pixels;
}

void FillIfAny(KZScroller& pane, const KRect& units) {
  if (!units.IsEmpty()) {
    pane.FillUnits(units, 0, true);
  }
}

// One axis of points and rectangles, so that scrolling along either is written once.
struct Axis {
  int32_t KPoint::*coordinate;
  int32_t KRect::*low;
  int32_t KRect::*high;
};
constexpr Axis kHorizontal{&KPoint::x, &KRect::left, &KRect::right};
constexpr Axis kVertical{&KPoint::y, &KRect::top, &KRect::bottom};

}  // namespace

KZScroller::KZScroller(int32_t left, int32_t top, int32_t width, int32_t height)
    : KZWindow(left, top, width, height) {
  // The pane paints itself: its paint messages arrive as draw events with their update region.
  SetNativeDrawing(false);
  SetCoordinateType(ZAF_PIXEL);
}

KZScroller::~KZScroller() = default;

// ---- Size, extent and position ----

bool KZScroller::SetUnitSize(KPoint size) {
  const KPoint old = unitSize;
  unitSize = {std::max(size.x, 1), std::max(size.y, 1)};
  return unitSize != old;
}

bool KZScroller::ChangeExtent(KPoint size) {
  const KPoint old = extent;
  extent = {std::max(size.x, 0), std::max(size.y, 0)};
  SetPosition(position);
  return extent != old;
}

bool KZScroller::SetPosition(KPoint newPosition) {
  const KPoint old = position;
  const KPoint last = MaxPosition();
  position = {std::clamp(newPosition.x, 0, last.x), std::clamp(newPosition.y, 0, last.y)};
  return position != old;
}

KPoint KZScroller::MaxPosition() {
  return {std::max(0, extent.x - ClientWidth()), std::max(0, extent.y - ClientHeight())};
}

int32_t KZScroller::LineStepX() {
  return 1;
}

int32_t KZScroller::LineStepY() {
  return 1;
}

int32_t KZScroller::ClientWidth() {
  return VisibleUnits(false).x;
}

int32_t KZScroller::ClientHeight() {
  return VisibleUnits(false).y;
}

int32_t KZScroller::AutoScrollRate(int32_t) {
  return 0;
}

void KZScroller::UpdateScroll() {
  const KPoint client = ClientPixels();
  if (options & kUnitWidthIsPage) {
    unitSize.x = client.x;
  }
  if (options & kUnitHeightIsPage) {
    unitSize.y = client.y;
  }
  if (!SetPosition(position)) {
    UpdateScrollBars();
  } else if (!(flags & kRedisplayOnGeometry)) {
    Refresh();
  }
  KZWindowLeech::GeometryChanged();
}

void KZScroller::Refresh() {
  UpdateScrollBars();
  KZWindowLeech::Redisplay();
}

void KZScroller::GeometryChanged() {
  UpdateScroll();
}

void KZScroller::Redisplay() {
  Refresh();
}

// ---- Scroll bars ----

void KZScroller::UpdateScrollBars() {
  Event(ZafEventRecord(static_cast<int32_t>(ScrollHorizontalRangeEvent), 0));
  Event(ZafEventRecord(static_cast<int32_t>(kScrollVerticalRangeEvent), 0));
}

void KZScroller::SetBarRange(bool horizontal) {
  ZafScrollBar* bar = horizontal ? HorizontalScrollBar() : VerticalScrollBar();
  if (!bar || !bar->ScrollData()) {
    return;
  }
  const KPoint last = MaxPosition();
  if (horizontal) {
    bar->ScrollData()->SetScroll(0, last.x, position.x, LineStepX(), ClientWidth());
  } else {
    bar->ScrollData()->SetScroll(0, last.y, position.y, LineStepY(), ClientHeight());
  }
}

ZafEventType KZScroller::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  switch (code) {
    case ScrollHorizontalRangeEvent:
    case kScrollVerticalRangeEvent:
      SetBarRange(code == ScrollHorizontalRangeEvent);
      return code;
    case ScrollHorizontalByEvent:
    case ScrollVerticalByEvent:
    case HorizontalScrollEvent:
    case VerticalScrollEvent: {
      const bool horizontal = code == ScrollHorizontalByEvent || code == HorizontalScrollEvent;
      const int32_t delta = event.Scroll().delta;
      ScrollBy(horizontal ? delta : 0, horizontal ? 0 : delta, false);
      // A bar's own change is already in its data; a scroll request moves the bar by the same delta.
      if (code == ScrollHorizontalByEvent || code == ScrollVerticalByEvent) {
        if (ZafScrollBar* bar = horizontal ? HorizontalScrollBar() : VerticalScrollBar()) {
          bar->Event(event);
        }
      }
      return code;
    }
    default:
      return KZWindow::Event(event);
  }
}

// ---- Scrolling ----

void KZScroller::ScrollTo(KPoint newPosition, bool updateBars) {
  const KPoint old = position;
  if (!SetPosition(newPosition)) {
    return;
  }
  if (updateBars) {
    UpdateScrollBars();
  }
  const bool copied = !(options & kNeverCopy) && ((position.y == old.y && CopyScroll(true, old)) ||
                                                  (position.x == old.x && CopyScroll(false, old)));
  if (!copied) {
    RedrawRegion(LocalRegion(), RedisplayEvent);
  }
}

bool KZScroller::CopyScroll(bool horizontal, KPoint old) {
  const Axis& moving = horizontal ? kHorizontal : kVertical;
  const Axis& still = horizontal ? kVertical : kHorizontal;
  const int32_t delta = position.*moving.coordinate - old.*moving.coordinate;
  const bool forward = delta > 0 && delta < VisibleUnits(false).*moving.coordinate;
  const bool backward = delta < 0 && -delta < VisibleUnits(true).*moving.coordinate;
  if (!forward && !backward) {
    return false;
  }
  const KRect whole = VisibleRange(false);
  const KRect roundedUp = VisibleRange(true);
  // With option 16 the partly visible last unit is drawn, so it is copied and redrawn as well: across the
  // move in either direction (else it would keep the old picture), and along a backward move.
  const KRect& across = (options & kPartialUnitsVisible) ? roundedUp : whole;
  const int32_t start = position.*moving.coordinate;
  KRect source;
  KRect strip;
  source.*still.low = strip.*still.low = position.*still.coordinate;
  source.*still.high = strip.*still.high = across.*still.high;
  KPoint target = position;
  if (forward) {
    source.*moving.low = start + delta;
    source.*moving.high = whole.*moving.high;
    strip.*moving.low = whole.*moving.high - delta + 1;
    strip.*moving.high = roundedUp.*moving.high;
  } else {
    source.*moving.low = start;
    source.*moving.high = across.*moving.high + delta;
    target = old;
    strip.*moving.low = start;
    strip.*moving.high = start - delta - 1;
  }
  if (!source.IsEmpty()) {
    BeginDraw();
    CopyUnits(source, target);
    EndDraw();
  }
  RedrawUnits(strip, RedisplayEvent);
  return true;
}

void KZScroller::ScrollBy(int32_t dx, int32_t dy, bool updateBars) {
  ScrollTo({Saturated(int64_t{position.x} + dx), Saturated(int64_t{position.y} + dy)}, updateBars);
}

void KZScroller::ScrollByCommand(uint32_t directions, bool updateBars) {
  auto step = [directions](uint32_t lineBack, uint32_t lineForward, uint32_t pageBack, uint32_t pageForward,
                           int32_t line, int32_t page) {
    if (directions & lineBack) {
      return -line;
    }
    if (directions & lineForward) {
      return line;
    }
    if (directions & pageBack) {
      return -page;
    }
    return (directions & pageForward) ? page : 0;
  };
  const int32_t dy = step(kLineUp, kLineDown, kPageUp, kPageDown, LineStepY(), ClientHeight());
  const int32_t dx = step(kLineLeft, kLineRight, kPageLeft, kPageRight, LineStepX(), ClientWidth());
  ScrollBy(dx, dy, updateBars);
}

void KZScroller::MakeVisible(KPoint cell, bool wholeUnitsOnly, bool smooth) {
  const KRect visible = VisibleRange(!wholeUnitsOnly);
  if (visible.Contains(cell)) {
    return;
  }
  const KPoint units = VisibleUnits(!wholeUnitsOnly);
  KPoint target = position;
  for (const auto& [coordinate, low, high] : {kHorizontal, kVertical}) {
    if (cell.*coordinate < visible.*low) {
      target.*coordinate = cell.*coordinate;
    } else if (cell.*coordinate > visible.*high) {
      target.*coordinate = cell.*coordinate - units.*coordinate + 1;
    }
  }
  if (smooth) {
    ScrollTo(target, true);
  } else if (SetPosition(target)) {
    Refresh();
  }
}

void KZScroller::CenterOn(KPoint cell, bool smooth) {
  const KPoint units = VisibleUnits(false);
  const KPoint target{cell.x - (units.x >> 1), cell.y - (units.y >> 1)};
  if (smooth) {
    ScrollTo(target, true);
  } else if (SetPosition(target)) {
    Refresh();
  }
}

// ---- Auto-scroll ----

bool KZScroller::AutoScrollCheck(KPoint cell) {
  ExtentRegion().Intersect(cell);
  if (VisibleRange(false).Contains(cell)) {
    autoScrolling = false;
    return false;
  }
  if (!autoScrolling) {
    autoScrolling = true;
    autoScrollStart = autoScrollNext = KGetTickCount();
    autoScrollStepped = false;
    autoScrollSteps = 0;
    autoScrollSpeed = 1;
  }
  return true;
}

void KZScroller::AutoScrollStep(KPoint cell) {
  const uint32_t now = KGetTickCount();
  if (KTickDifference(now, autoScrollNext) < 0) {
    autoScrollStepped = false;
    autoScrollSteps = 0;
    return;
  }
  // Steps that follow each other without a pause double the speed, up to four times.
  if (autoScrollStepped && ++autoScrollSteps > 1) {
    autoScrollSpeed = std::min(autoScrollSpeed * 2, 4);
    autoScrollSteps = 0;
  }
  const int32_t rate = AutoScrollRate(KTickDifference(now, autoScrollStart));
  // A pane that does not scroll by itself answers 0: there is no step and no step time to divide by.
  if (rate <= 0) {
    return;
  }
  const int32_t limitedRate = rate >= kMaxStepsPerSecond ? kMaxStepsPerSecond / autoScrollSpeed : rate;
  autoScrollNext = now + static_cast<uint32_t>(1000 / limitedRate);
  const int32_t step = rate / limitedRate;
  const KRect visible = VisibleRange(false);
  KPoint delta{0, 0};
  if (cell.x < visible.left || cell.x > visible.right) {
    delta.x = cell.x < visible.left ? -step : step;
  } else if (cell.y < visible.top || cell.y > visible.bottom) {
    delta.y = cell.y < visible.top ? -step : step;
  }
  ScrollBy(delta.x, delta.y, true);
  autoScrollStepped = true;
}

// ---- Units and pixels ----

KPoint KZScroller::ClientPixels() {
  const KRect client = LocalRegion();
  return {client.Width(), client.Height()};
}

KPoint KZScroller::VisibleUnits(bool roundUp) {
  const KPoint client = ClientPixels();
  if (roundUp) {
    return {UnitsRoundedUp(client.x, unitSize.x), UnitsRoundedUp(client.y, unitSize.y)};
  }
  return {WholeUnits(client.x, unitSize.x), WholeUnits(client.y, unitSize.y)};
}

KRect KZScroller::VisibleRange(bool roundUp) {
  const KPoint units = VisibleUnits(roundUp);
  return {position.x, position.y, position.x + units.x - 1, position.y + units.y - 1};
}

bool KZScroller::IsCellVisible(KPoint cell, bool roundUp) {
  return VisibleRange(roundUp).Contains(cell);
}

KRect KZScroller::ClientUnits() {
  return PixelToUnit(LocalRegion());
}

KRect KZScroller::ExtentRegion() const {
  return {0, 0, extent.x - 1, extent.y - 1};
}

int32_t KZScroller::RightAlignShift() {
  if (!(options & kAlignRight)) {
    return 0;
  }
  const int32_t page = ClientWidth();
  return extent.x < page ? page - extent.x : 0;
}

KPoint KZScroller::UnitToPixel(KPoint unit) {
  return {UnitsToPixels(unit.x - position.x + RightAlignShift(), unitSize.x),
          UnitsToPixels(unit.y - position.y, unitSize.y)};
}

KRect KZScroller::UnitToPixel(const KRect& units) {
  const int32_t shift = RightAlignShift();
  return {UnitsToPixels(units.left - position.x + shift, unitSize.x),
          UnitsToPixels(units.top - position.y, unitSize.y),
          LastPixelOf(units.right - position.x + shift, unitSize.x),
          LastPixelOf(units.bottom - position.y, unitSize.y)};
}

KPoint KZScroller::PixelToUnit(KPoint pixel) {
  return {PixelsToUnits(pixel.x, unitSize.x) - RightAlignShift() + position.x,
          PixelsToUnits(pixel.y, unitSize.y) + position.y};
}

KRect KZScroller::PixelToUnit(const KRect& pixels) {
  const KPoint topLeft = PixelToUnit(KPoint{pixels.left, pixels.top});
  const KPoint bottomRight = PixelToUnit(KPoint{pixels.right, pixels.bottom});
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

KRect KZScroller::CellRegion(KPoint cell) {
  return UnitToPixel(KRect{cell.x, cell.y, cell.x, cell.y});
}

// ---- Drawing ----

ZafPaletteStruct KZScroller::CellPalette(KPoint, uint16_t type, uint16_t state) {
  return LogicalPalette(type, state);
}

KZDrawingState KZScroller::ApplyPalette(const ZafPaletteStruct& palette) {
  return SetDrawingState({DrawingState().mode, palette});
}

void KZScroller::DrawCell(KPoint cell) {
  BeginDraw();
  const KZDrawingState previous = ApplyPalette(CellPalette(cell, ZAF_PM_BACKGROUND, PaletteState()));
  FillUnits({cell.x, cell.y, cell.x, cell.y}, 0, true);
  SetDrawingState(previous);
  EndDraw();
}

void KZScroller::DrawCells(const KRect& units) {
  for (int32_t row = units.top; row <= units.bottom; ++row) {
    for (int32_t column = units.left; column <= units.right; ++column) {
      DrawCell({column, row});
    }
  }
}

ZafEventType KZScroller::Draw(const ZafEventRecord& event, ZafEventType drawType) {
  const ZafRegionStruct region = event.Region();
  const KRect update = FromDrawRect({region.left, region.top, region.right, region.bottom});
  if (update.Area() < 1) {
    return drawType;
  }
  BeginDraw();
  const KRect units = PixelToUnit(update);
  KRect cells = units;
  // Both clips, always: where the update reaches past the contents, a partly visible unit still counts only
  // with option 16 (drawn, it would keep its old picture through a later scroll that does not copy it).
  const bool clippedToContents = cells.Clip(ExtentRegion());
  const bool clippedToVisible = cells.Clip(MeasuredRange());
  const bool outsideContents = clippedToContents || clippedToVisible;
  const KZDrawingState previous = DrawingState();
  if (outsideContents) {
    ApplyPalette(CellPalette({-1, -1}, ZAF_PM_BACKGROUND, PaletteState()));
    FillOutsideContents(units, cells);
  }
  if (!cells.IsEmpty()) {
    DrawCells(cells);
  }
  if (emptyText && ExtentRegion().IsEmpty()) {
    ApplyPalette(CellPalette({-1, -1}, ZAF_PM_TEXT, PaletteState()));
    DrawTextFitted(LocalRegion(), emptyText->CStr(), kAlignStart, kAlignStart, false);
  }
  SetDrawingState(previous);
  EndDraw();
  return drawType;
}

void KZScroller::FillOutsideContents(const KRect& update, const KRect& cells) {
  if (cells.IsEmpty()) {
    FillUnits(update, 0, true);
    return;
  }
  // Every side: contents that are narrower or shorter than the page, or scrolled, leave room on any of them.
  FillIfAny(*this, {update.left, update.top, update.right, cells.top - 1});
  FillIfAny(*this, {update.left, cells.bottom + 1, update.right, update.bottom});
  FillIfAny(*this, {update.left, cells.top, cells.left - 1, cells.bottom});
  FillIfAny(*this, {cells.right + 1, cells.top, update.right, cells.bottom});
}

void KZScroller::RedrawUnits(const KRect& units, ZafEventType drawType) {
  RedrawRegion(UnitToPixel(units), drawType);
}

void KZScroller::DrawUnitBackground(const KRect& units, ZafEventType drawType) {
  KZWindowLeech::DrawBackground(UnitToPixel(units), drawType);
}

void KZScroller::DrawUnitShadow(const KRect& units, int32_t depth, ZafEventType drawType) {
  KZWindowLeech::DrawShadow(UnitToPixel(units), depth, drawType);
}

void KZScroller::DrawUnitLine(KPoint from, KPoint to, int32_t width) {
  const KPoint start = UnitToPixel(from);
  const KPoint end = UnitToPixel(to);
  DrawLine(start.x, start.y, end.x, end.y, width);
}

void KZScroller::FillUnits(const KRect& units, int32_t width, bool fill) {
  DrawRectangle(UnitToPixel(units), width, fill);
}

void KZScroller::DrawUnitTextAt(KPoint at, const ZafIChar* text, int32_t hotKeyIndex, bool fill) {
  const KPoint pixel = UnitToPixel(at);
  DrawTextAt(pixel.x, pixel.y, text, hotKeyIndex, fill);
}

void KZScroller::DrawUnitText(const KRect& units, const ZafIChar* text, int32_t horizontalJustify,
                              int32_t verticalJustify, bool fill) {
  DrawTextFitted(UnitToPixel(units), text, horizontalJustify, verticalJustify, fill);
}

void KZScroller::DrawUnitBits(const KRect& units, const uint8_t* bits, int32_t bitsPerPixel,
                              int32_t rowStride, int32_t transparent) {
  DrawBits(UnitToPixel(units), bits, bitsPerPixel, rowStride, transparent);
}

void KZScroller::CopyUnits(const KRect& units, KPoint to) {
  const KPoint pixel = UnitToPixel(to);
  CopyArea(UnitToPixel(units), pixel.x, pixel.y);
}

KRect KZScroller::ClipUnits(const KRect& units) {
  return PixelToUnit(SetClipRegion(UnitToPixel(units)));
}
