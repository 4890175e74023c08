#include "devices/qvdraininput.h"

#include "devices/linkwaitreporter.h"
#include "devices/qvporttimeout.h"
#include "foundation/kserialport.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"

void QvDrainInput(KSerialPort& port, int32_t quietMs, LinkWaitReporter* reporter) {
  const QvPortTimeout restored(port);
  uint8_t bytes[256];
  try {
    uint32_t quietSince = KGetTickCount();
    for (int32_t drained = 0; drained < kMaxDrainBytes;) {
      const int32_t quietFor = static_cast<int32_t>(KGetTickCount() - quietSince);
      const int32_t left = quietMs > quietFor ? quietMs - quietFor : 0;
      const int32_t got = ServedRead(port, bytes, sizeof bytes, left, reporter);
      if (got == kWaitEnded) {
        return;
      }
      if (got > 0) {
        drained += got;
        quietSince = KGetTickCount();
      } else if (left == 0) {
        return;
      }
    }
  } catch (const KXSerialPort& failure) {
    // Failures other than a quiet line show on the write that follows.
    (void)failure;
  }
}
