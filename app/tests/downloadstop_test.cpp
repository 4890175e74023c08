#include "app/downloadstop.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/tests/programtest.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzapplication.h"

namespace {

using DownloadStopTest = ProgramTest;

// The break key stops a download at the lane gap after it is pressed, and once the stop is asked (by
// the key or an exit) each Escape typed until the lane ends is taken: a second one must not reach the
// window afterwards, where it would cancel the exit question that follows. Other keys stay queued, in their
// order, as typed ahead on any desktop.
TEST_F(DownloadStopTest, TheBreakKeyStopsAtTheLaneGapAndNoEscapeTypedUntilThenOutlivesTheLane) {
  struct Case {
    const char* name;
    // e: Escape typed, a and b: A and B typed, p: a wait's slice, x: an exit asked, g: a lane gap
    const char* steps;
    const char* gaps;  // what each lane gap answered: s stop, n go on
    const char* left;  // the keys still queued afterwards
  } cases[] = {
      {"nothing typed", "pgpg", "nn", ""},
      {"Escape typed while the lane's row is drawn", "peg", "s", ""},
      {"Escape between packets, again before the next packet", "epep", "", ""},
      {"an exit, then Escape before the lane gap", "xeg", "s", ""},
      {"keys typed around Escape", "apebpag", "s", "ABA"},
  };
  Then([&cases] {
    const native::HWND frame = KZApplication::mainFrame->ScreenID();
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      std::optional<DownloadStop::Operation> download(std::in_place, true);
      std::string gaps;
      for (const char* step = c.steps; *step != 0; ++step) {
        switch (*step) {
          case 'e':
            native::PostMessage(frame, native::WM_KEYDOWN, native::VK_ESCAPE, 0);
            break;
          case 'a':
          case 'b':
            native::PostMessage(frame, native::WM_KEYDOWN, static_cast<native::WPARAM>(*step - 'a' + 'A'), 0);
            break;
          case 'p':
            DownloadStop::ReadBreakKey();
            break;
          case 'x':
            DownloadStop::AskExit();
            break;
          default:
            gaps += DownloadStop::Asked() ? 's' : 'n';
        }
      }
      download.reset();
      EXPECT_EQ(gaps, c.gaps);
      std::string left;
      native::MSG key{};
      while (native::PeekMessage(&key, nullptr, native::WM_KEYFIRST, native::WM_KEYLAST, native::PM_REMOVE)) {
        left += static_cast<char>(key.wParam);
      }
      EXPECT_EQ(left, c.left);
    }
  });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

}  // namespace
