#include "framework/core/tests/frameworkscene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <utility>

#include "framework/core/tests/referencepicture.h"
#include "framework/core/zafapplication.h"
#include "native/native.h"
#include "native/testdriver.h"

namespace {

ZafRegionStruct Pixels(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return {left, top, right, bottom, ZAF_PIXEL};
}

}  // namespace

// Regions show as their four edges in failure messages.
void PrintTo(const ZafRegionStruct& region, std::ostream* out) {
  *out << "(" << region.left << ", " << region.top << ", " << region.right << ", " << region.bottom << ")";
}

namespace {

class FrameworkSceneTest : public testing::Test {
 protected:
  native::TestDriver driver{native::DesktopOptions{800, 600, 96}};
  ZafIChar program[9] = u"kestrove";
  ZafIChar* arguments[2] = {program, nullptr};
  ZafApplication application{1, arguments};
};

// Where the constraints must have put each document and object for the frame's present size.
void ExpectPlaced(const FrameworkScene& scene, const native::TestDriver& driver) {
  constexpr int32_t m = FrameworkScene::kMargin;
  const ZafRegionStruct client = scene.frame->ClientRegion();
  const int32_t middle = client.Width() * 50 / 100;
  const ZafRegionStruct entry = scene.entry->ClientRegion();
  const ZafRegionStruct gauges = scene.gauges->ClientRegion();
  const ZafRegionStruct slider = scene.slider->Region();
  struct Case {
    const char* name;
    const ZafWindowObject* object;
    ZafRegionStruct expected;
  };
  const Case cases[] = {
      {"entry document: left edge to the middle", scene.entry, Pixels(0, 0, middle, client.Height() - 1)},
      {"gauge document: beside it to the right edge", scene.gauges,
       Pixels(middle + 1, 0, client.Width() - 1, client.Height() - 1)},
      {"name field: stretched to the right edge, at most 300 wide", scene.name,
       Pixels(70, m, std::min(entry.Width() - 1 - m, 70 + 299), 31)},
      {"start button: moved to the right edge", scene.start,
       Pixels(entry.Width() - m - 70, 96, entry.Width() - 1 - m, 119)},
      {"lane list: stretched to the bottom edge", scene.lanes, Pixels(m, 66, 110, entry.Height() - 1 - m)},
      {"slider: stretched to the right edge", scene.slider, Pixels(m, m, gauges.Width() - 1 - m, 30)},
      {"notebook: below the slider, to the right and bottom edges", scene.notebook,
       Pixels(m, slider.bottom + 1 + m, gauges.Width() - 1 - m, gauges.Height() - 1 - m)},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(test.object->Region(), test.expected);
  }
  // The native documents followed.
  const native::RECT entryFrame = driver.screenRect(scene.entry->ScreenID(2));
  const native::RECT gaugeFrame = driver.screenRect(scene.gauges->ScreenID(2));
  EXPECT_EQ(entryFrame.right - entryFrame.left, middle + 1);
  EXPECT_EQ(gaugeFrame.left, entryFrame.right);
}

// The whole framework at once: the scene as a person sees it, then its layout kept through resizing.
TEST_F(FrameworkSceneTest, ShowsEveryKindOfObjectAndKeepsTheLayoutWhenTheFrameIsResized) {
  FrameworkScene scene(*ZafWindowObject::windowManager, 640, 460);
  driver.pumpUntilIdle();
  EXPECT_TRUE(MatchesReferencePicture(driver, "framework_scene.png"));
  ExpectPlaced(scene, driver);
  for (const auto& [width, height] : {std::pair{790, 590}, std::pair{420, 300}}) {
    SCOPED_TRACE(width);
    native::MoveWindow(scene.frame->ScreenID(2), 0, 0, width, height, native::TRUE);
    driver.pumpUntilIdle();
    ExpectPlaced(scene, driver);
  }
}

TEST_F(FrameworkSceneTest, DocumentMaximizedBeforeItIsShownOpensMaximized) {
  auto* frame = new ZafMDIWindow(0, 0, 50, 16, ZAF_MDI_FRAME);
  frame->AddStandardFrame(u"Meet");
  auto* document = new ZafMDIWindow(2, 2, 20, 6, ZAF_MDI_CHILD);
  document->AddStandardFrame(u"Heat 1");
  EXPECT_TRUE(document->SetMaximized(true));
  frame->Add(document);
  ZafWindowObject::windowManager->Add(frame);
  driver.pumpUntilIdle();
  EXPECT_TRUE(native::IsZoomed(document->ScreenID(2)));
  native::RECT client{};
  native::GetClientRect(frame->ScreenID(), &client);
  native::MapWindowPoints(frame->ScreenID(), nullptr, reinterpret_cast<native::POINT*>(&client), 2);
  const native::RECT documentFrame = driver.screenRect(document->ScreenID(2));
  EXPECT_LE(documentFrame.left, client.left);
  EXPECT_GE(documentFrame.right, client.right) << "the document covers the frame's client area";
}

}  // namespace
