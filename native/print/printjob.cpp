#include "native/print/printjob.h"

#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo.h>
#include <fcntl.h>
#include <unistd.h>

#include <strings.h>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

#include "native/gdi/surface.h"

namespace native {

// Where cairo's output stream lands.
struct PrintJobStream {
  static cairo_status_t write(void* job, const unsigned char* data, unsigned int length) {
    return static_cast<PrintJob*>(job)->write(data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
  }
};

namespace {

// A new file beside the destination, named after it, the process and a serial number. It is created with
// the mode every file of the program gets (0666 less the umask), which it keeps once renamed.
int createBeside(const std::string& destination, std::string& name) {
  static std::atomic<unsigned> serial{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = destination + "." + std::to_string(::getpid()) + "-" + std::to_string(serial++);
    int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0 || errno != EEXIST) {
      return descriptor;
    }
  }
  return -1;
}

}  // namespace

std::unique_ptr<PrintJob> PrintJob::start(const std::string& destination, Format format, double widthPoints,
                                          double heightPoints) {
  if (destination.empty()) {
    return nullptr;
  }
  std::string name;
  int descriptor = createBeside(destination, name);
  if (descriptor < 0) {
    return nullptr;
  }
  std::unique_ptr<PrintJob> job(new PrintJob(destination, name, descriptor));
  job->surface_ =
      format == Format::PostScript
          ? cairo_ps_surface_create_for_stream(&PrintJobStream::write, job.get(), widthPoints, heightPoints)
          : cairo_pdf_surface_create_for_stream(&PrintJobStream::write, job.get(), widthPoints, heightPoints);
  if (cairo_surface_status(job->surface_) != CAIRO_STATUS_SUCCESS) {
    return nullptr;
  }
  return job;
}

PrintJob::PrintJob(std::string destination, std::string temporary, int descriptor)
    : destination_(std::move(destination)), temporary_(std::move(temporary)), descriptor_(descriptor) {}

PrintJob::~PrintJob() {
  discard();
}

PrintJob::Format PrintJob::formatFor(const std::string& destination) {
  std::size_t dot = destination.rfind('.');
  std::size_t slash = destination.rfind('/');
  bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return hasExtension && strcasecmp(destination.c_str() + dot + 1, "ps") == 0 ? Format::PostScript
                                                                              : Format::Pdf;
}

bool PrintJob::write(const unsigned char* data, unsigned int length) {
  while (length > 0) {
    ssize_t written = ::write(descriptor_, data, length);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      writeFailed_ = true;
      return false;
    }
    data += written;
    length -= static_cast<unsigned int>(written);
  }
  return true;
}

void PrintJob::addPage(Surface& pixels, double offsetPoints, double pixelsPerInch) {
  cairo_t* cr = cairo_create(surface_);
  cairo_translate(cr, offsetPoints, offsetPoints);
  cairo_scale(cr, 72.0 / pixelsPerInch, 72.0 / pixelsPerInch);
  cairo_surface_t* image = pixels.cairoSurface();
  cairo_set_source_surface(cr, image, 0, 0);
  // Each printer pixel stays a sharp square rather than being smoothed into its neighbours.
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_show_page(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(image);
}

bool PrintJob::finish() {
  cairo_surface_finish(surface_);
  bool written = cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS && !writeFailed_;
  cairo_surface_destroy(surface_);
  surface_ = nullptr;
  written = ::fsync(descriptor_) == 0 && written;
  written = ::close(descriptor_) == 0 && written;
  descriptor_ = -1;
  if (written && std::rename(temporary_.c_str(), destination_.c_str()) == 0) {
    temporary_.clear();
    return true;
  }
  discard();
  return false;
}

void PrintJob::discard() {
  if (surface_ != nullptr) {
    // The stream still points at this job: finishing flushes into it before the file goes.
    cairo_surface_finish(surface_);
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
  }
  if (descriptor_ >= 0) {
    ::close(descriptor_);
    descriptor_ = -1;
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
}

}  // namespace native
