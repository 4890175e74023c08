#include "app/linkport.h"

#include <algorithm>

#include "app/linkwaitservice.h"
#include "foundation/kserialport.h"
#include "foundation/ktime.h"

namespace {

LinkPort::WaitFunction& InstalledWait() {
  static LinkPort::WaitFunction wait;
  return wait;
}

}  // namespace

KSerialPort& LinkPort::Port() {
  static KSerialPort port(1024, 1024, 128);
  return port;
}

void LinkPort::Settle() {
  if (const WaitFunction& wait = InstalledWait()) {
    wait(kSettleTime);
  } else {
    for (int32_t slept = 0; slept < kSettleTime; slept += kSettleSlice) {
      KSleep(std::min(kSettleSlice, kSettleTime - slept));
      ServeWhileLinkWaits();
    }
  }
}

void LinkPort::SetWait(WaitFunction wait) {
  InstalledWait() = std::move(wait);
}
