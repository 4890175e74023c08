#pragma once
// The spooler's calls: which printers there are, a printer's device mode, printer contexts and the
// documents and pages printed through them.

#include <string>
#include <vector>

#include "native/print/printtypes.h"

namespace native {

// "PDF file" first, then the system's printers.
std::vector<std::string> PrinterNames();
// A printer's device mode as it starts: the locale's paper, portrait, one copy.
DEVMODE DefaultDevMode(const std::string& printer);

BOOL OpenPrinter(const char* printer, HPRINTER* handle, const void* defaults);
BOOL ClosePrinter(HPRINTER handle);
// Without DM_OUT_BUFFER answers the size of a device mode. With it fills `out` from the printer's defaults
// overlaid by `in` (with DM_IN_BUFFER) and answers IDOK; -1 for an unknown printer or a missing buffer.
long DocumentProperties(HWND owner, HPRINTER printer, const char* device, DEVMODE* out, const DEVMODE* in,
                        DWORD mode);

// A printer context for `device` on the paper of `mode` (the locale's paper where it says nothing), or a
// screen context for "DISPLAY". `output`: the file jobs go to when the document names none (print to file).
// Null for a printer that does not exist. DeleteDC ends it, abandoning an unfinished document.
HDC CreateDC(const char* driver, const char* device, const char* output, const DEVMODE* mode);

// Each answers a positive number on success, SP_ERROR (or 0) otherwise. A document that fails or is
// aborted leaves no file behind and the destination's earlier content untouched.
int StartDoc(HDC dc, const DOCINFO* info);
int StartPage(HDC dc);
int EndPage(HDC dc);
int EndDoc(HDC dc);
int AbortDoc(HDC dc);

}  // namespace native
