#include "imaging/ui/yzalignpane.h"

#include <algorithm>

#include "devices/yhardware.h"
#include "devices/yhardwareview.h"
#include "imaging/ui/yzlanebar.h"
#include "imaging/ycamera.h"
#include "imaging/yimagereporter.h"
#include "model/qvsettings.h"

namespace {

// Camera parameters: the frame rate factor and the motion direction (0 live).
constexpr int32_t kRateFactor = 8;
constexpr int32_t kDirection = 16;

}  // namespace

YZAlignPane::YZAlignPane(YHardwareView* view)
    : KZWindow(0, 0, 0, 0),
      itsHardware(view ? view->Owner() : nullptr),
      laneBar(new YZLaneBar(itsHardware, -1)) {
  Add(laneBar);
}

void YZAlignPane::Update() {
  laneBar->Redisplay();
}

void YZAlignPane::Capture(bool start, int32_t mode) {
  if (!itsHardware) {
    return;
  }
  if (!start) {
    itsHardware->StopCapture();
    return;
  }
  if (itsHardware->IsCaptureStarted() == YHardware::kStarted) {
    YImageReporter::Current().Message(QvSettings::Text(u"\\Strings\\Hardware\\Align\\WhileCapturing"));
    return;
  }
  if (mode == kNewStrip) {
    divisor = kStartDivisor;
  } else if (mode == kFaster) {
    divisor = std::max(kMinimumDivisor, divisor - kDivisorStep);
  }
  YCamera camera;
  itsHardware->InterfaceCall8(interfaceNumber, camera);
  // In 64 bits: the rate times the factor may pass the 32-bit range before the division.
  lineRate = static_cast<int32_t>(int64_t{camera.Rate()} * camera.Parameter(kRateFactor) * 2 / divisor);
  if (!itsHardware->AlignCapture(interfaceNumber, lineRate) || !itsHardware->PrepareCapture()) {
    YImageReporter::Current().ErrorAlert(kCaptureRefused, -1);
    return;
  }
  if (mode == kNewStrip) {
    Redisplay();
    drawingColumn = camera.Parameter(kDirection) == 0 ? 0 : ClientRegion().Width() - 1;
  }
}
