#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "native/testdriver.h"
#include "native/tests/messagespy.h"
#include "native/tests/pixelboard.h"

namespace native::test {

namespace {

// Each window paints its whole client area in its own colour.
class Painter {
 public:
  explicit Painter(MessageSpy& spy) {
    spy.handler = [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message != WM_PAINT) {
        return DefWindowProc(window, message, wParam, lParam);
      }
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(window, &paint);
      lastPaint[window] = paint.rcPaint;
      RECT client{};
      GetClientRect(window, &client);
      HBRUSH brush = CreateSolidBrush(colors[window]);
      FillRect(dc, &client, brush);
      DeleteObject(brush);
      EndPaint(window, &paint);
      return 0;
    };
  }

  std::map<HWND, COLORREF> colors;
  std::map<HWND, RECT> lastPaint;
};

constexpr COLORREF kRed = RGB(220, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);
constexpr COLORREF kBlue = RGB(0, 0, 230);

}  // namespace

TEST(Painting, ShownWindowIsErasedThenPaintedOnceAndThenIsValid) {
  TestDriver driver;
  MessageSpy spy;
  Painter painter(spy);
  HWND window = spy.createTopLevel(RECT{10, 10, 60, 40}, WS_POPUP);
  painter.colors[window] = kRed;
  ShowWindow(window, SW_SHOW);
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.numbersOf({WM_ERASEBKGND, WM_PAINT}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}))
      << "BeginPaint sends the erase from inside the paint";
  EXPECT_EQ(driver.pixel(30, 20), kRed);
  spy.clear();
  driver.pumpUntilIdle();
  EXPECT_TRUE(spy.only({WM_PAINT}).empty()) << "a validated window is not painted again";
  RECT part{5, 5, 15, 10};
  InvalidateRect(window, &part, FALSE);
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.numbersOf({WM_ERASEBKGND, WM_PAINT}), (std::vector<UINT>{WM_PAINT}));
  EXPECT_TRUE(EqualRect(&painter.lastPaint[window], &part)) << "rcPaint is the invalid part";
}

TEST(Painting, ValidatingTakesPartsOutOfTheUpdateRegion) {
  TestDriver driver;
  MessageSpy spy;
  Painter painter(spy);
  HWND window = spy.createTopLevel(RECT{0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
  driver.pumpUntilIdle();
  InvalidateRect(window, nullptr, TRUE);
  RECT top{0, 0, 100, 50};
  ValidateRect(window, &top);
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(window, &update, FALSE));
  EXPECT_TRUE(EqualRect(&update, &(const RECT&)RECT{0, 50, 100, 100}));
  ValidateRect(window, nullptr);
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
  spy.clear();
  driver.pumpUntilIdle();
  EXPECT_TRUE(spy.only({WM_PAINT}).empty());
}

TEST(Painting, ChildrenAndSiblingsClipWhatAWindowPaints) {
  TestDriver driver;
  MessageSpy spy;
  Painter painter(spy);
  HWND parent = spy.createTopLevel(RECT{100, 100, 300, 300}, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
  // A child made earlier lies above the ones made after it.
  HWND upper = spy.createChild(parent, RECT{60, 60, 160, 160}, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
  HWND lower = spy.createChild(parent, RECT{10, 10, 110, 110}, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
  painter.colors = {{parent, kRed}, {lower, kGreen}, {upper, kBlue}};
  driver.pumpUntilIdle();
  struct Probe {
    const char* where;
    int x;
    int y;
    COLORREF expected;
  };
  const Probe probes[] = {
      {"parent alone", 105, 105, kRed},
      {"lower sibling alone", 130, 130, kGreen},
      {"where the siblings overlap the upper wins", 180, 180, kBlue},
      {"upper sibling alone", 250, 250, kBlue},
  };
  auto check = [&] {
    for (const Probe& probe : probes) {
      SCOPED_TRACE(probe.where);
      EXPECT_EQ(driver.pixel(probe.x, probe.y), probe.expected);
    }
  };
  check();
  // Painting the lower sibling or the parent again leaves what lies above them alone.
  InvalidateRect(lower, nullptr, TRUE);
  InvalidateRect(parent, nullptr, TRUE);
  spy.clear();
  driver.pumpUntilIdle();
  check();
  EXPECT_TRUE(spy.only({WM_PAINT}).size() == 2u)
      << "WS_CLIPCHILDREN keeps the children out of the parent's update";
}

TEST(Painting, WithoutClipStylesAWindowDrawsOverItsChildren) {
  TestDriver driver;
  MessageSpy spy;
  Painter painter(spy);
  HWND parent = spy.createTopLevel(RECT{0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
  HWND child = spy.createChild(parent, RECT{10, 10, 50, 50});
  painter.colors = {{parent, kRed}, {child, kGreen}};
  driver.pumpUntilIdle();
  EXPECT_EQ(driver.pixel(20, 20), kGreen) << "the parent paints first, then the child over it";
  HDC dc = GetDC(parent);
  RECT all{0, 0, 100, 100};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(parent, dc);
  EXPECT_EQ(driver.pixel(20, 20), RGB(0, 0, 0));
  dc = GetDCEx(child, nullptr, DCX_PARENTCLIP);
  RECT wide{-10, -10, 80, 80};
  FillRect(dc, &wide, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ReleaseDC(child, dc);
  EXPECT_EQ(driver.pixel(5, 5), RGB(255, 255, 255)) << "a parent-clipped context reaches over the parent";
}

TEST(Painting, UpdateNowPaintsAtOnceChildrenIncluded) {
  TestDriver driver;
  MessageSpy spy;
  Painter painter(spy);
  HWND parent = spy.createTopLevel(RECT{0, 0, 100, 100}, WS_POPUP | WS_VISIBLE);
  HWND child = spy.createChild(parent, RECT{10, 10, 50, 50});
  driver.pumpUntilIdle();
  spy.clear();
  RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(spy.only({WM_PAINT}), (std::vector<Logged>{{parent, WM_PAINT, 0, 0}, {child, WM_PAINT, 0, 0}}));
  spy.clear();
  InvalidateRect(child, nullptr, FALSE);
  UpdateWindow(child);
  EXPECT_EQ(spy.only({WM_PAINT}).size(), 1u);
  UpdateWindow(child);
  EXPECT_EQ(spy.only({WM_PAINT}).size(), 1u) << "nothing waits any more";
}

TEST(Painting, RedrawOffHoldsPaintingBackUntilItIsOnAgain) {
  TestDriver driver;
  MessageSpy spy;
  Painter painter(spy);
  HWND window = spy.createTopLevel(RECT{0, 0, 50, 50}, WS_POPUP | WS_VISIBLE);
  driver.pumpUntilIdle();
  SendMessage(window, WM_SETREDRAW, FALSE, 0);
  InvalidateRect(window, nullptr, TRUE);
  spy.clear();
  driver.pumpUntilIdle();
  EXPECT_TRUE(spy.only({WM_PAINT}).empty());
  SendMessage(window, WM_SETREDRAW, TRUE, 0);
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.only({WM_PAINT}).size(), 1u);
}

TEST(Painting, TopLevelWindowsMoveWithoutRepaintingAndUncoverTheDesktop) {
  TestDriver driver;
  MessageSpy spy;
  Painter painter(spy);
  HWND window = spy.createTopLevel(RECT{0, 0, 50, 50}, WS_POPUP | WS_VISIBLE);
  painter.colors[window] = kBlue;
  driver.pumpUntilIdle();
  spy.clear();
  SetWindowPos(window, nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  driver.pumpUntilIdle();
  EXPECT_TRUE(spy.only({WM_PAINT}).empty()) << "the backing surface keeps the pixels";
  EXPECT_EQ(driver.pixel(220, 220), kBlue);
  EXPECT_EQ(driver.pixel(20, 20), GetSysColor(COLOR_BACKGROUND));
  std::vector<RECT> damage = driver.takeDamage();
  EXPECT_FALSE(damage.empty()) << "a host learns what to copy";
  EXPECT_TRUE(driver.takeDamage().empty());
}

TEST(Painting, ScreenContextReadsTheComposedWindowsAndItsDrawingReachesTheHost) {
  TestDriver driver;
  MessageSpy spy;
  Painter painter(spy);
  HWND window = spy.createTopLevel(RECT{20, 20, 60, 60}, WS_POPUP | WS_VISIBLE);
  painter.colors[window] = kGreen;
  driver.pumpUntilIdle();
  driver.takeDamage();
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screen, 30, 30), kGreen) << "a screen capture sees the window";
  PixelBoard copy(4, 4);
  BitBlt(copy.dc(), 0, 0, 4, 4, screen, 28, 28, SRCCOPY);
  EXPECT_EQ(copy.at(3, 3), kGreen);
  SetPixel(screen, 5, 5, kRed);
  ReleaseDC(nullptr, screen);
  std::vector<RECT> damage = driver.takeDamage();
  ASSERT_EQ(damage.size(), 1u);
  EXPECT_TRUE(PtInRect(&damage[0], POINT{5, 5}));
}

TEST(Painting, ScreenContextSendsOnlyWhatItDrew) {
  TestDriver driver;
  PixelBoard board(4, 4, kBlue);
  const struct {
    const char* what;
    std::function<void(HDC)> draw;
    std::vector<RECT> sent;
  } rows[] = {
      {"text measured",
       [](HDC screen) {
         SIZE size{};
         GetTextExtentPoint32(screen, u"Start list", 10, &size);
       },
       {}},
      {"a pixel set", [](HDC screen) { SetPixel(screen, 5, 5, kRed); }, {{5, 5, 6, 6}}},
      {"a rectangle filled",
       [](HDC screen) {
         RECT rect{100, 200, 140, 230};
         FillRect(screen, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
       },
       {{100, 200, 140, 230}}},
      {"lines from off the screen",
       [](HDC screen) {
         const POINT points[] = {{-5, 20}, {50, 8}, {30, 40}};
         Polyline(screen, points, 3);
       },
       {{0, 8, 51, 41}}},
      {"a bitmap copied",
       [&](HDC screen) { BitBlt(screen, 300, 400, 4, 4, board.dc(), 0, 0, SRCCOPY); },
       {{300, 400, 304, 404}}},
      {"a pixel and a bitmap",
       [&](HDC screen) {
         SetPixel(screen, 5, 5, kRed);
         BitBlt(screen, 300, 400, 4, 4, board.dc(), 0, 0, SRCCOPY);
       },
       {{5, 5, 304, 404}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    driver.takeDamage();
    HDC screen = GetDC(nullptr);
    row.draw(screen);
    ReleaseDC(nullptr, screen);
    std::vector<RECT> sent = driver.takeDamage();
    ASSERT_EQ(sent.size(), row.sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
      EXPECT_TRUE(EqualRect(&sent[i], &row.sent[i]))
          << sent[i].left << "," << sent[i].top << "," << sent[i].right << "," << sent[i].bottom;
    }
  }
}

TEST(Painting, AHostIsSentChangedRowsInRectanglesThatCopyLittleForNothing) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{20, 30, 420, 130}, WS_POPUP | WS_VISIBLE);
  driver.pumpUntilIdle();
  const struct {
    const char* what;
    std::vector<RECT> filled;  // client coordinates
    std::vector<RECT> sent;    // screen coordinates
  } rows[] = {
      {"a wide change with a narrow one under it",
       {{0, 0, 400, 10}, {50, 10, 60, 40}},
       {{20, 30, 420, 40}, {70, 40, 80, 70}}},
      {"two rows of one width with eight rows between",
       {{0, 0, 200, 1}, {0, 9, 200, 10}},
       {{20, 30, 220, 40}}},
  };
  COLORREF color = kRed;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    driver.takeDamage();
    color = color == kRed ? kBlue : kRed;
    HBRUSH brush = CreateSolidBrush(color);
    HDC dc = GetDC(window);
    for (const RECT& rect : row.filled) {
      FillRect(dc, &rect, brush);
    }
    ReleaseDC(window, dc);
    DeleteObject(brush);
    std::vector<RECT> sent = driver.takeDamage();
    ASSERT_EQ(sent.size(), row.sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
      EXPECT_TRUE(EqualRect(&sent[i], &row.sent[i]))
          << sent[i].left << "," << sent[i].top << "," << sent[i].right << "," << sent[i].bottom;
    }
  }
}

TEST(Painting, HidingOrDestroyingAChildShowsItsParentAgain) {
  TestDriver driver;
  MessageSpy spy;
  Painter painter(spy);
  HWND parent = spy.createTopLevel(RECT{0, 0, 100, 100}, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
  HWND first = spy.createChild(parent, RECT{10, 10, 40, 40});
  HWND second = spy.createChild(parent, RECT{50, 50, 80, 80});
  painter.colors = {{parent, kRed}, {first, kGreen}, {second, kGreen}};
  driver.pumpUntilIdle();
  ShowWindow(first, SW_HIDE);
  DestroyWindow(second);
  driver.pumpUntilIdle();
  EXPECT_EQ(driver.pixel(20, 20), kRed);
  EXPECT_EQ(driver.pixel(60, 60), kRed);
}

}  // namespace native::test
