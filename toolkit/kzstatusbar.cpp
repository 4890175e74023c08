#include "toolkit/kzstatusbar.h"

#include <algorithm>

#include "foundation/ktime.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzprogressbar.h"
#include "toolkit/kzstatusstring.h"

KZStatusBar::KZStatusBar(int32_t height, int32_t timeout)
    : ZafStatusBar(0, 0, 0, height), KZWindowLeech(this), timeout(timeout) {
  SetCoordinateType(ZAF_PIXEL);
}

KZStatusBar::~KZStatusBar() {
  if (flyOverBar == this) {
    flyOverBar = nullptr;
  }
}

void KZStatusBar::Clear() {
  SetText(KString());
  SetProgress(-1);
  // Both calls may have stamped a change: a cleared bar has nothing left to clear.
  lastChange = 0;
}

void KZStatusBar::SetText(const KString& text) {
  if (statusText && statusText->SetText(text)) {
    Stamp();
  }
}

void KZStatusBar::ShowFlyOver(int32_t) {}

void KZStatusBar::SetProgress(int32_t percent) {
  if (progress && progress->SetProgress(percent)) {
    Stamp();
  }
}

ZafEventType KZStatusBar::Event(const ZafEventRecord& event) {
  if (ZafWindow::MapEvent(event) == IdleTickEvent) {
    CheckTimeout();
    return IdleTickEvent;
  }
  return ZafStatusBar::Event(event);
}

void KZStatusBar::CheckTimeout() {
  if (lastChange == 0 || timeout <= 0) {
    return;
  }
  // Measured as a difference, so that the time-out also ends when the tick count wraps between the
  // change and the tick.
  const int32_t elapsed = KTickDifference(KGetTickCount(), lastChange);
  if (elapsed > timeout) {
    Clear();
    lastChange = 0;
  } else {
    // The first tick past the time-out clears.
    KZApplication::IdleAgainWithin(static_cast<uint32_t>(timeout - std::max(0, elapsed) + 1));
  }
}

void KZStatusBar::Stamp() {
  // 0 means "nothing to clear": a change at that very tick is taken as one millisecond later.
  const uint32_t now = KGetTickCount();
  lastChange = now != 0 ? now : 1;
}
