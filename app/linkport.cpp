#include "app/linkport.h"

#include <algorithm>

#include "app/downloadstop.h"
#include "app/linkwaitservice.h"
#include "devices/qvblocksensors.h"
#include "devices/qvserialport.h"
#include "foundation/kregistry.h"
#include "foundation/kserialport.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"

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

void LinkPort::Open(const KString& settings) {
  KSerialPort& port = Port();
  port.SetReadMode(KStream::kEncodingByte);
  port.SetWriteMode(KStream::kEncodingByte);
  port.SetReadLineMode(0);
  port.SetWriteLineMode(0);
  port.OpenSettings(settings, KSerialPort::kRead | KSerialPort::kWrite);
  Settle();
  port.SetTimeout(QvBlockSensors::ReadTimeout());
}

void LinkPort::Reopen() {
  Port().Close();
  const KRGroup* entry = QvSerialPort::GetNth(0);
  if (entry == nullptr) {
    return;
  }
  try {
    Open(KRegistry::GetString(entry, KString::View(u"SerialPort")));
  } catch (const KX&) {
    Port().Close();
  }
}

void LinkPort::Settle() {
  if (const WaitFunction& wait = InstalledWait()) {
    wait(kSettleTime);
  } else {
    // An exit asked ends it, as it ends every wait for the unit.
    for (int32_t slept = 0; slept < kSettleTime && !DownloadStop::ExitAsked(); slept += kSettleSlice) {
      KSleep(std::min(kSettleSlice, kSettleTime - slept));
      ServeWhileLinkWaits();
    }
  }
}

void LinkPort::SetWait(WaitFunction wait) {
  InstalledWait() = std::move(wait);
}
