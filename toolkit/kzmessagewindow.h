// The program's modal message box: an optional picture, the message and a row of standard buttons. Ask
// shows one and turns the answer into yes or no. The program's alerts and questions are built on it; a key
// pressed before the box showed does not answer it.
#ifndef TOOLKIT_KZMESSAGEWINDOW_H
#define TOOLKIT_KZMESSAGEWINDOW_H

#include <cstdint>

#include "foundation/kstring.h"
#include "toolkit/kzdialog.h"

class KZPrompt;
class ZafIcon;

class KZMessageWindow : public KZDialog {
 public:
  // `icon` is the number of one of the framework's built-in pictures, 0 for none.
  KZMessageWindow(const ZafIChar* title, const ZafIChar* message, uint32_t buttonFlags,
                  uint32_t defaultButton, int32_t icon);

  // Shows the box and answers true for Ok and Yes; every other answer, a closed box among them, is no.
  static bool Ask(const ZafIChar* title, const ZafIChar* message, uint32_t buttonFlags,
                  uint32_t defaultButton, int32_t icon);

  ZafIcon* Icon() const { return icon; }
  // The message as given; the prompt shows it broken into lines.
  const KString& Message() const { return message; }
  KZPrompt* MessageText() const { return messageText; }

 private:
  // The message broken into lines that keep the box on the screen; a path too long for a line breaks
  // inside it.
  KString WrappedMessage(const KString& text) const;

  KString message;
  ZafIcon* icon = nullptr;
  KZPrompt* messageText = nullptr;
};

#endif
