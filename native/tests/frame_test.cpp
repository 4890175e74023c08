#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "native/testdriver.h"
#include "native/tests/messagespy.h"
#include "native/user/cursortable.h"
#include "native/user/nonclientlayout.h"
#include "testing/testpictures.h"

namespace native::test {

namespace {

constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL | WS_VISIBLE;

// Paints the client area green, so the picture shows where the frame ends.
void paintGreen(MessageSpy& spy) {
  spy.handler = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message != WM_PAINT) {
      return DefWindowProc(window, message, wParam, lParam);
    }
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    HBRUSH brush = CreateSolidBrush(RGB(0, 160, 0));
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EndPaint(window, &paint);
    return 0;
  };
}

RECT clientOnScreen(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, &client);
  return client;
}

}  // namespace

TEST(Frame, ClientRectangleIsWhatTheMetricsLeave) {
  TestDriver driver;
  MessageSpy spy;
  int frame = GetSystemMetrics(SM_CXFRAME);
  int dialog = GetSystemMetrics(SM_CXDLGFRAME);
  int border = GetSystemMetrics(SM_CXBORDER);
  int edge = GetSystemMetrics(SM_CXEDGE);
  int caption = GetSystemMetrics(SM_CYCAPTION);
  int vertical = GetSystemMetrics(SM_CXVSCROLL);
  int horizontal = GetSystemMetrics(SM_CYHSCROLL);
  struct Case {
    const char* name;
    DWORD style;
    DWORD exStyle;
    RECT expected;  // client, relative to the window's corner
  };
  const Case cases[] = {
      {"thick frame, caption, both bars",
       kFrameStyle,
       0,
       {frame, frame + caption, 300 - frame - vertical, 200 - frame - horizontal}},
      {"dialog frame",
       WS_POPUP | WS_CAPTION | WS_VISIBLE,
       0,
       {dialog, dialog + caption, 300 - dialog, 200 - dialog}},
      {"modal dialog frame without caption",
       WS_POPUP | WS_VISIBLE,
       WS_EX_DLGMODALFRAME,
       {dialog, dialog, 300 - dialog, 200 - dialog}},
      {"thin border and client edge",
       WS_POPUP | WS_BORDER | WS_VISIBLE,
       WS_EX_CLIENTEDGE,
       {border + edge, border + edge, 300 - border - edge, 200 - border - edge}},
      {"bare popup", WS_POPUP | WS_VISIBLE, 0, {0, 0, 300, 200}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    HWND window = CreateWindowEx(test.exStyle, spy.className(), u"Frame", test.style, 50, 60, 300, 200,
                                 nullptr, nullptr, nullptr, nullptr);
    RECT client = clientOnScreen(window);
    OffsetRect(&client, -50, -60);
    EXPECT_TRUE(EqualRect(&client, &test.expected))
        << client.left << "," << client.top << "," << client.right << "," << client.bottom;
    DestroyWindow(window);
  }
}

TEST(Frame, FrameWindowPaintsIntoTheDesktopAndTheSnapshotShowsIt) {
  TestDriver driver(DesktopOptions{640, 480, 96});
  MessageSpy spy;
  paintGreen(spy);
  HWND window = CreateWindowEx(WS_EX_CLIENTEDGE, spy.className(), u"Start list", kFrameStyle, 40, 30, 400,
                               300, nullptr, nullptr, nullptr, nullptr);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 99, 20, 30, 0};
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  driver.pumpUntilIdle();
  RECT client = clientOnScreen(window);
  EXPECT_EQ(driver.pixel((client.left + client.right) / 2, (client.top + client.bottom) / 2), RGB(0, 160, 0));
  EXPECT_EQ(driver.pixel(client.left, client.top), RGB(0, 160, 0));
  EXPECT_NE(driver.pixel(client.left - 1, client.top), RGB(0, 160, 0)) << "the client edge lies around it";
  EXPECT_NE(driver.pixel(client.right, client.top), RGB(0, 160, 0)) << "the vertical bar lies beside it";
  int captionY = 30 + GetSystemMetrics(SM_CXFRAME) + 2;
  EXPECT_EQ(driver.pixel(200, captionY), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(driver.pixel(10, 10), GetSysColor(COLOR_BACKGROUND));
  std::string path = TestPicturePath("frame_snapshot.png");
  ASSERT_TRUE(driver.snapshot(path));
  std::ifstream file(path, std::ios::binary);
  char signature[8]{};
  file.read(signature, 8);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
  std::string windowPath = TestPicturePath("frame_window.png");
  EXPECT_TRUE(driver.snapshot(window, windowPath));
  std::remove(windowPath.c_str());
  std::remove(path.c_str());
}

TEST(Frame, DraggingTheCaptionMovesTheWindow) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, kFrameStyle);
  driver.pumpUntilIdle();
  int captionY = 100 + GetSystemMetrics(SM_CYFRAME) + 5;
  driver.mouseMove(200, captionY);
  driver.mouseDown();
  driver.mouseMove(230, captionY + 40);
  driver.mouseMove(250, captionY + 50);
  driver.mouseUp();
  driver.pumpUntilIdle();
  RECT rect = driver.screenRect(window);
  EXPECT_TRUE(EqualRect(&rect, &(const RECT&)RECT{150, 150, 450, 350}));
  EXPECT_EQ(spy.only({WM_SYSCOMMAND}).size(), 1u) << "the move goes through SC_MOVE";
}

TEST(Frame, WindowThatRefusesTheMoveCommandStays) {
  TestDriver driver;
  MessageSpy spy;
  spy.handler = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MOVE) {
      return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
  };
  HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, kFrameStyle);
  driver.pumpUntilIdle();
  driver.mouseMove(200, 108);
  driver.mouseDown();
  driver.mouseMove(260, 160);
  driver.mouseUp();
  driver.pumpUntilIdle();
  RECT rect = driver.screenRect(window);
  EXPECT_EQ(rect.left, 100);
}

TEST(Frame, MoveCommandWithoutAHeldButtonStartsNoDrag) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, kFrameStyle);
  driver.pumpUntilIdle();
  SendMessage(window, WM_SYSCOMMAND, SC_MOVE, 0);
  driver.mouseMove(500, 500);
  driver.pumpUntilIdle();
  RECT rect = driver.screenRect(window);
  EXPECT_EQ(rect.left, 100) << "the pointer does not drag the window along";
}

TEST(Frame, DraggingTheFrameSizesTheWindowFromThatEdge) {
  TestDriver driver;
  MessageSpy spy;
  struct Case {
    const char* name;
    POINT grab;
    RECT expected;
  };
  // The window is at (100, 100)-(400, 300); every drag goes 20 right and 10 down.
  const Case cases[] = {
      {"right edge", {398, 200}, {100, 100, 420, 300}},
      {"bottom edge", {250, 298}, {100, 100, 400, 310}},
      {"left edge", {101, 200}, {120, 100, 400, 300}},
      {"bottom-right corner", {398, 298}, {100, 100, 420, 310}},
      {"top-left corner", {101, 101}, {120, 110, 400, 300}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, kFrameStyle);
    driver.pumpUntilIdle();
    driver.mouseMove(test.grab.x, test.grab.y);
    driver.mouseDown();
    driver.mouseMove(test.grab.x + 20, test.grab.y + 10);
    driver.mouseUp();
    driver.pumpUntilIdle();
    RECT rect = driver.screenRect(window);
    EXPECT_TRUE(EqualRect(&rect, &test.expected))
        << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
    DestroyWindow(window);
  }
}

TEST(Frame, SizingStopsAtTheSmallestWindow) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, kFrameStyle);
  driver.pumpUntilIdle();
  driver.mouseMove(398, 298);
  driver.mouseDown();
  driver.mouseMove(0, 0);
  driver.mouseUp();
  driver.pumpUntilIdle();
  RECT rect = driver.screenRect(window);
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXMIN));
  EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYMIN));
}

TEST(Frame, CaptionBoxesMinimiseMaximiseRestoreAndClose) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, kFrameStyle);
  driver.pumpUntilIdle();
  // The middle of one of the window's caption boxes, where it is now.
  auto centreOf = [&](RECT NonClientLayout::*box) {
    NonClientLayout layout = NonClientLayout::compute(kFrameStyle, 0, driver.screenRect(window));
    const RECT& rect = layout.*box;
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  };
  auto clickBox = [&](RECT NonClientLayout::*box) {
    POINT point = centreOf(box);
    driver.advanceClock(1000);  // separate clicks, never a double click
    driver.click(point.x, point.y);
    driver.pumpUntilIdle();
  };
  auto boxPixels = [&](RECT NonClientLayout::*box) {
    return driver.pixels(NonClientLayout::compute(kFrameStyle, 0, driver.screenRect(window)).*box);
  };
  clickBox(&NonClientLayout::maximizeBox);
  EXPECT_TRUE(IsZoomed(window));
  RECT rect = driver.screenRect(window);
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
  const std::vector<COLORREF> restoreBox = boxPixels(&NonClientLayout::maximizeBox);
  clickBox(&NonClientLayout::maximizeBox);
  EXPECT_FALSE(IsZoomed(window));
  rect = driver.screenRect(window);
  EXPECT_TRUE(EqualRect(&rect, &(const RECT&)RECT{100, 100, 400, 300})) << "restored to where it was";
  // A box shows pushed while it is held and the pointer is on it.
  POINT minimize = centreOf(&NonClientLayout::minimizeBox);
  const std::vector<COLORREF> raised = boxPixels(&NonClientLayout::minimizeBox);
  driver.mouseMove(minimize.x, minimize.y);
  driver.mouseDown();
  driver.pumpUntilIdle();
  EXPECT_TRUE(boxPixels(&NonClientLayout::minimizeBox) != raised) << "held, it does not show pushed";
  driver.mouseMove(150, 250);
  driver.pumpUntilIdle();
  EXPECT_TRUE(boxPixels(&NonClientLayout::minimizeBox) == raised) << "the pointer left it";
  driver.mouseUp();
  driver.pumpUntilIdle();
  EXPECT_FALSE(IsIconic(window)) << "let go away from the box: nothing happens";
  // Minimised, the window offers Restore in its Minimise box's place, and a double click on its caption
  // restores it too.
  for (bool byDoubleClick : {false, true}) {
    clickBox(&NonClientLayout::minimizeBox);
    EXPECT_TRUE(IsIconic(window));
    EXPECT_TRUE(boxPixels(&NonClientLayout::minimizeBox) == restoreBox) << "no Restore box";
    POINT caption = centreOf(&NonClientLayout::caption);
    byDoubleClick ? driver.doubleClick(caption.x, caption.y) : clickBox(&NonClientLayout::minimizeBox);
    driver.pumpUntilIdle();
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(IsZoomed(window));
    rect = driver.screenRect(window);
    EXPECT_TRUE(EqualRect(&rect, &(const RECT&)RECT{100, 100, 400, 300}));
  }
  std::vector<UINT> commands;
  for (const Logged& entry : spy.only({WM_SYSCOMMAND})) {
    commands.push_back(static_cast<UINT>(entry.wParam & 0xFFF0));
  }
  // The double click's first press asks to move the window, as any press on a caption does.
  EXPECT_EQ(commands, (std::vector<UINT>{SC_MAXIMIZE, SC_RESTORE, SC_MINIMIZE, SC_RESTORE, SC_MINIMIZE,
                                         SC_MOVE, SC_RESTORE}));
  clickBox(&NonClientLayout::closeBox);
  EXPECT_FALSE(IsWindow(window)) << "the close box closes";
}

// Move and Size chosen from the system menu show their mode at once: the four-way arrows until Size's first
// arrow picks a border, then that border's (or corner's) arrows; the end gives back the shape of what lies
// under the pointer, without a mouse move the user did not make.
TEST(Frame, MoveAndSizeByKeysShowTheirPointerFromTheStart) {
  const struct {
    const char* name;
    WPARAM command;
    std::vector<UINT> keys;
    LPCWSTR shape;
    POINT pointer = {250, 200};  // over the client area
  } cases[] = {
      {"Move", SC_MOVE, {}, IDC_SIZEALL},
      {"Move, right", SC_MOVE, {VK_RIGHT}, IDC_SIZEALL},
      {"Size", SC_SIZE, {}, IDC_SIZEALL},
      {"Size, left", SC_SIZE, {VK_LEFT}, IDC_SIZEWE},
      {"Size, up, right", SC_SIZE, {VK_UP, VK_RIGHT}, IDC_SIZENESW},
      {"Size, left, Enter", SC_SIZE, {VK_LEFT, VK_RETURN}, IDC_ARROW},
      {"Size, right, Enter: the right border comes under the pointer",
       SC_SIZE,
       {VK_RIGHT, VK_RETURN},
       IDC_SIZEWE,
       {405, 200}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    TestDriver driver;
    MessageSpy spy;
    HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, kFrameStyle);
    driver.mouseMove(test.pointer.x, test.pointer.y);
    driver.pumpUntilIdle();
    PostMessage(window, WM_SYSCOMMAND, test.command, 0);  // as the system menu does once it has closed
    driver.pumpUntilIdle();
    spy.clear();
    for (UINT key : test.keys) {
      driver.pressKey(key);
    }
    driver.pumpUntilIdle();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, test.shape));
    EXPECT_TRUE(spy.only({WM_MOUSEMOVE, WM_NCMOUSEMOVE}).empty());
  }
}

TEST(Frame, DoubleClickOnTheCaptionMaximisesAndRestores) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{100, 100, 400, 300}, kFrameStyle);
  driver.pumpUntilIdle();
  driver.doubleClick(200, 110);
  driver.pumpUntilIdle();
  EXPECT_TRUE(IsZoomed(window));
  driver.doubleClick(200, 10);
  driver.pumpUntilIdle();
  EXPECT_FALSE(IsZoomed(window));
}

}  // namespace native::test
