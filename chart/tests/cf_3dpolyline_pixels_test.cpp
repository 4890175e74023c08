// A trace drawn through the chart's polyline on the screen display covers exactly the pixels that the
// native polyline through every one of its screen points covers.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "chart/cf_3dpolyline.h"
#include "chart/cf_dispattribs.h"
#include "chart/tests/charttestbed.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafscreendisplay.h"
#include "native/native.h"
#include "native/testdriver.h"
#include "testing/zaftestapplication.h"

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;
constexpr bf_Color kTraceColor = 4;

native::LRESULT PlainWindow(native::HWND window, native::UINT message, native::WPARAM wParam,
                            native::LPARAM lParam) {
  return native::DefWindowProc(window, message, wParam, lParam);
}

class PolylinePixelsTest : public testing::Test {
 protected:
  PolylinePixelsTest() {
    native::WNDCLASS description{};
    description.lpfnWndProc = PlainWindow;
    description.lpszClassName = u"PolylinePixels";
    native::RegisterClass(&description);
    for (int i = 0; i < 2; ++i) {
      windows[i] =
          native::CreateWindowEx(0, u"PolylinePixels", u"", native::WS_POPUP | native::WS_VISIBLE,
                                 i * (kWidth + 20), 0, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    }
  }
  ~PolylinePixelsTest() override {
    for (native::HWND window : windows) {
      native::DestroyWindow(window);
    }
  }

  void Clear(native::HDC dc) {
    const native::RECT all{0, 0, kWidth, kHeight};
    native::FillRect(dc, &all, static_cast<native::HBRUSH>(native::GetStockObject(native::WHITE_BRUSH)));
  }
  // The line through the chart's drawing context into the first window.
  void DrawThroughChart(cf_3DPolyLine& line) {
    native::HDC dc = native::GetDC(windows[0]);
    Clear(dc);
    const ZafRegionStruct area{0, 0, kWidth - 1, kHeight - 1, ZAF_PIXEL};
    screen.BeginDraw(dc, windows[0], area, area);
    {
      FixedRegionWindow window(area);
      bf_Display context(screen, &window);
      line.DrawPrimary(context);
    }
    screen.EndDraw();
    native::ReleaseDC(windows[0], dc);
  }
  // Every screen point of the line through one native polyline into the second window.
  void DrawEveryPoint(const cf_3DPolyLine& line) {
    native::HDC dc = native::GetDC(windows[1]);
    Clear(dc);
    std::vector<native::POINT> points;
    for (const cf_2DPoint& point : line.ScreenPoints()) {
      points.push_back({point.x, point.y});
    }
    native::HPEN pen = native::CreatePen(native::PS_SOLID, 1, screen.ColorWord(kTraceColor, 0));
    native::HGDIOBJ previous = native::SelectObject(dc, pen);
    native::Polyline(dc, points.data(), static_cast<int>(points.size()));
    native::SelectObject(dc, previous);
    native::DeleteObject(pen);
    native::ReleaseDC(windows[1], dc);
  }
  int DifferentPixels() {
    driver.pumpUntilIdle();
    int different = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        native::POINT a{x, y};
        native::POINT b{x, y};
        native::ClientToScreen(windows[0], &a);
        native::ClientToScreen(windows[1], &b);
        different += driver.pixel(a.x, a.y) != driver.pixel(b.x, b.y) ? 1 : 0;
      }
    }
    return different;
  }

  native::TestDriver driver{native::DesktopOptions{640, 480, 96}};
  ZafTestApplication application;
  ZafScreenDisplay screen;
  native::HWND windows[2] = {};
};

TEST_F(PolylinePixelsTest, ColumnRunsCoverTheSamePixelsAsEveryPoint) {
  struct Case {
    std::string name;
    int count;
    // Screen position of point i, as the kernel maps box (x, y) straight onto the window.
    std::function<cf_2DPoint(int)> at;
  };
  const Case cases[] = {
      {"noisy trace, ten points a column", 3000,
       [](int i) {
         return cf_2DPoint{i / 10, 100 + static_cast<int32_t>(60 * std::sin(i * 0.01)) + (i * 7919) % 13};
       }},
      {"spikes up and down", 900,
       [](int i) {
         return cf_2DPoint{i / 3, i % 3 == 1 ? 20 + i % 50 : 180 - i % 40};
       }},
      {"last column goes back to its top", 7,
       [](int i) {
         const cf_2DPoint path[] = {{10, 50}, {11, 60}, {12, 20}, {13, 30}, {13, 50}, {13, 40}, {13, 50}};
         return path[i];
       }},
      {"one column", 5,
       [](int i) {
         return cf_2DPoint{40, 90 + (i * 37) % 23};
       }},
      {"two points", 2,
       [](int i) {
         return cf_2DPoint{5 + i * 200, 20 + i * 100};
       }},
  };
  cf_DispAttribs pen;
  pen.SetBackColor(kTraceColor);
  pen.SetWidth(1);
  pen.SetStyle(0);
  // A kernel that maps box coordinates one to one onto the window's pixels, y up.
  cf_Kernel kernel(kWidth - 1, kHeight - 1, 1);
  kernel.SetRotation(0, 0);
  kernel.SetStretch(1);
  kernel.SetLeftMargin(0);
  kernel.SetRightMargin(0);
  kernel.SetTopMargin(0);
  kernel.SetBottomMargin(0);
  const ZafRegionStruct area{0, 0, kWidth - 1, kHeight - 1, ZAF_PIXEL};
  FixedRegionWindow window(area);
  ZafTestDisplay recording;
  bf_Display fitting(recording, &window);
  kernel.FitToDisplay(fitting);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_3DPolyLine line(&pen);
    for (int i = 0; i < c.count; ++i) {
      const cf_2DPoint target = c.at(i);
      line.AddPoint(cf_3DPoint(target.x - (kWidth - 1) / 2.0, (kHeight - 1) / 2.0 - target.y, 0));
    }
    line.Project(kernel);
    line.ToScreen(kernel);
    DrawThroughChart(line);
    DrawEveryPoint(line);
    EXPECT_EQ(DifferentPixels(), 0);
  }
}

}  // namespace
