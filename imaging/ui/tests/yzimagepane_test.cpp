#include "imaging/ui/yzimagepane.h"

#include <gtest/gtest.h>

#include <set>

#include "foundation/ktime.h"
#include "imaging/ui/tests/imagepanetestbed.h"
#include "model/qvresult.h"

namespace {

constexpr native::COLORREF kBlack = 0x000000;
constexpr native::COLORREF kRed = 0x0000FF;
constexpr native::COLORREF kGreen = 0x00FF00;

// The virtual tick count the arrow-key runs read.
uint32_t ticks = 0;
uint32_t VirtualTicks() {
  return ticks;
}

// Installs the virtual tick count for one test.
class VirtualTickSource {
 public:
  VirtualTickSource() { KSetTickSource(&VirtualTicks); }
  ~VirtualTickSource() { KSetTickSource(nullptr); }
};

class ImagePaneCursorTest : public ImagePaneTest {
 protected:
  // The columns around the cursor at `x` whose pixel in view row `row` has the colour.
  std::set<int32_t> Coloured(int32_t x, int32_t row, native::COLORREF colour) {
    std::set<int32_t> columns;
    for (int32_t column = x - 4; column <= x + 4; ++column) {
      if (UnitPixel({column, row}) == colour) {
        columns.insert(column);
      }
    }
    return columns;
  }
};

}  // namespace

TEST_F(ImagePaneCursorTest, TheCursorsLinesFollowWidthCrossWidthColourAndOrientation) {
  struct Case {
    const char* name;
    const char16_t* width;
    const char16_t* crossWidth;
    const char16_t* colour;
    int32_t orientation;
    native::COLORREF pen;
    std::set<int32_t> lines;  // offsets from the cursor of the vertical lines
    std::set<int32_t> bar;    // offsets of the bar's pixels on the cursor's row
  } cases[] = {
      {"no settings: one black line", nullptr, nullptr, nullptr, 0, kBlack, {0}, {0}},
      {"width 5, cross 4: two lines", u"5", u"4", u"1", 0, kRed, {-1, 0}, {-2, -1, 0, 1, 2}},
      {"cross 0: one line, no bar beyond it", u"5", u"0", u"1", 0, kRed, {0}, {0}},
      {"colour 7 is bright red", u"1", u"2", u"7", 0, kRed, {0}, {-1, 0, 1}},
      {"the other orientation draws to the right",
       u"3",
       u"6",
       u"3",
       1,
       kGreen,
       {0, 1, 2},
       {-3, -2, -1, 0, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& [key, value] : {std::pair{u"Width", c.width}, std::pair{u"CrossWidth", c.crossWidth},
                                     std::pair{u"Color", c.colour}}) {
      std::u16string path = u"\\Event\\Image\\Hash\\";
      path += key;
      if (value) {  // the first case runs before any is set
        Setting(path + u":Int=" + value);
      }
    }
    image->Camera().SetParameter(16, c.orientation, false);
    ShowImagePane();
    ASSERT_TRUE(pane->SetCursor({60, 20}));
    driver.pumpUntilIdle();
    std::set<int32_t> lines;
    for (int32_t column : Coloured(60, 5, c.pen)) {
      lines.insert(column - 60);
    }
    std::set<int32_t> bar;
    for (int32_t column : Coloured(60, 20, c.pen)) {
      bar.insert(column - 60);
    }
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(bar, c.bar);
    // The erase leaves the image as it was.
    pane->MoveCursorBy(-30, 0);
    driver.pumpUntilIdle();
    EXPECT_TRUE(Coloured(60, 5, c.pen).empty());
    ZafWindowObject::windowManager->Subtract(pane);
    delete pane;
    pane = nullptr;
  }
}

TEST_F(ImagePaneTest, ArrowPressesMoveOneUnitAndCloseTogetherRunAndSpeedUpAfterOneAndAHalfSeconds) {
  struct Case {
    const char* name;
    ZafEventType key;
    uint32_t start;
    KPoint first;  // the cursor after one press from (10, 20)
    bool run;      // the presses of a run follow
  } cases[] = {{"Up", YZImagePane::kUpKey, 5000, {10, 19}, false},
               {"Down", YZImagePane::kDownKey, 5000, {10, 21}, false},
               {"Left", YZImagePane::kLeftKey, 5000, {9, 20}, false},
               {"Right: an ordinary start", YZImagePane::kRightKey, 5000, {11, 20}, true},
               {"Right: a start 100 ms before the tick count wraps",
                YZImagePane::kRightKey,
                0xFFFFFFFFu - 99,
                {11, 20},
                true}};
  const VirtualTickSource source;
  ShowImagePane();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ticks = c.start;
    pane->SetCursor({10, 20});
    std::vector<int32_t> moves;
    auto press = [&](uint32_t after) {
      ticks += after;
      const int32_t before = view->Origin().x;
      pane->Event(ZafEventRecord(c.key, 0));
      moves.push_back(view->Origin().x - before);
    };
    press(0);
    EXPECT_EQ(view->Origin(), c.first);
    if (!c.run) {
      continue;
    }
    for (int32_t i = 0; i < 15; ++i) {
      press(100);  // up to 1500 ms into the run
    }
    press(149);  // 1649 ms: 5 frames
    press(150);  // a pause of 150 ms starts again
    press(149);
    const std::vector<int32_t> expected{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 5, 1, 1};
    EXPECT_EQ(moves, expected);
  }
}

TEST_F(ImagePaneTest, ARightDragMarksItsRectangleSelectsItsResultsAndOpensThePopUp) {
  struct Case {
    const char* name;
    const char16_t* printLines;
    KPoint from, to;
    KRect marks;
    std::vector<bool> selected;  // the results at frames 40, 60 and 90
    const char* size;
  } cases[] = {{"a click without moving marks one unit",
                nullptr,
                {40, 30},
                {40, 30},
                {40, 30, 40, 30},
                {false, false, false},
                "(1,1)"},
               {"PrintLines 2 selects the span's results",
                u"\\Event\\Image\\Selection\\PrintLines:Int=2",
                {30, 10},
                {70, 30},
                {30, 10, 70, 30},
                {true, true, false},
                "(41,21)"}};
  const std::vector<QvResult*> results{AddResultAt(40), AddResultAt(60), AddResultAt(90)};
  ShowImagePane();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.printLines) {
      Setting(c.printLines);
    }
    const KPoint from = pane->UnitToPixel(c.from);
    const KPoint to = pane->UnitToPixel(c.to);
    pane->Event(Pointer(pane, kRightPress, from.x, from.y));
    EXPECT_EQ(application.CaptureObject(), pane);
    pane->Event(Pointer(pane, {0x2000, 1008}, to.x, to.y));
    EXPECT_EQ(view->Marks(), c.marks);
    EXPECT_TRUE(view->MarksShown());
    std::vector<bool> selected;
    for (const QvResult* result : results) {
      selected.push_back(result->IsSelected(image, nullptr));
    }
    EXPECT_EQ(selected, c.selected);
    EXPECT_EQ(reporter.statusTexts.back(), c.size);
    EXPECT_EQ(view->Frozen(), YZImagePane::kIdle);
    EXPECT_EQ(application.CaptureObject(), nullptr);
    ASSERT_FALSE(pane->popups.empty());
    EXPECT_EQ(pane->popups.back(), pane->ToScreenPoint(to));
  }
}
