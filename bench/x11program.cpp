#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "bench/programfolder.h"
#include "native/gdi/surface.h"
#include "native/native.h"
// Xlib's macros last.
#include "bench/x11program.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

// A picture that stays the same this long is settled; waiting gives up after this many settling times.
constexpr auto kSettleTime = std::chrono::seconds(1);
constexpr int kMostSettles = 30;
// A point of the main window's caption, right of its icon and title.
constexpr int kCaptionX = 300;
constexpr int kCaptionY = 12;

// Waits until the picture is `ready` and stays the same for a settling time.
bool SettleWhen(Display* display, Window window, const std::function<bool(const Picture&)>& ready) {
  for (int settles = 0; settles < kMostSettles; ++settles) {
    const Picture before(display, window);
    std::this_thread::sleep_for(kSettleTime);
    if (ready(before) && Picture(display, window).ChangedArea(before) == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

X11Program::X11Program(Display* display) : display_(display) {
  const std::string folder = runtime_.programFolder();
  MakeProgramFolder(folder);
  std::filesystem::copy_file(KESTROVE_PROGRAM, folder + "/kestrove");
  program_ = std::make_unique<native::test::X11TestProgram>((folder + "/kestrove").c_str(), nullptr);
  if (program_->started()) {
    window_ = native::test::WaitForWindowNamed(display, "Kestrove");
  }
}

bool X11Program::SettleStart() const {
  return SettleWhen(display_, window_,
                    [](const Picture& picture) { return MainCaptionShows(picture, true); });
}

bool MainCaptionShows(const Picture& picture, bool active) {
  return picture.PixelAt(kCaptionX, kCaptionY) ==
         native::pixelOf(
             native::GetSysColor(active ? native::COLOR_ACTIVECAPTION : native::COLOR_INACTIVECAPTION));
}

bool BarEntryHighlighted(const Picture& picture, int x, int y) {
  return picture.PixelAt(x, y) == native::pixelOf(native::GetSysColor(native::COLOR_HIGHLIGHT));
}

Picture::Picture(Display* display, Window window) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  image_.reset(XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                         static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap));
}

long Picture::ChangedArea(const Picture& other) const {
  if (!image_ || !other.image_ || image_->width != other.image_->width ||
      image_->height != other.image_->height) {
    return -1;
  }
  int left = image_->width;
  int right = 0;
  int top = image_->height;
  int bottom = 0;
  for (int y = 0; y < image_->height; ++y) {
    const char* row = image_->data + static_cast<long>(y) * image_->bytes_per_line;
    const char* otherRow = other.image_->data + static_cast<long>(y) * other.image_->bytes_per_line;
    if (std::memcmp(row, otherRow, static_cast<std::size_t>(image_->bytes_per_line)) == 0) {
      continue;
    }
    for (int x = 0; x < image_->width; ++x) {
      if (XGetPixel(image_.get(), x, y) != XGetPixel(other.image_.get(), x, y)) {
        left = std::min(left, x);
        right = std::max(right, x + 1);
        top = std::min(top, y);
        bottom = y + 1;
      }
    }
  }
  return right > left ? static_cast<long>(right - left) * (bottom - top) : 0;
}

bool Settle(Display* display, Window window) {
  return SettleWhen(display, window, [](const Picture&) { return true; });
}

void PressKeys(Display* display, const std::vector<KeySym>& keys) {
  for (KeySym key : keys) {
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), True, CurrentTime);
  }
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, *key), False, CurrentTime);
  }
  XFlush(display);
}

void HighlightAbout(Display* display, Window window) {
  native::test::TypeKeysyms(display, window, {XK_F10, XK_Left, XK_Left, XK_Up});
}
