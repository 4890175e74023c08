#include "native/print/printdlg.h"

#include <algorithm>
#include <cstring>

#include "native/print/printapi.h"
#include "native/print/printdialog.h"
#include "native/print/printerblocks.h"
#include "native/print/printerdevice.h"

namespace native {

namespace {

PrintDialogRunner& runner() {
  static PrintDialogRunner installed;
  return installed;
}

// The settings the dialog starts from: the caller's blocks when they read, else the default printer.
PrintDialogChoice currentSettings(const PRINTDLG& request) {
  PrintDialogChoice choice;
  std::optional<DeviceNames> names = PrinterBlocks::readNames(request.hDevNames);
  choice.printer = names ? names->device : PrinterDevice::kPdfFilePrinter;
  choice.outputFile = names ? names->output : "";
  std::optional<DEVMODE> mode = PrinterBlocks::readDevMode(request.hDevMode);
  DEVMODE base = DefaultDevMode(choice.printer);
  choice.paper = Paper::fromDevMode(mode ? &*mode : nullptr, Paper::fromDevMode(&base, Paper{}));
  bool modeCopies = (request.Flags & PD_USEDEVMODECOPIES) != 0;
  int modeCopyCount = mode && (mode->dmFields & DM_COPIES) != 0 ? mode->dmCopies : 1;
  choice.copies = std::max(1, modeCopies ? modeCopyCount : static_cast<int>(request.nCopies));
  choice.collate = (request.Flags & PD_COLLATE) != 0;
  choice.pageRange = (request.Flags & PD_PAGENUMS) != 0;
  choice.fromPage = request.nFromPage;
  choice.toPage = request.nToPage;
  return choice;
}

DEVMODE devModeOf(const PrintDialogChoice& choice, int copies) {
  DEVMODE mode = DefaultDevMode(choice.printer);
  choice.paper.store(&mode);
  mode.dmCopies = static_cast<short>(std::clamp(copies, 1, 9999));
  mode.dmCollate = choice.collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
  return mode;
}

// Puts the new settings into the caller's record: new blocks (the old ones freed) and, on request, a
// printer context. False, with the record untouched, when the blocks or the context cannot be made.
bool answer(PRINTDLG& request, const PrintDialogChoice& choice, bool isDefault) {
  bool modeCopies = (request.Flags & PD_USEDEVMODECOPIES) != 0;
  DEVMODE mode = devModeOf(choice, modeCopies ? choice.copies : 1);
  HGLOBAL modeBlock = PrinterBlocks::writeDevMode(mode);
  HGLOBAL namesBlock =
      PrinterBlocks::writeNames(DeviceNames{"", choice.printer, choice.outputFile, isDefault});
  HDC dc = nullptr;
  if ((request.Flags & PD_RETURNDC) != 0) {
    dc = CreateDC("", choice.printer.c_str(), choice.outputFile.c_str(), &mode);
  }
  if (modeBlock == nullptr || namesBlock == nullptr ||
      ((request.Flags & PD_RETURNDC) != 0 && dc == nullptr)) {
    GlobalFree(modeBlock);
    GlobalFree(namesBlock);
    return false;
  }
  GlobalFree(request.hDevMode);
  GlobalFree(request.hDevNames);
  request.hDevMode = modeBlock;
  request.hDevNames = namesBlock;
  request.hDC = dc;
  return true;
}

}  // namespace

void SetPrintDialogRunner(PrintDialogRunner installed) {
  runner() = std::move(installed);
}

BOOL PrintDlg(PRINTDLG* request) {
  if (request == nullptr || request->lStructSize != sizeof(PRINTDLG)) {
    return FALSE;
  }
  if ((request->Flags & PD_RETURNDEFAULT) != 0) {
    if (request->hDevMode != nullptr || request->hDevNames != nullptr) {
      return FALSE;
    }
    PrintDialogChoice defaults;
    defaults.printer = PrinterDevice::kPdfFilePrinter;
    defaults.paper = Paper::fromLocale();
    return answer(*request, defaults, true) ? TRUE : FALSE;
  }
  bool setup = (request->Flags & PD_PRINTSETUP) != 0;
  PrintDialogRequest offer;
  offer.setup = setup;
  offer.owner = request->hwndOwner;
  offer.printers = PrinterNames();
  offer.pageNumbers = !setup && (request->Flags & PD_NOPAGENUMS) == 0;
  offer.minPage = std::min(request->nMinPage, request->nMaxPage);
  offer.maxPage = std::max(request->nMinPage, request->nMaxPage);
  PrintDialogChoice choice = currentSettings(*request);
  bool chosen = runner() ? runner()(offer, choice) : PrintDialog::show(offer, choice);
  if (!chosen) {
    return FALSE;
  }
  // The answer is held to what was offered, whoever gave it.
  if (std::find(offer.printers.begin(), offer.printers.end(), choice.printer) == offer.printers.end()) {
    return FALSE;
  }
  choice.copies = std::clamp(choice.copies, 1, 9999);
  choice.pageRange = choice.pageRange && offer.pageNumbers;
  choice.fromPage = std::clamp(choice.fromPage, offer.minPage, offer.maxPage);
  choice.toPage = std::clamp(choice.toPage, choice.fromPage, offer.maxPage);
  if (!answer(*request, choice, false)) {
    return FALSE;
  }
  if (setup) {
    return TRUE;
  }
  // "PDF file" always writes to its File field; only a system printer's job sent there prints to a file.
  bool toFile = choice.printer != PrinterDevice::kPdfFilePrinter && !choice.outputFile.empty();
  request->Flags &= ~(PD_COLLATE | PD_PAGENUMS | PD_PRINTTOFILE | PD_SELECTION);
  request->Flags |= (choice.collate ? PD_COLLATE : 0) | (choice.pageRange ? PD_PAGENUMS : 0) |
                    (toFile ? PD_PRINTTOFILE : 0);
  request->nFromPage = static_cast<WORD>(choice.pageRange ? choice.fromPage : offer.minPage);
  request->nToPage = static_cast<WORD>(choice.pageRange ? choice.toPage : offer.maxPage);
  // With the device mode keeping the copies, the program prints once and the printer repeats.
  request->nCopies = static_cast<WORD>((request->Flags & PD_USEDEVMODECOPIES) != 0 ? 1 : choice.copies);
  return TRUE;
}

}  // namespace native
