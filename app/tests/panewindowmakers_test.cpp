#include "app/panewindowmakers.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/tests/testpanewindow.h"

TEST(PaneWindowMakers, EachKindIsMadeByItsOwnMakerWhileItIsRegistered) {
  for (const PaneKind kind : {PaneKind::kSummary, PaneKind::kResults, PaneKind::kChart}) {
    EXPECT_FALSE(PaneWindowMakers::Has(kind));
    EXPECT_EQ(PaneWindowMakers::Make(kind, nullptr), nullptr);
  }
  {
    TestPaneWindowMaker results(PaneKind::kResults);
    TestPaneWindowMaker chart(PaneKind::kChart);
    EXPECT_FALSE(PaneWindowMakers::Has(PaneKind::kSummary));
    EXPECT_TRUE(PaneWindowMakers::Has(PaneKind::kResults));
    std::unique_ptr<PaneWindow> made(PaneWindowMakers::Make(PaneKind::kChart, nullptr));
    ASSERT_EQ(chart.made.size(), 1u);
    EXPECT_EQ(made.get(), chart.made[0]);
    EXPECT_EQ(chart.made[0]->kind, PaneKind::kChart);
    EXPECT_TRUE(results.made.empty());
  }
  EXPECT_FALSE(PaneWindowMakers::Has(PaneKind::kChart)) << "taken back at clean-up";
  EXPECT_EQ(PaneWindowMakers::Make(static_cast<PaneKind>(4), nullptr), nullptr);
}
