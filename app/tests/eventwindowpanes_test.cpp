#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/eventpanetable.h"
#include "app/framecommands.h"
#include "app/qvzeventmdi.h"
#include "app/qvzresultswindow.h"
#include "app/tests/programtest.h"
#include "model/qvevent.h"
#include "model/qvresults.h"
#include "model/yleg.h"

namespace {

// "left,top,right,bottom" of a region.
std::string Edges(const ZafRegionStruct& region) {
  return std::to_string(region.left) + "," + std::to_string(region.top) + "," + std::to_string(region.right) +
         "," + std::to_string(region.bottom);
}

class EventWindowPanesTest : public ProgramTest {
 protected:
  // File > New, then `check` on the one event window, which then goes with the program.
  void InNewEventWindow(std::function<void(QvZEventMDI&)> check) {
    Then([] { Post(NewCommand); });
    When(
        "a new event window", [] { return EventWindows().size() == 1; },
        [check] {
          QvZEventMDI& window = *EventWindows()[0];
          check(window);
        });
    ExitProgram();
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(seen.empty());
  }
};

// The region of a pane's window in pixels, within the event window's client area.
std::string PixelEdges(PaneWindow& pane) {
  ZafWindowObject* window = pane.Window();
  ZafRegionStruct region = window->Region();
  window->ConvertRegion(region, ZAF_PIXEL);
  return Edges(region);
}

// The desktop of 640 by 480 pixels leaves each maximised event window a client area of 632 by 382.
constexpr char kClientArea[] = "0,0,631,381";

TEST_F(EventWindowPanesTest, TheBuiltInLayoutsResultsWindowCoversTheTopQuarterOfTheClientArea) {
  InNewEventWindow([](QvZEventMDI& window) {
    ASSERT_EQ(Edges(window.ClientRegion()), kClientArea);
    PaneWindow* results = window.CurrentWindow(PaneKind::kResults);
    ASSERT_NE(dynamic_cast<QvZResultsWindow*>(results), nullptr);
    // Right at 100 % of 632 less 1; bottom at 26 % of 382 (99) less 2.
    EXPECT_EQ(PixelEdges(*results), "0,0,631,97");
  });
}

TEST_F(EventWindowPanesTest, OfTwoResultsEntriesTheFirstIsAttachedAndTakesTheSecondsSpace) {
  Setting(u"\\Event\\Layout\\Results1:String=0,0,100,26");
  Setting(u"\\Event\\Layout\\Results2:String=0,26,100,100");
  InNewEventWindow([](QvZEventMDI& window) {
    const auto& panes = window.Panes().Panes();
    ASSERT_EQ(panes.size(), 2u);
    auto* first = dynamic_cast<QvZResultsWindow*>(panes[0]->Window());
    auto* second = dynamic_cast<QvZResultsWindow*>(panes[1]->Window());
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(window.CurrentWindow(PaneKind::kResults), first);
    EXPECT_EQ(first->Parent(), &window);
    EXPECT_EQ(first->View(), window.CurrentLeg()->Results().View(0));
    EXPECT_EQ(second->Parent(), nullptr);
    EXPECT_EQ(second->View(), nullptr);
    // The whole client area: right and bottom at 100 %, each less 1.
    ASSERT_EQ(Edges(window.ClientRegion()), kClientArea);
    EXPECT_EQ(PixelEdges(*first), "0,0,631,381");
  });
}

}  // namespace
