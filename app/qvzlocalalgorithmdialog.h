#pragma once
// Chart > Modify Local Algorithm Settings: the six "\Chart\LocalAlg\" settings of the chart's own search for
// the start of the push. Ok stores them, Cancel stores nothing.

#include "toolkit/kzdialog.h"

class KZButton;
class KZInteger;
class KZReal;

class QvZLocalAlgorithmDialog : public KZDialog {
 public:
  QvZLocalAlgorithmDialog();
  ~QvZLocalAlgorithmDialog() override;

  void ProcessResult(ZafEventType result) override;

  // Runs the dialog; true when it ended with Ok.
  static bool Run();

  KZInteger* IncSlope() const { return incSlope; }
  KZInteger* ConsIncSlope() const { return consIncSlope; }
  KZInteger* TotalIncSlope() const { return totalIncSlope; }
  KZReal* SetMask() const { return setMask; }
  KZButton* ShowBeforeSet() const { return showBeforeSet; }
  KZButton* CheckNegSlope() const { return checkNegSlope; }

 private:
  KZInteger* AddSlopeLine(const ZafIChar* prompt, int32_t value);

  KZInteger* incSlope = nullptr;
  KZInteger* consIncSlope = nullptr;
  KZInteger* totalIncSlope = nullptr;
  KZReal* setMask = nullptr;
  KZButton* showBeforeSet = nullptr;
  KZButton* checkNegSlope = nullptr;
};
