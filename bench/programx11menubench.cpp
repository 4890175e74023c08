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

#include <X11/keysym.h>

namespace {

// The Help entry of the main window's menu bar, the last one: where it is clicked, and a point of it beside
// its title, highlighted while it is open.
constexpr struct {
  int x;
  int y;
} kHelpEntry{380, 32}, kBesideHelp{362, 25};

// The bytes of the images put since the last call, by any client.
std::uint64_t BytesPut(native::test::DrawingRecorder& recorder) {
  std::uint64_t bytes = 0;
  for (const native::test::DrawingRequest& request : recorder.take()) {
    bytes += request.image ? request.bytes : 0;
  }
  return bytes;
}

struct Step {
  std::uint64_t bytesPut = 0;
  long changedPixels = 0;
  bool settled = false;
  bool reached = false;
};

// Gives the input and measures what it changes once the picture has settled again; `reached` tells from
// the picture then whether the input did what the step names.
Step Measure(Display* display, Window window, native::test::DrawingRecorder& recorder,
             const std::function<void()>& input, const std::function<bool(const Picture&)>& reached) {
  const Picture before(display, window);
  BytesPut(recorder);
  input();
  Step step;
  step.settled = Settle(display, window);
  step.bytesPut = BytesPut(recorder);
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
    native::test::DrawingRecorder recorder;
    if (!recorder.recording()) {
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
    steps[0] = Measure(display, window, recorder, clickHelp, helpOpen);
    steps[1] = Measure(display, window, recorder, clickHelp, helpClosed);
    HighlightAbout(display, window);
    const bool aboutHighlighted = Settle(display, window);
    steps[2] = Measure(display, window, recorder, pressReturn, boxShown);
    steps[3] = Measure(display, window, recorder, pressReturn, boxGone);
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
