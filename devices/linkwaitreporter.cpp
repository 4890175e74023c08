#include "devices/linkwaitreporter.h"

#include <algorithm>

#include "foundation/kserialport.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"

namespace {

constexpr int32_t kReadChunk = 1024;

}  // namespace

void LinkWaitReporter::ServeWhenDue(bool quiet) {
  const uint32_t now = KGetTickCount();
  if (!quiet && servedAt && now - *servedAt < static_cast<uint32_t>(kServeEveryMs)) {
    return;
  }
  servedAt = now;
  Serve();
}

bool ServedWait(KSerialPort& port, LinkWaitReporter* reporter, const std::function<int64_t()>& leftMs,
                const WaitTake& take) {
  uint8_t bytes[kReadChunk];
  for (int32_t got = 0; !take(bytes, got);) {
    // A wait the program ended has run out as well.
    if (reporter != nullptr && reporter->WaitsEnd()) {
      return false;
    }
    const int64_t left = std::max<int64_t>(leftMs(), 0);
    const int64_t slice = reporter != nullptr ? std::min<int64_t>(left, LinkWaitReporter::kServeEveryMs) : left;
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
    if (reporter != nullptr) {
      reporter->ServeWhenDue(got == 0);
    }
  }
  return true;
}
