#pragma once
// A stop asked of the running download, kept until the download looks at its next lane gap: the break key
// read while a lane is on the line (while the link waits for the unit, where it would otherwise wait unseen
// until the lane ends), or an exit asked while an operation on the link runs, which also ends the wait on
// the line and which the link-busy claim queues again once the operation has ended, to take File > Exit's
// road then.

class DownloadStop {
 public:
  // An operation on the link starts, a download or a single request: no stop asked yet.
  static void Begin(bool download);
  // While the link waits: the break key, when pressed, asks the stop; it is taken out of the queue, also
  // once the stop is asked. Other keys typed meanwhile stay queued, in their order, for the lane gap's
  // pass or the window that follows the download.
  static void ReadBreakKey();
  // At a lane gap: whether the stop was asked, the break key pressed since included (taken out of the
  // queue as above).
  static bool Asked();
  // Whether the stop is asked already, without reading the keys: a lane that fails gets no more attempts
  // and no question then, and the download stops there.
  static bool Latched();
  // An exit asked while an operation on the link runs: kept for the operation's end, and a download stops
  // at its next lane gap. Every wait for the unit ends at its next slice.
  static void AskExit();
  // Whether an exit was asked since the operation began.
  static bool ExitAsked();
  // The operation on the link has ended.
  static void End();

 private:
  // Latches the stop; a download says at once that it stops after the lane on the line.
  static void Ask();
};
