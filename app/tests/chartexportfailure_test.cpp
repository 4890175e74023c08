// Chart > Export Bitmap in the running program when the writing fails: the user is told why (the error's
// number, a memory error, or the general failure), and the earlier picture of that name is kept.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/tests/programtest.h"
#include "foundation/kdiskstep.h"
#include "foundation/kfile.h"
#include "foundation/kx.h"
#include "model/qvevent.h"
#include "native/user/virtualkeys.h"

namespace {

class ChartExportFailureTest : public ProgramTest {
 protected:
  ~ChartExportFailureTest() override { KFile::SetDiskStepHook(nullptr); }
};

}  // namespace

TEST_F(ChartExportFailureTest, AFailedWriteSaysWhyAndKeepsTheEarlierPicture) {
  struct Case {
    const char* name;
    std::function<void()> fail;
    std::u16string said;
  };
  const Case cases[] = {
      {"disk full", [] { throw KXStream(kErrDiskFull, 28); }, u"Disk full (3006)."},
      {"a failure without a code", [] { throw KX(kErrNone); }, u"Unable to Export Bitmap"},
      {"no memory", [] { throw std::bad_alloc(); }, u"A memory error occurred exporting the bitmap"},
      {"anything else", [] { throw std::runtime_error("broken"); }, u"Unable to export bitmap"},
  };
  const std::string picture = FilePath("chart.tga");
  WriteFile("chart.tga", "the picture exported before");
  Make({u"-noregistry"});
  Then([] { Post(NewCommand); });
  When(
      "the chart window", [] { return CurrentPane<QvZChartWindow>(PaneKind::kChart) != nullptr; }, [] {});
  for (const Case& c : cases) {
    Then([this, &c, &picture] {
      // The desktop is taken and the temporary file written; the failure comes as it is made durable.
      KFile::SetDiskStepHook([&c](KDiskStep step) {
        if (step == KDiskStep::kSyncNewFile) {
          c.fail();
        }
      });
      AnswerFileDialog(picture);
      Post(QvZChartPane::kExportBitmapCommand);
    });
    AnswerWithKey(u"Error", native::VK_RETURN);
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), std::size(cases));
  for (size_t i = 0; i < seen.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ(seen[i].text, cases[i].said);
  }
  EXPECT_EQ(ReadFile("chart.tga"), "the picture exported before");
  std::vector<std::string> pictures;
  for (const auto& entry : std::filesystem::directory_iterator(FilePath(""))) {
    if (entry.path().filename().string().find("chart") != std::string::npos) {
      pictures.push_back(entry.path().filename().string());
    }
  }
  EXPECT_EQ(pictures, std::vector<std::string>{"chart.tga"});
}
