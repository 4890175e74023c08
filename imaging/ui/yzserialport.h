// The serial-port panel of the options dialog: the toolkit's panel whose port list also offers, after the
// system's own ports, the ports that the hardware manager's device interfaces provide (numbered from 256).
#ifndef IMAGING_UI_YZSERIALPORT_H
#define IMAGING_UI_YZSERIALPORT_H

#include <cstdint>

#include "toolkit/kzserialport.h"

class YHardware;

class YZSerialPort : public KZSerialPort {
 public:
  // `hardware` (not owned; null for none) offers the device ports.
  YZSerialPort(KZDialog* dialog, uint32_t options, YHardware* hardware);
  ~YZSerialPort() override;

  // With both the system's and the device ports listed, the entries up to the last device port map through
  // the combined list; the network entries and any other panel keep the toolkit's mapping.
  bool GetPort(int32_t& port) override;
  bool SetPort(int32_t port) override;

 protected:
  // One entry per device port, named as the system names a port of that number.
  int32_t AddExtraPorts(int32_t firstIndex) override;

 private:
  bool ListsBothKinds() const;

  YHardware* hardware;
};

#endif
