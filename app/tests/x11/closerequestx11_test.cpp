// The built program on a virtual X server, ended as the desktop ends programs: the window manager's close
// request and SIGTERM each end it with status 0 and the configuration written.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/tests/programtest.h"
#include "native/native.h"

// Xlib's macros (None, True, False) come after every header of ours.
#include <X11/Xlib.h>

#include "app/tests/x11/programonx11.h"
#include "app/tests/x11/x11screen.h"

namespace {

constexpr const char* kDesktopSize = "640x480";

class CloseRequestX11Test : public ProgramTest {
 public:
  using ProgramTest::FileExists;
  using ProgramTest::FilePath;
  using ProgramTest::ReadFile;
  using ProgramTest::WriteFile;
};

CloseRequestX11Test* current = nullptr;

void CheckOnDisplay() {
  CloseRequestX11Test& test = *current;
  const struct {
    const char* name;
    std::function<void(ProgramOnX11&)> close;
  } cases[] = {
      {"WM_DELETE_WINDOW",
       [](ProgramOnX11& started) { native::test::SendCloseRequest(started.display, started.window); }},
      {"SIGTERM", [](ProgramOnX11& started) { kill(started.program->pid(), SIGTERM); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test.WriteFile("kestrove.cfg", "Registry Version: 1.00\n\\Serial\\ShortTimeout:Int=123\n");
    std::filesystem::remove(test.FilePath("kestrove"));
    ProgramOnX11 started(test.FilePath("kestrove"), kDesktopSize);
    if (!started.Running()) {
      return;
    }
    WaitForFrame(started.display);
    // Only a configuration written on the way out is there afterwards.
    std::filesystem::remove(test.FilePath("kestrove.cfg"));
    c.close(started);
    EXPECT_EQ(started.program->exitStatusWithin(native::test::kX11WaitMs), std::optional<int>(0));
    ASSERT_TRUE(test.FileExists("kestrove.cfg"));
    EXPECT_NE(test.ReadFile("kestrove.cfg").find("ShortTimeout:Int=123"), std::string::npos);
  }
}

TEST_F(CloseRequestX11Test, TheWindowManagersCloseAndSigtermEndTheProgramWritingTheConfiguration) {
  current = this;
  native::test::RunOnVirtualDisplay(&CheckOnDisplay);
  current = nullptr;
}

}  // namespace
