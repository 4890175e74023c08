// The hardware list window, its title row and the alignment window and pane.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "devices/tests/fakeinterface.h"
#include "devices/yhardware.h"
#include "imaging/ui/tests/imagepanetestbed.h"
#include "imaging/ui/yzalignpane.h"
#include "imaging/ui/yzalignwindow.h"
#include "imaging/ui/yzhardwaremdi.h"
#include "imaging/ui/yzhardwarepane.h"
#include "imaging/ui/yzhardwaretitle.h"
#include "imaging/ui/yzhardwarewindow.h"
#include "imaging/ycamera.h"
#include "toolkit/kzevents.h"
#include "toolkit/tests/kzpanetestbed.h"

namespace {

// A camera of frame length 1000 at rate factor 2000, recording the line rates it is aligned at.
class AligningInterface : public FakeInterface {
 public:
  explicit AligningInterface(int32_t id) : FakeInterface(id) {}
  bool GetCamera(YCamera& camera) override {
    camera.SetParameter(0, YCamera::kTypeCoded, false);
    // The limits of the frame length and the rate factor first.
    camera.SetParameter(5, 0, false);
    camera.SetParameter(29, 1000, false);
    camera.SetParameter(31, 2000, false);
    camera.SetParameter(7, 1000, false);
    camera.SetParameter(8, 2000, false);
    return true;
  }
  bool Align(int32_t lineRate) override {
    rates.push_back(lineRate);
    return FakeInterface::Align(lineRate);
  }
  std::vector<int32_t> rates;
};

class HardwareWindowsTest : public KZPaneTest {
 protected:
  HardwareWindowsTest() {
    YImageReporter::Connect(&reporter);
    for (int32_t id = 0; id < 3; ++id) {
      auto device = std::make_unique<AligningInterface>(id);
      devices.push_back(device.get());
      hardware.AddInterface(std::move(device));
    }
  }
  ~HardwareWindowsTest() override {
    if (window) {
      ZafWindowObject::windowManager->Subtract(window);
      delete window;
    }
    YImageReporter::Connect(nullptr);
  }
  YZHardwareWindow* ShowList(int32_t width) {
    window = new YZHardwareWindow(&hardware.View());
    window->SetRegion({10, 10, 10 + width - 1, 209, ZAF_PIXEL});
    return Show(window);
  }
  std::vector<int32_t> TitleEdges() {
    std::vector<int32_t> edges;
    for (int32_t edge = 0; edge < YHardwareView::kEdgeCount; ++edge) {
      edges.push_back(window->Pane()->Title()->BoundaryPosition(edge));
    }
    return edges;
  }
  std::vector<int32_t> FittedEdges() {
    std::vector<int32_t> edges;
    for (int32_t edge = 0; edge < YHardwareView::kEdgeCount; ++edge) {
      edges.push_back(hardware.View().FittedEdge(edge));
    }
    return edges;
  }

  RecordingReporter reporter;
  YHardware hardware{8};
  std::vector<AligningInterface*> devices;
  YZHardwareWindow* window = nullptr;
};

TEST_F(HardwareWindowsTest, TheListShowsARowPerInterfaceInTheViewsFittedColumns) {
  ShowList(600);
  YZHardwarePane* pane = window->Pane();
  EXPECT_EQ(hardware.View().HardwareWindow(), window);
  hardware.Notify(YHardwareView::kHardwareList);
  EXPECT_EQ(pane->Extent(), KPoint(1, 3));
  driver.pumpUntilIdle();
  // The designed columns (320 pixels at 8 a character) stretched to the title's 600 pixels, which it
  // drew last; the rows use the same edges.
  EXPECT_EQ(pane->Title()->Length(), 600);
  EXPECT_EQ(hardware.View().FittedEdge(YHardwareView::kEdgeCount - 1), 600);
  EXPECT_EQ(TitleEdges(), FittedEdges());
  EXPECT_EQ(hardware.View().DesignedEdge(YHardwareView::kEdgeCount - 1), 600) << "kept on the title's resize";
  for (int32_t column = 0; column < YHardwareView::kColumnCount; ++column) {
    KRect row{0, 0, 599, 15};
    pane->ColumnRegion({0, 1}, column, row, KZSelector::kColumnArea);
    EXPECT_EQ(row.left, hardware.View().FittedEdge(column)) << column;
  }
  // The current row is kept in the view.
  pane->SetCurrentCell({0, 2});
  EXPECT_EQ(hardware.View().Size2()[1], 2);
}

TEST_F(HardwareWindowsTest, ADraggedTitleEdgeMovesTheViewsEdgeAndTheListFollows) {
  ShowList(400);
  YZHardwareTitle* title = window->Pane()->Title();
  const int32_t before = hardware.View().DesignedEdge(2);
  title->MoveBoundary(2, before + 30);
  EXPECT_EQ(hardware.View().DesignedEdge(2), before + 30);
  driver.pumpUntilIdle();
  EXPECT_EQ(TitleEdges(), FittedEdges()) << "the next drawing fits the moved edge";
  title->MoveBoundary(2, -100);
  EXPECT_EQ(hardware.View().DesignedEdge(2), hardware.View().DesignedEdge(1)) << "clamped to its neighbour";
}

TEST_F(HardwareWindowsTest, TheAlignmentDivisorStartsAt400000AndStepsDownTo10000) {
  YZAlignWindow align(&hardware.View());
  EXPECT_EQ(hardware.View().AlignWindow(), &align);
  align.SetValue(1);
  YZAlignPane& pane = *align.GetPane();
  struct Case {
    int32_t mode;
    int32_t divisor;
    int32_t rate;  // 1000 x 2000 x 2 / divisor
  } cases[] = {{0, 400000, 10}, {2, 350000, 11}, {1, 350000, 11}, {2, 300000, 13}, {0, 400000, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.divisor);
    pane.Capture(true, c.mode);
    EXPECT_EQ(pane.Divisor(), c.divisor);
    EXPECT_EQ(devices[1]->rates.back(), c.rate);
    hardware.StopCapture();
  }
  for (int step = 0; step < 10; ++step) {
    pane.Capture(true, YZAlignPane::kFaster);
  }
  EXPECT_EQ(pane.Divisor(), 10000);
  EXPECT_EQ(devices[1]->rates.back(), 400);
  EXPECT_TRUE(reporter.alerts.empty());
}

TEST_F(HardwareWindowsTest, ARefusedAlignmentCaptureShowsError61001) {
  YZAlignWindow align(&hardware.View());
  align.SetValue(0);
  devices[0]->ready = false;
  align.GetPane()->Capture(true, YZAlignPane::kNewStrip);
  EXPECT_EQ(reporter.alerts, std::vector<int32_t>{61001});
}

TEST_F(HardwareWindowsTest, TheDocumentWindowRoutesEachCommandRangeAndAnswersTheCloseQueryWith0) {
  YZHardwareMDI mdi(hardware.View());
  EXPECT_EQ(hardware.View().HardwareWindow(), mdi.HardwareWindow());
  EXPECT_EQ(hardware.View().AlignWindow(), mdi.AlignWindow());
  EXPECT_EQ(mdi.Event(ZafEventRecord(YZHardwareMDI::kCloseQuery, 0)), 0);
  EXPECT_EQ(mdi.Event(ZafEventRecord(10565, 0)), 10565) << "no remote control: dropped";
  EXPECT_EQ(mdi.Event(ZafEventRecord(IdleTickEvent, 0)), IdleTickEvent);
  // The list's current row reaches the alignment window.
  mdi.HardwareWindow()->Pane()->Refresh();
  mdi.HardwareWindow()->Pane()->SetCurrentCell({0, 2});
  EXPECT_EQ(mdi.AlignWindow()->Row(), 2);
}

}  // namespace
