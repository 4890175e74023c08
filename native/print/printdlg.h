#pragma once
// PrintDlg: the printer's defaults without a dialog (PD_RETURNDEFAULT), the print setup dialog
// (PD_PRINTSETUP) and the print dialog. The dialogs run through a runner: the GUI's own dialog, or a script
// a test installs. The answer comes back as new device-mode and device-names blocks and, with PD_RETURNDC,
// a printer context.

#include <functional>
#include <string>
#include <vector>

#include "native/print/paper.h"
#include "native/print/printtypes.h"

namespace native {

inline constexpr DWORD PD_ALLPAGES = 0x00000000;
inline constexpr DWORD PD_SELECTION = 0x00000001;
inline constexpr DWORD PD_PAGENUMS = 0x00000002;
inline constexpr DWORD PD_NOSELECTION = 0x00000004;
inline constexpr DWORD PD_NOPAGENUMS = 0x00000008;
inline constexpr DWORD PD_COLLATE = 0x00000010;
inline constexpr DWORD PD_PRINTTOFILE = 0x00000020;
inline constexpr DWORD PD_PRINTSETUP = 0x00000040;
inline constexpr DWORD PD_RETURNDC = 0x00000100;
inline constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
inline constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;

struct PRINTDLG {
  DWORD lStructSize;  // sizeof(PRINTDLG)
  HWND hwndOwner;
  HGLOBAL hDevMode;
  HGLOBAL hDevNames;
  HDC hDC;
  DWORD Flags;
  WORD nFromPage;
  WORD nToPage;
  WORD nMinPage;
  WORD nMaxPage;
  WORD nCopies;
};

// What a print dialog offers.
struct PrintDialogRequest {
  bool setup = false;  // the print setup dialog: printer, paper and orientation only
  HWND owner = nullptr;
  std::vector<std::string> printers;
  bool pageNumbers = true;  // a page range may be chosen
  int minPage = 1;
  int maxPage = 1;
};

// What the user chose; the dialog starts from the current settings.
struct PrintDialogChoice {
  std::string printer;
  std::string outputFile;  // the file the job goes to: needed for "PDF file", else print to file
  Paper paper;
  int copies = 1;
  bool collate = true;
  bool pageRange = false;
  int fromPage = 1;
  int toPage = 1;
};

// Answers false when the user cancels.
using PrintDialogRunner = std::function<bool(const PrintDialogRequest&, PrintDialogChoice&)>;
// Installs a runner in place of the print dialogs (a script); an empty one brings the dialogs back.
void SetPrintDialogRunner(PrintDialogRunner runner);

// TRUE when defaults were found or the user chose OK; FALSE on cancel or bad arguments, with the caller's
// blocks untouched. PD_RETURNDEFAULT needs both blocks null.
BOOL PrintDlg(PRINTDLG* request);

}  // namespace native
