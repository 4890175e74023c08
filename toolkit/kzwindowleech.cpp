#include "toolkit/kzwindowleech.h"

#include "framework/core/zafwindow.h"
#include "native/native.h"

KZWindowLeech::KZWindowLeech(ZafWindow* window) : KZWindowObjectLeech(window), window(window) {}

KRect KZWindowLeech::LocalRegion() {
  // The client window's own client rectangle leaves out its scroll bars; the framework's client region of a
  // framed window measures the frame, which holds the client window together with its bars.
  native::RECT client{};
  if (window->OwnNativeWindow() && window->ScreenID() && native::GetClientRect(window->ScreenID(), &client)) {
    return {0, 0, client.right - client.left - 1, client.bottom - client.top - 1};
  }
  ZafRegionStruct region = window->ClientRegion();
  window->ConvertRegion(region, ZAF_PIXEL);
  return AtOrigin(region);
}
