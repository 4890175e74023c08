#pragma once
// The dialog that asks the user to press the space bar, which then serves as the capture's keyboard button;
// it beeps on each press and tells the window that opened it when the capture comes.

#include "toolkit/kzdialog.h"

class ZafWindowObject;

class YZKeyboardCaptureDialog : public KZDialog {
 public:
  // The capture's notice to the dialog, and the dialog's to its opener.
  static constexpr ZafEventType kCaptured = 10186;
  static constexpr ZafEventType kOpenerNotice = 10585;

  explicit YZKeyboardCaptureDialog(ZafWindowObject* opener);

  ZafEventType Event(const ZafEventRecord& event) override;

 private:
  ZafWindowObject* itsOpener;
};
