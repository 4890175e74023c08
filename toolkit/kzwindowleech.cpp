#include "toolkit/kzwindowleech.h"

#include "framework/core/zafwindow.h"

KZWindowLeech::KZWindowLeech(ZafWindow* window) : KZWindowObjectLeech(window), window(window) {}

KRect KZWindowLeech::LocalRegion() {
  ZafRegionStruct client = window->ClientRegion();
  window->ConvertRegion(client, ZAF_PIXEL);
  return AtOrigin(client);
}
