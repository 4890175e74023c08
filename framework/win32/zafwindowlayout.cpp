// Where a window's objects go and how the window draws: the client area left over by the bars placed
// before an object, the region taken as the outer size, the window's drawing bracket and background, and
// mouse positions made relative to the client window of a framed window.
#include "framework/core/zafdisplay.h"
#include "framework/core/zafregionlist.h"
#include "framework/core/zafwindow.h"
#include "native/native.h"

namespace {

// An object placed against the edges of the area left by those before it (a bar, or a child docked to a
// side).
constexpr int32_t kPlacedAgainstEdges = 2;

// The client rectangle of a native window, from the origin, inclusive edges. A window's own scroll bars lie
// outside it.
ZafRegionStruct ClientRectangle(native::HWND window) {
  native::RECT client{};
  native::GetClientRect(window, &client);
  return {0, 0, client.right - client.left - 1, client.bottom - client.top - 1, ZAF_PIXEL};
}

// A region's size with its top-left corner at the origin, in pixels.
ZafRegionStruct SizeAtOrigin(const ZafRegionStruct& region) {
  const ZafRegionStruct pixels = region.Converted(ZAF_PIXEL, ZafWindowObject::display);
  return {0, 0, pixels.Width() - 1, pixels.Height() - 1, ZAF_PIXEL};
}

// What is left of `area` by the objects of `placed` in front of `object` that lie against the edges (all of
// them when `object` is not in the list): the piece below and right of every one cut.
ZafRegionStruct AreaLeftBy(const ZafList& placed, const ZafWindowObject* object,
                           const ZafRegionStruct& area) {
  ZafRegionList remaining;
  remaining.Add(new ZafRegionElement(0, area));
  for (const ZafElement* element = placed.First(); element && element != object; element = element->Next()) {
    const auto* cutter = static_cast<const ZafWindowObject*>(element);
    // Frame parts drawn by the frame itself take nothing from the client area.
    if (cutter->Placement() == kPlacedAgainstEdges &&
        (cutter->OwnNativeWindow() || !cutter->SupportObject())) {
      remaining.Split(0, cutter->Region().Converted(ZAF_PIXEL, ZafWindowObject::display), true);
    }
  }
  const auto* last = static_cast<const ZafRegionElement*>(remaining.Last());
  return last ? last->region : area;
}

}  // namespace

ZafRegionStruct ZafWindow::ClientRegion(const ZafWindowObject* object) {
  if (object && object != this) {
    if (object->SupportObject()) {
      return FrameAreaLeftBefore(object);
    }
    const ZafRegionStruct client = clientRegion.Converted(ZAF_PIXEL, display);
    return object->Placement() == kPlacedAgainstEdges ? AreaLeftBy(*this, object, client) : client;
  }
  // Children are placed and drawn in the client window, whose own client area leaves out the window's
  // scroll bars; the frame around it also holds the bars with windows of their own.
  if (screenID) {
    return ClientRectangle(screenID);
  }
  // Not created yet: the area the window is meant to have.
  return SizeAtOrigin(clientRegion);
}

ZafRegionStruct ZafWindow::FrameAreaLeftBefore(const ZafWindowObject* object) {
  const native::HWND outer = ScreenID(2);
  return AreaLeftBy(support, object, outer ? ClientRectangle(outer) : SizeAtOrigin(clientRegion));
}

void ZafWindow::SetRegion(const ZafRegionStruct& newRegion) {
  ZafWindowObject::SetRegion(newRegion);
  sizeIsClient = false;
}

ZafRegionStruct ZafWindow::BeginDraw() {
  ZafRegionStruct drawRegion;
  if (!ownNativeWindow) {
    drawRegion = ConvertToDrawRegion();
  } else if (!editMode) {
    drawRegion = ClientRectangle(screenID);
  } else {
    const ZafRegionStruct placed = region.Converted(ZAF_PIXEL, display);
    drawRegion = {0, 0, placed.Width() - 1, placed.Height() - 1, ZAF_PIXEL};
  }
  native::HDC context = nullptr;
  ZafRegionStruct clip = drawRegion;
  if (editMode && parent) {
    // A window being laid out is drawn over its parent's other children, clipped only by the parent.
    context = native::GetDCEx(ScreenID(2), nullptr, native::DCX_PARENTCLIP);
    clip = {0, 0, 10000, 10000, ZAF_PIXEL};
  }
  drawContexts.push_back(context);
  display->BeginDraw(context, screenID, drawRegion, clip);
  return drawRegion;
}

ZafEventType ZafWindow::Draw(const ZafEventRecord&, ZafEventType drawType) {
  ZafRegionStruct drawRegion = BeginDraw();
  DrawBackground(drawRegion, drawType);
  EndDraw();
  return drawType;
}

int ZafWindow::ConvertCoordinates(ZafEventRecord& event) {
  if ((editMode && support.Count() == 0) || ZafEventRecord::Category(event) != ZAF_CATEGORY_MOUSE) {
    return ZafWindowObject::ConvertCoordinates(event);
  }
  const native::UINT message = event.osEvent.message;
  if (event.type != E_OSEVENT || message < native::WM_MOUSEFIRST || message > native::WM_MBUTTONDBLCLK) {
    return 0;
  }
  // The window object's conversion measures from the outer window; children are placed in the client
  // window. A position converted before is left as it is.
  if (ZafWindowObject::ConvertCoordinates(event) && ownNativeWindow && screenID) {
    native::RECT outer{};
    native::GetWindowRect(ScreenID(2), &outer);
    native::POINT origin{outer.left, outer.top};
    native::ScreenToClient(screenID, &origin);
    ZafPositionStruct position = event.Position();
    position.column += origin.x;
    position.line += origin.y;
    event.SetPosition(position);
  }
  return 1;
}
