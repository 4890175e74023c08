#include "native/print/printerdevice.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "native/gdi/gdi.h"
#include "native/gdi/surface.h"
#include "native/print/printjob.h"
#include "native/print/systemprinters.h"

namespace native {

namespace {

int pixelsOfTenths(int tenthsOfMillimetre) {
  return static_cast<int>(std::lround(tenthsOfMillimetre * PrinterDevice::kPixelsPerInch / 254.0));
}

double pointsOfPixels(int pixels) {
  return pixels * 72.0 / PrinterDevice::kPixelsPerInch;
}

// A fresh file name for a system printer's PDF in the user's runtime folder (else the temporary folder);
// empty when none can be made.
std::string newSpoolFile() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string folder = runtime != nullptr && runtime[0] == '/' ? runtime : "/tmp";
  std::string pattern = folder + "/kestrove-print-XXXXXX.pdf";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int descriptor = mkstemps(name.data(), 4);
  if (descriptor < 0) {
    return {};
  }
  ::close(descriptor);
  return name.data();
}

}  // namespace

PrinterDevice::PrinterDevice(Gdi& gdi, std::string printer, std::string output, const Paper& paper)
    : gdi_(gdi), printer_(std::move(printer)), output_(std::move(output)), paper_(paper) {
  auto page = std::make_unique<GdiObject>();
  page->type = OBJ_BITMAP;
  page->bitmap = std::make_unique<Surface>(paperPixelsWide() - 2 * kPhysicalOffset,
                                           paperPixelsHigh() - 2 * kPhysicalOffset, false);
  page->bitmap->fill(kWhitePixel);
  page_ = gdi_.add(std::move(page));
}

PrinterDevice::~PrinterDevice() {
  abortDoc();
  // The context has let go of the page by now; when the whole drawing state goes down at once the page is
  // still counted as selected and goes with the other objects.
  gdi_.remove(page_);
}

int PrinterDevice::paperPixelsWide() const {
  return pixelsOfTenths(paper_.pageWidthTenths());
}

int PrinterDevice::paperPixelsHigh() const {
  return pixelsOfTenths(paper_.pageLengthTenths());
}

Surface* PrinterDevice::pageSurface() const {
  // The program may have swapped the page out of the context and deleted it.
  GdiObject* page = gdi_.object(page_, OBJ_BITMAP);
  return page == nullptr ? nullptr : page->bitmap.get();
}

int PrinterDevice::deviceCaps(int index) const {
  int printableWide = paperPixelsWide() - 2 * kPhysicalOffset;
  int printableHigh = paperPixelsHigh() - 2 * kPhysicalOffset;
  switch (index) {
    case TECHNOLOGY:
      return DT_RASPRINTER;
    case HORZRES:
      return printableWide;
    case VERTRES:
      return printableHigh;
    case HORZSIZE:
      return static_cast<int>(std::lround(printableWide * 25.4 / kPixelsPerInch));
    case VERTSIZE:
      return static_cast<int>(std::lround(printableHigh * 25.4 / kPixelsPerInch));
    case LOGPIXELSX:
    case LOGPIXELSY:
      return kPixelsPerInch;
    case PHYSICALWIDTH:
      return paperPixelsWide();
    case PHYSICALHEIGHT:
      return paperPixelsHigh();
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY:
      return kPhysicalOffset;
    case BITSPIXEL:
      return 32;
    case PLANES:
      return 1;
    case NUMCOLORS:
      return -1;
    case RASTERCAPS:
      return RC_BITBLT | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    default:
      return 0;
  }
}

int PrinterDevice::startDoc(const DOCINFO& info) {
  if (job_ != nullptr) {
    return SP_ERROR;
  }
  std::string destination;
  if (info.lpszOutput != nullptr && info.lpszOutput[0] != '\0') {
    destination = info.lpszOutput;
  } else if (!output_.empty() || isFilePrinter()) {
    destination = output_;
  } else {
    spoolFile_ = newSpoolFile();
    destination = spoolFile_;
  }
  // A system printer's spool file is always PDF, whatever its name.
  PrintJob::Format format = spoolFile_.empty() ? PrintJob::formatFor(destination) : PrintJob::Format::Pdf;
  job_ = PrintJob::start(destination, format, pointsOfPixels(paperPixelsWide()),
                         pointsOfPixels(paperPixelsHigh()));
  if (job_ == nullptr) {
    abortDoc();
    return SP_ERROR;
  }
  title_ = info.lpszDocName != nullptr ? info.lpszDocName : "";
  return 1;
}

int PrinterDevice::startPage() {
  if (job_ == nullptr || pageOpen_) {
    return SP_ERROR;
  }
  Surface* page = pageSurface();
  if (page == nullptr) {
    return SP_ERROR;
  }
  page->fill(kWhitePixel);
  pageOpen_ = true;
  return 1;
}

int PrinterDevice::endPage() {
  Surface* page = pageSurface();
  if (job_ == nullptr || !pageOpen_ || page == nullptr) {
    return SP_ERROR;
  }
  job_->addPage(*page, pointsOfPixels(kPhysicalOffset), kPixelsPerInch);
  pageOpen_ = false;
  return 1;
}

int PrinterDevice::endDoc() {
  if (job_ == nullptr) {
    return SP_ERROR;
  }
  // A page still open when the document ends is printed rather than lost.
  if (pageOpen_) {
    endPage();
  }
  bool written = job_->finish();
  job_.reset();
  if (written && !spoolFile_.empty()) {
    written = SystemPrinters::submit(printer_, spoolFile_, title_);
  }
  if (!spoolFile_.empty()) {
    ::unlink(spoolFile_.c_str());
    spoolFile_.clear();
  }
  return written ? 1 : SP_ERROR;
}

int PrinterDevice::abortDoc() {
  bool running = job_ != nullptr;
  job_.reset();
  pageOpen_ = false;
  if (!spoolFile_.empty()) {
    ::unlink(spoolFile_.c_str());
    spoolFile_.clear();
  }
  return running ? 1 : SP_ERROR;
}

}  // namespace native
