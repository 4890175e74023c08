#include "framework/win32/zafprintdialog.h"

#include <algorithm>

#include "framework/win32/zafprinter.h"
#include "native/print/printdlg.h"

namespace {

// The native dialog counts in 16 bits: a larger number is offered as the largest it holds, not wrapped.
native::WORD DialogWord(uint32_t value) {
  return static_cast<native::WORD>(std::min<uint32_t>(value, 0xFFFF));
}

}  // namespace

ZafPrintDialog::ZafPrintDialog(ZafPrinter& printer, ZafPrintJobRecord& record)
    : ZafDialogWindow(0, 0, 0, 0), printer(printer), record(record) {}

ZafEventType ZafPrintDialog::Run() {
  native::PRINTDLG request{};
  request.Flags = native::PD_NOSELECTION | (record.collate ? native::PD_COLLATE : 0) |
                  (pageNumbersAllowed ? 0 : native::PD_NOPAGENUMS) |
                  (copyOptions[0] && copyOptions[1] ? 0 : native::PD_USEDEVMODECOPIES);
  request.nFromPage = DialogWord(record.firstPage);
  request.nToPage = DialogWord(record.lastPage);
  request.nMinPage = DialogWord(record.lowestPage);
  request.nMaxPage = DialogWord(record.highestPage);
  request.nCopies = DialogWord(record.copies);
  if (!printer.RunPrintDlg(request)) {
    return ZAF_PRINT_DIALOG_CANCEL;
  }
  record.collate = (request.Flags & native::PD_COLLATE) != 0 ? 1 : 0;
  record.copies = request.nCopies;
  if ((request.Flags & native::PD_PAGENUMS) != 0) {
    record.firstPage = request.nFromPage;
    record.lastPage = request.nToPage;
  } else {
    record.firstPage = record.lowestPage;
    record.lastPage = record.highestPage;
  }
  return ZAF_PRINT_DIALOG_OK;
}
