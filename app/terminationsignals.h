#pragma once
// SIGTERM, SIGINT and SIGHUP, and the window manager's close of the display, ask the running program to end
// as File > Exit does. The handler only writes a byte to a pipe; the program's loop reads the pipe, like any
// other descriptor it waits on (so does a wait for the control unit between its slices, and every menu and
// dialog), and queues the exit there, where the unsaved-event questions and the configuration are safe to
// handle. What is open closes first as Escape would close it, innermost first: a menu or dialog of the
// window system, the program's dialogs and message boxes. During an operation on the control-unit link the
// exit ends the operation's wait, and is asked once the operation has ended. While the exit's own
// questions show, a further request adds nothing.

#include <csignal>

#include "framework/core/zafeventtypes.h"

class ZafDisplay;
class ZafEventManager;
class ZafWindowManager;

class TerminationSignals {
 public:
  // Installs the handlers for as long as the object lives; the handlers that were there come back after.
  TerminationSignals();
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

 private:
  static void Handler(int signal);
  void Drain();
  static void AskExit();
  // The application's exit question, noting while it is asked.
  static ZafEventType AskingExit(ZafDisplay* display, ZafEventManager* events, ZafWindowManager* windows);

  static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
  struct sigaction previous[3] = {};
  int readEnd = -1;
};
