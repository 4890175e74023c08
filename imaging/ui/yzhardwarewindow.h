#pragma once
// The window of the hardware list: the list with its title row. It is the view's hardware window while it
// exists, and refreshes the list when the manager's interfaces change.

#include "devices/yhardwareview.h"
#include "toolkit/kzwindow.h"

class YZHardwarePane;

class YZHardwareWindow : public KZWindow, public YHardwareView::Client {
 public:
  // The hardware list's commands, which the pane serves.
  static constexpr ZafEventType kFirstCommand = 10549;
  static constexpr ZafEventType kLastCommand = 10560;
  static constexpr ZafEventType kHardwareChanged = 10187;

  explicit YZHardwareWindow(YHardwareView* view);
  ~YZHardwareWindow() override;
  YZHardwareWindow(const YZHardwareWindow&) = delete;
  YZHardwareWindow& operator=(const YZHardwareWindow&) = delete;

  // The bitmaps "GetInfo", "AlignOn" and "AlignOff", kept for the whole run.
  static void Register();
  static void Unregister();

  YZHardwarePane* Pane() const { return pane; }

  // The list's commands, the menu update, the idle tick and the change notice go to the pane.
  ZafEventType Event(const ZafEventRecord& event) override;

  // 23: the list is refreshed.
  void HardwareNotification(int32_t code) override;
  void ViewDestroyed() override;

 private:
  YHardwareView* itsView;
  YZHardwarePane* pane;
};
