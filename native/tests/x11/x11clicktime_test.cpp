#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "native/native.h"
#include "native/user/nonclientlayout.h"
// Xlib's macros (None, True, False) come after every header of ours.
#include "native/tests/x11/x11testprogram.h"

namespace native::test {

namespace {

// Where the program puts its frame (see x11pressstallapp.cpp); it has no menu bar.
constexpr RECT kFrame{40, 30, 440, 330};
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
// How long the program stays busy after the clicks came: longer than the double-click time (500 ms).
constexpr int kBusyMs = 1000;

// What the program does when two clicks come.
enum class Busy {
  No,        // it reads the first at once
  Starting,  // it has had no input yet and is busy starting (only the first row)
  Pressing,  // it is busy with an earlier press
};

// Two clicks on one place, the second `apartMs` after the first on the X server's clock. The program reads
// the second only after it was busy for kBusyMs.
struct Row {
  const char* name;
  Busy busy;
  int apartMs;
  const char* second;                     // how the second press reaches the program
  SentFirst sentFirst = SentFirst::Nothing;  // another program's event comes before the clicks
};

void checkClickTimes(Display* display, Window window, X11TestProgram& program) {
  // The test's own window system stays headless: it only computes where the program's frame lies.
  setenv("KESTROVE_HEADLESS", "1", 1);
  const RECT client = NonClientLayout::compute(kFrameStyle, 0, kFrame, 0).client;
  const Row rows[] = {
      {"two single clicks 0.8 s apart, the first input, while the program starts", Busy::Starting, 800,
       "click"},
      {"two single clicks 0.8 s apart while the program is busy", Busy::Pressing, 800, "click"},
      {"two single clicks 0.8 s apart after another program's event", Busy::Pressing, 800, "click",
       SentFirst::StampedZero},
      {"two single clicks 0.8 s apart after another program's event stamped ahead of the server",
       Busy::Pressing, 800, "click", SentFirst::StampedAhead},
      {"a quick double click whose first press keeps the program busy", Busy::No, 150, "double"},
  };
  const int y = client.top + 20;
  int x = client.left + 20;
  const auto line = [&](const std::string& kind, int atX) {
    return std::optional<std::string>(kind + " " + std::to_string(atX - client.left) + " " +
                                      std::to_string(y - client.top));
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    // Each row's clicks lie away from those before, so that they pair with none of them.
    x += 40;
    if (row.busy == Busy::Starting) {
      ASSERT_TRUE(program.stop());
    }
    if (row.busy == Busy::Pressing) {
      ClickAt(display, window, x - 20, y);
      ASSERT_EQ(program.readLine(kX11WaitMs), line("click", x - 20));
      ASSERT_TRUE(program.waitUntilStopped());
    }
    TwoClicksAt(display, window, x, y, row.apartMs, kBusyMs, row.sentFirst);
    if (row.busy != Busy::No) {
      program.resume();
    }
    EXPECT_EQ(program.readLine(kX11WaitMs), line("click", x));
    ASSERT_TRUE(program.waitUntilStopped());
    program.resume();
    EXPECT_EQ(program.readLine(kX11WaitMs), line(row.second, x));
    ASSERT_TRUE(program.waitUntilStopped());
    program.resume();
  }
}

}  // namespace

// Clicks pair by the times the X server gave them, not by when a busy program reads them.
TEST(X11Host, ClicksPairByTheTimeTheUserMadeThem) {
  RunOnVirtualDisplay([] { RunProgramSteps(KESTROVE_X11_PRESS_STALL_APP, "640x480", &checkClickTimes); });
}

}  // namespace native::test
