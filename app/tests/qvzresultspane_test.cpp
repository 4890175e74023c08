#include "app/qvzresultspane.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/qvzresultstitle.h"
#include "app/tests/resultslinktest.h"
#include "native/native.h"
#include "toolkit/kzeditableselectorstring.h"

namespace {

constexpr native::COLORREF kRed = native::RGB(255, 0, 0);
constexpr native::COLORREF kDarkGrey = native::RGB(128, 128, 128);

class QvZResultsPaneTest : public ResultsLinkTest {
 protected:
  // Five lanes: 1 the charged false start, 2 a false start not charged, 3 not in use, 4 not in use with the
  // time of lane 1, which charges nobody, 5 valid (the current row).
  void FillLanes() {
    MakeLanes(5);
    const int32_t times[] = {-20, 50, 150, -20, 150};
    for (int32_t lane = 1; lane <= 5; ++lane) {
      Lane(lane).SetReactionTime(times[lane - 1]);
      Lane(lane).SetAthleteField0(KString(u"Surname"));
    }
    Lane(3).SetStatus(QvResult::kLaneNotUsed);
    Lane(4).SetStatus(QvResult::kLaneNotUsed);
    Results().MarkFalseStarts();
    Pane().SetCurrentCell({0, 4});
    Pane().Refresh();
  }

  int32_t RowHeight() { return Pane().UnitSize().y; }
  // The screen point inside a row and column of the table.
  KPoint At(int32_t row, int32_t column) {
    const int32_t left = window->View()->ColumnStart(column);
    const int32_t right = window->View()->ColumnStart(column + 1);
    return Pane().ToScreenPoint({(left + right) / 2, row * RowHeight() + RowHeight() / 2});
  }
  // Whether any pixel of the row is that colour.
  bool RowHas(int32_t row, native::COLORREF colour) {
    const KPoint origin = Pane().ToScreenPoint({0, row * RowHeight()});
    for (int32_t y = 0; y < RowHeight(); ++y) {
      for (int32_t x = 0; x < Pane().ClientPixels().x; ++x) {
        if (driver.pixel(origin.x + x, origin.y + y) == colour) {
          return true;
        }
      }
    }
    return false;
  }
  void ClickAt(int32_t row, int32_t column, native::TestDriver::Button button = native::TestDriver::Left) {
    const KPoint at = At(row, column);
    driver.click(at.x, at.y, button);
  }
};

TEST_F(QvZResultsPaneTest, FalseStartsAreRedAndLanesNotInUseDarkGrey) {
  struct Case {
    const char* name;
    bool allInRed;
    std::vector<bool> red;  // rows 0 to 4
  } cases[] = {
      {"only the charged false starts", false, {true, false, false, false, false}},
      {"every false start", true, {true, true, false, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenWindow({c.allInRed ? u"\\Event\\Results\\ShowAllFSInRed:Bool=1"
                           : u"\\Event\\Results\\ShowAllFSInRed:Bool=0"});
    Then([&] { FillLanes(); });
    Then([&] {
      for (int32_t row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(RowHas(row, kRed), c.red[row]);
        const KPoint empty = At(row, 5);
        EXPECT_EQ(driver.pixel(empty.x, empty.y) == kDarkGrey, row == 2 || row == 3);
      }
    });
    RunToEnd();
  }
}

TEST_F(QvZResultsPaneTest, APressOnTheCurrentCellEditsTheAthleteTextsAndOpensTheStatusMenuElsewhere) {
  struct Case {
    int32_t column;
    native::TestDriver::Button button;
    bool menu;
  } cases[] = {
      {0, native::TestDriver::Left, true},  {1, native::TestDriver::Left, true},
      {2, native::TestDriver::Left, false}, {3, native::TestDriver::Left, false},
      {4, native::TestDriver::Left, false}, {5, native::TestDriver::Left, false},
      {6, native::TestDriver::Left, true},  {7, native::TestDriver::Left, true},
      {8, native::TestDriver::Left, true},  {3, native::TestDriver::Right, true},
  };
  OpenWindow();
  Then([&] { FillLanes(); });
  for (const Case& c : cases) {
    Then([&] {
      SCOPED_TRACE(c.column);
      window->SetAllTraces(true);
      window->ShowAllChartsButton(false);
      Pane().SetCurrentCell({0, 4});
      ClickAt(4, c.column, c.button);
      // The menu's own loop takes the key and closes.
      if (c.menu) {
        driver.pressKey(native::VK_ESCAPE);
      }
    });
    Then([&] {
      SCOPED_TRACE(c.column);
      EXPECT_EQ(Pane().Editing(), !c.menu);
      // After the menu the chart shows the current row's lane again.
      EXPECT_EQ(window->AllTraces(), !c.menu);
      if (Pane().Editing()) {
        driver.pressKey(native::VK_ESCAPE);
      }
    });
  }
  RunToEnd();
}

TEST_F(QvZResultsPaneTest, TabPastTheLicenceAndShiftTabBeforeTheIdEndTheEditAndStoreTheText) {
  struct Case {
    int32_t column;
    bool backwards;
    int32_t tabs;
    int32_t stopsAt;  // the column edited before the last Tab
  } cases[] = {{5, false, 2, 6}, {2, true, 1, 2}};
  OpenWindow();
  Then([&] { FillLanes(); });
  for (const Case& c : cases) {
    Then([&] {
      SCOPED_TRACE(c.column);
      Pane().SetCurrentCell({0, 4});
      ClickAt(4, c.column);
    });
    Then([&] {
      SCOPED_TRACE(c.column);
      ASSERT_TRUE(Pane().Editing());
      driver.typeText(u"X");
      if (c.backwards) {
        driver.keyDown(native::VK_SHIFT);
      }
      for (int32_t tab = 0; tab < c.tabs; ++tab) {
        driver.pressKey(native::VK_TAB);
      }
      if (c.backwards) {
        driver.keyUp(native::VK_SHIFT);
      }
    });
    Then([&] {
      SCOPED_TRACE(c.column);
      EXPECT_FALSE(Pane().Editing());
      EXPECT_EQ(Pane().EditingColumn(), c.stopsAt);
    });
  }
  Then([&] {
    // Typed over the selected whole text: the affiliation, and the id.
    EXPECT_EQ(Lane(5).AthleteField(2).ToUtf8(), "X");
    EXPECT_EQ(Lane(5).AthleteField(4).ToUtf8(), "X");
  });
  RunToEnd();
}

TEST_F(QvZResultsPaneTest, TheCellEditorHasNoBorderAndItsCaretBlinksAtTheEndOfTheSelectedText) {
  native::RECT field{};
  std::vector<native::COLORREF> shown;
  // The desktop's pixels along the field's middle row.
  auto middleRow = [&] {
    const int32_t middle = (field.top + field.bottom) / 2;
    return driver.pixels({field.left, middle, field.right, middle + 1});
  };
  OpenWindow();
  Then([&] { FillLanes(); });
  Then([&] { ClickAt(4, 4); });
  Then([&] {
    ASSERT_TRUE(Pane().Editing());
    native::GetWindowRect(native::GetFocus(), &field);
    shown = middleRow();
    driver.advanceClock(530);
  });
  Then([&] {
    const std::vector<native::COLORREF> hidden = middleRow();
    ASSERT_EQ(hidden.size(), shown.size());
    ASSERT_FALSE(hidden.empty());
    std::vector<int32_t> blinking;
    for (std::size_t x = 0; x < hidden.size(); ++x) {
      if (hidden[x] != shown[x]) {
        blinking.push_back(static_cast<int32_t>(x));
      }
    }
    // "Surname" selected, the caret at the selection's end.
    EXPECT_EQ(blinking, std::vector<int32_t>{51});
    EXPECT_NE(std::find(hidden.begin(), hidden.end(), native::GetSysColor(native::COLOR_HIGHLIGHT)),
              hidden.end());
    EXPECT_EQ(hidden.front(), native::GetSysColor(native::COLOR_HIGHLIGHT))
        << "no border: the selected text starts at the field's left edge, where the cell's does";
    EXPECT_EQ(hidden.back(), native::GetSysColor(native::COLOR_WINDOW));
  });
  RunToEnd();
}

TEST_F(QvZResultsPaneTest, ADraggedTitleBorderMovesTheTableColumnAndIsKeptForTheNextRun) {
  int32_t before = 0;
  OpenWindow();
  Then([&] {
    FillLanes();
    before = window->View()->ColumnStart(4);
    QvZResultsTitle& title = *Pane().Title();
    const KPoint border = title.BarToScreen(KPoint{before, title.LocalRegion().Height() / 2});
    driver.mouseMove(border.x, border.y);
    driver.mouseDown();
    driver.mouseMove(border.x + 30, border.y);
    driver.mouseUp();
  });
  Then([&] {
    EXPECT_EQ(window->View()->ColumnStart(4), before + 30);
    EXPECT_EQ(window->View()->ColumnStart(5), before + 30 + QvResultsView::ColumnWidth(4));
  });
  RunToEnd();
  OpenWindow();
  Then([&] {
    FillLanes();
    EXPECT_EQ(window->View()->ColumnStart(4), before + 30);
  });
  RunToEnd();
}

}  // namespace
