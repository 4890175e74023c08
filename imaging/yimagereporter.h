#pragma once
// YImageReporter: how the image operations that take a while (saving with cuts, the object search, the
// automatic crop, the channel statistics) tell the user what they do and learn that the user wants them to
// stop. The program connects its status bar and alerts at start; until then a silent reporter answers.

#include <cstdint>

class KString;

class YImageReporter {
 public:
  virtual ~YImageReporter() = default;

  // A text for the main status bar; the empty text clears it.
  virtual void StatusText(const KString&) {}
  // The status bar's progress, 0 to 100; -1 clears it.
  virtual void Progress(int32_t) {}
  // The busy pointer on or off.
  virtual void Busy(bool) {}
  // True when the user pressed the break key since the last question.
  virtual bool BreakPressed() { return false; }
  // A message in the program's message window.
  virtual void Message(const KString&) {}

  // The connected reporter, or the silent one.
  static YImageReporter& Current();
  // Connects a reporter (not owned); null goes back to the silent one.
  static void Connect(YImageReporter* reporter);
};
