// Feeds arbitrary text to the settings-text parsers of serial ports and network links. Every field that
// parses must format back into a text that parses to the same values; addresses must survive their dotted
// form.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "foundation/kserialport.h"
#include "foundation/ksocket.h"
#include "foundation/kstreammenu.h"
#include "foundation/kstring.h"
#include "foundation/ktcpsocket.h"
#include "foundation/kudpsocket.h"

namespace {

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

void CheckSerial(const KString& text) {
  int32_t port = 0;
  int32_t baud = 0;
  int32_t data = 0;
  int32_t parity = 0;
  int32_t stop = 0;
  int32_t period = 0;
  // Every parser runs, so that each meets every input.
  const bool portParsed = KSerialPort::ParsePort(text, port);
  const bool baudParsed = KSerialPort::ParseBaud(text, baud);
  const bool dataParsed = KSerialPort::ParseDataBits(text, data);
  const bool parityParsed = KSerialPort::ParseParity(text, parity);
  const bool stopParsed = KSerialPort::ParseStopBits(text, stop);
  KSerialPort::ParseTaskPeriod(text, period);
  if (!portParsed || !baudParsed || !dataParsed || !parityParsed || !stopParsed || port < 0) {
    return;
  }
  KString formatted;
  Require(KSerialPort::FormatSettings(formatted, port, baud, data, parity, stop, period));
  int32_t value = 0;
  Require(KSerialPort::ParsePort(formatted, value) && value == port);
  Require(KSerialPort::ParseBaud(formatted, value) && value == baud);
  Require(KSerialPort::ParseDataBits(formatted, value) && value == data);
  Require(KSerialPort::ParseParity(formatted, value) && value == parity);
  Require(KSerialPort::ParseStopBits(formatted, value) && value == stop);
  KSerialPort::ParseTaskPeriod(formatted, value);
  Require(value == period);
}

void CheckNetwork(const KString& text) {
  int32_t type = 0;
  uint32_t address = 0;
  int32_t port = 0;
  if (!KStreamMenu::ParseType(text, type) || !KSocket::ParseAddress(text, address) ||
      !KSocket::ParsePort(text, port)) {
    return;
  }
  KString formatted;
  bool written = KTCPSocket::FormatSettings(formatted, type, address, port) ||
                 KUDPSocket::FormatSettings(formatted, type, address, port);
  Require(written == (type >= -3 && type <= -1));
  if (!written) {
    return;
  }
  int32_t typeAgain = 0;
  uint32_t addressAgain = 0;
  int32_t portAgain = 0;
  Require(KStreamMenu::ParseType(formatted, typeAgain) && typeAgain == type);
  Require(KSocket::ParseAddress(formatted, addressAgain) && addressAgain == address);
  Require(KSocket::ParsePort(formatted, portAgain) && portAgain == port);
}

void CheckAddress(const KString& text) {
  uint32_t address = 0;
  if (!KSocket::TextToAddress(text, address)) {
    return;
  }
  KString dotted;
  KSocket::AddressToText(dotted, address);
  uint32_t again = 0;
  Require(KSocket::TextToAddress(dotted, again) && again == address);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const KString text = KString::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckSerial(text);
  CheckNetwork(text);
  CheckAddress(text);
  return 0;
}
