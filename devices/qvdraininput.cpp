#include "devices/qvdraininput.h"

#include "devices/linkwaitreporter.h"
#include "devices/qvporttimeout.h"
#include "foundation/kserialport.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"

void QvDrainInput(KSerialPort& port, int32_t quietMs, LinkWaitReporter* reporter) {
  const QvPortTimeout restored(port);
  try {
    uint32_t quietSince = KGetTickCount();
    int32_t drained = 0;
    const auto quietLeft = [&] { return quietMs - static_cast<int32_t>(KGetTickCount() - quietSince); };
    const auto tooMuch = [&](const uint8_t*, int32_t count) {
      if (count > 0) {
        drained += count;
        quietSince = KGetTickCount();
      }
      return drained >= kMaxDrainBytes;
    };
    ServedWait(port, reporter, quietLeft, tooMuch);
  } catch (const KXSerialPort& failure) {
    // Failures other than a quiet line show on the write that follows.
    (void)failure;
  }
}
