#include "devices/linkwaitreporter.h"

#include <algorithm>

#include "foundation/kserialport.h"
#include "foundation/kx.h"

int32_t ServedRead(KSerialPort& port, uint8_t* buffer, int32_t size, int64_t leftMs,
                   LinkWaitReporter* reporter) {
  if (reporter != nullptr && reporter->WaitsEnd()) {
    return kWaitEnded;
  }
  const int64_t slice =
      reporter != nullptr ? std::min<int64_t>(leftMs, LinkWaitReporter::kServeEveryMs) : leftMs;
  port.SetTimeout(static_cast<int32_t>(std::min<int64_t>(slice, INT32_MAX)));
  int32_t got = 0;
  try {
    got = port.Read(buffer, size);
  } catch (const KXStream& quiet) {
    // Nothing came: the caller's clock says whether the wait is over.
    if (quiet.Code() != kErrSerialTimeout) {
      throw;
    }
  }
  if (reporter != nullptr) {
    reporter->Serve();
  }
  return got;
}
