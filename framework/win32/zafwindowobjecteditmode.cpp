// Edit mode: an object being laid out answers the pointer instead of working. The pointer shows which
// edge a press would size, a press moves or sizes the object with a frame that follows the pointer, and
// the object tells itself what happened so that an editing class can take it from there.
#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/core/zafwindowobject.h"
#include "framework/win32/zafmouse.h"
#include "framework/win32/zafwindowobjectdrag.h"
#include "native/native.h"

namespace {

// The pointer shows an edge within this many pixels of it.
constexpr int32_t kImageEdge = 4;
// A press sizes an edge within this many pixels of it.
constexpr int32_t kSizingEdge = 5;
// A clip that leaves the drawing to the context's own visible area.
constexpr ZafRegionStruct kUnclipped{-10000, -10000, 10000, 10000, ZAF_PIXEL};

struct Edges {
  bool left = false;
  bool top = false;
  bool right = false;
  bool bottom = false;
};

// The image for the edges the pointer is at; corners before sides.
int32_t EdgeImage(const Edges& at) {
  if (at.left && at.top) {
    return DM_TOP_LEFT_CORNER;
  }
  if (at.right && at.bottom) {
    return DM_BOTTOM_RIGHT_CORNER;
  }
  if (at.right && at.top) {
    return DM_TOP_RIGHT_CORNER;
  }
  if (at.left && at.bottom) {
    return DM_BOTTOM_LEFT_CORNER;
  }
  if (at.left) {
    return DM_LEFT_SIDE;
  }
  if (at.right) {
    return DM_RIGHT_SIDE;
  }
  if (at.top) {
    return DM_TOP_SIDE;
  }
  if (at.bottom) {
    return DM_BOTTOM_SIDE;
  }
  return DM_POSITION_IMAGE;
}

// The edges a press at `position` (pixels from the object's top-left corner) sizes: a left or top edge
// wins over the opposite one of a tiny object, and a press away from every edge moves all four.
Edges SizedEdges(const ZafPositionStruct& position, const ZafRegionStruct& pixels) {
  Edges edges;
  edges.left = position.column < kSizingEdge;
  edges.right = !edges.left && position.column >= pixels.Width() - (kSizingEdge - 1);
  edges.top = position.line < kSizingEdge;
  edges.bottom = !edges.top && position.line >= pixels.Height() - (kSizingEdge - 1);
  if (!edges.left && !edges.right && !edges.top && !edges.bottom) {
    return {true, true, true, true};
  }
  return edges;
}

// Erases one frame and draws another (either may be null). A frame may reach beyond the object's window
// over its parent, so nothing but the parent's visible area clips it. Each call opens its own drawing:
// between two calls the move loop hands paints of other windows to the display.
void ToggleFrames(ZafWindowObject& object, const ZafRegionStruct* erase, const ZafRegionStruct* draw) {
  ZafDisplay* display = ZafWindowObject::display;
  object.BeginDraw();
  display->SetClipRegion(kUnclipped);
  display->FocusRectangle(erase, draw);
  object.EndDraw();
}

bool IsPaintMessage(const ZafEventRecord& event) {
  return event.type == E_OSEVENT &&
         (event.osEvent.message == native::WM_PAINT || event.osEvent.message == native::WM_DRAWITEM);
}

}  // namespace

ZafEventType ZafWindowObject::EditModeEvent(const ZafEventRecord& event) {
  if (event.type == E_OSEVENT && ZafWindowObjectDrag::TakeFocusButtonUp(event.osEvent)) {
    // The release a focus change posted is the class procedure's alone; taking its mark here keeps a later
    // real release at the window's corner from being mistaken for it.
    return ZafWindowObjectDrag::DefaultProcedure(event);
  }
  ZafEventRecord converted = event;
  ConvertCoordinates(converted);
  const ZafEventType code = MapEvent(converted);
  // The pointer image for the edge it is at (positions are pixels from the object's top-left corner).
  const auto showEdge = [this, &converted] {
    const ZafPositionStruct at = converted.Position();
    const ZafRegionStruct pixels = region.Converted(ZAF_PIXEL, display);
    const Edges edges{at.column < kImageEdge, at.line < kImageEdge, at.column >= pixels.Width() - kImageEdge,
                      at.line >= pixels.Height() - kImageEdge};
    if (eventManager) {
      eventManager->SendToDevices(ZafEventRecord(EdgeImage(edges), 0), E_MOUSE_DEVICE);
    }
  };
  switch (code) {
    case LeftPressedEvent: {
      SetFocus(true);
      showEdge();
      const native::HWND window = event.type == E_OSEVENT ? event.osEvent.hwnd : nullptr;
      if (window) {
        native::SetCapture(window);
      }
      UpdatePosition(converted);
      if (window) {
        native::ReleaseCapture();
      }
      ZafEventRecord placed(EditPlacedEvent, static_cast<int32_t>(ClassID()));
      placed.windowObject = this;
      Event(placed);
      ZafEventRecord press(EditPressEvent, converted.value);
      press.SetPosition(converted.Position());
      Event(press);
      return code;
    }
    case PointerMovedEvent:
      showEdge();
      return code;
    case ChosenEvent:
    case ChosenByDoubleClickEvent: {
      ZafEventRecord chosen(EditChosenEvent, static_cast<int32_t>(ClassID()));
      chosen.windowObject = this;
      Event(chosen);
      return code;
    }
    case RightPressedEvent:
      return code;
    default:
      if (event.type != E_OSEVENT) {
        return UnknownEventResult;
      }
      return ZafWindowObjectDrag::DefaultProcedure(event);
  }
}

ZafEventType ZafWindowObject::UpdatePosition(const ZafEventRecord& event) {
  if (!screenID || !display || !eventManager) {
    return LeftReleasedEvent;
  }
  ZafEventRecord press = event;
  ConvertCoordinates(press);
  const ZafPositionStruct pressedAt = press.Position();
  const ZafRegionStruct before = region.Converted(ZAF_PIXEL, display);
  const Edges edges = SizedEdges(pressedAt, before);

  // The frame starts as the window's outline in its own coordinates, right and bottom inclusive.
  native::RECT outline{};
  native::GetWindowRect(ScreenID(2), &outline);
  native::MapWindowPoints(nullptr, ScreenID(2), &outline);
  const ZafRegionStruct start{outline.left, outline.top, outline.right - 1, outline.bottom - 1, ZAF_PIXEL};
  ZafRegionStruct frame = start;
  ToggleFrames(*this, nullptr, &frame);

  // An offset in pixels, snapped to whole units of the coordinate type the object was laid out in.
  const auto snap = [this](int32_t pixels, auto convert) {
    return convert(display, convert(display, pixels, ZAF_PIXEL, coordinateType), coordinateType, ZAF_PIXEL);
  };
  ZafEventRecord next;
  while (eventManager->Get(next, 0) == Q_EVENT_TAKEN) {
    if (next.type == E_OSEVENT && ZafWindowObjectDrag::TakeFocusButtonUp(next.osEvent)) {
      // The release a focus change posted ends no move: only the class procedure sees it.
      ZafWindowObjectDrag::DefaultProcedure(next);
      continue;
    }
    ZafEventRecord pointer = next;
    ConvertCoordinates(pointer);
    const ZafEventType code = MapEvent(pointer);
    if (code == LeftDraggedEvent || code == LeftReleasedEvent) {
      const int32_t dx = snap(pointer.Position().column - pressedAt.column, ZafDisplay::ConvertCoordinate);
      const int32_t dy = snap(pointer.Position().line - pressedAt.line, ZafDisplay::ConvertYValue);
      ZafRegionStruct moved = start;
      moved.left += edges.left ? dx : 0;
      moved.right += edges.right ? dx : 0;
      moved.top += edges.top ? dy : 0;
      moved.bottom += edges.bottom ? dy : 0;
      // An edge dragged over its opposite one would turn the frame inside out: keep the last good pair.
      if (moved.Width() <= 0) {
        moved.left = frame.left;
        moved.right = frame.right;
      }
      if (moved.Height() <= 0) {
        moved.top = frame.top;
        moved.bottom = frame.bottom;
      }
      if (moved != frame) {
        ToggleFrames(*this, &frame, &moved);
        frame = moved;
      }
      if (code == LeftReleasedEvent) {
        break;
      }
    } else if (IsPaintMessage(next)) {
      // The paint would draw over the frame, and erasing it later would then draw it instead.
      ToggleFrames(*this, &frame, nullptr);
      if (windowManager) {
        windowManager->Event(next);
      }
      ToggleFrames(*this, nullptr, &frame);
    } else if (windowManager) {
      windowManager->Event(next);
    }
  }
  ToggleFrames(*this, &frame, nullptr);

  ZafRegionStruct after = before;
  after.left += frame.left - start.left;
  after.top += frame.top - start.top;
  after.right += frame.right - start.right;
  after.bottom += frame.bottom - start.bottom;
  if (after != before) {
    Event(ZafEventRecord(SetRegionEvent, 0, after.left, after.top, after.right, after.bottom, ZAF_PIXEL));
    if (parent) {
      ZafEventRecord sized(SizedEvent, 0);
      sized.SetRegion(before);
      parent->Event(sized);
    }
  }
  return LeftReleasedEvent;
}
