#include "framework/core/tests/referencepicture.h"
#include "testing/testpictures.h"

#include <cairo.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Picture = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// Null when the file does not hold a readable PNG.
Picture Load(const std::string& path) {
  Picture picture(cairo_image_surface_create_from_png(path.c_str()));
  if (cairo_surface_status(picture.get()) != CAIRO_STATUS_SUCCESS) {
    return nullptr;
  }
  cairo_surface_flush(picture.get());
  return picture;
}

// Pixels whose colour differs; pictures of different sizes differ everywhere (answered as -1).
int64_t DifferingPixels(cairo_surface_t* a, cairo_surface_t* b) {
  const int width = cairo_image_surface_get_width(a);
  const int height = cairo_image_surface_get_height(a);
  if (width != cairo_image_surface_get_width(b) || height != cairo_image_surface_get_height(b)) {
    return -1;
  }
  int64_t differing = 0;
  for (int y = 0; y < height; ++y) {
    const auto* rowA = reinterpret_cast<const uint32_t*>(
        cairo_image_surface_get_data(a) + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(a));
    const auto* rowB = reinterpret_cast<const uint32_t*>(
        cairo_image_surface_get_data(b) + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(b));
    for (int x = 0; x < width; ++x) {
      // The colour channels only: a picture read back may carry any value in the unused byte.
      differing += (rowA[x] & 0xFFFFFFu) != (rowB[x] & 0xFFFFFFu) ? 1 : 0;
    }
  }
  return differing;
}

}  // namespace

testing::AssertionResult MatchesReferencePicture(const native::TestDriver& driver, const std::string& name) {
  const std::string reference = std::string(KESTROVE_REFERENCE_PICTURES) + "/" + name;
  const char* update = std::getenv("KESTROVE_UPDATE_PICTURES");
  if (update != nullptr && std::strcmp(update, "1") == 0) {
    return driver.snapshot(reference) ? testing::AssertionSuccess()
                                      : testing::AssertionFailure() << "cannot write " << reference;
  }
  const std::string taken = TestPicturePath(name);
  if (!driver.snapshot(taken)) {
    return testing::AssertionFailure() << "cannot write " << taken;
  }
  const Picture expected = Load(reference);
  if (!expected) {
    return testing::AssertionFailure()
           << "no reference picture " << reference << " (KESTROVE_UPDATE_PICTURES=1 makes it)";
  }
  const Picture actual = Load(taken);
  const int64_t differing = actual ? DifferingPixels(expected.get(), actual.get()) : -1;
  if (differing == 0) {
    std::filesystem::remove(taken);
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << (differing < 0 ? std::string("the size differs")
                                                       : std::to_string(differing) + " pixels differ")
                                     << " from " << reference << "; the desktop is in " << taken;
}
