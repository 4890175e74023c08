#pragma once
// The X display's CLIPBOARD selection as the program's shared clipboard: the host's window owns the
// selection while the program offers text, and answers other programs' requests for it (TARGETS and
// UTF8_STRING) from the program's clipboard; when the program pastes, the selection's owner is asked for
// UTF8_STRING, with a bounded wait. Texts go whole in one property: a transfer in parts (INCR) is not made
// or taken.
// Include it after every header of ours: Xlib's macros (None, True, False) clash with our names.

#include "native/user/sharedclipboard.h"

#include <X11/Xlib.h>

namespace native {

class Clipboard;

class X11Clipboard : public SharedClipboard {
 public:
  X11Clipboard(Display* display, Window window, Clipboard& clipboard);

  Owner owner() override;
  void programChanged(bool holdsText) override;
  std::optional<std::string> otherProgramText() override;

  // The time of the latest input: X wants the selection taken and asked for as of the input that did it.
  void noteTime(Time time) { time_ = time; }
  // Answers another program's request for the selection this program owns.
  void answer(const XSelectionRequestEvent& request);

  // How long a paste waits for the selection's owner to answer.
  static constexpr int kAnswerWaitMs = 1000;

 private:
  // The owner's answer to the conversion asked of it; false when none came in time.
  bool waitForAnswer(XSelectionEvent& answer);
  // Whether a property of that many bytes goes to the server in one request.
  bool fitsOneRequest(std::size_t bytes) const;

  Display* display_;
  Window window_;
  Clipboard& clipboard_;
  Atom selection_;
  Atom targets_;
  Atom utf8String_;
  Atom incoming_;  // the property of our window where an owner puts the text we asked for
  Time time_ = CurrentTime;
};

}  // namespace native
