// A column border dragged in a title strip of a new event window, as a user drags it: the strip shows each
// title once on its own cleared cell, as a full repaint draws it; the border moves by as much as the pointer,
// so a click beside it, or the border dragged back to where it was, leaves the window as it was.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzeventpane.h"
#include "app/qvzeventtitle.h"
#include "app/qvzeventwindow.h"
#include "app/qvzresultspane.h"
#include "app/qvzresultstitle.h"
#include "app/qvzresultswindow.h"
#include "app/tests/desktoppixels.h"
#include "app/tests/programtest.h"
#include "model/qvevent.h"
#include "native/native.h"

namespace {

class ColumnTitleDragTest : public ProgramTest {
 protected:
  ColumnTitleDragTest() : ProgramTest({1024, 768, 96}) {}

  static QvZEventWindow* Summary() { return CurrentPane<QvZEventWindow>(PaneKind::kSummary); }
  static QvZResultsWindow* Results() { return CurrentPane<QvZResultsWindow>(PaneKind::kResults); }
  static native::HWND EventWindow() { return CurrentEventWindow()->ScreenID(2); }

  // The event window's pixels on the desktop, frame included.
  std::vector<native::COLORREF> WindowPixels() { return driver.pixels(driver.screenRect(EventWindow())); }

  // Steps that drag the strip's border as a hand does: a press `aside` pixels from it, a second after the
  // last press, then for each leg moves of 10 pixels 16 ms apart until the pointer is `leg` pixels from the
  // press, a release where the last move ended (no leg: a click).
  void DragBorder(const std::function<KZSizer*()>& strip, int32_t boundary, int32_t aside,
                  std::initializer_list<int32_t> legs) {
    auto at = std::make_shared<KPoint>();
    Then([this, strip, boundary, aside, at] {
      KZSizer& bar = *strip();
      *at = bar.BarToScreen({bar.BoundaryPosition(boundary) + aside, bar.LocalRegion().Height() / 2});
      driver.advanceClock(1000);
      driver.mouseMove(at->x, at->y);
      driver.mouseDown();
    });
    int32_t moved = 0;
    for (const int32_t leg : legs) {
      const int32_t step = leg < moved ? -10 : 10;
      while (moved != leg) {
        moved += step;
        Then([this, at, moved] {
          driver.advanceClock(16);
          driver.mouseMove(at->x + moved, at->y);
        });
      }
    }
    Then([this] {
      driver.advanceClock(16);
      driver.mouseUp();
    });
  }
};

}  // namespace

TEST_F(ColumnTitleDragTest, ADraggedBorderDrawsEachTitleOnceAndDraggedBackLeavesTheWindowAsBefore) {
  WriteFile("kestrove.cfg",
            "Registry Version: 1.00\n\\Event\\Layout\\:=\n"
            "\\Event\\Layout\\Summary1:String=0,0,100,30,Summary\n"
            "\\Event\\Layout\\Results1:String=0,30,100,100,Results\n");
  struct Case {
    const char* name;
    std::function<KZSizer*()> strip;
    int32_t boundary;
    int32_t aside;  // pixels from the border to the presses, within reach of it
  };
  const auto results = [] { return Results()->Pane()->Title(); };
  const Case cases[] = {
      // Every column after the border moves with it.
      {"results, between Affiliation and License", results, 6, 0},
      // Only the border moves.
      {"summary, between Name and Event Number", [] { return Summary()->Pane()->Title(); }, 1, 0},
      // The border keeps its distance from the pointer.
      {"results, a pixel left of the border", results, 6, -1},
      {"results, a pixel right of the border", results, 6, 1},
  };
  Then([] { Post(NewCommand); });
  When(
      "the event window's summary and results",
      [] {
        return Summary() != nullptr && Summary()->ScreenID() != nullptr && Results() != nullptr &&
               Results()->ScreenID() != nullptr;
      },
      [] {});
  std::vector<native::COLORREF> before;
  for (const Case& c : cases) {
    // A press on a title gives its table the focus, as the drag's press does: the pictures compared
    // differ only by the drag.
    Then([this, &c] {
      KZSizer& bar = *c.strip();
      const KPoint cell = bar.BarToScreen({bar.BoundaryPosition(0) + 3, bar.LocalRegion().Height() / 2});
      driver.click(cell.x, cell.y);
    });
    Then([this, &before] { before = WindowPixels(); });
    DragBorder(c.strip, c.boundary, c.aside, {});
    Then([this, &c, &before] {
      SCOPED_TRACE(c.name);
      EXPECT_EQ(DifferingPixels(WindowPixels(), before), 0) << "pixels that a click on the border changed";
    });
    DragBorder(c.strip, c.boundary, c.aside, {50});
    Then([this, &c, &before] {
      SCOPED_TRACE(c.name);
      const std::vector<native::COLORREF> dragged = WindowPixels();
      native::RedrawWindow(EventWindow(), nullptr, nullptr,
                           native::RDW_INVALIDATE | native::RDW_ERASE | native::RDW_FRAME |
                               native::RDW_ALLCHILDREN | native::RDW_UPDATENOW);
      EXPECT_EQ(DifferingPixels(dragged, WindowPixels()), 0) << "pixels that a full repaint changes";
      EXPECT_GT(DifferingPixels(dragged, before), 0) << "the border moved";
    });
    DragBorder(c.strip, c.boundary, c.aside, {-50});
    Then([this, &c, &before] {
      SCOPED_TRACE(c.name);
      EXPECT_EQ(DifferingPixels(WindowPixels(), before), 0) << "pixels that the drag away and back changed";
    });
    DragBorder(c.strip, c.boundary, c.aside, {50, 0});
    Then([this, &c, &before] {
      SCOPED_TRACE(c.name);
      EXPECT_EQ(DifferingPixels(WindowPixels(), before), 0)
          << "pixels that a drag away and back to the press point changed";
    });
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}
