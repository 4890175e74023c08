#pragma once
// The alignment window beside the hardware list: it holds the alignment pane, follows the list's current
// row, and is the view's alignment window while it exists.

#include <cstdint>

#include "devices/yhardwareview.h"
#include "toolkit/kzwindow.h"

class YZAlignPane;

class YZAlignWindow : public KZWindow, public YHardwareView::Client {
 public:
  explicit YZAlignWindow(YHardwareView* view);
  ~YZAlignWindow() override;
  YZAlignWindow(const YZAlignWindow&) = delete;
  YZAlignWindow& operator=(const YZAlignWindow&) = delete;

  static void Register() {}
  static void Unregister() {}

  // The hardware list's current row; the pane captures from that row's interface.
  void SetValue(int32_t row);
  int32_t Row() const { return row; }
  YZAlignPane* GetPane() const { return pane; }

  // The idle tick is the pane's, which has nothing to do on it; the rest is the window's.
  ZafEventType Event(const ZafEventRecord& event) override;

  // 21, 22 and 24: the pane brings itself up to date.
  void HardwareNotification(int32_t code) override;
  void ViewDestroyed() override { itsView = nullptr; }

 private:
  YHardwareView* itsView;
  YZAlignPane* pane;
  int32_t row = -1;
};
