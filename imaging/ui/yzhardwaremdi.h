#pragma once
// The hardware list's document window inside the main frame: the hardware list and the alignment window,
// titled "\Strings\Hardware\Title", with the commands of each routed to it.

#include "toolkit/kzmdichild.h"

class YHardwareView;
class YZAlignWindow;
class YZHardwareWindow;

class YZHardwareMDI : public KZMDIChild {
 public:
  // Command ranges: the hardware list's, the remote control's (no remote control is held, so they are
  // dropped), the alignment window's.
  static constexpr ZafEventType kFirstListCommand = 10549;
  static constexpr ZafEventType kLastListCommand = 10560;
  static constexpr ZafEventType kFirstRemoteCommand = 10561;
  static constexpr ZafEventType kLastRemoteCommand = 10574;
  static constexpr ZafEventType kFirstAlignCommand = 10575;
  static constexpr ZafEventType kLastAlignCommand = 10576;
  static constexpr ZafEventType kCloseQuery = 10018;
  static constexpr int32_t kWidth = 500;
  static constexpr int32_t kHeight = 350;

  explicit YZHardwareMDI(YHardwareView& view);

  YZHardwareWindow* HardwareWindow() const { return hardwareWindow; }
  YZAlignWindow* AlignWindow() const { return alignWindow; }

  ZafEventType Event(const ZafEventRecord& event) override;

 private:
  YZHardwareWindow* hardwareWindow;
  YZAlignWindow* alignWindow;
};
