#include "toolkit/kzsizer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "toolkit/kzselector.h"
#include "toolkit/kzwindow.h"
#include "toolkit/tests/kzpanetestbed.h"

namespace {

// A bar whose inner boundaries lie where the test puts them, recording presses and moves.
class RecordingSizer : public KZSizer {
 public:
  RecordingSizer() : KZSizer(ZAF_DOCK_TOP, 20, 300, 0) {}
  int32_t CellCount() override { return static_cast<int32_t>(inner.size()) + 1; }
  int32_t BoundaryPosition(int32_t index) override {
    return index > 0 && index <= static_cast<int32_t>(inner.size()) ? inner[index - 1]
                                                                    : KZSizer::BoundaryPosition(index);
  }
  void MoveBoundary(int32_t index, int32_t position) override {
    moves.emplace_back(index, position);
    KZSizer::MoveBoundary(index, position);
  }
  void CellPressed(KPoint, int32_t index) override { pressed.push_back(index); }
  void CellText(int32_t index, KString& text, uint32_t& textFlags) override {
    if (index == 0) {
      text = u"WWW";
      textFlags = firstTextFlags;
    }
  }

  std::vector<int32_t> inner;
  uint32_t firstTextFlags = 0;
  std::vector<std::pair<int32_t, int32_t>> moves;
  std::vector<int32_t> pressed;
};

class KZSizerTest : public KZPaneTest {
 protected:
  RecordingSizer* ShowSizer() {
    window = new KZWindow(0, 0, 0, 0);
    window->SetRegion({10, 10, 409, 159, ZAF_PIXEL});
    auto* bar = new RecordingSizer;
    window->Add(bar);
    Show(window);
    return bar;
  }
  KZWindow* window = nullptr;
};

}  // namespace

TEST_F(KZSizerTest, TheNearestDraggableBoundaryWithinSevenPixelsIsGrabbed) {
  struct Case {
    const char* name;
    std::vector<int32_t> inner;  // boundaries between 0 and the length 300
    uint32_t flags;
    int32_t x;
    int32_t boundary;  // -1: none grabbed
    int32_t cell;      // the cell a press there reports (-1: none)
  } cases[] = {
      {"7 pixels away grabs", {100}, 7, 107, 1, -1},
      {"8 pixels away does not", {100}, 7, 108, -1, 1},
      {"7 pixels before grabs too", {100}, 7, 93, 1, -1},
      {"a tie goes to the boundary at or before the pointer", {100, 104}, 7, 102, 1, -1},
      {"the nearer one wins", {100, 104}, 7, 103, 2, -1},
      {"the trailing edge", {100}, 7, 296, 2, -1},
      {"the leading edge with flag 1", {100}, 7, 3, 0, -1},
      {"never the leading edge without flag 1", {100}, 6, 3, -1, 0},
      {"a pointer on a boundary is in no cell", {100}, 6, 0, -1, -1},
  };
  RecordingSizer* bar = ShowSizer();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->inner = c.inner;
    bar->sizerFlags = c.flags;
    bar->pressed.clear();
    int32_t found = -1;
    EXPECT_EQ(bar->BoundaryAt({c.x, 5}, found), c.boundary >= 0);
    EXPECT_EQ(found, c.boundary);
    bar->Event(Pointer(bar, kLeftPress, c.x, 5));
    bar->Event(Pointer(bar, kLeftRelease, c.x, 5));
    EXPECT_EQ(bar->pressed, c.cell >= 0 ? std::vector<int32_t>{c.cell} : std::vector<int32_t>{});
  }
  // A bar of no cells grabs nothing, not even its edges.
  struct Empty : KZSizer {
    Empty() : KZSizer(ZAF_DOCK_LEFT, 20, 300, 0) {}
  } empty;
  int32_t found = -1;
  EXPECT_FALSE(empty.BoundaryAt({5, 300}, found));
}

TEST_F(KZSizerTest, ADragOnTheDesktopFollowsThePointerPastTheBarWhileCaptured) {
  RecordingSizer* bar = ShowSizer();
  bar->inner = {100, 200};
  bar->SetOrigin(50);  // bar position = window x + 50
  const KPoint origin = bar->ToScreenPoint({0, 0});
  driver.mouseMove(origin.x + 152, origin.y + 8);  // 2 pixels right of boundary 2 at bar position 200
  driver.mouseDown();
  driver.pumpUntilIdle();
  EXPECT_EQ(bar->DragIndex(), 2);
  EXPECT_EQ(application.CaptureObject(), bar);
  for (const int32_t x : {120, 500}) {  // below the bar, then past its end
    driver.mouseMove(origin.x + x, origin.y + (x == 120 ? 60 : 8));
    driver.pumpUntilIdle();
  }
  driver.mouseUp();
  driver.pumpUntilIdle();
  const std::vector<std::pair<int32_t, int32_t>> moves{{2, 200}, {2, 168}, {2, 548}, {2, 548}};
  EXPECT_EQ(bar->moves, moves);
  EXPECT_EQ(bar->DragIndex(), -1);
  EXPECT_EQ(application.CaptureObject(), nullptr);
}

TEST_F(KZSizerTest, CellTextsAreAlignedByTheirFlags) {
  struct Case {
    const char* name;
    uint32_t flags;
    int32_t first;  // the text's dark pixels lie in columns first..last of the bar
    int32_t last;
  } cases[] = {
      {"left by default", 0, 1, 50},
      {"left wins", KZSizer::kTextLeft | KZSizer::kTextRight, 1, 50},
      {"centred", KZSizer::kTextCentred, 30, 70},
      {"right", KZSizer::kTextRight, 50, 98},
  };
  RecordingSizer* bar = ShowSizer();
  bar->inner = {100};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->firstTextFlags = c.flags;
    bar->Redisplay();
    driver.pumpUntilIdle();
    const std::vector<int32_t> dark = DarkColumns(*bar, 2, 97, 2, 15);
    ASSERT_FALSE(dark.empty());
    EXPECT_GE(dark.front(), c.first);
    EXPECT_LE(dark.back(), c.last);
  }
}

TEST_F(KZSizerTest, AHeaderTakesTheWidthOfTheSelectorsRows) {
  struct Case {
    int32_t width;
    bool follows;
    int32_t length;
  } cases[] = {{300, true, 300}, {200, true, 200}, {250, false, 200}};
  RecordingSizer* header = ShowSizer();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    KZSelector* list = ShowPane(new KZSelector(0, 0, 0, 0), c.width, 100);
    list->header = header;
    if (!c.follows) {
      list->selectorFlags &= ~KZSelector::kHeaderFollowsWidth;
    }
    list->UpdateScroll();
    EXPECT_EQ(header->Length(), c.length);
  }
}

TEST_F(KZSizerTest, APressDuringADragIsNoNewPressOnABarThatKeepsItsOwnDragIndex) {
  // A bar that keeps the dragged boundary in its own storage (the lane bar keeps it in its camera).
  struct OwnIndexSizer : RecordingSizer {
    int32_t DragIndex() override { return kept; }
    void SetDragIndex(int32_t index) override { kept = index; }
    int32_t kept = -1;
  };
  window = new KZWindow(0, 0, 0, 0);
  window->SetRegion({10, 10, 409, 159, ZAF_PIXEL});
  auto* bar = new OwnIndexSizer;
  window->Add(bar);
  Show(window);
  bar->inner = {100, 200};
  bar->Event(Pointer(bar, kLeftPress, 101, 5));
  ASSERT_EQ(bar->kept, 1);
  // A second press while dragging (a button pressed again under capture) is no new press on a cell.
  bar->Event(Pointer(bar, kLeftPress, 150, 5));
  bar->Event(Pointer(bar, kLeftRelease, 160, 5));
  const std::vector<std::pair<int32_t, int32_t>> moves{{1, 100}, {1, 159}};
  EXPECT_EQ(bar->moves, moves);
  EXPECT_TRUE(bar->pressed.empty());
  EXPECT_EQ(bar->kept, -1);
}

TEST_F(KZSizerTest, APartOfTheBarDrawnAgainLooksAsBefore) {
  RecordingSizer* bar = ShowSizer();
  bar->inner = {100};
  bar->Redisplay();
  driver.pumpUntilIdle();
  const KRect whole = bar->ToScreenRect(bar->LocalRegion());
  auto pixels = [&] {
    std::vector<native::COLORREF> shown;
    for (int32_t y = whole.top; y <= whole.bottom; ++y) {
      for (int32_t x = whole.left; x <= whole.right; ++x) {
        shown.push_back(driver.pixel(x, y));
      }
    }
    return shown;
  };
  const std::vector<native::COLORREF> before = pixels();
  // Across the middle of the first cell's text "WWW"; inside the second cell only, the first cell's text
  // left as it stands.
  for (const KRect& part : {KRect{10, 0, 20, 19}, KRect{150, 0, 160, 19}}) {
    SCOPED_TRACE(part.left);
    bar->RedrawBar(part, RedisplayEvent);
    EXPECT_EQ(pixels(), before);
  }
}
