#include <gtest/gtest.h>

#include "framework/core/zafdisplay.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzselector.h"
#include "toolkit/tests/kzdialogtestbed.h"

TEST_F(KZDialogTest, AddSelectorPlacesABorderedListInPixelsAndMovesDownPastIt) {
  const int32_t cellWidth = ZafWindowObject::display->cellWidth;
  const int32_t cellHeight = ZafWindowObject::display->cellHeight;
  const int32_t line = KZWindowObjectLeech::FontHeight(1);
  struct Case {
    int32_t width, rows;
    KZSelector* given;
  };
  KZSelector* derived = new KZSelector(0, 0, 0, 0);
  const Case cases[] = {{25, 20, nullptr}, {10, 1, nullptr}, {30, 7, derived}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows);
    KZDialog dialog(u"List", KZDialog::kOk, KZDialog::kOk);
    dialog.MoveCursor(3, 2);
    KZSelector* list = dialog.AddSelector(c.width, c.rows, c.given);
    ASSERT_NE(list, nullptr);
    if (c.given) {
      EXPECT_EQ(list, c.given) << "a derived list is placed, not replaced";
    }
    const ZafRegionStruct region = list->Region();
    EXPECT_EQ(region.coordinateType, ZAF_PIXEL);
    EXPECT_EQ(region.left, (2 + 3) * cellWidth);
    EXPECT_EQ(region.top, 2 * cellHeight);
    EXPECT_EQ(region.Width(), c.width * cellWidth);
    EXPECT_EQ(region.Height(), c.rows * line + 4);
    EXPECT_TRUE(list->Bordered());
    EXPECT_NE(list->VerticalScrollBar(), nullptr);
    // The next field starts in the same column, on the first whole row under the list.
    KZPrompt* next = dialog.AddPrompt(u"x", 1);
    EXPECT_EQ(Cells(next).left, 5);
    EXPECT_EQ(Cells(next).top, 2 + (c.rows * line + 4 + cellHeight - 1) / cellHeight);
  }
}
