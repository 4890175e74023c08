#include "app/eventpane.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/paneconstraints.h"
#include "app/tests/testpanewindow.h"
#include "framework/core/zafwindow.h"

namespace {

// An event window stand-in: a window with a geometry manager, and a pane with a test window.
struct PaneOnAWindow {
  PaneOnAWindow() {
    window->destroyed = &windowDestroyed;
    pane = std::make_unique<EventPane>(LayoutEntry(PaneKind::kChart, {0, 26, 100, 100}), window);
  }

  bool windowDestroyed = false;
  TestPaneWindow* window = new TestPaneWindow(PaneKind::kChart);
  std::unique_ptr<ZafWindow> eventWindow = std::make_unique<ZafWindow>(0, 0, 500, 350);
  KZGeomMgr manager;
  std::unique_ptr<EventPane> pane;
};

}  // namespace

TEST(PaneConstraints, EdgesAtTheFullExtentEndOnTheLastPixelOthersBeforeTheNeighbour) {
  struct Case {
    PaneRect rect;
    PaneConstraintValues values;
  } cases[] = {
      {{0, 0, 100, 26}, {0, 0, 100, 26, -1, -2}},
      {{0, 26, 100, 100}, {0, 26, 100, 100, -1, -1}},
      {{50, 0, 99, 101}, {50, 0, 99, 101, -2, -2}},
      {{0, 0, 100, 100}, {0, 0, 100, 100, -1, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rect.right << "," << c.rect.bottom);
    EXPECT_EQ(ConstraintValuesFor(c.rect), c.values);
  }
}

TEST(EventPane, WhatIsAttachedBelongsToTheEventWindowAndTheRestToThePane) {
  struct Case {
    const char* name;
    bool attach;
    bool constrain;
  } cases[] = {
      {"never attached", false, false},
      {"attached, constraints in the manager", true, true},
      {"attached, constraints kept", true, false},
      {"detached again", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PaneOnAWindow setUp;
    EventPane& pane = *setUp.pane;
    pane.AttachTo(*setUp.eventWindow);
    pane.AddConstraintsTo(setUp.manager);
    if (!c.attach) {
      pane.DetachFrom(*setUp.eventWindow);
    }
    if (!c.constrain) {
      pane.RemoveConstraintsFrom(setUp.manager);
    }
    EXPECT_EQ(pane.Has(EventPane::kAttached), c.attach);
    EXPECT_EQ(pane.Has(EventPane::kConstraintsInManager), c.constrain);
    EXPECT_EQ(setUp.window->Parent() == setUp.eventWindow.get(), c.attach);
    EXPECT_EQ(setUp.manager.ConstraintCount(), c.constrain ? 4 : 0);
    setUp.pane.reset();
    EXPECT_EQ(setUp.windowDestroyed, !c.attach) << "the pane deletes a window it holds";
    EXPECT_EQ(setUp.manager.ConstraintCount(), c.constrain ? 4 : 0) << "the manager keeps its constraints";
    setUp.eventWindow.reset();
    EXPECT_TRUE(setUp.windowDestroyed);
  }
}
