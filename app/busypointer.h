#pragma once
// Shows the busy pointer while a slow step runs (a reload, a save) and the default pointer again when the
// step is over, whichever way it ends.

#include "framework/core/zafdevice.h"
#include "framework/win32/zafmouseimages.h"
#include "toolkit/kzapplication.h"

class BusyPointer {
 public:
  BusyPointer() { Show(DM_WAIT); }
  ~BusyPointer() { Show(DefaultImage); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  static void Show(int32_t image) {
    if (KZApplication::application != nullptr) {
      KZApplication::application->SetMouseImage(image);
    }
  }
};
