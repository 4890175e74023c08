// The built program on an X server (run it under xvfb-run), its desktop as large as the screen: the bytes of
// the images it puts to the X server while the Help menu opens and closes (a click on its entry in the menu
// bar each), and while an alert, the About box, opens (Return on its entry in the Help menu) and closes
// (Return on its OK button), against the bytes of the area that changed on the screen (the bounding box of
// the pixels that differ between the window's pictures before and after, 4 bytes a pixel). The server's
// RECORD extension counts the image requests. Each step must show what it names (the Help entry open, then
// closed; the main window's caption given up to the box, then back), or the case fails. Aim: a few times the
// changed area at most.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <string>

#include "bench/ratiomain.h"
// Xlib's macros last.
#include "bench/x11program.h"

#include <X11/Xproto.h>
#include <X11/extensions/record.h>
#include <X11/keysym.h>

namespace {

// The Help entry of the main window's menu bar, the last one: where it is clicked, and a point of it beside
// its title, highlighted while it is open.
constexpr struct {
  int x;
  int y;
} kHelpEntry{380, 32}, kBesideHelp{362, 25};

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

struct Step {
  std::uint64_t bytesPut = 0;
  long changedPixels = 0;
  bool settled = false;
  bool reached = false;
};

// Gives the input and measures what it changes once the picture has settled again; `reached` tells from
// the picture then whether the input did what the step names.
Step Measure(Display* display, Window window, PutImageBytes& bytes, const std::function<void()>& input,
             const std::function<bool(const Picture&)>& reached) {
  const Picture before(display, window);
  bytes.Take();
  input();
  Step step;
  step.settled = Settle(display, window);
  step.bytesPut = bytes.Take();
  const Picture after(display, window);
  step.changedPixels = after.ChangedArea(before);
  step.reached = reached(after);
  return step;
}

void Report(benchmark::State& state, const std::string& name, const Step& step) {
  state.counters[name + " bytes put"] = static_cast<double>(step.bytesPut);
  state.counters[name + " changed bytes"] = 4.0 * static_cast<double>(step.changedPixels);
  state.counters[name + " ratio"] =
      step.changedPixels > 0
          ? static_cast<double>(step.bytesPut) / (4.0 * static_cast<double>(step.changedPixels))
          : 0.0;
}

void HelpMenuAndAlertOnX11(benchmark::State& state) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    state.SkipWithError("no X display: run under xvfb-run");
    return;
  }
  const char* names[] = {"menu opening", "menu closing", "alert opening", "alert closing"};
  Step steps[std::size(names)];
  for (auto _ : state) {
    X11Program program(display);
    if (!program.shown()) {
      state.SkipWithError("the program did not show its window");
      break;
    }
    if (!program.SettleStart()) {
      state.SkipWithError("the program's picture did not settle");
      break;
    }
    PutImageBytes bytes;
    if (!bytes.recording()) {
      state.SkipWithError("the X server does not record requests (no RECORD extension)");
      break;
    }
    const Window window = program.window();
    const auto clickHelp = [&] { native::test::ClickAt(display, window, kHelpEntry.x, kHelpEntry.y); };
    const auto pressReturn = [&] { PressKeys(display, {XK_Return}); };
    const auto helpOpen = [](const Picture& picture) {
      return BarEntryHighlighted(picture, kBesideHelp.x, kBesideHelp.y);
    };
    const auto helpClosed = [&](const Picture& picture) { return !helpOpen(picture); };
    const auto boxShown = [](const Picture& picture) { return MainCaptionShows(picture, false); };
    const auto boxGone = [](const Picture& picture) { return MainCaptionShows(picture, true); };
    steps[0] = Measure(display, window, bytes, clickHelp, helpOpen);
    steps[1] = Measure(display, window, bytes, clickHelp, helpClosed);
    HighlightAbout(display, window);
    const bool aboutHighlighted = Settle(display, window);
    steps[2] = Measure(display, window, bytes, pressReturn, boxShown);
    steps[3] = Measure(display, window, bytes, pressReturn, boxGone);
    if (!aboutHighlighted ||
        !std::all_of(std::begin(steps), std::end(steps), [](const Step& step) { return step.settled; })) {
      state.SkipWithError("the program's picture did not settle after an input");
      break;
    }
    for (std::size_t i = 0; i < std::size(steps); ++i) {
      if (!steps[i].reached) {
        state.SkipWithError(
            ("the step \"" + std::string(names[i]) + "\" did not show what it names").c_str());
        break;
      }
    }
  }
  XCloseDisplay(display);
  for (std::size_t i = 0; i < std::size(names); ++i) {
    Report(state, names[i], steps[i]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Registered here rather than by static objects, so that no code of the program runs before main.
  benchmark::RegisterBenchmark("HelpMenuAndAlertOnX11", HelpMenuAndAlertOnX11)
      ->Unit(benchmark::kSecond)
      ->Iterations(1);
  return bench::RunCases(argc, argv);
}
