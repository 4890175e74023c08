// The simulator's own parts that tests and people rely on: scenario lines and the boot monitor's refusals.
#include <gtest/gtest.h>

#include "devices/qvbootmonitor.h"
#include "tools/cusim/cubootmonitor.h"
#include "tools/cusim/cuscenario.h"

TEST(CuScenario, LinesSetTheScenario) {
  CuScenario scenario;
  std::string error;
  for (const char* line : {"# a comment", "", "device=0x10001", "version=0x14fff", "lanes=10", "gun=none",
                           "reaction=150,none,-20", "drop=1,3", "bad-checksum=2", "delayms=300", "noise=xyz",
                           "version-silent=1"}) {
    SCOPED_TRACE(line);
    EXPECT_TRUE(scenario.ApplyLine(line, error)) << error;
  }
  EXPECT_EQ(scenario.deviceWord, 0x10001);
  EXPECT_EQ(scenario.version, 0x14FFF);
  EXPECT_EQ(scenario.laneCount, 10);
  EXPECT_EQ(scenario.gunWord, CuScenario::kNone);
  EXPECT_EQ(scenario.reactionTimes, (std::vector<int32_t>{150, CuScenario::kNone, -20}));
  EXPECT_EQ(scenario.faults.size(), 3u);
  EXPECT_EQ(scenario.faults.at(2), CuFault::kChecksum);
  EXPECT_EQ(scenario.delayMs, 300);
  EXPECT_EQ(scenario.startNoise, "xyz");
  EXPECT_TRUE(scenario.versionSilent);
}

TEST(CuScenario, BadLinesAreRefusedAndExplained) {
  for (const char* line : {"lanes", "colour=red", "lanes=8x", "reaction=1,,2", "gun=0x1ffffffff", "drop=a"}) {
    SCOPED_TRACE(line);
    CuScenario scenario;
    std::string error;
    EXPECT_FALSE(scenario.ApplyLine(line, error));
    EXPECT_FALSE(error.empty());
  }
}

TEST(CuBootMonitor, RefusesWritesItCannotTake) {
  CuBootMonitor monitor;
  const uint8_t bytes[] = {1, 2, 3, 4};
  EXPECT_EQ(monitor.Answer("fe 0 10"), "") << "silent before it is entered";
  EXPECT_EQ(monitor.Answer("sb ffffb9 c 1 z"), "ok\r\n");
  struct Case {
    const char* what;
    std::string line;
    const char* answer;
  } cases[] = {
      {"not erased", QvBootMonitor::WriteLine(0, bytes, 4), "err\r\n"},
      {"erase", "fe 0 10", "ok\r\n"},
      {"erase beyond the flash", "fe 1ffff0 20", "err\r\n"},
      {"bad sum", "fw 0 01020304 0000", "err\r\n"},
      {"odd digits", "fw 0 010 0100", "err\r\n"},
      {"beyond the erased range", QvBootMonitor::WriteLine(0xE, bytes, 4), "err\r\n"},
      {"unknown", "zz", "err\r\n"},
      {"write", QvBootMonitor::WriteLine(4, bytes, 4), "ok\r\n"},
      {"twice", QvBootMonitor::WriteLine(4, bytes, 4), "err\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(monitor.Answer(c.line), c.answer);
  }
  EXPECT_EQ(monitor.Flash(4, 4), std::vector<uint8_t>(bytes, bytes + 4));
  EXPECT_EQ(monitor.Flash(0, 1), std::vector<uint8_t>{0xFF});
}
