#include "toolkit/kzsizer.h"

#include <algorithm>
#include <cstdlib>

#include "framework/core/zafdevice.h"
#include "framework/win32/zafmouseimages.h"
#include "native/native.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzevents.h"

namespace {

// Text alignment codes of the display: left, right and centred across; centred between top and bottom.
constexpr int32_t kAlignLeft = 0;
constexpr int32_t kAlignRight = 1;
constexpr int32_t kAlignCentre = 2;
constexpr int32_t kAlignMiddle = 2;

int32_t AlignmentOf(uint32_t textFlags, bool horizontal) {
  if (textFlags & KZSizer::kTextLeft) {
    return kAlignLeft;
  }
  if (textFlags & KZSizer::kTextCentred) {
    return kAlignCentre;
  }
  if (textFlags & KZSizer::kTextRight) {
    return kAlignRight;
  }
  return horizontal ? kAlignLeft : kAlignCentre;
}

KPoint Sum(KPoint point, KPoint by) {
  return {point.x + by.x, point.y + by.y};
}

KPoint Difference(KPoint point, KPoint by) {
  return {point.x - by.x, point.y - by.y};
}

KRect Union(const KRect& one, const KRect& other) {
  return {std::min(one.left, other.left), std::min(one.top, other.top), std::max(one.right, other.right),
          std::max(one.bottom, other.bottom)};
}

}  // namespace

KZSizer::KZSizer(int32_t placement, int32_t height, int32_t length, int32_t origin)
    : KZToolBar(placement, height), origin(origin), length(length) {
  // The cells are the bar's own drawing: the framework neither lays out nor sizes it.
  SetWrap(false);
}

KZSizer::~KZSizer() = default;

bool KZSizer::SetLength(int32_t pixels) {
  const bool changed = pixels != length;
  length = pixels;
  return changed;
}

bool KZSizer::SetOrigin(int32_t pixels) {
  const bool changed = pixels != origin;
  origin = pixels;
  return changed;
}

// ---- Cells and boundaries ----

int32_t KZSizer::DragIndex() {
  return dragIndex;
}

void KZSizer::SetDragIndex(int32_t index) {
  dragIndex = index;
}

int32_t KZSizer::CellCount() {
  return 0;
}

int32_t KZSizer::BoundaryPosition(int32_t index) {
  if (index <= 0) {
    return 0;
  }
  return index >= CellCount() ? length : -1;
}

void KZSizer::MoveBoundary(int32_t, int32_t) {
  RedrawRegion(LocalRegion(), RedisplayEvent);
}

void KZSizer::CellRegion(int32_t index, KRect& rect, int32_t mode) {
  const KRect client = LocalRegion();
  const int32_t from = BoundaryPosition(index);
  const int32_t to = BoundaryPosition(index + 1) - 1;
  rect = IsHorizontal() ? KRect{from, 0, to, client.Height() - 1} : KRect{0, from, client.Width() - 1, to};
  if (mode == kCellInner) {
    const int32_t inset = std::abs(frameDepth);
    rect = {rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
  }
}

bool KZSizer::CellFromPoint(KPoint point, int32_t& index) {
  const int32_t along = Along(point);
  const int32_t count = CellCount();
  for (int32_t cell = 0; cell < count; ++cell) {
    if (BoundaryPosition(cell) < along && along < BoundaryPosition(cell + 1)) {
      index = cell;
      return true;
    }
  }
  return false;
}

void KZSizer::CellPressed(KPoint, int32_t) {}

bool KZSizer::CanDragBoundary(int32_t index) {
  const int32_t count = CellCount();
  if (count == 0) {
    return false;
  }
  if (index == 0) {
    return sizerFlags & kLeadingEdge;
  }
  if (index == count) {
    return sizerFlags & kTrailingEdge;
  }
  return index > 0 && index < count;
}

bool KZSizer::BoundaryAt(KPoint point, int32_t& index) {
  const int64_t along = Along(point);
  const int32_t count = CellCount();
  bool found = false;
  int64_t nearest = 0;
  for (int32_t boundary = 0; boundary <= count; ++boundary) {
    if (!CanDragBoundary(boundary)) {
      continue;
    }
    const int64_t position = BoundaryPosition(boundary);
    const int64_t distance = std::llabs(position - along);
    if (distance > kGrabTolerance) {
      continue;
    }
    // Of two boundaries equally near, the later one wins only from before the pointer: the pointer
    // between two close boundaries takes the one on its left (or above it).
    if (!found || distance < nearest || (distance == nearest && position <= along)) {
      found = true;
      nearest = distance;
      index = boundary;
    }
  }
  return found;
}

void KZSizer::CellText(int32_t, KString&, uint32_t&) {}

// ---- The pointer ----

ZafEventType KZSizer::Event(const ZafEventRecord& event) {
  if (event.type == E_OSEVENT && event.osEvent.message == native::WM_SETCURSOR) {
    return 1;
  }
  const ZafEventType code = MapEvent(event);
  const bool press = code == LeftPressedEvent && DragIndex() < 0;
  if (code != PointerMovedEvent && !press && code != LeftDraggedEvent && code != LeftReleasedEvent) {
    return KZToolBar::Event(event);
  }
  const KPoint bar = BarPoint(event);
  KZApplication* application = KZApplication::application;
  if (code == PointerMovedEvent) {
    int32_t boundary = 0;
    const ZafEventType image = !BoundaryAt(bar, boundary) ? DefaultImage
                               : IsHorizontal()           ? DM_LEFT_SIDE
                                                          : DM_TOP_SIDE;
    if (application) {
      application->SetMouseImage(image);
    }
    return code;
  }
  if (press) {
    Press(bar);
  }
  if (DragIndex() >= 0) {
    MoveBoundary(DragIndex(), Along(bar) + grabOffset);
    if (code == LeftReleasedEvent) {
      if (application) {
        application->SetCapture(nullptr, 0);
      }
      SetDragIndex(-1);
    }
  }
  return code;
}

KPoint KZSizer::BarPoint(const ZafEventRecord& event) {
  ZafEventRecord translated = event;
  if (translated.referenceObject != this) {
    ConvertCoordinates(translated);
  }
  const ZafPositionStruct at = translated.Position();
  return ToBar(KPoint{at.column, at.line});
}

void KZSizer::Press(KPoint bar) {
  if ((sizerFlags & kNotifyOnPress) && Parent()) {
    Parent()->Event(ZafEventRecord(static_cast<int32_t>(LeechNotifyEvent), 0));
  }
  int32_t index = 0;
  if (BoundaryAt(bar, index)) {
    SetDragIndex(index);
    // The boundary keeps its distance from the pointer: it moves by as much as the pointer does, so a
    // press beside it moves nothing, and the pointer back where it pressed puts it back where it was.
    grabOffset = BoundaryPosition(index) - Along(bar);
    // The pointer hides while it drags: the moving boundary shows where it is.
    if (KZApplication::application) {
      KZApplication::application->SetCapture(this, KZApplication::kCaptureHidesPointer);
    }
  } else if (CellFromPoint(bar, index)) {
    CellPressed(bar, index);
  }
}

// ---- Drawing ----

ZafEventType KZSizer::Draw(const ZafEventRecord& event, ZafEventType drawType) {
  const ZafRegionStruct region = event.Region();
  KRect update = ToBar(FromDrawRect({region.left, region.top, region.right, region.bottom}));
  if (update.Area() <= 0) {
    return drawType;
  }
  // A cell draws in a drawing pass of its own, which keeps no clip: so each cell the update touches is
  // cleared and drawn whole, and no other, and no title is drawn over an old picture of itself.
  const int32_t count = CellCount();
  for (int32_t cell = 0; cell < count; ++cell) {
    if (const KRect area = CellArea(cell); area.Intersects(update)) {
      update = Union(update, area);
    }
  }
  BeginDraw();
  DrawBarBackground(update, RedisplayEvent);
  for (int32_t cell = 0; cell < count; ++cell) {
    if (CellArea(cell).Intersects(update)) {
      DrawCell(cell);
    }
  }
  EndDraw();
  return drawType;
}

KRect KZSizer::CellArea(int32_t index) {
  KRect area;
  CellRegion(index, area, kCellArea);
  return area;
}

ZafPaletteStruct KZSizer::CellPalette(int32_t, uint16_t type, uint16_t state) {
  return LogicalPalette(type, state);
}

void KZSizer::DrawCellFrame(int32_t index) {
  if (frameDepth == 0) {
    return;
  }
  KRect frame;
  CellRegion(index, frame, kCellFrame);
  if (frame.Area() > 0) {
    BeginDraw();
    DrawBarShadow(frame, frameDepth, RedisplayEvent);
    EndDraw();
  }
}

void KZSizer::DrawCell(int32_t index) {
  DrawCellFrame(index);
  KRect inner;
  CellRegion(index, inner, kCellInner);
  if (inner.Area() <= 0) {
    return;
  }
  KString text;
  uint32_t textFlags = 0;
  CellText(index, text, textFlags);
  if (text.IsEmpty()) {
    return;
  }
  BeginDraw();
  const KZDrawingState previous =
      SetDrawingState({DrawingState().mode, CellPalette(index, ZAF_PM_TEXT, PaletteState())});
  DrawBarText(inner, text.CStr(), AlignmentOf(textFlags, IsHorizontal()), kAlignMiddle, false);
  SetDrawingState(previous);
  EndDraw();
}

// ---- Bar coordinates ----

KPoint KZSizer::Shift() const {
  return IsHorizontal() ? KPoint{origin, 0} : KPoint{0, origin};
}

KPoint KZSizer::ToBar(KPoint window) const {
  return Sum(window, Shift());
}

KRect KZSizer::ToBar(const KRect& window) const {
  KRect bar = window;
  bar.Offset(Shift());
  return bar;
}

KPoint KZSizer::FromBar(KPoint bar) const {
  return Difference(bar, Shift());
}

KRect KZSizer::FromBar(const KRect& bar) const {
  KRect window = bar;
  window.OffsetBack(Shift());
  return window;
}

void KZSizer::RedrawBar(const KRect& bar, ZafEventType drawType) {
  RedrawRegion(FromBar(bar), drawType);
}

void KZSizer::DrawBarBackground(const KRect& bar, ZafEventType drawType) {
  KZWindowLeech::DrawBackground(FromBar(bar), drawType);
}

void KZSizer::DrawBarShadow(const KRect& bar, int32_t depth, ZafEventType drawType) {
  KZWindowLeech::DrawShadow(FromBar(bar), depth, drawType);
}

void KZSizer::DrawBarLine(KPoint from, KPoint to, int32_t width) {
  const KPoint start = FromBar(from);
  const KPoint end = FromBar(to);
  DrawLine(start.x, start.y, end.x, end.y, width);
}

void KZSizer::FillBar(const KRect& bar, int32_t width, bool fill) {
  DrawRectangle(FromBar(bar), width, fill);
}

void KZSizer::DrawBarTextAt(KPoint at, const ZafIChar* text, int32_t hotKeyIndex, bool fill) {
  const KPoint window = FromBar(at);
  DrawTextAt(window.x, window.y, text, hotKeyIndex, fill);
}

void KZSizer::DrawBarText(const KRect& bar, const ZafIChar* text, int32_t horizontalJustify,
                          int32_t verticalJustify, bool fill) {
  DrawTextFitted(FromBar(bar), text, horizontalJustify, verticalJustify, fill);
}

void KZSizer::DrawBarBits(const KRect& bar, const uint8_t* bits, int32_t bitsPerPixel, int32_t rowStride,
                          int32_t transparent) {
  DrawBits(FromBar(bar), bits, bitsPerPixel, rowStride, transparent);
}

void KZSizer::CopyBar(const KRect& bar, KPoint to) {
  const KPoint window = FromBar(to);
  CopyArea(FromBar(bar), window.x, window.y);
}

KRect KZSizer::BarClientRegion() {
  return ToBar(LocalRegion());
}

KRect KZSizer::ClipBar(const KRect& bar) {
  return ToBar(SetClipRegion(FromBar(bar)));
}
