#pragma once
// YImageReporter: how the image operations that take a while (saving with cuts, the object search, the
// automatic crop, the channel statistics) and the image windows tell the user what they do, report failures,
// ask and learn that the user wants them to stop. The program connects its status bar and alerts at start;
// until then a silent reporter answers.

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
  // The program's error message box with `text`, titled `title` (the empty title: the program's own).
  virtual void ErrorMessage(const KString& /*text*/, const KString& /*title*/) {}
  // The numbered error alert of a failure's code and sub-code (-1 for none).
  virtual void ErrorAlert(int32_t /*code*/, int32_t /*subCode*/) {}
  // An Ok/Cancel question; true when the user answers Ok. Silently: Cancel.
  virtual bool AskOkCancel(const KString& /*title*/, const KString& /*text*/) { return false; }

  // The connected reporter, or the silent one.
  static YImageReporter& Current();
  // Connects a reporter (not owned); null goes back to the silent one.
  static void Connect(YImageReporter* reporter);
};
