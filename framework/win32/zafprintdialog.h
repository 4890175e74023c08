// The print dialog of a printer: the platform's print dialog, offered from a print-job record and answered
// into it. On OK the printer takes the chosen printer's settings and context.
#ifndef FRAMEWORK_WIN32_ZAFPRINTDIALOG_H
#define FRAMEWORK_WIN32_ZAFPRINTDIALOG_H

#include <cstdint>

#include "framework/core/zafdialogwindow.h"

class ZafPrinter;
struct ZafPrintJobRecord;

inline constexpr ZafEventType ZAF_PRINT_DIALOG_OK = ZAF_DIALOG_FIRST_ANSWER;
inline constexpr ZafEventType ZAF_PRINT_DIALOG_CANCEL = -2993;

class ZafPrintDialog : public ZafDialogWindow {
 public:
  ZafPrintDialog(ZafPrinter& printer, ZafPrintJobRecord& record);

  // Offers the record; OK writes the choice into it, Cancel leaves it as it was.
  ZafEventType Run();

  // Whether the user may choose a page range; without one the record answers its whole range.
  uint8_t pageNumbersAllowed = 1;
  // While both are set the program prints the copies itself; with either cleared the printer's device mode
  // keeps the copies count and the record answers one copy.
  uint8_t copyOptions[2] = {1, 1};

 private:
  ZafPrinter& printer;
  ZafPrintJobRecord& record;
};

#endif
