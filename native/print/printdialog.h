#pragma once
// The print dialog and the print setup dialog as the user sees them: printer, output file, paper and
// orientation and, when printing, the page range, the copies and collation. OK is refused (with a beep and
// the focus on the field) while a number is out of range or, when printing, the "PDF file" printer has no
// file.

#include <optional>

#include "native/print/modaldialog.h"
#include "native/print/printdlg.h"

namespace native {

class PrintDialog : public ModalDialog {
 public:
  enum ControlId {
    kPrinterList = 101,
    kOutputFile,
    kPaperList,
    kPortrait,
    kLandscape,
    kAllPages,
    kPageRange,
    kFromPage,
    kToPage,
    kCopies,
    kCollate,
  };

  PrintDialog(const PrintDialogRequest& request, PrintDialogChoice& choice);

  // Runs the dialog over the choice; false when cancelled (the choice is then as it was).
  static bool show(const PrintDialogRequest& request, PrintDialogChoice& choice);

 protected:
  void onCommand(int id, int code) override;
  bool accept() override;

 private:
  void addLabel(const std::u16string& text, const RECT& rect);
  void showPageRangeState();
  // The number in a field when it lies within the limits.
  std::optional<int> numberIn(int id, int lowest, int highest) const;
  bool refuse(int id);

  const PrintDialogRequest& request_;
  PrintDialogChoice& choice_;
};

}  // namespace native
