#pragma once
// A stop asked of the running download, kept until the download looks at its next lane gap: the break key
// read while a lane is on the line (while the link waits for the unit, where it would otherwise wait unseen
// until the lane ends), or an exit asked while an operation on the link runs, which also ends the wait on
// the line and which the link-busy claim queues again once the operation has ended, to take File > Exit's
// road then (a wait for the database outside an operation ends on it too, and queues it again as it ends).
// Nothing else typed or clicked during an operation reaches a window before it ends: the keys
// and clicks stay queued in their order.

class DownloadStop {
 public:
  // Held for the length of one operation on the link, a download or a single request, or of a wait for
  // the database outside one: no stop is asked at its start, but an exit already queued is taken then, and
  // none is kept after its end.
  class Operation {
   public:
    explicit Operation(bool download) {
      Begin(download);
      ReadExit();
    }
    ~Operation() { End(); }
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;
  };

  // While the link waits: the break key, when pressed, asks the stop; it is taken out of the queue where
  // it lies, also once the stop is asked. Other keys and clicks stay queued, in their order, for the
  // windows once the download has ended.
  static void ReadBreakKey();
  // Whether the stop was asked, the break key pressed since included (taken out of the queue as above).
  static bool Asked();
  // While an operation on the link runs (at its start, at each slice of its waits and at a download's lane
  // gaps): an exit asked meanwhile (File > Exit's event, or the window manager's close of the main frame)
  // is taken out of the queue and asked as AskExit asks it. A termination signal asks it directly.
  static void ReadExit();
  // Whether the stop is asked already, without reading the keys: a lane that fails gets no more attempts
  // and no question then, and the download stops there.
  static bool Latched();
  // An exit asked while an operation on the link runs: kept for the operation's end, and a download stops
  // at its next lane gap. Every wait for the unit ends at its next slice.
  static void AskExit();
  // Whether an exit was asked since the operation began.
  static bool ExitAsked();
  // Whether an operation (or a wait outside one) runs.
  static bool Running();

 private:
  static void Begin(bool download);
  static void End();
  // Latches the stop; a download says at once that it stops after the lane on the line.
  static void Ask();
};
