#pragma once
// The remote-control window: a small window holding the remote-control pane, which drives the camera head
// of one device interface of the hardware manager.

#include <cstdint>

#include "toolkit/kzwindow.h"

class YHardwareView;
class YZRemotePane;

class YZRemoteWindow : public KZWindow {
 public:
  // `value` is kept as given; the pane drives no device until a target is set.
  YZRemoteWindow(int32_t value, YHardwareView* view);

  static void Register() {}
  static void Unregister() {}

  void SetView(YHardwareView* view);
  // The id of the device interface the buttons drive.
  void SetValue(int32_t id);
  YZRemotePane* Pane() const { return pane; }
  int32_t Value() const { return value; }

  // The menu update goes to the pane; the rest is the window's.
  ZafEventType Event(const ZafEventRecord& event) override;

 private:
  int32_t value;
  YZRemotePane* pane;
};
