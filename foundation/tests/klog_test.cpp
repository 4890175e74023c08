#include "foundation/klog.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <future>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "foundation/kstring.h"

namespace {

KDateTime FixedTime() {
  KDateTime value;
  value.year = 2026;
  value.month = 12;
  value.day = 7;
  value.dayOfWeek = 1;
  value.hour = 16;
  value.minute = 3;
  value.second = 9;
  return value;
}

// A log file in a fresh temporary folder, removed afterwards.
class KLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Lines are checked in the fixed formats of the "C" locale, whatever an earlier test left behind.
    previousLocale = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    char pattern[] = "/tmp/klog_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    path = folder + "/program.log";
  }
  void TearDown() override {
    unlink(path.c_str());
    rmdir(folder.c_str());
    std::setlocale(LC_ALL, previousLocale.c_str());
  }
  std::string Contents() const {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  std::string previousLocale;
  std::string folder;
  std::string path;
};

TEST_F(KLogTest, LinesHaveKindDateTimeAndMessageEndingInCrLf) {
  {
    KLog log(path);
    ASSERT_TRUE(log.IsOpen());
    log.SetClock(FixedTime);
    log.Error("YImageBlocks::Add: p null");
    log.Warning(KString::FromUtf8("Größe"));
  }
  // The "C" locale's formats are fixed: M/d/yyyy and h:mm:ss tt. Text is cut to 8 bits per character, so "ö"
  // (U+00F6) becomes the single byte F6.
  EXPECT_EQ(Contents(),
            "E: 12/7/2026 4:03:09 PM: YImageBlocks::Add: p null\r\n"
            "W: 12/7/2026 4:03:09 PM: Gr\xF6\xDF"
            "e\r\n");
}

TEST_F(KLogTest, AppendsToAnExistingLog) {
  {
    std::ofstream file(path, std::ios::binary);
    file << "old line\r\n";
  }
  KLog log(path);
  log.SetClock(FixedTime);
  log.Warning("new");
  EXPECT_EQ(Contents(), "old line\r\nW: 12/7/2026 4:03:09 PM: new\r\n");
}

TEST_F(KLogTest, LineBreaksInAMessageCannotForgeLines) {
  KLog log(path);
  log.SetClock(FixedTime);
  log.Error("one\r\nE: forged");
  EXPECT_EQ(Contents(), "E: 12/7/2026 4:03:09 PM: one  E: forged\r\n");
}

TEST_F(KLogTest, LogThatCannotOpenDropsLinesQuietly) {
  KLog log(folder + "/missing/folder/program.log");
  EXPECT_FALSE(log.IsOpen());
  log.Error("nowhere");
  log.Warning("nowhere");
  KLog unnamed("");
  EXPECT_FALSE(unnamed.IsOpen());
  unnamed.Error("nowhere");
  // A FIFO by the log's name is refused at once, never waited on until a reader comes.
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  std::future<bool> fifoOpened = std::async(std::launch::async, [this] { return KLog(path).IsOpen(); });
  if (fifoOpened.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
    ADD_FAILURE() << "the log waits on a FIFO";
    // A reader lets the waiting open end, so that the test ends too.
    const int reader = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    fifoOpened.wait();
    close(reader);
  } else {
    EXPECT_FALSE(fifoOpened.get());
  }
}

TEST_F(KLogTest, LinesFromManyThreadsNeverInterleave) {
  constexpr int kThreads = 8;
  constexpr int kLinesEach = 200;
  {
    KLog log(path);
    log.SetClock(FixedTime);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&log, t] {
        // Long messages make a torn write likely if lines were not written whole.
        std::string message =
            "thread " + std::to_string(t) + " " + std::string(300, static_cast<char>('a' + t));
        for (int i = 0; i < kLinesEach; ++i) {
          if (i % 2 == 0) {
            log.Error(KString(message.c_str()));
          } else {
            log.Warning(KString(message.c_str()));
          }
        }
      });
    }
    for (std::thread& thread : threads) {
      thread.join();
    }
  }
  std::istringstream lines(Contents());
  std::string line;
  std::map<int, int> perThread;
  int total = 0;
  while (std::getline(lines, line, '\n')) {
    ++total;
    ASSERT_FALSE(line.empty());
    ASSERT_EQ(line.back(), '\r') << line;
    line.pop_back();
    const std::string prefix = "12/7/2026 4:03:09 PM: thread ";
    ASSERT_TRUE(line.rfind("E: " + prefix, 0) == 0 || line.rfind("W: " + prefix, 0) == 0) << line;
    int t = line[3 + prefix.size()] - '0';
    ASSERT_GE(t, 0);
    ASSERT_LT(t, kThreads);
    EXPECT_EQ(line.substr(3 + prefix.size() + 2), std::string(300, static_cast<char>('a' + t)));
    ++perThread[t];
  }
  EXPECT_EQ(total, kThreads * kLinesEach);
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(perThread[t], kLinesEach);
  }
}

TEST(KLogPath, ProgramPathGetsTheExtensionLog) {
  struct Case {
    const char* program;
    const char* log;
  };
  const Case cases[] = {
      {"/opt/kestrove/kestrove", "/opt/kestrove/kestrove.log"},
      {"/opt/kestrove/kestrove.bin", "/opt/kestrove/kestrove.log"},
      {"/opt/k.d/kestrove", "/opt/k.d/kestrove.log"},
      {"/home/u/.hidden", "/home/u/.hidden.log"},
      {"kestrove.exe", "kestrove.log"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    EXPECT_EQ(KLog::LogPathFor(c.program), c.log);
  }
}

}  // namespace

namespace {

TEST(KLogPath, DefaultLogSitsBesideTheProgram) {
  char program[4096];
  ssize_t length = readlink("/proc/self/exe", program, sizeof(program) - 1);
  ASSERT_GT(length, 0);
  std::string expected = KLog::LogPathFor(std::string(program, static_cast<size_t>(length)));
  unlink(expected.c_str());
  {
    KLog log;
    ASSERT_TRUE(log.IsOpen());
    log.Warning("beside the program");
  }
  EXPECT_EQ(access(expected.c_str(), F_OK), 0) << expected;
  unlink(expected.c_str());
}

}  // namespace
