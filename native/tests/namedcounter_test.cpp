#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "foundation/klog.h"
#include "foundation/tests/ktempfolder.h"
#include "native/shell/namedcounter.h"
#include "native/shell/runtimedirectory.h"
#include "native/shell/semaphoreapi.h"
#include "native/tests/runtimefolder.h"

namespace native::test {

namespace {

constexpr const char* kCounterName = "Kestrove Pellacorvine";
constexpr int kAnswerTimeoutMs = 10000;

// The instance number as the program works it out: join the living count and add one to it (at least 2),
// or start the count at 1.
int instanceNumber(const char* name) {
  if (HANDLE existing = OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, name)) {
    LONG previous = 0;
    int number = ReleaseSemaphore(existing, 1, &previous) ? previous + 1 : 0;
    return std::max(2, number);
  }
  return CreateSemaphoreA(nullptr, 1, INT_MAX, name) != nullptr ? 1 : 0;
}

// A child process that takes an instance number, reports it and holds the counter until it is killed (or
// until this process goes, which closes its pipe).
class Instance {
 public:
  explicit Instance(const char* name) {
    int numberPipe[2];
    int holdPipe[2];
    if (pipe(numberPipe) != 0 || pipe(holdPipe) != 0) {
      return;
    }
    pid_ = fork();
    if (pid_ == 0) {
      ::close(numberPipe[0]);
      ::close(holdPipe[1]);
      int number = instanceNumber(name);
      (void)!::write(numberPipe[1], &number, sizeof number);
      char ignored;
      (void)!::read(holdPipe[0], &ignored, 1);
      _exit(0);
    }
    ::close(numberPipe[1]);
    ::close(holdPipe[0]);
    numberFd_ = numberPipe[0];
    holdFd_ = holdPipe[1];
  }
  ~Instance() {
    kill();
    ::close(numberFd_);
    ::close(holdFd_);
  }
  Instance(const Instance&) = delete;
  Instance& operator=(const Instance&) = delete;

  // The number the child took; 0 when it did not answer in time.
  int number() {
    pollfd ready{numberFd_, POLLIN, 0};
    int value = 0;
    if (poll(&ready, 1, kAnswerTimeoutMs) == 1 && ::read(numberFd_, &value, sizeof value) == sizeof value) {
      return value;
    }
    return 0;
  }

  void kill() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }

 private:
  pid_t pid_ = -1;
  int numberFd_ = -1;
  int holdFd_ = -1;
};

}  // namespace

TEST(NamedCounter, InstancesCountOnWhileAnyHolderLivesAndRestartAfterTheLast) {
  RuntimeFolder runtime;
  ASSERT_TRUE(runtime.valid());
  auto first = std::make_unique<Instance>(kCounterName);
  EXPECT_EQ(first->number(), 1);
  auto second = std::make_unique<Instance>(kCounterName);
  EXPECT_EQ(second->number(), 2);
  first->kill();
  auto third = std::make_unique<Instance>(kCounterName);
  EXPECT_EQ(third->number(), 3);  // the second still holds the count
  second->kill();
  third->kill();
  auto afresh = std::make_unique<Instance>(kCounterName);
  EXPECT_EQ(afresh->number(), 1);
}

TEST(NamedCounter, CountersOfDifferentNamesAreApart) {
  RuntimeFolder runtime;
  ASSERT_TRUE(runtime.valid());
  Instance a(kCounterName);
  ASSERT_EQ(a.number(), 1);
  Instance other("Another counter");
  EXPECT_EQ(other.number(), 1);
}

TEST(NamedCounter, HandlesInOneProcessShareTheCount) {
  RuntimeFolder runtime;
  ASSERT_TRUE(runtime.valid());
  EXPECT_EQ(OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, kCounterName), nullptr);
  HANDLE created = CreateSemaphoreA(nullptr, 5, 7, kCounterName);
  ASSERT_NE(created, nullptr);
  HANDLE joined = OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, kCounterName);
  ASSERT_NE(joined, nullptr);
  LONG previous = -1;
  EXPECT_TRUE(ReleaseSemaphore(joined, 1, &previous));
  EXPECT_EQ(previous, 5);
  EXPECT_TRUE(ReleaseSemaphore(created, 1, &previous));
  EXPECT_EQ(previous, 6);
  // The maximum is 7: nothing more fits, and a refused release changes nothing.
  EXPECT_FALSE(ReleaseSemaphore(created, 1, &previous));
  EXPECT_FALSE(ReleaseSemaphore(created, 0, &previous));
  EXPECT_FALSE(ReleaseSemaphore(created, -3, &previous));
  EXPECT_EQ(previous, 6);
  // Creating again joins the living count instead of starting over.
  HANDLE again = CreateSemaphoreA(nullptr, 1, 100, kCounterName);
  ASSERT_NE(again, nullptr);
  EXPECT_FALSE(ReleaseSemaphore(again, 1, &previous));
  EXPECT_TRUE(CloseHandle(created));
  EXPECT_TRUE(CloseHandle(joined));
  EXPECT_TRUE(CloseHandle(again));
  EXPECT_FALSE(CloseHandle(again));
  EXPECT_FALSE(ReleaseSemaphore(again, 1, &previous));
  EXPECT_EQ(OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, kCounterName), nullptr);  // gone with the last
}

TEST(NamedCounter, BadCountsAndNamesAreRefused) {
  RuntimeFolder runtime;
  ASSERT_TRUE(runtime.valid());
  struct Case {
    LONG initial;
    LONG maximum;
    const char* name;
  };
  const Case cases[] = {{-1, 5, "a"}, {6, 5, "a"}, {0, 0, "a"}, {1, 5, ""}, {1, 5, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.initial) + "/" + std::to_string(c.maximum));
    EXPECT_EQ(CreateSemaphoreA(nullptr, c.initial, c.maximum, c.name), nullptr);
  }
}

TEST(NamedCounter, DamagedCountFileRefusesReleaseWithoutHarm) {
  RuntimeFolder runtime;
  ASSERT_TRUE(runtime.valid());
  HANDLE counter = CreateSemaphoreA(nullptr, 1, 10, kCounterName);
  ASSERT_NE(counter, nullptr);
  const std::string countFile = runtime.programFolder() + "/Kestrove Pellacorvine.counter/count";
  for (const char* damaged :
       {"", "x 10\n", "3\n", "3 10", "11 10\n", "-1 10\n", "3 10\nextra", "99999999999999999999 10\n"}) {
    SCOPED_TRACE(damaged);
    std::ofstream(countFile, std::ios::trunc) << damaged;
    LONG previous = 42;
    EXPECT_FALSE(ReleaseSemaphore(counter, 1, &previous));
    EXPECT_EQ(previous, 42);
  }
  std::ofstream(countFile, std::ios::trunc) << "3 10\n";
  LONG previous = 0;
  EXPECT_TRUE(ReleaseSemaphore(counter, 1, &previous));
  EXPECT_EQ(previous, 3);
  EXPECT_TRUE(CloseHandle(counter));
}

TEST(RuntimeDirectory, NamesBecomeSafeFileNames) {
  struct Case {
    const char* name;
    const char* part;
  };
  const Case cases[] = {
      {"Kestrove Pellacorvine", "Kestrove Pellacorvine"},
      {"a/b", "a%2Fb"},
      {"..", "%2E%2E"},
      {"x..y", "x..y"},
      {"100%", "100%25"},
      {"\xc3\xa9", "%C3%A9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RuntimeDirectory::fileNamePart(c.name), c.part);
  }
}

TEST(RuntimeDirectory, FolderIsMadePrivateInTheRuntimeDirectory) {
  RuntimeFolder runtime;
  ASSERT_TRUE(runtime.valid());
  std::optional<std::string> path = RuntimeDirectory::path();
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, runtime.programFolder());
  auto permissions = std::filesystem::status(*path).permissions();
  EXPECT_EQ(permissions & std::filesystem::perms::all, std::filesystem::perms::owner_all);
}

TEST(RuntimeDirectory, WhatTheChecksFindIsLoggedOnceWhenTheLogOpens) {
  struct Case {
    bool fileInItsPlace;
    const char* logged;
  } cases[] = {{false, "was open to other users; it is now private"},
               {true,
                "cannot be opened as a folder (Not a directory); the command service and the instance "
                "count do not use it"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.logged);
    RuntimeFolder runtime;
    const std::string folder = runtime.programFolder();
    if (c.fileInItsPlace) {
      std::ofstream(folder) << "x";
    } else {
      mkdir(folder.c_str(), 0750);
    }
    // Asked before the program's log opens, and again after.
    RuntimeDirectory::path();
    KTempFolder logFolder;
    KLog log(logFolder.Path() + "/program.log");
    KLog::SetProgramLog(&log);
    EXPECT_EQ(RuntimeDirectory::path().has_value(), !c.fileInItsPlace);
    KLog::SetProgramLog(nullptr);
    // The lines about this folder (others may wait from earlier tests).
    std::ifstream file(logFolder.Path() + "/program.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
      if (line.find(folder + " ") != std::string::npos) {
        lines.push_back(line.substr(line.find("The runtime folder")));
      }
    }
    EXPECT_EQ(lines, std::vector<std::string>{"The runtime folder " + folder + " " + c.logged + "\r"});
  }
}

}  // namespace native::test
