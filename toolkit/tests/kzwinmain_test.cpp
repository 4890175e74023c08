#include "toolkit/kzwinmain.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/kstring.h"
#include "native/testdriver.h"
#include "toolkit/kzapplication.h"

extern char** environ;

namespace {

// Set in a child instance: the counter name; the child reports on descriptor 3 and runs until its
// standard input ends.
constexpr const char* kChildVariable = "KZ_INSTANCE_CHILD";
constexpr int kReportDescriptor = 3;
constexpr const char* kChildTest = "--gtest_filter=KZWinMain.StartsTheProgramWithItsSplitArguments";

// What the program's start routine saw: its instance number and arguments, one line "n|arg|arg...".
std::string gReport;

class ReportingApplication : public KZApplication {
 public:
  using KZApplication::KZApplication;
  int32_t Start() override {
    const char* counter = std::getenv(kChildVariable);
    // Alone under a name of its own when not a child, so that another test run cannot count with it.
    const std::string own = "kestrove toolkit test " + std::to_string(getpid());
    gReport = std::to_string(CheckInstance(counter ? counter : own.c_str()));
    for (int index = 1; index < argc; ++index) {
      gReport += "|" + KString(argv[index]).ToUtf8();
    }
    if (counter) {
      const std::string line = gReport + "\n";
      EXPECT_EQ(write(kReportDescriptor, line.data(), line.size()), static_cast<ssize_t>(line.size()));
      char byte;
      while (read(STDIN_FILENO, &byte, 1) > 0) {
      }
    }
    return 7;
  }
};

KZApplication* MakeApplication(int argc, ZafIChar** argv) {
  return new ReportingApplication(argc, argv);
}

// A running child instance: its report pipe and its standard input.
struct Child {
  pid_t pid = -1;
  int report = -1;
  int input = -1;
};

Child Spawn(const std::string& counter) {
  int report[2];
  int input[2];
  EXPECT_EQ(pipe2(report, O_CLOEXEC), 0);
  EXPECT_EQ(pipe2(input, O_CLOEXEC), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, report[1], kReportDescriptor);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string variable = std::string(kChildVariable) + "=" + counter;
  std::vector<char*> environment;
  for (char** entry = environ; *entry; ++entry) {
    environment.push_back(*entry);
  }
  environment.push_back(const_cast<char*>(variable.c_str()));
  environment.push_back(nullptr);
  char* arguments[] = {const_cast<char*>(program.c_str()), const_cast<char*>(kChildTest), nullptr};
  Child child;
  EXPECT_EQ(posix_spawn(&child.pid, program.c_str(), &actions, nullptr, arguments, environment.data()), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(report[1]);
  close(input[0]);
  child.report = report[0];
  child.input = input[1];
  return child;
}

// The child's report line, or what came before the pipe ended.
std::string ReportOf(const Child& child) {
  std::string line;
  char byte;
  while (read(child.report, &byte, 1) == 1 && byte != '\n') {
    line += byte;
  }
  return line;
}

// Ends the child: by closing its input, or killed.
void End(Child& child, bool kill) {
  if (kill) {
    ::kill(child.pid, SIGKILL);
  }
  close(child.input);
  close(child.report);
  int status = 0;
  waitpid(child.pid, &status, 0);
}

}  // namespace

TEST(KZWinMain, SplitsTheCommandLine) {
  struct Case {
    const char16_t* line;
    std::vector<std::u16string> arguments;
  } cases[] = {
      {u"a \"b c\"d", {u"a", u"b c", u"d"}},
      {u"  one\ttwo  ", {u"one", u"two"}},
      {u"x\"y z", {u"x", u"y z"}},
      {u"\"\" e", {u"", u"e"}},
      {u"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(KString(c.line).ToUtf8());
    EXPECT_EQ(KZSplitCommandLine(c.line), c.arguments);
  }
}

TEST(KZWinMain, StartsTheProgramWithItsSplitArguments) {
  native::TestDriver driver;
  KZSetApplicationFactory(&MakeApplication);
  EXPECT_EQ(WinMain(nullptr, nullptr, "a \"b c\"d", 0), 7);
  EXPECT_EQ(KZApplication::application, nullptr);
  KZSetApplicationFactory(nullptr);
  if (!std::getenv(kChildVariable)) {
    EXPECT_EQ(gReport, "1|a|b c|d");
    EXPECT_EQ(WinMain(nullptr, nullptr, "a", 0), 1);
  }
}

TEST(KZWinMain, InstancesCountUpAndAKilledLastHolderGivesTheCountBack) {
  const std::string counter = "kestrove toolkit instances " + std::to_string(getpid());
  Child first = Spawn(counter);
  EXPECT_EQ(ReportOf(first), "1|a|b c|d");
  Child second = Spawn(counter);
  EXPECT_EQ(ReportOf(second), "2|a|b c|d");
  Child third = Spawn(counter);
  EXPECT_EQ(ReportOf(third), "3|a|b c|d");
  End(first, false);
  End(second, false);
  End(third, true);
  Child again = Spawn(counter);
  EXPECT_EQ(ReportOf(again), "1|a|b c|d");
  End(again, false);
}

TEST(KZWinMain, ProgramPathIsWhole) {
  EXPECT_EQ(KString(KZProgramPath().c_str()).ToUtf8(),
            std::filesystem::read_symlink("/proc/self/exe").string());
}
