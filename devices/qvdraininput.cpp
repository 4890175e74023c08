#include "devices/qvdraininput.h"

#include "devices/qvporttimeout.h"
#include "foundation/kserialport.h"
#include "foundation/kx.h"

void QvDrainInput(KSerialPort& port, int32_t quietMs) {
  const QvPortTimeout restored(port);
  port.SetTimeout(quietMs < 0 ? 0 : quietMs);
  uint8_t bytes[256];
  try {
    for (int32_t drained = 0; drained < kMaxDrainBytes;) {
      drained += port.Read(bytes, sizeof bytes);
    }
  } catch (const KXSerialPort& quiet) {
    // 5002: the line stayed quiet for the whole wait. Other failures show on the write that follows.
    (void)quiet;
  }
}
