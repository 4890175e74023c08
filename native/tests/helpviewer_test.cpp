#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "foundation/tests/ktempfolder.h"
#include "native/shell/helpviewer.h"

namespace native::test {

namespace {

void makeFile(const std::string& path, const std::string& text = "help", mode_t mode = 0644) {
  std::ofstream(path) << text;
  chmod(path.c_str(), mode);
}

std::u16string wide(const std::string& text) {
  return std::u16string(text.begin(), text.end());  // the test paths are ASCII
}

// Records what would be shown instead of starting a viewer.
class RecordingLauncher {
 public:
  RecordingLauncher() {
    HelpViewer::setLauncher([this](const std::string& file) {
      shown.push_back(file);
      return true;
    });
  }
  ~RecordingLauncher() { HelpViewer::setLauncher(nullptr); }
  std::vector<std::string> shown;
};

// PATH set to one folder while the object lives.
class SearchPath {
 public:
  explicit SearchPath(const std::string& value) : previous_(std::getenv("PATH")) {
    setenv("PATH", value.c_str(), 1);
  }
  ~SearchPath() {
    if (previous_.has_value()) {
      setenv("PATH", previous_->c_str(), 1);
    } else {
      unsetenv("PATH");
    }
  }

 private:
  std::optional<std::string> previous_;
};

}  // namespace

TEST(HelpViewer, ContentsShowsTheFileOrItsReadableSibling) {
  KTempFolder folder;
  ASSERT_TRUE(folder.IsValid());
  const std::string dir = folder.Path();
  makeFile(dir + "/Direct.hlp");
  makeFile(dir + "/Kestrove_Help.html");
  makeFile(dir + "/Manual.pdf");
  makeFile(dir + "/Both.hlp");
  makeFile(dir + "/Both.html");
  std::filesystem::create_directory(dir + "/Folder.hlp");
  struct Case {
    std::string file;
    BOOL result;
    std::string shown;
  };
  const Case cases[] = {
      {dir + "/Direct.hlp", TRUE, dir + "/Direct.hlp"},
      {dir + "/Kestrove_Help.hlp", TRUE, dir + "/Kestrove_Help.html"},
      {dir + "/Manual.hlp", TRUE, dir + "/Manual.pdf"},
      {dir + "/Both.hlp", TRUE, dir + "/Both.hlp"},
      {dir + "/Missing.hlp", FALSE, ""},
      {dir + "/Folder.hlp", FALSE, ""},
      {"", FALSE, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    RecordingLauncher launcher;
    std::u16string file = wide(c.file);
    EXPECT_EQ(WinHelp(nullptr, file.c_str(), HELP_CONTENTS, 0), c.result);
    EXPECT_EQ(launcher.shown,
              c.shown.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.shown});
  }
}

TEST(HelpViewer, QuitAndOtherCommandsShowNothing) {
  KTempFolder folder;
  ASSERT_TRUE(folder.IsValid());
  makeFile(folder.Path() + "/Help.hlp");
  std::u16string file = wide(folder.Path() + "/Help.hlp");
  RecordingLauncher launcher;
  EXPECT_EQ(WinHelp(nullptr, file.c_str(), HELP_QUIT, 0), TRUE);
  EXPECT_EQ(WinHelp(nullptr, file.c_str(), HELP_CONTEXT, 7), FALSE);
  EXPECT_EQ(WinHelp(nullptr, nullptr, HELP_CONTENTS, 0), FALSE);
  EXPECT_TRUE(launcher.shown.empty());
}

TEST(HelpViewer, ProgramsAreFoundAlongThePathWhenExecutable) {
  KTempFolder first;
  KTempFolder second;
  ASSERT_TRUE(first.IsValid() && second.IsValid());
  makeFile(first.Path() + "/viewer", "#!/bin/sh\n", 0644);  // not executable: passed over
  makeFile(second.Path() + "/viewer", "#!/bin/sh\n", 0755);
  SearchPath path(":" + first.Path() + "::" + second.Path());
  EXPECT_EQ(HelpViewer::findProgram("viewer"), second.Path() + "/viewer");
  EXPECT_FALSE(HelpViewer::findProgram("absent").has_value());
  EXPECT_FALSE(HelpViewer::findProgram("../viewer").has_value());
  EXPECT_FALSE(HelpViewer::findProgram("").has_value());
}

TEST(HelpViewer, DesktopOpenerIsStartedWithTheFileWithoutWaitingForIt) {
  KTempFolder folder;
  ASSERT_TRUE(folder.IsValid());
  const std::string fifo = folder.Path() + "/opened";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // The stand-in opener reports its argument through the pipe, then lingers: WinHelp must not wait for it.
  // It lingers on outputs of its own, so whoever reads this test's output does not wait for it either.
  makeFile(folder.Path() + "/xdg-open",
           "#!/bin/sh\nprintf '%s' \"$1\" > '" + fifo + "'\nexec sleep 3 </dev/null >/dev/null 2>&1\n", 0755);
  makeFile(folder.Path() + "/Help.hlp");
  int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  {
    SearchPath path(folder.Path() + ":/bin:/usr/bin");
    std::u16string file = wide(folder.Path() + "/Help.hlp");
    EXPECT_EQ(WinHelp(nullptr, file.c_str(), HELP_CONTENTS, 0), TRUE);
  }
  pollfd ready{reader, POLLIN, 0};
  ASSERT_EQ(poll(&ready, 1, 10000), 1);
  char received[512] = {};
  ASSERT_GT(read(reader, received, sizeof received - 1), 0);
  EXPECT_EQ(std::string(received), folder.Path() + "/Help.hlp");
  close(reader);
}

TEST(HelpViewer, NoOpenerMeansNothingShown) {
  KTempFolder folder;
  ASSERT_TRUE(folder.IsValid());
  makeFile(folder.Path() + "/Help.hlp");
  SearchPath path(folder.Path());
  std::u16string file = wide(folder.Path() + "/Help.hlp");
  EXPECT_EQ(WinHelp(nullptr, file.c_str(), HELP_CONTENTS, 0), FALSE);
}

}  // namespace native::test
