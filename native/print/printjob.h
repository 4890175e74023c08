#pragma once
// One document being written: a cairo PDF or PostScript surface streaming into a temporary file beside the
// destination, one page at a time. Only a finished job replaces the destination, so a job that fails or is
// abandoned leaves neither a half-written document nor a lost earlier file.

#include <memory>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace native {

class Surface;

class PrintJob {
 public:
  enum class Format { Pdf, PostScript };

  // Null when the temporary file cannot be made (no such folder, no permission). Sizes in points.
  static std::unique_ptr<PrintJob> start(const std::string& destination, Format format, double widthPoints,
                                         double heightPoints);
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  // Puts the pixels as one page: their top-left corner `offsetPoints` in from the sheet's, `pixelsPerInch`
  // of them to the inch.
  void addPage(Surface& pixels, double offsetPoints, double pixelsPerInch);
  // Completes the document and moves it to the destination; false (and nothing left behind) when any write
  // failed.
  bool finish();

  // The format a destination file asks for: PostScript for the extension "ps" (in any case), else PDF.
  static Format formatFor(const std::string& destination);

 private:
  PrintJob(std::string destination, std::string temporary, int descriptor);
  friend struct PrintJobStream;
  // Appends the bytes to the temporary file; false (remembered) when the file takes them not.
  bool write(const unsigned char* data, unsigned int length);
  void discard();

  std::string destination_;
  std::string temporary_;
  int descriptor_;
  bool writeFailed_ = false;
  cairo_surface_t* surface_ = nullptr;
};

}  // namespace native
