// Shared by the scrolled-pane and selector tests: a pane of an exact client size on the headless desktop,
// pointer events built for it, and a look at the pixels of its cells.
#ifndef TOOLKIT_TESTS_KZPANETESTBED_H
#define TOOLKIT_TESTS_KZPANETESTBED_H

#include <cstdint>
#include <limits>
#include <vector>

#include "framework/core/zafscrollbar.h"
#include "native/native.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzfonttable.h"
#include "toolkit/kzscroller.h"
#include "toolkit/tests/kztestbed.h"

// The program's application object, whose idle step the tests run by hand with a pointer event of their
// choosing.
class KZPaneApplication : public KZApplication {
 public:
  using KZApplication::KZApplication;
  int32_t Start() override { return 0; }
  void FeedOnIdle(const ZafEventRecord& event) {
    lastMouseEvent = event;
    Idle(0);
  }
  // Takes no more events once `eventsLeft` is spent: a pass that a fault keeps busy for ever (an event routed
  // back to where it came from) ends, and the test fails instead of hanging.
  bool GetEvent(ZafEventRecord& event, uint32_t flags) override {
    if (eventsLeft <= 0) {
      return false;
    }
    --eventsLeft;
    return KZApplication::GetEvent(event, flags);
  }

  int32_t eventsLeft = std::numeric_limits<int32_t>::max();
};

class KZPaneTest : public KZTest {
 protected:
  KZPaneTest() {
    KZApplication::application = &application;
    KZFontTable::InitFonts();
  }
  ~KZPaneTest() override {
    KZFontTable::ExitFonts();
    KZApplication::application = nullptr;
  }

  // Shows the pane with a client area of width x height pixels (plus the vertical bar when asked for).
  template <typename Pane>
  Pane* ShowPane(Pane* pane, int32_t width, int32_t height, bool verticalBar = false) {
    int32_t barWidth = 0;
    if (verticalBar) {
      pane->Add(new ZafScrollBar(ZAF_VERTICAL_SCROLL));
      barWidth = native::GetSystemMetrics(native::SM_CXVSCROLL);
    }
    pane->SetRegion({10, 10, 10 + width + barWidth - 1, 10 + height - 1, ZAF_PIXEL});
    Show(pane);
    EXPECT_EQ(pane->ClientPixels(), KPoint(width, height));
    return pane;
  }

  // A raw button state of a pointer event and the logical event the toolkit's mouse table makes of it.
  struct Button {
    int32_t state;
    ZafEventType logical;
  };
  static constexpr Button kLeftPress{0x1100, 1003};
  static constexpr Button kLeftHeld{0x0100, 1004};
  static constexpr Button kLeftRelease{0x1000, 1005};
  static constexpr Button kRightPress{0x2200, 1006};

  // A pointer event at a pixel of the pane.
  static ZafEventRecord Pointer(ZafWindowObject* pane, const Button& button, int32_t x, int32_t y) {
    ZafEventRecord event(E_MOUSE, button.state);
    event.referenceObject = pane;
    event.SetPosition({x, y, ZAF_PIXEL});
    return event;
  }

  // The columns from..to of the pane's pixel rows top..bottom that hold a dark pixel (text), on the desktop.
  std::vector<int32_t> DarkColumns(KZWindowLeech& pane, int32_t from, int32_t to, int32_t top,
                                   int32_t bottom) {
    const KPoint origin = pane.ToScreenPoint({0, 0});
    std::vector<int32_t> columns;
    for (int32_t x = from; x <= to; ++x) {
      for (int32_t y = top; y <= bottom; ++y) {
        const native::COLORREF colour = driver.pixel(origin.x + x, origin.y + y);
        if (native::GetRValue(colour) + native::GetGValue(colour) + native::GetBValue(colour) < 150) {
          columns.push_back(x);
          break;
        }
      }
    }
    return columns;
  }

  // The desktop's colour in the middle of each visible cell, partly visible last cells too, row by row.
  std::vector<native::COLORREF> CellColours(KZScroller& pane) {
    driver.pumpUntilIdle();
    std::vector<native::COLORREF> colours;
    const KRect visible = pane.VisibleRange(true);
    for (int32_t row = visible.top; row <= visible.bottom; ++row) {
      for (int32_t column = visible.left; column <= visible.right; ++column) {
        const KRect cell = pane.ToScreenRect(pane.CellRegion({column, row}));
        colours.push_back(driver.pixel((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
      }
    }
    return colours;
  }

  KZPaneApplication application{1, arguments};
};

#endif
