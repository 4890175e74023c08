#pragma once
// SIGTERM, SIGINT and SIGHUP, and the window manager's close of the display, ask the running program to end
// as File > Exit does. The handler only writes a byte to a pipe; the program's loop reads the pipe, like any
// other descriptor it waits on (so does a wait for the control unit between its slices, and every menu and
// dialog), and queues the exit there, where the unsaved-event questions and the configuration are safe to
// handle; an open menu or dialog of the window system closes first. During an operation on the
// control-unit link the exit ends the operation's wait and its question, and is asked once the operation
// has ended.

#include <csignal>

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

  static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
  struct sigaction previous[3] = {};
  int readEnd = -1;
};
