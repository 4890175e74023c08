// The built program on an X server (run it under xvfb-run), its desktop as large as the screen: the bytes of
// the images it puts to the X server while the Help menu opens and closes (a click on its entry in the menu
// bar each), against the bytes of the area that changed on the screen (the bounding box of the pixels that
// differ between the window's pictures before and after, 4 bytes a pixel). The server's RECORD extension
// counts the image requests. Aim: a few times the changed area at most.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "native/gdi/surface.h"
#include "native/native.h"
// Xlib's macros last.
#include "bench/x11program.h"

#include <X11/Xproto.h>
#include <X11/Xutil.h>
#include <X11/extensions/record.h>

namespace {

// For the program to draw what a click changed; its start is over when its main window's caption shows and
// its picture stayed the same this long.
constexpr auto kSettleTime = std::chrono::seconds(1);
constexpr int kMostSettles = 30;
// The Help entry of the main window's menu bar, the last one.
constexpr struct {
  int x;
  int y;
} kHelpEntry{380, 32};

// Counts the bytes of every client's PutImage requests, on connections of its own.
class PutImageBytes {
 public:
  PutImageBytes() : control_(XOpenDisplay(nullptr)), data_(XOpenDisplay(nullptr)) {
    int major = 0;
    int minor = 0;
    if (control_ == nullptr || data_ == nullptr || !XRecordQueryVersion(control_, &major, &minor)) {
      return;
    }
    XRecordRange* range = XRecordAllocRange();
    range->core_requests.first = X_PutImage;
    range->core_requests.last = X_PutImage;
    XRecordClientSpec clients = XRecordAllClients;
    context_ = XRecordCreateContext(control_, 0, &clients, 1, &range, 1);
    XFree(range);
    XSync(control_, False);
    if (context_ != 0) {
      XRecordEnableContextAsync(data_, context_, Count, reinterpret_cast<XPointer>(&bytes_));
    }
  }
  ~PutImageBytes() {
    if (context_ != 0) {
      XRecordDisableContext(control_, context_);
      XRecordFreeContext(control_, context_);
      XSync(control_, False);
    }
    for (Display* display : {control_, data_}) {
      if (display != nullptr) {
        XCloseDisplay(display);
      }
    }
  }
  PutImageBytes(const PutImageBytes&) = delete;
  PutImageBytes& operator=(const PutImageBytes&) = delete;

  bool recording() const { return context_ != 0; }

  // The bytes recorded since the last call.
  std::uint64_t Take() {
    XRecordProcessReplies(data_);
    const std::uint64_t taken = bytes_;
    bytes_ = 0;
    return taken;
  }

 private:
  static void Count(XPointer counter, XRecordInterceptData* data) {
    if (data->category == XRecordFromClient) {
      *reinterpret_cast<std::uint64_t*>(counter) += 4ULL * data->data_len;
    }
    XRecordFreeData(data);
  }

  Display* control_;
  Display* data_;
  XRecordContext context_ = 0;
  std::uint64_t bytes_ = 0;
};

// The window's pixels as the server has them.
class Picture {
 public:
  Picture(Display* display, Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    image_.reset(XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                           static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap));
  }

  unsigned long PixelAt(int x, int y) const { return image_ ? XGetPixel(image_.get(), x, y) : 0; }

  // The pixels of the bounding box of what differs from the other picture.
  long ChangedArea(const Picture& other) const {
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

 private:
  struct Destroy {
    void operator()(XImage* image) const { XDestroyImage(image); }
  };
  std::unique_ptr<XImage, Destroy> image_;
};

// Waits until the main window's caption shows at the top (the desktop and the splash picture come first) and
// the picture stays the same for a settling time; false when that does not come.
bool Settle(Display* display, Window window) {
  const native::COLORREF caption = native::GetSysColor(native::COLOR_ACTIVECAPTION);
  const unsigned long captionPixel = native::pixelOf(caption);
  for (int settles = 0; settles < kMostSettles; ++settles) {
    const Picture before(display, window);
    std::this_thread::sleep_for(kSettleTime);
    if (before.PixelAt(300, 12) == captionPixel && Picture(display, window).ChangedArea(before) == 0) {
      return true;
    }
  }
  return false;
}

struct Step {
  std::uint64_t bytesPut = 0;
  long changedPixels = 0;
};

// Clicks the Help entry of the menu bar and measures what that changes.
Step ClickHelpAndMeasure(Display* display, Window window, PutImageBytes& bytes) {
  const Picture before(display, window);
  bytes.Take();
  native::test::ClickAt(display, window, kHelpEntry.x, kHelpEntry.y);
  std::this_thread::sleep_for(kSettleTime);
  Step step;
  step.bytesPut = bytes.Take();
  step.changedPixels = Picture(display, window).ChangedArea(before);
  return step;
}

void Report(benchmark::State& state, const char* name, const Step& step) {
  const std::string prefix(name);
  state.counters[prefix + " bytes put"] = static_cast<double>(step.bytesPut);
  state.counters[prefix + " changed bytes"] = 4.0 * static_cast<double>(step.changedPixels);
  state.counters[prefix + " ratio"] =
      step.changedPixels > 0
          ? static_cast<double>(step.bytesPut) / (4.0 * static_cast<double>(step.changedPixels))
          : 0.0;
}

void HelpMenuOnX11(benchmark::State& state) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    state.SkipWithError("no X display: run under xvfb-run");
    return;
  }
  Step opening;
  Step closing;
  for (auto _ : state) {
    X11Program program(display);
    if (!program.shown()) {
      state.SkipWithError("the program did not show its window");
      break;
    }
    if (!Settle(display, program.window())) {
      state.SkipWithError("the program's picture did not settle");
      break;
    }
    PutImageBytes bytes;
    if (!bytes.recording()) {
      state.SkipWithError("the X server does not record requests (no RECORD extension)");
      break;
    }
    opening = ClickHelpAndMeasure(display, program.window(), bytes);
    closing = ClickHelpAndMeasure(display, program.window(), bytes);
  }
  XCloseDisplay(display);
  Report(state, "opening", opening);
  Report(state, "closing", closing);
}
BENCHMARK(HelpMenuOnX11)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
