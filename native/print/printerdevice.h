#pragma once
// The printer behind a printer context: the sheet, the 300 dpi page the context draws on (the printable
// area, a quarter inch in from each edge), and the document in progress. A page is handed to the document
// when it ends; the document goes to its file, or to a system printer, when it ends.

#include <memory>
#include <string>

#include "native/gdi/devicecontext.h"
#include "native/print/paper.h"
#include "native/print/printtypes.h"

namespace native {

class Gdi;
class PrintJob;
class Surface;

class PrinterDevice : public ContextDevice {
 public:
  static constexpr int kPixelsPerInch = 300;
  // The unprintable edge on every side: a quarter inch.
  static constexpr int kPhysicalOffset = kPixelsPerInch / 4;
  // The printer that writes every job to a file.
  static constexpr const char* kPdfFilePrinter = "PDF file";

  // `output`: the file jobs go to when the document names none; empty sends a system printer's jobs to the
  // printer (a "PDF file" job then needs the document to name its file).
  PrinterDevice(Gdi& gdi, std::string printer, std::string output, const Paper& paper);
  ~PrinterDevice() override;

  int deviceCaps(int index) const override;

  // The page bitmap, to be selected into the context.
  HGDIOBJ pageBitmap() const { return page_; }

  // Each answers a positive number on success and SP_ERROR (or 0 where noted) when refused.
  int startDoc(const DOCINFO& info);
  int startPage();
  int endPage();
  int endDoc();
  int abortDoc();

  // The sheet's size in printer pixels as it lies (landscape swapped).
  int paperPixelsWide() const;
  int paperPixelsHigh() const;

 private:
  bool isFilePrinter() const { return printer_ == kPdfFilePrinter; }
  Surface* pageSurface() const;

  Gdi& gdi_;
  std::string printer_;
  std::string output_;
  Paper paper_;
  HGDIOBJ page_ = nullptr;
  std::unique_ptr<PrintJob> job_;
  std::string title_;
  // Where a system printer's PDF waits for the spooler; empty for file jobs.
  std::string spoolFile_;
  bool pageOpen_ = false;
};

}  // namespace native
