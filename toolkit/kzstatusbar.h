// The bar at the foot of the main window: one line of status text and a progress bar, both placed in it by
// its owner. A change of either starts a time-out after which the idle tick clears the bar, so that a
// message or a finished progress does not stay on screen.
#ifndef TOOLKIT_KZSTATUSBAR_H
#define TOOLKIT_KZSTATUSBAR_H

#include <cstdint>

#include "foundation/kstring.h"
#include "framework/core/zafstatusbar.h"
#include "toolkit/kzwindowleech.h"

class KZProgressBar;
class KZStatusString;

class KZStatusBar : public ZafStatusBar, public KZWindowLeech {
 public:
  // The bar that toolkit buttons tell where the pointer is (null: none). The program sets it to its main
  // status bar; a bar that is deleted while set clears it.
  static inline KZStatusBar* flyOverBar = nullptr;

  // A bar `height` pixels high that clears itself `timeout` milliseconds after its last change (0 or less:
  // never by itself).
  KZStatusBar(int32_t height, int32_t timeout);
  ~KZStatusBar() override;

  // Empties the text and hides the progress; nothing is left to clear on the idle tick.
  virtual void Clear();
  // Shows the text (when the bar has a text field); a change starts the time-out.
  virtual void SetText(const KString& text);
  // Shows the help text of a menu or tool-bar command while the pointer is over it; the program's bar
  // overrides it, this one shows nothing.
  virtual void ShowFlyOver(int32_t command);
  // Shows a percentage, -1 for none (when the bar has a progress field); a change starts the time-out.
  virtual void SetProgress(int32_t percent);

  // The idle tick runs the time-out; every other event is the framework bar's.
  ZafEventType Event(const ZafEventRecord& event) override;

  // The fields, placed in the bar by its owner, which adds them as children (they are deleted with it).
  KZStatusString* statusText = nullptr;
  KZProgressBar* progress = nullptr;

 private:
  // Clears the bar once the time-out has passed since the last change.
  void CheckTimeout();
  // Notes the current tick as the last change.
  void Stamp();

  // Tick count of the last visible change; 0 while there is nothing to clear.
  uint32_t lastChange = 0;
  int32_t timeout;
};

#endif
