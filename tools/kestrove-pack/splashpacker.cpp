#include "tools/kestrove-pack/splashpacker.h"

#include <cairo.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "foundation/kbitmap.h"
#include "foundation/kfile.h"
#include "foundation/kstring.h"
#include "foundation/kx.h"

namespace {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// One channel of a premultiplied pixel laid over white.
uint8_t OverWhite(uint32_t channel, uint32_t alpha) {
  return static_cast<uint8_t>(channel + (255 - alpha));
}

// The PNG's pixels in a 24-bit bitmap.
void CopyPixels(cairo_surface_t* surface, KBitmap& picture) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const bool hasAlpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
  for (int32_t y = 0; y < picture.Height(); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int32_t x = 0; x < picture.Width(); ++x) {
      const uint32_t pixel = row[x];
      const uint32_t alpha = hasAlpha ? pixel >> 24 : 255;
      picture.SetPixel(x, y, OverWhite((pixel >> 16) & 0xFF, alpha), OverWhite((pixel >> 8) & 0xFF, alpha),
                       OverWhite(pixel & 0xFF, alpha));
    }
  }
}

// Cairo reads anything it is given and says "out of memory" of a text file: the signature comes first.
void RefuseAllButPng(const std::filesystem::path& png) {
  constexpr std::array<char, 8> kSignature{'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};
  std::ifstream file(png, std::ios::binary);
  if (!file) {
    throw std::runtime_error(png.string() + ": cannot be read: " + std::strerror(errno));
  }
  std::array<char, kSignature.size()> start{};
  file.read(start.data(), start.size());
  if (file.gcount() != static_cast<std::streamsize>(start.size()) || start != kSignature) {
    throw std::runtime_error(png.string() + ": not a PNG picture");
  }
}

// Why the output could not be written: the system's reason when the failure carries one.
std::string WhyNotWritten(const KX& failure) {
  const auto* stream = dynamic_cast<const KXStream*>(&failure);
  if (stream != nullptr && stream->Detail() > 0) {
    return std::strerror(stream->Detail());
  }
  return "error " + std::to_string(failure.Code());
}

const uint8_t* PictureRow(int32_t row, void* context) {
  return static_cast<const KBitmap*>(context)->Row(row);
}

}  // namespace

void PackSplash(const std::filesystem::path& png, const std::filesystem::path& output) {
  RefuseAllButPng(png);
  const Surface surface(cairo_image_surface_create_from_png(png.string().c_str()));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error(png.string() + ": a damaged or cut-off PNG picture (" +
                             cairo_status_to_string(cairo_surface_status(surface.get())) + ")");
  }
  const cairo_format_t format = cairo_image_surface_get_format(surface.get());
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) {
    throw std::runtime_error(png.string() + ": not a colour picture");
  }
  KBitmap picture(cairo_image_surface_get_width(surface.get()), cairo_image_surface_get_height(surface.get()),
                  KBitmap::kRgb24);
  if (!picture.AllocateMemory()) {
    throw std::runtime_error(png.string() + ": the picture is too large");
  }
  CopyPixels(surface.get(), picture);
  try {
    // The writer chooses Targa by the file's name, which for the temporary file is never a JPEG one.
    KFile::SaveSafely(KString::FromUtf8(output.string()), [&picture](KStream& file) {
      picture.Export(dynamic_cast<KFile&>(file), PictureRow, &picture);
    });
  } catch (const KX& failure) {
    throw std::runtime_error(output.string() + ": cannot be written: " + WhyNotWritten(failure));
  }
}
