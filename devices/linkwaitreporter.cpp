#include "devices/linkwaitreporter.h"

#include <algorithm>

#include "foundation/kserialport.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"

namespace {

constexpr int32_t kReadChunk = 1024;

}  // namespace

int64_t LinkWaitReporter::ServeWhenDue() {
  const uint32_t now = KGetTickCount();
  const uint32_t since = servedAt ? now - *servedAt : UINT32_MAX;
  if (since < static_cast<uint32_t>(kServeEveryMs)) {
    return kServeEveryMs - since;
  }
  // The pace counts from the service's start: a slow paint does not stretch it.
  servedAt = now;
  Serve();
  return kServeEveryMs;
}

bool ServedWait(KSerialPort& port, LinkWaitReporter* reporter, const std::function<int64_t()>& leftMs,
                const WaitTake& take) {
  uint8_t bytes[kReadChunk];
  for (int32_t got = 0; !take(bytes, got);) {
    const int64_t left = std::max<int64_t>(leftMs(), 0);
    int64_t slice = left;
    if (reporter != nullptr) {
      slice = std::min(slice, reporter->ServeWhenDue());
      // A wait the program ended has run out as well.
      if (reporter->WaitsEnd()) {
        return false;
      }
    }
    port.SetTimeout(static_cast<int32_t>(std::min<int64_t>(slice, INT32_MAX)));
    got = 0;
    try {
      got = port.Read(bytes, kReadChunk);
    } catch (const KXStream& quiet) {
      if (quiet.Code() != kErrSerialTimeout) {
        throw;
      }
    }
    if (got == 0 && left == 0) {
      return false;
    }
  }
  return true;
}
