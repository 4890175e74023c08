#include "framework/win32/zafbarwindow.h"

#include "framework/core/zafwindow.h"
#include "framework/win32/zafcreatewindow.h"
#include "native/native.h"

namespace {

// A vertical pixel distance in another coordinate type.
int32_t PixelsAs(int32_t pixels, int32_t type) {
  return ZafPositionStruct{0, pixels, ZAF_PIXEL}.Converted(type, ZafWindowObject::display).line;
}

}  // namespace

native::HWND ZafCreateBarWindow(ZafWindowObject& bar) {
  native::DWORD style = native::WS_CHILD | native::WS_CLIPSIBLINGS;
  if (bar.Visible()) {
    style |= native::WS_VISIBLE;
  }
  return ZafCreateWindow(&bar, u"ZafWindow", style, nullptr, nullptr, native::WS_EX_NOPARENTNOTIFY);
}

ZafEventType ZafBarNativeEvent(ZafWindow& bar, const ZafEventRecord& event) {
  switch (event.osEvent.message) {
    case native::WM_PAINT:
    case native::WM_ERASEBKGND:
      return bar.ZafWindowObject::NativeEvent(event);
    case native::WM_LBUTTONDOWN:
    case native::WM_RBUTTONDOWN: {
      // A frame that a modal window disables stays behind it.
      const native::HWND frame = bar.RootObject()->ScreenID(2);
      if (native::IsWindowEnabled(frame)) {
        native::SetForegroundWindow(frame);
      }
      return bar.ZafWindowObject::NativeEvent(event);
    }
    default:
      return bar.ZafWindow::NativeEvent(event);
  }
}

void ZafConvertBarRegion(ZafWindowObject& bar, ZafRegionStruct& target, int32_t type, int32_t margin) {
  if (type == target.coordinateType) {
    return;
  }
  if (type == ZAF_CELL) {
    target.bottom -= PixelsAs(margin, target.coordinateType);
  }
  bar.ZafWindowObject::ConvertRegion(target, type);
  if (bar.CoordinateType() == ZAF_CELL) {
    target.bottom += PixelsAs(margin, type);
  }
}
