#include "app/linkwaitservice.h"

#include "app/downloadstop.h"
#include "app/yzapplication.h"
#include "devices/linkwaitrelay.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"

namespace {

// Each WM_PAINT validates its window, so the paints run out; the bound only guards against a window that
// never validates.
constexpr int kMaxPaints = 256;

}  // namespace

void ServeWhileLinkWaits() {
  if (YZApplication* application = YZApplication::Current()) {
    application->LinkWaits()->Serve();
  } else {
    ServeWindowsWhileLinkWaits();
  }
}

void ServeWindowsWhileLinkWaits() {
  // The look for paints lets in the display's input (and reads the termination signals), among which the
  // break key is then read.
  PaintWhileLinkWaits();
  DownloadStop::ReadBreakKey();
  if (DownloadStop::Running()) {
    DownloadStop::ReadExit();
  }
}

void PaintWhileLinkWaits() {
  // The look that finds no paint left also copies what was drawn to the display.
  native::MSG paint{};
  for (int painted = 0; painted < kMaxPaints && native::PeekMessage(&paint, nullptr, native::WM_PAINT,
                                                                    native::WM_PAINT, native::PM_REMOVE);
       ++painted) {
    native::DispatchMessage(&paint);
  }
}
