// The built program on an X server (run it under xvfb-run): its share of a core and its wake-ups a second
// while it waits for the user, with nothing open, with an event window (Ctrl+N), with the File menu (Alt+F)
// and with the About box (chosen from the Help menu with the arrows) open, 10 seconds each once the picture
// has settled, over which the picture must not change. The keys must show what the case names: the picture
// changed, the File entry highlighted for the menu, the main window's caption given up to the box. The start
// (its splash picture) settles before the keys are pressed. Each case starts the program afresh in a program
// folder of its own. Aims: 0.5 % of a core or less and 20 wake-ups a second or fewer.

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "bench/processactivity.h"
#include "bench/ratiomain.h"
// Xlib's macros last.
#include "bench/x11program.h"

#include <X11/keysym.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kIdleTime = std::chrono::seconds(10);

enum Shown { kNothing, kEventWindow, kMenu, kModalBox };
constexpr const char* kShownNames[] = {"no window", "an event window", "a menu", "a modal box"};

// Where the File entry of the main window's menu bar is highlighted while its menu is open.
constexpr int kBesideFileX = 7;
constexpr int kBesideFileY = 25;

void Open(Shown shown, Display* display, Window window) {
  if (shown == kEventWindow) {
    PressKeys(display, {XK_Control_L, XK_n});
  } else if (shown == kMenu) {
    PressKeys(display, {XK_Alt_L, XK_f});
  } else if (shown == kModalBox) {
    HighlightAbout(display, window);
    PressKeys(display, {XK_Return});
  }
}

// Whether the picture after the keys shows what they were to open.
bool Shows(Shown shown, const Picture& picture, const Picture& before) {
  switch (shown) {
    case kNothing:
      return true;
    case kEventWindow:
      return picture.ChangedArea(before) > 0;
    case kMenu:
      return BarEntryHighlighted(picture, kBesideFileX, kBesideFileY);
    case kModalBox:
      return MainCaptionShows(picture, false);
  }
  return false;
}

void IdleProgramOnX11(benchmark::State& state) {
  const auto shown = static_cast<Shown>(state.range(0));
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    state.SkipWithError("no X display: run under xvfb-run");
    return;
  }
  IdleShare share;
  for (auto _ : state) {
    X11Program program(display);
    if (!program.shown()) {
      state.SkipWithError("the program did not show its window");
      break;
    }
    if (!program.SettleStart()) {
      state.SkipWithError("the program's picture did not settle after its start");
      break;
    }
    const Picture started(display, program.window());
    Open(shown, display, program.window());
    if (!Settle(display, program.window())) {
      state.SkipWithError("the program's picture did not settle after the keys");
      break;
    }
    const Picture measured(display, program.window());
    if (!Shows(shown, measured, started)) {
      state.SkipWithError("the keys did not open what the case names");
      break;
    }
    const ProcessActivity before = ProcessActivity::Of(program.pid());
    const Clock::time_point since = Clock::now();
    std::this_thread::sleep_for(kIdleTime);
    share = IdleShare::Between(before, ProcessActivity::Of(program.pid()),
                               std::chrono::duration<double>(Clock::now() - since).count());
    // What was opened stayed the whole time: a menu closed by its watchdog would be measured as nothing.
    if (Picture(display, program.window()).ChangedArea(measured) != 0) {
      state.SkipWithError("the program's picture changed while it was measured");
      break;
    }
  }
  XCloseDisplay(display);
  share.Report(state, kShownNames[shown]);
}

}  // namespace

int main(int argc, char** argv) {
  // Registered here rather than by static objects, so that no code of the program runs before main.
  benchmark::RegisterBenchmark("IdleProgramOnX11", IdleProgramOnX11)
      ->ArgName("shown")
      ->DenseRange(kNothing, kModalBox)
      ->Unit(benchmark::kSecond)
      ->Iterations(1);
  return bench::RunCases(argc, argv);
}
