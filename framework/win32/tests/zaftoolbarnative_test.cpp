#include <gtest/gtest.h>

#include <vector>

#include "framework/core/zafdisplay.h"
#include "framework/core/zaftoolbar.h"
#include "framework/win32/tests/zaffieldtestbed.h"

namespace {

using ToolBarNativeTest = ZafFieldTest;

// A window whose client area is a fixed pixel rectangle, for laying bars out without native windows.
class AreaWindow : public ZafWindow {
 public:
  explicit AreaWindow(const ZafRegionStruct& area) : ZafWindow(0, 0, 1, 1), area(area) {}
  ZafRegionStruct ClientRegion(const ZafWindowObject*) override { return area; }
  ZafRegionStruct area;
};

ZafWindowObject* Item(int32_t width, int32_t height) {
  auto* item = new ZafWindowObject(0, 0, 1, 1);
  item->SetRegion({0, 0, width - 1, height - 1, ZAF_PIXEL});
  return item;
}

TEST_F(ToolBarNativeTest, ChildrenWrapIntoRowsOrColumnsOnEachSide) {
  struct Case {
    const char* name;
    int32_t side;
    bool bordered;
    // The children's top-left corners and the bar's region afterwards.
    std::vector<std::pair<int32_t, int32_t>> corners;
    ZafRegionStruct bar;
  };
  // Three items 20, 30 and 20 long and 18 thick on a 60 x 60 area.
  const Case cases[] = {
      {"top", ZAF_DOCK_TOP, true, {{2, 2}, {22, 2}, {2, 22}}, {0, 0, 59, 43, ZAF_PIXEL}},
      {"top without border", ZAF_DOCK_TOP, false, {{2, 2}, {22, 2}, {2, 22}}, {0, 0, 59, 41, ZAF_PIXEL}},
      {"bottom", ZAF_DOCK_BOTTOM, true, {{2, 4}, {22, 4}, {2, 24}}, {0, 14, 59, 59, ZAF_PIXEL}},
      {"left", ZAF_DOCK_LEFT, true, {{2, 2}, {2, 22}, {22, 2}}, {0, 0, 43, 59, ZAF_PIXEL}},
      {"right", ZAF_DOCK_RIGHT, true, {{4, 2}, {4, 22}, {24, 2}}, {14, 0, 59, 59, ZAF_PIXEL}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AreaWindow window({0, 0, 59, 59, ZAF_PIXEL});
    auto* bar = new ZafToolBar(0, 0, 1, 1);
    bar->SetDockSide(c.side);
    bar->SetBordered(c.bordered);
    const bool horizontal = c.side == ZAF_DOCK_TOP || c.side == ZAF_DOCK_BOTTOM;
    for (const int32_t length : {20, 30, 20}) {
      bar->Add(horizontal ? Item(length, 18) : Item(18, length));
    }
    window.Add(bar);
    bar->Event(ZafEventRecord(FitEvent, 0));
    std::vector<std::pair<int32_t, int32_t>> corners;
    for (ZafElement* element = bar->First(); element; element = element->Next()) {
      const ZafRegionStruct place = static_cast<ZafWindowObject*>(element)->Region();
      corners.emplace_back(place.left, place.top);
    }
    EXPECT_EQ(corners, c.corners);
    EXPECT_EQ(bar->Region(), c.bar);
  }
}

TEST_F(ToolBarNativeTest, ThicknessWithoutChildrenOrWrapping) {
  const ZafDisplay& screen = *ZafWindowObject::display;
  struct Case {
    const char* name;
    int32_t side;
    bool wrap;
    int32_t thickness;
  };
  const Case cases[] = {
      {"empty at the top", ZAF_DOCK_TOP, true, screen.cellHeight},
      {"empty on the left", ZAF_DOCK_LEFT, true, 3 * screen.cellWidth},
      {"not wrapping keeps its height", ZAF_DOCK_BOTTOM, false, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AreaWindow window({0, 0, 199, 99, ZAF_PIXEL});
    auto* bar = new ZafToolBar(0, 0, 1, 1);
    bar->SetRegion({0, 0, 9, 6, ZAF_PIXEL});
    bar->SetDockSide(c.side);
    bar->SetWrap(c.wrap);
    window.Add(bar);
    bar->Event(ZafEventRecord(FitEvent, 0));
    const ZafRegionStruct placed = bar->Region();
    EXPECT_EQ(c.side == ZAF_DOCK_LEFT ? placed.Width() : placed.Height(), c.thickness);
    EXPECT_EQ(bar->Event(ZafEventRecord(1054, 0)), UnknownEventResult);
  }
}

TEST_F(ToolBarNativeTest, TheEdgeFacesTheClientArea) {
  auto* window = new ZafWindow(0, 0, 1, 1);
  window->SetRegion({10, 10, 209, 129, ZAF_PIXEL});
  auto* bar = new ZafToolBar(0, 0, 1, 1);
  bar->SetDockSide(ZAF_DOCK_BOTTOM);
  bar->Add(Item(30, 16));
  window->Add(bar);
  root->Add(window);
  driver.pumpUntilIdle();
  ASSERT_NE(bar->ScreenID(), nullptr);
  const native::RECT area = driver.screenRect(bar->ScreenID());
  auto brightness = [this, &area](int row) {
    const native::COLORREF color = driver.pixel(area.left + 50, area.top + row);
    return native::GetRValue(color) + native::GetGValue(color) + native::GetBValue(color);
  };
  EXPECT_LT(brightness(0), brightness(1)) << "dark above light on a bar at the bottom";
  EXPECT_EQ(area.bottom - area.top, 16 + 2 + 2 + 2 + 2);
  root->Subtract(window);
  delete window;
}

}  // namespace
