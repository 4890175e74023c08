#pragma once
// DatabaseWaitReporter: how a request of the database link that waits for its answer reaches the program.
// The request holds the thread that asks, the GUI thread, for up to the link's time-out: the program shows
// that it waits and, between the slices of the wait, serves what must not wait that long (the reaction-time
// link, the windows' paints, the command service).

class DatabaseWaitReporter {
 public:
  virtual ~DatabaseWaitReporter() = default;

  // A request begins (true) or ends (false) its wait, answered or not.
  virtual void Busy(bool busy) = 0;
  // Between the slices of a wait.
  virtual void Serve() = 0;
};
