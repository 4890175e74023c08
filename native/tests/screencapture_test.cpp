#include <gtest/gtest.h>

#include <vector>

#include "native/native.h"
#include "native/print/printapi.h"
#include "native/testdriver.h"
#include "native/tests/messagespy.h"

namespace native::test {

namespace {

constexpr COLORREF kOrange = RGB(250, 120, 10);

// The desktop's pixels as the bitmap export takes them: a context of the whole display, a compatible bitmap
// of the display's size, a copy into it and its rows read as 24-bit top-down rows (width * 3 bytes each,
// whose widths here are multiples of four).
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<BYTE> rows;

  COLORREF at(int x, int y) const {
    const BYTE* pixel = &rows[(static_cast<std::size_t>(y) * width + x) * 3];
    return RGB(pixel[2], pixel[1], pixel[0]);
  }
};

Capture capture(HDC screen) {
  Capture shot;
  shot.width = GetDeviceCaps(screen, HORZRES);
  shot.height = GetDeviceCaps(screen, VERTRES);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  EXPECT_TRUE(BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY));
  SelectObject(memory, previous);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  shot.rows.resize(static_cast<std::size_t>(shot.width) * shot.height * 3);
  EXPECT_EQ(GetDIBits(memory, bitmap, 0, shot.height, shot.rows.data(), &info, DIB_RGB_COLORS), shot.height);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return shot;
}

}  // namespace

TEST(ScreenCapture, DisplayContextsReadTheComposedDesktop) {
  DesktopOptions options;
  options.width = 320;
  options.height = 240;
  TestDriver driver(options);
  MessageSpy spy;
  spy.handler = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message != WM_PAINT) {
      return DefWindowProc(window, message, wParam, lParam);
    }
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(kOrange);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EndPaint(window, &paint);
    return 0;
  };
  spy.createTopLevel(RECT{40, 30, 140, 90}, WS_POPUP | WS_VISIBLE);
  driver.pumpUntilIdle();

  struct Source {
    const char* name;
    HDC dc;
  };
  const Source sources[] = {{"GetDC(NULL)", GetDC(nullptr)},
                            {"CreateDC(\"DISPLAY\")", CreateDC("DISPLAY", nullptr, nullptr, nullptr)}};
  for (const Source& source : sources) {
    SCOPED_TRACE(source.name);
    ASSERT_NE(source.dc, nullptr);
    Capture shot = capture(source.dc);
    ASSERT_EQ(shot.width, 320);
    ASSERT_EQ(shot.height, 240);
    struct Probe {
      int x;
      int y;
    };
    // Inside the window, its corners, just outside it, and the desktop's own corners.
    for (Probe probe : {Probe{90, 60}, Probe{40, 30}, Probe{139, 89}, Probe{39, 30}, Probe{140, 89},
                        Probe{0, 0}, Probe{319, 239}}) {
      SCOPED_TRACE(std::to_string(probe.x) + "," + std::to_string(probe.y));
      EXPECT_EQ(shot.at(probe.x, probe.y), driver.pixel(probe.x, probe.y));
    }
    EXPECT_EQ(shot.at(90, 60), kOrange);
    EXPECT_NE(shot.at(0, 0), kOrange);
  }
  ReleaseDC(nullptr, sources[0].dc);
  DeleteDC(sources[1].dc);
}

}  // namespace native::test
