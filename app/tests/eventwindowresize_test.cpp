// An event window after each change of its size or place, as a user makes them on a downloaded heat: the
// restore box, a drag of the corner, Window > Tile horizontal, the maximise box, then the chart's Maximize
// and Restore buttons. After each step the window on the desktop is the picture it paints from scratch at
// that size: every row, the Start text, the chart with its lines and lane labels, each of the chart's axis
// texts whole in it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/qvzeventmdi.h"
#include "app/tests/downloadedeventtest.h"
#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_chartengine.h"
#include "chart/zafchartcontrol.h"
#include "native/native.h"
#include "testing/testpictures.h"
#include "toolkit/kzcontrol.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kztoolbar.h"

namespace {

// How far the drag takes the restored window's lower right corner.
constexpr int kDragX = 300;
constexpr int kDragY = 200;

// How many of the chart's axis texts, as last drawn, reach beyond the chart's window or, being an axis
// title, lie over a tick label.
int AxisTextFaults(cf_ChartEngine& engine) {
  const cf_2DRect window = engine.GetKernel().WindowRect();
  // The window's right and bottom are its last pixels, a text's just past its own.
  const cf_2DRect inside{window.left, window.top, window.right + 1, window.bottom + 1};
  std::vector<cf_2DRect> labels;
  std::vector<cf_2DRect> titles;
  for (uint32_t number = 1; number <= cf_ChartEngine::kAxisCount; ++number) {
    cf_3DGridTickSeries& axis = *engine.GetAxis(number);
    for (int32_t i = 1; axis.IsVisible() && i <= axis.GetItemCount(); ++i) {
      labels.push_back(axis.GetItem(i)->DrawnTextRect());
    }
    titles.push_back(axis.Title().DrawnTextRect());
  }
  int faults = 0;
  for (const cf_2DRect& title : titles) {
    faults += static_cast<int>(std::count_if(
        labels.begin(), labels.end(), [&title](const cf_2DRect& label) { return title.Overlaps(label); }));
  }
  labels.insert(labels.end(), titles.begin(), titles.end());
  for (const cf_2DRect& text : labels) {
    faults += inside.JoinedWith(text) != inside ? 1 : 0;
  }
  return faults;
}

class EventWindowResizeTest : public DownloadedEventTest {
 protected:
  static native::HWND EventWindow() { return CurrentEventWindow()->ScreenID(2); }
  static KZTBButton* ChartButton(ZafEventType command) {
    return FindIn<KZTBButton>(ChartWindow()->ToolBar(),
                              [command](KZTBButton& button) { return button.Value() == command; });
  }

  // The event window's pixels on the desktop, frame included, row by row.
  std::vector<native::COLORREF> WindowPixels() { return driver.pixels(driver.screenRect(EventWindow())); }

  // Drags the mouse from a desktop point by (dx, dy) with the left button held.
  void Drag(native::POINT from, int dx, int dy) {
    driver.mouseMove(from.x, from.y);
    driver.mouseDown();
    driver.mouseMove(from.x + dx, from.y + dy);
    driver.mouseUp();
  }

  // The first desktop point of the window's top rows where its hit test answers `part`.
  static native::POINT PointOfPart(native::HWND window, native::LRESULT part) {
    native::RECT rect{};
    native::GetWindowRect(window, &rect);
    for (int y = rect.top; y < rect.top + native::GetSystemMetrics(native::SM_CYCAPTION) * 2; ++y) {
      for (int x = rect.left; x < rect.right; ++x) {
        if (native::SendMessage(window, native::WM_NCHITTEST, 0, native::MAKELPARAM(x, y)) == part) {
          return {x, y};
        }
      }
    }
    ADD_FAILURE() << "no point of hit-test part " << part;
    return {rect.left, rect.top};
  }
};

TEST_F(EventWindowResizeTest, EveryPaneDrawsItsWholeContentAfterEachChangeOfSize) {
  // The power axis, whose numbers are the chart's widest labels.
  Setting(u"\\Chart\\Axes\\ShowY:Bool=1");
  DownloadIntoNewEvent();
  AfterOperation([] { CurrentEventWindow()->GetEvent()->SetModified(false); });

  struct Step {
    const char* name;
    std::function<void()> act;
  };
  const Step steps[] = {
      // The command the restore box in the menu bar sends.
      {"restored", [] { native::SendMessage(EventWindow(), native::WM_SYSCOMMAND, native::SC_RESTORE, 0); }},
      {"resized",
       [this] {
         const native::RECT rect = driver.screenRect(EventWindow());
         Drag({rect.right - 1, rect.bottom - 1}, kDragX, kDragY);
       }},
      {"tiled", [] { Post(TileHorizontalCommand); }},
      {"maximised",
       [this] {
         const native::POINT box = PointOfPart(EventWindow(), native::HTMAXBUTTON);
         driver.click(box.x, box.y);
       }},
      {"chart-enlarged", [this] { Click(ChartButton(QvZChartWindow::kMaximizeCommand)); }},
      {"chart-restored", [this] { Click(ChartButton(QvZChartWindow::kRestoreCommand)); }},
  };
  std::vector<native::RECT> places;
  for (const Step& step : steps) {
    Then(step.act);
    Then([this, &step, &places] {
      SCOPED_TRACE(step.name);
      places.push_back(driver.screenRect(EventWindow()));
      EXPECT_TRUE(driver.snapshot(TestPicturePath(std::string("eventwindow-") + step.name + ".png")));
      const std::vector<native::COLORREF> shown = WindowPixels();
      native::RedrawWindow(EventWindow(), nullptr, nullptr,
                           native::RDW_INVALIDATE | native::RDW_ERASE | native::RDW_FRAME |
                               native::RDW_ALLCHILDREN | native::RDW_UPDATENOW);
      const std::vector<native::COLORREF> painted = WindowPixels();
      ASSERT_EQ(shown.size(), painted.size());
      int32_t differing = 0;
      for (std::size_t i = 0; i < shown.size(); ++i) {
        differing += shown[i] != painted[i] ? 1 : 0;
      }
      EXPECT_EQ(differing, 0) << "pixels that a full repaint changes";
      EXPECT_EQ(AxisTextFaults(*ChartWindow()->Pane()->Control()->GetEngine()), 0);
    });
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  // Each step changed the window's place or its panes' (the chart's two steps keep the window's place).
  ASSERT_EQ(places.size(), 6u);
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_FALSE(native::EqualRect(&places[i], &places[i - 1])) << steps[i].name;
  }
}

}  // namespace
