#pragma once
// How the block-sensor link, the image operations and the serial links' waits reach the user: the main
// status bar's text and progress, the busy pointer, the break key, the program's alerts and, while a link
// is waited for, the windows painted, the command service answered, a download's break key read and an
// exit asked from outside the windows taken, which ends the waits. Each
// call finds the application object and its status bar anew, so the reporter is harmless before the main
// frame exists and after it has gone.

#include <optional>

#include "app/busypointer.h"
#include "app/downloadstop.h"
#include "devices/linkwaitreporter.h"
#include "devices/qvblocksensorsreporter.h"
#include "imaging/yimagereporter.h"

class ProgramReporter : public QvBlockSensorsReporter, public YImageReporter, public LinkWaitReporter {
 public:
  void StatusText(const KString& text) override;
  void Progress(int32_t percent) override;
  void Error(const KString& text) override;
  void NumberedError(int32_t code) override;
  // A wait outside an operation on the unit's link (the database's) ends on an exit as the operation's
  // waits do, and puts the exit back into the queue as it ends.
  void Busy(bool busy) override;
  // The windows served as ServeWindowsWhileLinkWaits says: an exit asked during an operation on the link
  // (File > Exit, the window manager's close of the main window) is taken out of the queue and ends the
  // wait, since nothing else reads the queue before the operation ends.
  void Serve() override;
  // Once an exit is asked during an operation on the link or a wait outside one.
  bool WaitsEnd() const override;
  bool BreakPressed() override;
  void Message(const KString& text) override;
  void ErrorMessage(const KString& text, const KString& title) override;
  void ErrorAlert(int32_t code, int32_t subCode) override;
  bool AskOkCancel(const KString& title, const KString& text) override;

 private:
  // Shown while a link's request waits for its answer.
  std::optional<BusyPointer> linkWait;
  // Held by a wait outside an operation.
  std::optional<DownloadStop::Operation> waitAlone;
};
