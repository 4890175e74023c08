#include "app/terminationsignals.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <iterator>

#include "app/downloadstop.h"
#include "app/linkbusy.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/core/zafwindowobject.h"
#include "native/user/messageapi.h"
#include "native/user/modalpasses.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzdialog.h"

namespace {

// The pipe's write end for the handler; -1 while no object is installed.
std::atomic<int> writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads it");
// The exit's questions are open; the exit was agreed (the window manager then asks nothing more).
bool exitBeingAsked = false;
bool exitAgreed = false;

}  // namespace

TerminationSignals::TerminationSignals() {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
    return;
  }
  readEnd = ends[0];
  writeEnd = ends[1];
  native::RegisterWaitDescriptor(readEnd, POLLIN, [this](short) { Drain(); });
  native::ModalPasses::SetCloseRequest(&AskExit);
  exitAgreed = false;
  ZafWindowObject::windowManager->SetExitFunction(&AskingExit);
  struct sigaction action = {};
  action.sa_handler = &Handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t index = 0; index < std::size(kSignals); ++index) {
    sigaction(kSignals[index], &action, &previous[index]);
  }
}

TerminationSignals::~TerminationSignals() {
  if (readEnd < 0) {
    return;
  }
  for (size_t index = 0; index < std::size(kSignals); ++index) {
    sigaction(kSignals[index], &previous[index], nullptr);
  }
  native::ModalPasses::SetCloseRequest({});
  if (!exitAgreed) {
    ZafWindowObject::windowManager->SetExitFunction(&KZApplication::QueryExit);
  }
  native::UnregisterWaitDescriptor(readEnd);
  close(writeEnd.exchange(-1));
  close(readEnd);
}

void TerminationSignals::Handler(int) {
  const int saved = errno;
  const int end = writeEnd.load();
  if (end >= 0) {
    const char byte = 1;
    // A full pipe already holds a request.
    [[maybe_unused]] const ssize_t written = write(end, &byte, 1);
  }
  errno = saved;
}

void TerminationSignals::Drain() {
  char bytes[64];
  bool requested = false;
  while (read(readEnd, bytes, sizeof bytes) > 0) {
    requested = true;
  }
  if (!requested) {
    return;
  }
  AskExit();
}

ZafEventType TerminationSignals::AskingExit(ZafDisplay* display, ZafEventManager* events,
                                            ZafWindowManager* windows) {
  const bool outer = exitBeingAsked;
  exitBeingAsked = true;
  const ZafEventType answer = KZApplication::QueryExit(display, events, windows);
  exitBeingAsked = outer;
  exitAgreed = answer == 0;
  return answer;
}

void TerminationSignals::AskExit() {
  // The exit's own questions stay open: an exit asked while they show adds nothing.
  if (exitBeingAsked) {
    return;
  }
  // The window system's menus and dialogs close as Escape would close them; so does the program's dialog
  // or message box in front, before anything else queued, and each dialog around it once it has ended.
  native::ModalPasses::EndAll();
  ZafEventManager* events = ZafWindowObject::eventManager;
  const ZafWindowManager* windows = ZafWindowObject::windowManager;
  const ZafWindow* front = windows != nullptr ? windows->FrontWindow() : nullptr;
  if (front != nullptr && front->Modal() && events != nullptr) {
    events->Put(ZafEventRecord(KZDialog::kCancelResult, 0), 0);
  }
  // An operation on the control-unit link is ended at its next wait's slice and the exit asked once it
  // has ended. Otherwise the exit is queued at once, for the loop the dialogs return to.
  if (LinkBusyClaim::LinkIsBusy()) {
    DownloadStop::AskExit();
  } else if (events != nullptr) {
    events->Put(ZafEventRecord(ExitEvent, 0), Q_END);
  }
}
