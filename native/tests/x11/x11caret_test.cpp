#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <vector>

#include "native/native.h"
#include "native/user/nonclientlayout.h"
// Xlib's macros (None, True, False) come after every header of ours.
#include "native/tests/x11/x11testprogram.h"

#include <X11/Xutil.h>

namespace native::test {

namespace {

// Where the program puts its frame and, in the frame's client area, its bordered text field (see
// x11desktopapp.cpp).
constexpr RECT kFrame{20, 20, 420, 220};
constexpr RECT kField{10, 10, 370, 34};

// Whether each of red, green and blue is below half: text (drawn smooth) and the caret over the field's
// white.
bool dark(unsigned long pixel) {
  return (pixel & 0x808080) == 0;
}

// The columns of the row that are dark on the screen, left to right.
std::vector<int> darkColumns(Display* display, Window window, int left, int right, int y) {
  std::vector<int> columns;
  XImage* image =
      XGetImage(display, window, left, y, static_cast<unsigned>(right - left), 1, AllPlanes, ZPixmap);
  if (image == nullptr) {
    return columns;
  }
  for (int x = 0; x < right - left; ++x) {
    if (dark(XGetPixel(image, x, 0))) {
      columns.push_back(left + x);
    }
  }
  XDestroyImage(image);
  return columns;
}

void checkOnDisplay(Display* display, Window window, X11TestProgram&) {
  // The test's own window system stays headless: it only computes where the program's field lies.
  setenv("KESTROVE_HEADLESS", "1", 1);
  RECT client = NonClientLayout::compute(WS_OVERLAPPEDWINDOW, 0, kFrame, 0).client;
  // A click right of the field's text puts the caret after it; the field's middle row crosses the text.
  const int left = client.left + kField.left + 1;
  const int right = client.left + kField.right - 1;
  const int y = client.top + (kField.top + kField.bottom) / 2;
  ClickAt(display, window, right - 10, y);
  // Over two blink periods the row shows the text alone and the text with the caret.
  std::set<std::vector<int>> seen;
  for (int waited = 0; waited < 1600; waited += 50) {
    XSync(display, False);
    seen.insert(darkColumns(display, window, left, right, y));
    poll(nullptr, 0, 50);
  }
  ASSERT_EQ(seen.size(), 2u) << "the caret blinks";
  const std::vector<int>& first = *seen.begin();
  const std::vector<int>& second = *seen.rbegin();
  const std::vector<int>& without = first.size() < second.size() ? first : second;
  const std::vector<int>& with = first.size() < second.size() ? second : first;
  std::vector<int> caret;
  std::set_difference(with.begin(), with.end(), without.begin(), without.end(), std::back_inserter(caret));
  ASSERT_EQ(caret.size(), 1u) << "a bar one pixel wide";
  ASSERT_FALSE(without.empty()) << "the text shows";
  EXPECT_GT(caret.front(), without.back()) << "after the text";
}

}  // namespace

TEST(X11Caret, BlinksAfterTheTextOfTheClickedField) {
  RunOnVirtualDisplay([] { RunProgramSteps(KESTROVE_X11_DESKTOP_APP, "640x480", &checkOnDisplay); });
}

}  // namespace native::test
