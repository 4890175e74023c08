#pragma once
// Scoreboard > Edit Message: a free text for the results scoreboards, shown with the message the boards
// keep. Send hands the text over and has the boards show it at once, leaving the dialog open; Ok hands the
// text over once more as the dialog ends, without asking the boards to show it; Cancel hands nothing over.

#include <cstdint>

#include "foundation/kstring.h"
#include "toolkit/kzdialog.h"

class KZText;
class QvScoreboards;

class QvZScoreboardMessageDialog : public KZDialog {
 public:
  // The dialog's own button, and the command it gives.
  static constexpr uint32_t kSend = 1;
  static constexpr ZafEventType kSendMessage = 10163;

  explicit QvZScoreboardMessageDialog(QvScoreboards& scoreboards);
  ~QvZScoreboardMessageDialog() override;

  KString ButtonText(uint32_t flag) override;
  ZafEventType ButtonResult(uint32_t flag) override;
  ZafEventType Event(const ZafEventRecord& event) override;
  void ProcessResult(ZafEventType result) override;

  KZText* MessageBox() const { return messageBox; }

 private:
  KString MessageText() const;

  QvScoreboards& scoreboards;
  KZText* messageBox = nullptr;
};
