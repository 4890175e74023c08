// A named port set up through the options dialog, as a user does it, then used by a download: the program
// starts without any named port, the Serial page makes one on the simulator's line, and Add Reaction Times on
// a new event reads the unit's times through it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tests/namedportsetup.h"
#include "app/tests/resultslinktest.h"
#include "devices/qvserialport.h"
#include "foundation/kregistry.h"

namespace {

// The port number the simulator's line is mapped to (resultslinktest.h).
constexpr int32_t kSimulatorPort = 77;

using OptionsPortDownloadTest = NamedPortSetUp<ResultsLinkTest>;

TEST_F(OptionsPortDownloadTest, APortNamedInTheDialogCarriesAddReactionTimes) {
  StartSimulator(EightLanes());
  std::string stored;
  NameAPort(kSimulatorPort, 19200);
  When(
      "the dialog to close", [] { return Options() == nullptr; },
      [&] { stored = KRegistry::GetString(QvSerialPort::GetNth(0), u"SerialPort").ToUtf8(); });
  // The results window comes after the dialog: the Options command goes to the frame in front.
  OpenWindow({}, u"");
  Download(true, false);
  AfterOperation([&] {
    EXPECT_TRUE(answer);
    EXPECT_EQ(ReactionTimes(), (std::vector<int32_t>{150, 142, 95, 88, 88, kNone, -20, 133}));
    EXPECT_TRUE(seen.empty());
  });
  CloseWindowAndExit();
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(stored, "77,19200,8,N,1.0");
}

}  // namespace
