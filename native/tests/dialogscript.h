#pragma once
// Plays the user of a modal dialog: an owner window that, each time the dialog waits for input, runs the
// next scripted step (clicks and keys through the test driver). When the script runs out the dialog is
// closed, and the run counts as unfinished, so a test never hangs on a dialog.

#include <functional>
#include <string>
#include <vector>

#include "native/native.h"
#include "native/testdriver.h"

namespace native::test {

class DialogScript {
 public:
  using Step = std::function<void(HWND dialog)>;

  explicit DialogScript(TestDriver& driver);
  ~DialogScript();

  HWND owner() const { return owner_; }
  void add(Step step) { steps_.push_back(std::move(step)); }
  // Steps for the usual gestures: the control with this id inside the dialog.
  void click(int controlId);
  void doubleClick(int controlId);
  void type(std::u16string text);
  void press(UINT virtualKey);
  // Selects everything in a field and types over it.
  void replaceText(int controlId, std::u16string text);

  // Whether every step ran before the dialog ended.
  bool finished() const { return next_ == steps_.size() && !overran_; }
  // The dialog window while it runs (the last one seen).
  HWND dialog() const { return dialog_; }

  static HWND control(HWND dialog, int id);
  POINT centre(HWND window) const;

 private:
  static LRESULT procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void idle(HWND dialog);

  TestDriver& driver_;
  HWND owner_ = nullptr;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  bool overran_ = false;
  HWND dialog_ = nullptr;
};

}  // namespace native::test
