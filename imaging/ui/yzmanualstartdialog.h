#pragma once
// The dialog that records a manual start: the user types an offset and presses the space bar, and the
// hardware manager records the start, with the offset when the text is a time.

#include "toolkit/kzdialog.h"

class KZString;
class YHardware;

class YZManualStartDialog : public KZDialog {
 public:
  explicit YZManualStartDialog(YHardware* hardware);

  // A press of the space bar records the start and closes the dialog; the rest is the dialog's.
  ZafEventType Event(const ZafEventRecord& event) override;
  KZString* OffsetField() const { return offsetField; }

 private:
  YHardware* itsHardware;
  KZString* offsetField = nullptr;
};
