#pragma once
// Shows the busy pointer while a slow step runs (a reload, a save, a link's wait) and the default pointer
// again when the step is over, whichever way it ends. Steps inside one another (a link's wait inside an
// operation on the link, a save between its lanes) keep it busy until the outermost ends.

#include "framework/core/zafdevice.h"
#include "framework/win32/zafmouseimages.h"
#include "toolkit/kzapplication.h"

class BusyPointer {
 public:
  BusyPointer() {
    if (depth++ == 0) {
      Show(DM_WAIT);
    }
  }
  ~BusyPointer() {
    if (--depth == 0) {
      Show(DefaultImage);
    }
  }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  static inline int32_t depth = 0;

  static void Show(int32_t image) {
    if (KZApplication::application != nullptr) {
      KZApplication::application->SetMouseImage(image);
    }
  }
};
