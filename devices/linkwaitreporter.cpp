#include "devices/linkwaitreporter.h"

#include <algorithm>

#include "foundation/kserialport.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"

namespace {

constexpr int32_t kReadChunk = 1024;

// What the port brings within `sliceMs`: the bytes read, 0 when none came. Out of line: a quiet read throws
// its time-out to here, and the unwinder walks a small frame faster than the whole wait's.
[[gnu::noinline]] int32_t ReadSlice(KSerialPort& port, uint8_t* bytes, int64_t sliceMs) {
  port.SetTimeout(static_cast<int32_t>(std::min<int64_t>(sliceMs, INT32_MAX)));
  try {
    return port.Read(bytes, kReadChunk);
  } catch (const KXStream& quiet) {
    if (quiet.Code() != kErrSerialTimeout) {
      throw;
    }
    return 0;
  }
}

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
    const int64_t slice =
        reporter != nullptr ? std::min<int64_t>(left, LinkWaitReporter::kServeEveryMs) : left;
    got = ReadSlice(port, bytes, slice);
    if (got == 0 && left == 0) {
      return false;
    }
    if (reporter != nullptr) {
      reporter->ServeWhenDue(got == 0);
    }
  }
  return true;
}
