// The program has one control-unit link port. An operation on it (a download, sending the title or the lane
// states, a firmware or sound upload) hands no input to the windows until it ends, but the questions it asks
// run a loop of their own: the events handled there must not start another operation on the port, nor
// delete the event window whose operation is still on the stack.
#ifndef APP_LINKBUSY_H
#define APP_LINKBUSY_H

class QvEvent;

// Held for the length of one operation. A claim made while another is held owns nothing: the operation
// must then return at once, without touching the port or asking anything.
class LinkBusyClaim {
 public:
  // `event` is the document whose window runs the operation, or null for one of the main frame's.
  explicit LinkBusyClaim(const QvEvent* event);
  ~LinkBusyClaim();
  LinkBusyClaim(const LinkBusyClaim&) = delete;
  LinkBusyClaim& operator=(const LinkBusyClaim&) = delete;

  bool Owned() const { return owned; }

  static bool LinkIsBusy();
  // True while an operation runs for this document: its window must then refuse to close.
  static bool IsBusyFor(const QvEvent* event);
  // An exit refused while an operation runs: it goes back into the queue when the operation's claim ends.
  static void KeepExit();
  // An exit taken out of the queue outside any operation (by a wait for the database) goes back into it
  // at once, or is kept as above when the queue is full.
  static void QueueExit();
  // Puts a kept exit back into the queue once no operation runs; a full queue keeps it, and the loop's
  // idle passes try again until the queue takes it.
  static void QueueKeptExit();

 private:
  bool owned;
};

#endif  // APP_LINKBUSY_H
