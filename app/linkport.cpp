#include "app/linkport.h"

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
    KSleep(kSettleTime);
  }
}

void LinkPort::SetWait(WaitFunction wait) {
  InstalledWait() = std::move(wait);
}
