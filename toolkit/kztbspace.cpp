#include "toolkit/kztbspace.h"

#include "toolkit/kztoolbar.h"

KZTBSpace::KZTBSpace(int32_t size) : KZWindow(0, 0, size, size) {
  KZPlaceToolItem(*this, size, size);
}

KZTBSpace::~KZTBSpace() = default;
