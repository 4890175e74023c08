#pragma once
// A device interface for the hardware manager's tests: it answers as told and counts what it was asked.

#include <string>

#include "devices/yinterface.h"
#include "imaging/ycamera.h"

class FakeInterface : public YInterface {
 public:
  explicit FakeInterface(int32_t id) : id(id) {}

  int32_t Id() const override { return id; }
  bool GetCamera(YCamera& camera) override {
    if (answer) {
      camera.SetParameter(0, YCamera::kTypeCoded, false);
      camera.SetParameter(11, 1, false);  // a manual gain can be set
      camera.SetParameter(12, gain, false);
    }
    return answer;
  }
  bool Call9() override { return answer; }
  bool Call18() override { return answer; }
  bool Remote(char16_t command, char16_t mode) override {
    remote += static_cast<char>(command);
    remote += static_cast<char>(mode);
    return answer;
  }
  int32_t LaneLineCount() override { return 8; }
  int32_t LaneLine(int32_t index) override { return 1000 * (index + 1); }
  bool SetLaneLine(int32_t index, int32_t value) override { return index >= 0 && value >= 0; }
  int32_t LanesReversed() override { return 1; }
  bool Configure(const YCamera& camera) override {
    configuredCamera = camera.Parameter(2);
    return ready;
  }
  bool Prepare() override { return ready; }
  bool Start(QvEvent& event, YLeg& leg) override {
    (void)event;
    (void)leg;
    ++starts;
    return ready && startable;
  }
  void Stop() override { ++stops; }
  bool IsStopPending() override { return stopPending; }
  bool Align(int32_t lineRate) override { return lineRate > 0; }
  bool Trigger() override { return answer; }
  bool Control(int32_t code) override { return code == 1; }
  bool IsPlugInReady() override { return ready; }
  bool ManualStart(const YTime* offset, bool flag) override {
    (void)flag;
    manualOffsets += offset != nullptr ? 1 : 0;
    return answer;
  }
  int32_t SerialPortCount() override { return serialPorts; }

  int32_t id;
  bool answer = true;
  bool ready = true;
  bool startable = true;
  int32_t gain = 77;
  bool stopPending = false;
  int32_t serialPorts = 0;
  int32_t starts = 0;
  int32_t stops = 0;
  int32_t manualOffsets = 0;
  int32_t configuredCamera = -1;
  std::string remote;
};
