#pragma once
// A device interface: a camera or timing device that a device library hands to the hardware manager. The
// manager routes its device calls to the interfaces it holds; this program ships no device library, so in
// practice the list is empty and every call answers 0 or false.

#include <cstdint>

class QvEvent;
class YCamera;
class YLeg;
class YTime;

class YInterface {
 public:
  virtual ~YInterface() = default;

  // The device id that remote-control targets and lane-line calls name.
  virtual int32_t Id() const = 0;
  // Fills the camera settings of the device; false when it has none.
  virtual bool GetCamera(YCamera& camera) = 0;
  // The device's answer to the manager's general queries (calls 9 and 18); false when it has none.
  virtual bool Call9() = 0;
  virtual bool Call18() = 0;
  // A remote-control command character with its mode character.
  virtual bool Remote(char16_t command, char16_t mode) = 0;
  // Lane lines of the camera: count, position in ten-thousandths of the width, and the lane order.
  virtual int32_t LaneLineCount() = 0;
  virtual int32_t LaneLine(int32_t index) = 0;
  virtual bool SetLaneLine(int32_t index, int32_t value) = 0;
  virtual int32_t LanesReversed() = 0;
  // Capture steps. Configure hands over the settings the next capture uses; false when the device refuses
  // them.
  virtual bool Configure(const YCamera& camera) = 0;
  virtual bool Prepare() = 0;
  virtual bool Start(QvEvent& event, YLeg& leg) = 0;
  virtual void Stop() = 0;
  // True while the device still delivers a capture it was asked to stop.
  virtual bool IsStopPending() = 0;
  virtual bool Align(int32_t lineRate) = 0;
  virtual bool Trigger() = 0;
  virtual bool Control(int32_t code) = 0;
  virtual bool IsPlugInReady() = 0;
  // Records a manual start, with an offset or without.
  virtual bool ManualStart(const YTime* offset, bool flag) = 0;
  // The serial ports the device offers beside the system's own.
  virtual int32_t SerialPortCount() = 0;
};
