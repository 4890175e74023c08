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
#include "toolkit/kzdialog.h"

namespace {

// The pipe's write end for the handler; -1 while no object is installed.
std::atomic<int> writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads it");

// What is open closes as Escape would close it: the window system's menus and dialogs, and the program's
// innermost dialog or box, whose loop takes the answer before anything else queued.
void CloseWhatIsOpen() {
  native::ModalPasses::EndAll();
  const ZafWindowManager* windows = ZafWindowObject::windowManager;
  const ZafWindow* front = windows != nullptr ? windows->FrontWindow() : nullptr;
  if (front != nullptr && front->Modal() && ZafWindowObject::eventManager != nullptr) {
    ZafWindowObject::eventManager->Put(ZafEventRecord(KZDialog::kCancelResult, 0), 0);
  }
}

}  // namespace

TerminationSignals::TerminationSignals() {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
    return;
  }
  readEnd = ends[0];
  writeEnd = ends[1];
  native::RegisterWaitDescriptor(readEnd, POLLIN, [this](short) { Drain(); });
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
  CloseWhatIsOpen();
  // An operation on the control-unit link is ended at its next wait's slice and the exit asked once it
  // has ended; otherwise the exit is queued at once.
  if (LinkBusyClaim::LinkIsBusy()) {
    DownloadStop::AskExit();
  } else if (ZafWindowObject::eventManager) {
    ZafWindowObject::eventManager->Put(ZafEventRecord(ExitEvent, 0), Q_END);
  }
}
