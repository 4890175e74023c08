#include "toolkit/kzselector.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "foundation/kperiodictask.h"
#include "framework/data/zafscrolldata.h"
#include "toolkit/tests/kzpanetestbed.h"

namespace {

// A list that can count more columns than it has positions for, opens an editor when told to, and
// records what it is asked to do.
class RecordingList : public KZSelector {
 public:
  RecordingList() : KZSelector(0, 0, 0, 0) {}
  int32_t ColumnCount(KPoint cell) override { return columns > 0 ? columns : KZSelector::ColumnCount(cell); }
  bool EditCell(KPoint, int32_t how) override {
    edits.push_back(how);
    return editorOpens;
  }
  void CellDragged(KPoint target, KPoint source) override { dragged.emplace_back(target, source); }

  int32_t columns = 0;
  bool editorOpens = false;
  std::vector<int32_t> edits;
  std::vector<std::pair<KPoint, KPoint>> dragged;
};

// Texts of the drawing test, column by column, for row 0 only.
struct RowTexts {
  std::u16string texts[2];
  uint32_t flags = 0;
};

void TextOfRow(KPoint cell, int32_t column, KString& text, uint32_t& textFlags, uintptr_t userWord) {
  const auto& row = *reinterpret_cast<const RowTexts*>(userWord);
  if (cell.y == 0 && column < 2) {
    text = KString(row.texts[column].c_str());
    textFlags = row.flags;
  }
}

class KZSelectorTest : public KZPaneTest {
 protected:
  // A list 300 pixels wide and ten rows high.
  RecordingList* ShowList(bool verticalBar = false) {
    rowHeight = KZWindowObjectLeech::FontHeight(1);
    RecordingList* list = ShowPane(new RecordingList, 300, 10 * rowHeight, verticalBar);
    EXPECT_EQ(list->UnitSize(), KPoint(300, rowHeight));
    return list;
  }
  // The pixel in the middle of a row.
  int32_t RowY(int32_t row) const { return row * rowHeight + rowHeight / 2; }

  int32_t rowHeight = 0;
};

}  // namespace

TEST_F(KZSelectorTest, ColumnsSpanFromTheirPositionsAndNeverReadPastThem) {
  constexpr int32_t kArea = KZSelector::kColumnArea;
  struct Case {
    const char* name;
    bool positions;    // columns at 0, 80 and 200
    int32_t reported;  // the list's own column count (0: the selector's)
    int32_t column;
    int32_t mode;
    int32_t left;
    int32_t right;  // right < left: no area
  } cases[] = {
      {"first", true, 0, 0, kArea, 0, 79},
      {"second", true, 0, 1, kArea, 80, 199},
      {"the last runs to the row's end", true, 0, 2, kArea, 200, 299},
      {"the inner area lies inside the margins", true, 0, 1, KZSelector::kColumnInner, 82, 196},
      {"the frame is not inset", true, 0, 1, KZSelector::kColumnFrame, 80, 199},
      {"5 counted, 3 placed: the last placed runs to the end", true, 5, 2, kArea, 200, 299},
      {"5 counted, 3 placed: the others have no area", true, 5, 4, kArea, 300, 299},
      {"without positions a column is the whole row", false, 0, 1, kArea, 0, 299},
  };
  RecordingList* placed = ShowList();
  RecordingList* plain = ShowList();
  placed->SetColumnCount(3);
  for (RecordingList* list : {placed, plain}) {
    list->cellMargins = {2, 1, 3, 1};
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingList* list = c.positions ? placed : plain;
    list->SetColumnPosition(1, 80);
    list->SetColumnPosition(2, 200);
    list->SetColumnPosition(3, 999);  // beyond the array: ignored
    list->columns = c.reported;
    KRect rect = list->CellRegion({0, 4});
    list->ColumnRegion({0, 4}, c.column, rect, c.mode);
    EXPECT_EQ(rect.left, c.left);
    EXPECT_EQ(rect.right, c.right);
    const int32_t inset = c.mode == KZSelector::kColumnInner ? 1 : 0;
    EXPECT_EQ(rect.top, 4 * rowHeight + inset);
    EXPECT_EQ(rect.bottom, 5 * rowHeight - 1 - inset);
    if (c.right < c.left) {
      continue;
    }
    // The area's first pixel, and its last pixel column on the row's last pixel row, belong to it.
    for (const KPoint pixel : {KPoint(c.left, RowY(4)), KPoint(c.right, 5 * rowHeight - 1)}) {
      int32_t found = -2;
      EXPECT_EQ(list->CellFromPoint(pixel, &found), KPoint(0, 4));
      EXPECT_EQ(found, c.positions ? c.column : 0) << "the first column holding the point";
    }
  }
}

TEST_F(KZSelectorTest, TheCurrentCellStaysInsideTheContents) {
  RecordingList* list = ShowList();
  EXPECT_EQ(list->CurrentCell(), KPoint(-1, -1)) << "a new list has none";
  EXPECT_EQ(list->ColumnCount({0, 0}), 1);
  struct Case {
    KPoint extent;
    KPoint cell;
    KPoint expected;
  } cases[] = {
      {{1, 10}, {-1, -1}, {0, 0}},
      {{1, 10}, {3, 99}, {0, 9}},
      {{1, 0}, {0, 4}, {0, -1}},
      {{0, 0}, {2, 2}, {-1, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.extent.x << "x" << c.extent.y);
    list->ChangeExtent(c.extent);
    list->SetCurrentCell(c.cell);
    EXPECT_EQ(list->CurrentCell(), c.expected);
  }
  // Refresh clamps a current cell that the contents no longer hold.
  list->ChangeExtent({1, 10});
  list->SetCurrentCell({0, 9});
  list->ChangeExtent({1, 4});
  list->Refresh();
  EXPECT_EQ(list->CurrentCell(), KPoint(0, 3));
}

TEST_F(KZSelectorTest, PressDragAndReleasePickTheCurrentCell) {
  struct Step {
    Button button;
    int32_t row;
    int32_t current;  // the current row after the step
  };
  struct Case {
    const char* name;
    uint32_t flags;
    bool editorOpens;
    std::vector<Step> steps;
    std::vector<int32_t> edits = {};
    bool draggedFrom1To4 = false;
  } cases[] = {
      {"the press moves, the drag follows",
       0,
       false,
       {{kLeftPress, 2, 2}, {kLeftHeld, 4, 4}, {kLeftRelease, 4, 4}}},
      {"a release below the contents takes the last row",
       0,
       false,
       {{kLeftPress, 1, 1}, {kLeftHeld, 8, 5}, {kLeftRelease, 8, 5}}},
      {"flag 1: only the press moves it",
       KZSelector::kPressOnly,
       false,
       {{kLeftPress, 1, 1}, {kLeftHeld, 4, 1}, {kLeftRelease, 4, 1}}},
      {"a press on the current cell opens the editor and starts no drag",
       0,
       true,
       {{kLeftPress, 3, 3},
        {kLeftRelease, 3, 3},
        {kLeftPress, 3, 3},
        {kLeftHeld, 5, 3},
        {kLeftRelease, 5, 3}},
       {KZSelector::kEditByPress}},
      {"cell dragging reports where the drag ended and began",
       KZSelector::kCellDragging,
       false,
       {{kLeftPress, 1, 1}, {kLeftHeld, 4, 4}, {kLeftRelease, 4, 4}},
       {},
       true},
      {"the second button makes the cell current and asks for its action",
       0,
       false,
       {{kRightPress, 4, 4}},
       {KZSelector::kEditByContext}},
      {"presses outside the contents do nothing", 0, false, {{kLeftPress, 7, 0}, {kRightPress, 9, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingList* list = ShowList();
    list->ChangeExtent({1, 6});
    list->Refresh();
    list->selectorFlags |= c.flags;
    list->editorOpens = c.editorOpens;
    for (const Step& step : c.steps) {
      EXPECT_EQ(list->Event(Pointer(list, step.button, 10, RowY(step.row))), step.button.logical);
      EXPECT_EQ(list->CurrentCell(), KPoint(0, step.current)) << "row " << step.row;
      const bool dragging = list->selectorFlags & KZSelector::kDragging;
      EXPECT_EQ(application.CaptureObject(), dragging ? list : nullptr);
    }
    EXPECT_EQ(list->edits, c.edits);
    const std::vector<std::pair<KPoint, KPoint>> fromOneToFour{{{0, 4}, {0, 1}}};
    EXPECT_EQ(list->dragged, c.draggedFrom1To4 ? fromOneToFour : decltype(fromOneToFour){});
    ZafWindowObject::windowManager->Remove(list);
  }
}

TEST_F(KZSelectorTest, ThePointerOnTheDesktopPicksRowsAndTheBarScrolls) {
  RecordingList* list = ShowList(true);
  list->ChangeExtent({1, 30});
  list->Refresh();
  list->SetPosition({0, 10});
  list->Refresh();
  const KRect screen = list->ToScreenRect(list->LocalRegion());
  driver.click(screen.left + 20, screen.top + RowY(3));
  driver.pumpUntilIdle();
  EXPECT_EQ(list->CurrentCell(), KPoint(0, 13));
  driver.mouseMove(screen.left + 20, screen.top + RowY(1));
  driver.mouseDown();
  driver.mouseMove(screen.left + 20, screen.top + RowY(6));
  driver.mouseUp();
  driver.pumpUntilIdle();
  EXPECT_EQ(list->CurrentCell(), KPoint(0, 16));
  EXPECT_EQ(application.CaptureObject(), nullptr);
  // The bar's lower arrow: one row down, and the bar shows it.
  driver.click(screen.right + native::GetSystemMetrics(native::SM_CXVSCROLL) / 2, screen.bottom - 3);
  driver.pumpUntilIdle();
  EXPECT_EQ(list->Position(), KPoint(0, 11));
  EXPECT_EQ(list->VerticalScrollBar()->ScrollData()->Current(), 11);
}

TEST_F(KZSelectorTest, ADragBelowTheListScrollsOnTheIdleFeedEvery166ThenEvery111Ms) {
  struct Tick {
    uint32_t at;  // milliseconds after the pointer left the rows
    int32_t top;  // the first visible row after the idle step
  } ticks[] = {{0, 1}, {100, 1}, {165, 1}, {166, 2}, {1566, 3}, {1600, 3}, {1676, 3}, {1677, 4}, {1788, 5}};
  RecordingList* list = ShowList(true);
  list->ChangeExtent({1, 100});
  list->Refresh();
  KPeriodicTask::VirtualClock clock(1000);
  list->Event(Pointer(list, kLeftPress, 10, RowY(9)));
  ASSERT_EQ(application.CaptureObject(), list);
  // The pointer stays still below the list; the application feeds its last event on every idle step.
  const ZafEventRecord below = Pointer(list, kLeftHeld, 10, 10 * rowHeight + 5);
  uint32_t elapsed = 0;
  for (const Tick& tick : ticks) {
    clock.Advance(tick.at - elapsed);
    elapsed = tick.at;
    application.FeedOnIdle(below);
    EXPECT_EQ(list->Position().y, tick.top) << "at " << tick.at;
  }
  EXPECT_EQ(list->VerticalScrollBar()->ScrollData()->Current(), list->Position().y);
  list->Event(Pointer(list, kLeftRelease, 10, 10 * rowHeight + 5));
  EXPECT_EQ(list->CurrentCell(), KPoint(0, list->Position().y + 10)) << "the row under the pointer";
  EXPECT_EQ(application.CaptureObject(), nullptr);
}

TEST_F(KZSelectorTest, TextsAreAlignedCutToTheirColumnAndTheCurrentRowHighlighted) {
  struct Case {
    const char* name;
    RowTexts row;
    int32_t first;  // the dark pixels of row 0 lie in columns first..last of the desktop (none: -1)
    int32_t last;
  } cases[] = {
      {"left", {{u"WWW", u""}, 0}, 0, 50},
      {"right wins over centred",
       {{u"WWW", u""}, KZSelector::kTextRight | KZSelector::kTextCentred},
       100,
       149},
      {"centred", {{u"WWW", u""}, KZSelector::kTextCentred}, 40, 110},
      {"a long text is cut at its column's end", {{std::u16string(60, u'W'), u""}, 0}, 0, 149},
      {"the second column", {{u"", u"WWW"}, 0}, 150, 220},
      {"greyed text is not dark", {{u"WWW", u""}, KZSelector::kTextDisabled}, -1, -1},
  };
  RecordingList* list = ShowList();
  list->ChangeExtent({1, 5});
  list->SetColumnCount(2);
  list->SetColumnPosition(1, 150);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    list->SetTextCallback(&TextOfRow, reinterpret_cast<uintptr_t>(&c.row));
    list->MoveCurrentCell({0, 1});
    list->Refresh();
    driver.pumpUntilIdle();
    const std::vector<int32_t> dark = DarkColumns(*list, 0, 299, 0, rowHeight - 1);
    if (c.first < 0) {
      EXPECT_TRUE(dark.empty());
    } else {
      ASSERT_FALSE(dark.empty());
      EXPECT_GE(dark.front(), c.first);
      EXPECT_LE(dark.back(), c.last);
      EXPECT_GE(dark.back(), c.last - 45) << "reaches towards the end of its part";
    }
    const KPoint origin = list->ToScreenPoint({0, 0});
    EXPECT_EQ(driver.pixel(origin.x + 149, origin.y + RowY(1)), native::GetSysColor(native::COLOR_HIGHLIGHT));
    EXPECT_EQ(driver.pixel(origin.x + 149, origin.y + RowY(2)), native::GetSysColor(native::COLOR_WINDOW));
  }
}
