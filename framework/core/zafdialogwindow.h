// A window that asks the user something: shown on its own frame, it can be run modally by Control until the
// user answers, and the answer is what Control returns.
#ifndef FRAMEWORK_CORE_ZAFDIALOGWINDOW_H
#define FRAMEWORK_CORE_ZAFDIALOGWINDOW_H

#include "framework/core/zafwindow.h"

// The answers that end a modal dialog: -2999 (OK) up to -2000. A dialog's own Help button ends it with
// HelpEvent too.
inline constexpr ZafEventType ZAF_DIALOG_FIRST_ANSWER = -2999;
inline constexpr ZafEventType ZAF_DIALOG_LAST_ANSWER = -2000;
// What Control answers when it cannot run: the dialog is already under a modal loop, is not a top-level
// window, or there is no event or window manager to run one with.
inline constexpr ZafEventType ZAF_DIALOG_NOT_RUN = -1;

class ZafDialogWindow : public ZafWindow {
 public:
  ZafDialogWindow(int32_t left, int32_t top, int32_t width, int32_t height);
  ZafDialogWindow(const ZafDialogWindow& other);
  ZafDialogWindow(const ZafIChar* name, ZafObjectPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // Answers that reach the dialog are its own: they end its modal loop and go to none of its objects.
  ZafEventType Event(const ZafEventRecord& event) override;

  // Shows the top-level dialog modally (added to the window manager when it is not yet shown) and handles
  // events until one answers it; then takes it off the screen and returns the answer. The dialog is never
  // deleted here, even when the user closes it: the caller owns it. A dialog closed unanswered, or left
  // because the program quits (the quit goes on to the program's loop), answers CloseEvent.
  // ZAF_DIALOG_NOT_RUN when the dialog is already under Control or sits inside another window.
  ZafEventType Control();
  bool UnderControl() const { return underControl; }
  // Whether the event ends the dialog's modal loop.
  bool Answers(const ZafEventRecord& event) const;

  // A frame of the dialog class holding a client window of the framework's class (defined by the
  // back-end).
  void CreateNative() override;

  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 protected:
  // For derived classes: an empty dialog whose stored fields the derived constructor reads.
  ZafDialogWindow();

 private:
  bool underControl = false;
};

#endif
