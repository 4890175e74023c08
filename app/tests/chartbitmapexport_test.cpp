// The chart's bitmap export on a headless desktop whose 24-bit rows need padding: the names it offers,
// the Targa it writes read back pixel for pixel, a write that cannot start, and the break key.

#include "app/chartbitmapexport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/chartrows.h"
#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/qvzstatusbar.h"
#include "app/tests/frametestbed.h"
#include "foundation/kbitmap.h"
#include "foundation/kdiskstep.h"
#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "foundation/tests/ktempfolder.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "native/native.h"
#include "toolkit/kzstatusstring.h"

namespace {

// 1001 pixels of 3 bytes: each row of the copy is padded by one byte.
constexpr int kDesktopWidth = 1001;
constexpr int kDesktopHeight = 120;

class ChartBitmapExportTest : public FrameTestBed {
 protected:
  ChartBitmapExportTest() : FrameTestBed({kDesktopWidth, kDesktopHeight, 96}) {
    QvZChartWindow::SetupClass();
    KSetFileDialogHook([this](KFileDialogRequest& request) {
      offered.push_back(request.filter.ToUtf8());
      offeredNames.push_back(request.file->Name().ToUtf8());
      if (answer.empty()) {
        return -1;
      }
      request.file->SetName(KString::FromUtf8(answer));
      return 0;
    });
    window = new QvZChartWindow(nullptr, nullptr);
    window->SetRegion({0, 0, 400, 100, ZAF_PIXEL});
    ZafWindowObject::windowManager->Add(window);
    driver.pumpUntilIdle();
  }
  ~ChartBitmapExportTest() override {
    KFile::SetDiskStepHook(nullptr);
    KZApplication::mainFrame = nullptr;
    ZafWindowObject::windowManager->Subtract(window);
    delete window;
    KSetFileDialogHook({});
    QvZChartWindow::CleanupClass();
    ChartBitmapExport::RememberedFile() = KString();
  }

  void Export() { window->Event(ZafEventRecord(QvZChartPane::kExportBitmapCommand, 0)); }
  std::string Path(const std::string& name) const { return folder.Path() + "/" + name; }

  KTempFolder folder;
  QvZChartWindow* window = nullptr;
  std::string answer;
  std::vector<std::string> offered;
  std::vector<std::string> offeredNames;
};

}  // namespace

TEST_F(ChartBitmapExportTest, DefaultNamesCarryTheHeatAndInOneLaneTheLane) {
  QvEvent event;
  event.SetEventRoundHeat(u"12", u"1", u"3");
  // A race without lane 6: the sixth row is lane 7.
  QvResult lanes[7];
  ChartRows rows;
  for (const char16_t* lane : {u"1", u"2", u"3", u"4", u"5", u"7", u"8"}) {
    QvResult& result = lanes[rows.results.size()];
    result.SetAthleteField(QvResult::kLaneField, lane);
    rows.results.push_back(&result);
  }
  struct Case {
    bool allCharts;
    int32_t row;
    const char* expected;
    const char16_t* heat = u"3";
  };
  const Case cases[] = {{true, 4, "Qv-12-1-3"},
                        {false, 4, "Qv-12-1-3-5"},
                        {false, 0, "Qv-12-1-3-1"},
                        {false, 5, "Qv-12-1-3-7"},
                        {true, 0, "Qv-12-1-.._.._3", u"../../3"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    event.SetEventRoundHeat(u"12", u"1", c.heat);
    rows.allCharts = c.allCharts;
    rows.selectedRow = c.row;
    EXPECT_EQ(ChartBitmapExport::DefaultName(&event, rows).ToUtf8(), c.expected);
  }
}

TEST_F(ChartBitmapExportTest, TargaHoldsTheDesktopAndTheNextExportOffersTheLastFormat) {
  ChartBitmapExport::RememberedFile() = KString::FromUtf8(folder.Path() + "/");
  // A name with an extension that is no picture's gets the chosen format's; a JPEG's own is kept.
  answer = Path("desktop.qve");
  Export();
  KFile file(KString::FromUtf8(answer + ".tga"));
  file.Open(KFile::kRead);
  KBitmap picture(0, 0, KBitmap::kRgb24 | KBitmap::kAlign1);
  picture.ImportTarga(file);
  ASSERT_EQ(picture.Width(), kDesktopWidth);
  ASSERT_EQ(picture.Height(), kDesktopHeight);
  int differing = 0;
  for (int y = 0; y < kDesktopHeight; y += 7) {
    for (int x = 0; x < kDesktopWidth; x += 3) {
      uint8_t rgb[3];
      picture.GetPixel(x, y, rgb);
      const native::COLORREF expected = driver.pixel(x, y);
      differing += rgb[0] != native::GetRValue(expected) || rgb[1] != native::GetGValue(expected) ||
                   rgb[2] != native::GetBValue(expected);
    }
  }
  EXPECT_EQ(differing, 0);

  answer = Path("second.jpeg");
  Export();
  EXPECT_TRUE(std::ifstream(answer).good());
  answer.clear();
  Export();
  EXPECT_EQ(offered, (std::vector<std::string>{"tga,jpg", "tga,jpg", "jpg,tga"}));
  EXPECT_EQ(offeredNames[0], folder.Path() + "/Qv-");
}

TEST_F(ChartBitmapExportTest, AWriteThatCannotStartLeavesNoFile) {
  answer = Path("missing/desktop.tga");
  Export();
  EXPECT_FALSE(std::ifstream(answer).good());
  EXPECT_FALSE(std::ifstream(Path("missing")).good());
}

TEST_F(ChartBitmapExportTest, TheBreakKeyLeavesNoFileAndKeepsTheEarlierOne) {
  KZApplication::mainFrame = ShowFrame();
  answer = Path("desktop.tga");
  const std::string earlier = "the picture exported before";
  std::ofstream(answer) << earlier;
  // The user presses the break key once the desktop is taken, while its rows are written.
  KFile::SetDiskStepHook([this](KDiskStep step) {
    if (step == KDiskStep::kNewFile) {
      native::PostMessage(frame->ScreenID(), native::WM_KEYDOWN, native::VK_ESCAPE, 0);
    }
  });
  Export();
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"desktop.tga"});
  std::ifstream kept(answer);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), earlier);
  EXPECT_EQ(KString(QvZControl::GetStatusBar()->statusText->Text()).ToUtf8(), "Operation aborted by user.");
}
