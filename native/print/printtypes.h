#pragma once
// The records and constants of printing: the device mode (paper and orientation), the device names, a
// document's description and the print dialog's record. Names are UTF-8 (the local code page); sizes of
// paper are in tenths of a millimetre.

#include "native/gdi/gditypes.h"
#include "native/user/globalmemory.h"
#include "native/user/nativetypes.h"

namespace native {

struct HPRINTER__;
using HPRINTER = HPRINTER__*;

inline constexpr int CCHDEVICENAME = 32;

// dmFields: which members of a device mode the device reports or the caller sets.
inline constexpr DWORD DM_ORIENTATION = 0x00000001;
inline constexpr DWORD DM_PAPERSIZE = 0x00000002;
inline constexpr DWORD DM_PAPERLENGTH = 0x00000004;
inline constexpr DWORD DM_PAPERWIDTH = 0x00000008;
inline constexpr DWORD DM_COPIES = 0x00000100;
inline constexpr DWORD DM_COLLATE = 0x00008000;

inline constexpr short DMORIENT_PORTRAIT = 1;
inline constexpr short DMORIENT_LANDSCAPE = 2;
inline constexpr short DMPAPER_LETTER = 1;
inline constexpr short DMPAPER_A4 = 9;
inline constexpr short DMCOLLATE_FALSE = 0;
inline constexpr short DMCOLLATE_TRUE = 1;

// DocumentProperties modes.
inline constexpr DWORD DM_OUT_BUFFER = 2;
inline constexpr DWORD DM_IN_BUFFER = 8;
// The answers of dialogs; DocumentProperties answers IDOK when it took the device mode.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

inline constexpr int DT_RASPRINTER = 2;
// What the spooler calls answer on failure.
inline constexpr int SP_ERROR = -1;

struct DEVMODE {
  char dmDeviceName[CCHDEVICENAME];  // the printer's name, cut to fit and always terminated
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;  // sizeof(DEVMODE)
  WORD dmDriverExtra;
  DWORD dmFields;
  short dmOrientation;
  short dmPaperSize;
  short dmPaperLength;  // tenths of a millimetre
  short dmPaperWidth;   // tenths of a millimetre
  short dmScale;
  short dmCopies;
  short dmDefaultSource;
  short dmPrintQuality;
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
};

// A movable block holding this header followed by the three names; the offsets count characters from the
// start of the block.
struct DEVNAMES {
  WORD wDriverOffset;
  WORD wDeviceOffset;
  WORD wOutputOffset;  // "PDF file": the file the job is written to; empty for a system printer
  WORD wDefault;
};
inline constexpr WORD DN_DEFAULTPRN = 0x0001;

struct DOCINFO {
  int cbSize;
  const char* lpszDocName;
  // A file the job goes to instead of the printer; one with the extension "ps" is written as PostScript.
  const char* lpszOutput;
  const char* lpszDatatype;
  DWORD fwType;
};

}  // namespace native
