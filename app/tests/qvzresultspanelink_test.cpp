#include <gtest/gtest.h>

#include "app/tests/resultslinktest.h"
#include "toolkit/kzdialog.h"

namespace {

using Requests = std::vector<uint32_t>;

TEST_F(ResultsLinkTest, ReactionTimesComeInOneHeaderRequestFromVersion15000OrWithoutAVersion) {
  struct Case {
    const char* name;
    int32_t version;
    bool versionSilent;
  } cases[] = {{"no version answer", 0x15000, true}, {"version 0x15000", 0x15000, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CuScenario scenario = EightLanes();
    scenario.version = c.version;
    scenario.versionSilent = c.versionSilent;
    StartSimulator(scenario);
    bool answer = false;
    OpenWindow();
    Then([&] { answer = Pane().Download(true, false); });
    Then([&] {
      EXPECT_TRUE(answer);
      EXPECT_EQ(Commands(), (Requests{QvPacket::kIdentify, QvPacket::kVersion, QvPacket::kTrialHeader,
                                      QvPacket::kTrialHeader}));
      EXPECT_EQ(ReactionTimes(), (std::vector<int32_t>{150, 142, 95, 88, 88, kNone, -20, 133}));
      EXPECT_EQ(Lane(3).GetTime3().ToMilliseconds(), 2000);
      // The false-start rule ran: lane 7 is the lowest and charged.
      EXPECT_TRUE(Lane(7).IsFalseStart());
      EXPECT_TRUE(Lane(7).IsFalseStartCharged());
      EXPECT_TRUE(Lane(4).IsFalseStart());
      EXPECT_FALSE(Lane(4).IsFalseStartCharged());
      EXPECT_TRUE(event->IsModified());
      EXPECT_EQ(settleWaits, std::vector<int32_t>{1100});
      EXPECT_TRUE(seen.empty());
    });
    CloseWindowAndExit();
    EXPECT_EQ(Run(), 0);
    script = ProgramScript();
    seen.clear();
    settleWaits.clear();
  }
}

}  // namespace
