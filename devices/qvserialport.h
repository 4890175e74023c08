#pragma once
// The named serial ports: entries under "\SerialPorts\", each with a "Name" and a "SerialPort" settings
// text. Entry 0 is the port of the control unit.

#include <cstdint>

class KRGroup;

class QvSerialPort {
 public:
  static constexpr const char16_t* kDefaultSettings = u"0,19200,8,N,1.0";

  // Adds an entry with the default name ("\Strings\SerialPorts\DefaultName") and port settings; null when
  // there is no settings tree.
  static KRGroup* NewEntry();
  // The entries, deleted ones included.
  static int32_t Count();
  // The entry at `index` from 0, or null.
  static KRGroup* GetNth(int32_t index);
};
