#include "imaging/ui/yzlanebar.h"

#include <gtest/gtest.h>

#include <memory>

#include "devices/tests/fakeinterface.h"
#include "devices/yhardware.h"
#include "imaging/tests/blocketteencoder.h"
#include "imaging/yimage.h"
#include "toolkit/kzwindow.h"
#include "toolkit/tests/kzpanetestbed.h"

namespace {

class YZLaneBarTest : public KZPaneTest {
 protected:
  YZLaneBarTest() { SetCamera(image.Camera(), YCamera::kTypeCoded, 0, 40, 1); }

  // A bar 400 pixels long over the image's camera with `lines` lane lines, shown in a window.
  YZLaneBar* ShowBar(int32_t lines) {
    image.Camera().SetValueCount(lines);
    auto* window = new KZWindow(0, 0, 0, 0);
    window->SetRegion({10, 10, 209, 459, ZAF_PIXEL});
    bar = new YZLaneBar(nullptr);
    bar->SetImage(&image);
    window->Add(bar);
    Show(window);
    bar->SetScaleAndOrigin(400, 0);
    return bar;
  }
  void Orient(int32_t orientation, int32_t reverse) {
    image.Camera().SetParameter(16, orientation, false);
    image.Camera().SetParameter(17, reverse, false);
  }

  YImage image;
  YZLaneBar* bar = nullptr;
};

}  // namespace

TEST_F(YZLaneBarTest, LinePositionsScaleTenThousandthsOntoTheLength) {
  ShowBar(4);
  ASSERT_TRUE(image.Camera().SetValue(4, 9000));
  EXPECT_EQ(bar->BoundaryPosition(1), 100);  // 2500 of 400 pixels
  EXPECT_EQ(bar->BoundaryPosition(4), 360);
  EXPECT_EQ(bar->BoundaryPosition(-1), 0);
  EXPECT_EQ(bar->BoundaryPosition(5), 400);
  EXPECT_FALSE(bar->SetScaleAndOrigin(400, 0));
  EXPECT_TRUE(bar->SetScaleAndOrigin(400, 8));
  bar->SetScaleAndOrigin(400, 0);

  // Dragging the last line past the bar's end stores the full height; the dragged line is the camera's.
  bar->Event(Pointer(bar, kLeftPress, 5, 361));
  EXPECT_EQ(image.Camera().CurrentLine(), 4);
  bar->Event(Pointer(bar, kLeftHeld, 5, 410));
  EXPECT_EQ(image.Camera().Value(4), 10000);
  bar->Event(Pointer(bar, kLeftRelease, 5, 410));
  EXPECT_EQ(image.Camera().CurrentLine(), -1);
  EXPECT_EQ(image.Camera().Value(4), 10000);

  // A release lost: the next press moves the line still dragged.
  bar->Event(Pointer(bar, kLeftPress, 5, 100));
  EXPECT_EQ(image.Camera().CurrentLine(), 1);
  bar->Event(Pointer(bar, kLeftPress, 5, 120));
  EXPECT_EQ(image.Camera().CurrentLine(), 1);
  EXPECT_EQ(image.Camera().Value(1), 3000);
}

TEST_F(YZLaneBarTest, SectionsAreNumberedByOrientationAndReversedLanes) {
  struct Case {
    int32_t orientation;
    int32_t reverse;
    int32_t firstLane;  // of section 0
    int32_t lastLane;   // of section 8
  } cases[] = {{0, 0, 9, 1}, {1, 0, 1, 9}, {1, 1, 9, 1}, {0, 1, 1, 9}};
  ShowBar(9);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.orientation << "/" << c.reverse);
    Orient(c.orientation, c.reverse);
    EXPECT_EQ(bar->LaneNumber(0), c.firstLane);
    EXPECT_EQ(bar->LaneNumber(8), c.lastLane);
    KString text;
    uint32_t flags = 0;
    bar->CellText(0, text, flags);
    EXPECT_EQ(text.ToUtf8(), std::to_string(c.firstLane));
    int32_t lane = 0;
    ASSERT_TRUE(bar->LaneAt(399, lane));  // the last section: 355..399
    EXPECT_EQ(lane, c.lastLane);
  }
}

TEST_F(YZLaneBarTest, ACameraWithoutLinesShowsNone) {
  ShowBar(0);
  EXPECT_EQ(bar->CellCount(), 0);
  EXPECT_EQ(bar->BoundaryPosition(0), -1);
  int32_t lane = 0;
  EXPECT_FALSE(bar->LaneAt(100, lane));
}

TEST_F(YZLaneBarTest, ABarForADeviceAsksTheHardwareManager) {
  YHardware hardware(8);
  hardware.AddInterface(std::make_unique<FakeInterface>(5));  // 8 lines at 1000, 2000, ...; reversed
  YZLaneBar device(&hardware, 5);
  device.SetScaleAndOrigin(400, 0);
  EXPECT_EQ(device.CellCount(), 8);
  EXPECT_EQ(device.BoundaryPosition(1), 80);
  EXPECT_EQ(device.LaneNumber(0), 8);
  YZLaneBar unknown(&hardware, 6);
  EXPECT_EQ(unknown.CellCount(), 0);
}
