// The window-object drawing tests share this set-up: a 20 x 20 pop-up filled white, drawn on through the
// shared display, with its pixels read back from the device context while the drawing is open.
#ifndef FRAMEWORK_WIN32_TESTS_ZAFPAINTSURFACETEST_H
#define FRAMEWORK_WIN32_TESTS_ZAFPAINTSURFACETEST_H

#include "framework/win32/tests/zafwin32testbed.h"
#include "framework/win32/zafscreendisplay.h"

class ZafPaintSurfaceTest : public ZafWin32Test {
 protected:
  static constexpr int kSize = 20;
  static constexpr native::COLORREF kWhite = native::RGB(255, 255, 255);

  ZafPaintSurfaceTest() {
    window = native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, nullptr,
                                    native::WS_POPUP | native::WS_VISIBLE, 100, 80, kSize, kSize, nullptr,
                                    nullptr, nullptr, nullptr);
    driver.pumpUntilIdle();
    ZafWindowObject::display = &screen;
  }
  ~ZafPaintSurfaceTest() override {
    ZafWindowObject::display = nullptr;
    native::DestroyWindow(window);
  }

  // Opens the drawing on the whole pop-up and fills it white.
  void Begin() {
    screen.BeginDraw(nullptr, window, {0, 0, kSize - 1, kSize - 1, ZAF_PIXEL},
                     {0, 0, kSize - 1, kSize - 1, ZAF_PIXEL});
    screen.SetBackground(15);
    screen.Rectangle(0, 0, kSize - 1, kSize - 1, 0, true);
  }
  native::COLORREF At(int x, int y) { return native::GetPixel(screen.DeviceContext(), x, y); }

  ZafScreenDisplay screen;
  native::HWND window = nullptr;
};

#endif
