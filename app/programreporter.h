#pragma once
// How the block-sensor link, the image operations and the serial links' waits reach the user: the main
// status bar's text and progress, the busy pointer, the break key, the program's alerts and, while a link
// is waited for, the windows painted, the command service answered, a download's break key read and an
// exit asked from outside the windows taken, which ends the waits. Each
// call finds the application object and its status bar anew, so the reporter is harmless before the main
// frame exists and after it has gone.

#include <optional>

#include "app/busypointer.h"
#include "devices/linkwaitreporter.h"
#include "devices/qvblocksensorsreporter.h"
#include "imaging/yimagereporter.h"

class ProgramReporter : public QvBlockSensorsReporter, public YImageReporter, public LinkWaitReporter {
 public:
  void StatusText(const KString& text) override;
  void Progress(int32_t percent) override;
  void Error(const KString& text) override;
  void NumberedError(int32_t code) override;
  void Busy(bool busy) override;
  // Also takes the window manager's close of the main window while an operation on the link runs: the
  // request would wait in the queue until the operation's next event pass, so it asks the exit at once.
  void Serve() override;
  // Once an exit is asked during an operation on the link.
  bool WaitsEnd() const override;
  bool BreakPressed() override;
  void Message(const KString& text) override;
  void ErrorMessage(const KString& text, const KString& title) override;
  void ErrorAlert(int32_t code, int32_t subCode) override;
  bool AskOkCancel(const KString& title, const KString& text) override;

 private:
  // Shown while a link's request waits for its answer.
  std::optional<BusyPointer> linkWait;
};
